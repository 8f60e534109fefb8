#pragma once
// The taper equation page ("Equação de Sortimento"), with the integral of the
// squared taper below the equation.

#include "tallora/app/EquationFrame.h"

class TFrameShapeFunctionEquation : public TFrameEquation {
public:
  TFrameShapeFunctionEquation(QWidget* parent, TGrovana& grovana);
};
