#include "quorva/model/CatalogData.h"

#include <utility>
#include <vector>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"
#include "quorva/model/ProducaoUnit.h"
#include "quorva/model/QuorvaUnit.h"

TCatalog* Catalog = nullptr;

// ---- TCustoPersist ----

const ClassInfo& TCustoPersist::StaticClass() {
  static const auto ci = ClassBuilder<TCustoPersist>("TCustoPersist", &TFileRoot::StaticClass())
                             .Collection("Custos", &TCustoPersist::Custos, TCusto::StaticClass())
                             .Build();
  return *ci;
}

TCustoPersist::TCustoPersist(TComponent* owner) : TFileRoot(owner), custos_(std::make_unique<TCustos>(this)) {}

// ---- TCatalog ----

const ClassInfo& TCatalog::StaticClass() {
  static const auto ci = ClassBuilder<TCatalog>("TCatalog", &TComponent::StaticClass()).Build();
  return *ci;
}

TCatalog::TCatalog(TComponent* owner, std::string exeDir, IErrorPresenter* presenter, IDialogs* dialogs)
    : TComponent(owner),
      exeDir_(std::move(exeDir)),
      presenter_(presenter),
      dialogs_(dialogs),
      productRoot_(std::make_unique<TProductPersist>()),
      costRoot_(std::make_unique<TCustoPersist>()),
      simulationRoot_(std::make_unique<quorva::TSimulationPersist>()) {
  cdsProduct_.SetName("cdsProduct");
  cdsProduct_.AddFields({
      {.name = "Name", .type = TFieldType::String, .size = 30},
      {.name = "MinDiameter", .type = TFieldType::Float},
      {.name = "Size", .type = TFieldType::Float},
      {.name = "Price", .type = TFieldType::Float, .currency = true},
      {.name = "PriceEvolutionRate", .type = TFieldType::Float, .displayFormat = "#0.0", .editFormat = "#0.0"},
      {.name = "Id", .type = TFieldType::Integer},
  });
  cdsProduct_.AfterPost = [this](TDataSet& ds) { cdsProductAfterPost(ds); };
  dsProduct_.SetName("dsProduct");
  dsProduct_.SetDataSet(&cdsProduct_);

  cdsCusto_.SetName("cdsCusto");
  cdsCusto_.AddFields({
      {.name = "Id", .type = TFieldType::Integer},
      {.name = "Nome", .type = TFieldType::String, .size = 12},
      {.name = "TipoCusto", .type = TFieldType::String, .size = 20},
      {.name = "UnidadeMedida", .type = TFieldType::String, .size = 20},
      {.name = "Custo", .type = TFieldType::Float, .currency = true},
  });
  cdsCusto_.AfterPost = [this](TDataSet& ds) { cdsCustoAfterPost(ds); };
  dsCusto_.SetName("dsCusto");
  dsCusto_.SetDataSet(&cdsCusto_);

  LoadAtCreation(kCatalogProductsFileName, &TCatalog::LoadProducts, cdsProduct_, productRoot_->ProductCollection());
  LoadAtCreation(kCatalogCostsFileName, &TCatalog::LoadCosts, cdsCusto_, costRoot_->Custos());
}

TCatalog::~TCatalog() = default;

void TCatalog::LoadAtCreation(const std::string& name, void (TCatalog::*load)(const std::string&),
                              TCollectionDataSet& ds, TCollection& empty) {
  const std::string path = JoinPath(exeDir_, name);
  if (FileExists(path)) {
    try {
      (this->*load)(path);
      return;
    } catch (const Exception& e) {
      if (dialogs_) dialogs_->Error(e.Message());
    }
  }
  if (!ds.Active()) {
    ds.SetCollection(&empty);
    ds.Open();
  }
}

// ---- products ----

void TCatalog::LoadProducts(const std::string& path) {
  std::unique_ptr<TProductPersist> fresh = LoadComponentCopy(path, *productRoot_);
  cdsProduct_.Close();
  cdsProduct_.SetCollection(&fresh->ProductCollection());
  productRoot_ = std::move(fresh);
  productsPath_ = path;
  cdsProduct_.Open();
}

std::string TCatalog::SaveTarget(const std::string& remembered, const std::string& stored,
                                 const char* defaultName) const {
  if (!remembered.empty()) return remembered;
  return JoinPath(exeDir_, stored.empty() ? std::string(defaultName) : stored);
}

void TCatalog::SaveProducts(const std::string& path) {
  if (path.empty()) {
    SaveComponent(SaveTarget(productsPath_, productRoot_->Filename(), kCatalogProductsFileName), *productRoot_);
    return;
  }
  SaveComponentAs(path, *productRoot_);
  productsPath_ = path;
}

