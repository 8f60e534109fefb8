#include "quorva/model/QuorvaUnit.h"

#include <cmath>
#include <cstddef>
#include <set>
#include <utility>

#include "model/items/ErrorsUnit.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FloatChecks.h"
#include "platform/rtl/SysUtils.h"
#include "quorva/model/FinUnit.h"

const ClassInfo& TQuorva::StaticClass() {
  using CustosGetter = TCustos& (TQuorva::*)();
  using ProducoesGetter = TProducoes& (TQuorva::*)();
  static const auto ci =
      ClassBuilder<TQuorva>("TQuorva", &TCollectionItem::StaticClass())
          .String("Descricao", &TQuorva::Descricao, &TQuorva::SetDescricao)
          .Integer("IdadeFinal", &TQuorva::IdadeFinal, &TQuorva::SetIdadeFinal)
          .Double("TaxaAtratividade", &TQuorva::TaxaAtratividade, &TQuorva::SetTaxaAtratividade)
          .Integer("TemAnaliseSensibilidade", &TQuorva::TemAnaliseSensibilidade, &TQuorva::SetTemAnaliseSensibilidade)
          .Double("TaxaJurosInicial", &TQuorva::TaxaJurosInicial, &TQuorva::SetTaxaJurosInicial)
          .Double("TaxaJurosFinal", &TQuorva::TaxaJurosFinal, &TQuorva::SetTaxaJurosFinal)
          .Double("IncrementoTaxaJuros", &TQuorva::IncrementoTaxaJuros, &TQuorva::SetIncrementoTaxaJuros)
          .Double("IndiceSitio", &TQuorva::IndiceSitio, &TQuorva::SetIndiceSitio)
          .Double("ReceitaTotal", &TQuorva::ReceitaTotal, &TQuorva::SetReceitaTotal)
          .Double("ReceitaTotalLiquida", &TQuorva::ReceitaTotalLiquida, &TQuorva::SetReceitaTotalLiquida)
          .Double("ReceitaTotalMedia", &TQuorva::ReceitaTotalMedia, &TQuorva::SetReceitaTotalMedia)
          .Double("CustoTotal", &TQuorva::CustoTotal, &TQuorva::SetCustoTotal)
          .Double("CustoTotalMedio", &TQuorva::CustoTotalMedio, &TQuorva::SetCustoTotalMedio)
          .Double("ReceitaLiquidaMedia", &TQuorva::ReceitaLiquidaMedia, &TQuorva::SetReceitaLiquidaMedia)
          .Double("ValorPresenteReceita", &TQuorva::ValorPresenteReceita, &TQuorva::SetValorPresenteReceita)
          .Double("ValorPresenteCusto", &TQuorva::ValorPresenteCusto, &TQuorva::SetValorPresenteCusto)
          .Double("ValorPresenteLiquido", &TQuorva::ValorPresenteLiquido, &TQuorva::SetValorPresenteLiquido)
          .Double("ValorPresenteLiquidoAnualizado", &TQuorva::ValorPresenteLiquidoAnualizado,
                  &TQuorva::SetValorPresenteLiquidoAnualizado)
          .Double("RazaoBeneficioCusto", &TQuorva::RazaoBeneficioCusto, &TQuorva::SetRazaoBeneficioCusto)
          .Double("ValorEsperadoTerra", &TQuorva::ValorEsperadoTerra, &TQuorva::SetValorEsperadoTerra)
          .Double("TaxaInternaRetorno", &TQuorva::TaxaInternaRetorno, &TQuorva::SetTaxaInternaRetorno)
          .Collection("Custos", static_cast<CustosGetter>(&TQuorva::Custos), TCusto::StaticClass())
          .Collection("Producoes", static_cast<ProducoesGetter>(&TQuorva::Producoes), TProducao::StaticClass())
          .Build();
  return *ci;
}

namespace {

// Open interval; NaN is outside.
bool Inside(double v, double lo, double hi) {
  return lo < v && v < hi;
}

// Bounds-checked element of a yearly array.
double& YearAt(std::vector<double>& v, int year) {
  if (year < 0 || year >= static_cast<int>(v.size())) ThrowListIndexError(year);
  return v[static_cast<std::size_t>(year)];
}

// Code 11 reads the type upper-cased but not trimmed: " Anual" is not
// annual there.
bool IsAnualAsStored(const TCusto& custo) {
  return custo.Type() == TCostType::Anual && custo.TipoCusto() == Trim(custo.TipoCusto());
}

std::string IncrementoText(double value) {
  return "Incremento na Taxa de Juros: " + FloatToStr(value) + "% inválido!";
}

}  // namespace

