#include "tallora/app/ListOptionsFrame.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "forms/FrameKit.h"
#include "model/items/SimulationData.h"
#include "platform/dbctrls/DbControls.h"
#include "tallora/data/GrovanaData.h"

namespace {

int Id(TListingOption option) {
  return static_cast<int>(option);
}

DbLineEdit* AgeEdit(QWidget* parent, TDataSource* source, const char* field, const char* name) {
  auto* edit = Named(new DbLineEdit(parent, source, field), name);
  edit->setFixedWidth(60);
  return edit;
}

}  // namespace

TFrameListOptions::TFrameListOptions(QWidget* parent, TGrovana& grovana) : QWidget(parent), grovana_(grovana) {
  setObjectName("FrameListOptions");
  ApplyFrameFont(this);
  TDataSource* source = &grovana_.dsSimulation();

  auto* box = new QGroupBox(this);
  auto* grid = new QGridLayout(box);
  grid->setColumnMinimumWidth(0, 18);
  grid->setHorizontalSpacing(8);
  grid->setVerticalSpacing(6);
  options_ = new QButtonGroup(this);
  byInterval_ = Named(new QRadioButton("Por intervalo de idades", box), "RadioButtonInterval");
  byList_ = Named(new QRadioButton("Por lista de idades", box), "RadioButtonList");
  options_->addButton(byInterval_, Id(TListingOption::AgeInterval));
  options_->addButton(byList_, Id(TListingOption::AgeList));

  initialAge_ = AgeEdit(box, source, "InitialAge", "DBEditInitialAge");
  finalAge_ = AgeEdit(box, source, "FinalAge", "DBEditFinalAge");
  incrementalAge_ = AgeEdit(box, source, "IncrementalAge", "DBEditIncrementalAge");
  resultAges_ = Named(new DbLineEdit(box, source, "ResultAges"), "DBEditResultAges");

  grid->addWidget(byInterval_, 0, 0, 1, 3);
  grid->addWidget(MakeLabel(box, "Idade &inicial:", initialAge_), 1, 1);
  grid->addWidget(initialAge_, 1, 2);
  grid->addWidget(MakeLabel(box, "Idade &final:", finalAge_), 2, 1);
  grid->addWidget(finalAge_, 2, 2);
  grid->addWidget(MakeLabel(box, "Inter&valo:", incrementalAge_), 3, 1);
  grid->addWidget(incrementalAge_, 3, 2);
  grid->setRowMinimumHeight(4, 6);
  grid->addWidget(byList_, 5, 0, 1, 3);
  grid->addWidget(MakeLabel(box, "I&dades:", resultAges_), 6, 1);
  grid->addWidget(resultAges_, 6, 2, 1, 2);
  grid->setColumnStretch(3, 1);

  auto* classes = Named(new DbLineEdit(this, source, "DiameterClassInterval"), "DBEditDiameterClassInterval");
  classes->setFixedWidth(60);
  auto* classRow = new QHBoxLayout;
  classRow->addWidget(MakeLabel(this, "Intervalo de Classes de Diâmetro para a &Produção:", classes));
  classRow->addWidget(classes);
  classRow->addStretch(1);

  auto* top = new QVBoxLayout(this);
  top->setContentsMargins(10, 8, 10, 10);
  top->setSpacing(10);
  top->addWidget(MakeTitleLabel(this, "Opções de Listagem"));
  top->addWidget(box);
  top->addLayout(classRow);
  top->addStretch(1);

  OnCommand(byInterval_, [this] { SelectListingOption(TListingOption::AgeInterval); });
  OnCommand(byList_, [this] { SelectListingOption(TListingOption::AgeList); });
}

void TFrameListOptions::ShowListingOption() {
  if (!grovana_.cdsSimulation().Active()) return;
  SelectListingOption(grovana_.GetListingOption());
}

void TFrameListOptions::SelectListingOption(TListingOption option) {
  grovana_.SetListingOption(option);
  QAbstractButton* button = options_->button(Id(option));
  if (!button) return;
  const bool interval = option == TListingOption::AgeInterval;
  CheckOnly(options_, button);
  BindEdit(initialAge_, interval ? "InitialAge" : "");
  BindEdit(finalAge_, interval ? "FinalAge" : "");
  BindEdit(incrementalAge_, interval ? "IncrementalAge" : "");
  BindEdit(resultAges_, interval ? "" : "ResultAges");
}
