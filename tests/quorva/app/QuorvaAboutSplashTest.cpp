// The About and splash windows: links through the shell and their failures,
// the hand cursor and its return, the modal window's closing keys, the
// splash's timer and self-freeing close; pictures of Quorva's windows
// (quorva-about.png, quorva-splash.png in the build folder).
#include <gtest/gtest.h>

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "forms/AboutForm.h"
#include "forms/SplashForm.h"
#include "platform/gui/ApplicationContext.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Forms.h"
#include "quorva/app/QuorvaContent.h"
#include "tests/support/Fakes.h"
#include "tests/support/TempDir.h"
#include "tests/support/gui/GuiSupport.h"

namespace {

// The pointer moving over a widget, no button down.
void MoveOver(QWidget* widget) {
  const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
  QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(widget, &move);
}

bool HandShown() {
  const QCursor* cursor = QGuiApplication::overrideCursor();
  return cursor && cursor->shape() == Qt::PointingHandCursor;
}

void WritePicture(QWidget& window, const char* name) {
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  ASSERT_TRUE(Snap(window).save(QString(TQ_BINARY_DIR) + "/" + name));
}

class About : public ::testing::Test {
protected:
  ~About() override { EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr); }

  // Runs `drive` on the About window once ShowAbout has it up.
  void WhenShown(std::function<void(TFormSobre&)> drive) {
    QTimer::singleShot(0, [drive = std::move(drive)] {
      auto* form = dynamic_cast<TFormSobre*>(QApplication::activeModalWidget());
      if (!form) {
        ADD_FAILURE() << "no About window";
        return;
      }
      drive(*form);
      if (form->isVisible()) {
        ADD_FAILURE() << "the About window stayed open";
        form->reject();
      }
    });
  }

  TAboutContent content = QuorvaAboutContent();
  ScriptedDialogs dialogs;
  RecordingShell shell;
};

TEST_F(About, ShowsTheProgramsLinksAndPicture) {
  TFormSobre form(content, shell, dialogs);
  EXPECT_EQ(form.size(), QSize(702, 555));
  ASSERT_EQ(form.LinkCount(), 4);
  EXPECT_EQ(form.Link(0)->text(), "1. Manual ");
  EXPECT_EQ(form.Link(2)->text(), QString::fromUtf8("3. Vídeo "));
  EXPECT_EQ(form.Link(0)->font().pixelSize(), 19);
  EXPECT_EQ(form.SiteLabel()->text(), QString::fromStdString(content.site.caption));
  ASSERT_NE(form.Picture(), nullptr);
  EXPECT_EQ(form.Picture()->pixmap().size(), QSize(161, 105));
  EXPECT_TRUE(form.ButtonSair()->isDefault());
  EXPECT_EQ(form.ButtonSair()->text(), "&Sair");
}

TEST_F(About, LinksOpenTheirTargetsAndOnlyTheNamedOnesTellAFailure) {
  TFormSobre form(content, shell, dialogs);
  form.open();
  shell.result = false;
  for (int i = 0; i < form.LinkCount(); ++i) QTest::mouseClick(form.Link(i), Qt::LeftButton);
  EXPECT_TRUE(dialogs.Prompts().empty());
  QTest::mouseClick(form.SiteLabel(), Qt::LeftButton);
  EXPECT_EQ(dialogs.Texts(Prompt::Kind::Error), std::vector<std::string>{"Não foi possível abrir."});
  std::vector<std::string> expected;
  for (const TAboutLink& link : content.links) expected.push_back(link.target);
  expected.push_back(content.site.target);
  EXPECT_EQ(shell.opened, expected);
  // A right click opens nothing; the window stays open in every case.
  QTest::mouseClick(form.Link(0), Qt::RightButton);
  EXPECT_EQ(shell.opened.size(), expected.size());
  EXPECT_TRUE(form.isVisible());
  form.reject();
}

TEST_F(About, TheHandStaysOverPictureAndButtonUntilTheBackground) {
  TFormSobre form(content, shell, dialogs);
  form.open();
  MoveOver(form.Link(1));
  EXPECT_TRUE(HandShown());
  EXPECT_EQ(Screen::Cursor(), crHandPoint);
  MoveOver(form.Picture());
  MoveOver(form.ButtonSair());
  EXPECT_TRUE(HandShown());
  MoveOver(&form);
  EXPECT_FALSE(HandShown());
  EXPECT_EQ(Screen::Cursor(), crDefault);
  form.reject();
}

