#include "tools/DefaultData.h"

#include "storage/PersistUnit.h"

namespace {

constexpr const char* kAuthor = "Tallora";
constexpr const char* kProgramDefault = "Padrão do programa";

void AddProduct(TProductCollection& products, const char* name, double minDiameter, double size, double price) {
  TProduct& p = products.Add();
  p.SetName(name);
  p.SetMinDiameter(minDiameter);
  p.SetSize(size);
  p.SetPrice(price);
}

void AddFormula(TFormulaCollection& formulas, const char* description, const char* expression, const char* type,
                int associated = 0) {
  TFormula& f = formulas.Add();
  f.SetDescription(description);
  f.SetAuthor(kAuthor);
  f.SetExpression(expression);
  f.SetEquationType(type);
  f.SetAssociatedFormula(associated);
}

void AddThin(TThinCollection& thins, int age, TThinType type, const char* typeName, TThinMode mode, double remaining,
             int cutRows = 0) {
  TThin& t = thins.Add();
  t.SetAge(age);
  t.SetType(type);
  t.SetTypeName(typeName);
  t.SetMode(mode);
  if (mode == TThinMode::RemainingTrees)
    t.SetRemanescentTrees(remaining);
  else
    t.SetRemanescentBaseArea(remaining);
  t.SetCutRows(cutRows);
}

}  // namespace

void FillDefaultProducts(TProductPersist& root) {
  root.SetFilename(kProductsFileName);
  TProductCollection& products = root.ProductCollection();
  products.Clear();
  products.RestartIds();
  AddProduct(products, "Laminação", 25, 2.6, 150);
  AddProduct(products, "Serraria", 18, 2.4, 100);
  AddProduct(products, "Celulose", 8, 2.4, 50);
  AddProduct(products, "Energia", 4, 1.2, 30);
}

void FillDefaultFormulas(TFormulaPersist& root) {
  root.SetFilename(kFormulasFileName);
  TFormulaCollection& formulas = root.FormulaCollection();
  formulas.Clear();
  formulas.RestartIds();
  // Reference age 7, as the built-in site curve.
  AddFormula(formulas, "Sítio (padrão)", "S*EXP(-4.7196*(A^(-0.51)-7^(-0.51)))", kSiteEquationType);
  AddFormula(formulas, "Volume (padrão)", "D^2*0.00007854*0.4436*H", kVolumeEquationType);
  // The taper names its squared-taper integral, Id 3.
  AddFormula(formulas, "Sortimento (padrão)", "D*(1.6698*X^2+(1.038552*X+0.080127)-4.21279*X^3+2.525275*X^4)",
             kShapeEquationType, 3);
  AddFormula(formulas, "Integral do quadrado (padrão)",
             "0.083216*X^2+0.00642*X+0.448728*X^3+0.698308*X^4-1.1115*X^5-1.47063*X^6+3.74*X^7-2.659613*X^8+"
             "0.708557*X^9",
             kIntegralEquationType);
}

void FillDefaultSimulation(TSimulationPersist& root) {
  root.SetFilename(kSimulationTemplateName);
  TSimulationCollection& simulations = root.SimulationCollection();
  simulations.Clear();
  simulations.RestartIds();
  TSimulation& s = simulations.Add();
  s.SetDescription("Nova simulação");
  s.SetSpeciesName("Eucalyptus grandis / urograndis");
  s.SetSiteIndex(28);
  s.SetInventory(TInventoryType::PlantingDensity);
  s.SetInventoryGiven(TInventoryMode::BaseArea);
  s.SetInitialTrees(1111);
  s.SetSurvivalPercentage(95);
  s.SetHomogeneityDegree(5);
  s.SetListing(TListingOption::AgeInterval);
  s.SetInitialAge(2);
  s.SetFinalAge(16);
  s.SetIncrementalAge(1);
  s.SetResultAges("2 4 6 8 10 12 14 16");
  // Empty equation texts select the built-in equations.
  s.SetSiteIndexEquationAuthor(kProgramDefault);
  s.SetVolumeEquationAuthor(kProgramDefault);
  s.SetShapeFunctionEquationAuthor(kProgramDefault);
  s.SetSiteIndexEquationDescription(kProgramDefault);
  s.SetVolumeEquationDescription(kProgramDefault);
  s.SetShapeFunctionEquationDescription(kProgramDefault);
  s.SetDiameterClassInterval(2);
  s.SetVolumeUnit("m³/ha");

  TProductPersist catalogue;
  FillDefaultProducts(catalogue);
  for (const TProduct& p : catalogue.ProductCollection())
    if (p.Name() != "Laminação") s.ProductCollection().Add().Assign(p);

  AddThin(s.ThinCollection(), 6, TThinType::RowsThenSelective, "Misto", TThinMode::RemainingTrees, 700, 7);
  AddThin(s.ThinCollection(), 10, TThinType::Selective, "Seletivo", TThinMode::RemainingBaseArea, 18);
}

void AppendTalloraDefaultFiles(std::vector<TDefaultFile>& files) {
  files.push_back({kProductsFileName, [](const std::string& path) {
                     TProductPersist root;
                     FillDefaultProducts(root);
                     SaveComponent(path, root);
                   }});
  files.push_back({kFormulasFileName, [](const std::string& path) {
                     TFormulaPersist root;
                     FillDefaultFormulas(root);
                     SaveComponent(path, root);
                   }});
  files.push_back({kSimulationTemplateName, [](const std::string& path) {
                     TSimulationPersist root;
                     FillDefaultSimulation(root);
                     SaveComponent(path, root);
                   }});
}
