#pragma once
// The product catalogue "Produtos.dat" of both programs: the products with
// their prices from which log assortments and production items are filled.

#include <functional>
#include <string>

#include "model/items/ErrorsUnit.h"
#include "model/items/ProductUnit.h"
#include "storage/CatalogueFile.h"
#include "storage/DataModule.h"
#include "storage/PersistUnit.h"

inline constexpr const char* kProductsFileName = "Produtos.dat";
inline constexpr const char* kTitleProductErrors = "Erros em Produtos";

// Where the programs' catalogues differ.
struct TProductCatalogOptions {
  // The program's validation of a posted product.
  std::function<bool(const TProduct&, TErrorList&)> Validate{};
  // Display and edit format of PriceEvolutionRate; empty for none.
  std::string PriceEvolutionRateFormat{};
  // Runs after every post, before the validation.
  std::function<void()> Posted{};
};

class TProductCatalog {
public:
  // Loads "Produtos.dat" from beside the executable: a missing file gives an
  // empty catalogue, a damaged one is reported through the dialogs and gives
  // an empty one. Posts are validated into errors, which outlives the
  // catalogue.
  TProductCatalog(const TDataFolders& folders, const TDataSeams& seams, TErrorList& errors,
                  TProductCatalogOptions options);

  // A failed load leaves the catalogue as it was.
  void Load(const std::string& path);
  // A path stores its bare name in Filename. Without one: the path last read
  // or written, else the stored Filename (or "Produtos.dat") beside the
  // executable. The file last read or written there, changed by another
  // program since, is written over only when the user says so (see
  // TCatalogueFile::MayWrite). False when nothing was written.
  bool Save(const std::string& path = "");
  TProduct* Find(int id) const;
  // A save would write other bytes than were last read or written.
  bool Changed() const { return file_.Changed(); }
  // Full path last read or written; empty for none.
  const std::string& Path() const { return file_.Path(); }

  TProductPersist& Root() const { return file_.Root(); }
  TCollectionDataSet& cdsProduct() { return file_.DataSet(); }
  TDataSource& dsProduct() { return file_.Source(); }

private:
  void cdsProductAfterPost(TDataSet& ds);

  TDataSeams seams_;
  TErrorList& errors_;
  TProductCatalogOptions options_;
  TCatalogueFile<TProductPersist> file_;
};
