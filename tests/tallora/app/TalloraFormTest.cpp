// Tallora's main window end to end, as main builds it (no splash, scripted
// dialogs): start-up, the "Calcular" road valid and invalid, "Imprimir" to a
// PDF file, "Salvar" of the report, the thinning nodes in step with the data
// module, the file commands by current frame, the items toggle, the About
// hot spot, the chart's check mark. Writes tallora-start.png and
// tallora-results.png into the build folder.

#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>
#include <QXYSeries>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "forms/ErrorsForm.h"
#include "forms/ProductFrame.h"
#include "model/growth/ResultUnit.h"
#include "model/growth/SimulationUnit.h"
#include "platform/dbctrls/DbNavigator.h"
#include "platform/gui/QtTypes.h"
#include "platform/richedit/RtfView.h"
#include "tallora/app/EquationsForm.h"
#include "tallora/app/FormulaFrame.h"
#include "tallora/app/GraphicForm.h"
#include "tallora/app/InventoryFrame.h"
#include "tallora/app/SimulationFrame.h"
#include "tallora/app/ThinFrame.h"
#include "tests/support/gui/GuiSupport.h"
#include "tests/support/gui/Modal.h"
#include "tests/support/gui/Pdf.h"
#include "tests/tallora/app/TalloraWindow.h"
#include "widgets/gbOutBar.h"
#include "widgets/gbOutPanel.h"

namespace {

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string> Children(const QTreeWidgetItem* node) {
  std::vector<std::string> out;
  for (int i = 0; i < node->childCount(); ++i) out.push_back(node->child(i)->text(0).toStdString());
  return out;
}

class TalloraFormTest : public ::testing::Test {
protected:
  TalloraWindow app;
  TFormTallora& w = *app.window;
  TGrovana& grovana = *app.grovana;

  void TypeSiteIndex(const char* text) {
    ASSERT_TRUE(app.Activate());
    auto* edit = w.findChild<QLineEdit*>("EditIndiceSitio");
    ASSERT_NE(edit, nullptr);
    items.SelectNode(SimulationNode());
    edit->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(edit->hasFocus());
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit, text);
  }
  void PressReturn() { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); }
  bool ErrorWindowShown() { return app.errors.visible; }
  bool Save(const char* name) { return w.grab().save(QStringLiteral(TQ_BINARY_DIR "/") + QString::fromUtf8(name)); }

  TItemsArea& items = w.ItemsArea();
  QTreeWidgetItem* SimulationNode() { return TreeNode(w, {"Simulação"}); }
  QTreeWidgetItem* ThinsNode() { return TreeNode(w, {"Simulação", "Desbastes"}); }
  QTreeWidgetItem* FormulasNode() { return TreeNode(w, {"Catálogos", "Fórmulas"}); }
  QTreeWidget* Tree() { return Find<QTreeWidget>(w, "TreeView"); }
  template <class F>
  F* Frame(const char* name) {
    return Find<F>(w, name);
  }
  RtfView* Report() { return Find<RtfView>(w, "RichEdit"); }
  QAction* Grafico() { return Find<QAction>(w, "MenuVisualizarGrafico"); }
  TFormGraphic* Chart() { return TopLevel<TFormGraphic>("FormGraphic"); }
  void Click(const std::string& caption) { ClickToolbarItem(w, "OutBarGroupToolBar", caption); }
  void ClickNode(QTreeWidgetItem* node) {
    QTest::mouseClick(Tree()->viewport(), Qt::LeftButton, {}, Tree()->visualItemRect(node).center());
    QCoreApplication::sendPostedEvents();
  }
};

TEST_F(TalloraFormTest, StartsOnDataEntryWithTheSimulationSelected) {
  EXPECT_EQ(w.width(), 804);
  EXPECT_EQ(w.height(), 555 + w.menuBar()->height());
  EXPECT_EQ(w.ActivePage(), 0);
  EXPECT_EQ(items.SelectedNode(), SimulationNode());
  EXPECT_EQ(FrameShown(w), Frame<TFrameSimulation>("FrameSimulation"));
  EXPECT_TRUE(Frame<TFrameSimulation>("FrameSimulation")->isEnabled());
  EXPECT_FALSE(Frame<TFrameInventory>("FrameInventory")->isEnabled());
  for (QTreeWidgetItemIterator it(Tree()); *it; ++it) {
    if ((*it)->childCount() > 0) {
      EXPECT_TRUE((*it)->isExpanded()) << (*it)->text(0).toStdString();
    }
  }
  EXPECT_EQ(Children(ThinsNode()), (std::vector<std::string>{"Idade 6", "Idade 10"}));
  EXPECT_FALSE(Grafico()->isEnabled());
  EXPECT_EQ(w.windowTitle().toStdString(), "Tallora - Nova Simulação");
  EXPECT_EQ(Frame<TFrameSimulation>("FrameSimulation")->TitleLabel()->text().toStdString(),
            TFormTallora::kSpeciesTitle);
  EXPECT_TRUE(app.dialogs.Prompts().empty());
  EXPECT_TRUE(Save("tallora-start.png"));
}

