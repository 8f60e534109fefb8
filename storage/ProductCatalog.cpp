#include "storage/ProductCatalog.h"

#include <utility>

TProductCatalog::TProductCatalog(const TDataFolders& folders, const TDataSeams& seams, TErrorList& errors,
                                 TProductCatalogOptions options)
    : seams_(seams),
      errors_(errors),
      options_(std::move(options)),
      file_(folders, seams.Dialogs, kProductsFileName, "cdsProduct", "dsProduct") {
  const std::string& rateFormat = options_.PriceEvolutionRateFormat;
  TCollectionDataSet& ds = file_.DataSet();
  ds.AddFields({
      {.name = "Name", .type = TFieldType::String, .size = 30},
      {.name = "MinDiameter", .type = TFieldType::Float},
      {.name = "Size", .type = TFieldType::Float},
      {.name = "Price", .type = TFieldType::Float, .currency = true},
      {.name = "PriceEvolutionRate", .type = TFieldType::Float, .displayFormat = rateFormat, .editFormat = rateFormat},
      {.name = "Id", .type = TFieldType::Integer},
  });
  ds.AfterPost = [this](TDataSet& posted) { cdsProductAfterPost(posted); };
  file_.LoadAtStart();
}

void TProductCatalog::Load(const std::string& path) {
  file_.Load(path);
}

bool TProductCatalog::Save(const std::string& path) {
  return file_.Save(path);
}

TProduct* TProductCatalog::Find(int id) const {
  return Root().ProductCollection().FindItemID(id);
}

void TProductCatalog::cdsProductAfterPost(TDataSet& ds) {
  if (options_.Posted) options_.Posted();
  const TProduct* product = Find(ds.FieldByName("Id").AsInteger());
  if (!product) return;
  ReportPostedEntry(options_.Validate(*product, errors_), errors_, kTitleProductErrors, seams_.ErrorPresenter);
}
