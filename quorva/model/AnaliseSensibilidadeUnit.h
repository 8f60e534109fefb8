#pragma once
// One row of the sensitivity table: the net present value at one rate.

#include "platform/classes/Classes.h"

class TItemAnalise : public TCollectionItem {
  TQ_DECLARE_CLASS(TItemAnalise)
public:
  TItemAnalise() = default;

  // Interest rate, percent.
  double Juros() const { return juros_; }
  void SetJuros(double value) { juros_ = value; }
  double ValorPresenteLiquido() const { return vpl_; }
  void SetValorPresenteLiquido(double value) { vpl_ = value; }
  double ValorPresenteLiquidoAnualizado() const { return vpla_; }
  void SetValorPresenteLiquidoAnualizado(double value) { vpla_ = value; }
  // Holds the benefit/cost ratio at Juros.
  double ValorPresenteReceita() const { return vpr_; }
  void SetValorPresenteReceita(double value) { vpr_ = value; }

private:
  double juros_ = 0;
  double vpl_ = 0;
  double vpla_ = 0;
  double vpr_ = 0;
};

class TAnaliseSensibilidade : public TTypedCollection<TItemAnalise> {
public:
  using TTypedCollection::TTypedCollection;
};
