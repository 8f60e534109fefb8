#include "tallora/app/ProductCatalogFrame.h"

#include "tallora/data/GrovanaData.h"

TProductFrameOptions TalloraProductFrameOptions(const TGrovana& grovana) {
  return {.exeDir = grovana.Folders().ExeDir,
          .panel = {.listLabel = "&Produtos:",
                    .gridName = "DBGridProducts",
                    .priceLabel = "&Preço de mercado:",
                    .priceEvolutionEditName = "DBEditPriceEvolution"},
          .overwritePrompt = true};
}

TFrameProduct* MakeProductFrame(QWidget* parent, TGrovana& grovana, const TFrameSeams& seams) {
  return new TFrameProduct(parent, grovana.Products(), TalloraProductFrameOptions(grovana), seams);
}
