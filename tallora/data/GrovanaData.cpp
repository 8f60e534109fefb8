#include "tallora/data/GrovanaData.h"

#include <memory>
#include <utility>
#include <vector>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"

namespace {

TFieldDecl Text(const char* name, int size, int width = 0) {
  return {.name = name, .type = TFieldType::String, .size = size, .displayWidth = width};
}
TFieldDecl Whole(const char* name) {
  return {.name = name, .type = TFieldType::Integer};
}
TFieldDecl Real(const char* name, const char* format = "") {
  return {.name = name, .type = TFieldType::Float, .displayFormat = format};
}
TFieldDecl Money(const char* name) {
  return {.name = name, .type = TFieldType::Float, .currency = true};
}

void PostIfEditing(TDataSet& ds) {
  if (ds.Editing()) ds.Post();
}

void EditIfBrowsing(TDataSet& ds) {
  if (!ds.Editing()) ds.Edit();
}

int IdOf(const TDataSet& ds) {
  return ds.FieldByName("Id").AsInteger();
}

}  // namespace

// ---- Creation ----

const ClassInfo& TGrovana::StaticClass() {
  static const auto ci = ClassBuilder<TGrovana>("TGrovana", &TComponent::StaticClass()).Build();
  return *ci;
}

TGrovana::TGrovana(TComponent* owner, TDataFolders folders, TDataSeams seams)
    : TComponent(owner),
      folders_(folders.Settled()),
      seams_(seams),
      products_(folders_, seams_, errors_,
                {.Validate = [](const TProduct& p, TErrorList& errors) { return p.Validate(errors); },
                 .Posted = [this] { InputChanged(); }}),
      formulas_(folders_, seams_.Dialogs, kFormulasFileName, "cdsFormula", "dsFormula"),
      simulations_(std::make_unique<TSimulationPersist>()) {
  SetUpDataSets();
  simulationSaved_.Keep(*simulations_);
  formulas_.LoadAtStart();
}

TGrovana::~TGrovana() = default;