// ---- validation ----

bool TQuorva::Validate(TErrorList& errors) {
  errors.Clear();
  try {
    ValidateParameters(errors);
    ValidateCustos(errors);
    ValidateProducoes(errors);
  } catch (const Exception& e) {
    errors.Add(99, e.Message());
  }
  valid_ = errors.Count() == 0;
  return valid_;
}

void TQuorva::ValidateParameters(TErrorList& errors) const {
  if (idadeFinal_ <= 0 || idadeFinal_ >= 400) errors.Add(1, "Idade Final: " + IntToStr(idadeFinal_) + " inválida!");
  if (!Inside(taxaAtratividade_, 0, 40))
    errors.Add(2, "Taxa de Atratividade: " + FloatToStr(taxaAtratividade_) + "% inválida!");
  if (SensitivityAnalysis() != TSensitivityAnalysis::On) return;
  if (!Inside(taxaJurosInicial_, 0, 99))
    errors.Add(3, "Taxa de Juros Inicial: " + FloatToStr(taxaJurosInicial_) + "% inválida!");
  if (!Inside(taxaJurosFinal_, 0, 100))
    errors.Add(4, "Taxa de Juros Final: " + FloatToStr(taxaJurosFinal_) + "% inválida!");
  const bool badIncrement = !Inside(incrementoTaxaJuros_, 0, 100);
  const bool tooManyRates = !badIncrement && std::isfinite(taxaJurosInicial_) && std::isfinite(taxaJurosFinal_) &&
                            SensitivityRateCount(taxaJurosInicial_, taxaJurosFinal_, incrementoTaxaJuros_) < 0;
  if (badIncrement || tooManyRates) errors.Add(5, IncrementoText(incrementoTaxaJuros_));
}

void TQuorva::ValidateCustos(TErrorList& errors) {
  if (custos_.Count() == 0) {
    errors.Add(10, "Falta informar os custos");
    return;
  }
  for (TCusto& custo : custos_) {
    custo.Validate(errors);
    if (IsAnualAsStored(custo) && custo.CustosAnuais().Count() == 0) {
      errors.Add(11, "Custo de " + custo.Nome() + " é Anual: Informe Idade e Custo");
      continue;
    }
    for (const TCustoAnual& entry : custo.CustosAnuais()) {
      if (entry.Idade() > idadeFinal_)
        errors.Add(12,
                   "Custo de " + custo.Nome() + ": Idade " + IntToStr(entry.Idade()) + " é maior que a Idade Final");
    }
  }
}

void TQuorva::ValidateProducoes(TErrorList& errors) {
  if (producoes_.Count() == 0) {
    errors.Add(13, "Falta informar as Produções");
    return;
  }
  std::set<const TProducao*> visited;
  std::set<int> visitedAges;
  const TProducao* last = nullptr;
  for (TProducao* p = producoes_.FirstByAge(); p; p = producoes_.NextByAge()) {
    p->Validate(errors);
    if (p->Idade() > idadeFinal_) idadeFinal_ = p->Idade();
    visited.insert(p);
    visitedAges.insert(p->Idade());
    last = p;
  }
  if (!last)
    errors.Add(13, "Falta informar as Produções");
  else if (last->Idade() != idadeFinal_)
    errors.Add(7, "Idade da Producão Final e do Plano devem coincidir");
  // Harvests the cursor skips (bad or repeated ages) are reported too.
  for (const TProducao& p : producoes_) {
    if (visited.count(&p)) continue;
    p.Validate(errors);
    if (visitedAges.count(p.Idade())) errors.Add(606, "Produção na idade " + IntToStr(p.Idade()) + ": Idade repetida!");
  }
}

// ---- calculation ----

