// The main-window base: the current frame is the one enabled, the items
// toggle found by its action (also after it was dragged, and nothing when it
// is gone), toolbar items that show their action, dispatch by exact caption
// with the pending edit committed first, a refused page change stopping its command, the About hot
// spot opening queued, node removal without change events, the report's
// save dialog, a tree that never loses its selection to a click, a window
// that cannot be maximised. Writes main-window-base.png into the build
// folder.

#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QStackedWidget>
#include <QTest>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "forms/DocumentFrame.h"
#include "forms/MainWindow.h"
#include "platform/richedit/RtfView.h"
#include "platform/rtl/Exceptions.h"
#include "tests/support/Fakes.h"
#include "tests/support/TempDir.h"
#include "tests/support/gui/GuiSupport.h"
#include "tests/support/gui/WindowSeams.h"
#include "widgets/gbOutBar.h"
#include "widgets/gbOutPanel.h"

namespace {

// A document that never changes; "Novo" notes the text its edit shows.
class Document : public QWidget, public IMainDocumentFrame {
public:
  explicit Document(std::vector<std::string>& journal) : journal_(journal) {}
  void New() override { journal_.push_back("novo " + findChild<QLineEdit*>("Edit")->text().toStdString()); }
  bool Open() override { return false; }
  bool Save() override { return false; }
  bool SaveAs() override { return false; }
  bool Changed() override { return false; }
  std::string SaveQuestion() const override { return {}; }
  std::string Path() const override { return {}; }

private:
  std::vector<std::string>& journal_;
};

class Window : public TMainWindow {
public:
  std::vector<std::string> journal;
  bool refuse = false;
  QLineEdit* edit = nullptr;
  QWidget* first = nullptr;
  QWidget* second = nullptr;
  TGBVertListView* toolbar = nullptr;
  RtfView* report = nullptr;
  QTreeWidgetItem* root = nullptr;
  QTreeWidgetItem* list = nullptr;
  QAction* items = nullptr;

  Window(TWindowSeams seams, TMainWindowOptions options) : TMainWindow(std::move(seams), std::move(options)) {
    BuildMenuBar({.menus = {{"&Visualizar", nullptr, {ItemsEntry()}}}});
    items = FindAction("MenuVisualizarItens");
    TGBOutBarGroup* entry = AddPage("Entrada de Dados", "OutBarGroupSimulation");
    TGBOutBarGroup* results = AddPage("Resultado", "OutBarGroupResult");
    using C = TFileCommand;
    toolbar = AddToolbar(
        entry, {"OutBarToolBarSimulation",
                "OutBarGroupToolBar",
                {FileAction(C::Novo), FileAction(C::Abrir), FileAction(C::Salvar), FileAction(C::Imprimir), items}});
    AddItemsArea(entry, items);
    auto* document = ItemsArea().AddFrame(new Document(journal), "FrameFirst");
    first = document;
    SetDocumentFrames(document, {});
    edit = new QLineEdit(first);
    edit->setObjectName("Edit");
    second = ItemsArea().AddFrame(new QWidget, "FrameSecond");
    AddReportToolbar(results, "OutBarToolbarResult", "OutBarGroupToolBarResult");
    report = AddReportView(
        results, "RichEdit", [this] { journal.push_back("save"); }, [this] { journal.push_back("print"); });
    SetAboutHotSpot(toolbar, 400);
    root = ItemsArea().AddNode(nullptr, "Simulação", first);
    list = ItemsArea().AddNode(root, "Desbastes", second);
    TItemsArea::AddItemNode(list, "Idade 6", 10);
    TItemsArea::AddItemNode(list, "Idade 10", 11);
    ItemsArea().ExpandAll();
    FinishLayout();
    SetDocumentCaption("Nova Simulação");
  }

  void PrintDocument() override {
    ShowPage(1);
    journal.push_back("printed");
  }

  void DocumentReplaced(bool) override {}
  void PageChanging(int page, bool& allow) override {
    journal.push_back("changing " + std::to_string(page));
    if (refuse) throw EAbort();
    allow = true;
  }
  void TreeViewChange(QTreeWidgetItem* node) override {
    journal.push_back("tree " + node->text(0).toStdString());
    TMainWindow::TreeViewChange(node);
  }

  std::vector<std::string> Captions() const {
    std::vector<std::string> out;
    for (int i = 0; i < toolbar->Items().Count(); ++i) out.push_back(toolbar->Items()[i]->Caption());
    return out;
  }
};

struct MainWindowTest : ::testing::Test {
  TempDir dir;
  FakeWindowSeams seams{dir.Dir()};
  ScriptedDialogs& dialogs = seams.dialogs;
  std::unique_ptr<Window> w;
  int aboutOpened = 0;

