#pragma once
// Quorva's catalogue data module: the product and cost catalogues from which a
// plan is filled, and the import of a simulator file's harvests into a plan.

#include <memory>
#include <string>

#include "model/items/ErrorsUnit.h"
#include "model/items/ProductUnit.h"
#include "platform/classes/Classes.h"
#include "platform/db/DB.h"
#include "platform/services/Services.h"
#include "quorva/model/CustoUnit.h"
#include "quorva/model/SimulationQuorvaUnit.h"
#include "storage/CollectionDataSet.h"
#include "storage/PersistUnit.h"

class TQuorva;

// The cost catalogue ("Custo.dat").
class TCustoPersist : public TFileRoot {
  TQ_DECLARE_CLASS(TCustoPersist)
public:
  explicit TCustoPersist(TComponent* owner = nullptr);

  TCustos& Custos() { return *custos_; }

private:
  std::unique_ptr<TCustos> custos_;
};

inline constexpr const char* kCatalogProductsFileName = "Produtos.dat";
inline constexpr const char* kCatalogCostsFileName = "Custo.dat";
inline constexpr const char* kProductErrorsTitle = "Erros em Produtos";

class TCatalog : public TComponent {
  TQ_DECLARE_CLASS(TCatalog)
public:
  // Loads "Produtos.dat" and "Custo.dat" from exeDir. A missing file leaves
  // its catalogue empty; a damaged one is reported through dialogs (when
  // given) and leaves it empty too.
  TCatalog(TComponent* owner, std::string exeDir, IErrorPresenter* presenter = nullptr, IDialogs* dialogs = nullptr);
  ~TCatalog() override;

  // A failed load leaves the catalogue as it was.
  void LoadProducts(const std::string& path);
  // Without a path: the path last loaded or saved, else the stored Filename
  // (or "Produtos.dat") beside the executable. With one: Filename := its bare name.
  void SaveProducts(const std::string& path = "");
  TProduct* FindProduct(int id) const;

  void LoadCosts(const std::string& path);
  void SaveCosts(const std::string& path = "");
  TCusto* FindCusto(int id) const;

  // Put cdsCusto into edit state unless it is editing or inserting, then
  // write the field.
  void SetTipoCusto(const std::string& text);
  void SetUnidadeMedida(const std::string& text);

  // Reads a simulator file into a fresh root and swaps it in on success; the
  // first simulation becomes current (a new, empty one when the file stores
  // no Filename or no simulation).
  void LoadSimulation(const std::string& path);
  // LoadSimulation, then AddProductions. A file that cannot be read leaves
  // the plan untouched.
  void ImportProductions(const std::string& path, TQuorva& plan);
  // The plan takes the current simulation's site index, and one production
  // per harvest with an item for each product of positive volume, priced with
  // its evolution up to the harvest age. Nothing is posted.
  void AddProductions(TQuorva& plan) const;

  TErrorList& Errors() { return errors_; }
  quorva::TSimulation* CurrentSimulation() const { return currentSimulation_; }
  TProductPersist& ProductRoot() { return *productRoot_; }
  TCustoPersist& CostRoot() { return *costRoot_; }
  quorva::TSimulationPersist& SimulationRoot() { return *simulationRoot_; }
  const std::string& ExeDir() const { return exeDir_; }
  // Full paths the catalogues were last read from or written to.
  const std::string& ProductsPath() const { return productsPath_; }
  const std::string& CostsPath() const { return costsPath_; }

  TCollectionDataSet& cdsProduct() { return cdsProduct_; }
  TCollectionDataSet& cdsCusto() { return cdsCusto_; }
  TDataSource& dsProduct() { return dsProduct_; }
  TDataSource& dsCusto() { return dsCusto_; }

  void cdsProductAfterPost(TDataSet& dataSet);
  void cdsCustoAfterPost(TDataSet& dataSet);

private:
  void LoadAtCreation(const std::string& name, void (TCatalog::*load)(const std::string&), TCollectionDataSet& ds,
                      TCollection& empty);
  std::string SaveTarget(const std::string& remembered, const std::string& stored, const char* defaultName) const;
  void WriteCostField(const char* field, const std::string& text);

  std::string exeDir_;
  IErrorPresenter* presenter_;
  IDialogs* dialogs_;

  TCollectionDataSet cdsProduct_;
  TCollectionDataSet cdsCusto_;
  TDataSource dsProduct_;
  TDataSource dsCusto_;

  std::unique_ptr<TProductPersist> productRoot_;
  std::unique_ptr<TCustoPersist> costRoot_;
  std::unique_ptr<quorva::TSimulationPersist> simulationRoot_;
  quorva::TSimulation* currentSimulation_ = nullptr;
  TErrorList errors_;
  std::string productsPath_;
  std::string costsPath_;
};

// The program's one catalogue module, set at start-up.
extern TCatalog* Catalog;