TEST_F(TalloraFormTest, PageCaptionsInBoldThirteenPixelArial) {
  TGBGroupBar* bar = Find<TGBGroupBar>(w, "GroupBar");
  EXPECT_EQ(bar->ClientWidth(), 804);
  EXPECT_EQ(bar->ClientHeight(), 536);
  EXPECT_EQ(bar->Font().Height(), -13);
  EXPECT_TRUE(bar->Font().Style() & fsBold);
  EXPECT_EQ(bar->CaptionSpan(0), 27);
  EXPECT_EQ(bar->CaptionSpan(1), 27);
  EXPECT_EQ(bar->GetPageRect(), (TRect{1, 27, 803, 509}));
  EXPECT_EQ(bar->Groups(0)->BoundsRect(), (TRect{1, 27, 803, 509}));
  EXPECT_EQ(Find<TGBHeaderPanel>(w, "HeaderPanelTreeView")->HeaderFont().Height(), -13);
  EXPECT_TRUE(Find<TGBHeaderPanel>(w, "HeaderPanelTreeView")->HeaderFont().Style() & fsBold);
}

// Every frame fits the window's frame area without being squeezed (a
// squeezed layout overlaps its rows).
TEST_F(TalloraFormTest, EveryFrameFitsTheFrameArea) {
  auto* stack = Find<QStackedWidget>(w, "Frames");
  const int height = stack->height();
  const int width = stack->width();
  for (int i = 0; i < stack->count(); ++i) {
    QWidget* frame = stack->widget(i);
    EXPECT_LE(frame->minimumSizeHint().height(), height) << frame->objectName().toStdString();
    EXPECT_LE(frame->minimumSizeHint().width(), width) << frame->objectName().toStdString();
  }
}

TEST_F(TalloraFormTest, CalcularShowsTheReportOrTheErrors) {
  TypeSiteIndex("28");
  PressReturn();
  EXPECT_EQ(w.ActivePage(), 1);
  EXPECT_TRUE(grovana.Calculated());
  EXPECT_EQ(grovana.RunCount(), 1);
  const std::string& bytes = Report()->Bytes();
  EXPECT_EQ(bytes.rfind("{\\rtf1\\ansi\\ansicpg1252", 0), 0u);
  EXPECT_TRUE(Report()->toPlainText().contains(QString::fromUtf8("TABELA DE CRESCIMENTO E PRODUÇÃO")));
  // The view holds the report of the simulation as the report writer makes it.
  TResult expected;
  expected.Build(*grovana.CurrentSimulation());
  EXPECT_EQ(bytes, expected.GetStream());
  EXPECT_TRUE(Grafico()->isEnabled());
  EXPECT_FALSE(ErrorWindowShown());
  EXPECT_TRUE(app.dialogs.Prompts().empty());
  EXPECT_TRUE(Save("tallora-results.png"));

  // Back and "Calcular" again: the report is built again, the run is not.
  w.RunCommand([&] { w.MenuVisualizarSimulacaoClick(); });
  EXPECT_EQ(w.ActivePage(), 0);
  Report()->LoadFromBytes("");
  w.findChild<QPushButton*>("ButtonCalcular")->click();
  EXPECT_EQ(w.ActivePage(), 1);
  EXPECT_EQ(Report()->Bytes(), expected.GetStream());
  EXPECT_EQ(grovana.RunCount(), 1);

  // Invalid: the errors, no move, no message box.
  w.RunCommand([&] { w.MenuVisualizarSimulacaoClick(); });
  TypeSiteIndex("5");
  PressReturn();
  EXPECT_EQ(w.ActivePage(), 0);
  ASSERT_TRUE(ErrorWindowShown());
  EXPECT_EQ(app.errors.Last().title, "Erros na Simulação");
  ASSERT_FALSE(app.errors.Last().lines.empty());
  EXPECT_EQ(app.errors.Last().lines[0].code, 1);
  EXPECT_FALSE(grovana.Calculated());
  EXPECT_TRUE(app.dialogs.Prompts().empty());
}

