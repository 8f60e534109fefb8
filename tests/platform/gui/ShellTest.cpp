// The shell's open: web addresses, programs only from the executable's
// folder with their parameters, documents from the working folder and then
// beside the executable.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/gui/Shell.h"
#include "tests/support/Fakes.h"
#include "tests/support/TempDir.h"

namespace {

struct Launched {
  std::vector<QUrl> urls;
  struct Start {
    QString program;
    QStringList arguments;
    QString workDir;
  };
  std::vector<Start> programs;
  TShellLaunchers Launchers() {
    return {[this](const QUrl& url) {
              urls.push_back(url);
              return true;
            },
            [this](const QString& program, const QStringList& arguments, const QString& workDir) {
              programs.push_back({program, arguments, workDir});
              return true;
            }};
  }
};

void MakeProgram(const std::string& path) {
  WriteFileBytes(path, "#!/bin/sh\n");
  std::filesystem::permissions(path, std::filesystem::perms::owner_all);
}

}  // namespace

class ShellTest : public ::testing::Test {
protected:
  TempDir exe, work;
  Launched launched;
  TQtShell shell{[this] { return exe.Dir(); }, [this] { return work.Dir(); }, launched.Launchers()};
};

TEST_F(ShellTest, WebAddressesGoToTheBrowser) {
  EXPECT_TRUE(shell.Open("https://www.example.com.br/x"));
  EXPECT_TRUE(shell.Open("www.example.com.br"));
  ASSERT_EQ(launched.urls.size(), 2u);
  EXPECT_EQ(launched.urls[0].toString(), "https://www.example.com.br/x");
  EXPECT_EQ(launched.urls[1].scheme(), "http");
  EXPECT_TRUE(launched.programs.empty());
}

TEST_F(ShellTest, ProgramsRunFromTheExecutablesFolderOnlyWithTheirParameters) {
  MakeProgram(exe / "quorva");
  EXPECT_TRUE(shell.Open("quorva", "-a \"dois nomes\" b"));
  ASSERT_EQ(launched.programs.size(), 1u);
  EXPECT_EQ(launched.programs[0].program.toStdString(), exe / "quorva");
  EXPECT_EQ(launched.programs[0].arguments, (QStringList{"-a", "dois nomes", "b"}));
  EXPECT_EQ(launched.programs[0].workDir.toStdString(), work.Dir());
  EXPECT_TRUE(shell.Open("quorva"));
  EXPECT_TRUE(launched.programs[1].arguments.isEmpty());

  // A program in the working folder never runs.
  MakeProgram(work / "outro");
  EXPECT_FALSE(shell.Open("outro"));
  EXPECT_EQ(launched.programs.size(), 2u);
  EXPECT_TRUE(launched.urls.empty());
}

TEST_F(ShellTest, DocumentsFromTheWorkingFolderThenBesideTheExecutable) {
  WriteFileBytes(exe / "Manual.pdf", "%PDF");
  EXPECT_TRUE(shell.Open("Manual.pdf"));
  WriteFileBytes(work / "Manual.pdf", "%PDF");
  EXPECT_TRUE(shell.Open("Manual.pdf"));
  ASSERT_EQ(launched.urls.size(), 2u);
  EXPECT_EQ(launched.urls[0], QUrl::fromLocalFile(QString::fromStdString(exe / "Manual.pdf")));
  EXPECT_EQ(launched.urls[1], QUrl::fromLocalFile(QString::fromStdString(work / "Manual.pdf")));
  EXPECT_FALSE(shell.Open("Falta.pdf"));
  EXPECT_FALSE(shell.Open(""));
  EXPECT_EQ(launched.urls.size(), 2u);
}

TEST(RecordingShell, RecordsTargetsAndParameters) {
  RecordingShell shell;
  IShell& seam = shell;
  seam.Open("Manual.pdf");
  seam.Open("quorva", "Plano1.dat");
  EXPECT_EQ(shell.opened, (std::vector<std::string>{"Manual.pdf", "quorva"}));
  EXPECT_EQ(shell.parameters, (std::vector<std::string>{"", "Plano1.dat"}));
}
