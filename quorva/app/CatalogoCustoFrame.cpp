#include "quorva/app/CatalogoCustoFrame.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QVBoxLayout>

#include "forms/FrameKit.h"
#include "platform/dbctrls/DbControls.h"
#include "platform/dbctrls/DbGrid.h"
#include "platform/dbctrls/DbNavigator.h"
#include "platform/dbctrls/PendingEdits.h"
#include "platform/gui/Guard.h"
#include "platform/gui/QtTypes.h"
#include "platform/services/FileDialogs.h"
#include "quorva/model/CatalogData.h"

namespace {

QComboBox* Choices(QWidget* parent, const char* name, std::initializer_list<const char*> items) {
  auto* combo = Named(new QComboBox(parent), name);
  combo->setEditable(false);
  for (const char* item : items) combo->addItem(QString::fromUtf8(item));
  combo->setCurrentIndex(-1);
  return combo;
}

}  // namespace

TFrameCatalogoCusto::TFrameCatalogoCusto(QWidget* parent, TCatalog& catalog, const TFrameSeams& seams)
    : QWidget(parent), catalog_(catalog), seams_(seams) {
  setObjectName("FrameCatalogoCusto");
  ApplyFrameFont(this);
  TDataSource* source = &catalog_.dsCusto();
  IDialogs& dialogs = seams_.Dialogs;

  grid_ = Named(new DbGrid(this, source), "GridCustos");
  grid_->SetColumns({{.fieldName = "Nome"}});
  grid_->SetDialogs(&dialogs);
  grid_->horizontalHeader()->setStretchLastSection(true);
  navigator_ = MakeEditNavigator(this, source, dialogs, "NavigatorCusto");

  auto* name = Named(new DbLineEdit(this, source, "Nome"), "EditName");
  auto* type = Named(new DbLineEdit(this, source, "TipoCusto"), "EditTipoCusto");
  auto* unit = Named(new DbLineEdit(this, source, "UnidadeMedida"), "EditUnidadeMedida");
  auto* value = Named(new DbLineEdit(this, source, "Custo"), "EditCusto");
  type_ = Choices(this, "ComboBoxTipoCusto", {kTipoCustoUnitario, kTipoCustoAnual});
  unit_ = Choices(this, "ComboBoxUnidadeMedida", {"$/m3", "$/ha"});

  auto* left = new QVBoxLayout;
  left->setSpacing(4);
  left->addWidget(MakeLabel(this, "&Custos:", grid_));
  left->addWidget(grid_, 1);

  // A list sits beside the edit it writes.
  auto* fields = new QGridLayout;
  fields->setHorizontalSpacing(8);
  fields->setVerticalSpacing(6);
  fields->setColumnStretch(1, 1);
  int row = 0;
  auto addRow = [&](const char* caption, DbLineEdit* edit, QComboBox* combo) {
    auto* label = MakeLabel(this, caption, edit);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    fields->addWidget(label, row, 0);
    if (combo) {
      combo->setFixedWidth(90);
      fields->addWidget(edit, row, 1);
      fields->addWidget(combo, row, 2);
    } else {
      fields->addWidget(edit, row, 1, 1, 2);
    }
    ++row;
  };
  addRow("&Descrição:", name, nullptr);
  addRow("&Tipo:", type, type_);
  addRow("&Unidade:", unit, unit_);
  addRow("&Custo:", value, nullptr);
  auto* right = new QVBoxLayout;
  right->addSpacing(20);
  right->addLayout(fields);
  right->addStretch(1);

  auto* columns = new QHBoxLayout;
  columns->setSpacing(14);
  columns->addLayout(left, 4);
  columns->addLayout(right, 6);

  auto* top = new QVBoxLayout(this);
  top->setContentsMargins(10, 8, 10, 10);
  top->setSpacing(6);
  top->addWidget(MakeTitleLabel(this, "Catálogo de Custos"));
  top->addLayout(columns, 1);
  top->addWidget(navigator_, 0, Qt::AlignLeft);

  connect(type_, &QComboBox::textActivated, this, [this] { Guard([&] { ComboBoxTipoCustoChange(); }); });
  connect(unit_, &QComboBox::textActivated, this, [this] { Guard([&] { ComboBoxUnidadeMedidaChange(); }); });
  // Moving away from a cost, or removing it, ends its error list.
  connect(navigator_, &DbNavigator::clicked, this, [this](DbNavigator::Button button) {
    using B = DbNavigator::Button;
    if (button == B::Prior || button == B::Next || button == B::Insert || button == B::Delete)
      seams_.ErrorPresenter.HideErrors();
  });
}

bool TFrameCatalogoCusto::Open() {
  CommitPendingEdits(window());
  return OpenWithDialog(seams_.Dialogs, {.initialDir = catalog_.Folders().ExeDir},
                        [&](const std::string& path) { catalog_.LoadCosts(path); });
}

bool TFrameCatalogoCusto::Save() {
  CommitPendingEdits(window());
  return catalog_.SaveCosts();
}

std::string TFrameCatalogoCusto::Path() const {
  return catalog_.CostsPath();
}

bool TFrameCatalogoCusto::Changed() {
  return catalog_.CostsChanged();
}

bool TFrameCatalogoCusto::SaveAs() {
  CommitPendingEdits(window());
  return SaveWithDialogChecked(seams_.Dialogs,
                               {.title = "Salvar Catalogo de Custos", .initialDir = catalog_.Folders().ExeDir},
                               [&](const std::string& path) { return catalog_.SaveCosts(path); });
}

void TFrameCatalogoCusto::ComboBoxTipoCustoChange() {
  CommitPendingEdits(window());
  catalog_.SetTipoCusto(FromQString(type_->currentText()));
}

void TFrameCatalogoCusto::ComboBoxUnidadeMedidaChange() {
  CommitPendingEdits(window());
  catalog_.SetUnidadeMedida(FromQString(unit_->currentText()));
}
