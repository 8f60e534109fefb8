#pragma once
// The volume equation page ("Equação de Volume"), with the volume unit.

#include "tallora/app/EquationFrame.h"

class TFrameVolumeEquation : public TFrameEquation {
public:
  TFrameVolumeEquation(QWidget* parent, TGrovana& grovana);
};