namespace {

// The cash flow with the yearly costs of the annual entries it used.
struct TPlanCashFlow {
  TCashFlow flow;
  std::vector<double> annualPerHa;
  std::vector<double> annualPerM3;
};

// Sum of the one-off costs in unit.
double UnitCost(const TCustos& custos, TCostUnit unit) {
  double sum = 0;
  for (const TCusto& c : custos)
    if (c.Type() == TCostType::Unitario && c.Unit() == unit) sum += c.Custo();
  return sum;
}

// Years 0..n: the one-off costs per hectare in year 0, the annual entries
// per hectare in their year, and at each harvest (increasing age) its
// revenue and its volume times the costs per cubic metre. A year outside
// 0..n raises the list index error.
TPlanCashFlow BuildCashFlow(const TCustos& custos, TProducoes& producoes, int n) {
  const std::size_t size = n >= 0 ? static_cast<std::size_t>(n) + 1 : 0;
  TPlanCashFlow plan{{std::vector<double>(size, 0.0), std::vector<double>(size, 0.0)},
                     std::vector<double>(size, 0.0),
                     std::vector<double>(size, 0.0)};
  std::vector<double>& revenue = plan.flow.revenue;
  std::vector<double>& cost = plan.flow.cost;
  YearAt(cost, 0) = UnitCost(custos, TCostUnit::PorHa);
  for (const TCusto& c : custos) {
    if (c.Type() != TCostType::Anual) continue;
    const TCostUnit unit = c.Unit();
    std::vector<double>* target = unit == TCostUnit::PorHa   ? &plan.annualPerHa
                                  : unit == TCostUnit::PorM3 ? &plan.annualPerM3
                                                             : nullptr;
    if (!target) continue;
    for (const TCustoAnual& entry : c.CustosAnuais()) YearAt(*target, entry.Idade()) += entry.Custo();
  }
  for (int year = 0; year <= n; ++year) YearAt(cost, year) = YearAt(cost, year) + YearAt(plan.annualPerHa, year);
  const double perM3 = UnitCost(custos, TCostUnit::PorM3);
  for (TProducao* p = producoes.FirstByAge(); p; p = producoes.NextByAge()) {
    const int year = p->Idade();
    const double volume = p->SumVolume();
    double& yearCost = YearAt(cost, year);
    YearAt(revenue, year) = p->SumRevenue();
    yearCost = yearCost + perM3 * volume + volume * YearAt(plan.annualPerM3, year);
  }
  return plan;
}

// NPV (1+i)^n / ((1+i)^n - 1), i = rate/100.
double LandExpectationValue(double npv, double rate, int n) {
  const double factor = CheckResult(std::pow(1.0 + rate / 100.0, n));
  return CheckedDiv(factor * npv, factor - 1.0);
}

// i times the land expectation value, i = rate/100.
double Annualised(double npv, double rate, int n) {
  return CheckResult(rate / 100.0 * LandExpectationValue(npv, rate, n));
}

struct TRow {
  double rate, npv, annualised, benefitCost;
};

}  // namespace

struct TQuorva::TResults {
  TPlanCashFlow cashFlow;
  TCashFlow present;  // at TaxaAtratividade
  double receitaTotal = 0, custoTotal = 0, receitaTotalLiquida = 0;
  double receitaTotalMedia = 0, custoTotalMedio = 0, receitaLiquidaMedia = 0;
  TPresentValues atRate;
  double valorEsperadoTerra = 0, valorPresenteLiquidoAnualizado = 0, razaoBeneficioCusto = 0;
  double taxaInternaRetorno = 0;
  bool withSensitivity = false;
  std::vector<TRow> rows;
};

bool TQuorva::Calculate() {
  calculationError_.clear();
  try {
    Publish(Run());
    return true;
  } catch (const Exception& e) {
    calculationError_ = e.Message();
    DiscardResults();
    return false;
  }
}

