// Quorva's main window as the program builds it: the road from start-up
// through an open, an import of a simulator file written by Tallora's model
// and both reports, its refused twin, the tree kept in step with the
// productions, the commands by frame and page, the plan's save rules, the
// import's failures, the reports saved and printed, the About hot spot.
// Pictures: quorva-window.png, quorva-result.png, quorva-costs.png in the
// build folder.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>
#include <cmath>
#include <filesystem>
#include <map>
#include <utility>

#include "fixtures/ReferenceSimulation.h"
#include "platform/db/DB.h"
#include "platform/dbctrls/DbGrid.h"
#include "platform/richedit/RtfView.h"
#include "platform/rtl/SysUtils.h"
#include "quorva/app/CatalogoCustoFrame.h"
#include "quorva/app/CustoFrame.h"
#include "quorva/app/ProducaoFrame.h"
#include "quorva/app/ProducoesFrame.h"
#include "quorva/app/QuorvaFrame.h"
#include "tests/quorva/app/QuorvaWindow.h"
#include "tests/support/gui/GuiSupport.h"
#include "tests/support/gui/Pdf.h"
#include "widgets/gbOutBar.h"
#include "widgets/gbOutPanel.h"

namespace {

const char* const kReferenceSimulation = TQ_REFERENCE_SIMULATION;

void SavePicture(QWidget& window, const char* name) {
  QApplication::processEvents();
  EXPECT_TRUE(Snap(window).save(QString(TQ_BINARY_DIR) + "/" + name));
}

class QuorvaForm : public ::testing::Test, public QuorvaWindow {
protected:
  void SetIdadeFinal(int age) {
    marquel().cdsQuorva().Edit();
    marquel().cdsQuorva().FieldByName("IdadeFinal").SetAsInteger(age);
    marquel().cdsQuorva().Post();
  }
  // A new production posted through the productions' dataset.
  void PostProducao(int idade, const std::string& origem) {
    TDataSet& producoes = marquel().cdsProducao();
    producoes.Append();
    producoes.FieldByName("Idade").SetAsInteger(idade);
    producoes.FieldByName("Origem").SetAsString(origem);
    producoes.Post();
  }
  void OpenTemplate() {
    dialogs.AnswerFile((exe / "Plano1.dat").string());
    Trigger("MenuArquivoAbrir");
  }
  void ImportReference() {
    dialogs.Answer(TMsgDlgBtn::Yes).AnswerFile(kReferenceSimulation);
    Trigger("MenuArquivoImportar");
  }
};

// ---- The road a user takes, and its refused twin

TEST_F(QuorvaForm, StartOpenImportAndBothReports) {
  EXPECT_EQ(w().windowTitle().toStdString(), "Quorva - Novo Projeto");
  EXPECT_EQ(w().width(), 804);
  EXPECT_EQ(w().height(), 554 + w().menuBar()->height());
  EXPECT_EQ(w().ActivePage(), TFormQuorva::kPlanPage);
  EXPECT_TRUE(Checked("MenuVisualizarPlano"));
  EXPECT_TRUE(Checked("MenuVisualizarItens"));
  EXPECT_EQ(items().SelectedNode(), Node({"Projeto"}));
  EXPECT_TRUE(items().IsCurrentFrame(Frame<TFrameQuorva>("FrameQuorva")));
  EXPECT_EQ(Find<TGBHeaderPanel>(w(), "HeaderPanelTreeView")->Width(), 210);
  SavePicture(w(), "quorva-window.png");

  OpenTemplate();
  EXPECT_EQ(w().windowTitle().toStdString(), "Quorva - Plano1.dat");

  ImportReference();
  TSimulationData reference;
  fixtures::FillReferenceSimulation(reference);
  std::vector<int> thinAges;
  for (const TThin& thin : reference.ThinCollection()) thinAges.push_back(thin.Age());
  std::sort(thinAges.begin(), thinAges.end());
  std::vector<std::string> expected;
  for (int age : thinAges) expected.push_back("DESBASTE aos " + std::to_string(age) + " anos");
  expected.push_back("CORTE FINAL aos " + std::to_string(reference.FinalAge()) + " anos");
  EXPECT_EQ(Children(Node({"Projeto", "Produções"})), expected);
  EXPECT_EQ(plan().IndiceSitio(), reference.SiteIndex());
  std::map<std::string, std::pair<double, double>> prices;  // price, evolution rate
  for (const TProduct& p : reference.ProductCollection()) prices[p.Name()] = {p.Price(), p.PriceEvolutionRate()};
  int items = 0;
  for (const TProducao& producao : plan().Producoes()) {
    for (const TItemProducao& item : producao.ItensProducao()) {
      ASSERT_EQ(prices.count(item.Produto()), 1U) << item.Produto();
      const auto [price, rate] = prices[item.Produto()];
      EXPECT_NEAR(item.Preco(), price * std::pow(1 + rate / 100, producao.Idade()), 1e-9);
      ++items;
    }
  }
  EXPECT_GT(items, 0);

  Trigger("MenuVisualizarResultado");
  EXPECT_EQ(w().ActivePage(), TFormQuorva::kResultPage);
  EXPECT_TRUE(Checked("MenuVisualizarResultado"));
  EXPECT_FALSE(Checked("MenuVisualizarPlano"));
  EXPECT_NE(ShownText(Report("RichEdit")).find("Fluxo de Receitas e Custos para Colheita Final aos"),
            std::string::npos);
  EXPECT_NE(ShownText(Report("RichEditRelatorioCustos")).find("Relatório de Custos"), std::string::npos);
  EXPECT_FALSE(ErrorsShown());
  EXPECT_EQ(dialogs.AnswersLeft(), 0);
  EXPECT_TRUE(dialogs.Texts(Prompt::Kind::Error).empty());
  SavePicture(w(), "quorva-result.png");

  Trigger("MenuVisualizarRelatrioCustos");
  EXPECT_EQ(w().ActivePage(), TFormQuorva::kCostReportPage);
  EXPECT_TRUE(Checked("MenuVisualizarRelatrioCustos"));
  EXPECT_FALSE(Checked("MenuVisualizarResultado"));
  SavePicture(w(), "quorva-costs.png");
}

TEST_F(QuorvaForm, AFinalAgeAboveTheOldestHarvestRefusesTheReportPages) {
  int oldest = 0;
  for (const TProducao& producao : plan().Producoes()) oldest = std::max(oldest, producao.Idade());
  SetIdadeFinal(oldest + 3);
  Trigger("MenuVisualizarResultado");
  EXPECT_EQ(w().ActivePage(), TFormQuorva::kPlanPage);
  EXPECT_TRUE(Checked("MenuVisualizarPlano"));
  EXPECT_FALSE(Checked("MenuVisualizarResultado"));
  ASSERT_TRUE(ErrorsShown());
  EXPECT_EQ(errors.Last().title, "Erros no Quorva");
  const std::vector<int> codes = errors.Last().Codes();
  EXPECT_NE(std::find(codes.begin(), codes.end(), 7), codes.end());
  EXPECT_TRUE(dialogs.Prompts().empty());
  EXPECT_TRUE(Report("RichEdit")->Bytes().empty());
  EXPECT_TRUE(Report("RichEditRelatorioCustos")->Bytes().empty());

  // "Calcular" takes the same road; a valid plan then hides the errors.
  auto* calcular = Frame<TFrameQuorva>("FrameQuorva")->findChild<QPushButton*>("ButtonCalcular");
  ASSERT_NE(calcular, nullptr);
  calcular->click();
  EXPECT_EQ(w().ActivePage(), TFormQuorva::kPlanPage);
  SetIdadeFinal(oldest);
  calcular->click();
  EXPECT_EQ(w().ActivePage(), TFormQuorva::kResultPage);
  EXPECT_FALSE(ErrorsShown());
}

// Validation raises a final age below the oldest harvest: the page shows the
// age the plan holds, after "&Verificar" and after "Calcular".
TEST_F(QuorvaForm, TheFinalAgeValidationRaisedIsShownOnThePage) {
  int oldest = 0;
  for (const TProducao& producao : plan().Producoes()) oldest = std::max(oldest, producao.Idade());
  w().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w()));
  auto* finalAge = Frame<TFrameQuorva>("FrameQuorva")->findChild<QLineEdit*>("EditIdadeFinal");
  ASSERT_NE(finalAge, nullptr);
  auto type = [&](const char* text) {
    finalAge->setFocus(Qt::TabFocusReason);
    finalAge->selectAll();
    QTest::keyClicks(finalAge, text);
  };
  auto* verificar = Frame<TFrameQuorva>("FrameQuorva")->findChild<QPushButton*>("ButtonVerificar");
  type("0");
  verificar->click();
  ASSERT_TRUE(ErrorsShown());
  ASSERT_FALSE(errors.Last().lines.empty());
  EXPECT_EQ(errors.Last().lines[0].text, "Idade Final: 0 inválida!");
  EXPECT_EQ(plan().IdadeFinal(), oldest);
  EXPECT_EQ(finalAge->text().toStdString(), std::to_string(oldest));

  type(std::to_string(oldest - 2).c_str());
  Frame<TFrameQuorva>("FrameQuorva")->findChild<QPushButton*>("ButtonCalcular")->click();
  EXPECT_EQ(w().ActivePage(), TFormQuorva::kResultPage);
  EXPECT_EQ(plan().IdadeFinal(), oldest);
  EXPECT_EQ(finalAge->text().toStdString(), std::to_string(oldest));
}

