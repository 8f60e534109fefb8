#include "tallora/app/ProductsForm.h"

#include "tallora/data/GrovanaData.h"

TFormProducts::TFormProducts(QWidget* parent, TGrovana& grovana)
    : TCatalogPicker(parent, {.source = &grovana.dsProduct(),
                              .columns = {{"Name", "Nome"}},
                              .copyOne = [&grovana](int recNo) { grovana.CopyProductToLogs(recNo); },
                              .copyAll = [&grovana] { grovana.CopyAllProductsToLogs(); },
                              .caption = "Produtos"}) {
  setObjectName("FormProducts");
}