TEST_F(About, ClosingOverALinkGivesTheCursorBack) {
  WhenShown([](TFormSobre& form) {
    MoveOver(form.SiteLabel());
    EXPECT_TRUE(HandShown());
    QTest::keyClick(&form, Qt::Key_Escape);
  });
  ShowAbout(content, shell, dialogs);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_EQ(Screen::Cursor(), crDefault);
}

TEST_F(About, EscAndEnterCloseItAndEachShowIsAFreshWindow) {
  QPointer<TFormSobre> first;
  WhenShown([&](TFormSobre& form) {
    first = &form;
    QTest::keyClick(&form, Qt::Key_Escape);
  });
  ShowAbout(content, shell, dialogs);
  EXPECT_TRUE(first.isNull());
  bool shownAgain = false;
  WhenShown([&](TFormSobre& form) {
    shownAgain = true;
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.LinkCount(), 4);
    QTest::keyClick(&form, Qt::Key_Return);
  });
  ShowAbout(content, shell, dialogs);
  EXPECT_TRUE(shownAgain);
}

TEST_F(About, ACorruptPictureOpensTheWindowWithoutOne) {
  TempDir dir;
  content.picture = dir / "corrupt.jpg";
  WriteFileBytes(content.picture, "\xFF\xD8\xFF\xE0 not a picture");
  TFormSobre form(content, shell, dialogs);
  form.open();
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(form.Picture(), nullptr);
  MoveOver(form.Link(0));
  form.reject();
}

TEST_F(About, PictureOfQuorvasWindow) {
  TFormSobre form(content, shell, dialogs);
  WritePicture(form, "quorva-about.png");
}

class Splash : public ::testing::Test {
protected:
  ScriptedDialogs dialogs;
  TApplicationContext context{{"Quorva", "", "", &dialogs, nullptr}};
};

TEST_F(Splash, TheTimerStartsWhenShownAndItsTickClosesAndFreesTheWindow) {
  QPointer<TFormSplash> splash = new TFormSplash(QuorvaSplashContent());
  EXPECT_FALSE(splash->Timer().Running());
  splash->show();
  EXPECT_TRUE(splash->Timer().Running());
  EXPECT_EQ(splash->Timer().Interval(), 5000);
  splash->Timer().Tick();
  ASSERT_FALSE(splash.isNull());
  EXPECT_FALSE(splash->isVisible());
  EXPECT_FALSE(splash->Timer().Running());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(splash.isNull());
}

TEST_F(Splash, OkClosesAtOnceAndTheTimerNeverFires) {
  QPointer<TFormSplash> splash = new TFormSplash(QuorvaSplashContent());
  splash->show();
  QTest::mouseClick(splash->ButtonOK(), Qt::LeftButton);
  ASSERT_FALSE(splash.isNull());
  EXPECT_FALSE(splash->isVisible());
  EXPECT_FALSE(splash->Timer().Running());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(splash.isNull());
}

TEST_F(Splash, ItClosesByItselfAfterTheInterval) {
  // The context, given it as main gives it, skips it at the end.
  const QPointer<TFormSplash> splash = TFormSplash::ShowSplash(QuorvaSplashContent(), 50);
  context.Adopt(splash);
  EXPECT_TRUE(QTest::qWaitFor([&] {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return splash.isNull();
  }));
}

TEST_F(Splash, IsAFramelessWindowAboveTheOthers) {
  QPointer<TFormSplash> splash = new TFormSplash(QuorvaSplashContent());
  EXPECT_EQ(splash->size(), QSize(411, 327));
  EXPECT_TRUE(splash->windowFlags() & Qt::FramelessWindowHint);
  EXPECT_TRUE(splash->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(splash->windowTitle(), "Quorva");
  EXPECT_TRUE(splash->ButtonOK()->isDefault());
  ASSERT_NE(splash->Logo(), nullptr);
  EXPECT_EQ(splash->Logo()->pixmap().size(), QSize(409, 89));
  WritePicture(*splash, "quorva-splash.png");
  splash->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(splash.isNull());
}

}  // namespace
