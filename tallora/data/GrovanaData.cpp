#include "tallora/data/GrovanaData.h"

#include <filesystem>
#include <memory>

#include "platform/classes/Streams.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"

namespace fs = std::filesystem;

namespace {

TGrovana*& GlobalGrovana() {
  static TGrovana* grovana = nullptr;
  return grovana;
}

std::string ExecutableFolder() {
  std::error_code ec;
  const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (ec) return fs::current_path().string();
  return exe.parent_path().string();
}

TFieldSpec Text(const char* name, int size, int width = 0) {
  return {.name = name, .type = TFieldType::String, .size = size, .displayWidth = width};
}
TFieldSpec Whole(const char* name) { return {.name = name, .type = TFieldType::Integer}; }
TFieldSpec Real(const char* name, const char* format = "") {
  return {.name = name, .type = TFieldType::Float, .displayFormat = format};
}
TFieldSpec Money(const char* name) { return {.name = name, .type = TFieldType::Float, .currency = true}; }

bool Editing(const TDataSet& ds) {
  return ds.State() == TDataSetState::Edit || ds.State() == TDataSetState::Insert;
}

void PostIfEditing(TDataSet& ds) {
  if (Editing(ds)) ds.Post();
}

void EditIfBrowsing(TDataSet& ds) {
  if (!Editing(ds)) ds.Edit();
}

int IdOf(const TDataSet& ds) { return ds.FieldByName("Id").AsInteger(); }

TCollection& CatalogueItems(TProductPersist& root) { return root.ProductCollection(); }
TCollection& CatalogueItems(TFormulaPersist& root) { return root.FormulaCollection(); }

}  // namespace

TGrovana* Grovana() { return GlobalGrovana(); }

void SetGrovana(TGrovana* grovana) { GlobalGrovana() = grovana; }

// ---- Roots ----

const ClassInfo& TFormulaPersist::StaticClass() {
  static const auto ci =
      ClassBuilder<TFormulaPersist>("TFormulaPersist", &TFileRoot::StaticClass())
          .Collection("FormulaCollection", &TFormulaPersist::FormulaCollection, TFormula::StaticClass())
          .Build();
  return *ci;
}

TFormulaPersist::TFormulaPersist(TComponent* owner)
    : TFileRoot(owner), formulas_(std::make_unique<TFormulaCollection>(this)) {}

const ClassInfo& TSimulationPersist::StaticClass() {
  static const auto ci =
      ClassBuilder<TSimulationPersist>("TSimulationPersist", &TFileRoot::StaticClass())
          .Collection("SimulationCollection", &TSimulationPersist::SimulationCollection,
                      TSimulation::StaticClass())
          .Build();
  return *ci;
}

TSimulationPersist::TSimulationPersist(TComponent* owner)
    : TFileRoot(owner), simulations_(std::make_unique<TSimulationCollection>(this)) {}

// ---- Creation ----

const ClassInfo& TGrovana::StaticClass() {
  static const auto ci = ClassBuilder<TGrovana>("TGrovana", &TComponent::StaticClass()).Build();
  return *ci;
}

TGrovana::TGrovana(TGrovanaFolders folders, IDialogs* dialogs, TComponent* owner)
    : TComponent(owner), workDir_(std::move(folders.WorkDir)), dialogs_(dialogs) {
  exeDir_ = folders.ExeDir.empty() ? ExecutableFolder() : std::move(folders.ExeDir);
  CreateDataSets();

  products_ = new TProductPersist(this);
  cdsProduct_->SetCollection(&products_->ProductCollection());
  LoadCatalogueAtStart(kProductsFileName, true);

  formulas_ = new TFormulaPersist(this);
  cdsFormula_->SetCollection(&formulas_->FormulaCollection());
  LoadCatalogueAtStart(kFormulasFileName, false);

  simulations_ = new TSimulationPersist(this);
  calculated_ = false;
}

TGrovana::~TGrovana() {
  if (Grovana() == this) SetGrovana(nullptr);
  // The components go while the members their handlers use still exist.
  for (TComponent* c : std::initializer_list<TComponent*>{cdsPrognosis_, cdsThin_, cdsLog_, cdsSimulation_,
                                                          cdsFormula_, cdsProduct_, dsPrognose_, dsThin_, dsLog_,
                                                          dsSimulation_, dsFormula_, dsProduct_, simulations_,
                                                          formulas_, products_})
    delete c;
}

