// Opening and saving through a file dialog: the settings the dialog gets,
// the path handed on, and the document folder remembering it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/services/DocumentFolder.h"
#include "platform/services/FileDialogs.h"
#include "tests/support/Fakes.h"

TEST(FileDialogOptions, DefaultsAreTheDataFilesAndAnOverwriteQuestion) {
  const FileDialogOptions options;
  EXPECT_EQ(options.filter, "Data Files (*.dat)|*.dat|All Files (*.*)|*.*");
  EXPECT_EQ(options.filter, kDataFileFilter);
  EXPECT_EQ(options.defaultExt, "dat");
  EXPECT_TRUE(options.overwritePrompt);
  EXPECT_FALSE(options.fileMustExist);
  EXPECT_EQ(options.documents, nullptr);
  EXPECT_EQ(options.initialDir, "");
}

TEST(FileDialogs, OpenAsksForAnExistingFileInTheGivenFolder) {
  ScriptedDialogs dialogs;
  dialogs.AnswerFile("/dados/a.dat");
  std::vector<std::string> opened;
  EXPECT_TRUE(OpenWithDialog(dialogs, {.title = "Abrir", .initialDir = "/dados", .fileName = "a.dat"},
                             [&](const std::string& path) { opened.push_back(path); }));
  EXPECT_EQ(opened, std::vector<std::string>{"/dados/a.dat"});
  const std::vector<Prompt> opens = dialogs.Prompts(Prompt::Kind::OpenFile);
  ASSERT_EQ(opens.size(), 1u);
  EXPECT_EQ(opens[0].text, "Abrir");
  EXPECT_EQ(opens[0].options.initialDir, "/dados");
  EXPECT_EQ(opens[0].options.fileName, "a.dat");
  EXPECT_EQ(opens[0].options.filter, kDataFileFilter);
  EXPECT_EQ(opens[0].options.defaultExt, "dat");
  EXPECT_TRUE(opens[0].options.fileMustExist);
  EXPECT_FALSE(opens[0].options.overwritePrompt);

  // Cancelled: nothing is opened.
  dialogs.AnswerFile("");
  EXPECT_FALSE(OpenWithDialog(dialogs, {}, [&](const std::string& path) { opened.push_back(path); }));
  EXPECT_EQ(opened.size(), 1u);
  EXPECT_EQ(dialogs.Prompts().size(), 2u);
}

TEST(FileDialogs, SaveKeepsItsSettings) {
  ScriptedDialogs dialogs;
  dialogs.AnswerFile("/r/x.rtf");
  std::string saved;
  EXPECT_TRUE(SaveWithDialog(dialogs,
                             {.title = "Salvar", .initialDir = "/r", .filter = "RTF|*.rtf", .defaultExt = "rtf"},
                             [&](const std::string& path) { saved = path; }));
  EXPECT_EQ(saved, "/r/x.rtf");
  dialogs.AnswerFile("/r/y.dat");
  EXPECT_TRUE(SaveWithDialog(dialogs, {.overwritePrompt = false}, [&](const std::string& path) { saved = path; }));
  EXPECT_EQ(saved, "/r/y.dat");
  const std::vector<Prompt> saves = dialogs.Prompts(Prompt::Kind::SaveFile);
  ASSERT_EQ(saves.size(), 2u);
  EXPECT_EQ(saves[0].text, "Salvar");
  EXPECT_EQ(saves[0].options.initialDir, "/r");
  EXPECT_EQ(saves[0].options.filter, "RTF|*.rtf");
  EXPECT_EQ(saves[0].options.defaultExt, "rtf");
  EXPECT_TRUE(saves[0].options.overwritePrompt);
  EXPECT_FALSE(saves[0].options.fileMustExist);
  EXPECT_FALSE(saves[1].options.overwritePrompt);

  dialogs.AnswerFile("");
  EXPECT_FALSE(SaveWithDialog(dialogs, {}, [&](const std::string& path) { saved = path; }));
  EXPECT_EQ(saved, "/r/y.dat");
}

TEST(FileDialogs, ADocumentDialogStartsInTheDocumentFolderAndRemembersIt) {
  TDocumentFolder documents("/trabalho");
  ScriptedDialogs dialogs;
  dialogs.AnswerFile("/planos/p.dat");
  EXPECT_TRUE(OpenWithDialog(dialogs, {.initialDir = "/outra", .documents = &documents}, [](const std::string&) {}));
  EXPECT_EQ(documents.Folder(), "/planos");
  dialogs.AnswerFile("/salvos/s.dat");
  EXPECT_TRUE(SaveWithDialog(dialogs, {.initialDir = "/outra", .documents = &documents}, [](const std::string&) {}));
  EXPECT_EQ(documents.Folder(), "/salvos");
  ASSERT_EQ(dialogs.Prompts().size(), 2u);
  EXPECT_EQ(dialogs.Prompts()[0].options.initialDir, "/trabalho");
  EXPECT_EQ(dialogs.Prompts()[1].options.initialDir, "/planos");

  // A cancelled dialog remembers nothing.
  dialogs.AnswerFile("");
  EXPECT_FALSE(SaveWithDialog(dialogs, {.documents = &documents}, [](const std::string&) {}));
  EXPECT_EQ(documents.Folder(), "/salvos");
}

TEST(FileDialogs, AFailedSaveRemembersNothing) {
  TDocumentFolder documents("/trabalho");
  ScriptedDialogs dialogs;
  dialogs.AnswerFile("/falta/r.pdf");
  EXPECT_FALSE(SaveWithDialogChecked(dialogs, {.documents = &documents}, [](const std::string&) { return false; }));
  EXPECT_EQ(documents.Folder(), "/trabalho");
  dialogs.AnswerFile("/pdf/r.pdf");
  EXPECT_TRUE(SaveWithDialogChecked(dialogs, {.documents = &documents}, [](const std::string&) { return true; }));
  EXPECT_EQ(documents.Folder(), "/pdf");
}
