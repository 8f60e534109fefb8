#include "tallora/app/LogsFrame.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "forms/FrameKit.h"
#include "forms/ProductPanel.h"
#include "tallora/app/ProductsForm.h"
#include "tallora/data/GrovanaData.h"

TFrameLogs::TFrameLogs(QWidget* parent, TGrovana& grovana, const TFrameSeams& seams)
    : QWidget(parent), grovana_(grovana) {
  setObjectName("FrameLogs");
  ApplyFrameFont(this);
  panel_ = new TProductPanel(this, &grovana_.dsLog(), seams.Dialogs,
                             {.listLabel = "&Toras:",
                              .gridName = "DBGridLogs",
                              .priceLabel = "&Preço de mercado:",
                              .priceEvolutionEditName = "DBEditPriceEvolutionRate"});
  catalogue_ = Named(new QPushButton("Catálogo...", this), "ButtonCatalogo");
  panel_->AddButton(catalogue_);

  auto* top = new QVBoxLayout(this);
  top->setContentsMargins(10, 8, 10, 10);
  top->setSpacing(6);
  top->addWidget(MakeTitleLabel(this, "Diâmetro de Toras e Sortimento"));
  top->addWidget(panel_, 1);

  OnCommand(catalogue_, [this] { ButtonCatalogoClick(); });
}

TFormProducts& TFrameLogs::Picker() {
  if (!picker_) picker_ = new TFormProducts(this, grovana_);
  return *picker_;
}

void TFrameLogs::ButtonCatalogoClick() {
  const int recNo = Picker().PickProduct("Sortimento de Toras");
  if (recNo >= 0) grovana_.CopyProductToLogs(recNo);
}
