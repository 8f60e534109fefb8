#include "quorva/app/CustoForm.h"

#include "quorva/model/CatalogData.h"
#include "quorva/model/MarquelData.h"

TFormCusto::TFormCusto(QWidget* parent, TMarquel& marquel, TCatalog& catalog)
    : TCatalogPicker(parent, {.source = &catalog.dsCusto(),
                              .columns = {{"Nome"}, {"Custo"}},
                              .copyOne = [&marquel](int recNo) { marquel.CopyCostToCustos(recNo); },
                              .copyAll = [&marquel] { marquel.CopyAllCostsToCustos(); },
                              .caption = "Custos"}) {
  setObjectName("FormCusto");
}
