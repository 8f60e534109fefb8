#pragma once
// Tallora's data module: the product and formula catalogues, the simulations
// with the current one, the datasets the windows edit them through, the
// validation of catalogue entries and log products on post, the cached
// results, and the notifications to the main window.

#include <string>
#include <vector>

#include "model/items/ErrorsUnit.h"
#include "model/growth/FormulaUnit.h"
#include "model/growth/SimulationUnit.h"
#include "platform/classes/Classes.h"
#include "platform/services/Services.h"
#include "storage/CollectionDataSet.h"
#include "storage/PersistUnit.h"
#include "tallora/data/ThinNotifications.h"

// The formula catalogue ("Formulas.dat").
class TFormulaPersist : public TFileRoot {
  TQ_DECLARE_CLASS(TFormulaPersist)
public:
  explicit TFormulaPersist(TComponent* owner = nullptr);

  TFormulaCollection& FormulaCollection() { return *formulas_; }

private:
  std::unique_ptr<TFormulaCollection> formulas_;
};

// A simulation file ("Simulation.dat" and the user's simulations).
class TSimulationPersist : public TFileRoot {
  TQ_DECLARE_CLASS(TSimulationPersist)
public:
  explicit TSimulationPersist(TComponent* owner = nullptr);

  TSimulationCollection& SimulationCollection() { return *simulations_; }

private:
  std::unique_ptr<TSimulationCollection> simulations_;
};

inline constexpr const char* kProductsFileName = "Produtos.dat";
inline constexpr const char* kFormulasFileName = "Formulas.dat";
inline constexpr const char* kSimulationTemplateName = "Simulation.dat";
inline constexpr const char* kDataFileFilter = "Data Files (*.dat)|*.dat|All Files (*.*)|*.*";

inline constexpr const char* kTitleProductErrors = "Erros em Produtos";
inline constexpr const char* kTitleLogErrors = "Erros no Sortimento de Toras";
inline constexpr const char* kTitleFormulaErrors = "Erros na Fórmula";
inline constexpr const char* kMsgFormulaProtected = "Esta Fórmula não pode ser excluida!";
// Formulas with an Id below this cannot be deleted.
inline constexpr int kProtectedFormulas = 4;


// Folders that file names are resolved against.
struct TGrovanaFolders {
  // Catalogues, and the template when the working folder has none; empty:
  // the folder of the running executable.
  std::string ExeDir;
  // Bare and relative names; empty: the process's current directory.
  std::string WorkDir;
};

class TGrovana : public TComponent {
  TQ_DECLARE_CLASS(TGrovana)
public:
  // Loads "Produtos.dat" and "Formulas.dat" from the executable's folder; a
  // missing catalogue stays empty, a damaged one is reported through the
  // dialogs (when given) and stays empty.
  explicit TGrovana(TGrovanaFolders folders = {}, IDialogs* dialogs = nullptr, TComponent* owner = nullptr);
  ~TGrovana() override;

  // Receivers; nullptr for none. The main window stands for the messages
  // WM_ITEMPOSTED, WM_ITEMDELETED and WM_SELECTITEM.
  IThinNotifications* MainWindow() const { return mainWindow_; }
  void SetMainWindow(IThinNotifications* window) { mainWindow_ = window; }
  IErrorPresenter* ErrorPresenter() const { return presenter_; }
  void SetErrorPresenter(IErrorPresenter* presenter) { presenter_ = presenter; }
  IDialogs* Dialogs() const { return dialogs_; }
  void SetDialogs(IDialogs* dialogs) { dialogs_ = dialogs; }

  const std::string& ExeDir() const { return exeDir_; }
  // A relative path against the working folder; an absolute one unchanged.
  std::string ResolvePath(const std::string& path) const;