// The error list goes with the plan it lists: "Novo" and "Abrir" hide it.
TEST_F(QuorvaForm, TheErrorListGoesWithItsPlan) {
  for (const char* command : {"Novo", "Abrir"}) {
    SetIdadeFinal(0);
    Trigger("MenuVisualizarResultado");
    ASSERT_TRUE(ErrorsShown()) << command;
    if (command == std::string("Abrir")) dialogs.AnswerFile((exe / "Plano1.dat").string());
    Click("OutBarGroupToolBar", command);
    EXPECT_FALSE(ErrorsShown()) << command;
  }
}

class QuorvaFormWithoutTemplate : public ::testing::Test, public QuorvaWindow {
protected:
  QuorvaFormWithoutTemplate() : QuorvaWindow(false) {}
};

TEST_F(QuorvaFormWithoutTemplate, StartsWithAPlanInMemoryAfterTheMessage) {
  EXPECT_EQ(dialogs.Texts(Prompt::Kind::Error).size(), 1U);
  EXPECT_EQ(w().windowTitle().toStdString(), "Quorva - Novo Projeto");
  ASSERT_NE(marquel().CurrentPlan(), nullptr);
  EXPECT_EQ(marquel().GetFileName(), "Plano1.dat");
  EXPECT_EQ(items().SelectedNode(), Node({"Projeto"}));
  EXPECT_TRUE(items().IsCurrentFrame(Frame<TFrameQuorva>("FrameQuorva")));
  // "Calcular" shows what the plan lacks and stays.
  w().findChild<QPushButton*>("ButtonCalcular")->click();
  EXPECT_EQ(w().ActivePage(), TFormQuorva::kPlanPage);
  EXPECT_TRUE(ErrorsShown());
  // "Salvar" asks for a name.
  dialogs.AnswerFile("");
  w().Salvar();
  EXPECT_EQ(dialogs.Prompts().back().text, "Salvar Plano");
}

