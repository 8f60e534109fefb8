#pragma once
// Quorva's project data module: the plan file, the current plan and the five
// datasets through which it is edited, validation and calculation on request,
// copies from the catalogues, and the rules between a cost's unit and type.

#include <memory>
#include <string>

#include "model/items/ErrorsUnit.h"
#include "platform/classes/Classes.h"
#include "platform/db/DB.h"
#include "quorva/model/QuorvaNotifications.h"
#include "quorva/model/QuorvaUnit.h"
#include "storage/CollectionDataSet.h"
#include "storage/DataModule.h"
#include "storage/KnownFile.h"
#include "storage/PersistUnit.h"
#include "storage/SavedImage.h"

class TCatalog;

// Root of a plan file.
class TQuorvaPersist : public TCollectionRoot<TQuorvaPersist, TQuorvas> {
public:
  static constexpr const char* kClassName = "TQuorvaPersist";
  static constexpr const char* kKindName = "plano";
  static constexpr const char* kCollectionName = "Quorvas";

  explicit TQuorvaPersist(TComponent* owner = nullptr) : TCollectionRoot(owner) {}

  TQuorvas& Quorvas() { return Items(); }
  const TQuorvas& Quorvas() const { return Items(); }
};

inline constexpr const char* kPlanTemplateName = "Plano1.dat";
inline constexpr const char* kQuorvaErrorsTitle = "Erros no Quorva";
inline constexpr const char* kMsgCostTypeToUnitario =
    "Ao mudar o Tipo de Custo de Anual para Unitário as informações anuais serão perdidas. Deseja "
    "continuar?";

class TMarquel : public TComponent {
  TQ_DECLARE_CLASS(TMarquel)
public:
  // The template is looked for in the working folder, then beside the
  // executable. The datasets stay closed until the first OpenPlan.
  TMarquel(TComponent* owner, TDataFolders folders, IDialogs& dialogs);
  ~TMarquel() override;

  // The main window, told about productions and cost types.
  void SetMainWindow(IQuorvaNotifications* listener) { mainWindow_ = listener; }
  IQuorvaNotifications* MainWindow() const { return mainWindow_; }
  void SetCatalog(TCatalog* catalog) { catalog_ = catalog; }
  const TDataFolders& Folders() const { return folders_; }

  // Reads the file into a fresh root and swaps it in only on success, so a
  // failed open leaves the current plan and datasets as they were. The first
  // plan becomes current; a new one is added when the file stores no Filename
  // or no plan.
  void OpenPlan(const std::string& path);
  // OpenPlan of the template "Plano1.dat".
  void NewPlan();
  // A plan in memory only, stored as "Plano1.dat" (when the template cannot be read).
  void NewEmptyPlan();
  // The template in the working folder, else beside the executable.
  std::string TemplatePath() const { return folders_.TemplatePath(kPlanTemplateName); }
  // Filename := bare name of path; written with SaveComponent. The file last
  // read or written there, changed by another program since, is written
  // over only when the dialogs' question is answered Sim
  // (TKnownFile::MayWrite). False when nothing was written.
  bool SavePlan(const std::string& path);
  std::string GetFileName() const { return root_->Filename(); }
  // What a dialog proposes: the bare name of the file last read or written,
  // for a new plan the stored one.
  std::string ProposedFileName() const { return planPath_.empty() ? GetFileName() : ExtractFileName(planPath_); }
  // Full path the plan was last opened from or saved to.
  const std::string& PlanPath() const { return planPath_; }
  // A plan stored under no name or the template's must be saved under a new one.
  bool NeedsNewName() const;
  bool HasPlan() const { return root_->Quorvas().Count() > 0; }
  // A save would write other bytes than were last read or written (for a
  // new plan: than the template gave).
  bool PlanChanged() const { return saved_.Differs(*root_); }

  TProducao* FindProducao(int id) const;
  bool LocateProducao(const TProducao& producao);

  // Posts pending edits; reuses cached results, else validates and calculates.
  // A failed calculation adds code 99 with its message.
  bool CalculateResults();
  bool Verify();

  int GetTemAnaliseSensibilidade() const;
  // Written without edit state; a change clears Calculated.
  void SetTemAnaliseSensibilidade(int value);

