#include "quorva/app/CustoFrame.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QVBoxLayout>

#include "forms/FrameKit.h"
#include "platform/dbctrls/DbGrid.h"
#include "platform/dbctrls/DbNavigator.h"
#include "quorva/app/CustoForm.h"
#include "quorva/model/CustoUnit.h"
#include "quorva/model/MarquelData.h"

namespace {

// Keys that move or end an edit rather than type.
bool IsNavigationKey(int key) {
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
      return true;
    default:
      return false;
  }
}

}  // namespace

TFrameCusto::TFrameCusto(QWidget* parent, TMarquel& marquel, TCatalog& catalog, const TFrameSeams& seams)
    : QWidget(parent), marquel_(marquel), catalog_(catalog) {
  setObjectName("FrameCusto");
  ApplyFrameFont(this);
  TDataSource* costs = &marquel_.dsCusto();
  TDataSource* annual = &marquel_.dsCustoAnual();
  IDialogs& dialogs = seams.Dialogs;

  grid_ = Named(new DbGrid(this, costs), "GridCusto");
  grid_->SetColumns({{.fieldName = "Nome", .width = 120},
                     {.fieldName = "UnidadeMedida", .title = "Unidade", .pickList = {"$/m3", "$/ha"}, .width = 70},
                     {.fieldName = "TipoCusto",
                      .title = "Tipo de Custo",
                      .pickList = {kTipoCustoAnual, kTipoCustoUnitario},
                      .width = 100},
                     {.fieldName = "Custo", .width = 100}});
  grid_->SetDialogs(&dialogs);
  grid_->horizontalHeader()->setStretchLastSection(true);
  grid_->KeyFilter = [this](QKeyEvent& key) { return GridCustoKeyPress(key); };
  navigator_ = MakeEditNavigator(this, costs, dialogs);
  catalogue_ = Named(new QPushButton("Ca&tálogo / Novos custos", this), "ButtonCatalogo");

  annualGrid_ = Named(new DbGrid(this, annual), "GridCustosAnuais");
  annualGrid_->SetColumns({{.fieldName = "Idade", .width = 60}, {.fieldName = "Custo", .width = 100}});
  annualGrid_->SetDialogs(&dialogs);
  annualGrid_->horizontalHeader()->setStretchLastSection(true);
  annualNavigator_ = MakeEditNavigator(this, annual, dialogs, "NavigatorCustosAnuais");
  annualLabel_ = Named(MakeLabel(this, "Custos &Anuais ($/ha)", annualGrid_), "LabelCustosAnuais");

  auto* title = MakeTitleLabel(this, "&Custos");
  title->setBuddy(grid_);
  auto* costButtons = new QHBoxLayout;
  costButtons->addWidget(navigator_);
  costButtons->addStretch(1);
  costButtons->addWidget(catalogue_);
  // The annual values take the left part of the page, as a list of ages.
  auto* annualColumn = new QVBoxLayout;
  annualColumn->setSpacing(4);
  annualColumn->addWidget(annualLabel_);
  annualColumn->addWidget(annualGrid_, 1);
  annualColumn->addWidget(annualNavigator_, 0, Qt::AlignLeft);
  auto* annualRow = new QHBoxLayout;
  annualRow->addLayout(annualColumn, 1);
  annualRow->addStretch(1);

  auto* top = new QVBoxLayout(this);
  top->setContentsMargins(10, 8, 10, 10);
  top->setSpacing(6);
  top->addWidget(title);
  top->addWidget(grid_, 1);
  top->addLayout(costButtons);
  top->addSpacing(8);
  top->addLayout(annualRow, 1);

  OnCommand(catalogue_, [this] { ButtonCatalogoClick(); });
  connect(grid_, &DbGrid::columnEntered, this, [this] { GridCustoColEnter(); });
}

TFormCusto& TFrameCusto::Picker() {
  if (!picker_) picker_ = new TFormCusto(this, marquel_, catalog_);
  return *picker_;
}

void TFrameCusto::ButtonCatalogoClick() {
  const int recNo = Picker().PickCusto("Custos");
  if (recNo >= 0) marquel_.CopyCostToCustos(recNo);
}

void TFrameCusto::GridCustoColEnter() {
  if (marquel_.cdsCusto().Active()) marquel_.CostColumnEntered();
}

bool TFrameCusto::GridCustoKeyPress(const QKeyEvent& key) const {
  const int column = grid_->currentIndex().column();
  if (column != kColUnidade && column != kColTipo) return false;
  // Shortcuts and grid commands (Ctrl+Del) are not typing.
  if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
  return !key.text().isEmpty() && !IsNavigationKey(key.key());
}

void TFrameCusto::CostTypeChanged(TCostType type, TCostUnit unit) {
  if (type == TCostType::Unitario) {
    HideAnnualCosts();
    UnlockCusto();
  } else {
    ShowAnnualCosts();
    LockCusto();
  }
  if (unit == TCostUnit::PorM3)
    LockTipoCusto();
  else
    UnlockTipoCusto();
}

void TFrameCusto::HideAnnualCosts() {
  for (QWidget* w : {static_cast<QWidget*>(annualLabel_), static_cast<QWidget*>(annualNavigator_),
                     static_cast<QWidget*>(annualGrid_)})
    w->hide();
}

void TFrameCusto::ShowAnnualCosts() {
  for (QWidget* w : {static_cast<QWidget*>(annualLabel_), static_cast<QWidget*>(annualNavigator_),
                     static_cast<QWidget*>(annualGrid_)})
    w->show();
}

void TFrameCusto::SetColumnLocked(int column, bool locked) {
  grid_->SetColumnReadOnly(column, locked);
  grid_->SetColumnForeground(column, palette().color(locked ? QPalette::Disabled : QPalette::Active, QPalette::Text));
}

void TFrameCusto::LockTipoCusto() {
  SetColumnLocked(kColTipo, true);
}

void TFrameCusto::UnlockTipoCusto() {
  SetColumnLocked(kColTipo, false);
}

void TFrameCusto::LockCusto() {
  SetColumnLocked(kColCusto, true);
}

void TFrameCusto::UnlockCusto() {
  SetColumnLocked(kColCusto, false);
}