TProduct* TCatalog::FindProduct(int id) const {
  return productRoot_->ProductCollection().FindItemID(id);
}

void TCatalog::cdsProductAfterPost(TDataSet& dataSet) {
  TProduct* product = FindProduct(dataSet.FieldByName("Id").AsInteger());
  if (!product) return;
  if (quorva::ValidateProduct(*product, errors_)) {
    if (presenter_) presenter_->HideErrors();
    return;
  }
  errors_.SetTitle(kProductErrorsTitle);
  if (presenter_) presenter_->ShowErrors(errors_.Title(), ErrorLines(errors_));
  throw EAbort();
}

// ---- costs ----

void TCatalog::LoadCosts(const std::string& path) {
  std::unique_ptr<TCustoPersist> fresh = LoadComponentCopy(path, *costRoot_);
  cdsCusto_.Close();
  cdsCusto_.SetCollection(&fresh->Custos());
  costRoot_ = std::move(fresh);
  costsPath_ = path;
  cdsCusto_.Open();
}

void TCatalog::SaveCosts(const std::string& path) {
  if (path.empty()) {
    SaveComponent(SaveTarget(costsPath_, costRoot_->Filename(), kCatalogCostsFileName), *costRoot_);
    return;
  }
  SaveComponentAs(path, *costRoot_);
  costsPath_ = path;
}

TCusto* TCatalog::FindCusto(int id) const {
  return costRoot_->Custos().FindItemID(id);
}

void TCatalog::WriteCostField(const char* field, const std::string& text) {
  const TDataSetState state = cdsCusto_.State();
  if (state != TDataSetState::Edit && state != TDataSetState::Insert) cdsCusto_.Edit();
  cdsCusto_.FieldByName(field).SetAsString(text);
}

void TCatalog::SetTipoCusto(const std::string& text) {
  WriteCostField("TipoCusto", text);
}

void TCatalog::SetUnidadeMedida(const std::string& text) {
  WriteCostField("UnidadeMedida", text);
}

void TCatalog::cdsCustoAfterPost(TDataSet& dataSet) {
  TCusto* custo = FindCusto(dataSet.FieldByName("Id").AsInteger());
  if (!custo) return;
  errors_.Clear();
  custo->Validate(errors_);
  if (presenter_) presenter_->HideErrors();
}

// ---- import ----

void TCatalog::LoadSimulation(const std::string& path) {
  auto fresh = std::make_unique<quorva::TSimulationPersist>();
  fresh->SetFilename(simulationRoot_->Filename());
  LoadComponent(path, *fresh);
  quorva::TSimulationCollection& sims = fresh->SimulationCollection();
  quorva::TSimulation* current = !fresh->Filename().empty() && sims.Count() > 0 ? &sims.GetItem(0) : &sims.Add();
  simulationRoot_ = std::move(fresh);
  currentSimulation_ = current;
}

void TCatalog::ImportProductions(const std::string& path, TQuorva& plan) {
  LoadSimulation(path);
  AddProductions(plan);
}

void TCatalog::AddProductions(TQuorva& plan) const {
  const quorva::TSimulation* sim = currentSimulation_;
  if (!sim) return;
  const TProductCollection& products = sim->ProductCollection();
  const TProductionCollection& harvests = sim->ProductionCollection();

  // Built apart and added only when all are done, so a failure adds nothing.
  std::vector<std::unique_ptr<TProducao>> built;
  if (harvests.Count() > 0 && products.Count() > 0) {
    for (const TProduction& harvest : harvests) {
      auto producao = std::make_unique<TProducao>();
      producao->SetIdade(harvest.Age());
      producao->SetOrigem(harvest.Origem());
      for (int j = 0; j < products.Count(); ++j) {
        double volume = 0;
        for (const TDiameterClass& c : harvest.DiameterClasses())
          for (const TProductVolume& pv : c.ProductsVolume())
            if (pv.ProductIndex() == j) volume += pv.Volume();
        if (!(volume > 0)) continue;
        const TProduct& product = products.GetItem(j);
        TItemProducao& item = producao->ItensProducao().Add();
        item.SetProduto(product.Name());
        item.SetVolume(volume);
        item.ApplyPriceEvolution(producao->Idade(), product.Price(), product.PriceEvolutionRate());
      }
      built.push_back(std::move(producao));
    }
  }
  plan.SetIndiceSitio(sim->SiteIndex());
  for (auto& producao : built) plan.Producoes().AddItem(std::move(producao));
}
