#include "quorva/model/MarquelData.h"

#include <memory>
#include <utility>
#include <vector>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"
#include "quorva/model/CatalogData.h"
#include "storage/PersistUnit.h"

namespace {

// Close, bind to the collection (none: unbound) and open. A detail row the
// user is typing is posted first, so moving the master never loses it.
void Rebind(TCollectionDataSet& ds, TCollection* collection) {
  if (ds.Editing()) ds.CheckBrowseMode();
  ds.Close();
  ds.SetCollection(collection);
  if (collection) ds.Open();
}

void Unbind(TCollectionDataSet& ds) {
  ds.Close();
  ds.SetCollection(nullptr);
}

// The model wrote into the items behind the dataset: the controls show the
// stored values again. A record being typed keeps what was typed.
void ShowStored(TCollectionDataSet& ds) {
  if (ds.Active() && ds.State() == TDataSetState::Browse) ds.Resync();
}

}  // namespace

// ---- TMarquel ----

const ClassInfo& TMarquel::StaticClass() {
  static const auto ci = ClassBuilder<TMarquel>("TMarquel", &TComponent::StaticClass()).Build();
  return *ci;
}

TMarquel::TMarquel(TComponent* owner, TDataFolders folders, IDialogs& dialogs)
    : TComponent(owner), folders_(folders.Settled()), dialogs_(dialogs), root_(std::make_unique<TQuorvaPersist>()) {
  SetUpDataSets();
  saved_.Keep(*root_);
}

TMarquel::~TMarquel() = default;

void TMarquel::SetUpDataSets() {
  using F = TFieldType;
  cdsQuorva_.SetName("cdsQuorva");
  cdsQuorva_.AddFields({
      {.name = "Descricao", .type = F::String, .size = 20},
      {.name = "IdadeFinal", .type = F::Integer},
      {.name = "TaxaAtratividade", .type = F::Float},
      {.name = "TaxaJurosInicial", .type = F::Float},
      {.name = "TaxaJurosFinal", .type = F::Float},
      {.name = "IncrementoTaxaJuros", .type = F::Float},
      {.name = "ReceitaTotal", .type = F::Float},
      {.name = "ReceitaTotalMedia", .type = F::Float},
      {.name = "CustoTotal", .type = F::Float, .currency = true},
      {.name = "CustoTotalMedio", .type = F::Float, .currency = true},
      {.name = "ReceitaLiquidaMedia", .type = F::Float},
      {.name = "ValorPresenteReceita", .type = F::Float, .currency = true},
      {.name = "ValorPresenteLiquido", .type = F::Float, .currency = true},
      {.name = "ValorPresenteLiquidoAnualizado", .type = F::Float, .currency = true},
      {.name = "RazaoBeneficioCusto", .type = F::Float},
      {.name = "ValorEsperadoTerra", .type = F::Float, .currency = true},
      {.name = "TaxaInternaRetorno", .type = F::Float},
      {.name = "ValorPresenteCusto", .type = F::Float},
      {.name = "TemAnaliseSensibilidade", .type = F::Integer},
      {.name = "IndiceSitio", .type = F::Float},
  });
  cdsCusto_.SetName("cdsCusto");
  cdsCusto_.AddFields({
      {.name = "Nome", .type = F::String, .size = 12, .displayWidth = 12},
      {.name = "UnidadeMedida", .type = F::String, .size = 32},
      {.name = "TipoCusto", .type = F::String, .size = 20},
      {.name = "Custo", .type = F::Float, .currency = true},
  });
  cdsCustoAnual_.SetName("cdsCustoAnual");
  cdsCustoAnual_.AddFields({
      {.name = "Id", .type = F::Integer},
      {.name = "Idade", .type = F::Integer},
      {.name = "Custo", .type = F::Float, .currency = true},
  });
  cdsProducao_.SetName("cdsProducao");
  cdsProducao_.AddFields({
      {.name = "Id", .type = F::Integer},
      {.name = "Idade", .type = F::Integer},
      {.name = "Origem", .type = F::String, .size = 20},
  });
  cdsItemProducao_.SetName("cdsItemProducao");
  cdsItemProducao_.AddFields({
      {.name = "Id", .type = F::Integer},
      {.name = "Produto", .type = F::String, .size = 20},
      {.name = "Volume", .type = F::Float, .displayFormat = "0.0"},
      {.name = "Preco", .type = F::Float, .currency = true},
  });

  cdsQuorva_.AfterPost = [this](TDataSet& ds) { cdsQuorvaAfterPost(ds); };
  cdsCusto_.AfterScroll = [this](TDataSet& ds) { cdsCustoAfterScroll(ds); };
  cdsCusto_.BeforePost = [this](TDataSet& ds) { cdsCustoBeforePost(ds); };
  cdsCusto_.AfterPost = [this](TDataSet& ds) { cdsCustoAfterPost(ds); };
  cdsCustoAnual_.AfterPost = [this](TDataSet& ds) { cdsCustoAnualAfterPost(ds); };
  cdsProducao_.AfterScroll = [this](TDataSet& ds) { cdsProducaoAfterScroll(ds); };
  cdsProducao_.AfterPost = [this](TDataSet& ds) { cdsProducaoAfterPost(ds); };
  cdsProducao_.BeforeDelete = [this](TDataSet& ds) { cdsProducaoBeforeDelete(ds); };
  cdsItemProducao_.AfterPost = [this](TDataSet& ds) { cdsItemProducaoAfterPost(ds); };
  // Deletions change the inputs as much as posts do.
  for (TCollectionDataSet* ds : {&cdsQuorva_, &cdsCusto_, &cdsCustoAnual_, &cdsProducao_, &cdsItemProducao_})
    ds->AfterDelete = [this](TDataSet&) { Invalidate(); };

  const std::pair<TDataSource*, TCollectionDataSet*> sources[] = {{&dsQuorva_, &cdsQuorva_},
                                                                  {&dsCusto_, &cdsCusto_},
                                                                  {&dsCustoAnual_, &cdsCustoAnual_},
                                                                  {&dsProducao_, &cdsProducao_},
                                                                  {&dsItemProducao_, &cdsItemProducao_}};
  for (const auto& [source, ds] : sources) {
    source->SetName("ds" + ds->Name().substr(3));
    source->SetDataSet(ds);
  }
}

