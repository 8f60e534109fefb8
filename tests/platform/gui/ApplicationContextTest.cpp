// The application context: folders, the seams it is given, windows deleted
// in reverse order, and exceptions shown through the dialogs.
#include <gtest/gtest.h>

#include <QDir>
#include <memory>
#include <string>
#include <vector>

#include "platform/gui/ApplicationContext.h"
#include "platform/gui/Guard.h"
#include "platform/rtl/Exceptions.h"
#include "tests/support/Fakes.h"
#include "tests/support/gui/GuiSupport.h"

namespace {

// Notes its name in a shared log when it goes.
class Logged : public QWidget {
public:
  Logged(std::string name, std::vector<std::string>& log) : name_(std::move(name)), log_(log) {}
  ~Logged() override { log_.push_back(name_); }

private:
  std::string name_;
  std::vector<std::string>& log_;
};

}  // namespace

TEST(ApplicationContext, FoldersSeamsAndTheApplicationName) {
  ScriptedDialogs dialogs;
  RecordingShell shell;
  const QString name = QCoreApplication::applicationName();
  {
    TApplicationContext context({"Tallora", "/opt/tallora", "/home/u", &dialogs, &shell});
    EXPECT_EQ(context.ExeDir(), "/opt/tallora");
    EXPECT_EQ(context.WorkDir(), "/home/u");
    EXPECT_EQ(&context.Dialogs(), &dialogs);
    EXPECT_EQ(&context.Shell(), &shell);
    EXPECT_EQ(context.Title(), "Tallora");
    EXPECT_EQ(QCoreApplication::applicationName(), "Tallora");
    // The print service's set-up dialog goes through the dialogs.
    dialogs.AnswerPrinter(false);
    EXPECT_FALSE(context.PrintService().Setup());
  }
  // The name the application had comes back.
  EXPECT_EQ(QCoreApplication::applicationName(), name);

  TApplicationContext defaults({});
  EXPECT_EQ(defaults.ExeDir(), QCoreApplication::applicationDirPath().toStdString());
  EXPECT_EQ(defaults.WorkDir(), QDir::currentPath().toStdString());
}

TEST(ApplicationContext, AdoptedWindowsGoInReverseOrder) {
  std::vector<std::string> log;
  QPointer<QWidget> parent;
  {
    ScriptedDialogs dialogs;
    TApplicationContext context({"T", "", "", &dialogs, nullptr});
    context.Adopt(new Logged("erros", log));
    context.Adopt(new Logged("seletor", log));
    // A window Qt deletes first (through a parent) is not deleted again.
    auto owner = std::make_unique<QWidget>();
    auto* child = new Logged("filho", log);
    context.Adopt(child);
    child->setParent(owner.get());
    owner.reset();
    context.Adopt(new Logged("grafico", log));
    EXPECT_EQ(log, std::vector<std::string>{"filho"});
  }
  EXPECT_EQ(log, (std::vector<std::string>{"filho", "grafico", "seletor", "erros"}));
}

TEST(ApplicationContext, ExceptionsAreShownAndTheFormerHandlerComesBack) {
  {
    ScriptedDialogs dialogs;
    TApplicationContext context({"T", "", "", &dialogs, nullptr});
    Guard([] { throw EConvertError("'abc' n\xC3\xA3o \xC3\xA9 um valor v\xC3\xA1lido"); });
    Guard([] { throw EAbort(); });
    EXPECT_EQ(dialogs.Texts(Prompt::Kind::Error),
              std::vector<std::string>{"'abc' n\xC3\xA3o \xC3\xA9 um valor v\xC3\xA1lido"});
    EXPECT_TRUE(RecordedExceptions().empty());
  }
  // The test program's recorder again.
  Guard([] { throw Exception("depois"); });
  EXPECT_EQ(RecordedExceptions(), std::vector<std::string>{"depois"});
}
