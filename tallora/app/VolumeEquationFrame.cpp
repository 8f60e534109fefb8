#include "tallora/app/VolumeEquationFrame.h"

#include <QHBoxLayout>
#include <QLabel>

#include "forms/FrameKit.h"
#include "platform/dbctrls/DbControls.h"
#include "tallora/data/GrovanaData.h"

TFrameVolumeEquation::TFrameVolumeEquation(QWidget* parent, TGrovana& grovana)
    : TFrameEquation(parent, grovana,
                     {.name = "FrameVolumeEquation",
                      .title = "Equação de Volume",
                      .authorField = "VolumeEquationAuthor",
                      .equationField = "VolumeEquation",
                      .hint = "(Use 'D' para Diâmetro, 'H' para Altura e 'A' para idade.)",
                      .kind = TEquationKind::Volume}) {
  auto* row = new QWidget(this);
  auto* unit = Named(new DbLineEdit(row, &grovana_.dsSimulation(), "VolumeUnit"), "DBEditVolumeUnit");
  unit->setFixedWidth(120);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(MakeLabel(row, "Unidade:", unit));
  layout->addWidget(unit);
  layout->addStretch(1);
  AddWidget(row);
}
