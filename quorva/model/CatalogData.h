#pragma once
// Quorva's catalogue data module: the product and cost catalogues from which a
// plan is filled, and the import of a simulator file's harvests into a plan.

#include <memory>
#include <string>
#include <vector>

#include "model/items/ErrorsUnit.h"
#include "model/items/ProductUnit.h"
#include "platform/classes/Classes.h"
#include "platform/db/DB.h"
#include "quorva/model/CustoUnit.h"
#include "quorva/model/ProducaoUnit.h"
#include "quorva/model/SimulationQuorvaUnit.h"
#include "storage/CatalogueFile.h"
#include "storage/CollectionDataSet.h"
#include "storage/DataModule.h"
#include "storage/PersistUnit.h"
#include "storage/ProductCatalog.h"

class TQuorva;

// The cost catalogue ("Custo.dat").
class TCustoPersist : public TCollectionRoot<TCustoPersist, TCustos> {
public:
  static constexpr const char* kClassName = "TCustoPersist";
  static constexpr const char* kKindName = "catálogo de custos";
  static constexpr const char* kCollectionName = "Custos";

  explicit TCustoPersist(TComponent* owner = nullptr) : TCollectionRoot(owner) {}

  TCustos& Custos() { return Items(); }
  const TCustos& Custos() const { return Items(); }
};

inline constexpr const char* kCostsFileName = "Custo.dat";
// An import whose file brings no production.
inline constexpr const char* kMsgNoHarvest1 = "O arquivo \"";
inline constexpr const char* kMsgNoHarvest2 = "\" não contém colheita para importar.";

class TCatalog : public TComponent {
  TQ_DECLARE_CLASS(TCatalog)
public:
  // Loads "Produtos.dat" and "Custo.dat" from beside the executable. A
  // missing file leaves its catalogue empty; a damaged one is reported
  // through the dialogs and leaves it empty too.
  TCatalog(TComponent* owner, TDataFolders folders, TDataSeams seams);
  ~TCatalog() override;

  const TDataFolders& Folders() const { return folders_; }

  TProductCatalog& Products() { return products_; }
  // A failed load leaves the catalogue as it was.
  void LoadProducts(const std::string& path) { products_.Load(path); }
  // Without a path: the path last loaded or saved, else the stored Filename
  // (or "Produtos.dat") beside the executable. With one: Filename := its bare
  // name. False when nothing was written (TProductCatalog::Save).
  bool SaveProducts(const std::string& path = "") { return products_.Save(path); }
  TProduct* FindProduct(int id) const { return products_.Find(id); }

  void LoadCosts(const std::string& path) { costs_.Load(path); }
  // As SaveProducts, with "Custo.dat".
  bool SaveCosts(const std::string& path = "") { return costs_.Save(path); }
  // A save would write other bytes than were last read or written.
  bool CostsChanged() const { return costs_.Changed(); }
  TCusto* FindCusto(int id) const;

  // Put cdsCusto into edit state unless it is editing or inserting, then
  // write the field.
  void SetTipoCusto(const std::string& text);
  void SetUnidadeMedida(const std::string& text);

  // Reads a simulator file into a fresh root and swaps it in on success; the
  // first simulation becomes current (a new, empty one when the file stores
  // no Filename or no simulation).
  void LoadSimulation(const std::string& path);
  // LoadSimulation, BuildProductions, then AddProductions. A file that
  // cannot be read, or that brings no production, leaves the plan untouched.
  void ImportProductions(const std::string& path, TQuorva& plan);
  // One production per harvest of the current simulation, with an item for
  // each product of positive volume, priced with its evolution up to the
  // harvest age. Raises Exception (kMsgNoHarvest1, the bare name of the file
  // read, kMsgNoHarvest2) when no production would get an item: no harvest,
  // no product or no positive volume.
  std::vector<std::unique_ptr<TProducao>> BuildProductions(const std::string& path) const;
  // The plan takes the current simulation's site index and the productions.
  // Nothing is posted.
  void AddProductions(TQuorva& plan, std::vector<std::unique_ptr<TProducao>> built) const;

  TErrorList& Errors() { return errors_; }
  quorva::TSimulation* CurrentSimulation() const { return currentSimulation_; }
  TProductPersist& ProductRoot() const { return products_.Root(); }
  TCustoPersist& CostRoot() const { return costs_.Root(); }
  quorva::TSimulationPersist& SimulationRoot() const { return *simulationRoot_; }
  // Full paths the catalogues were last read from or written to.
  const std::string& ProductsPath() const { return products_.Path(); }
  const std::string& CostsPath() const { return costs_.Path(); }

  TCollectionDataSet& cdsProduct() { return products_.cdsProduct(); }
  TCollectionDataSet& cdsCusto() { return costs_.DataSet(); }
  TDataSource& dsProduct() { return products_.dsProduct(); }
  TDataSource& dsCusto() { return costs_.Source(); }

private:
  void cdsCustoAfterPost(TDataSet& dataSet);
  void WriteCostField(const char* field, const std::string& text);

  TDataFolders folders_;
  TDataSeams seams_;
  TErrorList errors_;
  std::unique_ptr<quorva::TSimulationPersist> simulationRoot_;
  quorva::TSimulation* currentSimulation_ = nullptr;

  // Declared after the state their handlers use, so they go first.
  TProductCatalog products_;
  TCatalogueFile<TCustoPersist> costs_;
};
