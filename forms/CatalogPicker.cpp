#include "forms/CatalogPicker.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QVBoxLayout>
#include <utility>

#include "forms/FrameKit.h"
#include "platform/gui/Guard.h"
#include "platform/gui/QtTypes.h"

TCatalogPicker::TCatalogPicker(QWidget* parent, TCatalogPickerOptions options)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      options_(std::move(options)) {
  setWindowTitle(ToQString(options_.caption));
  setSizeGripEnabled(true);
  ApplyFrameFont(this);
  resize(300, 340);

  grid_ = new DbGrid(this, options_.source);
  grid_->setObjectName("DBGrid");
  grid_->SetColumns(options_.columns);
  grid_->SetOptions(dgTitles | dgIndicator | dgLines);
  grid_->SetReadOnly(true);
  grid_->horizontalHeader()->setStretchLastSection(true);

  ok_ = new QPushButton("OK", this);
  ok_->setObjectName("ButtonOK");
  ok_->setDefault(true);
  cancel_ = new QPushButton("Cancelar", this);
  cancel_->setObjectName("ButtonCancelar");
  all_ = new QPushButton("&Todos", this);
  all_->setObjectName("ButtonTodos");

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(all_);
  buttons->addStretch(1);
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);
  auto* top = new QVBoxLayout(this);
  top->setContentsMargins(8, 8, 8, 8);
  top->setSpacing(8);
  top->addWidget(grid_, 1);
  top->addLayout(buttons);

  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  connect(all_, &QPushButton::clicked, this, [this] {
    bool copied = false;
    Guard([&] {
      if (options_.copyAll) options_.copyAll();
      copied = true;
    });
    if (copied) reject();
  });
  connect(grid_, &QAbstractItemView::doubleClicked, this, [this] {
    Guard([&] {
      TDataSet* ds = grid_->DataSet();
      if (ds && ds->Active() && !ds->IsEmpty() && options_.copyOne) options_.copyOne(ds->RecNo());
    });
  });
}

int TCatalogPicker::Pick(const std::string& caption) {
  setWindowTitle(ToQString(caption));
  grid_->setFocus();
  if (exec() != QDialog::Accepted) return -1;
  TDataSet* ds = grid_->DataSet();
  return ds && ds->Active() ? ds->RecNo() : 0;
}
