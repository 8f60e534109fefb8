#pragma once
// Quorva's main window: the plan page with the item tree and the six frames,
// the economic report page and the cost report page, the menus, and the
// "Calcular" road (a move to either report page calculates the plan and
// rebuilds both reports, or shows the errors and stays). Keeps the tree's
// production nodes in step with the project module's notices.

#include <memory>
#include <string>

#include "forms/MainWindow.h"
#include "quorva/model/QuorvaNotifications.h"

class IDocumentFrame;
class QAction;
class QTreeWidgetItem;
class RtfView;
class TCatalog;
class TFrameCatalogoCusto;
class TFrameCusto;
class TFrameProducao;
class TFrameProducoes;
class TFrameProduct;
class TFrameQuorva;
class TMarquel;
class TProducao;
class TRelatorioCustos;
namespace quorva {
class TResult;
}

class TFormQuorva : public TMainWindow, public IQuorvaNotifications {
public:
  static constexpr const char* kProgramName = "Quorva";
  // The manual, opened from the executable's folder by the hidden
  // "Introdução".
  static constexpr const char* kHelpFile = "ManualQuorva.pdf";
  // A press on the plan toolbar lower than this opens About.
  static constexpr int kAboutHotSpotY = 385;
  static constexpr int kPlanPage = 0;
  static constexpr int kResultPage = 1;
  static constexpr int kCostReportPage = 2;

  // Builds the window over the two data modules: the tree, a new plan from
  // the template (a plan in memory only when it cannot be read), the report
  // writers. options.aboutOpener empty: Quorva's About window.
  TFormQuorva(TMarquel& marquel, TCatalog& catalog, TWindowSeams seams, TMainWindowOptions options = {});
  ~TFormQuorva() override;

  // ---- File commands: by the current frame and page
  void Importar();

  // ---- Pages
  // Calculates, then moves to "Resultado" through the "Calcular" road.
  void ShowResults();
  void MenuVisualizarPlanoClick();
  void MenuVisualizarResultadoClick();
  void MenuVisualizarRelatorioCustosClick();
  // The hidden "Introdução": the manual beside the executable.
  void Introducao();

  // ---- Reports
  void SaveResult();
  void SaveRelatorioCustos();
  void PrintResult();
  void PrintRelatorioCustos();

  // ---- Tree
  // One node per production under "Produções", in age order as the plan's
  // age cursor yields them.
  void BuildProductionNodes();
  // Production nodes, the plan page, the whole tree expanded, "Projeto"
  // selected, the items shown, the plan frame current.
  void RefreshTree();
  // The first node under "Produções" carrying the production's Id.
  QTreeWidgetItem* FindProductionNode(int id) const;
  // "<Origem> aos <Idade> anos".
  static std::string ProductionText(const TProducao& producao);

  // ---- Project module notices
  void ProductionPosted(int id, int idade) override;
  void ProductionDeleted(int id, int idade) override;
  void CostTypeChanged(TCostType type, TCostUnit unit) override;

protected:
  void PageChanging(int newPage, bool& allowChange) override;
  void TreeViewChange(QTreeWidgetItem* node) override;
  void PrintDocument() override;
  void DocumentReplaced(bool replaced) override;

private:
  void BuildMenus();
  void BuildTree();
  void StartPlan();
  // The plan changed: neither view keeps another plan's report.
  void ClearReports();
  void ProductionsImported();
  std::string PlanDescription() const;

  TMarquel& marquel_;
  TCatalog& catalog_;
  std::unique_ptr<quorva::TResult> result_;
  std::unique_ptr<TRelatorioCustos> relatorioCustos_;
  TFrameProducao* frameProducao_ = nullptr;
  TFrameQuorva* frameQuorva_ = nullptr;
  TFrameProduct* frameProduct_ = nullptr;
  TFrameCusto* frameCusto_ = nullptr;
  TFrameCatalogoCusto* frameCatalogoCusto_ = nullptr;
  TFrameProducoes* frameProducoes_ = nullptr;
  QTreeWidgetItem* projetoNode_ = nullptr;
  QTreeWidgetItem* producoesNode_ = nullptr;
  TGBVertListView* toolBar_ = nullptr;
  RtfView* richEdit_ = nullptr;
  RtfView* richEditCustos_ = nullptr;
  QAction* menuPlano_ = nullptr;
  QAction* menuResultado_ = nullptr;
  QAction* menuRelatorioCustos_ = nullptr;
  QAction* menuItens_ = nullptr;
};