void TGrovana::SetUpDataSets() {
  auto bind = [](TCollectionDataSet& ds, const char* name, TDataSource& source, const char* sourceName) {
    ds.SetName(name);
    source.SetName(sourceName);
    source.SetDataSet(&ds);
  };
  bind(cdsSimulation_, "cdsSimulation", dsSimulation_, "dsSimulation");
  bind(cdsLog_, "cdsLog", dsLog_, "dsLog");
  bind(cdsThin_, "cdsThin", dsThin_, "dsThin");
  bind(cdsPrognosis_, "cdsPrognosis", dsPrognose_, "dsPrognose");

  TCollectionDataSet& cdsFormula = formulas_.DataSet();
  cdsFormula.AddFields({Whole("Id"), Text("Description", 50), Text("Author", 40), Text("Expression", 200),
                        Whole("AssociatedFormula"), Text("EquationType", 64, 50)});
  cdsSimulation_.AddFields({Text("Description", 40),
                            Text("SpeciesName", 30),
                            Real("SiteIndex"),
                            Whole("InventoryType"),
                            Whole("InventoryMode"),
                            Real("InitialTrees"),
                            Real("SurvivalPercentage"),
                            Whole("InventoryAge"),
                            Real("InventoryTrees"),
                            Real("BaseArea"),
                            Real("MedianDiameter"),
                            Real("HomogeneityDegree"),
                            Whole("ListingOption"),
                            Whole("InitialAge"),
                            Whole("FinalAge"),
                            Whole("IncrementalAge"),
                            Text("ResultAges", 60),
                            Text("SiteIndexEquation", 255),
                            Text("VolumeEquation", 255),
                            Text("ShapeFunctionEquation", 255),
                            Text("ShapeFunctionIntegral2Equation", 255),
                            Text("SiteIndexEquationAuthor", 40),
                            Text("VolumeEquationAuthor", 40),
                            Text("ShapeFunctionEquationAuthor", 40),
                            Whole("DiameterClassInterval"),
                            Text("VolumeUnit", 40),
                            Text("SiteIndexEquationDescription", 40),
                            Text("ShapeFunctionEquationDescription", 40),
                            Text("VolumeEquationDescription", 40)});
  cdsLog_.AddFields(
      {Whole("Id"), Text("Name", 30), Real("MinDiameter"), Real("Size"), Money("Price"), Real("PriceEvolutionRate")});
  cdsThin_.AddFields({Whole("Id"), Whole("Age"), Whole("ThinType"), Text("TypeName", 20), Whole("ThinMode"),
                      Real("RemanescentTrees", "#0"), Real("RemanescentBaseArea", "#0.0"), Whole("CutRows"),
                      Real("RemovedTrees", "#0"), Real("TreesAfterThin", "#0"), Real("RemovedBaseArea", "#0.0"),
                      Real("BaseAreaAfterThin", "#0.0"), Real("MedianDiameter", "#0.0"), Real("MedianHeight", "#0.0"),
                      Real("RemovedVolume", "#0.0"), Real("VolumeAfterThin", "#0.0")});
  cdsPrognosis_.AddFields({Whole("Id"), Whole("Age"), Real("DominantHeight"), Real("NoTrees"), Real("MedianDiameter"),
                           Real("MedianHeight"), Real("BaseArea"), Real("Volume"), Real("IMA"), Real("ICA")});

  // Every write to an input of the current simulation makes the results stale.
  for (TDataSet* ds : {&cdsSimulation_, &cdsLog_, &cdsThin_})
    for (int i = 0; i < ds->FieldCount(); ++i) ds->Fields(i).OnChange = [this](TField&) { InputChanged(); };

  cdsFormula.AfterPost = [this](TDataSet& ds) { cdsFormulaAfterPost(ds); };
  cdsFormula.BeforeDelete = [this](TDataSet& ds) { cdsFormulaBeforeDelete(ds); };
  dsSimulation_.OnStateChange = [this](TDataSource& s) { dsSimulationStateChange(s); };
  cdsLog_.AfterPost = [this](TDataSet& ds) { cdsLogAfterPost(ds); };
  cdsLog_.AfterDelete = [this](TDataSet&) { InputChanged(); };
  cdsThin_.AfterInsert = [this](TDataSet& ds) { cdsThinAfterInsert(ds); };
  cdsThin_.AfterPost = [this](TDataSet& ds) { cdsThinAfterPost(ds); };
  cdsThin_.BeforeDelete = [this](TDataSet& ds) { cdsThinBeforeDelete(ds); };
  cdsThin_.FieldByName("ThinType").OnChange = [this](TField& f) { cdsThinThinTypeChange(f); };
  cdsPrognosis_.AfterPost = [this](TDataSet& ds) { cdsPrognosisAfterPost(ds); };
}

// ---- Catalogues ----

template <class F>
auto TGrovana::WithStoredReferences(F&& what) {
  TFormulaCollection& formulas = formulas_.Root().FormulaCollection();
  std::vector<std::pair<TFormula*, int>> references;
  for (TFormula& formula : formulas) {
    const int id = formula.AssociatedFormula();
    const TFormula* named = id != 0 ? formulas.FindItemID(id) : nullptr;
    if (!named || named->Index() == id) continue;
    references.emplace_back(&formula, id);
    formula.SetAssociatedFormula(named->Index());
  }
  struct Restore {
    std::vector<std::pair<TFormula*, int>>& references;
    ~Restore() {
      for (const auto& [formula, id] : references) formula->SetAssociatedFormula(id);
    }
  } restore{references};
  return what();
}

bool TGrovana::SaveFormulas(const std::string& path) {
  // Posted while the references still name Ids: the post may move the
  // formula. Asked before they are swapped: the controls may repaint while
  // the question is shown.
  formulas_.PostPending();
  if (!formulas_.MayWrite(path)) return false;
  WithStoredReferences([&] { formulas_.Write(path); });
  return true;
}

bool TGrovana::FormulasChanged() {
  return WithStoredReferences([&] { return formulas_.Changed(); });
}

TFormula* TGrovana::FindFormula(int id) const {
  return formulas_.Root().FormulaCollection().FindItemID(id);
}

// ---- Simulation ----

void TGrovana::NewSimulation() {
  LoadSimulationFile(TemplatePath(), "");
}

void TGrovana::NewBlankSimulation() {
  auto fresh = std::make_unique<TSimulationPersist>();
  TSimulation& simulation = fresh->SimulationCollection().Add();
  InstallSimulation(std::move(fresh), &simulation, "");
}

