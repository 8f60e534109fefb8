#include "forms/ProductPanel.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "forms/FrameKit.h"
#include "platform/dbctrls/DbControls.h"
#include "platform/dbctrls/DbGrid.h"
#include "platform/dbctrls/DbNavigator.h"

namespace {

DbLineEdit* Edit(QWidget* parent, TDataSource* source, const std::string& field, const std::string& name) {
  auto* edit = new DbLineEdit(parent, source, field);
  edit->setObjectName(QString::fromStdString(name));
  return edit;
}

QFormLayout* Form(QWidget* box) {
  auto* form = new QFormLayout(box);
  form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
  form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
  form->setHorizontalSpacing(8);
  form->setVerticalSpacing(6);
  return form;
}

}  // namespace

TProductPanel::TProductPanel(QWidget* parent, TDataSource* source, IDialogs& dialogs,
                             const TProductPanelOptions& options)
    : QWidget(parent) {
  grid_ = new DbGrid(this, source);
  grid_->setObjectName(QString::fromStdString(options.gridName));
  grid_->SetColumns({{"Name", "Nome"}});
  grid_->SetDialogs(&dialogs);
  grid_->horizontalHeader()->setStretchLastSection(true);
  navigator_ = MakeEditNavigator(this, source, dialogs);

  auto* name = Edit(this, source, "Name", "DBEditName");
  auto* minDiameter = Edit(this, source, "MinDiameter", "DBEditMinDiameter");
  auto* size = Edit(this, source, "Size", "DBEditSize");
  auto* price = Edit(this, source, "Price", "DBEditPrice");
  auto* evolution = Edit(this, source, "PriceEvolutionRate", options.priceEvolutionEditName);

  auto* left = new QVBoxLayout;
  left->setSpacing(4);
  left->addWidget(MakeLabel(this, options.listLabel, grid_));
  left->addWidget(grid_, 1);

  auto* right = new QVBoxLayout;
  right->setSpacing(10);
  auto* nameRow = Form(nullptr);
  nameRow->setContentsMargins(0, 0, 0, 0);
  nameRow->addRow(MakeLabel(this, "&Nome:", name), name);
  right->addLayout(nameRow);
  auto* dimensions = new QGroupBox("Dimensões da Tora:", this);
  auto* dimensionsForm = Form(dimensions);
  dimensionsForm->addRow(MakeLabel(dimensions, "&Diâmetro mínimo:", minDiameter), minDiameter);
  dimensionsForm->addRow(MakeLabel(dimensions, "&Comprimento:", size), size);
  right->addWidget(dimensions);
  auto* prices = new QGroupBox("Preço:", this);
  auto* pricesForm = Form(prices);
  priceLabel_ = MakeLabel(prices, options.priceLabel, price);
  pricesForm->addRow(priceLabel_, price);
  pricesForm->addRow(MakeLabel(prices, "% &Evolução anual:", evolution), evolution);
  right->addWidget(prices);
  right->addStretch(1);

  auto* columns = new QHBoxLayout;
  columns->setSpacing(14);
  columns->addLayout(left, 4);
  columns->addLayout(right, 6);

  buttonRow_ = new QHBoxLayout;
  buttonRow_->addWidget(navigator_);
  buttonRow_->addStretch(1);

  auto* top = new QVBoxLayout(this);
  top->setContentsMargins(0, 0, 0, 0);
  top->setSpacing(8);
  top->addLayout(columns, 1);
  top->addLayout(buttonRow_);
}

void TProductPanel::AddButton(QAbstractButton* button) {
  buttonRow_->addWidget(button);
}