// ---- The tree and the project module's notices

TEST_F(QuorvaForm, ProductionNodesFollowPostsRenamesAndDeletes) {
  QTreeWidgetItem* producoes = Node({"Projeto", "Produções"});
  const int before = producoes->childCount();
  PostProducao(12, "DESBASTE");
  ASSERT_EQ(producoes->childCount(), before + 1);
  QTreeWidgetItem* node = producoes->child(before);
  EXPECT_EQ(node->text(0).toStdString(), "DESBASTE aos 12 anos");
  TDataSet& data = marquel().cdsProducao();
  data.Edit();
  data.FieldByName("Idade").SetAsInteger(13);
  data.Post();
  EXPECT_EQ(producoes->childCount(), before + 1);
  EXPECT_EQ(producoes->child(before), node);
  EXPECT_EQ(node->text(0).toStdString(), "DESBASTE aos 13 anos");

  // A second production of one age shows after its post, not after a rebuild.
  PostProducao(13, "CORTE FINAL");
  EXPECT_EQ(producoes->childCount(), before + 2);
  w().BuildProductionNodes();
  EXPECT_EQ(producoes->childCount(), before + 1);

  // A notice for a production that is not there changes nothing.
  w().ProductionPosted(9999, 3);
  EXPECT_EQ(producoes->childCount(), before + 1);

  // Selecting a production's node shows it; deleting it removes its node.
  items().SelectNode(producoes->child(0));
  EXPECT_TRUE(items().IsCurrentFrame(Frame<TFrameProducao>("FrameProducao")));
  const int id = *TItemsArea::NodeItemId(producoes->child(0));
  EXPECT_EQ(data.FieldByName("Id").AsInteger(), id);
  data.Delete();
  EXPECT_EQ(w().FindProductionNode(id), nullptr);
  EXPECT_EQ(items().SelectedNode(), producoes);
}

