// Tallora's About and splash windows: the links of its table through the Qt
// shell (programs beside the executable, the two links that tell a failure),
// and pictures of both windows (tallora-about.png, tallora-splash.png in the
// build folder).
#include <gtest/gtest.h>

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "forms/AboutForm.h"
#include "forms/SplashForm.h"
#include "platform/gui/Shell.h"
#include "tallora/app/TalloraContent.h"
#include "tests/support/Fakes.h"
#include "tests/support/TempDir.h"
#include "tests/support/gui/GuiSupport.h"

namespace {

class TalloraAbout : public ::testing::Test {
protected:
  TalloraAbout() {
    std::filesystem::create_directories(exe.Path());
    std::filesystem::create_directories(work.Path());
  }
  TShellLaunchers Launchers() {
    return {[this](const QUrl& url) {
              urls.push_back(url.toString().toStdString());
              return false;  // no browser
            },
            [this](const QString& program, const QStringList&, const QString&) {
              programs.push_back(program.toStdString());
              return true;
            }};
  }

  TempDir exe, work;
  std::vector<std::string> urls, programs;
  TQtShell shell{[this] { return exe.Dir(); }, [this] { return work.Dir(); }, Launchers()};
  ScriptedDialogs dialogs;
  TAboutContent content = TalloraAboutContent();
};

TEST_F(TalloraAbout, HasSevenNumberedLinksAndTheSiteLabel) {
  TFormSobre form(content, shell, dialogs);
  ASSERT_EQ(form.LinkCount(), 7);
  EXPECT_EQ(form.Link(0)->text(), "1. Manual ");
  EXPECT_EQ(form.Link(1)->text(), QString::fromUtf8("2. Análise Econômica - Quorva                   "));
  EXPECT_EQ(form.Link(5)->text(), QString::fromUtf8("6. Vídeo "));
  for (int i = 0; i < 7; ++i) EXPECT_TRUE(form.Link(i)->text().startsWith(QString("%1. ").arg(i + 1))) << i;
  const char* names[] = {"lblFreeMemory", "Label3", "lblMemoryAvailable", "Label11", "Label9", "Label8", "Label5"};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(form.Link(i)->objectName(), names[i]);
  EXPECT_EQ(form.SiteLabel()->objectName(), "Label4");
  EXPECT_EQ(content.links[0].target, "ManualTallora.pdf");
  ASSERT_NE(form.Picture(), nullptr);
}

TEST_F(TalloraAbout, TheQuorvaLinkStartsTheProgramBesideTheExecutable) {
  // A "quorva" in the working folder is never run.
  for (const std::filesystem::path& folder : {exe.Path(), work.Path()}) {
    WriteFileBytes(folder / "quorva", "#!/bin/sh\n");
    std::filesystem::permissions(folder / "quorva", std::filesystem::perms::owner_all);
  }
  TFormSobre form(content, shell, dialogs);
  form.open();
  QTest::mouseClick(form.Link(1), Qt::LeftButton);
  EXPECT_EQ(programs, std::vector<std::string>{(exe.Path() / "quorva").string()});
  EXPECT_TRUE(dialogs.Prompts().empty());
  form.reject();
}

TEST_F(TalloraAbout, OnlyTheThirdLinkAndTheSiteTellTheyCouldNotOpen) {
  TFormSobre form(content, shell, dialogs);
  form.open();
  // Nothing beside the executable, no browser.
  for (int i = 0; i < form.LinkCount(); ++i) QTest::mouseClick(form.Link(i), Qt::LeftButton);
  QTest::mouseClick(form.SiteLabel(), Qt::LeftButton);
  EXPECT_EQ(dialogs.Texts(Prompt::Kind::Error), std::vector<std::string>(2, "Não foi possível abrir."));
  EXPECT_TRUE(programs.empty());
  EXPECT_EQ(urls.size(), 2u);  // the video and the site
  EXPECT_TRUE(form.isVisible());
  form.reject();
}

TEST_F(TalloraAbout, DocumentsOpenFromTheWorkingFolderOrBesideTheExecutable) {
  WriteFileBytes(exe.Path() / content.links[0].target, "%PDF-1.4\n");
  TFormSobre form(content, shell, dialogs);
  form.open();
  QTest::mouseClick(form.Link(0), Qt::LeftButton);
  ASSERT_EQ(urls.size(), 1u);
  EXPECT_EQ(urls[0], QUrl::fromLocalFile(QString::fromStdString((exe.Path() / "ManualTallora.pdf").string()))
                         .toString()
                         .toStdString());
  form.reject();
}

TEST_F(TalloraAbout, PicturesOfTheAboutAndSplashWindows) {
  TFormSobre about(content, shell, dialogs);
  about.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
  ASSERT_TRUE(Snap(about).save(QString(TQ_BINARY_DIR) + "/tallora-about.png"));
  about.hide();

  QPointer<TFormSplash> splash = new TFormSplash(TalloraSplashContent());
  EXPECT_EQ(splash->windowTitle(), "Tallora");
  splash->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(splash));
  ASSERT_TRUE(Snap(*splash).save(QString(TQ_BINARY_DIR) + "/tallora-splash.png"));
  splash->ButtonOK()->click();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(splash.isNull());
}

}  // namespace
