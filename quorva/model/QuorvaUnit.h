#pragma once
// The plan: economic parameters, costs and harvests, its validation, and the
// cash flow with the economic indicators written back into it.

#include <string>
#include <vector>

#include "platform/classes/Classes.h"
#include "quorva/model/AnaliseSensibilidadeUnit.h"
#include "quorva/model/CustoUnit.h"
#include "quorva/model/FluxoFinanceiroUnit.h"
#include "quorva/model/ProducaoUnit.h"

class TErrorList;

// Most rows the sensitivity table may have.
inline constexpr int kMaxSensitivityRows = 1000;

class TQuorva : public TCollectionItem {
  TQ_DECLARE_CLASS(TQuorva)
public:
  TQuorva() = default;

  const std::string& Descricao() const { return descricao_; }
  void SetDescricao(const std::string& value) { descricao_ = value; }
  // Final age of the rotation; the cash flow runs over years 0..IdadeFinal.
  int IdadeFinal() const { return idadeFinal_; }
  void SetIdadeFinal(int value) { idadeFinal_ = value; }
  // Discount rate, percent.
  double TaxaAtratividade() const { return taxaAtratividade_; }
  void SetTaxaAtratividade(double value) { taxaAtratividade_ = value; }
  // 1 = compute the sensitivity table.
  int TemAnaliseSensibilidade() const { return temAnaliseSensibilidade_; }
  void SetTemAnaliseSensibilidade(int value) { temAnaliseSensibilidade_ = value; }
  double TaxaJurosInicial() const { return taxaJurosInicial_; }
  void SetTaxaJurosInicial(double value) { taxaJurosInicial_ = value; }
  double TaxaJurosFinal() const { return taxaJurosFinal_; }
  void SetTaxaJurosFinal(double value) { taxaJurosFinal_ = value; }
  double IncrementoTaxaJuros() const { return incrementoTaxaJuros_; }
  void SetIncrementoTaxaJuros(double value) { incrementoTaxaJuros_ = value; }
  double IndiceSitio() const { return indiceSitio_; }
  void SetIndiceSitio(double value) { indiceSitio_ = value; }

  double ReceitaTotal() const { return receitaTotal_; }
  void SetReceitaTotal(double value) { receitaTotal_ = value; }
  double ReceitaTotalLiquida() const { return receitaTotalLiquida_; }
  void SetReceitaTotalLiquida(double value) { receitaTotalLiquida_ = value; }
  double ReceitaTotalMedia() const { return receitaTotalMedia_; }
  void SetReceitaTotalMedia(double value) { receitaTotalMedia_ = value; }
  double CustoTotal() const { return custoTotal_; }
  void SetCustoTotal(double value) { custoTotal_ = value; }
  double CustoTotalMedio() const { return custoTotalMedio_; }
  void SetCustoTotalMedio(double value) { custoTotalMedio_ = value; }
  double ReceitaLiquidaMedia() const { return receitaLiquidaMedia_; }
  void SetReceitaLiquidaMedia(double value) { receitaLiquidaMedia_ = value; }
  double ValorPresenteReceita() const { return valorPresenteReceita_; }
  void SetValorPresenteReceita(double value) { valorPresenteReceita_ = value; }
  double ValorPresenteCusto() const { return valorPresenteCusto_; }
  void SetValorPresenteCusto(double value) { valorPresenteCusto_ = value; }
  double ValorPresenteLiquido() const { return valorPresenteLiquido_; }
  void SetValorPresenteLiquido(double value) { valorPresenteLiquido_ = value; }
  double ValorPresenteLiquidoAnualizado() const { return valorPresenteLiquidoAnualizado_; }
  void SetValorPresenteLiquidoAnualizado(double value) { valorPresenteLiquidoAnualizado_ = value; }
  double RazaoBeneficioCusto() const { return razaoBeneficioCusto_; }
  void SetRazaoBeneficioCusto(double value) { razaoBeneficioCusto_ = value; }
  double ValorEsperadoTerra() const { return valorEsperadoTerra_; }
  void SetValorEsperadoTerra(double value) { valorEsperadoTerra_ = value; }
  // Percent; -100 when the undiscounted net revenue is not positive.
  double TaxaInternaRetorno() const { return taxaInternaRetorno_; }
  void SetTaxaInternaRetorno(double value) { taxaInternaRetorno_ = value; }

