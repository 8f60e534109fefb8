#include "model/growth/ResultUnit.h"

#include <cmath>
#include <vector>

#include "model/growth/SimulationUnit.h"
#include "platform/rtl/SysUtils.h"

namespace {

const std::vector<int> kGrowthWidths = {600, 1360, 1200, 1460, 1000, 1010, 1300, 950, 1000};
const std::vector<std::string> kGrowthHeads = {"Idade",          "Alt. Dominante", "Árvores/Ha",
                                               "Diâmetro Médio", "Alt. Média",     "Área Basal",
                                               "Volume Total",   "   I.M.A.",      "   tCO2  "};
const std::vector<int> kThinWidths = {840, 1650, 1250, 2050};
const std::vector<std::string> kThinHeads = {"   Idade", "Volume Removido", "       tCO2  ", "Volume Remanescente"};
const std::vector<int> kClassWidths = {1300, 900, 1200, 1200};
const std::vector<std::string> kClassHeads = {"Classes DAP", "  Árv/ha ", "Altura Média", "Volume Total"};
constexpr int kProductWidth = 1300;

// Tonnes of CO2 in a volume: 25 % bark, basic density, carbon share, CO2 per C,
// applied one after the other.
double Carbon(double volume) {
  return volume * 1.25 * 0.49 * 0.42 * 3.66;
}

// Nearest integer (halves to even) as digits.
std::string RoundedText(double v) {
  const double r = Round(v);
  if (std::isfinite(r) && std::fabs(r) < 1e18) return IntToStr(static_cast<long long>(r));
  return FloatToStr(r);
}

}  // namespace

TResult::TResult() {
  rowFont_ = document_.AddFont("modern", "Courier New");
  titleFont_ = document_.AddFont("swiss", "Arial");
  textFont_ = document_.AddFont("roman", "Times New Roman");
}

void TResult::Build(TSimulation& simulation) {
  TPrognosisCollection& rows = simulation.PrognosisCollection();
  if (rows.Count() == 0) return;
  WriteHeader(simulation);
  WriteGrowthHead();

  TThinCollection& thins = simulation.ThinCollection();
  TThin* pending = thins.FirstThin();
  for (const TPrognosis& row : rows) {
    if (pending && pending->Age() < row.Age()) {
      WriteThinNote(*pending);
      pending = thins.NextThin();
      WriteGrowthHead();
    }
    WriteGrowthRow(row);
  }

  WriteEquations(simulation);

  if (thins.Count() > 0) {
    WriteThinsTitle();
    WriteThinHead();
    for (TThin* thin = thins.FirstThin(); thin; thin = thins.NextThin()) WriteThinRow(*thin);
  }

  TProductionCollection& harvests = simulation.ProductionCollection();
  if (harvests.Count() > 0) {
    BeginAssortments();
    for (TProduction& harvest : harvests) WriteAssortment(harvest, simulation.ProductCollection());
  }

  document_.NewParagraph();
  document_.EndDocument();
}

