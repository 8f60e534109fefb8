#pragma once
// Tallora's main window: the data-entry page with the item tree and the
// twelve frames, the results page with the report, the menus, and the
// "Calcular" road (a move to the results page calculates and rebuilds the
// report, or shows the errors and stays). Keeps the tree's thinning nodes in
// step with the data module's notices.

#include <QPointer>
#include <functional>
#include <memory>
#include <string>

#include "forms/MainWindow.h"
#include "tallora/data/ThinNotifications.h"

class IDocumentFrame;
class QAction;
class QTreeWidgetItem;
class RtfView;
class TFrameEquations;
class TFrameFormula;
class TFrameInventory;
class TFrameListOptions;
class TFrameLogs;
class TFrameProduct;
class TFrameShapeFunctionEquation;
class TFrameSimulation;
class TFrameSiteIndexEquation;
class TFrameThin;
class TFrameThinCollection;
class TFrameVolumeEquation;
class TFormGraphic;
class TGrovana;
class TResult;

class TFormTallora : public TMainWindow, public IThinNotifications {
public:
  static constexpr const char* kProgramName = "Tallora";
  static constexpr const char* kSpeciesTitle = "    Eucalyptus grandis / urograndis";
  // A press on the data-entry toolbar lower than this opens About.
  static constexpr int kAboutHotSpotY = 400;

  // Builds the window over the data module: the tree, a new simulation from
  // the template (or a blank one when it cannot be read), the thinning nodes.
  // options.aboutOpener empty: Tallora's About window.
  TFormTallora(TGrovana& grovana, TWindowSeams seams, TMainWindowOptions options = {});
  ~TFormTallora() override;

  // ---- Commands (menus, toolbars)
  // To the results page through the "Calcular" road.
  void ShowResults();
  void MenuVisualizarSimulacaoClick();
  void MenuVisualizarResultadoClick();
  void MenuVisualizarGraficoClick();
  void SaveResult();
  void PrintResult();

  // Thinning nodes under "Desbastes", every thinning in age order.
  void RefreshTree();

  // ---- Data module notices
  void ItemPosted(int id, int age) override;
  void ItemDeleted(int id, int age) override;
  void SelectItem(int id) override;

protected:
  void PageChanging(int newPage, bool& allowChange) override;
  void TreeViewChange(QTreeWidgetItem* node) override;
  void PrintDocument() override;
  void DocumentReplaced(bool replaced) override;

private:
  // The first child of "Desbastes" carrying the thinning's Id.
  QTreeWidgetItem* FindThinNode(int id) const;
  void BuildMenus();
  void BuildTree();
  void StartSimulation();
  TFormGraphic& Chart();

  TGrovana& grovana_;
  std::unique_ptr<TFormGraphic> chart_;
  std::unique_ptr<TResult> result_;
  TFrameSimulation* frameSimulation_ = nullptr;
  TFrameInventory* frameInventory_ = nullptr;
  TFrameListOptions* frameListOptions_ = nullptr;
  TFrameThinCollection* frameThinCollection_ = nullptr;
  TFrameThin* frameThin_ = nullptr;
  TFrameEquations* frameEquations_ = nullptr;
  TFrameSiteIndexEquation* frameSiteIndex_ = nullptr;
  TFrameVolumeEquation* frameVolume_ = nullptr;
  TFrameShapeFunctionEquation* frameShapeFunction_ = nullptr;
  TFrameLogs* frameLogs_ = nullptr;
  TFrameProduct* frameProduct_ = nullptr;
  TFrameFormula* frameFormula_ = nullptr;
  QTreeWidgetItem* simulationNode_ = nullptr;
  QTreeWidgetItem* thinsNode_ = nullptr;
  TGBVertListView* toolBar_ = nullptr;
  RtfView* richEdit_ = nullptr;
  QAction* menuSimulacao_ = nullptr;
  QAction* menuResultado_ = nullptr;
  QAction* menuGrafico_ = nullptr;
  QAction* menuItens_ = nullptr;
};