bool TGrovana::HasSimulation() const {
  return simulations_->SimulationCollection().Count() > 0;
}

void TGrovana::LoadSimulation(const std::string& path) {
  const std::string full = folders_.Resolve(path);
  LoadSimulationFile(full, full);
}

void TGrovana::LoadSimulationFile(const std::string& fullPath, const std::string& remembered) {
  // The file goes into a new root that keeps the current Filename and Tag
  // where the file has none; the current simulation stays until it is read.
  auto fresh = std::make_unique<TSimulationPersist>();
  fresh->SetFilename(simulations_->Filename());
  fresh->SetTag(simulations_->Tag());
  std::string bytes = LoadComponent(fullPath, *fresh);
  TSimulationCollection& simulations = fresh->SimulationCollection();
  // A file without simulations gets a new one.
  TSimulation* current = !fresh->Filename().empty() && simulations.Count() > 0 ? &simulations.GetItem(0)
                                                                               : &simulations.Add();
  InstallSimulation(std::move(fresh), current, remembered, std::move(bytes));
}

void TGrovana::InstallSimulation(std::unique_ptr<TSimulationPersist> root, TSimulation* current,
                                 const std::string& path, std::string bytes) {
  std::unique_ptr<TSimulationPersist> old = std::exchange(simulations_, std::move(root));
  current_ = current;
  cdsSimulation_.Close();
  cdsLog_.Close();
  cdsThin_.Close();
  // The growth table of the old simulation is not shown any more.
  cdsPrognosis_.SetCollection(nullptr);
  cdsSimulation_.SetCollection(&simulations_->SimulationCollection());
  cdsLog_.SetCollection(&current->ProductCollection());
  cdsThin_.SetCollection(&current->ThinCollection());
  old.reset();

  cdsSimulation_.Open();
  if (current->Index() > 0) cdsSimulation_.SetRecNo(current->Index() + 1);
  cdsSimulation_.Refresh();
  cdsLog_.Open();
  cdsThin_.Open();
  simulationPath_ = path;
  simulationSaved_.Keep(*simulations_);
  if (path.empty())
    simulationFile_.Forget();
  else
    simulationFile_.Keep(path, std::move(bytes));
  calculated_ = false;
}

bool TGrovana::SaveSimulation(const std::string& path) {
  std::string full = path.empty() ? simulationPath_ : folders_.Resolve(path);
  if (full.empty()) {
    if (simulations_->Filename().empty())
      throw EFCreateError("Não foi possível criar o arquivo: falta o nome do arquivo");
    full = folders_.Resolve(simulations_->Filename());
  }
  if (!simulationFile_.MayWrite(full, seams_.Dialogs)) return false;
  std::string written = path.empty() ? SaveComponent(full, *simulations_) : SaveComponentAs(full, *simulations_);
  simulationPath_ = full;
  simulationSaved_.Keep(*simulations_);
  simulationFile_.Keep(full, std::move(written));
  return true;
}

std::string TGrovana::GetFileName() const {
  return simulations_->Filename();
}

bool TGrovana::SimulationNeedsName() const {
  return simulationPath_.empty() || simulations_->Filename().empty() ||
         simulations_->Filename() == kSimulationTemplateName ||
         ExtractFileName(simulationPath_) == kSimulationTemplateName;
}

TThin* TGrovana::FindThin(int id) const {
  return current_ ? current_->ThinCollection().FindItemID(id) : nullptr;
}

TProduct* TGrovana::FindLog(int id) const {
  return current_ ? current_->ProductCollection().FindItemID(id) : nullptr;
}

bool TGrovana::LocateThin(int id) {
  TCollectionDataSet& ds = cdsThin_;
  if (!ds.Active()) return false;
  // A notification runs inside a dataset operation: moving now would make
  // that operation act on another record.
  if (notifying_ > 0) return !ds.IsEmpty() && IdOf(ds) == id;
  for (ds.First(); !ds.Eof(); ds.Next())
    if (IdOf(ds) == id) return true;
  return false;
}

