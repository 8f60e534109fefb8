#include "tallora/app/TalloraForm.h"

#include <QAction>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <algorithm>
#include <utility>
#include <vector>

#include "forms/AboutForm.h"
#include "forms/DocumentFrame.h"
#include "model/growth/ResultUnit.h"
#include "model/growth/SimulationUnit.h"
#include "model/items/ErrorsUnit.h"
#include "platform/gui/Graphics.h"
#include "platform/gui/Guard.h"
#include "platform/richedit/RtfView.h"
#include "platform/rtl/Exceptions.h"
#include "tallora/app/EquationsFrame.h"
#include "tallora/app/FormulaFrame.h"
#include "tallora/app/GraphicForm.h"
#include "tallora/app/InventoryFrame.h"
#include "tallora/app/ListOptionsFrame.h"
#include "tallora/app/LogsFrame.h"
#include "tallora/app/ProductCatalogFrame.h"
#include "tallora/app/ShapeFunctionEquationFrame.h"
#include "tallora/app/SimulationFrame.h"
#include "tallora/app/SiteIndexEquationFrame.h"
#include "tallora/app/TalloraContent.h"
#include "tallora/app/ThinCollectionFrame.h"
#include "tallora/app/ThinFrame.h"
#include "tallora/app/VolumeEquationFrame.h"
#include "tallora/data/GrovanaData.h"
#include "widgets/gbOutBar.h"

namespace {

constexpr int kEntryPage = 0;
constexpr int kResultPage = 1;

TMainWindowOptions TalloraOptions(TMainWindowOptions options, std::function<void()> about) {
  options.programName = TFormTallora::kProgramName;
  options.clientWidth = 804;
  options.clientHeight = 555;
  options.itemsWidth = 212;
  options.captionHeight = 13;
  if (!options.aboutOpener) options.aboutOpener = std::move(about);
  return options;
}

std::string AgeText(int age) {
  return "Idade " + std::to_string(age);
}

}  // namespace

TFormTallora::TFormTallora(TGrovana& grovana, TWindowSeams seams, TMainWindowOptions options)
    : TMainWindow(std::move(seams),
                  TalloraOptions(std::move(options),
                                 [this] { ShowAbout(TalloraAboutContent(), Seams().Shell, Seams().Frames.Dialogs); })),
      grovana_(grovana),
      result_(std::make_unique<TResult>()) {
  setObjectName("FormTallora");
  BuildMenus();

  TGBOutBarGroup* entry = AddPage("Entrada de Dados", "OutBarGroupSimulation");
  TGBOutBarGroup* results = AddPage("Resultado", "OutBarGroupResult");

  toolBar_ = AddEntryToolbar(entry, menuItens_);
  AddItemsArea(entry, menuItens_);
  const TFrameSeams& frames = Seams().Frames;
  frameSimulation_ = ItemsArea().AddFrame(new TFrameSimulation(nullptr, grovana_, frames), "FrameSimulation");
  frameInventory_ = ItemsArea().AddFrame(new TFrameInventory(nullptr, grovana_), "FrameInventory");
  frameListOptions_ = ItemsArea().AddFrame(new TFrameListOptions(nullptr, grovana_), "FrameListOptions");
  frameThinCollection_ = ItemsArea().AddFrame(new TFrameThinCollection(nullptr, grovana_, frames),
                                              "FrameThinCollection");
  frameThin_ = ItemsArea().AddFrame(new TFrameThin(nullptr, grovana_), "FrameThin");
  frameEquations_ = ItemsArea().AddFrame(new TFrameEquations(nullptr, grovana_), "FrameEquations");
  frameSiteIndex_ = ItemsArea().AddFrame(new TFrameSiteIndexEquation(nullptr, grovana_), "FrameSiteIndexEquation");
  frameVolume_ = ItemsArea().AddFrame(new TFrameVolumeEquation(nullptr, grovana_), "FrameVolumeEquation");
  frameShapeFunction_ = ItemsArea().AddFrame(new TFrameShapeFunctionEquation(nullptr, grovana_),
                                             "FrameShapeFunctionEquation");
  frameLogs_ = ItemsArea().AddFrame(new TFrameLogs(nullptr, grovana_, frames), "FrameLogs");
  frameProduct_ = ItemsArea().AddFrame(MakeProductFrame(nullptr, grovana_, frames), "FrameProduct");
  frameFormula_ = ItemsArea().AddFrame(new TFrameFormula(nullptr, grovana_, frames), "FrameFormula");

  // On this window the simulation page names the species in its title.
  QLabel* title = frameSimulation_->TitleLabel();
  title->setText(QString::fromUtf8(kSpeciesTitle));
  title->setFont(PixelFont("Arial", 21, fsBold | fsItalic));
  title->setStyleSheet(QStringLiteral("color: #008000;"));
  frameSimulation_->SetSpeciesVisible(false);
  frameSimulation_->OnCalculate = [this] { ShowResults(); };

  AddReportToolbar(results, "OutBarToolbarResult", "OutBarGroupToolBarResult");
  richEdit_ = AddReportView(
      results, "RichEdit", [this] { SaveResult(); }, [this] { PrintResult(); });

  SetDocumentFrames(frameSimulation_, {frameFormula_, frameProduct_});
  SetPageActions({menuSimulacao_, menuResultado_});
  SetAboutHotSpot(toolBar_, kAboutHotSpotY);
  FinishLayout();

  grovana_.SetMainWindow(this);
  frameThinCollection_->SetMainWindow(this);
  BuildTree();
  StartSimulation();
  RefreshTree();
}

