#include "forms/ProductFrame.h"

#include <QLabel>
#include <QVBoxLayout>
#include <utility>

#include "forms/FrameKit.h"
#include "platform/dbctrls/DbNavigator.h"
#include "storage/ProductCatalog.h"

TFrameProduct::TFrameProduct(QWidget* parent, TProductCatalog& catalog, TProductFrameOptions options, IDialogs* dialogs,
                             IErrorPresenter* errors)
    : QWidget(parent), catalog_(catalog), options_(std::move(options)), dialogs_(dialogs), errors_(errors) {
  setObjectName("FrameProduct");
  ApplyFrameFont(this);
  panel_ = new TProductPanel(this, &catalog_.dsProduct(), dialogs_, options_.panel);

  auto* top = new QVBoxLayout(this);
  top->setContentsMargins(10, 8, 10, 10);
  top->setSpacing(6);
  top->addWidget(MakeTitleLabel(this, "Catálogo de Produtos"));
  top->addWidget(panel_, 1);

  // Moving away from a faulty product, or removing it, ends its error list.
  connect(panel_->Navigator(), &DbNavigator::clicked, this, [this](DbNavigator::Button button) {
    using B = DbNavigator::Button;
    if (errors_ && (button == B::Prior || button == B::Next || button == B::Insert || button == B::Delete))
      errors_->HideErrors();
  });
}

bool TFrameProduct::Open() {
  if (!dialogs_) return false;
  FileDialogOptions dialog = DataFileOptions("Abrir Catálogo de Produtos", options_.exeDir);
  dialog.fileMustExist = true;
  const std::string path = dialogs_->OpenFile(dialog);
  if (path.empty()) return false;
  catalog_.Load(path);
  return true;
}

void TFrameProduct::Save() {
  catalog_.Save();
}

bool TFrameProduct::SaveAs() {
  if (!dialogs_) return false;
  FileDialogOptions dialog = DataFileOptions("Salvar Produtos", options_.exeDir);
  dialog.overwritePrompt = options_.overwritePrompt;
  const std::string path = dialogs_->SaveFile(dialog);
  if (path.empty()) return false;
  catalog_.Save(path);
  return true;
}