// Every step reads only the cash flow and the parameters; their order only
// decides which fault is reported when several would be.
TQuorva::TResults TQuorva::Run() {
  TResults r;
  r.withSensitivity = SensitivityAnalysis() == TSensitivityAnalysis::On;
  const int rateCount = r.withSensitivity
                            ? SensitivityRateCount(taxaJurosInicial_, taxaJurosFinal_, incrementoTaxaJuros_)
                            : 0;
  if (rateCount < 0) throw Exception(IncrementoText(incrementoTaxaJuros_));

  r.cashFlow = BuildCashFlow(custos_, producoes_, idadeFinal_);
  const TCashFlow& flow = r.cashFlow.flow;

  // Indicators at TaxaAtratividade.
  for (std::size_t year = 0; year < flow.revenue.size(); ++year) {
    r.receitaTotal += flow.revenue[year];
    r.custoTotal += flow.cost[year];
  }
  CheckResult(r.receitaTotal);
  CheckResult(r.custoTotal);
  r.atRate = NetPresentValue(flow, taxaAtratividade_);
  r.present = DiscountedFlow(flow, taxaAtratividade_);
  const double n = idadeFinal_;
  r.receitaTotalLiquida = CheckResult(r.receitaTotal - r.custoTotal);
  r.receitaTotalMedia = CheckedDiv(r.receitaTotal, n);
  r.custoTotalMedio = CheckedDiv(r.custoTotal, n);
  r.receitaLiquidaMedia = CheckedDiv(r.receitaTotalLiquida, n);
  r.valorEsperadoTerra = LandExpectationValue(r.atRate.net, taxaAtratividade_, idadeFinal_);
  r.valorPresenteLiquidoAnualizado = CheckResult(taxaAtratividade_ / 100.0 * r.valorEsperadoTerra);
  r.razaoBeneficioCusto = CheckedDiv(r.atRate.revenue, r.atRate.cost);

  // Each row at its own rate, never accumulated.
  for (int k = 0; k < rateCount; ++k) {
    const double rate = taxaJurosInicial_ + k * incrementoTaxaJuros_;
    const TPresentValues pv = NetPresentValue(flow, rate);
    const double benefitCost = CheckedDiv(pv.revenue, pv.cost);
    r.rows.push_back({rate, pv.net, Annualised(pv.net, rate, idadeFinal_), benefitCost});
  }

  // The rate in [0, 200] % where the net present value is zero, only when
  // the undiscounted net revenue is positive.
  if (r.receitaTotalLiquida > 0)
    r.taxaInternaRetorno = quorva::ZeroBrent([&flow](double rate) { return NetPresentValue(flow, rate).net; }, 0.0,
                                             200.0);
  else
    r.taxaInternaRetorno = -100;
  return r;
}

void TQuorva::Publish(TResults&& r) {
  const TCashFlow& flow = r.cashFlow.flow;
  fluxos_.Clear();
  for (std::size_t year = 0; year < flow.revenue.size(); ++year) {
    TFluxoFinanceiro& f = fluxos_.Add();
    f.SetAno(static_cast<int>(year));
    f.SetReceita(flow.revenue[year]);
    f.SetCusto(flow.cost[year]);
    f.SetReceitaPresente(r.present.revenue[year]);
    f.SetCustoPresente(r.present.cost[year]);
  }
  custosAnuaisHa_ = std::move(r.cashFlow.annualPerHa);
  custosAnuaisM3_ = std::move(r.cashFlow.annualPerM3);
  if (r.withSensitivity) {
    analise_.Clear();
    for (const TRow& row : r.rows) {
      TItemAnalise& item = analise_.Add();
      item.SetJuros(row.rate);
      item.SetValorPresenteLiquido(row.npv);
      item.SetValorPresenteLiquidoAnualizado(row.annualised);
      item.SetValorPresenteReceita(row.benefitCost);
    }
  }
  receitaTotal_ = r.receitaTotal;
  custoTotal_ = r.custoTotal;
  receitaTotalLiquida_ = r.receitaTotalLiquida;
  receitaTotalMedia_ = r.receitaTotalMedia;
  custoTotalMedio_ = r.custoTotalMedio;
  receitaLiquidaMedia_ = r.receitaLiquidaMedia;
  valorPresenteReceita_ = r.atRate.revenue;
  valorPresenteCusto_ = r.atRate.cost;
  valorPresenteLiquido_ = r.atRate.net;
  valorPresenteLiquidoAnualizado_ = r.valorPresenteLiquidoAnualizado;
  razaoBeneficioCusto_ = r.razaoBeneficioCusto;
  valorEsperadoTerra_ = r.valorEsperadoTerra;
  taxaInternaRetorno_ = r.taxaInternaRetorno;
}

void TQuorva::DiscardResults() {
  fluxos_.Clear();
  analise_.Clear();
  custosAnuaisHa_.clear();
  custosAnuaisM3_.clear();
}

int TQuorva::SensitivityRateCount(double start, double end, double increment) {
  if (!(increment > 0) || !std::isfinite(increment) || !std::isfinite(start) || !std::isfinite(end)) return -1;
  const double steps = (end - start) / increment + 1e-9;
  if (steps < 0) return 0;
  if (!(steps < kMaxSensitivityRows)) return -1;
  return static_cast<int>(std::floor(steps)) + 1;
}
