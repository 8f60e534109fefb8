#include "tallora/app/EquationsForm.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "forms/FrameKit.h"
#include "platform/gui/QtTypes.h"
#include "tallora/data/GrovanaData.h"

TFormEquations::TFormEquations(QWidget* parent, TGrovana& grovana)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      grovana_(grovana) {
  setObjectName("FormEquations");
  setWindowTitle("Equações");
  setSizeGripEnabled(true);
  ApplyFrameFont(this);
  resize(340, 260);

  list_ = Named(new QListWidget(this), "ListBox");
  ok_ = Named(new QPushButton("OK", this), "ButtonOK");
  ok_->setDefault(true);
  cancel_ = Named(new QPushButton("Cancelar", this), "ButtonCancelar");

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);
  auto* top = new QVBoxLayout(this);
  top->setContentsMargins(8, 8, 8, 8);
  top->setSpacing(8);
  top->addWidget(list_, 1);
  top->addLayout(buttons);

  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
}

TFormula* TFormEquations::PickFormula(const std::string& equationType) {
  return PickFormula(equationType, {equationType});
}

TFormula* TFormEquations::PickFormula(const std::string& caption, const std::vector<std::string>& equationTypes) {
  setWindowTitle(ToQString(caption));
  list_->clear();
  ids_.clear();
  for (const TFormula& formula : grovana_.FormulaRoot().FormulaCollection()) {
    if (std::find(equationTypes.begin(), equationTypes.end(), formula.EquationType()) == equationTypes.end()) continue;
    list_->addItem(ToQString(formula.Description()));
    ids_.push_back(formula.Id());
  }
  list_->setFocus();
  if (exec() != QDialog::Accepted) return nullptr;
  const int row = list_->currentRow();
  if (row < 0 || row >= static_cast<int>(ids_.size()) || !list_->currentItem()->isSelected()) return nullptr;
  return grovana_.FindFormula(ids_[row]);
}