void TGrovana::CreateDataSets() {
  auto makeDataSet = [this](const char* name, TDataSource*& source, const char* sourceName) {
    auto* ds = new TCollectionDataSet(this);
    ds->SetName(name);
    source = new TDataSource(this);
    source->SetName(sourceName);
    source->SetDataSet(ds);
    return ds;
  };
  cdsProduct_ = makeDataSet("cdsProduct", dsProduct_, "dsProduct");
  cdsFormula_ = makeDataSet("cdsFormula", dsFormula_, "dsFormula");
  cdsSimulation_ = makeDataSet("cdsSimulation", dsSimulation_, "dsSimulation");
  cdsLog_ = makeDataSet("cdsLog", dsLog_, "dsLog");
  cdsThin_ = makeDataSet("cdsThin", dsThin_, "dsThin");
  cdsPrognosis_ = makeDataSet("cdsPrognosis", dsPrognose_, "dsPrognose");

  cdsProduct_->AddFields({Text("Name", 30), Real("MinDiameter"), Real("Size"), Money("Price"),
                          Real("PriceEvolutionRate"), Whole("Id")});
  cdsFormula_->AddFields({Whole("Id"), Text("Description", 50), Text("Author", 40), Text("Expression", 200),
                          Whole("AssociatedFormula"), Text("EquationType", 64, 50)});
  cdsSimulation_->AddFields(
      {Text("Description", 40),
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
  cdsLog_->AddFields({Whole("Id"), Text("Name", 30), Real("MinDiameter"), Real("Size"), Money("Price"),
                      Real("PriceEvolutionRate")});
  cdsThin_->AddFields({Whole("Id"), Whole("Age"), Whole("ThinType"), Text("TypeName", 20), Whole("ThinMode"),
                       Real("RemanescentTrees", "#0"), Real("RemanescentBaseArea", "#0.0"), Whole("CutRows"),
                       Real("RemovedTrees", "#0"), Real("TreesAfterThin", "#0"), Real("RemovedBaseArea", "#0.0"),
                       Real("BaseAreaAfterThin", "#0.0"), Real("MedianDiameter", "#0.0"),
                       Real("MedianHeight", "#0.0"), Real("RemovedVolume", "#0.0"),
                       Real("VolumeAfterThin", "#0.0")});
  cdsPrognosis_->AddFields({Whole("Id"), Whole("Age"), Real("DominantHeight"), Real("NoTrees"),
                            Real("MedianDiameter"), Real("MedianHeight"), Real("BaseArea"), Real("Volume"),
                            Real("IMA"), Real("ICA")});

  // Every write to an input of the current simulation makes the results stale.
  for (TDataSet* ds : {static_cast<TDataSet*>(cdsSimulation_), static_cast<TDataSet*>(cdsLog_),
                       static_cast<TDataSet*>(cdsThin_)})
    for (int i = 0; i < ds->FieldCount(); ++i) ds->Fields(i).OnChange = [this](TField&) { InputChanged(); };

  cdsProduct_->AfterPost = [this](TDataSet& ds) { cdsProductAfterPost(ds); };
  cdsFormula_->AfterPost = [this](TDataSet& ds) { cdsFormulaAfterPost(ds); };
  cdsFormula_->BeforeDelete = [this](TDataSet& ds) { cdsFormulaBeforeDelete(ds); };
  dsSimulation_->OnStateChange = [this](TDataSource& s) { dsSimulationStateChange(s); };
  cdsLog_->AfterPost = [this](TDataSet& ds) { cdsLogAfterPost(ds); };
  cdsLog_->AfterDelete = [this](TDataSet&) { InputChanged(); };
  cdsThin_->AfterInsert = [this](TDataSet& ds) { cdsThinAfterInsert(ds); };
  cdsThin_->AfterPost = [this](TDataSet& ds) { cdsThinAfterPost(ds); };
  cdsThin_->BeforeDelete = [this](TDataSet& ds) { cdsThinBeforeDelete(ds); };
  cdsThin_->FieldByName("ThinType").OnChange = [this](TField& f) { cdsThinThinTypeChange(f); };
  cdsPrognosis_->AfterPost = [this](TDataSet& ds) { cdsPrognosisAfterPost(ds); };
}

void TGrovana::LoadCatalogueAtStart(const char* fileName, bool products) {
  TCollectionDataSet& ds = products ? *cdsProduct_ : *cdsFormula_;
  const std::string path = JoinPath(exeDir_, fileName);
  if (FileExists(path)) {
    try {
      if (products)
        LoadProducts(path);
      else
        LoadFormulas(path);
    } catch (const Exception& e) {
      // A damaged catalogue stays empty and the program goes on.
      if (dialogs_) dialogs_->Error(e.Message());
    }
  }
  if (!ds.Active()) ds.Open();
}

std::string TGrovana::ResolvePath(const std::string& path) const {
  const fs::path p(path);
  if (p.is_absolute()) return path;
  const fs::path base = workDir_.empty() ? fs::current_path() : fs::path(workDir_);
  return (base / p).string();
}

// ---- Catalogues ----

template <class Root>
void TGrovana::LoadCatalogue(const std::string& path, Root*& root, TCollectionDataSet& ds, std::string& remembered) {
  const std::string full = ResolvePath(path);
  // What the file lacks keeps its value; the root is replaced only when the
  // whole file was read.
  std::unique_ptr<Root> fresh = LoadComponentCopy(full, *root);
  ds.Close();
  ds.SetCollection(&CatalogueItems(*fresh));
  delete root;
  root = fresh.release();
  ds.Open();
  remembered = full;
}

template <class Root>
void TGrovana::SaveCatalogue(const std::string& path, Root& root, const char* defaultName, std::string& remembered) {
  if (!path.empty()) {
    const std::string full = ResolvePath(path);
    SaveComponentAs(full, root);
    remembered = full;
    return;
  }
  std::string full = remembered;
  if (full.empty()) full = JoinPath(exeDir_, root.Filename().empty() ? defaultName : root.Filename());
  SaveComponent(full, root);
  remembered = full;
}

void TGrovana::LoadProducts(const std::string& path) {
  LoadCatalogue(path, products_, *cdsProduct_, productsPath_);
}

void TGrovana::SaveProducts(const std::string& path) {
  SaveCatalogue(path, *products_, kProductsFileName, productsPath_);
}

TProduct* TGrovana::FindProduct(int id) const { return products_->ProductCollection().FindItemID(id); }

void TGrovana::LoadFormulas(const std::string& path) {
  LoadCatalogue(path, formulas_, *cdsFormula_, formulasPath_);
}

void TGrovana::SaveFormulas(const std::string& path) {
  SaveCatalogue(path, *formulas_, kFormulasFileName, formulasPath_);
}

TFormula* TGrovana::FindFormula(int id) const { return formulas_->FormulaCollection().FindItemID(id); }

// ---- Simulation ----

std::string TGrovana::TemplatePath() const {
  const std::string inWork = ResolvePath(kSimulationTemplateName);
  if (FileExists(inWork)) return inWork;
  const std::string beside = JoinPath(exeDir_, kSimulationTemplateName);
  return FileExists(beside) ? beside : inWork;
}

void TGrovana::NewSimulation() { LoadSimulationFile(TemplatePath(), ""); }

void TGrovana::NewBlankSimulation() {
  std::unique_ptr<TSimulationPersist> fresh(new TSimulationPersist(this));
  TSimulation& simulation = fresh->SimulationCollection().Add();
  InstallSimulation(fresh.release(), &simulation, "");
}

bool TGrovana::HasSimulation() const { return simulations_->SimulationCollection().Count() > 0; }

void TGrovana::LoadSimulation(const std::string& path) {
  const std::string full = ResolvePath(path);
  LoadSimulationFile(full, full);
}

void TGrovana::LoadSimulationFile(const std::string& fullPath, const std::string& remembered) {
  // The file goes into a new root that keeps the current Filename and Tag
  // where the file has none; the current simulation stays until it is read.
  std::unique_ptr<TSimulationPersist> fresh(new TSimulationPersist(this));
  fresh->SetFilename(simulations_->Filename());
  fresh->SetTag(simulations_->Tag());
  LoadComponent(fullPath, *fresh);
  TSimulationCollection& simulations = fresh->SimulationCollection();
  // A file without simulations gets a new one.
  TSimulation* current =
      !fresh->Filename().empty() && simulations.Count() > 0 ? &simulations.GetItem(0) : &simulations.Add();
  InstallSimulation(fresh.release(), current, remembered);
}

void TGrovana::InstallSimulation(TSimulationPersist* root, TSimulation* current, const std::string& path) {
  std::unique_ptr<TSimulationPersist> old(simulations_);
  simulations_ = root;
  current_ = current;
  cdsSimulation_->Close();
  cdsLog_->Close();
  cdsThin_->Close();
  // The growth table of the old simulation is not shown any more.
  cdsPrognosis_->SetCollection(nullptr);
  cdsSimulation_->SetCollection(&root->SimulationCollection());
  cdsLog_->SetCollection(&current->ProductCollection());
  cdsThin_->SetCollection(&current->ThinCollection());
  old.reset();

  cdsSimulation_->Open();
  if (current->Index() > 0) cdsSimulation_->SetRecNo(current->Index() + 1);
  cdsSimulation_->Refresh();
  cdsLog_->Open();
  cdsThin_->Open();
  simulationPath_ = path;
  calculated_ = false;
}

void TGrovana::SaveSimulation(const std::string& path) {
  if (!path.empty()) {
    SaveCatalogue(path, *simulations_, kSimulationTemplateName, simulationPath_);
    return;
  }
  std::string full = simulationPath_;
  if (full.empty()) {
    if (simulations_->Filename().empty())
      throw EFCreateError("Não foi possível criar o arquivo: falta o nome do arquivo");
    full = ResolvePath(simulations_->Filename());
  }
  SaveComponent(full, *simulations_);
  simulationPath_ = full;
}

std::string TGrovana::GetFileName() const { return simulations_->Filename(); }

bool TGrovana::SimulationNeedsName() const {
  return simulationPath_.empty() || simulations_->Filename().empty() ||
         simulations_->Filename() == kSimulationTemplateName ||
         ExtractFileName(simulationPath_) == kSimulationTemplateName;
}

bool TGrovana::SaveSimulationAs() {
  if (!dialogs_) return false;
  FileDialogOptions options;
  options.title = "Salvar Simulação";
  options.filter = kDataFileFilter;
  options.defaultExt = "dat";
  options.initialDir = exeDir_;
  options.fileName = GetFileName();
  options.overwritePrompt = true;
  const std::string path = dialogs_->SaveFile(options);
  if (path.empty()) return false;
  SaveSimulation(path);
  return true;
}

bool TGrovana::SaveSimulationOrAsk() {
  if (SimulationNeedsName()) return SaveSimulationAs();
  SaveSimulation();
  return true;
}

TThin* TGrovana::FindThin(int id) const { return current_ ? current_->ThinCollection().FindItemID(id) : nullptr; }

TProduct* TGrovana::FindLog(int id) const {
  return current_ ? current_->ProductCollection().FindItemID(id) : nullptr;
}

bool TGrovana::LocateThin(int id) {
  TCollectionDataSet& ds = *cdsThin_;
  if (!ds.Active()) return false;
  // A notification runs inside a dataset operation: moving now would make
  // that operation act on another record.
  if (notifying_ > 0) return !ds.IsEmpty() && IdOf(ds) == id;
  for (ds.First(); !ds.Eof(); ds.Next())
    if (IdOf(ds) == id) return true;
  return false;
}

bool TGrovana::CalculateResults() {
  PostIfEditing(*cdsSimulation_);
  PostIfEditing(*cdsThin_);
  PostIfEditing(*cdsLog_);
  if (calculated_) return true;
  if (!current_) return false;

  bool ok = current_->Validate();
  if (ok) {
    cdsPrognosis_->Close();
    current_->PrognosisCollection().Clear();
    current_->ProductionCollection().Clear();
    ++runCount_;
    ok = current_->Execute();
    if (ok) {
      cdsPrognosis_->SetCollection(&current_->PrognosisCollection());
      cdsPrognosis_->Open();
    }
  }
  // Validation and the run write into the items behind the datasets.
  if (cdsSimulation_->Active()) cdsSimulation_->Resync();
  if (cdsThin_->Active()) cdsThin_->Resync();
  calculated_ = ok;
  return ok;
}

bool TGrovana::Verify() {
  PostIfEditing(*cdsSimulation_);
  if (!current_) return false;
  const bool ok = current_->Validate();
  if (cdsSimulation_->Active()) cdsSimulation_->Resync();
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

int TGrovana::GetInventoryType() const { return cdsSimulation_->FieldByName("InventoryType").AsInteger(); }

void TGrovana::SetInventoryType(int value) { WriteInteger(*cdsSimulation_, "InventoryType", value); }

int TGrovana::GetInventoryMode() const { return cdsSimulation_->FieldByName("InventoryMode").AsInteger(); }

void TGrovana::SetInventoryMode(int value) { WriteInteger(*cdsSimulation_, "InventoryMode", value); }

int TGrovana::GetListingOption() const { return cdsSimulation_->FieldByName("ListingOption").AsInteger(); }

void TGrovana::SetListingOption(int value) { WriteInteger(*cdsSimulation_, "ListingOption", value); }

void TGrovana::SetHomogeneityDegree(int value) {
  TField& f = cdsSimulation_->FieldByName("HomogeneityDegree");
  if (!f.IsNull() && f.AsFloat() == value) return;
  EditIfBrowsing(*cdsSimulation_);
  f.SetAsInteger(value);
}

int TGrovana::GetThinType() const { return cdsThin_->FieldByName("ThinType").AsInteger(); }

void TGrovana::SetThinType(int value) { WriteInteger(*cdsThin_, "ThinType", value); }

int TGrovana::GetThinMode() const { return cdsThin_->FieldByName("ThinMode").AsInteger(); }

void TGrovana::SetThinMode(int value) {
  WriteInteger(*cdsThin_, "ThinMode", value);
  if (value == 0) WriteFloat(*cdsThin_, "RemanescentTrees", 0);
  if (value == 1) WriteFloat(*cdsThin_, "RemanescentBaseArea", 0);
}

void TGrovana::SetEquation(const TFormula* formula, const char* expression, const char* author,
                           const char* description) {
  if (!formula) return;
  EditIfBrowsing(*cdsSimulation_);
  cdsSimulation_->FieldByName(expression).SetAsString(formula->Expression());
  cdsSimulation_->FieldByName(author).SetAsString(formula->Author());
  cdsSimulation_->FieldByName(description).SetAsString(formula->Description());
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
    cdsSimulation_->FieldByName("ShapeFunctionIntegral2Equation").SetAsString(integral->Expression());
}

// ---- Logs from the catalogue ----

void TGrovana::CopyProductToLogs(int recNo) {
  if (recNo < 1 || recNo > cdsProduct_->RecordCount() || !cdsLog_->Active()) return;
  cdsProduct_->SetRecNo(recNo);
  cdsLog_->Append();
  for (const char* name : {"Name", "MinDiameter", "Size", "Price", "PriceEvolutionRate"})
    cdsLog_->FieldByName(name).SetValue(cdsProduct_->FieldByName(name).Value());
  // Posts the new record, so it is validated.
  cdsLog_->Refresh();
}

void TGrovana::CopyAllProductsToLogs() {
  for (cdsProduct_->First(); !cdsProduct_->Eof(); cdsProduct_->Next()) CopyProductToLogs(cdsProduct_->RecNo());
}

// ---- Handlers ----

template <class Item>
void TGrovana::CheckPosted(Item* item, const char* title) {
  if (!item) return;
  if (item->Validate(errors_)) {
    if (presenter_) presenter_->HideErrors();
    return;
  }
  errors_.SetTitle(title);
  if (presenter_) presenter_->ShowErrors(title, ErrorLines(errors_));
  // The record stays stored; the operation that posted it stops.
  throw EAbort();
}

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

void TGrovana::cdsProductAfterPost(TDataSet& ds) {
  calculated_ = false;
  CheckPosted(FindProduct(IdOf(ds)), kTitleProductErrors);
}

void TGrovana::cdsLogAfterPost(TDataSet& ds) {
  calculated_ = false;
  CheckPosted(FindLog(IdOf(ds)), kTitleLogErrors);
}

void TGrovana::cdsFormulaAfterPost(TDataSet& ds) {
  calculated_ = false;
  CheckPosted(FindFormula(IdOf(ds)), kTitleFormulaErrors);
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
  if (field.AsInteger() != 2) WriteInteger(*cdsThin_, "CutRows", 0);
}

void TGrovana::cdsPrognosisAfterPost(TDataSet&) { calculated_ = false; }

void TGrovana::dsSimulationStateChange(TDataSource&) { calculated_ = false; }
