// The Qt dialogs: the filter conversion, what the file dialogs are given,
// the answers of the message boxes, and the capture given up first.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>
#include <functional>

#include "platform/gui/Controls.h"
#include "platform/gui/Dialogs.h"
#include "platform/gui/InputHub.h"
#include "tests/support/TempDir.h"

namespace {

// Runs `act` on the modal window once it is open (polled from the modal loop).
void WhenModal(std::function<void(QWidget*)> act) {
  auto* timer = new QTimer;
  timer->setInterval(5);
  auto tries = std::make_shared<int>(0);
  QObject::connect(timer, &QTimer::timeout, [timer, act, tries] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal && ++*tries < 400) return;
    timer->stop();
    timer->deleteLater();
    if (modal) act(modal);
  });
  timer->start();
}

QAbstractButton* ButtonWithText(QMessageBox& box, const QString& text) {
  for (QAbstractButton* b : box.buttons())
    if (b->text() == text) return b;
  return nullptr;
}

}  // namespace

TEST(QtFileFilter, PairsBecomeQtEntries) {
  EXPECT_EQ(QtFileFilter("Data Files (*.dat)|*.dat|All Files (*.*)|*.*"), "Data Files (*.dat);;All Files (*)");
  EXPECT_EQ(QtFileFilter("Rich Text Format|*.rtf"), "Rich Text Format (*.rtf)");
  EXPECT_EQ(QtFileFilter("Documentos (*.rtf;*.txt)|*.rtf;*.txt"), "Documentos (*.rtf *.txt)");
  EXPECT_EQ(QtFileFilter("Todos|*.*|"), "Todos (*)");
  EXPECT_EQ(QtFileFilter(""), "");
}

TEST(QtDialogs, OpenFileGivesTheDialogItsSettingsAndReturnsTheChoice) {
  TempDir dir;
  WriteFileBytes(dir / "Produtos.dat", "x");
  TQtDialogs dialogs;
  FileDialogOptions options;
  options.title = "Abrir Cat\xC3\xA1logo de Produtos";
  options.filter = "Data Files (*.dat)|*.dat|All Files (*.*)|*.*";
  options.defaultExt = "dat";
  options.initialDir = dir.Dir();
  options.fileMustExist = true;
  QString seenTitle, seenDir, seenSuffix;
  QStringList seenFilters;
  bool existing = false;
  WhenModal([&](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    seenTitle = dialog->windowTitle();
    seenDir = dialog->directory().absolutePath();
    seenFilters = dialog->nameFilters();
    seenSuffix = dialog->defaultSuffix();
    existing = dialog->fileMode() == QFileDialog::ExistingFile;
    dialog->selectFile(QString::fromStdString(dir / "Produtos.dat"));
    static_cast<QDialog*>(dialog)->accept();
  });
  EXPECT_EQ(dialogs.OpenFile(options), dir / "Produtos.dat");
  EXPECT_EQ(seenTitle.toStdString(), options.title);
  EXPECT_EQ(seenDir.toStdString(), dir.Dir());
  EXPECT_EQ(seenFilters, (QStringList{"Data Files (*.dat)", "All Files (*)"}));
  EXPECT_EQ(seenSuffix, "dat");
  EXPECT_TRUE(existing);

  WhenModal([](QWidget* modal) { static_cast<QDialog*>(modal)->reject(); });
  EXPECT_EQ(dialogs.OpenFile(options), "");
}

TEST(QtDialogs, SaveFileAsksBeforeOverwritingOnlyWhenTold) {
  TempDir dir;
  TQtDialogs dialogs;
  FileDialogOptions options;
  options.title = "Salvar Produtos";
  options.initialDir = dir.Dir();
  options.fileName = "Novo.dat";
  for (bool prompt : {true, false}) {
    options.overwritePrompt = prompt;
    bool confirms = !prompt;
    QString proposed;
    WhenModal([&](QWidget* modal) {
      auto* dialog = qobject_cast<QFileDialog*>(modal);
      ASSERT_NE(dialog, nullptr);
      confirms = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
      proposed = dialog->selectedFiles().value(0);
      dialog->reject();
    });
    EXPECT_EQ(dialogs.SaveFile(options), "");
    EXPECT_EQ(confirms, prompt);
    EXPECT_EQ(proposed.toStdString(), dir / "Novo.dat");
  }
}

TEST(QtDialogs, QuestionsAnswerWithTheButtonPressed) {
  TQtDialogs dialogs;
  auto press = [](const char* text) {
    WhenModal([text](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      ASSERT_NE(box, nullptr);
      QAbstractButton* button = ButtonWithText(*box, QString::fromUtf8(text));
      ASSERT_NE(button, nullptr) << text;
      button->click();
    });
  };
  press("&Sim");
  EXPECT_EQ(dialogs.AskYesNo("Excluir o registro?"), TMsgDlgBtn::Yes);
  press("&N\xC3\xA3o");
  EXPECT_EQ(dialogs.AskYesNo("Excluir o registro?"), TMsgDlgBtn::No);
  press("Cancelar");
  EXPECT_EQ(dialogs.AskYesNoCancel("Salvar?"), TMsgDlgBtn::Cancel);
  press("&N\xC3\xA3o");
  EXPECT_EQ(dialogs.AskYesNoCancel("Salvar?"), TMsgDlgBtn::No);
  // Escape (closing the box) is No for a yes/no question, Cancel for the other.
  WhenModal([](QWidget* modal) { static_cast<QDialog*>(modal)->reject(); });
  EXPECT_EQ(dialogs.AskYesNo("?"), TMsgDlgBtn::No);
  WhenModal([](QWidget* modal) { static_cast<QDialog*>(modal)->reject(); });
  EXPECT_EQ(dialogs.AskYesNoCancel("?"), TMsgDlgBtn::Cancel);

  QString text;
  WhenModal([&](QWidget* modal) {
    text = static_cast<QMessageBox*>(modal)->text();
    static_cast<QMessageBox*>(modal)->accept();
  });
  dialogs.Error("N\xC3\xA3o foi poss\xC3\xADvel abrir.");
  EXPECT_EQ(text.toStdString(), "N\xC3\xA3o foi poss\xC3\xADvel abrir.");
}

TEST(QtDialogs, TheCaptureIsGivenUpBeforeADialogOpens) {
  TControl control;
  control.resize(50, 50);
  control.show();
  SetCapture(&control);
  ASSERT_EQ(GetCapture(), &control);
  TQtDialogs dialogs;
  TControl* holderWhileOpen = &control;
  WhenModal([&](QWidget* modal) {
    holderWhileOpen = GetCapture();
    static_cast<QDialog*>(modal)->accept();
  });
  dialogs.Information("Pronto.");
  EXPECT_EQ(holderWhileOpen, nullptr);
}
