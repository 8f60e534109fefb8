#include "quorva/model/AnaliseSensibilidadeUnit.h"

const ClassInfo& TItemAnalise::StaticClass() {
  static const auto ci =
      ClassBuilder<TItemAnalise>("TItemAnalise", &TCollectionItem::StaticClass())
          .Double("Juros", &TItemAnalise::Juros, &TItemAnalise::SetJuros)
          .Double("ValorPresenteLiquido", &TItemAnalise::ValorPresenteLiquido, &TItemAnalise::SetValorPresenteLiquido)
          .Double("ValorPresenteLiquidoAnualizado", &TItemAnalise::ValorPresenteLiquidoAnualizado,
                  &TItemAnalise::SetValorPresenteLiquidoAnualizado)
          .Double("ValorPresenteReceita", &TItemAnalise::ValorPresenteReceita, &TItemAnalise::SetValorPresenteReceita)
          .Build();
  return *ci;
}
