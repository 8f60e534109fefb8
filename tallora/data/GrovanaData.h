#pragma once
// Tallora's data module: the product and formula catalogues, the simulations
// with the current one, the datasets the windows edit them through, the
// validation of catalogue entries and log products on post, the cached
// results, and the notifications to the main window.

#include <memory>
#include <string>

#include "model/growth/FormulaUnit.h"
#include "model/growth/SimulationUnit.h"
#include "model/items/ErrorsUnit.h"
#include "platform/classes/Classes.h"
#include "platform/db/DB.h"
#include "storage/CatalogueFile.h"
#include "storage/CollectionDataSet.h"
#include "storage/DataModule.h"
#include "storage/KnownFile.h"
#include "storage/PersistUnit.h"
#include "storage/ProductCatalog.h"
#include "storage/SavedImage.h"
#include "tallora/data/ThinNotifications.h"

// The formula catalogue ("Formulas.dat").
class TFormulaPersist : public TCollectionRoot<TFormulaPersist, TFormulaCollection> {
public:
  static constexpr const char* kClassName = "TFormulaPersist";
  static constexpr const char* kKindName = "catálogo de fórmulas";
  static constexpr const char* kCollectionName = "FormulaCollection";

  explicit TFormulaPersist(TComponent* owner = nullptr) : TCollectionRoot(owner) {}

  TFormulaCollection& FormulaCollection() { return Items(); }
  const TFormulaCollection& FormulaCollection() const { return Items(); }
};

// A simulation file ("Simulation.dat" and the user's simulations).
class TSimulationPersist : public TCollectionRoot<TSimulationPersist, TSimulationCollection> {
public:
  static constexpr const char* kClassName = "TSimulationPersist";
  static constexpr const char* kKindName = "simulação";
  static constexpr const char* kCollectionName = "SimulationCollection";

  explicit TSimulationPersist(TComponent* owner = nullptr) : TCollectionRoot(owner) {}

  TSimulationCollection& SimulationCollection() { return Items(); }
  const TSimulationCollection& SimulationCollection() const { return Items(); }
};

inline constexpr const char* kFormulasFileName = "Formulas.dat";
inline constexpr const char* kSimulationTemplateName = "Simulation.dat";

inline constexpr const char* kTitleLogErrors = "Erros no Sortimento de Toras";
inline constexpr const char* kTitleFormulaErrors = "Erros na Fórmula";
inline constexpr const char* kMsgFormulaProtected = "Esta Fórmula não pode ser excluida!";
// Formulas with an Id below this cannot be deleted.
inline constexpr int kProtectedFormulas = 4;

class TGrovana : public TComponent {
  TQ_DECLARE_CLASS(TGrovana)
public:
  // Loads "Produtos.dat" and "Formulas.dat" from beside the executable: a
  // missing catalogue stays empty, a damaged one is reported through the
  // dialogs and stays empty. No simulation until the first load.
  TGrovana(TComponent* owner, TDataFolders folders, TDataSeams seams);
  ~TGrovana() override;

  // The main window, told about posted, deleted and selected thinnings;
  // nullptr for none.
  IThinNotifications* MainWindow() const { return mainWindow_; }
  void SetMainWindow(IThinNotifications* window) { mainWindow_ = window; }
  const TDataFolders& Folders() const { return folders_; }