// A value the field refused is reported again by every action that meets
// it, the focus back in its edit; nothing else happens.
TEST_F(TalloraFormTest, ARefusedValueIsReportedByEveryCommandThatMeetsIt) {
  const std::vector<std::string> message{"'abc' não é um valor válido para o campo Índice de Sítio"};
  TypeSiteIndex("abc");
  auto* edit = w.findChild<QLineEdit*>("EditIndiceSitio");
  QTest::keyClick(edit, Qt::Key_Tab);
  EXPECT_EQ(app.dialogs.Texts(Prompt::Kind::Error), message);
  std::size_t reports = 1;
  for (const char* button : {"ButtonVerificar", "ButtonCalcular"}) {
    QTest::mouseClick(w.findChild<QPushButton*>(button), Qt::LeftButton);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(app.dialogs.Texts(Prompt::Kind::Error).size(), ++reports) << button;
    EXPECT_TRUE(edit->hasFocus()) << button;
  }
  EXPECT_EQ(w.ActivePage(), 0);
  EXPECT_FALSE(ErrorWindowShown());
  EXPECT_TRUE(app.dialogs.Texts(Prompt::Kind::Information).empty());

  // A click on the tree: the message, and the page and its node stay.
  QTreeWidgetItem* inventory = SimulationNode()->child(0);
  QTest::mouseClick(Tree()->viewport(), Qt::LeftButton, {}, Tree()->visualItemRect(inventory).center());
  QCoreApplication::sendPostedEvents();
  EXPECT_EQ(app.dialogs.Texts(Prompt::Kind::Error).size(), ++reports);
  EXPECT_EQ(app.dialogs.Texts(Prompt::Kind::Error).back(), message[0]);
  EXPECT_EQ(items.SelectedNode(), SimulationNode());
  EXPECT_EQ(FrameShown(w), Frame<TFrameSimulation>("FrameSimulation"));
  EXPECT_TRUE(edit->hasFocus());
}

// A formula inserted on the first row, saved and read back: the standard
// formulas stay the first four with their references, so picking the
// standard taper and calculating works, and they still refuse deletion.
TEST_F(TalloraFormTest, AFormulaInsertedFirstLeavesTheStandardFormulasFirst) {
  ASSERT_TRUE(app.Activate());
  TFormulaCollection& formulas = grovana.FormulaRoot().FormulaCollection();
  std::vector<std::string> standard;
  for (int i = 0; i < kProtectedFormulas; ++i) standard.push_back(formulas[i].Description());
  const int taperIntegral = formulas[2].AssociatedFormula();
  ASSERT_EQ(taperIntegral, 3);

  items.SelectNode(FormulasNode());
  ASSERT_EQ(FrameShown(w), Frame<TFrameFormula>("FrameFormula"));
  TDataSet& cds = grovana.cdsFormula();
  cds.SetRecNo(1);
  Frame<TFrameFormula>("FrameFormula")->Navigator()->ClickButton(DbNavigator::Button::Insert);
  auto type = [&](const char* name, const char* text) {
    auto* edit = Frame<TFrameFormula>("FrameFormula")->findChild<QWidget*>(name);
    edit->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(edit, QString::fromUtf8(text));
  };
  type("DBEditDescription", "Sitio do usuario");
  type("DBEditAuthor", "Equipe");
  type("DBMemoExpression", "S*(A+1)");
  auto* kind = Frame<TFrameFormula>("FrameFormula")->findChild<QComboBox*>("DBComboBoxEquationType");
  kind->setFocus(Qt::TabFocusReason);
  QTest::keyClick(kind, Qt::Key_Home);  // "Equação de Sítio"
  Frame<TFrameFormula>("FrameFormula")->Navigator()->ClickButton(DbNavigator::Button::Post);
  ASSERT_EQ(formulas.Count(), kProtectedFormulas + 1);
  EXPECT_EQ(formulas[kProtectedFormulas].Description(), "Sitio do usuario");
  EXPECT_EQ(formulas[kProtectedFormulas].EquationType(), "Equação de Sítio");

  Click("Salvar");
  app.dialogs.AnswerFile((app.exe / "Formulas.dat").string());
  Click("Abrir");
  TFormulaCollection& read = grovana.FormulaRoot().FormulaCollection();
  ASSERT_EQ(read.Count(), kProtectedFormulas + 1);
  for (int i = 0; i < kProtectedFormulas; ++i) {
    EXPECT_EQ(read[i].Id(), i);
    EXPECT_EQ(read[i].Description(), standard[static_cast<std::size_t>(i)]);
  }
  EXPECT_EQ(read[2].AssociatedFormula(), taperIntegral);

  // The standard taper from the picker, then "Calcular".
  items.SelectNode(TreeNode(w, {"Simulação", "Equações", "Sortimento"}));
  WhenModal([&](QDialog& d) {
    auto& picker = static_cast<TFormEquations&>(d);
    picker.List()->setCurrentItem(picker.List()->findItems(ToQString(standard[2]), Qt::MatchExactly).at(0));
    picker.OkButton()->click();
  });
  FrameShown(w)->findChild<QPushButton*>("ButtonCatalogo")->click();
  TSimulation& simulation = *grovana.CurrentSimulation();
  EXPECT_EQ(simulation.ShapeFunctionIntegral2Equation(), read[3].Expression());
  items.SelectNode(SimulationNode());
  w.findChild<QPushButton*>("ButtonCalcular")->click();
  EXPECT_EQ(w.ActivePage(), 1);
  EXPECT_TRUE(grovana.Calculated());
  EXPECT_FALSE(ErrorWindowShown());

  w.RunCommand([&] { w.MenuVisualizarSimulacaoClick(); });
  items.SelectNode(FormulasNode());
  for (int recNo = 1; recNo <= kProtectedFormulas; ++recNo) {
    grovana.cdsFormula().SetRecNo(recNo);
    EXPECT_THROW(grovana.cdsFormula().Delete(), Exception);
  }
  EXPECT_EQ(read.Count(), kProtectedFormulas + 1);
}

