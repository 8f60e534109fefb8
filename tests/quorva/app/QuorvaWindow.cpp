#include "tests/quorva/app/QuorvaWindow.h"

#include <QTreeWidgetItem>

#include "platform/richedit/RtfView.h"

QuorvaWindow::QuorvaWindow(bool withTemplate) {
  for (const char* name : {"Produtos.dat", "Custo.dat", "Plano1.dat"}) {
    if (!withTemplate && std::string(name) == "Plano1.dat") continue;
    std::filesystem::copy_file(std::filesystem::path(TQ_DATA_DIR) / name, exe / name);
  }
  const TDataFolders folders{exe.string(), work.string()};
  const TDataSeams dataSeams{dialogs, errors};
  marquel_ = std::make_unique<TMarquel>(nullptr, folders, dialogs);
  catalog_ = std::make_unique<TCatalog>(nullptr, folders, dataSeams);
  TMainWindowOptions options;
  options.aboutOpener = [this] { ++aboutOpened; };
  window_ = std::make_unique<TFormQuorva>(*marquel_, *catalog_, seams.Seams(exe.string()), options);
  window_->show();
}

QuorvaWindow::~QuorvaWindow() {
  window_.reset();
  catalog_.reset();
  marquel_.reset();
}

void QuorvaWindow::Trigger(const char* action) {
  QAction* found = window_->findChild<QAction*>(action);
  ASSERT_NE(found, nullptr) << action;
  found->trigger();
}

bool QuorvaWindow::Checked(const char* action) {
  QAction* found = window_->findChild<QAction*>(action);
  return found && found->isChecked();
}

std::vector<std::string> QuorvaWindow::Children(const QTreeWidgetItem* node) {
  std::vector<std::string> texts;
  for (int i = 0; i < node->childCount(); ++i) texts.push_back(node->child(i)->text(0).toStdString());
  return texts;
}

std::string ShownText(const RtfView* view) {
  return view->toPlainText().toStdString();
}
