#include "quorva/app/ProducaoFrame.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "forms/FrameKit.h"
#include "platform/dbctrls/DbControls.h"
#include "platform/dbctrls/DbGrid.h"
#include "platform/dbctrls/DbNavigator.h"
#include "quorva/app/ProdutoForm.h"
#include "quorva/model/MarquelData.h"

TFrameProducao::TFrameProducao(QWidget* parent, TMarquel& marquel, TCatalog& catalog, const TFrameSeams& seams)
    : QWidget(parent), marquel_(marquel), catalog_(catalog) {
  setObjectName("FrameProducao");
  ApplyFrameFont(this);
  TDataSource* production = &marquel_.dsProducao();
  TDataSource* items = &marquel_.dsItemProducao();
  IDialogs& dialogs = seams.Dialogs;

  auto* age = Named(new DbLineEdit(this, production, "Idade"), "EditIdade");
  age->setFixedWidth(90);
  auto* origin = Named(new DbLineEdit(this, production, "Origem"), "EditOrigem");
  origin->setFixedWidth(180);
  auto* form = new QFormLayout;
  form->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
  form->setHorizontalSpacing(10);
  form->setVerticalSpacing(6);
  form->addRow(MakeLabel(this, "Idade", age), age);
  form->addRow(MakeLabel(this, "Origem", origin), origin);

  grid_ = Named(new DbGrid(this, items), "GridItenProducao");
  grid_->SetColumns({{.fieldName = "Produto", .title = "Produtos", .width = 170},
                     {.fieldName = "Volume", .width = 90},
                     {.fieldName = "Preco", .title = "Preço", .width = 100}});
  grid_->SetDialogs(&dialogs);
  grid_->horizontalHeader()->setStretchLastSection(true);
  auto* navigator = MakeEditNavigator(this, items, dialogs);
  catalogue_ = Named(new QPushButton("Catálogo...", this), "ButtonCatalogoProdutos");

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(navigator);
  buttons->addStretch(1);
  buttons->addWidget(catalogue_);

  auto* top = new QVBoxLayout(this);
  top->setContentsMargins(10, 8, 10, 10);
  top->setSpacing(6);
  top->addWidget(MakeTitleLabel(this, "Produção"));
  top->addLayout(form);
  top->addSpacing(6);
  top->addWidget(MakeLabel(this, "Produtos", grid_));
  top->addWidget(grid_, 1);
  top->addLayout(buttons);

  OnCommand(catalogue_, [this] { ButtonCatalogoProdutosClick(); });
}

TFormProduto& TFrameProducao::Picker() {
  if (!picker_) picker_ = new TFormProduto(this, marquel_, catalog_);
  return *picker_;
}

void TFrameProducao::ButtonCatalogoProdutosClick() {
  const int recNo = Picker().PickProduto("Produtos");
  if (recNo >= 0) marquel_.CopyProductToItems(recNo);
}