  TCustos& Custos() { return custos_; }
  const TCustos& Custos() const { return custos_; }
  TProducoes& Producoes() { return producoes_; }
  const TProducoes& Producoes() const { return producoes_; }

  // TemAnaliseSensibilidade: only the stored 1 turns the table on.
  enum class TSensitivityAnalysis { Off, On };
  TSensitivityAnalysis SensitivityAnalysis() const {
    return temAnaliseSensibilidade_ == 1 ? TSensitivityAnalysis::On : TSensitivityAnalysis::Off;
  }

  // Results of the last calculation (not stored), empty after a failed one:
  // the cash flow with its present values at TaxaAtratividade, the
  // sensitivity table (replaced only when it is on), and the yearly costs of
  // the annual entries per hectare and per cubic metre.
  const TFluxosFinanceiros& FluxosFinanceiros() const { return fluxos_; }
  const TAnaliseSensibilidade& AnaliseSensibilidade() const { return analise_; }
  const std::vector<double>& CustosAnuaisPorHa() const { return custosAnuaisHa_; }
  const std::vector<double>& CustosAnuaisPorM3() const { return custosAnuaisM3_; }
  // Set by Validate.
  bool Valid() const { return valid_; }
  // Message of the exception that made the last Calculate fail; empty after success.
  const std::string& CalculationError() const { return calculationError_; }

  // Clears the list and adds the plan's error entries; may raise IdadeFinal
  // to the oldest harvest's age and zero the Custo of yearly costs. True when
  // the list is empty.
  bool Validate(TErrorList& errors);

  // Builds the cash flow once and computes from it the indicators at
  // TaxaAtratividade, the sensitivity table (when on) and the internal rate
  // of return; then writes them all into the plan. False when an exception
  // of the run-time family was raised: its message is kept in
  // CalculationError, the stored results keep their values and the flows,
  // the table and the yearly costs are emptied.
  bool Calculate();

  // Rates start + k * increment for k = 0..K, K = floor((end - start) /
  // increment + 1e-9): their count (0 when end < start), or -1 when the
  // increment is not positive, a bound is not finite or more than
  // kMaxSensitivityRows rates would be needed.
  static int SensitivityRateCount(double start, double end, double increment);

private:
  struct TResults;

  void ValidateParameters(TErrorList& errors) const;
  void ValidateCustos(TErrorList& errors);
  void ValidateProducoes(TErrorList& errors);

  TResults Run();
  void Publish(TResults&& results);
  void DiscardResults();

  std::string descricao_;
  int idadeFinal_ = 0;
  double taxaAtratividade_ = 0;
  int temAnaliseSensibilidade_ = 0;
  double taxaJurosInicial_ = 0;
  double taxaJurosFinal_ = 0;
  double incrementoTaxaJuros_ = 0;
  double indiceSitio_ = 0;
  double receitaTotal_ = 0;
  double receitaTotalLiquida_ = 0;
  double receitaTotalMedia_ = 0;
  double custoTotal_ = 0;
  double custoTotalMedio_ = 0;
  double receitaLiquidaMedia_ = 0;
  double valorPresenteReceita_ = 0;
  double valorPresenteCusto_ = 0;
  double valorPresenteLiquido_ = 0;
  double valorPresenteLiquidoAnualizado_ = 0;
  double razaoBeneficioCusto_ = 0;
  double valorEsperadoTerra_ = 0;
  double taxaInternaRetorno_ = 0;
  TCustos custos_{this};
  TProducoes producoes_{this};

  TFluxosFinanceiros fluxos_{this};
  TAnaliseSensibilidade analise_{this};
  std::vector<double> custosAnuaisHa_;
  std::vector<double> custosAnuaisM3_;
  bool valid_ = false;
  std::string calculationError_;
};

class TQuorvas : public TTypedCollection<TQuorva> {
public:
  using TTypedCollection::TTypedCollection;
};