void TResult::WriteHeader(const TSimulationData& s) {
  document_.BeginDocument();
  document_.SetFontAndSize(titleFont_, 12);
  document_.BoldOn();
  document_.WriteText("                     Tallora");
  document_.NewParagraphs(2);
  document_.SetFontAndSize(titleFont_, 10);
  document_.WriteText("          TABELA DE CRESCIMENTO E PRODUÇÃO - ");
  document_.SetFontAndSize(titleFont_, 9);
  document_.WriteText(" Eucalyptus grandis / urograndis");
  document_.BoldOff();
  document_.SetFontAndSize(titleFont_, 9);
  document_.NewParagraphs(2);
  document_.SetFontAndSize(textFont_, 9);

  std::vector<std::string> lines = {"\tDescrição: " + s.Description(),
                                    "\tÍndice de Sítio: " + FormatFloat("##.0", s.SiteIndex())};
  const TInventoryType type = s.Inventory();
  if (type == TInventoryType::PlantingDensity) {
    lines.push_back("\tDensidade (árvores por hectare): " + FloatToStr(s.InitialTrees()));
    lines.push_back("\tPorcentagem de sobrevivência (1º ano): " + FormatFloat("### %", s.SurvivalPercentage()));
  } else if (type == TInventoryType::TreesAtAge || type == TInventoryType::TreesAndSizeAtAge) {
    lines.push_back("\tDensidade: " + FloatToStr(s.InventoryTrees()) + " árvores por hectare aos " +
                    IntToStr(s.InventoryAge()) + " anos");
    const bool sized = type == TInventoryType::TreesAndSizeAtAge;
    if (sized && s.InventoryGiven() == TInventoryMode::BaseArea)
      lines.push_back("\tArea Basal: " + FloatToStr(s.BaseArea()));
    if (sized && s.InventoryGiven() == TInventoryMode::MedianDiameter)
      lines.push_back("\tDiâmetro quadrático médio : " + FloatToStr(s.MedianDiameter()));
  }
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) document_.NewParagraph();
    document_.WriteText(lines[i]);
  }
  document_.NewParagraphs(2);
}

void TResult::WriteGrowthHead() {
  document_.SetFontAndSize(titleFont_, 8);
  document_.BoldOn();
  document_.BeginTableRow(80, kGrowthWidths);
  document_.WriteTableRow(kGrowthHeads);
  document_.BoldOff();
}

void TResult::WriteGrowthRow(const TPrognosis& row) {
  document_.SetFontAndSize(rowFont_, 10);
  document_.WriteTableRow({Format("%3d", {row.Age()}), Format("%7.1f", {row.DominantHeight()}),
                           Format("%7.0f", {row.NoTrees()}), Format("%8.1f", {row.MedianDiameter()}),
                           Format("%6.1f", {row.MedianHeight()}), Format("%6.1f", {row.BaseArea()}),
                           Format("%8.1f", {row.Volume()}), Format("%6.1f", {row.IMA()}),
                           Format("%6.1f", {Carbon(row.Volume())})});
}

void TResult::WriteThinNote(const TThin& thin) {
  document_.ResetParagraph();
  document_.NewParagraph();
  document_.SetFontAndSize(textFont_, 12);
  if (thin.Type() == TThinType::RowsThenSelective) {
    document_.WriteText("\tO povoamento foi desbastado pela remoção de 1 em cada ");
    document_.WriteText(IntToStr(thin.CutRows()) + " linhas e, depois,");
    document_.NewParagraph();
  }
  document_.WriteText("\tO povoamento foi desbastado pela remoção de ");
  if (thin.Mode() == TThinMode::RemainingBaseArea)
    document_.WriteText(FormatFloat("#,##0.0", thin.RemovedBaseArea()) + " m2 de Área Basal.");
  else if (thin.Mode() == TThinMode::RemainingTrees)
    document_.WriteText(RoundedText(thin.RemovedTrees()) + " árvores.");
  document_.NewParagraphs(2);
}

void TResult::WriteEquations(const TSimulationData& s) {
  document_.ResetParagraph();
  document_.SetFontAndSize(titleFont_, 12);
  document_.BoldOn();
  document_.BoldOff();
  document_.NewParagraph();
  document_.SetFontAndSize(textFont_, 9);
  document_.WriteText("\tEquação de Sítio: " + s.SiteIndexEquationAuthor());
  document_.NewParagraph();
  document_.WriteText("\tEquação de Volume: " + s.VolumeEquationAuthor());
  document_.NewParagraph();
  document_.WriteText("\tEquação de sortimento: " + s.ShapeFunctionEquationAuthor());
  document_.NewParagraph();
  document_.WriteText("\ttCO2 = (Vol+25%)x(Dens. Básica: 0,49)x(C: 0,42)x(CO2: 3,66)");
}

void TResult::WriteThinsTitle() {
  document_.ResetParagraph();
  document_.NewParagraphs(2);
  document_.SetFontAndSize(titleFont_, 10);
  document_.BoldOn();
  document_.WriteText("\tDESBASTES");
  document_.BoldOff();
  document_.NewParagraph();
}