TFormTallora::~TFormTallora() {
  if (grovana_.MainWindow() == this) grovana_.SetMainWindow(nullptr);
  if (frameThinCollection_) frameThinCollection_->SetMainWindow(nullptr);
  if (chart_) chart_->OnClose = nullptr;
}

TFormGraphic& TFormTallora::Chart() {
  if (!chart_) chart_ = std::make_unique<TFormGraphic>(this);
  return *chart_;
}

void TFormTallora::BuildMenus() {
  BuildMenuBar({
      .file = {.novo = "&Nova", .novoName = "MenuArquivoNova", .salvar = "&Salvar"},
      .menus = {{"&Gráfico",
                 "MenuVisualizar",
                 {{"&Simulação",
                   [this] { MenuVisualizarSimulacaoClick(); },
                   {.name = "MenuVisualizarSimulacao", .visible = false, .checkable = true, .checked = true}},
                  {"&Resultado",
                   [this] { MenuVisualizarResultadoClick(); },
                   {.name = "MenuVisualizarResultado", .checkable = true}},
                  {"Gráfico",
                   [this] { MenuVisualizarGraficoClick(); },
                   {.name = "MenuVisualizarGrafico", .enabled = false, .checkable = true}}}}},
      // The third menu opens About when chosen; its items stay as hidden
      // commands of the window.
      .barCommand = {" Análise econômica     Manual     Outras opções", [this] { OpenAbout(); }, {.name = "MenuAjuda"}},
      // "&Itens" shows on the toolbar only.
      .windowActions = {ItemsEntry(),
                        {"Ajuda do Tallora", [this] { OpenAbout(); }, {.name = "TalloraHelp", .visible = false}},
                        {"Ajuda do navegador", [this] { OpenAbout(); }, {.name = "NavigatorHelp", .visible = false}},
                        {"&Sobre...", [this] { OpenAbout(); }, {.name = "MenuAjudaSobre", .visible = false}}},
  });
  menuSimulacao_ = FindAction("MenuVisualizarSimulacao");
  menuResultado_ = FindAction("MenuVisualizarResultado");
  menuGrafico_ = FindAction("MenuVisualizarGrafico");
  menuItens_ = FindAction("MenuVisualizarItens");
}

void TFormTallora::BuildTree() {
  simulationNode_ = ItemsArea().AddNode(nullptr, "Simulação", frameSimulation_);
  ItemsArea().AddNode(simulationNode_, "Inventário", frameInventory_);
  ItemsArea().AddNode(simulationNode_, "Opções de Listagens", frameListOptions_);
  thinsNode_ = ItemsArea().AddNode(simulationNode_, "Desbastes", frameThinCollection_);
  QTreeWidgetItem* equations = ItemsArea().AddNode(simulationNode_, "Equações", frameEquations_);
  ItemsArea().AddNode(equations, "Sítio", frameSiteIndex_);
  ItemsArea().AddNode(equations, "Volume", frameVolume_);
  ItemsArea().AddNode(equations, "Sortimento", frameShapeFunction_);
  ItemsArea().AddNode(simulationNode_, "Diâmetro de toras e sortimento", frameLogs_);
  QTreeWidgetItem* catalogues = ItemsArea().AddNode(nullptr, "Catálogos");
  ItemsArea().AddNode(catalogues, "Produtos", frameProduct_);
  ItemsArea().AddNode(catalogues, "Fórmulas", frameFormula_);
}

// A template that cannot be read is reported, and the window goes on with
// a simulation of the constructor's values.
void TFormTallora::StartSimulation() {
  try {
    frameSimulation_->New();
  } catch (...) {
    HandleGuardedException();
  }
  if (!grovana_.HasSimulation()) {
    grovana_.NewBlankSimulation();
    SetDocumentCaption("Nova Simulação");
  }
}

// ---- Tree

