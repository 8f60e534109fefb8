#include "tallora/app/EquationFrame.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "forms/FrameKit.h"
#include "platform/dbctrls/DbControls.h"
#include "tallora/app/EquationsForm.h"
#include "tallora/data/GrovanaData.h"

TFrameEquation::TFrameEquation(QWidget* parent, TGrovana& grovana, const Layout& layout)
    : QWidget(parent), grovana_(grovana), kind_(layout.kind) {
  setObjectName(layout.name);
  ApplyFrameFont(this);
  TDataSource* source = &grovana_.dsSimulation();

  auto* author = Named(new DbLineEdit(this, source, layout.authorField), "DBEditAuthor");
  author->SetReadOnly(true);
  auto* authorRow = new QHBoxLayout;
  authorRow->addWidget(MakeLabel(this, "Autor:", author));
  authorRow->addWidget(author, 1);

  auto* catalogue = Named(new QPushButton("Catálogo...", this), "ButtonCatalogo");
  auto* buttonRow = new QHBoxLayout;
  buttonRow->addWidget(catalogue);
  buttonRow->addStretch(1);

  body_ = new QVBoxLayout;
  body_->setSpacing(4);
  auto* top = new QVBoxLayout(this);
  top->setContentsMargins(10, 8, 10, 10);
  top->setSpacing(8);
  top->addWidget(MakeTitleLabel(this, layout.title));
  top->addLayout(authorRow);
  top->addLayout(body_);
  top->addLayout(buttonRow);
  top->addStretch(1);

  AddText("&Equação:", layout.equationField, "DBMemoEquation");
  auto* hint = Named(new QLabel(layout.hint, this), "LabelHint");
  hint->setContentsMargins(0, 0, 0, 6);
  AddWidget(hint);

  OnCommand(catalogue, [this] { ButtonCatalogoClick(); });
}

void TFrameEquation::AddWidget(QWidget* widget) {
  body_->addWidget(widget);
}

DbTextEdit* TFrameEquation::AddText(const char* label, const char* field, const char* name) {
  auto* text = Named(new DbTextEdit(this, &grovana_.dsSimulation(), field), name);
  text->setFixedHeight(84);
  // Formulas have no words: break anywhere.
  text->setWordWrapMode(QTextOption::WrapAnywhere);
  body_->addWidget(MakeLabel(this, label, text));
  body_->addWidget(text);
  return text;
}

TFormEquations& TFrameEquation::Picker() {
  if (!picker_) picker_ = new TFormEquations(this, grovana_);
  return *picker_;
}

void TFrameEquation::ButtonCatalogoClick() {
  PickEquation(grovana_, Picker(), kind_);
}