  void SetUp() override {
    TMainWindowOptions options;
    options.programName = "Programa";
    options.itemsWidth = 212;
    options.aboutOpener = [this] { ++aboutOpened; };
    w = std::make_unique<Window>(seams.Seams(dir.Dir()), options);
    w->show();
  }
  void TearDown() override { w.reset(); }

  TItemsArea& items() { return w->ItemsArea(); }
  void Click(const std::string& caption) { ClickToolbarItem(*w, "OutBarGroupToolBar", caption); }
};

TEST_F(MainWindowTest, ClientAreaAndLayout) {
  EXPECT_EQ(w->width(), 804);
  EXPECT_EQ(w->height(), 555 + w->menuBar()->height());
  EXPECT_EQ(w->windowTitle(), QString::fromUtf8("Programa - Nova Simulação"));
  w->SetDocumentCaption(
      "A\x01"
      "B.dat");  // a name read from a file
  EXPECT_EQ(w->windowTitle(), QString::fromUtf8("Programa - A?B.dat"));
  // Positions on the page.
  QWidget* page = Find<TGBGroupBar>(*w, "GroupBar")->Groups(0);
  auto* panel = Find<TGBHeaderPanel>(*w, "HeaderPanelTreeView");
  EXPECT_EQ(panel->Width(), 212);
  EXPECT_EQ(panel->mapTo(page, QPoint()).x(), TMainWindow::kToolbarWidth);
  EXPECT_EQ(Find<QSplitter>(*w, "Splitter")->handle(1)->mapTo(page, QPoint()).x(), TMainWindow::kToolbarWidth + 212);
  EXPECT_EQ(w->toolbar->Parent()->Parent()->Width(), TMainWindow::kToolbarWidth);
  EXPECT_EQ(w->ActivePage(), 0);
  EXPECT_FALSE(w->report->WordWrap());
  EXPECT_TRUE(w->report->isReadOnly());
  EXPECT_FALSE(w->report->tabChangesFocus());
  EXPECT_FALSE(w->report->focusPolicy() & Qt::TabFocus);
  auto* menu = Find<QMenu>(*w, "PopupMenuDocument");
  ASSERT_NE(menu, nullptr);
  // The pop-up keeps its own captions and runs the window's actions.
  ASSERT_EQ(menu->actions().size(), 2);
  EXPECT_EQ(menu->actions()[0]->text(), QStringLiteral("&Salvar..."));
  EXPECT_EQ(menu->actions()[1]->text(), QStringLiteral("&Imprimir"));
  int saves = 0;
  QObject::connect(Find<QAction>(*w, "MenuArquivoSalvar"), &QAction::triggered, [&] { ++saves; });
  menu->actions()[0]->trigger();
  EXPECT_EQ(saves, 1);
  Find<QAction>(*w, "MenuArquivoImprimir")->setEnabled(false);
  EXPECT_FALSE(menu->actions()[1]->isEnabled());
  Find<QAction>(*w, "MenuArquivoImprimir")->setEnabled(true);
  const QImage shot = w->grab().toImage();
  EXPECT_TRUE(shot.save(QStringLiteral(TQ_BINARY_DIR "/main-window-base.png")));
}

TEST_F(MainWindowTest, TheCurrentFrameIsTheEnabledOne) {
  items().SelectNode(w->list);
  EXPECT_EQ(FrameShown(*w), w->second);
  EXPECT_TRUE(items().IsCurrentFrame(w->second));
  EXPECT_FALSE(items().IsCurrentFrame(w->first));
  EXPECT_EQ(Find<QStackedWidget>(*w, "Frames")->currentWidget(), w->second);
  items().SelectNode(w->root);
  EXPECT_TRUE(w->first->isEnabled());
  EXPECT_FALSE(w->second->isEnabled());
  // An item node carries no frame: the frame stays.
  items().SelectNode(w->list->child(0));
  EXPECT_EQ(FrameShown(*w), w->first);
  EXPECT_EQ(TItemsArea::NodeItemId(w->list->child(0)), 10);
  EXPECT_EQ(TItemsArea::FindItemNode(w->list, 11), w->list->child(1));
  EXPECT_EQ(TItemsArea::FindItemNode(w->list, 12), nullptr);
}

TEST_F(MainWindowTest, ClicksNeverLeaveTheTreeWithoutASelection) {
  auto* tree = Find<QTreeWidget>(*w, "TreeView");
  items().SelectNode(w->list);
  w->journal.clear();
  const QRect last = tree->visualItemRect(w->list->child(1));
  const QPoint below(last.left() + 20, last.bottom() + 30);
  ASSERT_LT(below.y(), tree->viewport()->height());
  ASSERT_EQ(tree->itemAt(below), nullptr);
  QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, below);
  QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, below);
  QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::ControlModifier, below);
  EXPECT_EQ(items().SelectedNode(), w->list);
  EXPECT_EQ(tree->selectedItems(), QList<QTreeWidgetItem*>{w->list});
  // Ctrl on the selected node, by mouse or by keyboard, keeps it selected.
  const QPoint onList = tree->visualItemRect(w->list).center();
  QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::ControlModifier, onList);
  tree->setFocus();
  QTest::keyClick(tree, Qt::Key_Space, Qt::ControlModifier);
  EXPECT_EQ(tree->selectedItems(), QList<QTreeWidgetItem*>{w->list});
  EXPECT_EQ(FrameShown(*w), w->second);
  EXPECT_TRUE(w->journal.empty());
  // A click on another node still moves the selection.
  QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(w->root).center());
  EXPECT_EQ(tree->selectedItems(), QList<QTreeWidgetItem*>{w->root});
  EXPECT_EQ(w->journal, (std::vector<std::string>{"tree Simulação"}));
  EXPECT_EQ(FrameShown(*w), w->first);
  // Clearing on purpose still clears.
  items().ClearSelection();
  EXPECT_EQ(items().SelectedNode(), nullptr);
  EXPECT_TRUE(tree->selectedItems().isEmpty());
}