TEST_F(QuorvaForm, TheTwoCostNodesAreToldApartByTheirPages) {
  items().SelectNode(Node({"Catálogos de opções", "Custos"}));
  EXPECT_TRUE(items().IsCurrentFrame(Frame<TFrameCatalogoCusto>("FrameCatalogoCusto")));
  items().SelectNode(Node({"Projeto", "Custos"}));
  EXPECT_TRUE(items().IsCurrentFrame(Frame<TFrameCusto>("FrameCusto")));
  // The module's cost-type notice reaches the costs page.
  w().CostTypeChanged(TCostType::Anual, TCostUnit::Other);
  EXPECT_FALSE(Frame<TFrameCusto>("FrameCusto")->AnnualGrid()->isHidden());
  w().CostTypeChanged(TCostType::Unitario, TCostUnit::PorM3);
  EXPECT_TRUE(Frame<TFrameCusto>("FrameCusto")->AnnualGrid()->isHidden());
}

// ---- Commands by frame and page

TEST_F(QuorvaForm, CommandsGoByTheCurrentFrameAndPage) {
  // "Novo" on the productions page does nothing.
  items().SelectNode(Node({"Projeto", "Produções"}));
  Click("OutBarGroupToolBar", "Novo");
  EXPECT_TRUE(dialogs.Prompts().empty());

  // "Imprimir" with a catalogue page current prints nothing.
  auto& printer = seams.printService.Printer();
  printer.setOutputFormat(QPrinter::PdfFormat);
  const std::string pdf = dir / "relatorio.pdf";
  printer.setOutputFileName(QString::fromStdString(pdf));
  items().SelectNode(Node({"Catálogos de opções", "Produtos"}));
  Click("OutBarGroupToolBar", "Imprimir");
  items().SelectNode(Node({"Catálogos de opções", "Custos"}));
  Click("OutBarGroupToolBar", "Imprimir");
  EXPECT_FALSE(std::filesystem::exists(pdf));

  // "Abrir" with a catalogue page current is that catalogue's.
  dialogs.AnswerFile("");
  Click("OutBarGroupToolBar", "Abrir");
  ASSERT_EQ(dialogs.Prompts().size(), 1U);
  EXPECT_EQ(dialogs.Prompts()[0].kind, Prompt::Kind::OpenFile);
  EXPECT_EQ(w().windowTitle().toStdString(), "Quorva - Novo Projeto");

  // On "Resultado" "Salvar" saves the report under the plan's name, the
  // bytes as built; "Imprimir" prints it titled with the description.
  items().SelectNode(Node({"Projeto"}));
  w().ShowResults();
  ASSERT_EQ(w().ActivePage(), TFormQuorva::kResultPage);
  const std::string rtf = dir / "saved.rtf";
  dialogs.AnswerFile(rtf);
  Click("OutBarGroupToolBarResult", "Salvar");
  const Prompt& save = dialogs.Prompts().back();
  EXPECT_EQ(save.text, "Salvar Documento");
  EXPECT_EQ(save.options.fileName, "Plano1.rtf");
  EXPECT_EQ(save.options.defaultExt, "rtf");
  EXPECT_EQ(save.options.initialDir, work.string());
  EXPECT_EQ(ReadFileBytes(rtf), Report("RichEdit")->Bytes());
  EXPECT_FALSE(Report("RichEdit")->Bytes().empty());

  dialogs.AnswerFile(pdf);
  Click("OutBarGroupToolBarResult", "Imprimir");
  ASSERT_TRUE(std::filesystem::exists(pdf));
  const std::string economic = ReadFileBytes(pdf);
  EXPECT_EQ(pdf::Title(economic), plan().Descricao());
  EXPECT_EQ(dialogs.Prompts().back().options.fileName, plan().Descricao() + ".pdf");

  // Printing the cost report asks for its file again; cancelled, the
  // economic report's file stays.
  w().MenuVisualizarRelatorioCustosClick();
  dialogs.AnswerFile("");
  Click("GBOutBarVertListView1", "Imprimir");
  EXPECT_EQ(dialogs.Prompts().back().kind, Prompt::Kind::SaveFile);
  EXPECT_EQ(dialogs.Prompts().back().options.initialDir, dir.Dir());
  EXPECT_EQ(ReadFileBytes(pdf), economic);

  // The cost report's list saves the cost report.
  const std::string costs = dir / "custos.rtf";
  dialogs.AnswerFile(costs);
  Click("GBOutBarVertListView1", "Salvar");
  EXPECT_EQ(dialogs.Prompts().back().options.fileName, "Plano1.rtf");
  EXPECT_EQ(ReadFileBytes(costs), Report("RichEditRelatorioCustos")->Bytes());
  EXPECT_NE(ReadFileBytes(costs), ReadFileBytes(rtf));
  EXPECT_EQ(dialogs.AnswersLeft(), 0);
}