bool TGrovana::CalculateResults() {
  PostIfEditing(cdsSimulation_);
  PostIfEditing(cdsThin_);
  PostIfEditing(cdsLog_);
  if (calculated_) return true;
  if (!current_) return false;

  bool ok = current_->Validate();
  if (ok) {
    cdsPrognosis_.Close();
    current_->PrognosisCollection().Clear();
    current_->ProductionCollection().Clear();
    ++runCount_;
    ok = current_->Execute();
    if (ok) {
      cdsPrognosis_.SetCollection(&current_->PrognosisCollection());
      cdsPrognosis_.Open();
    }
  }
  // Validation and the run write into the items behind the datasets.
  if (cdsSimulation_.Active()) cdsSimulation_.Resync();
  if (cdsThin_.Active()) cdsThin_.Resync();
  calculated_ = ok;
  return ok;
}

bool TGrovana::Verify() {
  PostIfEditing(cdsSimulation_);
  if (!current_) return false;
  const bool ok = current_->Validate();
  if (cdsSimulation_.Active()) cdsSimulation_.Resync();
  return ok;
}

// ---- Fields of the current records ----

void TGrovana::WriteInteger(TDataSet& ds, const char* field, int value) {
  TField& f = ds.FieldByName(field);
  if (f.IsNull() || f.AsInteger() != value) f.SetAsInteger(value);
}

void TGrovana::WriteFloat(TDataSet& ds, const char* field, double value) {
  TField& f = ds.FieldByName(field);
  if (f.IsNull() || f.AsFloat() != value) f.SetAsFloat(value);
}

TInventoryType TGrovana::GetInventoryType() const {
  return static_cast<TInventoryType>(cdsSimulation_.FieldByName("InventoryType").AsInteger());
}

void TGrovana::SetInventoryType(TInventoryType value) {
  WriteInteger(cdsSimulation_, "InventoryType", static_cast<int>(value));
}

TInventoryMode TGrovana::GetInventoryMode() const {
  return static_cast<TInventoryMode>(cdsSimulation_.FieldByName("InventoryMode").AsInteger());
}

void TGrovana::SetInventoryMode(TInventoryMode value) {
  WriteInteger(cdsSimulation_, "InventoryMode", static_cast<int>(value));
}

TListingOption TGrovana::GetListingOption() const {
  return static_cast<TListingOption>(cdsSimulation_.FieldByName("ListingOption").AsInteger());
}

void TGrovana::SetListingOption(TListingOption value) {
  WriteInteger(cdsSimulation_, "ListingOption", static_cast<int>(value));
}

void TGrovana::SetHomogeneityDegree(int value) {
  TField& f = cdsSimulation_.FieldByName("HomogeneityDegree");
  if (!f.IsNull() && f.AsFloat() == value) return;
  EditIfBrowsing(cdsSimulation_);
  f.SetAsInteger(value);
}

TThinType TGrovana::GetThinType() const {
  return static_cast<TThinType>(cdsThin_.FieldByName("ThinType").AsInteger());
}

void TGrovana::SetThinType(TThinType value) {
  WriteInteger(cdsThin_, "ThinType", static_cast<int>(value));
}

TThinMode TGrovana::GetThinMode() const {
  return static_cast<TThinMode>(cdsThin_.FieldByName("ThinMode").AsInteger());
}

void TGrovana::SetThinMode(TThinMode value) {
  WriteInteger(cdsThin_, "ThinMode", static_cast<int>(value));
  if (value == TThinMode::RemainingBaseArea) WriteFloat(cdsThin_, "RemanescentTrees", 0);
  if (value == TThinMode::RemainingTrees) WriteFloat(cdsThin_, "RemanescentBaseArea", 0);
}

void TGrovana::SetEquation(const TFormula* formula, const char* expression, const char* author,
                           const char* description) {
  if (!formula) return;
  EditIfBrowsing(cdsSimulation_);
  cdsSimulation_.FieldByName(expression).SetAsString(formula->Expression());
  cdsSimulation_.FieldByName(author).SetAsString(formula->Author());
  cdsSimulation_.FieldByName(description).SetAsString(formula->Description());
}

void TGrovana::SetSiteIndexEquation(const TFormula* formula) {
  SetEquation(formula, "SiteIndexEquation", "SiteIndexEquationAuthor", "SiteIndexEquationDescription");
}

void TGrovana::SetVolumeEquation(const TFormula* formula) {
  SetEquation(formula, "VolumeEquation", "VolumeEquationAuthor", "VolumeEquationDescription");
}