TEST_F(MainWindowTest, TheWindowCannotBeMaximised) {
  EXPECT_FALSE(w->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(w->windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_TRUE(w->windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_TRUE(w->windowFlags() & Qt::WindowTitleHint);
  EXPECT_TRUE(w->isVisible());
  EXPECT_EQ(w->minimumSize(), w->maximumSize());
}

TEST_F(MainWindowTest, DeletingTheSelectedItemNodeSelectsItsParentSilently) {
  items().SelectNode(w->list->child(1));
  w->journal.clear();
  items().DeleteItemNode(w->list->child(1));
  EXPECT_EQ(items().SelectedNode(), w->list);
  EXPECT_EQ(w->list->childCount(), 1);
  EXPECT_TRUE(w->journal.empty());
  items().SelectNode(w->list->child(0));
  w->journal.clear();
  items().DeleteChildren(w->list);
  EXPECT_EQ(w->list->childCount(), 0);
  EXPECT_EQ(items().SelectedNode(), w->list);
  EXPECT_TRUE(w->journal.empty());
}

TEST_F(MainWindowTest, ItemsToggleIsFoundByItsAction) {
  Click(TItemsArea::kHideItems);
  EXPECT_FALSE(ItemsShown(*w));
  EXPECT_FALSE(Find<QSplitter>(*w, "Splitter")->handle(1)->isVisible());
  EXPECT_FALSE(w->items->isChecked());
  EXPECT_EQ(w->Captions().back(), TItemsArea::kShowItems);
  Click(TItemsArea::kShowItems);
  EXPECT_TRUE(ItemsShown(*w));
  EXPECT_TRUE(w->items->isChecked());
  EXPECT_EQ(w->Captions().back(), TItemsArea::kHideItems);
  // The menu item toggles by its check mark.
  w->items->trigger();
  EXPECT_FALSE(ItemsShown(*w));
  w->items->trigger();
  EXPECT_TRUE(ItemsShown(*w));

  // The toggle is the item carrying the action, whatever the others read.
  w->toolbar->Items()[0]->SetCaption(TItemsArea::kHideItems);
  items().HideItems();
  const std::string hide = TItemsArea::kHideItems, show = TItemsArea::kShowItems;
  EXPECT_EQ(w->Captions(), (std::vector<std::string>{hide, "Abrir", "Salvar", "Imprimir", show}));
  // Gone: nothing is renamed and nothing raises.
  w->toolbar->Items().Delete(4);
  items().ShowItems();
  EXPECT_TRUE(ItemsShown(*w));
  EXPECT_EQ(w->Captions(), (std::vector<std::string>{hide, "Abrir", "Salvar", "Imprimir"}));
  EXPECT_TRUE(RecordedExceptions().empty());
}

TEST_F(MainWindowTest, AToolbarItemShowsItsActionDisabled) {
  QAction* novo = Find<QAction>(*w, "MenuArquivoNovo");
  auto* item = static_cast<TGBVertListItem*>(w->toolbar->Items()[0]);
  const QImage enabled = Snap(*w->toolbar);
  novo->setEnabled(false);
  EXPECT_FALSE(item->Enabled());
  EXPECT_NE(Snap(*w->toolbar), enabled);
  items().SelectNode(w->root);
  w->journal.clear();
  Click("Novo");
  EXPECT_TRUE(w->journal.empty());
  novo->setEnabled(true);
  EXPECT_TRUE(item->Enabled());
  EXPECT_EQ(Snap(*w->toolbar), enabled);
}

TEST_F(MainWindowTest, ADraggedItemKeepsItsAction) {
  FakeGuiServices services;
  TGBVertListView* list = w->toolbar;
  services.controlAt = [list](TPoint) -> TControl* { return list; };
  auto at = [&](TPoint p) {
    services.cursorPos = list->ClientToScreen(p);
    return p;
  };
  // The toggle, the last item, to the top.
  const TRect icon = list->Items()[4]->DisplayRect(drIcon);
  const TPoint start = at({(icon.Left + icon.Right) / 2, (icon.Top + icon.Bottom) / 2});
  list->WMButtonDown(mbLeft, ssLeft, start.X, start.Y);
  list->WMMouseMove(ssLeft, start.X, start.Y + 8);
  const TPoint top = at({54, 2});
  list->WMMouseMove(ssLeft, top.X, top.Y);
  list->WMButtonUp(mbLeft, 0, top.X, top.Y);
  ASSERT_EQ(w->Captions().front(), TItemsArea::kHideItems);
  EXPECT_EQ(list->Items()[0]->Data(), w->items);
  Click(TItemsArea::kHideItems);
  EXPECT_FALSE(ItemsShown(*w));
  EXPECT_EQ(w->Captions().front(), TItemsArea::kShowItems);
}

TEST_F(MainWindowTest, CommandsCommitThePendingEditAndDispatchByExactCaption) {
  items().SelectNode(w->root);
  w->edit->setFocus();
  QTest::keyClicks(w->edit, "abc");
  Click("Novo");
  Click("novo");
  Click("Abrir");
  EXPECT_EQ(w->journal.back(), "novo abc");
  EXPECT_EQ(std::count(w->journal.begin(), w->journal.end(), "novo abc"), 1);
}

TEST_F(MainWindowTest, ARefusedPageChangeStopsTheCommand) {
  w->journal.clear();
  w->refuse = true;
  Click("Imprimir");
  EXPECT_EQ(w->ActivePage(), 0);
  EXPECT_EQ(w->journal, (std::vector<std::string>{"changing 1"}));
  w->refuse = false;
  Click("Imprimir");
  EXPECT_EQ(w->ActivePage(), 1);
  EXPECT_EQ(w->journal.back(), "printed");
  EXPECT_TRUE(RecordedExceptions().empty());
}

TEST_F(MainWindowTest, TheAboutHotSpotOpensQueued) {
  w->toolbar->OnMouseDown(w->toolbar, mbLeft, ssLeft, 10, 400);
  QApplication::processEvents();
  EXPECT_EQ(aboutOpened, 0);
  w->toolbar->OnMouseDown(w->toolbar, mbLeft, ssLeft, 10, 401);
  EXPECT_EQ(aboutOpened, 0);
  QApplication::processEvents();
  EXPECT_EQ(aboutOpened, 1);
}

TEST_F(MainWindowTest, SavingAReportProposesTheDocumentsNameWithRtf) {
  const std::string bytes = "{\\rtf1\\ansi\\ansicpg1252 Relat\\'f3rio\\par}";
  w->report->LoadFromBytes(bytes);
  dialogs.AnswerFile(dir / "saida.rtf");
  EXPECT_TRUE(w->Reports().SaveReport(*w->report, "Talhao 7.dat"));
  const auto saves = dialogs.Prompts(Prompt::Kind::SaveFile);
  ASSERT_EQ(saves.size(), 1u);
  EXPECT_EQ(saves[0].text, "Salvar Documento");
  EXPECT_EQ(saves[0].options.fileName, "Talhao 7.rtf");
  EXPECT_EQ(saves[0].options.initialDir, dir.Dir());
  EXPECT_EQ(saves[0].options.defaultExt, "rtf");
  EXPECT_EQ(saves[0].options.filter, TReportPages::kReportFilter);
  EXPECT_TRUE(saves[0].options.overwritePrompt);
  std::ifstream in(dir / "saida.rtf", std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), bytes);
  // Cancelled: nothing written.
  dialogs.AnswerFile("");
  EXPECT_FALSE(w->Reports().SaveReport(*w->report, "Talhao 7.dat"));
}

}  // namespace