TEST_F(TalloraFormTest, ImprimirPrintsOnlyAfterASuccessfulCalculation) {
  const std::string pdf = app.dir / "relatorio.pdf";
  QPrinter& printer = app.seams.printService.Printer();
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromStdString(pdf));

  TypeSiteIndex("5");
  Click("Imprimir");
  EXPECT_EQ(w.ActivePage(), 0);
  EXPECT_FALSE(std::filesystem::exists(pdf));
  EXPECT_TRUE(ErrorWindowShown());

  // The PDF file is asked for, proposed under the simulation's description.
  TypeSiteIndex("28");
  app.dialogs.AnswerFile(pdf);
  Click("Imprimir");
  EXPECT_EQ(w.ActivePage(), 1);
  EXPECT_FALSE(ErrorWindowShown());
  ASSERT_TRUE(std::filesystem::exists(pdf));
  const std::string bytes = ReadFile(pdf);
  EXPECT_GT(bytes.size(), 1000u);
  EXPECT_EQ(pdf::Title(bytes), grovana.CurrentSimulation()->Description());
  ASSERT_EQ(app.dialogs.Prompts(Prompt::Kind::SaveFile).size(), 1u);
  EXPECT_EQ(app.dialogs.Prompts(Prompt::Kind::SaveFile)[0].options.fileName,
            grovana.CurrentSimulation()->Description() + ".pdf");

  // "Salvar" on the results page: the report's bytes under the proposed name.
  app.dialogs.AnswerFile(app.dir / "relatorio.rtf");
  ClickToolbarItem(w, "OutBarGroupToolBarResult", "Salvar");
  const auto saves = app.dialogs.Prompts(Prompt::Kind::SaveFile);
  ASSERT_EQ(saves.size(), 2u);
  EXPECT_EQ(saves[1].options.fileName, "Simulation.rtf");
  // The last document went to the PDF's folder: the next dialog starts there.
  EXPECT_EQ(saves[0].options.initialDir, app.work.string());
  EXPECT_EQ(saves[1].options.initialDir, app.dir.Dir());
  EXPECT_EQ(saves[1].options.title, "Salvar Documento");
  EXPECT_EQ(saves[1].options.filter, "Rich Edit Files (*.rtf)|*.rtf|Todos os Arquivos (*.*)|*.*");
  EXPECT_EQ(saves[1].options.defaultExt, "rtf");
  EXPECT_TRUE(saves[1].options.overwritePrompt);
  EXPECT_EQ(ReadFile(app.dir / "relatorio.rtf"), Report()->Bytes());
}

