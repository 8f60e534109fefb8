#include "quorva/app/QuorvaForm.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QTreeWidget>
#include <filesystem>
#include <utility>

#include "forms/AboutForm.h"
#include "forms/DocumentFrame.h"
#include "forms/ProductFrame.h"
#include "model/items/ErrorsUnit.h"
#include "platform/gui/Guard.h"
#include "platform/richedit/RtfView.h"
#include "platform/rtl/Exceptions.h"
#include "platform/services/Services.h"
#include "quorva/app/CatalogoCustoFrame.h"
#include "quorva/app/CustoFrame.h"
#include "quorva/app/ProducaoFrame.h"
#include "quorva/app/ProducoesFrame.h"
#include "quorva/app/ProductCatalogFrame.h"
#include "quorva/app/QuorvaContent.h"
#include "quorva/app/QuorvaFrame.h"
#include "quorva/model/CatalogData.h"
#include "quorva/model/MarquelData.h"
#include "quorva/model/RelatorioCustosUnit.h"
#include "quorva/model/ResultUnit.h"
#include "widgets/gbOutBar.h"

namespace {

TMainWindowOptions QuorvaOptions(TMainWindowOptions options, std::function<void()> about) {
  options.programName = TFormQuorva::kProgramName;
  options.clientWidth = 804;
  options.clientHeight = 554;
  options.itemsWidth = 210;
  options.captionHeight = 11;
  if (!options.aboutOpener) options.aboutOpener = std::move(about);
  return options;
}

}  // namespace

TFormQuorva::TFormQuorva(TMarquel& marquel, TCatalog& catalog, TWindowSeams seams, TMainWindowOptions options)
    : TMainWindow(std::move(seams),
                  QuorvaOptions(std::move(options),
                                [this] { ShowAbout(QuorvaAboutContent(), Seams().Shell, Seams().Frames.Dialogs); })),
      marquel_(marquel),
      catalog_(catalog),
      result_(std::make_unique<quorva::TResult>()),
      relatorioCustos_(std::make_unique<TRelatorioCustos>()) {
  setObjectName("FormQuorva");
  marquel_.SetCatalog(&catalog_);
  BuildMenus();

  TGBOutBarGroup* plan = AddPage("Plano", "OutBarGroupSimulation");
  TGBOutBarGroup* result = AddPage("Resultado", "OutBarGroupResult");
  TGBOutBarGroup* costs = AddPage("Relatório de Custos", "OutBarGroupRelatorioCustos");

  toolBar_ = AddEntryToolbar(plan, menuItens_);
  AddItemsArea(plan, menuItens_);
  const TFrameSeams& frames = Seams().Frames;
  frameProducao_ = ItemsArea().AddFrame(new TFrameProducao(nullptr, marquel_, catalog_, frames), "FrameProducao");
  frameQuorva_ = ItemsArea().AddFrame(new TFrameQuorva(nullptr, marquel_, frames), "FrameQuorva");
  frameProduct_ = ItemsArea().AddFrame(MakeProductFrame(nullptr, catalog_, frames), "FrameProduct");
  frameCusto_ = ItemsArea().AddFrame(new TFrameCusto(nullptr, marquel_, catalog_, frames), "FrameCusto");
  frameCatalogoCusto_ = ItemsArea().AddFrame(new TFrameCatalogoCusto(nullptr, catalog_, frames), "FrameCatalogoCusto");
  frameProducoes_ = ItemsArea().AddFrame(new TFrameProducoes(nullptr, marquel_, frames), "FrameProducoes");
  frameQuorva_->OnCalculate = [this] { ShowResults(); };
  frameProducoes_->OnImported = [this] { ProductionsImported(); };

  AddReportToolbar(result, "OutBarToolBarResult", "OutBarGroupToolBarResult");
  richEdit_ = AddReportView(
      result, "RichEdit", [this] { SaveResult(); }, [this] { PrintResult(); });

  AddReportToolbar(costs, "GBOutBar1", "GBOutBarVertListView1");
  richEditCustos_ = AddReportView(
      costs, "RichEditRelatorioCustos", [this] { SaveRelatorioCustos(); }, [this] { PrintRelatorioCustos(); },
      "PopupMenuRelatorioCustos");
  // The cost report wraps: a vertical bar only.
  richEditCustos_->SetWordWrap(true);
  richEditCustos_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

  SetDocumentFrames(frameQuorva_, {frameCatalogoCusto_, frameProduct_});
  SetPageActions({menuPlano_, menuResultado_, menuRelatorioCustos_});
  SetAboutHotSpot(toolBar_, kAboutHotSpotY);
  FinishLayout();

  marquel_.SetMainWindow(this);
  BuildTree();
  StartPlan();
  RefreshTree();
}