// ---- files ----

void TMarquel::CloseAll() {
  Unbind(cdsItemProducao_);
  Unbind(cdsCustoAnual_);
  Unbind(cdsProducao_);
  Unbind(cdsCusto_);
  Unbind(cdsQuorva_);
}

void TMarquel::InstallRoot(std::unique_ptr<TQuorvaPersist> root, const std::string& path, std::string bytes) {
  CloseAll();
  root_ = std::move(root);
  TQuorvas& plans = root_->Quorvas();
  currentPlan_ = !root_->Filename().empty() && plans.Count() > 0 ? &plans.GetItem(0) : &plans.Add();
  planPath_ = path;
  calculated_ = false;

  cdsQuorva_.SetCollection(&plans);
  cdsQuorva_.Open();
  cdsQuorva_.SetRecNo(currentPlan_->Index() + 1);
  cdsQuorva_.Refresh();
  cdsCusto_.SetCollection(&currentPlan_->Custos());
  cdsCusto_.Open();
  cdsProducao_.SetCollection(&currentPlan_->Producoes());
  cdsProducao_.Open();
  saved_.Keep(*root_);
  if (path.empty())
    planFile_.Forget();
  else
    planFile_.Keep(path, std::move(bytes));
}

std::unique_ptr<TQuorvaPersist> TMarquel::ReadPlanFile(const std::string& path, std::string& bytes) const {
  auto fresh = std::make_unique<TQuorvaPersist>();
  fresh->SetFilename(root_->Filename());
  bytes = LoadComponent(path, *fresh);
  return fresh;
}

void TMarquel::OpenPlan(const std::string& path) {
  const std::string full = folders_.Resolve(path);
  std::string bytes;
  auto fresh = ReadPlanFile(full, bytes);
  InstallRoot(std::move(fresh), full, std::move(bytes));
}

// A new plan remembers no path, so that a plain save never writes over the
// template.
void TMarquel::NewPlan() {
  std::string bytes;
  auto fresh = ReadPlanFile(TemplatePath(), bytes);
  InstallRoot(std::move(fresh), "");
}

void TMarquel::NewEmptyPlan() {
  auto fresh = std::make_unique<TQuorvaPersist>();
  fresh->SetFilename(kPlanTemplateName);
  InstallRoot(std::move(fresh), "");
}

bool TMarquel::SavePlan(const std::string& path) {
  const std::string full = folders_.Resolve(path);
  if (!planFile_.MayWrite(full, dialogs_)) return false;
  std::string written = SaveComponentAs(full, *root_);
  planPath_ = full;
  saved_.Keep(*root_);
  planFile_.Keep(full, std::move(written));
  return true;
}

bool TMarquel::NeedsNewName() const {
  const std::string name = Trim(root_->Filename());
  return planPath_.empty() || name.empty() || SameText(name, kPlanTemplateName);
}

// ---- productions ----

TProducao* TMarquel::FindProducao(int id) const {
  return currentPlan_ ? currentPlan_->Producoes().FindItemID(id) : nullptr;
}

bool TMarquel::LocateProducao(const TProducao& producao) {
  if (!cdsProducao_.Active()) return false;
  cdsProducao_.First();
  while (!cdsProducao_.Eof()) {
    if (cdsProducao_.FieldByName("Id").AsInteger() == producao.Id()) return true;
    cdsProducao_.Next();
  }
  return false;
}