void TResult::WriteThinHead() {
  document_.SetFontAndSize(titleFont_, 8);
  document_.BoldOn();
  document_.BeginTableRow(90, kThinWidths);
  document_.WriteTableRow(kThinHeads);
  document_.BoldOff();
}

void TResult::WriteThinRow(const TThin& thin) {
  document_.SetFontAndSize(rowFont_, 10);
  document_.WriteTableRow({Format("%4d", {thin.Age()}), Format("%8.1f", {thin.RemovedVolume()}),
                           Format("%8.1f", {Carbon(thin.RemovedVolume())}),
                           Format("%10.1f", {thin.VolumeAfterThin()})});
}

void TResult::BeginAssortments() {
  document_.ResetParagraph();
  document_.NewParagraph();
  document_.SetFontAndSize(titleFont_, 12);
}

void TResult::WriteAssortment(TProduction& harvest, const TProductCollection& products) {
  document_.ResetParagraph();
  document_.NewParagraph();
  document_.SetFontAndSize(titleFont_, 10);
  document_.BoldOn();
  document_.WriteText("\tSORTIMENTO PARA ÁRVORES REMOVIDAS " +
                      Format("NO %s (%d ANOS)", {harvest.Origem(), harvest.Age()}));
  document_.BoldOff();
  document_.NewParagraphs(2);

  const int n = WriteAssortmentHead(products);
  TDiameterClasses& classes = harvest.DiameterClasses();
  TDiameterClass* c = classes.FirstByDiameter();
  if (!c) return;
  for (; c; c = classes.NextByDiameter()) WriteClassRow(*c, n);
  WriteTotalsRow(harvest, n);
}

int TResult::NextProductBelow(const TProductCollection& products, double bound) {
  return TDiameterClass::NextProductBelow(products, bound);
}

int TResult::WriteAssortmentHead(const TProductCollection& products) {
  std::vector<int> widths = kClassWidths;
  std::vector<std::string> heads = kClassHeads;
  double bound = 1e100;
  for (int i = 0; i < products.Count(); ++i) {
    const TProduct& product = products.GetItem(NextProductBelow(products, bound));
    bound = product.MinDiameter();
    widths.push_back(kProductWidth);
    heads.push_back(product.Name());
  }
  document_.SetFontAndSize(titleFont_, 8);
  document_.BoldOn();
  document_.BeginTableRow(90, widths);
  document_.WriteTableRow(heads);
  document_.BoldOff();
  return static_cast<int>(heads.size());
}

void TResult::WriteClassRow(const TDiameterClass& c, int n) {
  std::vector<std::string> cells = {Format("%4.1f-%4.1f", {c.MinDiameter(), c.MaxDiameter()}),
                                    Format("%5.0f", {c.NoTrees()}), Format("%7.1f", {c.MedianHeight()}),
                                    Format("%7.1f", {c.Volume()})};
  const TProductsVolume& volumes = c.ProductsVolume();
  for (int k = 0; k <= n - 5; ++k)
    cells.push_back(k < volumes.Count() ? Format("%7.1f", {volumes.GetItem(k).Volume()}) : std::string());
  document_.SetFontAndSize(rowFont_, 10);
  document_.WriteTableRow(cells);
}

void TResult::WriteTotalsRow(const TProduction& harvest, int n) {
  std::vector<std::string> cells = {"Totais", "", Format("%7.1f", {harvest.MedianHeight()}),
                                    Format("%7.1f", {harvest.TotalVolume()})};
  for (int k = 0; k <= n - 5; ++k) {
    bool everyClass = true;
    for (const TDiameterClass& c : harvest.DiameterClasses()) everyClass = everyClass && k < c.ProductsVolume().Count();
    cells.push_back(everyClass ? Format("%7.1f", {harvest.ProductTotal(k)}) : std::string());
  }
  document_.BoldOn();
  document_.SetFontAndSize(rowFont_, 10);
  document_.WriteTableRow(cells);
  document_.BoldOff();
}