  void ClearProducoes();
  void BindProducoes();
  // The data steps of the import road: the simulator file is read and its
  // productions built first, so a file that cannot be read, brings no
  // production or fails while they are built leaves the plan as it was; then
  // the productions are replaced by the built ones and cdsProducao is bound
  // again.
  void ImportProductions(const std::string& path);

  // Record numbers of the catalogue datasets (1..RecordCount; others do nothing).
  void CopyProductToItems(int recNo);
  void CopyAllProductsToItems();
  void CopyCostToCustos(int recNo);
  void CopyAllCostsToCustos();

  TErrorList& Errors() { return errors_; }
  bool Calculated() const { return calculated_; }
  TQuorva* CurrentPlan() const { return currentPlan_; }
  TQuorvaPersist& Root() { return *root_; }
  const std::string& PreviousTipoCusto() const { return previousTipoCusto_; }

  TCollectionDataSet& cdsQuorva() { return cdsQuorva_; }
  TCollectionDataSet& cdsCusto() { return cdsCusto_; }
  TCollectionDataSet& cdsCustoAnual() { return cdsCustoAnual_; }
  TCollectionDataSet& cdsProducao() { return cdsProducao_; }
  TCollectionDataSet& cdsItemProducao() { return cdsItemProducao_; }
  TDataSource& dsQuorva() { return dsQuorva_; }
  TDataSource& dsCusto() { return dsCusto_; }
  TDataSource& dsCustoAnual() { return dsCustoAnual_; }
  TDataSource& dsProducao() { return dsProducao_; }
  TDataSource& dsItemProducao() { return dsItemProducao_; }

  // The cost grid entered a column: the rules of a move to the current cost
  // run again.
  void CostColumnEntered() { cdsCustoAfterScroll(cdsCusto_); }

private:
  void cdsQuorvaAfterPost(TDataSet& dataSet);
  void cdsCustoAfterScroll(TDataSet& dataSet);
  void cdsCustoBeforePost(TDataSet& dataSet);
  void cdsCustoAfterPost(TDataSet& dataSet);
  void cdsCustoAnualAfterPost(TDataSet& dataSet);
  void cdsProducaoAfterScroll(TDataSet& dataSet);
  void cdsProducaoAfterPost(TDataSet& dataSet);
  void cdsProducaoBeforeDelete(TDataSet& dataSet);
  void cdsItemProducaoAfterPost(TDataSet& dataSet);

  void SetUpDataSets();
  // bytes gets the file's bytes.
  std::unique_ptr<TQuorvaPersist> ReadPlanFile(const std::string& path, std::string& bytes) const;
  // path: the file read (bytes) for a document; empty for a new one.
  void InstallRoot(std::unique_ptr<TQuorvaPersist> root, const std::string& path, std::string bytes = {});
  void CloseAll();
  // The controls show what validation or the calculation stored.
  void ShowStoredPlan();
  // Enforces "$/M3 is one-off" on the cost; PorM3 when it applied, else
  // Other.
  TCostUnit ApplyUnitRule(TCusto* custo);
  void Invalidate() { calculated_ = false; }

  TDataFolders folders_;
  IDialogs& dialogs_;
  IQuorvaNotifications* mainWindow_ = nullptr;
  TCatalog* catalog_ = nullptr;
  TErrorList errors_;
  bool calculated_ = false;
  std::string previousTipoCusto_ = kTipoCustoUnitario;
  std::string planPath_;
  TQuorva* currentPlan_ = nullptr;
  TSavedImage saved_;
  // The plan's file as last read or written.
  TKnownFile planFile_;

  // Declared after the state their handlers use, so they go first.
  std::unique_ptr<TQuorvaPersist> root_;
  TCollectionDataSet cdsQuorva_;
  TCollectionDataSet cdsCusto_;
  TCollectionDataSet cdsCustoAnual_;
  TCollectionDataSet cdsProducao_;
  TCollectionDataSet cdsItemProducao_;
  TDataSource dsQuorva_;
  TDataSource dsCusto_;
  TDataSource dsCustoAnual_;
  TDataSource dsProducao_;
  TDataSource dsItemProducao_;
};