void TMarquel::ClearProducoes() {
  Unbind(cdsProducao_);
  Unbind(cdsItemProducao_);
  if (currentPlan_) currentPlan_->Producoes().Clear();
  calculated_ = false;
}

void TMarquel::BindProducoes() {
  if (!currentPlan_) return;
  Rebind(cdsProducao_, &currentPlan_->Producoes());
}

void TMarquel::ImportProductions(const std::string& path) {
  if (!catalog_ || !currentPlan_) return;
  catalog_->LoadSimulation(path);
  std::vector<std::unique_ptr<TProducao>> built = catalog_->BuildProductions(path);
  ClearProducoes();
  catalog_->AddProductions(*currentPlan_, std::move(built));
  BindProducoes();
  if (cdsQuorva_.Active()) cdsQuorva_.Refresh();
}

// ---- calculation ----

bool TMarquel::CalculateResults() {
  for (TCollectionDataSet* ds : {&cdsQuorva_, &cdsProducao_, &cdsItemProducao_, &cdsCusto_, &cdsCustoAnual_})
    if (ds->Editing()) ds->Post();
  if (calculated_) return true;
  errors_.SetTitle(kQuorvaErrorsTitle);
  if (!currentPlan_) {
    errors_.Clear();
    return false;
  }
  calculated_ = currentPlan_->Validate(errors_);
  if (calculated_) {
    calculated_ = currentPlan_->Calculate();
    if (!calculated_) errors_.Add(99, currentPlan_->CalculationError());
  }
  ShowStoredPlan();
  return calculated_;
}

bool TMarquel::Verify() {
  if (cdsQuorva_.Editing()) cdsQuorva_.Post();
  errors_.SetTitle(kQuorvaErrorsTitle);
  if (!currentPlan_) {
    errors_.Clear();
    return false;
  }
  const bool valid = currentPlan_->Validate(errors_);
  ShowStoredPlan();
  return valid;
}

void TMarquel::ShowStoredPlan() {
  // Validation raises the final age to the oldest harvest and zeroes the
  // single cost of a yearly cost.
  for (TCollectionDataSet* ds : {&cdsQuorva_, &cdsProducao_, &cdsItemProducao_, &cdsCusto_, &cdsCustoAnual_})
    ShowStored(*ds);
}

int TMarquel::GetTemAnaliseSensibilidade() const {
  return cdsQuorva_.Active() ? cdsQuorva_.FieldByName("TemAnaliseSensibilidade").AsInteger() : 0;
}

void TMarquel::SetTemAnaliseSensibilidade(int value) {
  if (!cdsQuorva_.Active()) return;
  TField& field = cdsQuorva_.FieldByName("TemAnaliseSensibilidade");
  if (field.AsInteger() == value) return;
  field.SetAsInteger(value);
  calculated_ = false;
}

// ---- copies from the catalogues ----

void TMarquel::CopyProductToItems(int recNo) {
  if (!catalog_ || !currentPlan_ || !cdsProducao_.Active()) return;
  TCollectionDataSet& products = catalog_->cdsProduct();
  if (!products.Active() || recNo < 1 || recNo > products.RecordCount()) return;
  if (cdsProducao_.Editing()) cdsProducao_.Post();
  if (cdsProducao_.IsEmpty() || !cdsItemProducao_.Active()) return;

  products.SetRecNo(recNo);
  const double price = products.FieldByName("Price").AsFloat();
  const double rate = products.FieldByName("PriceEvolutionRate").AsFloat();
  const std::string name = products.FieldByName("Name").AsString();
  const int idade = cdsProducao_.FieldByName("Idade").AsInteger();

  cdsItemProducao_.Append();
  try {
    static_cast<TItemProducao*>(cdsItemProducao_.CurrentItem())->ApplyPriceEvolution(idade, price, rate);
    cdsItemProducao_.FieldByName("Produto").SetAsString(name);
  } catch (...) {
    cdsItemProducao_.Cancel();
    throw;
  }
  cdsItemProducao_.Refresh();
}

void TMarquel::CopyAllProductsToItems() {
  if (!catalog_) return;
  for (int n = 1; n <= catalog_->cdsProduct().RecordCount(); ++n) CopyProductToItems(n);
}