// ---- The plan's save rules

TEST_F(QuorvaForm, PlanSavesAskForANameOnceAndKeepThePlanWhenCancelled) {
  // The template's name asks for a new one.
  const std::string mine = (exe / "Meu.dat").string();
  dialogs.AnswerFile(mine);
  w().Salvar();
  ASSERT_EQ(dialogs.Prompts().size(), 1U);
  EXPECT_EQ(dialogs.Prompts()[0].text, "Salvar Plano");
  EXPECT_EQ(dialogs.Prompts()[0].options.defaultExt, "dat");
  EXPECT_TRUE(dialogs.Prompts()[0].options.overwritePrompt);
  ASSERT_TRUE(std::filesystem::exists(mine));
  EXPECT_EQ(w().windowTitle().toStdString(), "Quorva - Meu.dat");

  // Then a plain save writes there without a dialog.
  marquel().cdsQuorva().Edit();
  marquel().cdsQuorva().FieldByName("Descricao").SetAsString("Outra");
  marquel().cdsQuorva().Post();
  w().Salvar();
  EXPECT_EQ(dialogs.Prompts().size(), 1U);
  EXPECT_NE(ReadFileBytes(mine).find("Outra"), std::string::npos);

  // "Novo", Yes, and the save dialog cancelled: the plan stays.
  std::filesystem::remove(mine);
  marquel().SavePlan((exe / "Plano1.dat").string());  // stored under the template's name again
  marquel().cdsQuorva().Edit();
  marquel().cdsQuorva().FieldByName("Descricao").SetAsString("Guardar");
  marquel().cdsQuorva().Post();
  dialogs.Answer(TMsgDlgBtn::Yes).AnswerFile("");
  w().Novo();
  EXPECT_EQ(plan().Descricao(), "Guardar");

  // A file of another class, or a cancelled dialog: the plan and the caption stay.
  const QString caption = w().windowTitle();
  dialogs.Answer(TMsgDlgBtn::No).AnswerFile((exe / "Custo.dat").string());
  w().RunCommand([&] { w().Abrir(); });
  EXPECT_EQ(dialogs.Texts(Prompt::Kind::Error),
            std::vector<std::string>{"Não foi possível ler o arquivo \"Custo.dat\": não é um arquivo de plano.\n"
                                     "Arquivo não contém o objeto do tipo: TQuorvaPersist"});
  EXPECT_EQ(plan().Descricao(), "Guardar");
  EXPECT_EQ(items().SelectedNode(), Node({"Projeto"}));
  dialogs.Answer(TMsgDlgBtn::No).AnswerFile("");
  w().RunCommand([&] { w().Abrir(); });
  EXPECT_EQ(w().windowTitle(), caption);
  EXPECT_EQ(dialogs.AnswersLeft(), 0);
}

// ---- The sensitivity box and the next calculation

