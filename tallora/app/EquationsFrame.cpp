#include "tallora/app/EquationsFrame.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "forms/FrameKit.h"
#include "platform/dbctrls/DbControls.h"
#include "tallora/app/EquationsForm.h"
#include "tallora/data/GrovanaData.h"

bool PickEquation(TGrovana& grovana, TFormEquations& picker, TEquationKind kind) {
  switch (kind) {
    case TEquationKind::SiteIndex: {
      TFormula* formula = picker.PickFormula(kTypeSiteIndexEquation);
      if (!formula) return false;
      grovana.SetSiteIndexEquation(formula);
      break;
    }
    case TEquationKind::Volume: {
      TFormula* formula = picker.PickFormula(kTypeVolumeEquation);
      if (!formula) return false;
      grovana.SetVolumeEquation(formula);
      break;
    }
    case TEquationKind::ShapeFunction: {
      TFormula* formula = picker.PickFormula(kTypeShapeFunctionEquation);
      if (!formula) return false;
      grovana.SetShapeFunctionEquation(formula);
      break;
    }
  }
  grovana.cdsSimulation().Refresh();
  return true;
}

TFrameEquations::TFrameEquations(QWidget* parent, TGrovana& grovana) : QWidget(parent), grovana_(grovana) {
  setObjectName("FrameEquations");
  ApplyFrameFont(this);
  TDataSource* source = &grovana_.dsSimulation();

  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(8);
  grid->setVerticalSpacing(8);
  grid->setColumnStretch(1, 1);
  struct Row {
    const char* label;
    const char* field;
    const char* editName;
    const char* buttonName;
    TEquationKind kind;
  };
  int row = 0;
  for (const Row& r :
       {Row{"Sítio:", "SiteIndexEquationDescription", "DBEditSiteIndexEquation", "ButtonSiteIndex",
            TEquationKind::SiteIndex},
        Row{"Volume:", "VolumeEquationDescription", "DBEditVolumeEquation", "ButtonVolume", TEquationKind::Volume},
        Row{"Sortimento:", "ShapeFunctionEquationDescription", "DBEditShapeFunctionEquation", "ButtonShapeFunction",
            TEquationKind::ShapeFunction}}) {
    auto* edit = Named(new DbLineEdit(this, source, r.field), r.editName);
    edit->SetReadOnly(true);
    auto* button = Named(new QPushButton("...", this), r.buttonName);
    button->setFixedWidth(32);
    grid->addWidget(MakeLabel(this, r.label, edit), row, 0);
    grid->addWidget(edit, row, 1);
    grid->addWidget(button, row, 2);
    ++row;
    const TEquationKind kind = r.kind;
    OnCommand(button, [this, kind] { PickEquation(grovana_, Picker(), kind); });
  }
  auto* defaults = Named(new QPushButton("Padrões", this), "ButtonPadroes");
  defaults->hide();
  OnCommand(defaults, [this] { SetDefaultEquations(); });

  auto* top = new QVBoxLayout(this);
  top->setContentsMargins(10, 8, 10, 10);
  top->setSpacing(10);
  top->addWidget(MakeTitleLabel(this, "Equações"));
  top->addLayout(grid);
  top->addStretch(1);
}

TFormEquations& TFrameEquations::Picker() {
  if (!picker_) picker_ = new TFormEquations(this, grovana_);
  return *picker_;
}

void TFrameEquations::SetDefaultEquations() {
  grovana_.SetSiteIndexEquation(grovana_.FindFormula(0));
  grovana_.SetVolumeEquation(grovana_.FindFormula(1));
  grovana_.SetShapeFunctionEquation(grovana_.FindFormula(2));
  grovana_.cdsSimulation().Refresh();
}
