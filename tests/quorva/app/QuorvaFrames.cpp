#include "tests/quorva/app/QuorvaFrames.h"

#include <QLineEdit>

#include "platform/dbctrls/DbGrid.h"

QuorvaFramesTest::QuorvaFramesTest() {
  for (const char* name : {"Produtos.dat", "Custo.dat", "Plano1.dat"})
    std::filesystem::copy_file(std::filesystem::path(TQ_DATA_DIR) / name, exe / name);
  MakeDataModules();
  marquel_->NewPlan();
  layout_ = new QVBoxLayout(window.get());
  window->resize(480, 560);
}

QuorvaFramesTest::~QuorvaFramesTest() = default;

void QuorvaFramesTest::MakeDataModules() {
  const TDataFolders folders{exe.string(), work.string()};
  catalog_ = std::make_unique<TCatalog>(nullptr, folders, TDataSeams{dialogs, presenter});
  marquel_ = std::make_unique<TMarquel>(nullptr, folders, dialogs);
  marquel_->SetCatalog(catalog_.get());
  marquel_->SetMainWindow(&mainWindow);
}

void QuorvaFramesTest::DoubleClickRow(DbGrid* grid, int row) {
  const QPoint at = grid->visualRect(grid->model()->index(row, 0)).center();
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, at);
  QTest::mouseDClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, at);
}

std::string TextOf(const QWidget* edit) {
  const auto* line = qobject_cast<const QLineEdit*>(edit);
  return line ? line->text().toStdString() : "?";
}
