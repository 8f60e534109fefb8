#pragma once
// The site index equation page ("Equação de Sítio").

#include "tallora/app/EquationFrame.h"

class TFrameSiteIndexEquation : public TFrameEquation {
public:
  TFrameSiteIndexEquation(QWidget* parent, TGrovana& grovana);
};