TEST_F(TalloraFormTest, ThinningNodesFollowTheDataModule) {
  TDataSet& thins = grovana.cdsThin();
  items.SelectNode(ThinsNode());
  thins.Append();
  ASSERT_EQ(Children(ThinsNode()), (std::vector<std::string>{"Idade 6", "Idade 10", "Idade 0"}));
  QTreeWidgetItem* added = ThinsNode()->child(2);
  EXPECT_EQ(items.SelectedNode(), added);
  EXPECT_EQ(FrameShown(w), Frame<TFrameThin>("FrameThin"));

  thins.Edit();
  thins.FieldByName("Age").SetAsInteger(7);
  thins.Post();
  EXPECT_EQ(Children(ThinsNode()), (std::vector<std::string>{"Idade 6", "Idade 10", "Idade 7"}));
  EXPECT_EQ(ThinsNode()->child(2), added);

  // Saved and opened again: in age order, under the file's name.
  const std::filesystem::path file = app.dir / "desbastes.dat";
  app.dialogs.AnswerFile(file);
  Click("Salvar Como");
  ASSERT_TRUE(std::filesystem::exists(file));
  app.dialogs.AnswerFile(file);
  Click("Abrir");
  EXPECT_EQ(w.windowTitle().toStdString(), "Tallora - desbastes.dat");
  EXPECT_EQ(Children(ThinsNode()), (std::vector<std::string>{"Idade 6", "Idade 7", "Idade 10"}));
  EXPECT_EQ(items.SelectedNode(), SimulationNode());

  // Rebuilt: a fresh one at age 0 is listed too.
  thins.Append();
  w.RefreshTree();
  EXPECT_EQ(Children(ThinsNode()), (std::vector<std::string>{"Idade 0", "Idade 6", "Idade 7", "Idade 10"}));

  // Deleting the selected thinning deletes exactly that one.
  const TThinCollection& collection = grovana.CurrentSimulation()->ThinCollection();
  std::set<int> before;
  for (const TThin& thin : collection) before.insert(thin.Id());
  QTreeWidgetItem* seven = ThinsNode()->child(2);
  const int sevenId = *TItemsArea::NodeItemId(seven);
  items.SelectNode(seven);
  thins.Delete();
  std::set<int> after;
  for (const TThin& thin : collection) after.insert(thin.Id());
  before.erase(sevenId);
  EXPECT_EQ(after, before);
  EXPECT_EQ(Children(ThinsNode()), (std::vector<std::string>{"Idade 0", "Idade 6", "Idade 10"}));
  EXPECT_EQ(items.SelectedNode(), ThinsNode());
  EXPECT_TRUE(RecordedExceptions().empty());
}

// An age typed on a thinning's page is posted by a click on any other node,
// and the thinning's node shows it at once.
TEST_F(TalloraFormTest, ATreeClickPostsTheThinningAndItsNodeShowsTheAge) {
  ASSERT_TRUE(app.Activate());
  QTreeWidgetItem* six = ThinsNode()->child(0);
  ClickNode(six);
  Type(Find<QLineEdit>(w, "DBEditAge"), "99");
  ClickNode(SimulationNode());
  EXPECT_EQ(grovana.cdsThin().State(), TDataSetState::Browse);
  EXPECT_EQ(six->text(0).toStdString(), "Idade 99");
  EXPECT_TRUE(RecordedExceptions().empty());
}

TEST_F(TalloraFormTest, AFailedOpenKeepsTreeAndFramesUsable) {
  const std::string bad = app.dir / "ruim.dat";
  std::ofstream(bad, std::ios::binary) << "TPF0\x05ruins e restos";
  app.dialogs.AnswerFile(bad);
  Click("Abrir");
  EXPECT_EQ(app.dialogs.Prompts(Prompt::Kind::Error).size(), 1u);
  EXPECT_EQ(w.windowTitle().toStdString(), "Tallora - Nova Simulação");
  ASSERT_EQ(Children(ThinsNode()), (std::vector<std::string>{"Idade 6", "Idade 10"}));
  items.SelectNode(ThinsNode()->child(1));
  EXPECT_EQ(FrameShown(w), Frame<TFrameThin>("FrameThin"));
  EXPECT_EQ(grovana.cdsThin().FieldByName("Age").AsInteger(), 10);
}