void TGrovana::SetShapeFunctionEquation(const TFormula* formula) {
  SetEquation(formula, "ShapeFunctionEquation", "ShapeFunctionEquationAuthor", "ShapeFunctionEquationDescription");
  if (!formula || formula->AssociatedFormula() == 0) return;
  if (const TFormula* integral = FindFormula(formula->AssociatedFormula()))
    cdsSimulation_.FieldByName("ShapeFunctionIntegral2Equation").SetAsString(integral->Expression());
}

// ---- Logs from the catalogue ----

void TGrovana::CopyProductToLogs(int recNo) {
  if (recNo < 1 || recNo > cdsProduct().RecordCount() || !cdsLog_.Active()) return;
  cdsProduct().SetRecNo(recNo);
  cdsLog_.Append();
  for (const char* name : {"Name", "MinDiameter", "Size", "Price", "PriceEvolutionRate"})
    cdsLog_.FieldByName(name).SetValue(cdsProduct().FieldByName(name).Value());
  // Posts the new record, so it is validated.
  cdsLog_.Refresh();
}

void TGrovana::CopyAllProductsToLogs() {
  for (cdsProduct().First(); !cdsProduct().Eof(); cdsProduct().Next()) CopyProductToLogs(cdsProduct().RecNo());
}

// ---- Handlers ----

template <class F>
void TGrovana::Notify(F&& call) {
  if (!mainWindow_) return;
  struct Mark {
    int& depth;
    explicit Mark(int& d) : depth(d) { ++depth; }
    ~Mark() { --depth; }
  } mark(notifying_);
  call(*mainWindow_);
}

void TGrovana::cdsLogAfterPost(TDataSet& ds) {
  calculated_ = false;
  if (const TProduct* log = FindLog(IdOf(ds)))
    ReportPostedEntry(log->Validate(errors_), errors_, kTitleLogErrors, seams_.ErrorPresenter);
}

void TGrovana::cdsFormulaAfterPost(TDataSet& ds) {
  calculated_ = false;
  TFormula* formula = FindFormula(IdOf(ds));
  if (!formula) return;
  // The protected formulas stay the first ones: a formula inserted among
  // them moves to just after them.
  int protectedCount = 0;
  for (const TFormula& f : formulas_.Root().FormulaCollection())
    if (f.Id() < kProtectedFormulas) ++protectedCount;
  if (formula->Id() >= kProtectedFormulas && formula->Index() < protectedCount) {
    formula->SetIndex(protectedCount);
    ds.SetRecNo(protectedCount + 1);
    ds.Resync();
  }
  ReportPostedEntry(formula->Validate(errors_), errors_, kTitleFormulaErrors, seams_.ErrorPresenter);
}

void TGrovana::cdsFormulaBeforeDelete(TDataSet& ds) {
  if (IdOf(ds) < kProtectedFormulas) throw Exception(kMsgFormulaProtected);
}

void TGrovana::cdsThinAfterInsert(TDataSet& ds) {
  ds.Post();
  const int id = IdOf(ds);
  Notify([id](IThinNotifications& w) { w.SelectItem(id); });
  calculated_ = false;
}

void TGrovana::cdsThinAfterPost(TDataSet& ds) {
  const int id = IdOf(ds);
  const int age = ds.FieldByName("Age").AsInteger();
  Notify([id, age](IThinNotifications& w) { w.ItemPosted(id, age); });
  calculated_ = false;
}

void TGrovana::cdsThinBeforeDelete(TDataSet& ds) {
  const int id = IdOf(ds);
  const int age = ds.FieldByName("Age").AsInteger();
  Notify([id, age](IThinNotifications& w) { w.ItemDeleted(id, age); });
  calculated_ = false;
}

void TGrovana::cdsThinThinTypeChange(TField& field) {
  calculated_ = false;
  // Only a row thinning followed by a selective one keeps a row to cut.
  if (static_cast<TThinType>(field.AsInteger()) != TThinType::RowsThenSelective) WriteInteger(cdsThin_, "CutRows", 0);
}

void TGrovana::cdsPrognosisAfterPost(TDataSet&) {
  calculated_ = false;
}

void TGrovana::dsSimulationStateChange(TDataSource&) {
  calculated_ = false;
}
