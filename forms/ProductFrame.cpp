#include "forms/ProductFrame.h"

#include <QLabel>
#include <QVBoxLayout>
#include <utility>

#include "forms/FrameKit.h"
#include "platform/dbctrls/DbNavigator.h"
#include "platform/services/FileDialogs.h"
#include "storage/ProductCatalog.h"

TFrameProduct::TFrameProduct(QWidget* parent, TProductCatalog& catalog, TProductFrameOptions options,
                             const TFrameSeams& seams)
    : QWidget(parent), catalog_(catalog), options_(std::move(options)), seams_(seams) {
  setObjectName("FrameProduct");
  ApplyFrameFont(this);
  panel_ = new TProductPanel(this, &catalog_.dsProduct(), seams_.Dialogs, options_.panel);

  auto* top = new QVBoxLayout(this);
  top->setContentsMargins(10, 8, 10, 10);
  top->setSpacing(6);
  top->addWidget(MakeTitleLabel(this, "Catálogo de Produtos"));
  top->addWidget(panel_, 1);

  // Moving away from a faulty product, or removing it, ends its error list.
  connect(panel_->Navigator(), &DbNavigator::clicked, this, [this](DbNavigator::Button button) {
    using B = DbNavigator::Button;
    if (button == B::Prior || button == B::Next || button == B::Insert || button == B::Delete)
      seams_.ErrorPresenter.HideErrors();
  });
}

bool TFrameProduct::Open() {
  return OpenWithDialog(seams_.Dialogs, {.title = "Abrir Catálogo de Produtos", .initialDir = options_.exeDir},
                        [&](const std::string& path) {
                          catalog_.Load(path);
                          seams_.ErrorPresenter.HideErrorsOf(kTitleProductErrors);
                        });
}

bool TFrameProduct::Save() {
  return catalog_.Save();
}

std::string TFrameProduct::Path() const {
  return catalog_.Path();
}

bool TFrameProduct::Changed() {
  return catalog_.Changed();
}

bool TFrameProduct::SaveAs() {
  return SaveWithDialogChecked(
      seams_.Dialogs,
      {.title = "Salvar Produtos", .initialDir = options_.exeDir, .overwritePrompt = options_.overwritePrompt},
      [&](const std::string& path) { return catalog_.Save(path); });
}