TEST_F(TalloraFormTest, FileCommandsFollowTheCurrentFrame) {
  // "Novo" with the inventory frame current does nothing.
  items.SelectNode(SimulationNode()->child(0));
  ASSERT_EQ(FrameShown(w), Frame<TFrameInventory>("FrameInventory"));
  Click("Novo");
  EXPECT_TRUE(app.dialogs.Prompts().empty());
  EXPECT_EQ(FrameShown(w), Frame<TFrameInventory>("FrameInventory"));

  // "Salvar" with the formula catalogue current saves it; the caption stays.
  // Removed since it was read, the file is written only after the question.
  const std::filesystem::path formulas = app.exe / "Formulas.dat";
  const std::string saved = ReadFile(formulas);
  std::filesystem::remove(formulas);
  QTreeWidgetItem* catalogues = Tree()->topLevelItem(1);
  items.SelectNode(catalogues->child(1));
  ASSERT_EQ(FrameShown(w), Frame<TFrameFormula>("FrameFormula"));
  app.dialogs.Answer(TMsgDlgBtn::Yes);
  Click("Salvar");
  EXPECT_EQ(ReadFile(formulas), saved);
  EXPECT_EQ(w.windowTitle().toStdString(), "Tallora - Nova Simulação");
  EXPECT_EQ(app.dialogs.Prompts().size(), 1u);

  // "Imprimir" with a catalogue current neither calculates nor prints.
  const std::string pdf = app.dir / "catalogo.pdf";
  QPrinter& printer = app.seams.printService.Printer();
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromStdString(pdf));
  Click("Imprimir");
  EXPECT_EQ(w.ActivePage(), 0);
  EXPECT_EQ(grovana.RunCount(), 0);
  EXPECT_FALSE(std::filesystem::exists(pdf));
}

