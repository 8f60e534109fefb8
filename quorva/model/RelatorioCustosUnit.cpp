#include "quorva/model/RelatorioCustosUnit.h"

#include <algorithm>

#include "platform/rtl/SysUtils.h"
#include "quorva/model/FinUnit.h"
#include "quorva/model/QuorvaUnit.h"

TRelatorioCustos::TRelatorioCustos() {
  numberFont_ = document_.AddFont("modern", "Courier New");
  textFont_ = document_.AddFont("swiss", "Arial");
  document_.AddFont("roman", "Times New Roman");
}

std::string TRelatorioCustos::FormatValue(int width, double value) {
  return Format("%*s", {width, FormatFloat("#,##0.00", value)});
}

void TRelatorioCustos::FillCostMatrix(TQuorva& plan) {
  const int n = plan.IdadeFinal();
  const std::size_t years = n >= 0 ? static_cast<std::size_t>(n) + 1 : 0;
  matrix_.assign(static_cast<std::size_t>(plan.Custos().Count()), std::vector<double>(years, 0.0));
  TProducoes& producoes = plan.Producoes();
  std::size_t row = 0;
  for (const TCusto& custo : plan.Custos()) {
    std::vector<double>& amounts = matrix_[row++];
    auto put = [&](int year, double amount) {
      if (year >= 0 && year <= n) amounts[static_cast<std::size_t>(year)] = amount;
    };
    const bool unitario = custo.Type() == TCostType::Unitario;
    const bool perM3 = custo.Unit() == TCostUnit::PorM3;
    if (unitario && perM3) {
      for (TProducao* p = producoes.FirstByAge(); p; p = producoes.NextByAge())
        put(p->Idade(), p->SumVolume() * custo.Custo());
    } else if (unitario) {
      put(0, custo.Custo());
    } else if (perM3) {
      for (TProducao* p = producoes.FirstByAge(); p; p = producoes.NextByAge())
        for (const TCustoAnual& entry : custo.CustosAnuais())
          if (entry.Idade() == p->Idade()) put(p->Idade(), p->SumVolume() * entry.Custo());
    } else {
      for (const TCustoAnual& entry : custo.CustosAnuais()) put(entry.Idade(), entry.Custo());
    }
  }
}

void TRelatorioCustos::Build(TQuorva& plan) {
  FillCostMatrix(plan);
  const int n = plan.IdadeFinal();
  document_.BeginDocument();
  document_.SetFontAndSize(textFont_, 14);
  document_.NewParagraphs(2);
  document_.WriteText("\tRelatório de Custos ");
  document_.NewParagraph();
  for (int first = 0; first <= n; first += 5) {
    const int last = std::min(first + 4, n);
    WriteYearHeader(first, last);
    WriteCostRows(plan, first, last);
    document_.ResetParagraph();
    document_.NewParagraph();
  }
  WriteTotals(plan);
  document_.NewParagraph();
  document_.EndDocument();
}

void TRelatorioCustos::WriteYearHeader(int first, int last) {
  document_.SetFontAndSize(textFont_, 10);
  document_.BoldOn();
  document_.NewParagraph();
  std::vector<int> widths{2250};
  std::vector<std::string> cells{"     IDADE"};
  for (int year = first; year <= last; ++year) {
    widths.push_back(1500);
    cells.push_back("      " + IntToStr(year) + "  ");
  }
  document_.BeginLeftTableRow(150, widths);
  document_.WriteTableRow(cells);
  document_.BoldOff();
}

void TRelatorioCustos::WriteCostRows(const TQuorva& plan, int first, int last) {
  document_.SetFontAndSize(numberFont_, 8);
  std::vector<double> sums(static_cast<std::size_t>(last - first + 1), 0.0);
  std::size_t row = 0;
  for (const TCusto& custo : plan.Custos()) {
    const std::vector<double>& amounts = matrix_[row++];
    std::vector<std::string> cells{Format("%-16s", {custo.Nome()})};
    for (int year = first; year <= last; ++year) {
      const double amount = amounts[static_cast<std::size_t>(year)];
      sums[static_cast<std::size_t>(year - first)] += amount;
      cells.push_back(FormatValue(10, amount));
    }
    document_.WriteTableRow(cells);
  }
  std::vector<std::string> total{"Total"};
  for (double sum : sums) total.push_back(FormatValue(10, sum));
  document_.BoldOn();
  document_.WriteTableRow(total);
  document_.BoldOff();
}

void TRelatorioCustos::WriteTotals(const TQuorva& plan) {
  document_.SetFontAndSize(textFont_, 10);
  document_.BoldOn();
  document_.NewParagraph();
  document_.BeginLeftTableRow(200, {2300, 2500, 3000});
  document_.WriteTableRow({"  Custo", "          Total", "   Total em Valor Presente"});
  document_.BoldOff();
  document_.SetFontAndSize(numberFont_, 10);
  grandTotal_ = 0;
  grandPresent_ = 0;
  std::size_t row = 0;
  for (const TCusto& custo : plan.Custos()) {
    const std::vector<double>& amounts = matrix_[row++];
    double total = 0;
    double present = 0;
    for (std::size_t year = 0; year < amounts.size(); ++year) {
      total += amounts[year];
      present += PresentValue(static_cast<int>(year), plan.TaxaAtratividade(), amounts[year]);
    }
    document_.WriteTableRow({Format("%-16s", {custo.Nome()}), FormatValue(14, total), FormatValue(18, present)});
    grandTotal_ += total;
    grandPresent_ += present;
  }
  document_.BoldOn();
  document_.WriteTableRow({"Total", FormatValue(14, grandTotal_), FormatValue(18, grandPresent_)});
  document_.BoldOff();
}