TEST_F(QuorvaForm, UntickingTheSensitivityBoxRecalculatesTheNextReport) {
  w().ShowResults();
  ASSERT_EQ(w().ActivePage(), TFormQuorva::kResultPage);
  EXPECT_NE(ShownText(Report("RichEdit")).find("Análise de Sensibilidade"), std::string::npos);
  w().MenuVisualizarPlanoClick();
  auto* box = Frame<TFrameQuorva>("FrameQuorva")->findChild<QCheckBox*>("CheckBoxAnaliseSensibilidade");
  ASSERT_NE(box, nullptr);
  ASSERT_TRUE(box->isChecked());
  QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(6, box->height() / 2));
  EXPECT_FALSE(box->isChecked());
  EXPECT_EQ(plan().TemAnaliseSensibilidade(), 0);
  w().MenuVisualizarResultadoClick();
  EXPECT_EQ(w().ActivePage(), TFormQuorva::kResultPage);
  EXPECT_EQ(ShownText(Report("RichEdit")).find("Análise de Sensibilidade"), std::string::npos);
}

// ---- The import's failures

TEST_F(QuorvaForm, AFailedImportKeepsThePlanAndLeavesNoProductionShown) {
  QTreeWidgetItem* producoes = Node({"Projeto", "Produções"});
  const std::vector<std::string> nodes = Children(producoes);
  ASSERT_FALSE(nodes.empty());
  const std::string damaged = (work / "Danificado.dat").string();
  WriteFileBytes(damaged, "TPF0\x05 nada");
  std::size_t errors = 0;
  for (const std::string& file : {damaged, (exe / "Custo.dat").string()}) {
    items().SelectNode(producoes->child(0));
    ASSERT_TRUE(items().IsCurrentFrame(Frame<TFrameProducao>("FrameProducao")));
    dialogs.Answer(TMsgDlgBtn::Yes).AnswerFile(file);
    Trigger("MenuArquivoImportar");
    EXPECT_EQ(dialogs.Texts(Prompt::Kind::Error).size(), ++errors) << file;
    EXPECT_EQ(Children(producoes), nodes);
    EXPECT_EQ(plan().Producoes().Count(), static_cast<int>(nodes.size()));
    EXPECT_FALSE(items().IsCurrentFrame(Frame<TFrameProducao>("FrameProducao")));
    EXPECT_EQ(items().SelectedNode(), producoes);
  }
  // No to the question, or a cancelled dialog: nothing changes.
  dialogs.Answer(TMsgDlgBtn::No);
  Trigger("MenuArquivoImportar");
  dialogs.Answer(TMsgDlgBtn::Yes).AnswerFile("");
  Trigger("MenuArquivoImportar");
  EXPECT_EQ(Children(producoes), nodes);
  EXPECT_EQ(dialogs.AnswersLeft(), 0);
}

// ---- Lists, menus and the About hot spot

