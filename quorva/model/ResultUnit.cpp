#include "quorva/model/ResultUnit.h"

#include <vector>

#include "platform/rtl/SysUtils.h"
#include "quorva/model/QuorvaUnit.h"

namespace quorva {

namespace {

struct IndicatorLine {
  const char* label;
  int tabs;
  double (TQuorva::*value)() const;
};

// Label, tabs before the value, value; groups end after lines 6 and 10.
const IndicatorLine kIndicators[] = {
    {"\tReceita Total:", 5, &TQuorva::ReceitaTotal},
    {"\tReceita Total Líquida:", 4, &TQuorva::ReceitaTotalLiquida},
    {"\tReceita Total Média:  ", 4, &TQuorva::ReceitaTotalMedia},
    {"\tCusto Total:", 6, &TQuorva::CustoTotal},
    {"\tCusto Total Médio:", 5, &TQuorva::CustoTotalMedio},
    {"\tReceita Líquida Média:", 4, &TQuorva::ReceitaLiquidaMedia},
    {"\tValor Presente da Receita:", 4, &TQuorva::ValorPresenteReceita},
    {"\tValor Presente dos Custo:", 4, &TQuorva::ValorPresenteCusto},
    {"\tValor Presente Líquido:", 4, &TQuorva::ValorPresenteLiquido},
    {"\tValor Pres. Líq. Anualizado", 4, &TQuorva::ValorPresenteLiquidoAnualizado},
    {"\tRazão Benefício/Custo:", 4, &TQuorva::RazaoBeneficioCusto},
    {"\tValor Esperado da Terra:", 4, &TQuorva::ValorEsperadoTerra},
    {"\tTaxa Interna de Retorno:", 4, &TQuorva::TaxaInternaRetorno},
};

}  // namespace

TResult::TResult() {
  numberFont_ = document_.AddFont("modern", "Courier New");
  textFont_ = document_.AddFont("swiss", "Arial");
  document_.AddFont("roman", "Times New Roman");
}

std::string TResult::FormatValue(int width, double value) {
  return Format("%*s", {width, FormatFloat("#,##0.00", value)});
}

void TResult::Build(const TQuorva& plan) {
  WriteHeader();
  WriteCashFlow(plan);
  WriteParameters(plan);
  if (plan.SensitivityAnalysis() == TQuorva::TSensitivityAnalysis::On) WriteSensitivity(plan);
  document_.NewParagraph();
  document_.EndDocument();
}

void TResult::WriteHeader() {
  document_.BeginDocument();
  document_.SetFontAndSize(textFont_, 16);
  document_.BoldOn();
  document_.NewParagraphs(2);
  document_.WriteText("\t\t\t\t\t\tQUORVA");
  document_.BoldOff();
  document_.NewParagraphs(2);
}

void TResult::WriteCashFlow(const TQuorva& plan) {
  const int n = plan.IdadeFinal();
  document_.SetFontAndSize(textFont_, 14);
  document_.WriteText("\tFluxo de Receitas e Custos para Colheita Final aos " + IntToStr(n) + " anos.");
  document_.NewParagraphs(2);

  document_.SetFontAndSize(textFont_, 8);
  document_.BoldOn();
  document_.BeginTableRow(200, {1000, 2100, 2100, 2100, 2100});
  document_.WriteTableRow({" Ano        ", "        Receitas ($)         ", "          Custos ($)          ",
                           "Receita Presente ($)  ", "   Custo Presente ($)  "});
  document_.BoldOff();

  document_.SetFontAndSize(numberFont_, 10);
  const TFluxosFinanceiros& flows = plan.FluxosFinanceiros();
  for (int year = 0; year <= n; ++year) {
    const TFluxoFinanceiro& f = flows.GetItem(year);
    auto cell = [](double v) { return Format("%s   ", {FormatValue(12, v)}); };
    document_.WriteTableRow({Format("%3d   ", {f.Ano()}), cell(f.Receita()), cell(f.Custo()), cell(f.ReceitaPresente()),
                             cell(f.CustoPresente())});
  }
  document_.ResetParagraph();
  document_.NewParagraphs(2);
}

void TResult::WriteParameters(const TQuorva& plan) {
  document_.SetFontAndSize(textFont_, 14);
  document_.BoldOn();
  document_.WriteText("\tParâmetros para Análise Econômica");
  document_.BoldOff();
  document_.ResetParagraph();
  document_.NewParagraphs(2);

  int line = 0;
  for (const IndicatorLine& indicator : kIndicators) {
    ++line;
    document_.SetFontAndSize(textFont_, 11);
    document_.BoldOn();
    document_.WriteText(indicator.label);
    document_.BoldOff();
    document_.SetFontAndSize(numberFont_, 12);
    const double value = (plan.*indicator.value)();
    if (indicator.value == &TQuorva::TaxaInternaRetorno && !(value > -100))
      document_.WriteText("\t\t\t\t V. negativo");
    else
      document_.WriteText(std::string(static_cast<std::size_t>(indicator.tabs), '\t') + FormatValue(12, value));
    document_.NewParagraph();
    if (line == 6 || line == 10) document_.NewParagraph();
  }
}

void TResult::WriteSensitivity(const TQuorva& plan) {
  document_.SetFontAndSize(textFont_, 14);
  document_.ResetParagraph();
  document_.NewParagraphs(2);
  document_.WriteText("\tAnálise de Sensibilidade: ");
  document_.NewParagraphs(2);

  document_.SetFontAndSize(textFont_, 8);
  document_.BoldOn();
  document_.BeginTableRow(400, {1650, 2450, 2500, 2300});
  document_.WriteTableRow({"Juros", "Valor Presente Líquido", "V. Pres. Líq. Anualizado", "Razão Benef./Custo"});
  document_.BoldOff();

  document_.SetFontAndSize(numberFont_, 10);
  for (const TItemAnalise& row : plan.AnaliseSensibilidade())
    document_.WriteTableRow({FormatValue(5, row.Juros()), FormatValue(12, row.ValorPresenteLiquido()),
                             FormatValue(12, row.ValorPresenteLiquidoAnualizado()),
                             FormatValue(10, row.ValorPresenteReceita())});
}

}  // namespace quorva