TFormQuorva::~TFormQuorva() {
  if (marquel_.MainWindow() == this) marquel_.SetMainWindow(nullptr);
}

void TFormQuorva::BuildMenus() {
  BuildMenuBar({
      .file = {.more = {{"&Importar...", [this] { Importar(); }, {.name = "MenuArquivoImportar"}}}},
      .menus = {{"&Visualizar",
                 "MenuVisualizar",
                 {{"&Plano",
                   [this] { MenuVisualizarPlanoClick(); },
                   {.name = "MenuVisualizarPlano", .checkable = true, .checked = true}},
                  {"&Resultado",
                   [this] { MenuVisualizarResultadoClick(); },
                   {.name = "MenuVisualizarResultado", .checkable = true}},
                  ItemsEntry(),
                  {"Relatório de &Custos",
                   [this] { MenuVisualizarRelatorioCustosClick(); },
                   {.name = "MenuVisualizarRelatrioCustos", .checkable = true}}}}},
      // "Aj&uda" opens About when chosen; its items stay as hidden commands.
      .barCommand = {"Aj&uda", [this] { OpenAbout(); }, {.name = "MenuAjuda"}},
      .windowActions = {{"Introdução", [this] { Introducao(); }, {.name = "Introduo1", .visible = false}},
                        {"Índ&ice", [this] { OpenAbout(); }, {.name = "ndice1", .visible = false}},
                        {"&Sobre...", [this] { OpenAbout(); }, {.name = "MenuAjudaSobre", .visible = false}}},
  });
  menuPlano_ = FindAction("MenuVisualizarPlano");
  menuResultado_ = FindAction("MenuVisualizarResultado");
  menuRelatorioCustos_ = FindAction("MenuVisualizarRelatrioCustos");
  menuItens_ = FindAction("MenuVisualizarItens");
}

void TFormQuorva::BuildTree() {
  projetoNode_ = ItemsArea().AddNode(nullptr, "Projeto", frameQuorva_);
  producoesNode_ = ItemsArea().AddNode(projetoNode_, "Produções", frameProducoes_);
  ItemsArea().AddNode(projetoNode_, "Custos", frameCusto_);
  QTreeWidgetItem* catalogos = ItemsArea().AddNode(nullptr, "Catálogos de opções");
  ItemsArea().AddNode(catalogos, "Produtos", frameProduct_);
  ItemsArea().AddNode(catalogos, "Custos", frameCatalogoCusto_);
}

// A template that cannot be read is reported, and the window goes on with a
// plan in memory stored as the template's name, so "Salvar" asks for one.
void TFormQuorva::StartPlan() {
  try {
    frameQuorva_->New();
  } catch (...) {
    HandleGuardedException();
  }
  if (!marquel_.HasPlan()) {
    marquel_.NewEmptyPlan();
    frameQuorva_->ShowAnaliseSensibilidade();
    SetDocumentCaption("Novo Projeto");
  }
}

std::string TFormQuorva::PlanDescription() const {
  const TQuorva* plan = marquel_.CurrentPlan();
  return plan ? plan->Descricao() : std::string();
}

void TFormQuorva::ClearReports() {
  richEdit_->LoadFromBytes(std::string());
  richEditCustos_->LoadFromBytes(std::string());
}

// ---- Tree

std::string TFormQuorva::ProductionText(const TProducao& producao) {
  return producao.Origem() + " aos " + std::to_string(producao.Idade()) + " anos";
}

void TFormQuorva::BuildProductionNodes() {
  ItemsArea().DeleteChildren(producoesNode_);
  TQuorva* plan = marquel_.CurrentPlan();
  if (!plan) return;
  TProducoes& producoes = plan->Producoes();
  for (TProducao* p = producoes.FirstByAge(); p; p = producoes.NextByAge())
    TItemsArea::AddItemNode(producoesNode_, ProductionText(*p), p->Id());
}

void TFormQuorva::RefreshTree() {
  BuildProductionNodes();
  MenuVisualizarPlanoClick();
  ItemsArea().ExpandAll();
  ItemsArea().SelectNode(projetoNode_);
  ItemsArea().ShowItems();
  ItemsArea().ShowFrame(frameQuorva_);
}