void TFormTallora::RefreshTree() {
  ItemsArea().DeleteChildren(thinsNode_);
  if (TSimulation* simulation = grovana_.CurrentSimulation()) {
    std::vector<std::pair<int, int>> thins;  // age, Id
    for (const TThin& thin : simulation->ThinCollection()) thins.emplace_back(thin.Age(), thin.Id());
    std::stable_sort(thins.begin(), thins.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [age, id] : thins) TItemsArea::AddItemNode(thinsNode_, AgeText(age), id);
  }
  MenuVisualizarSimulacaoClick();
  ItemsArea().ExpandAll();
  ItemsArea().ClearSelection();
  ItemsArea().SelectNode(simulationNode_);
  ItemsArea().ShowItems();
  ItemsArea().ShowFrame(frameSimulation_);
  frameInventory_->ShowInventory();
  frameListOptions_->ShowListingOption();
}

QTreeWidgetItem* TFormTallora::FindThinNode(int id) const {
  return TItemsArea::FindItemNode(thinsNode_, id);
}

void TFormTallora::TreeViewChange(QTreeWidgetItem* node) {
  // Leaving a thinning's page posts what was typed there (an untouched edit
  // is dropped), so its node, renamed by ItemPosted, and the other pages
  // show the same age.
  if (TDataSet& thins = grovana_.cdsThin(); thins.Editing()) thins.CheckBrowseMode();
  if (node == simulationNode_) frameSimulation_->ShowSummary();
  if (QWidget* frame = TItemsArea::NodeFrame(node)) {
    ItemsArea().ShowFrame(frame);
  } else if (const std::optional<int> id = TItemsArea::NodeItemId(node)) {
    // A node whose thinning is gone is ignored.
    if (!grovana_.FindThin(*id)) return;
    ItemsArea().ShowFrame(frameThin_);
    grovana_.LocateThin(*id);
    frameThin_->ShowThin();
  }
}

// ---- Notices of the data module

void TFormTallora::ItemPosted(int id, int age) {
  if (QTreeWidgetItem* node = FindThinNode(id)) {
    TItemsArea::SetNodeText(node, AgeText(age));
  } else if (TThin* thin = grovana_.FindThin(id)) {
    TItemsArea::AddItemNode(thinsNode_, AgeText(thin->Age()), id);
  }
}

void TFormTallora::ItemDeleted(int id, int) {
  ItemsArea().DeleteItemNode(FindThinNode(id));
}

void TFormTallora::SelectItem(int id) {
  if (QTreeWidgetItem* node = FindThinNode(id)) ItemsArea().SelectNode(node);
}

// ---- Pages

void TFormTallora::PageChanging(int newPage, bool& allowChange) {
  if (newPage != kResultPage) {
    if (const std::optional<int> id = TItemsArea::NodeItemId(ItemsArea().SelectedNode());
        id && grovana_.FindThin(*id)) {
      frameThin_->ShowThin();
    }
    MarkPage(kEntryPage);
    allowChange = true;
    return;
  }
  if (!grovana_.CalculateResults()) {
    if (TSimulation* simulation = grovana_.CurrentSimulation()) {
      Errors().ShowErrors(simulation->Errors().Title(), ErrorLines(simulation->Errors()));
    }
    allowChange = false;
    throw EAbort();
  }
  Errors().HideErrors();
  TSimulation& simulation = *grovana_.CurrentSimulation();
  result_->Build(simulation);
  richEdit_->LoadFromBytes(result_->GetStream());
  if (menuGrafico_->isChecked()) Chart().PlotPrognosis(simulation);
  MarkPage(kResultPage);
  allowChange = true;
  menuGrafico_->setEnabled(true);
}

void TFormTallora::ShowResults() {
  ShowPage(kResultPage);
}

void TFormTallora::MenuVisualizarSimulacaoClick() {
  ShowPage(kEntryPage);
  MarkPage(kEntryPage);
}

void TFormTallora::MenuVisualizarResultadoClick() {
  ShowResults();
}

void TFormTallora::MenuVisualizarGraficoClick() {
  TFormGraphic& chart = Chart();
  chart.OnClose = [this] { menuGrafico_->setChecked(false); };
  TSimulation* simulation = grovana_.CurrentSimulation();
  // Qt has toggled the mark. Without results it goes, and a chart of earlier
  // results with it.
  if (!menuGrafico_->isChecked() || !grovana_.cdsPrognosis().Active() || !simulation) {
    chart.hide();
    menuGrafico_->setChecked(false);
    return;
  }
  chart.PlotPrognosis(*simulation);
  chart.show();
  chart.raise();
}

// ---- File commands

// A simulation that could not be read stays: its tree again.
void TFormTallora::DocumentReplaced(bool) {
  RefreshTree();
}

// From the data-entry page the report is calculated first.
void TFormTallora::PrintDocument() {
  ShowResults();
  PrintResult();
}

void TFormTallora::SaveResult() {
  Reports().SaveReport(*richEdit_, grovana_.ProposedFileName());
}

void TFormTallora::PrintResult() {
  TSimulation* simulation = grovana_.CurrentSimulation();
  Reports().PrintReport(*richEdit_, simulation ? simulation->Description() : std::string());
}
