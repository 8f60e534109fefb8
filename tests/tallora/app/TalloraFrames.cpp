#include "tests/tallora/app/TalloraFrames.h"

#include "tools/DefaultData.h"

TalloraFramesTest::TalloraFramesTest() {
  std::vector<TDefaultFile> files;
  AppendTalloraDefaultFiles(files);
  WriteDefaultFiles(exe.string(), files);
  grovana_ = std::make_unique<TGrovana>(nullptr, TDataFolders{exe.string(), work.string()},
                                        TDataSeams{dialogs, presenter});
  grovana_->SetMainWindow(&mainWindow);
  grovana_->NewSimulation();
  layout_ = new QVBoxLayout(window.get());
  window->resize(480, 560);
}

TalloraFramesTest::~TalloraFramesTest() = default;