QTreeWidgetItem* TFormQuorva::FindProductionNode(int id) const {
  return TItemsArea::FindItemNode(producoesNode_, id);
}

void TFormQuorva::TreeViewChange(QTreeWidgetItem* node) {
  if (node == projetoNode_) frameQuorva_->ShowAnaliseSensibilidade();
  if (QWidget* frame = TItemsArea::NodeFrame(node)) {
    ItemsArea().ShowFrame(frame);
  } else if (const std::optional<int> id = TItemsArea::NodeItemId(node)) {
    // A node whose production is gone is ignored.
    TProducao* producao = marquel_.FindProducao(*id);
    if (!producao) return;
    ItemsArea().ShowFrame(frameProducao_);
    marquel_.LocateProducao(*producao);
  }
}

// After an import that got past its dialog, read or not: the nodes of the
// productions there are now, and no report of the plan as it was.
void TFormQuorva::ProductionsImported() {
  BuildProductionNodes();
  ClearReports();
  // The production page showed a production that is gone.
  if (TItemsArea::IsCurrentFrame(frameProducao_)) ItemsArea().SelectNode(producoesNode_);
}

// ---- Notices of the project module

void TFormQuorva::ProductionPosted(int id, int) {
  TProducao* producao = marquel_.FindProducao(id);
  if (!producao) return;
  const std::string text = ProductionText(*producao);
  if (QTreeWidgetItem* node = FindProductionNode(id)) {
    TItemsArea::SetNodeText(node, text);
  } else {
    TItemsArea::AddItemNode(producoesNode_, text, id);
  }
}

void TFormQuorva::ProductionDeleted(int id, int) {
  ItemsArea().DeleteItemNode(FindProductionNode(id));
}

void TFormQuorva::CostTypeChanged(TCostType type, TCostUnit unit) {
  frameCusto_->CostTypeChanged(type, unit);
}

// ---- Pages: the "Calcular" road

void TFormQuorva::PageChanging(int newPage, bool& allowChange) {
  if (newPage != kResultPage && newPage != kCostReportPage) {
    MarkPage(kPlanPage);
    allowChange = true;
    return;
  }
  if (!marquel_.CalculateResults()) {
    Errors().ShowErrors(marquel_.Errors().Title(), ErrorLines(marquel_.Errors()));
    allowChange = false;
    throw EAbort();
  }
  Errors().HideErrors();
  TQuorva& plan = *marquel_.CurrentPlan();
  result_->Build(plan);
  relatorioCustos_->Build(plan);
  richEdit_->LoadFromBytes(result_->GetStream());
  richEditCustos_->LoadFromBytes(relatorioCustos_->GetStream());
  MarkPage(newPage);
  allowChange = true;
}

void TFormQuorva::ShowResults() {
  // Validation may raise the final age to the oldest harvest; the page change
  // then validates what is stored. After a success it calculates nothing.
  marquel_.CalculateResults();
  ShowPage(kResultPage);
}

void TFormQuorva::MenuVisualizarPlanoClick() {
  ShowPage(kPlanPage);
  MarkPage(kPlanPage);
}

void TFormQuorva::MenuVisualizarResultadoClick() {
  ShowPage(kResultPage);
  MarkPage(kResultPage);
}

void TFormQuorva::MenuVisualizarRelatorioCustosClick() {
  ShowPage(kCostReportPage);
  MarkPage(kCostReportPage);
}

void TFormQuorva::Introducao() {
  const std::string manual = (std::filesystem::path(ExeDir()) / kHelpFile).string();
  Seams().Shell.Open(manual);
}

// ---- File commands

// A new plan has no reports yet; a plan that could not be read stays, its
// tree rebuilt.
void TFormQuorva::DocumentReplaced(bool replaced) {
  if (replaced) ClearReports();
  RefreshTree();
}

// From the plan page: the economic report as last built (empty before the
// first calculation).
void TFormQuorva::PrintDocument() {
  PrintResult();
}

void TFormQuorva::Importar() {
  frameProducoes_->ImportarSimulacao();
}

// ---- Reports

void TFormQuorva::SaveResult() {
  Reports().SaveReport(*richEdit_, marquel_.ProposedFileName());
}

void TFormQuorva::SaveRelatorioCustos() {
  Reports().SaveReport(*richEditCustos_, marquel_.ProposedFileName());
}

void TFormQuorva::PrintResult() {
  Reports().PrintReport(*richEdit_, PlanDescription());
}

void TFormQuorva::PrintRelatorioCustos() {
  Reports().PrintReport(*richEditCustos_, PlanDescription());
}