  // ---- Catalogues ----
  // A failed load leaves the catalogue as it was.
  void LoadProducts(const std::string& path);
  // A path stores its bare name in Filename. Without one: the path the
  // catalogue was loaded from or saved to, else the stored Filename (or
  // "Produtos.dat") beside the executable.
  void SaveProducts(const std::string& path = "");
  TProduct* FindProduct(int id) const;
  void LoadFormulas(const std::string& path);
  void SaveFormulas(const std::string& path = "");
  TFormula* FindFormula(int id) const;
  // Full paths the catalogues were last read from or written to; empty for none.
  const std::string& ProductsPath() const { return productsPath_; }
  const std::string& FormulasPath() const { return formulasPath_; }

  // ---- Simulation ----
  // The template, from the working folder or else beside the executable.
  void NewSimulation();
  // A simulation with the constructor's values, when the template cannot be read.
  void NewBlankSimulation();
  bool HasSimulation() const;
  // A failed load leaves the current simulation as it was.
  void LoadSimulation(const std::string& path);
  // A path stores its bare name in Filename. Without one: the path the
  // simulation was opened from or saved to, else the stored Filename in the
  // working folder.
  void SaveSimulation(const std::string& path = "");
  // The bare name stored in the simulation root.
  std::string GetFileName() const;
  // Full path of the open document; empty for a new one.
  const std::string& SimulationPath() const { return simulationPath_; }
  // Where "Nova" reads the template.
  std::string TemplatePath() const;
  // A plain save must ask for a name: the document is new, unnamed, or still
  // carries the template's name.
  bool SimulationNeedsName() const;
  // "Salvar Como": asks the dialogs for a path and saves; false when cancelled.
  bool SaveSimulationAs();
  // "Salvar": SaveSimulationAs when a name is needed, else a plain save.
  bool SaveSimulationOrAsk();

  TThin* FindThin(int id) const;
  TProduct* FindLog(int id) const;
  // Moves cdsThin from its first record to the thinning; false (at the end)
  // when absent. While a notification is being delivered it moves nothing
  // and answers whether the current record is that thinning.
  bool LocateThin(int id);
  bool LocateThin(const TThin& thin) { return LocateThin(thin.Id()); }

  // Posts pending edits; validates and runs unless the results are current.
  // False leaves the messages in CurrentSimulation()->Errors().
  bool CalculateResults();
  // Posts a pending simulation edit and validates; never sets Calculated.
  bool Verify();
  // Runs of the simulation so far.
  int RunCount() const { return runCount_; }

  // ---- Fields of the current records ----
  int GetInventoryType() const;
  void SetInventoryType(int value);
  int GetInventoryMode() const;
  void SetInventoryMode(int value);
  int GetListingOption() const;
  void SetListingOption(int value);
  void SetHomogeneityDegree(int value);
  int GetThinType() const;
  void SetThinType(int value);
  int GetThinMode() const;
  // Mode 0 zeroes RemanescentTrees, mode 1 RemanescentBaseArea.
  void SetThinMode(int value);
  // Copy the formula's text, author and description; nothing without one.
  void SetSiteIndexEquation(const TFormula* formula);
  void SetVolumeEquation(const TFormula* formula);
  // Also the squared-taper integral from the associated catalogue formula.
  void SetShapeFunctionEquation(const TFormula* formula);

  // Appends catalogue record n (from 1) to the log assortment and posts it;
  // nothing outside 1..record count.
  void CopyProductToLogs(int recNo);
  void CopyAllProductsToLogs();

  // ---- State ----
  TErrorList& Errors() { return errors_; }
  bool Calculated() const { return calculated_; }
  TSimulation* CurrentSimulation() const { return current_; }
  TProductPersist& ProductRoot() const { return *products_; }
  TFormulaPersist& FormulaRoot() const { return *formulas_; }
  TSimulationPersist& SimulationRoot() const { return *simulations_; }

