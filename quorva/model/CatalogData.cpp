#include "quorva/model/CatalogData.h"

#include <utility>
#include <vector>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"
#include "quorva/model/ProducaoUnit.h"
#include "quorva/model/QuorvaUnit.h"

const ClassInfo& TCatalog::StaticClass() {
  static const auto ci = ClassBuilder<TCatalog>("TCatalog", &TComponent::StaticClass()).Build();
  return *ci;
}

TCatalog::TCatalog(TComponent* owner, TDataFolders folders, TDataSeams seams)
    : TComponent(owner),
      folders_(folders.Settled()),
      seams_(seams),
      simulationRoot_(std::make_unique<quorva::TSimulationPersist>()),
      products_(folders_, seams_, errors_, {.Validate = quorva::ValidateProduct, .PriceEvolutionRateFormat = "#0.0"}),
      costs_(folders_, seams_.Dialogs, kCostsFileName, "cdsCusto", "dsCusto") {
  TCollectionDataSet& cdsCusto = costs_.DataSet();
  cdsCusto.AddFields({
      {.name = "Id", .type = TFieldType::Integer},
      {.name = "Nome", .type = TFieldType::String, .size = 12},
      {.name = "TipoCusto", .type = TFieldType::String, .size = 20},
      {.name = "UnidadeMedida", .type = TFieldType::String, .size = 20},
      {.name = "Custo", .type = TFieldType::Float, .currency = true},
  });
  cdsCusto.AfterPost = [this](TDataSet& ds) { cdsCustoAfterPost(ds); };
  costs_.LoadAtStart();
}

TCatalog::~TCatalog() = default;

// ---- costs ----

TCusto* TCatalog::FindCusto(int id) const {
  return costs_.Root().Custos().FindItemID(id);
}

void TCatalog::WriteCostField(const char* field, const std::string& text) {
  TCollectionDataSet& cdsCusto = costs_.DataSet();
  if (!cdsCusto.Editing()) cdsCusto.Edit();
  cdsCusto.FieldByName(field).SetAsString(text);
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
  // Validation zeroes the cost of a yearly cost: the controls show it.
  if (dataSet.State() == TDataSetState::Browse) dataSet.Resync();
  seams_.ErrorPresenter.HideErrors();
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
  AddProductions(plan, BuildProductions(path));
}

std::vector<std::unique_ptr<TProducao>> TCatalog::BuildProductions(const std::string& path) const {
  std::vector<std::unique_ptr<TProducao>> built;
  bool anyItem = false;
  if (const quorva::TSimulation* sim = currentSimulation_) {
    const TProductCollection& products = sim->ProductCollection();
    for (const TProduction& harvest : sim->ProductionCollection()) {
      if (products.Count() == 0) break;
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
        anyItem = true;
      }
      built.push_back(std::move(producao));
    }
  }
  if (!anyItem) throw Exception(kMsgNoHarvest1 + ExtractFileName(path) + kMsgNoHarvest2);
  return built;
}

void TCatalog::AddProductions(TQuorva& plan, std::vector<std::unique_ptr<TProducao>> built) const {
  if (currentSimulation_) plan.SetIndiceSitio(currentSimulation_->SiteIndex());
  for (auto& producao : built) plan.Producoes().AddItem(std::move(producao));
}
