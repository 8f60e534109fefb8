#include "quorva/app/ProdutoForm.h"

#include "quorva/model/CatalogData.h"
#include "quorva/model/MarquelData.h"

TFormProduto::TFormProduto(QWidget* parent, TMarquel& marquel, TCatalog& catalog)
    : TCatalogPicker(parent, {.source = &catalog.dsProduct(),
                              .columns = {{"Name", "Nome"}},
                              .copyOne = [&marquel](int recNo) { marquel.CopyProductToItems(recNo); },
                              .copyAll = [&marquel] { marquel.CopyAllProductsToItems(); },
                              .caption = "Produtos"}) {
  setObjectName("FormProduto");
}