  TCollectionDataSet& cdsProduct() const { return *cdsProduct_; }
  TCollectionDataSet& cdsFormula() const { return *cdsFormula_; }
  TCollectionDataSet& cdsSimulation() const { return *cdsSimulation_; }
  TCollectionDataSet& cdsLog() const { return *cdsLog_; }
  TCollectionDataSet& cdsThin() const { return *cdsThin_; }
  TCollectionDataSet& cdsPrognosis() const { return *cdsPrognosis_; }
  TDataSource& dsProduct() const { return *dsProduct_; }
  TDataSource& dsFormula() const { return *dsFormula_; }
  TDataSource& dsSimulation() const { return *dsSimulation_; }
  TDataSource& dsLog() const { return *dsLog_; }
  TDataSource& dsThin() const { return *dsThin_; }
  TDataSource& dsPrognose() const { return *dsPrognose_; }

private:
  void CreateDataSets();
  void LoadCatalogueAtStart(const char* fileName, bool products);
  template <class Root>
  void LoadCatalogue(const std::string& path, Root*& root, TCollectionDataSet& ds, std::string& remembered);
  template <class Root>
  void SaveCatalogue(const std::string& path, Root& root, const char* defaultName, std::string& remembered);
  void LoadSimulationFile(const std::string& fullPath, const std::string& remembered);
  void InstallSimulation(TSimulationPersist* root, TSimulation* current, const std::string& path);

  // Handlers.
  void cdsProductAfterPost(TDataSet& ds);
  void cdsLogAfterPost(TDataSet& ds);
  void cdsFormulaAfterPost(TDataSet& ds);
  void cdsFormulaBeforeDelete(TDataSet& ds);
  void cdsThinAfterInsert(TDataSet& ds);
  void cdsThinAfterPost(TDataSet& ds);
  void cdsThinBeforeDelete(TDataSet& ds);
  void cdsThinThinTypeChange(TField& field);
  void cdsPrognosisAfterPost(TDataSet& ds);
  void dsSimulationStateChange(TDataSource& source);

  // Validation of a posted entry: hides the error window, or shows it and aborts.
  template <class Item>
  void CheckPosted(Item* item, const char* title);
  // Writes an integer field of a dataset only when it differs.
  void WriteInteger(TDataSet& ds, const char* field, int value);
  void WriteFloat(TDataSet& ds, const char* field, double value);
  void SetEquation(const TFormula* formula, const char* expression, const char* author, const char* description);
  void InputChanged() { calculated_ = false; }
  // Calls the main window with the re-entrancy mark set.
  template <class F>
  void Notify(F&& call);

  std::string exeDir_;
  std::string workDir_;
  IDialogs* dialogs_ = nullptr;
  IErrorPresenter* presenter_ = nullptr;
  IThinNotifications* mainWindow_ = nullptr;

  // Owned as components.
  TCollectionDataSet* cdsProduct_ = nullptr;
  TCollectionDataSet* cdsFormula_ = nullptr;
  TCollectionDataSet* cdsSimulation_ = nullptr;
  TCollectionDataSet* cdsLog_ = nullptr;
  TCollectionDataSet* cdsThin_ = nullptr;
  TCollectionDataSet* cdsPrognosis_ = nullptr;
  TDataSource* dsProduct_ = nullptr;
  TDataSource* dsFormula_ = nullptr;
  TDataSource* dsSimulation_ = nullptr;
  TDataSource* dsLog_ = nullptr;
  TDataSource* dsThin_ = nullptr;
  TDataSource* dsPrognose_ = nullptr;
  TProductPersist* products_ = nullptr;
  TFormulaPersist* formulas_ = nullptr;
  TSimulationPersist* simulations_ = nullptr;

  TErrorList errors_;
  bool calculated_ = false;
  TSimulation* current_ = nullptr;
  int runCount_ = 0;
  int notifying_ = 0;
  std::string productsPath_;
  std::string formulasPath_;
  std::string simulationPath_;
};

// The program's one data module; nullptr until the program sets it.
TGrovana* Grovana();
void SetGrovana(TGrovana* grovana);