TEST_F(QuorvaForm, ItemsToggleAboutHotSpotAndHelp) {
  auto* list = Find<TGBVertListView>(w(), "OutBarGroupToolBar");
  auto toggle = [&] { return list->Items()[5]->Caption(); };
  EXPECT_EQ(toggle(), "Ocultar Itens");
  Click("OutBarGroupToolBar", "Ocultar Itens");
  EXPECT_EQ(toggle(), "Mostrar Itens");
  EXPECT_FALSE(ItemsShown(w()));
  EXPECT_FALSE(Checked("MenuVisualizarItens"));
  Trigger("MenuVisualizarItens");
  EXPECT_EQ(toggle(), "Ocultar Itens");
  EXPECT_TRUE(ItemsShown(w()));

  // A press at 385 opens nothing, at 386 About, from the event loop.
  QTest::mousePress(list, Qt::RightButton, Qt::NoModifier, QPoint(20, 385));
  QTest::mouseRelease(list, Qt::RightButton, Qt::NoModifier, QPoint(20, 385));
  QApplication::processEvents();
  EXPECT_EQ(aboutOpened, 0);
  QTest::mousePress(list, Qt::RightButton, Qt::NoModifier, QPoint(20, 386));
  EXPECT_EQ(aboutOpened, 0);
  QTest::mouseRelease(list, Qt::RightButton, Qt::NoModifier, QPoint(20, 386));
  QApplication::processEvents();
  EXPECT_EQ(aboutOpened, 1);

  Trigger("MenuAjuda");
  Trigger("ndice1");
  Trigger("MenuAjudaSobre");
  QApplication::processEvents();
  EXPECT_EQ(aboutOpened, 4);
  EXPECT_FALSE(Find<QAction>(w(), "Introduo1")->isVisible());
  Trigger("Introduo1");
  EXPECT_EQ(shell.opened, std::vector<std::string>{(exe / "ManualQuorva.pdf").string()});
  EXPECT_EQ(Find<QAction>(w(), "MenuArquivoSair")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
  EXPECT_EQ(w().ActivePage(), TFormQuorva::kPlanPage);
  EXPECT_TRUE(dialogs.Prompts().empty());
}

// "Sair" asks before a changed plan or catalogue is lost: Cancelar keeps the
// window, then Não for the plan and Sim for the costs end it.
TEST_F(QuorvaForm, SairAsksForEachChangedDocument) {
  SetIdadeFinal(30);
  TDataSet& costs = catalog().cdsCusto();
  costs.Edit();
  costs.FieldByName("Nome").SetAsString("Roçada");
  costs.Post();
  dialogs.Answer(TMsgDlgBtn::Cancel);
  Trigger("MenuArquivoSair");
  EXPECT_TRUE(w().isVisible());
  dialogs.Answer(TMsgDlgBtn::No).Answer(TMsgDlgBtn::Yes);
  Trigger("MenuArquivoSair");
  EXPECT_FALSE(w().isVisible());
  EXPECT_EQ(dialogs.Texts(Prompt::Kind::YesNoCancel),
            (std::vector<std::string>{"Salvar o Plano corrente ?", "Salvar o Plano corrente ?",
                                      "Salvar o catálogo de custos?"}));
  EXPECT_EQ(catalog().CostsPath(), (exe / "Custo.dat").string());
  EXPECT_FALSE(catalog().CostsChanged());
}

// "Novo" and "Abrir" ask as "Sair" does, and only after a change: Cancelar
// (and Escape, which the box gives as Cancelar) stops them before any dialog,
// Não goes on. A catalogue's "Abrir" asks about that catalogue. Saves and
// opens name the file in the caption.
TEST_F(QuorvaForm, NovoAndAbrirAskOnlyAfterAChange) {
  dialogs.AnswerFile("");
  Click("OutBarGroupToolBar", "Abrir");
  Click("OutBarGroupToolBar", "Novo");
  ASSERT_EQ(dialogs.Prompts().size(), 1u);
  EXPECT_EQ(dialogs.Prompts()[0].kind, Prompt::Kind::OpenFile);
  SetIdadeFinal(30);
  for (const char* command : {"Novo", "Abrir"}) {
    dialogs.Answer(TMsgDlgBtn::Cancel);
    Click("OutBarGroupToolBar", command);
    EXPECT_EQ(plan().IdadeFinal(), 30) << command;
  }
  EXPECT_EQ(dialogs.Prompts(Prompt::Kind::OpenFile).size(), 1u);
  dialogs.Answer(TMsgDlgBtn::No);
  Click("OutBarGroupToolBar", "Novo");
  EXPECT_NE(plan().IdadeFinal(), 30);
  EXPECT_EQ(dialogs.Texts(Prompt::Kind::YesNoCancel), std::vector<std::string>(3, "Salvar o Plano corrente ?"));

  const std::filesystem::path saved = work / "rt.dat", copy = work / "outro.dat";
  dialogs.AnswerFile(saved.string());
  Click("OutBarGroupToolBar", "Salvar Como");
  EXPECT_EQ(w().windowTitle().toStdString(), "Quorva - rt.dat");
  std::filesystem::copy_file(saved, copy);
  dialogs.AnswerFile(copy.string());
  Click("OutBarGroupToolBar", "Abrir");
  EXPECT_EQ(w().windowTitle().toStdString(), "Quorva - outro.dat");

  TDataSet& costs = catalog().cdsCusto();
  costs.Edit();
  costs.FieldByName("Nome").SetAsString("Roçada");
  costs.Post();
  items().SelectNode(Node({"Catálogos de opções", "Custos"}));
  dialogs.Answer(TMsgDlgBtn::Cancel);
  Click("OutBarGroupToolBar", "Abrir");
  EXPECT_EQ(dialogs.Texts(Prompt::Kind::YesNoCancel).back(), "Salvar o catálogo de custos?");
  EXPECT_EQ(dialogs.Prompts(Prompt::Kind::OpenFile).size(), 2u);
  EXPECT_TRUE(catalog().CostsChanged());
  EXPECT_EQ(dialogs.AnswersLeft(), 0);
}

}  // namespace
