#include "quorva/model/QuorvaUnit.h"

#include <cmath>
#include <set>

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
          .Integer("TemAnaliseSensibilidade", &TQuorva::TemAnaliseSensibilidade,
                   &TQuorva::SetTemAnaliseSensibilidade)
          .Double("TaxaJurosInicial", &TQuorva::TaxaJurosInicial, &TQuorva::SetTaxaJurosInicial)
          .Double("TaxaJurosFinal", &TQuorva::TaxaJurosFinal, &TQuorva::SetTaxaJurosFinal)
          .Double("IncrementoTaxaJuros", &TQuorva::IncrementoTaxaJuros,
                  &TQuorva::SetIncrementoTaxaJuros)
          .Double("IndiceSitio", &TQuorva::IndiceSitio, &TQuorva::SetIndiceSitio)
          .Double("ReceitaTotal", &TQuorva::ReceitaTotal, &TQuorva::SetReceitaTotal)
          .Double("ReceitaTotalLiquida", &TQuorva::ReceitaTotalLiquida,
                  &TQuorva::SetReceitaTotalLiquida)
          .Double("ReceitaTotalMedia", &TQuorva::ReceitaTotalMedia, &TQuorva::SetReceitaTotalMedia)
          .Double("CustoTotal", &TQuorva::CustoTotal, &TQuorva::SetCustoTotal)
          .Double("CustoTotalMedio", &TQuorva::CustoTotalMedio, &TQuorva::SetCustoTotalMedio)
          .Double("ReceitaLiquidaMedia", &TQuorva::ReceitaLiquidaMedia,
                  &TQuorva::SetReceitaLiquidaMedia)
          .Double("ValorPresenteReceita", &TQuorva::ValorPresenteReceita,
                  &TQuorva::SetValorPresenteReceita)
          .Double("ValorPresenteCusto", &TQuorva::ValorPresenteCusto,
                  &TQuorva::SetValorPresenteCusto)
          .Double("ValorPresenteLiquido", &TQuorva::ValorPresenteLiquido,
                  &TQuorva::SetValorPresenteLiquido)
          .Double("ValorPresenteLiquidoAnualizado", &TQuorva::ValorPresenteLiquidoAnualizado,
                  &TQuorva::SetValorPresenteLiquidoAnualizado)
          .Double("RazaoBeneficioCusto", &TQuorva::RazaoBeneficioCusto,
                  &TQuorva::SetRazaoBeneficioCusto)
          .Double("ValorEsperadoTerra", &TQuorva::ValorEsperadoTerra,
                  &TQuorva::SetValorEsperadoTerra)
          .Double("TaxaInternaRetorno", &TQuorva::TaxaInternaRetorno,
                  &TQuorva::SetTaxaInternaRetorno)
          .Collection("Custos", static_cast<CustosGetter>(&TQuorva::Custos), TCusto::StaticClass())
          .Collection("Producoes", static_cast<ProducoesGetter>(&TQuorva::Producoes),
                      TProducao::StaticClass())
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

// NPV * i (1+i)^n / ((1+i)^n - 1), i = rate/100: the land expectation value
// times i.
double Annualised(double npv, double rate, int n) {
  const double i = rate / 100.0;
  const double factor = CheckResult(std::pow(1.0 + i, n));
  return CheckResult(i * CheckedDiv(factor * npv, factor - 1.0));
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
  if (idadeFinal_ <= 0 || idadeFinal_ >= 400)
    errors.Add(1, "Idade Final: " + IntToStr(idadeFinal_) + " inválida!");
  if (!Inside(taxaAtratividade_, 0, 40))
    errors.Add(2, "Taxa de Atratividade: " + FloatToStr(taxaAtratividade_) + "% inválida!");
  if (SensitivityAnalysis() != TSensitivityAnalysis::On) return;
  if (!Inside(taxaJurosInicial_, 0, 99))
    errors.Add(3, "Taxa de Juros Inicial: " + FloatToStr(taxaJurosInicial_) + "% inválida!");
  if (!Inside(taxaJurosFinal_, 0, 100))
    errors.Add(4, "Taxa de Juros Final: " + FloatToStr(taxaJurosFinal_) + "% inválida!");
  const bool badIncrement = !Inside(incrementoTaxaJuros_, 0, 100);
  const bool tooManyRates =
      !badIncrement && std::isfinite(taxaJurosInicial_) && std::isfinite(taxaJurosFinal_) &&
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
        errors.Add(12, "Custo de " + custo.Nome() + ": Idade " + IntToStr(entry.Idade()) +
                           " é maior que a Idade Final");
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
    if (visitedAges.count(p.Idade()))
      errors.Add(606, "Produção na idade " + IntToStr(p.Idade()) + ": Idade repetida!");
  }
}

// ---- calculation ----

bool TQuorva::Calculate() {
  calculationError_.clear();
  try {
    if (SensitivityAnalysis() == TSensitivityAnalysis::On) CalculateSensitivity();
    CalculateCashFlow();
    CalculateInternalRateOfReturn();
    CalculatePresentValues();
    CalculateIndicators();
    return true;
  } catch (const Exception& e) {
    calculationError_ = e.Message();
    return false;
  }
}

void TQuorva::CreateFlows() {
  fluxos_.Clear();
  for (int year = 0; year <= idadeFinal_; ++year) fluxos_.Add().SetAno(year);
}

double TQuorva::UnitCostPerHa() const {
  double sum = 0;
  for (const TCusto& c : custos_)
    if (c.Type() == TCostType::Unitario && c.Unit() == TCostUnit::PorHa) sum += c.Custo();
  return sum;
}

