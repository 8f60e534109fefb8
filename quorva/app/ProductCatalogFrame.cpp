#include "quorva/app/ProductCatalogFrame.h"

#include "quorva/model/CatalogData.h"

TProductFrameOptions QuorvaProductFrameOptions(const TCatalog& catalog) {
  return {.exeDir = catalog.Folders().ExeDir,
          .panel = {.listLabel = "&Produtos:",
                    .gridName = "DBGridProducts",
                    .priceLabel = "Preço de &mercado:",
                    .priceEvolutionEditName = "DBEditPriceEvolutionRate"},
          .overwritePrompt = false};
}

TFrameProduct* MakeProductFrame(QWidget* parent, TCatalog& catalog, const TFrameSeams& seams) {
  return new TFrameProduct(parent, catalog.Products(), QuorvaProductFrameOptions(catalog), seams);
}