  // ---- Catalogues ----
  TProductCatalog& Products() { return products_; }
  // A failed load leaves the catalogue as it was.
  void LoadProducts(const std::string& path) { products_.Load(path); }
  // A path stores its bare name in Filename. Without one: the path the
  // catalogue was loaded from or saved to, else the stored Filename (or
  // "Produtos.dat") beside the executable. False when nothing was written
  // (TProductCatalog::Save).
  bool SaveProducts(const std::string& path = "") { return products_.Save(path); }
  TProduct* FindProduct(int id) const { return products_.Find(id); }
  void LoadFormulas(const std::string& path) { formulas_.Load(path); }
  // Ids are positions again when the file is read back: each associated
  // formula is written as the position of the formula it names. False when
  // nothing was written (TCatalogueFile::Save).
  bool SaveFormulas(const std::string& path = "");
  // A save of the formula catalogue would write other bytes than were last
  // read or written.
  bool FormulasChanged();
  TFormula* FindFormula(int id) const;
  // Full paths the catalogues were last read from or written to; empty for none.
  const std::string& ProductsPath() const { return products_.Path(); }
  const std::string& FormulasPath() const { return formulas_.Path(); }

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
  // working folder. The file last read or written there, changed by another
  // program since, is written over only when the dialogs' question is
  // answered Sim (TKnownFile::MayWrite). False when nothing was written.
  bool SaveSimulation(const std::string& path = "");
  // A save would write other bytes than were last read or written (for a
  // new simulation: than the template gave).
  bool SimulationChanged() const { return simulationSaved_.Differs(*simulations_); }
  // The bare name stored in the simulation root.
  std::string GetFileName() const;
  // What a dialog proposes: the bare name of the file last read or written,
  // for a new simulation the stored one.
  std::string ProposedFileName() const {
    return simulationPath_.empty() ? GetFileName() : ExtractFileName(simulationPath_);
  }
  // Full path of the open document; empty for a new one.
  const std::string& SimulationPath() const { return simulationPath_; }
  // Where "Nova" reads the template.
  std::string TemplatePath() const { return folders_.TemplatePath(kSimulationTemplateName); }
  // A plain save must ask for a name: the document is new, unnamed, or still
  // carries the template's name.
  bool SimulationNeedsName() const;

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
  // The fields may hold any integer; it comes back as it is.
  TInventoryType GetInventoryType() const;
  void SetInventoryType(TInventoryType value);
  TInventoryMode GetInventoryMode() const;
  void SetInventoryMode(TInventoryMode value);
  TListingOption GetListingOption() const;
  void SetListingOption(TListingOption value);
  void SetHomogeneityDegree(int value);
  TThinType GetThinType() const;
  void SetThinType(TThinType value);
  TThinMode GetThinMode() const;
  // RemainingBaseArea zeroes RemanescentTrees, RemainingTrees RemanescentBaseArea.
  void SetThinMode(TThinMode value);
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
  TProductPersist& ProductRoot() const { return products_.Root(); }
  TFormulaPersist& FormulaRoot() const { return formulas_.Root(); }
  TSimulationPersist& SimulationRoot() const { return *simulations_; }

  TCollectionDataSet& cdsProduct() { return products_.cdsProduct(); }
  TCollectionDataSet& cdsFormula() { return formulas_.DataSet(); }
  TCollectionDataSet& cdsSimulation() { return cdsSimulation_; }
  TCollectionDataSet& cdsLog() { return cdsLog_; }
  TCollectionDataSet& cdsThin() { return cdsThin_; }
  TCollectionDataSet& cdsPrognosis() { return cdsPrognosis_; }
  TDataSource& dsProduct() { return products_.dsProduct(); }
  TDataSource& dsFormula() { return formulas_.Source(); }
  TDataSource& dsSimulation() { return dsSimulation_; }
  TDataSource& dsLog() { return dsLog_; }
  TDataSource& dsThin() { return dsThin_; }
  TDataSource& dsPrognose() { return dsPrognose_; }

private:
  void SetUpDataSets();
  void LoadSimulationFile(const std::string& fullPath, const std::string& remembered);
  // path: the file read (bytes) for a document; empty for a new one.
  void InstallSimulation(std::unique_ptr<TSimulationPersist> root, TSimulation* current, const std::string& path,
                         std::string bytes = {});
  // Runs what with every associated formula naming its formula by position,
  // as the file stores it.
  template <class F>
  auto WithStoredReferences(F&& what);

  // Handlers.
  void cdsLogAfterPost(TDataSet& ds);
  void cdsFormulaAfterPost(TDataSet& ds);
  void cdsFormulaBeforeDelete(TDataSet& ds);
  void cdsThinAfterInsert(TDataSet& ds);
  void cdsThinAfterPost(TDataSet& ds);
  void cdsThinBeforeDelete(TDataSet& ds);
  void cdsThinThinTypeChange(TField& field);
  void cdsPrognosisAfterPost(TDataSet& ds);
  void dsSimulationStateChange(TDataSource& source);

  // Writes an integer field of a dataset only when it differs.
  void WriteInteger(TDataSet& ds, const char* field, int value);
  void WriteFloat(TDataSet& ds, const char* field, double value);
  void SetEquation(const TFormula* formula, const char* expression, const char* author, const char* description);
  void InputChanged() { calculated_ = false; }
  // Calls the main window with the re-entrancy mark set.
  template <class F>
  void Notify(F&& call);

  TDataFolders folders_;
  TDataSeams seams_;
  IThinNotifications* mainWindow_ = nullptr;
  TErrorList errors_;
  bool calculated_ = false;
  TSimulation* current_ = nullptr;
  int runCount_ = 0;
  int notifying_ = 0;
  std::string simulationPath_;
  TSavedImage simulationSaved_;
  // The simulation's file as last read or written.
  TKnownFile simulationFile_;

  // Declared after the state their handlers use, so they go first.
  TProductCatalog products_;
  TCatalogueFile<TFormulaPersist> formulas_;
  std::unique_ptr<TSimulationPersist> simulations_;
  TCollectionDataSet cdsSimulation_;
  TCollectionDataSet cdsLog_;
  TCollectionDataSet cdsThin_;
  TCollectionDataSet cdsPrognosis_;
  TDataSource dsSimulation_;
  TDataSource dsLog_;
  TDataSource dsThin_;
  TDataSource dsPrognose_;
};