double TQuorva::UnitCostPerM3() const {
  double sum = 0;
  for (const TCusto& c : custos_)
    if (c.Type() == TCostType::Unitario && c.Unit() == TCostUnit::PorM3) sum += c.Custo();
  return sum;
}

void TQuorva::DistributeAnnualCosts() {
  const std::size_t size = idadeFinal_ >= 0 ? static_cast<std::size_t>(idadeFinal_) + 1 : 0;
  custosAnuaisHa_.assign(size, 0.0);
  custosAnuaisM3_.assign(size, 0.0);
  for (const TCusto& c : custos_) {
    if (c.Type() != TCostType::Anual) continue;
    const TCostUnit unit = c.Unit();
    std::vector<double>* target = unit == TCostUnit::PorHa   ? &custosAnuaisHa_
                                  : unit == TCostUnit::PorM3 ? &custosAnuaisM3_
                                                             : nullptr;
    if (!target) continue;
    for (const TCustoAnual& entry : c.CustosAnuais())
      YearAt(*target, entry.Idade()) += entry.Custo();
  }
}

void TQuorva::CalculateCashFlow() {
  CreateFlows();
  fluxos_.GetItem(0).SetCusto(UnitCostPerHa());
  DistributeAnnualCosts();
  for (int year = 0; year <= idadeFinal_; ++year) {
    TFluxoFinanceiro& f = fluxos_.GetItem(year);
    f.SetCusto(f.Custo() + YearAt(custosAnuaisHa_, year));
  }
  const double perM3 = UnitCostPerM3();
  for (TProducao* p = producoes_.FirstByAge(); p; p = producoes_.NextByAge()) {
    const int year = p->Idade();
    const double volume = p->SumVolume();
    TFluxoFinanceiro& f = fluxos_.GetItem(year);
    f.SetReceita(p->SumRevenue());
    f.SetCusto(f.Custo() + perM3 * volume + volume * YearAt(custosAnuaisM3_, year));
  }
}

void TQuorva::CalculatePresentValues() {
  for (TFluxoFinanceiro& f : fluxos_) f.CalculatePresentValues(taxaAtratividade_);
}

void TQuorva::SumFlows() {
  receitaTotal_ = 0;
  custoTotal_ = 0;
  valorPresenteReceita_ = 0;
  valorPresenteCusto_ = 0;
  for (const TFluxoFinanceiro& f : fluxos_) {
    receitaTotal_ += f.Receita();
    custoTotal_ += f.Custo();
    valorPresenteReceita_ += f.ReceitaPresente();
    valorPresenteCusto_ += f.CustoPresente();
  }
  CheckResult(receitaTotal_);
  CheckResult(custoTotal_);
  CheckResult(valorPresenteReceita_);
  CheckResult(valorPresenteCusto_);
}

void TQuorva::CalculateIndicators() {
  SumFlows();
  const double n = idadeFinal_;
  receitaTotalLiquida_ = CheckResult(receitaTotal_ - custoTotal_);
  receitaTotalMedia_ = CheckedDiv(receitaTotal_, n);
  custoTotalMedio_ = CheckedDiv(custoTotal_, n);
  receitaLiquidaMedia_ = CheckedDiv(receitaTotalLiquida_, n);
  valorPresenteLiquido_ = CheckResult(valorPresenteReceita_ - valorPresenteCusto_);
  const double factor = CheckResult(std::pow(1.0 + taxaAtratividade_ / 100.0, idadeFinal_));
  valorEsperadoTerra_ = CheckedDiv(factor * valorPresenteLiquido_, factor - 1.0);
  valorPresenteLiquidoAnualizado_ = CheckResult(taxaAtratividade_ / 100.0 * valorEsperadoTerra_);
  razaoBeneficioCusto_ = CheckedDiv(valorPresenteReceita_, valorPresenteCusto_);
}

double TQuorva::NetPresentValueAt(double rate) {
  CalculateCashFlow();
  for (TFluxoFinanceiro& f : fluxos_) f.CalculatePresentValues(rate);
  CalculateIndicators();
  return valorPresenteLiquido_;
}

void TQuorva::CalculateInternalRateOfReturn() {
  double receitas = 0;
  double custos = 0;
  for (const TFluxoFinanceiro& f : fluxos_) {
    receitas += f.Receita();
    custos += f.Custo();
  }
  if (receitas - custos > 0)
    taxaInternaRetorno_ =
        quorva::ZeroBrent([this](double rate) { return NetPresentValueAt(rate); }, 0.0, 200.0);
  else
    taxaInternaRetorno_ = -100;
}

int TQuorva::SensitivityRateCount(double start, double end, double increment) {
  if (!(increment > 0) || !std::isfinite(increment) || !std::isfinite(start) || !std::isfinite(end))
    return -1;
  const double steps = (end - start) / increment + 1e-9;
  if (steps < 0) return 0;
  if (!(steps < kMaxSensitivityRows)) return -1;
  return static_cast<int>(std::floor(steps)) + 1;
}

void TQuorva::CalculateSensitivity() {
  analise_.Clear();
  const int count = SensitivityRateCount(taxaJurosInicial_, taxaJurosFinal_, incrementoTaxaJuros_);
  if (count < 0) throw Exception(IncrementoText(incrementoTaxaJuros_));
  for (int k = 0; k < count; ++k) {
    const double rate = taxaJurosInicial_ + k * incrementoTaxaJuros_;
    TItemAnalise& row = analise_.Add();
    row.SetJuros(rate);
    NetPresentValueAt(rate);
    row.SetValorPresenteLiquido(valorPresenteLiquido_);
    row.SetValorPresenteLiquidoAnualizado(Annualised(valorPresenteLiquido_, rate, idadeFinal_));
    row.SetValorPresenteReceita(CheckedDiv(valorPresenteReceita_, valorPresenteCusto_));
  }
}