TEST_F(TalloraFormTest, ItemsToggleAboutHotSpotAndExit) {
  auto* toolbar = Find<TGBVertListView>(w, "OutBarGroupToolBar");
  Click(TItemsArea::kHideItems);
  EXPECT_FALSE(ItemsShown(w));
  EXPECT_EQ(toolbar->Items()[5]->Caption(), TItemsArea::kShowItems);
  Click(TItemsArea::kShowItems);
  EXPECT_TRUE(ItemsShown(w));
  EXPECT_EQ(toolbar->Items()[5]->Caption(), TItemsArea::kHideItems);

  QTest::mousePress(toolbar, Qt::LeftButton, Qt::NoModifier, QPoint(100, 400));
  QTest::mouseRelease(toolbar, Qt::LeftButton, Qt::NoModifier, QPoint(100, 400));
  QApplication::processEvents();
  EXPECT_EQ(app.aboutOpened, 0);
  QTest::mousePress(toolbar, Qt::LeftButton, Qt::NoModifier, QPoint(100, 401));
  QTest::mouseRelease(toolbar, Qt::LeftButton, Qt::NoModifier, QPoint(100, 401));
  EXPECT_EQ(app.aboutOpened, 0);
  QApplication::processEvents();
  EXPECT_EQ(app.aboutOpened, 1);
  Find<QAction>(w, "MenuAjuda")->trigger();
  QApplication::processEvents();
  EXPECT_EQ(app.aboutOpened, 2);

  QAction* exit = Find<QAction>(w, "MenuArquivoSair");
  ASSERT_NE(exit, nullptr);
  EXPECT_EQ(exit->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
  EXPECT_TRUE(Find<QAction>(w, "MenuArquivoSalvar")->shortcut().isEmpty());
  // Pressed in an edit it closes the window (not the program here).
  ASSERT_TRUE(app.Activate());
  auto* edit = w.findChild<QLineEdit*>("EditIndiceSitio");
  edit->setFocus(Qt::TabFocusReason);
  QTest::keyClick(edit, Qt::Key_S, Qt::ControlModifier);
  EXPECT_FALSE(w.isVisible());
}

// Ctrl+S, "Sair" and the close button ask before a change is lost: Cancelar,
// or Sim with its save dialog cancelled, keep the window; a changed catalogue
// asks in turn; nothing changed since the save, nothing is asked.
TEST_F(TalloraFormTest, LeavingOffersToSaveEachChangedDocument) {
  TypeSiteIndex("29");
  auto* edit = w.findChild<QLineEdit*>("EditIndiceSitio");
  app.dialogs.Answer(TMsgDlgBtn::Cancel);
  QTest::keyClick(edit, Qt::Key_S, Qt::ControlModifier);
  EXPECT_TRUE(w.isVisible());
  EXPECT_EQ(app.dialogs.Texts(Prompt::Kind::YesNoCancel), std::vector<std::string>{"Salvar a simulação corrente?"});
  app.dialogs.Answer(TMsgDlgBtn::Yes).AnswerFile("");
  EXPECT_FALSE(w.close());
  EXPECT_DOUBLE_EQ(grovana.CurrentSimulation()->SiteIndex(), 29);

  grovana.cdsFormula().Edit();
  grovana.cdsFormula().FieldByName("Author").SetAsString("Outro");
  grovana.cdsFormula().Post();
  const std::filesystem::path saved = app.work / "Minha.dat";
  app.dialogs.Answer(TMsgDlgBtn::Yes).AnswerFile(saved.string()).Answer(TMsgDlgBtn::Yes);
  EXPECT_TRUE(w.close());
  EXPECT_EQ(app.dialogs.Texts(Prompt::Kind::YesNoCancel).back(), "Salvar o catálogo de fórmulas?");
  EXPECT_TRUE(std::filesystem::exists(saved));
  EXPECT_EQ(w.windowTitle().toStdString(), "Tallora - Minha.dat");
  EXPECT_EQ(grovana.FormulasPath(), (app.exe / "Formulas.dat").string());
  w.show();
  EXPECT_TRUE(w.close());
  EXPECT_EQ(app.dialogs.Texts(Prompt::Kind::YesNoCancel).size(), 4u);
}

// Another program wrote over the simulation's file: Sim to the leave
// question, then Não to the one about that file, keeps the window and the
// change; Cancelar to it stops "Salvar" silently.
TEST_F(TalloraFormTest, AFileChangedOutsideIsNotWrittenOverUnasked) {
  TypeSiteIndex("29");
  const std::filesystem::path talhao = app.work / "talhao.dat";
  app.dialogs.Answer(TMsgDlgBtn::Yes).AnswerFile(talhao.string());
  EXPECT_TRUE(w.close());
  w.show();
  WriteFileBytes(talhao, "um plano");
  TypeSiteIndex("31");
  app.dialogs.Answer(TMsgDlgBtn::Yes).Answer(TMsgDlgBtn::No);
  EXPECT_FALSE(w.close());
  EXPECT_EQ(app.dialogs.Texts(Prompt::Kind::YesNoCancel).back(),
            "O arquivo \"" + talhao.string() +
                "\" foi alterado fora do programa desde que foi lido. Salvar assim mesmo?");
  app.dialogs.Answer(TMsgDlgBtn::Cancel);
  Click("Salvar");
  EXPECT_EQ(app.dialogs.Texts(Prompt::Kind::YesNoCancel).size(), 4u);
  EXPECT_EQ(ReadFile(talhao), "um plano");
  EXPECT_TRUE(grovana.SimulationChanged());
  EXPECT_DOUBLE_EQ(grovana.CurrentSimulation()->SiteIndex(), 31);
  EXPECT_TRUE(RecordedExceptions().empty());
}

// "Novo" and "Abrir" ask as leaving does, and only after a change. Cancelar
// (and Escape, which the box gives as Cancelar) or a cancelled save stop
// them; Não goes on. A catalogue's "Abrir" asks about that catalogue. The
// caption names the file opened, not the name stored inside it.
TEST_F(TalloraFormTest, NovoAndAbrirAskOnlyAfterAChange) {
  Click("Novo");
  EXPECT_TRUE(app.dialogs.Prompts().empty());
  TypeSiteIndex("29");  // still in the edit
  for (const char* command : {"Novo", "Abrir"}) {
    app.dialogs.Answer(TMsgDlgBtn::Cancel);
    Click(command);
    app.dialogs.Answer(TMsgDlgBtn::Yes).AnswerFile("");
    Click(command);
    EXPECT_DOUBLE_EQ(grovana.CurrentSimulation()->SiteIndex(), 29) << command;
  }
  EXPECT_EQ(app.dialogs.Texts(Prompt::Kind::YesNoCancel), std::vector<std::string>(4, "Salvar a simulação corrente?"));
  EXPECT_TRUE(app.dialogs.Prompts(Prompt::Kind::OpenFile).empty());
  app.dialogs.Answer(TMsgDlgBtn::No);
  Click("Novo");
  EXPECT_NE(grovana.CurrentSimulation()->SiteIndex(), 29);

  // Sim saves, and the open goes on to its dialog.
  TypeSiteIndex("31");
  const std::filesystem::path saved = app.work / "calc.dat", copy = app.work / "outro.dat";
  app.dialogs.Answer(TMsgDlgBtn::Yes).AnswerFile(saved.string()).AnswerFile("");
  Click("Abrir");
  ASSERT_TRUE(std::filesystem::exists(saved));
  EXPECT_EQ(w.windowTitle().toStdString(), "Tallora - calc.dat");
  std::filesystem::copy_file(saved, copy);
  app.dialogs.AnswerFile(copy.string());
  Click("Abrir");
  EXPECT_EQ(w.windowTitle().toStdString(), "Tallora - outro.dat");
  EXPECT_EQ(app.dialogs.Prompts(Prompt::Kind::YesNoCancel).size(), 6u);
  // Dialogs propose the name of the file open, not the one stored inside it.
  app.dialogs.AnswerFile("");
  Click("Salvar Como");
  TypeSiteIndex("28");
  PressReturn();
  app.dialogs.AnswerFile("");
  ClickToolbarItem(w, "OutBarGroupToolBarResult", "Salvar");
  const auto saves = app.dialogs.Prompts(Prompt::Kind::SaveFile);
  ASSERT_GE(saves.size(), 2u);
  EXPECT_EQ(saves[saves.size() - 2].options.fileName, "outro.dat");
  EXPECT_EQ(saves.back().options.fileName, "outro.rtf");
  w.ShowPage(0);

  grovana.cdsFormula().Edit();
  grovana.cdsFormula().FieldByName("Author").SetAsString("Outro");
  grovana.cdsFormula().Post();
  items.SelectNode(FormulasNode());
  app.dialogs.Answer(TMsgDlgBtn::Cancel);
  Click("Abrir");
  EXPECT_EQ(app.dialogs.Texts(Prompt::Kind::YesNoCancel).back(), "Salvar o catálogo de fórmulas?");
  EXPECT_EQ(app.dialogs.Prompts(Prompt::Kind::OpenFile).size(), 2u);
  EXPECT_TRUE(grovana.FormulasChanged());
  EXPECT_EQ(app.dialogs.AnswersLeft(), 0);
}

// Sim to the product catalogue's save question posts the product being
// typed: it is saved as posted, and the navigator's post button is off.
TEST_F(TalloraFormTest, SavingTheCatalogueBeforeAbrirPostsTheProduct) {
  ASSERT_TRUE(app.Activate());
  items.SelectNode(TreeNode(w, {"Catálogos", "Produtos"}));
  auto* frame = Frame<TFrameProduct>("FrameProduct");
  Type(Find<QLineEdit>(*frame, "DBEditName"), "Tora fina");
  app.dialogs.Answer(TMsgDlgBtn::Yes).AnswerFile("");
  Click("Abrir");
  EXPECT_FALSE(grovana.Products().Changed());
  EXPECT_EQ(grovana.cdsProduct().State(), TDataSetState::Browse);
  EXPECT_EQ(grovana.cdsProduct().FieldByName("Name").AsString(), "Tora fina");
  EXPECT_FALSE(frame->Panel()->Navigator()->ButtonOf(DbNavigator::Button::Post)->isEnabled());
  EXPECT_TRUE(RecordedExceptions().empty());
}

TEST_F(TalloraFormTest, TheChartFollowsItsCheckMark) {
  EXPECT_EQ(Chart(), nullptr);
  w.MenuVisualizarGraficoClick();
  EXPECT_FALSE(Grafico()->isChecked());
  // Made on first use, hidden, and kept.
  TFormGraphic* chart = Chart();
  ASSERT_NE(chart, nullptr);
  EXPECT_FALSE(chart->isVisible());

  w.RunCommand([&] { w.ShowResults(); });
  ASSERT_EQ(w.ActivePage(), 1);
  Grafico()->trigger();
  ASSERT_NE(Chart(), nullptr);
  EXPECT_TRUE(Chart()->isVisible());
  EXPECT_TRUE(Grafico()->isChecked());
  Chart()->close();
  EXPECT_FALSE(Grafico()->isChecked());
  Chart()->Series(0).clear();
  Grafico()->trigger();
  EXPECT_TRUE(Chart()->isVisible());
  EXPECT_GT(Chart()->Series(0).count(), 0);

  // A new simulation has no results: "Gráfico" unticks and hides the chart
  // of the previous one.
  app.dialogs.Answer(TMsgDlgBtn::No);
  w.RunCommand([&] { w.Novo(); });
  ASSERT_FALSE(grovana.cdsPrognosis().Active());
  Grafico()->trigger();
  EXPECT_FALSE(Grafico()->isChecked());
  EXPECT_FALSE(Chart()->isVisible());
  EXPECT_EQ(Chart(), chart);
}

TEST(TalloraStart, AMissingTemplateIsReportedAndTheWindowWorks) {
  TalloraWindow app(false);
  TFormTallora& w = *app.window;
  EXPECT_EQ(app.dialogs.Prompts(Prompt::Kind::Error).size(), 1u);
  EXPECT_EQ(w.windowTitle().toStdString(), "Tallora - Nova Simulação");
  EXPECT_TRUE(app.grovana->HasSimulation());
  EXPECT_EQ(w.ItemsArea().SelectedNode(), TreeNode(w, {"Simulação"}));
  w.RunCommand([&] { w.ShowResults(); });
  EXPECT_TRUE(RecordedExceptions().empty());
}

}  // namespace
