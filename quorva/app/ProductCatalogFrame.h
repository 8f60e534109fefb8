#pragma once
// Quorva's product catalogue page: the shared product frame over the
// catalogue data module's products.

#include "forms/ProductFrame.h"

class TCatalog;

// The price label "Preço de &mercado:", the price-evolution edit
// "DBEditPriceEvolutionRate"; "Salvar Produtos" does not ask before
// replacing a file; the dialogs start beside the executable.
TProductFrameOptions QuorvaProductFrameOptions(const TCatalog& catalog);

// The page over the data module's catalogue.
TFrameProduct* MakeProductFrame(QWidget* parent, TCatalog& catalog, const TFrameSeams& seams);
