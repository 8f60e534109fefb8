#pragma once
// Tallora's product catalogue page: the shared product frame over the data
// module's catalogue.

#include "forms/ProductFrame.h"

class TGrovana;

// The price label "&Preço de mercado:"; "Salvar Produtos" asks before
// replacing a file; the dialogs start beside the executable.
TProductFrameOptions TalloraProductFrameOptions(const TGrovana& grovana);

// The page over the data module's catalogue.
TFrameProduct* MakeProductFrame(QWidget* parent, TGrovana& grovana, const TFrameSeams& seams);