void TMarquel::CopyCostToCustos(int recNo) {
  if (!catalog_ || !currentPlan_ || !cdsCusto_.Active()) return;
  TCollectionDataSet& costs = catalog_->cdsCusto();
  if (!costs.Active() || recNo < 1 || recNo > costs.RecordCount()) return;

  costs.SetRecNo(recNo);
  const std::string nome = costs.FieldByName("Nome").AsString();
  const std::string unidade = costs.FieldByName("UnidadeMedida").AsString();
  const std::string tipo = costs.FieldByName("TipoCusto").AsString();
  const double custo = costs.FieldByName("Custo").AsFloat();

  cdsCusto_.Append();
  cdsCusto_.FieldByName("Nome").SetAsString(nome);
  cdsCusto_.FieldByName("UnidadeMedida").SetAsString(unidade);
  cdsCusto_.FieldByName("TipoCusto").SetAsString(tipo);
  cdsCusto_.FieldByName("Custo").SetAsFloat(custo);
  cdsCusto_.Refresh();
}

void TMarquel::CopyAllCostsToCustos() {
  if (!catalog_) return;
  for (int n = 1; n <= catalog_->cdsCusto().RecordCount(); ++n) CopyCostToCustos(n);
}

// ---- dataset handlers ----

void TMarquel::cdsQuorvaAfterPost(TDataSet&) {
  Invalidate();
}

TCostUnit TMarquel::ApplyUnitRule(TCusto* custo) {
  if (!custo || custo->Unit() != TCostUnit::PorM3) return TCostUnit::Other;
  if (custo->Type() != TCostType::Unitario) Invalidate();
  custo->SetTipoCusto(kTipoCustoUnitario);
  return TCostUnit::PorM3;
}

void TMarquel::cdsCustoAfterScroll(TDataSet& dataSet) {
  auto* custo = static_cast<TCusto*>(cdsCusto_.CurrentItem());
  if (!dataSet.Editing()) Rebind(cdsCustoAnual_, custo && !dataSet.IsEmpty() ? &custo->CustosAnuais() : nullptr);
  const TCostUnit unit = ApplyUnitRule(custo);
  // While editing the type being chosen is not the one scrolled to; a new
  // record has none.
  if (dataSet.State() == TDataSetState::Browse)
    previousTipoCusto_ = dataSet.FieldByName("TipoCusto").AsString();
  else if (dataSet.State() == TDataSetState::Insert)
    previousTipoCusto_.clear();
  const bool anual = CostTypeOf(dataSet.FieldByName("TipoCusto").AsString()) == TCostType::Anual;
  if (mainWindow_) mainWindow_->CostTypeChanged(anual ? TCostType::Anual : TCostType::Unitario, unit);
}

void TMarquel::cdsCustoBeforePost(TDataSet& dataSet) {
  TField& tipo = dataSet.FieldByName("TipoCusto");
  if (previousTipoCusto_ != kTipoCustoAnual || tipo.AsString() != kTipoCustoUnitario) return;
  const bool yes = dialogs_.AskYesNo(kMsgCostTypeToUnitario) == TMsgDlgBtn::Yes;
  if (!yes) tipo.SetAsString(kTipoCustoAnual);
}

void TMarquel::cdsCustoAfterPost(TDataSet&) {
  auto* custo = static_cast<TCusto*>(cdsCusto_.CurrentItem());
  if (!custo) return;
  const TCostUnit unit = ApplyUnitRule(custo);
  TCostType type = TCostType::Anual;
  if (custo->Type() == TCostType::Unitario) {
    custo->CustosAnuais().Clear();
    type = TCostType::Unitario;
  }
  Rebind(cdsCustoAnual_, &custo->CustosAnuais());
  ShowStored(cdsCusto_);
  // The question is asked once per change of type.
  previousTipoCusto_ = custo->TipoCusto();
  if (mainWindow_) mainWindow_->CostTypeChanged(type, unit);
  Invalidate();
}

void TMarquel::cdsCustoAnualAfterPost(TDataSet&) {
  Invalidate();
}

void TMarquel::cdsProducaoAfterScroll(TDataSet& dataSet) {
  if (dataSet.Editing()) return;
  auto* producao = static_cast<TProducao*>(cdsProducao_.CurrentItem());
  Rebind(cdsItemProducao_, producao && !dataSet.IsEmpty() ? &producao->ItensProducao() : nullptr);
}

void TMarquel::cdsProducaoAfterPost(TDataSet&) {
  auto* producao = static_cast<TProducao*>(cdsProducao_.CurrentItem());
  if (!producao) return;
  Rebind(cdsItemProducao_, &producao->ItensProducao());
  if (mainWindow_) mainWindow_->ProductionPosted(producao->Id(), producao->Idade());
  Invalidate();
}

void TMarquel::cdsProducaoBeforeDelete(TDataSet&) {
  auto* producao = static_cast<TProducao*>(cdsProducao_.CurrentItem());
  if (producao && mainWindow_) mainWindow_->ProductionDeleted(producao->Id(), producao->Idade());
}

void TMarquel::cdsItemProducaoAfterPost(TDataSet&) {
  Invalidate();
}
