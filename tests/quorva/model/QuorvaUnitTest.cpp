#include <gtest/gtest.h>

#include <boost/math/tools/roots.hpp>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "model/items/ErrorsUnit.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"
#include "quorva/model/FinUnit.h"
#include "quorva/model/QuorvaUnit.h"

namespace {

using Entries = std::vector<std::pair<int, std::string>>;

Entries EntriesOf(const TErrorList& list) {
  Entries out;
  for (const TError& err : list) out.emplace_back(err.Code(), err.Text());
  return out;
}

// Reference economics of a yearly net flow, in long double.
long double Discount(int year, double ratePct) {
  return std::pow(1.0L + ratePct / 100.0L, year);
}

long double PresentSum(const std::vector<double>& flow, double ratePct) {
  long double s = 0;
  for (std::size_t t = 0; t < flow.size(); ++t) s += flow[t] / Discount(static_cast<int>(t), ratePct);
  return s;
}

std::vector<double> Net(const std::vector<double>& r, const std::vector<double>& c) {
  std::vector<double> net(r.size());
  for (std::size_t t = 0; t < r.size(); ++t) net[t] = r[t] - c[t];
  return net;
}

// Faustmann: NPV (1+i)^n / ((1+i)^n - 1).
long double LandValue(long double npv, double ratePct, int n) {
  const long double f = Discount(n, ratePct);
  return npv * f / (f - 1);
}

// Equivalent annual annuity: NPV i (1+i)^n / ((1+i)^n - 1).
long double Annuity(long double npv, double ratePct, int n) {
  const long double i = ratePct / 100.0L;
  const long double f = Discount(n, ratePct);
  return npv * i * f / (f - 1);
}

// Rate in [0, 200] percent where the net flow's present value is zero.
double ReferenceIrr(const std::vector<double>& net) {
  auto npv = [&](double rate) { return static_cast<double>(PresentSum(net, rate)); };
  std::uintmax_t iterations = 200;
  auto r = boost::math::tools::toms748_solve(npv, 0.0, 200.0, boost::math::tools::eps_tolerance<double>(45),
                                             iterations);
  return (r.first + r.second) / 2;
}

std::string ListIndexErrorText(int index) {
  try {
    ThrowListIndexError(index);
  } catch (const Exception& e) {
    return e.Message();
  }
  return {};
}

// Every result a calculation writes into the plan, in one list.
std::vector<double> Published(const TQuorva& plan) {
  std::vector<double> v{plan.ReceitaTotal(),         plan.ReceitaTotalLiquida(),
                        plan.ReceitaTotalMedia(),    plan.CustoTotal(),
                        plan.CustoTotalMedio(),      plan.ReceitaLiquidaMedia(),
                        plan.ValorPresenteReceita(), plan.ValorPresenteCusto(),
                        plan.ValorPresenteLiquido(), plan.ValorPresenteLiquidoAnualizado(),
                        plan.RazaoBeneficioCusto(),  plan.ValorEsperadoTerra(),
                        plan.TaxaInternaRetorno()};
  for (const TFluxoFinanceiro& f : plan.FluxosFinanceiros())
    v.insert(v.end(), {double(f.Ano()), f.Receita(), f.Custo(), f.ReceitaPresente(), f.CustoPresente()});
  for (const TItemAnalise& r : plan.AnaliseSensibilidade())
    v.insert(v.end(),
             {r.Juros(), r.ValorPresenteLiquido(), r.ValorPresenteLiquidoAnualizado(), r.ValorPresenteReceita()});
  v.insert(v.end(), plan.CustosAnuaisPorHa().begin(), plan.CustosAnuaisPorHa().end());
  v.insert(v.end(), plan.CustosAnuaisPorM3().begin(), plan.CustosAnuaisPorM3().end());
  return v;
}

class PlanTest : public ::testing::Test {
protected:
  void SetUp() override {
    plan_.SetIdadeFinal(7);
    plan_.SetTaxaAtratividade(10);
  }

  TCusto& AddCusto(const std::string& nome, const std::string& unidade, const std::string& tipo, double valor) {
    TCusto& c = plan_.Custos().Add();
    c.SetNome(nome);
    c.SetUnidadeMedida(unidade);
    c.SetTipoCusto(tipo);
    c.SetCusto(valor);
    return c;
  }
  static void AddAnual(TCusto& c, int idade, double valor) {
    TCustoAnual& a = c.CustosAnuais().Add();
    a.SetIdade(idade);
    a.SetCusto(valor);
  }
  TProducao& AddProducao(int idade, const std::string& origem = "CORTE FINAL") {
    TProducao& p = plan_.Producoes().Add();
    p.SetIdade(idade);
    p.SetOrigem(origem);
    return p;
  }
  TProducao& AddProducao(int idade, double volume, double preco) {
    TProducao& p = AddProducao(idade);
    AddItem(p, "Lenha", volume, preco);
    return p;
  }
  static void AddItem(TProducao& p, const std::string& produto, double volume, double preco) {
    TItemProducao& item = p.ItensProducao().Add();
    item.SetProduto(produto);
    item.SetVolume(volume);
    item.SetPreco(preco);
  }

  // Example A: every cost kind but the annual one per cubic metre, a thinning and a final cut.
  void BuildExampleA() {
    plan_.SetIdadeFinal(7);
    plan_.SetTaxaAtratividade(10);
    AddCusto("Implantacao", "$/ha", "Unitario", 2000);
    TCusto& manutencao = AddCusto("Manutencao", "$/ha", "Anual", 0);
    AddAnual(manutencao, 1, 300);
    AddAnual(manutencao, 2, 150);
    for (int y = 3; y <= 7; ++y) AddAnual(manutencao, y, 100);
    AddCusto("Colheita", "$/m3", "Unitario", 15);
    AddItem(AddProducao(4, "DESBASTE"), "Lenha", 80, 30);
    TProducao& corte = AddProducao(7);
    AddItem(corte, "Serraria", 150, 80);
    AddItem(corte, "Celulose", 200, 45);
  }

  void ExpectFlows(const std::vector<double>& r, const std::vector<double>& c) {
    const TFluxosFinanceiros& flows = plan_.FluxosFinanceiros();
    ASSERT_EQ(flows.Count(), static_cast<int>(r.size()));
    for (int t = 0; t < flows.Count(); ++t) {
      EXPECT_EQ(flows[t].Ano(), t);
      EXPECT_NEAR(flows[t].Receita(), r[t], 1e-9) << "year " << t;
      EXPECT_NEAR(flows[t].Custo(), c[t], 1e-9) << "year " << t;
    }
  }

  // Indicators at TaxaAtratividade against the closed forms.
  void ExpectIndicators(const std::vector<double>& r, const std::vector<double>& c) {
    const double rate = plan_.TaxaAtratividade();
    const int n = plan_.IdadeFinal();
    const long double pvr = PresentSum(r, rate);
    const long double pvc = PresentSum(c, rate);
    const long double npv = pvr - pvc;
    EXPECT_NEAR(plan_.ValorPresenteReceita(), pvr, 1e-9 * pvr);
    EXPECT_NEAR(plan_.ValorPresenteCusto(), pvc, 1e-9 * pvc);
    EXPECT_NEAR(plan_.ValorPresenteLiquido(), npv, 1e-8 * std::fabs(pvr));
    EXPECT_NEAR(plan_.ValorEsperadoTerra(), LandValue(npv, rate, n), 1e-8 * std::fabs(pvr));
    EXPECT_NEAR(plan_.ValorPresenteLiquidoAnualizado(), Annuity(npv, rate, n), 1e-8 * std::fabs(pvr));
    EXPECT_NEAR(plan_.RazaoBeneficioCusto(), pvr / pvc, 1e-12);
    for (int t = 0; t <= n; ++t) {
      const TFluxoFinanceiro& f = plan_.FluxosFinanceiros()[t];
      EXPECT_NEAR(f.ReceitaPresente(), r[t] / Discount(t, rate), 1e-9);
      EXPECT_NEAR(f.CustoPresente(), c[t] / Discount(t, rate), 1e-9);
    }
  }

  TQuorva plan_;
  TErrorList errors_;
};

}  // namespace

TEST(PresentValue, DiscountsAmountByYearAndPercentRate) {
  EXPECT_NEAR(PresentValue(5, 10, 1610.51), 1000, 1e-9);
  EXPECT_NEAR(PresentValue(3, 8, 500), 500 / (1.08L * 1.08L * 1.08L), 1e-10);
  EXPECT_EQ(PresentValue(0, 50, 7), 7);
  EXPECT_THROW(PresentValue(2, -100, 5), EZeroDivide);

  TFluxoFinanceiro f;
  f.SetAno(3);
  f.SetReceita(1331);
  f.SetCusto(133.1);
  f.CalculatePresentValues(10);
  EXPECT_NEAR(f.ReceitaPresente(), 1000, 1e-9);
  EXPECT_NEAR(f.CustoPresente(), 100, 1e-10);
}

TEST(QuorvaZeroBrent, ChecksTheBracketOnceThenFindsTheRoot) {
  int calls = 0;
  int endCalls = 0;
  auto f = [&](double x) {
    ++calls;
    if (x == 0.0 || x == 2.0) ++endCalls;
    return x * x - 2;
  };
  EXPECT_NEAR(quorva::ZeroBrent(f, 0.0, 2.0), std::sqrt(2.0), 1e-8);
  EXPECT_EQ(endCalls, 2);
  EXPECT_GT(calls, 2);

  calls = 0;
  auto above = [&](double x) {
    ++calls;
    return x * x + 1;
  };
  try {
    quorva::ZeroBrent(above, 0.0, 200.0);
    FAIL() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Confira os desbastes");
  }
  EXPECT_EQ(calls, 2);

  // Signs are compared, not the product, which underflows here.
  EXPECT_THROW(quorva::ZeroBrent([](double) { return 1e-200; }, 0.0, 1.0), Exception);
  EXPECT_THROW(quorva::ZeroBrent([](double) { return -1e-200; }, 0.0, 1.0), Exception);
  EXPECT_EQ(quorva::ZeroBrent([](double x) { return x; }, 0.0, 5.0), 0.0);
  EXPECT_EQ(quorva::ZeroBrent([](double x) { return x - 5; }, 0.0, 5.0), 5.0);
}

TEST_F(PlanTest, ClosedFormPlan) {
  plan_.SetIdadeFinal(5);
  plan_.SetTaxaAtratividade(10);
  AddCusto("Implantacao", "$/ha", "Unitario", 1000);
  AddItem(AddProducao(5), "Serraria", 20, 100);
  ASSERT_TRUE(plan_.Validate(errors_));
  ASSERT_TRUE(plan_.Calculate()) << plan_.CalculationError();
  EXPECT_EQ(plan_.CalculationError(), "");

  const std::vector<double> r{0, 0, 0, 0, 0, 2000};
  const std::vector<double> c{1000, 0, 0, 0, 0, 0};
  ExpectFlows(r, c);
  ExpectIndicators(r, c);
  EXPECT_NEAR(plan_.ValorPresenteReceita(), 1241.842646, 1e-6);
  EXPECT_NEAR(plan_.ValorPresenteCusto(), 1000, 1e-9);
  EXPECT_NEAR(plan_.ValorPresenteLiquido(), 241.842646, 1e-6);
  EXPECT_NEAR(plan_.ValorEsperadoTerra(), 637.974808, 1e-6);
  EXPECT_NEAR(plan_.ValorPresenteLiquidoAnualizado(), 63.797481, 1e-6);
  EXPECT_NEAR(plan_.RazaoBeneficioCusto(), 1.241843, 1e-6);
  EXPECT_NEAR(plan_.TaxaInternaRetorno(), (std::pow(2.0L, 0.2L) - 1) * 100, 1e-6);
  EXPECT_NEAR(plan_.TaxaInternaRetorno(), 14.8698355, 1e-6);
  EXPECT_DOUBLE_EQ(plan_.ReceitaTotal(), 2000);
  EXPECT_DOUBLE_EQ(plan_.CustoTotal(), 1000);
  EXPECT_DOUBLE_EQ(plan_.ReceitaTotalLiquida(), 1000);
  EXPECT_DOUBLE_EQ(plan_.ReceitaTotalMedia(), 400);
  EXPECT_DOUBLE_EQ(plan_.CustoTotalMedio(), 200);
  EXPECT_DOUBLE_EQ(plan_.ReceitaLiquidaMedia(), 200);
  EXPECT_EQ(plan_.AnaliseSensibilidade().Count(), 0);
}

TEST_F(PlanTest, ThinningFinalCutAndSensitivityTable) {
  BuildExampleA();
  plan_.SetTemAnaliseSensibilidade(1);
  plan_.SetTaxaJurosInicial(6);
  plan_.SetTaxaJurosFinal(14);
  plan_.SetIncrementoTaxaJuros(4);
  ASSERT_TRUE(plan_.Validate(errors_));
  ASSERT_TRUE(plan_.Calculate()) << plan_.CalculationError();

  const std::vector<double> r{0, 0, 0, 0, 2400, 0, 0, 21000};
  const std::vector<double> c{2000, 300, 150, 100, 100 + 15 * 80, 100, 100, 100 + 15 * 350};
  ExpectFlows(r, c);
  // The plan holds the values at TaxaAtratividade, not those of the last row or root evaluation.
  ExpectIndicators(r, c);
  EXPECT_NEAR(plan_.ValorPresenteReceita(), 12415.552776, 1e-6);
  EXPECT_NEAR(plan_.ValorPresenteCusto(), 6223.678645, 1e-6);
  EXPECT_NEAR(plan_.ValorPresenteLiquido(), 6191.874131, 1e-6);
  EXPECT_NEAR(plan_.ValorEsperadoTerra(), 12718.449999, 1e-6);
  EXPECT_NEAR(plan_.ValorPresenteLiquidoAnualizado(), 1271.845000, 1e-6);
  EXPECT_NEAR(plan_.RazaoBeneficioCusto(), 1.994890, 1e-6);
  EXPECT_DOUBLE_EQ(plan_.ReceitaTotal(), 23400);
  EXPECT_DOUBLE_EQ(plan_.CustoTotal(), 9400);
  EXPECT_DOUBLE_EQ(plan_.ReceitaTotalLiquida(), 14000);
  EXPECT_NEAR(plan_.ReceitaTotalMedia(), 3342.857143, 1e-6);
  EXPECT_NEAR(plan_.CustoTotalMedio(), 1342.857143, 1e-6);
  EXPECT_NEAR(plan_.ReceitaLiquidaMedia(), 2000, 1e-9);

  const std::vector<double> net = Net(r, c);
  EXPECT_NEAR(static_cast<double>(PresentSum(net, 200)), -2100.182899, 1e-6);
  EXPECT_NEAR(plan_.TaxaInternaRetorno(), 33.7218014, 1e-6);
  EXPECT_NEAR(plan_.TaxaInternaRetorno(), ReferenceIrr(net), 1e-6);
  EXPECT_NEAR(static_cast<double>(PresentSum(net, plan_.TaxaInternaRetorno())), 0, 1e-6);

  // Each row annualised at its own rate.
  struct Row {
    double rate, npv, annual, bc;
  };
  const std::vector<Row> expected{{6, 8633.7447, 1546.6060, 2.193581},
                                  {10, 6191.8741, 1271.8450, 1.994890},
                                  {14, 4362.0417, 1017.1949, 1.800179}};
  const TAnaliseSensibilidade& rows = plan_.AnaliseSensibilidade();
  ASSERT_EQ(rows.Count(), 3);
  for (int k = 0; k < 3; ++k) {
    const Row& e = expected[k];
    const long double npv = PresentSum(net, e.rate);
    EXPECT_EQ(rows[k].Juros(), e.rate);
    EXPECT_NEAR(rows[k].ValorPresenteLiquido(), e.npv, 1e-4);
    EXPECT_NEAR(rows[k].ValorPresenteLiquido(), npv, 1e-8);
    EXPECT_NEAR(rows[k].ValorPresenteLiquidoAnualizado(), e.annual, 1e-4);
    EXPECT_NEAR(rows[k].ValorPresenteLiquidoAnualizado(), Annuity(npv, e.rate, 7), 1e-8);
    EXPECT_NEAR(rows[k].ValorPresenteReceita(), e.bc, 1e-6);
    EXPECT_NEAR(rows[k].ValorPresenteReceita(), PresentSum(r, e.rate) / PresentSum(c, e.rate), 1e-12);
  }
}

TEST_F(PlanTest, EveryCostKindAndUnknownKindsIgnored) {
  BuildExampleA();
  AddCusto("Cerca", "$/ha", " unitario", 100);
  AddCusto("Aceiro", "$/HA", "UNITARIO", 50);
  TCusto& frete = AddCusto("Frete", " $/M3 ", "anual", 0);
  AddAnual(frete, 4, 2);
  AddAnual(frete, 7, 3);
  AddAnual(frete, 5, 9);  // no harvest in year 5
  TCusto& adubo = AddCusto("Adubo", "$/ha", "Anual", 0);
  AddAnual(adubo, 3, 40);  // adds to Manutencao's 100
  AddAnual(adubo, 3, 5);   // a second entry of one year adds up too
  AddCusto("Outro", "$/arvore", "Unitario", 999);
  AddCusto("Mensal", "$/ha", "Mensal", 999);
  TCusto& porArvore = AddCusto("PorArvore", "$/arvore", "Anual", 0);
  AddAnual(porArvore, 2, 999);
  ASSERT_TRUE(plan_.Calculate()) << plan_.CalculationError();

  const std::vector<double> r{0, 0, 0, 0, 30.0 * 80, 0, 0, 150.0 * 80 + 200.0 * 45};
  const std::vector<double> c{2000 + 100 + 50,        300, 150, 100 + 40 + 5,
                              100 + 15 * 80 + 2 * 80, 100, 100, 100 + 15 * 350 + 3 * 350};
  ExpectFlows(r, c);
  ExpectIndicators(r, c);
  // One-off costs: 2150 per hectare in year 0, 15 per cubic metre at each harvest.
  EXPECT_DOUBLE_EQ(plan_.FluxosFinanceiros()[0].Custo(), 2150);
  EXPECT_DOUBLE_EQ(plan_.FluxosFinanceiros()[4].Custo() - 100 - 2 * 80, 15 * 80);
  EXPECT_EQ(plan_.CustosAnuaisPorM3(), (std::vector<double>{0, 0, 0, 0, 2, 9, 0, 3}));
  EXPECT_EQ(plan_.CustosAnuaisPorHa(), (std::vector<double>{0, 300, 150, 145, 100, 100, 100, 100}));
  const std::vector<double> net = Net(r, c);
  EXPECT_NEAR(plan_.TaxaInternaRetorno(), ReferenceIrr(net), 1e-6);
}

TEST_F(PlanTest, InternalRateOfReturnOverSeveralSignChanges) {
  // Net flow -1000, 0, +800, -200, 0, +1000: three sign changes.
  plan_.SetIdadeFinal(5);
  plan_.SetTaxaAtratividade(8);
  AddCusto("Implantacao", "$/ha", "Unitario", 1000);
  AddAnual(AddCusto("Reforma", "$/ha", "Anual", 0), 3, 200);
  AddItem(AddProducao(2, "DESBASTE"), "Lenha", 10, 80);
  AddItem(AddProducao(5), "Serraria", 10, 100);
  ASSERT_TRUE(plan_.Validate(errors_));
  ASSERT_TRUE(plan_.Calculate()) << plan_.CalculationError();
  const std::vector<double> net{-1000, 0, 800, -200, 0, 1000};
  const double irr = plan_.TaxaInternaRetorno();
  EXPECT_NEAR(irr, ReferenceIrr(net), 1e-6);
  EXPECT_NEAR(static_cast<double>(PresentSum(net, irr)), 0, 1e-6);
  EXPECT_GT(irr, 0);
  EXPECT_LT(irr, 200);
  ExpectIndicators({0, 0, 800, 0, 0, 1000}, {1000, 0, 0, 200, 0, 0});
}

TEST_F(PlanTest, NegativeNetRevenueAndFailedCalculations) {
  // Undiscounted net -1000: -100 without the root finder, which would fail
  // here since the NPV is negative at both ends.
  plan_.SetIdadeFinal(7);
  plan_.SetTaxaAtratividade(10);
  TCusto& implantacao = AddCusto("Implantacao", "$/ha", "Unitario", 5000);
  AddItem(AddProducao(7), "Serraria", 40, 100);
  ASSERT_TRUE(plan_.Validate(errors_));
  ASSERT_TRUE(plan_.Calculate()) << plan_.CalculationError();
  EXPECT_EQ(plan_.TaxaInternaRetorno(), -100);
  // Net exactly 0: also -100.
  implantacao.SetCusto(4000);
  ASSERT_TRUE(plan_.Calculate());
  EXPECT_EQ(plan_.TaxaInternaRetorno(), -100);

  // NPV still positive at 200 %.
  implantacao.SetUnidadeMedida("$/m3");
  implantacao.SetCusto(2);
  plan_.Producoes()[0].ItensProducao()[0].SetVolume(100);
  plan_.Producoes()[0].ItensProducao()[0].SetPreco(30);
  EXPECT_NEAR(static_cast<double>(PresentSum({0, 0, 0, 0, 0, 0, 0, 2800}, 200)), 2800 / 2187.0, 1e-12);
  EXPECT_FALSE(plan_.Calculate());
  EXPECT_EQ(plan_.CalculationError(), "Confira os desbastes");

  // No cost: the benefit/cost ratio divides by zero.
  implantacao.SetUnidadeMedida("$/ha");
  implantacao.SetCusto(0);
  ASSERT_TRUE(plan_.Validate(errors_));
  EXPECT_FALSE(plan_.Calculate());
  EXPECT_EQ(plan_.CalculationError(), "Divisão por zero.");

  // A rate so small that (1 + i)^n - 1 is 0.
  implantacao.SetCusto(1000);
  plan_.SetTaxaAtratividade(1e-17);
  ASSERT_TRUE(plan_.Validate(errors_));
  EXPECT_FALSE(plan_.Calculate());
  EXPECT_EQ(plan_.CalculationError(), "Divisão por zero.");

  // Success clears the message.
  plan_.SetTaxaAtratividade(10);
  EXPECT_TRUE(plan_.Calculate());
  EXPECT_EQ(plan_.CalculationError(), "");

  // A harvest beyond the final age (never validated) is an index error; a
  // failed calculation leaves no cash flow behind.
  plan_.SetIdadeFinal(5);
  EXPECT_FALSE(plan_.Calculate());
  EXPECT_NE(plan_.CalculationError(), "");
  EXPECT_EQ(plan_.CalculationError(), ListIndexErrorText(7));
  EXPECT_EQ(plan_.FluxosFinanceiros().Count(), 0);

  // An annual entry beyond the final age as well.
  plan_.SetIdadeFinal(7);
  AddAnual(AddCusto("Adubo", "$/ha", "Anual", 0), 8, 10);
  EXPECT_FALSE(plan_.Calculate());
  EXPECT_EQ(plan_.CalculationError(), ListIndexErrorText(8));

  // No year at all.
  plan_.SetIdadeFinal(-1);
  EXPECT_FALSE(plan_.Calculate());
  EXPECT_EQ(plan_.FluxosFinanceiros().Count(), 0);
}

TEST_F(PlanTest, SensitivityRatesAreStartPlusKIncrements) {
  BuildExampleA();
  plan_.SetTemAnaliseSensibilidade(1);
  plan_.SetTaxaJurosInicial(1.0);
  plan_.SetTaxaJurosFinal(2.0);
  plan_.SetIncrementoTaxaJuros(0.1);
  ASSERT_TRUE(plan_.Validate(errors_));
  ASSERT_TRUE(plan_.Calculate()) << plan_.CalculationError();
  const TAnaliseSensibilidade& rows = plan_.AnaliseSensibilidade();
  ASSERT_EQ(rows.Count(), 11);
  const std::vector<double> r{0, 0, 0, 0, 2400, 0, 0, 21000};
  const std::vector<double> c{2000, 300, 150, 100, 1300, 100, 100, 5350};
  const std::vector<double> net = Net(r, c);
  for (int k = 0; k < 11; ++k) {
    EXPECT_NEAR(rows[k].Juros(), 1.0 + k / 10.0, 1e-12);
    EXPECT_NEAR(rows[k].ValorPresenteLiquido(), PresentSum(net, rows[k].Juros()), 1e-8);
    EXPECT_NEAR(rows[k].ValorPresenteLiquidoAnualizado(), Annuity(PresentSum(net, rows[k].Juros()), rows[k].Juros(), 7),
                1e-8);
  }

  plan_.SetTaxaJurosInicial(4);
  plan_.SetTaxaJurosFinal(12);
  plan_.SetIncrementoTaxaJuros(4);
  ASSERT_TRUE(plan_.Calculate());
  ASSERT_EQ(rows.Count(), 3);
  EXPECT_EQ(rows[2].Juros(), 12);

  plan_.SetTaxaJurosInicial(12);
  plan_.SetTaxaJurosFinal(4);
  ASSERT_TRUE(plan_.Calculate());
  EXPECT_EQ(rows.Count(), 0);

  plan_.SetTaxaJurosInicial(10);
  plan_.SetTaxaJurosFinal(10);
  plan_.SetIncrementoTaxaJuros(1e-16);
  ASSERT_TRUE(plan_.Calculate());
  ASSERT_EQ(rows.Count(), 1);
  EXPECT_EQ(rows[0].Juros(), 10);

  plan_.SetTaxaJurosInicial(1);
  plan_.SetTaxaJurosFinal(10.99);
  plan_.SetIncrementoTaxaJuros(0.01);
  ASSERT_TRUE(plan_.Calculate());
  EXPECT_EQ(rows.Count(), kMaxSensitivityRows);

  // More than 1,000 rows: refused, not computed.
  plan_.SetTaxaJurosFinal(99);
  EXPECT_FALSE(plan_.Calculate());
  EXPECT_EQ(plan_.CalculationError(), "Incremento na Taxa de Juros: 0,01% inválido!");
  EXPECT_EQ(rows.Count(), 0);

  // Sensitivity off: the table is left as it was.
  plan_.SetTemAnaliseSensibilidade(0);
  ASSERT_TRUE(plan_.Calculate());
  EXPECT_EQ(rows.Count(), 0);
}

TEST(NetPresentValue, DiscountsEveryYearOfTheFlow) {
  // Example A's flow.
  const TCashFlow flow{{0, 0, 0, 0, 2400, 0, 0, 21000}, {2000, 300, 150, 100, 1300, 100, 100, 5350}};
  // At rate 0 the plain sums.
  const TPresentValues atZero = NetPresentValue(flow, 0);
  EXPECT_EQ(atZero.revenue, 23400);
  EXPECT_EQ(atZero.cost, 9400);
  EXPECT_EQ(atZero.net, 14000);
  // At 6 % the present sums.
  const TPresentValues at6 = NetPresentValue(flow, 6);
  EXPECT_NEAR(at6.revenue, PresentSum(flow.revenue, 6), 1e-9);
  EXPECT_NEAR(at6.cost, PresentSum(flow.cost, 6), 1e-9);
  EXPECT_NEAR(at6.net, PresentSum(Net(flow.revenue, flow.cost), 6), 1e-8);
  EXPECT_NEAR(at6.net, 8633.7447, 1e-4);
  // One revenue of 2000 in year 5 at 10 %: 2000 / 1.1^5.
  const TPresentValues single = NetPresentValue({{0, 0, 0, 0, 0, 2000}, {1000, 0, 0, 0, 0, 0}}, 10);
  EXPECT_NEAR(single.revenue, 2000 / 1.61051L, 1e-9);
  EXPECT_EQ(single.cost, 1000);
  EXPECT_NEAR(single.net, 241.842646, 1e-6);
  // Discounted year by year alike.
  const TCashFlow present = DiscountedFlow(flow, 6);
  for (std::size_t t = 0; t < flow.revenue.size(); ++t) {
    EXPECT_NEAR(present.revenue[t], flow.revenue[t] / Discount(static_cast<int>(t), 6), 1e-9);
    EXPECT_NEAR(present.cost[t], flow.cost[t] / Discount(static_cast<int>(t), 6), 1e-9);
  }
  EXPECT_EQ(NetPresentValue({}, 10).net, 0);
  EXPECT_THROW(NetPresentValue({{0, 5}, {0, 5}}, -100), EZeroDivide);
}

TEST_F(PlanTest, CalculateAgainGivesTheSameResults) {
  BuildExampleA();
  plan_.SetTemAnaliseSensibilidade(1);
  plan_.SetTaxaJurosInicial(6);
  plan_.SetTaxaJurosFinal(14);
  plan_.SetIncrementoTaxaJuros(4);
  ASSERT_TRUE(plan_.Validate(errors_));
  ASSERT_TRUE(plan_.Calculate());
  const std::vector<double> first = Published(plan_);
  ASSERT_TRUE(plan_.Calculate());
  EXPECT_EQ(Published(plan_), first);
  ASSERT_TRUE(plan_.Validate(errors_));
  ASSERT_TRUE(plan_.Calculate());
  EXPECT_EQ(Published(plan_), first);
  // A failed calculation in between changes nothing either.
  plan_.SetIdadeFinal(3);
  ASSERT_FALSE(plan_.Calculate());
  plan_.SetIdadeFinal(7);
  ASSERT_TRUE(plan_.Calculate());
  EXPECT_EQ(Published(plan_), first);
}

// ---- validation ----

TEST(QuorvaClasses, PublishTheFileFieldsInOrderAndCopyDeeply) {
  std::vector<std::string> names;
  for (const PropertyInfo* p : TQuorva::StaticClass().Properties()) names.push_back(p->name);
  EXPECT_EQ(names, (std::vector<std::string>{"Descricao",
                                             "IdadeFinal",
                                             "TaxaAtratividade",
                                             "TemAnaliseSensibilidade",
                                             "TaxaJurosInicial",
                                             "TaxaJurosFinal",
                                             "IncrementoTaxaJuros",
                                             "IndiceSitio",
                                             "ReceitaTotal",
                                             "ReceitaTotalLiquida",
                                             "ReceitaTotalMedia",
                                             "CustoTotal",
                                             "CustoTotalMedio",
                                             "ReceitaLiquidaMedia",
                                             "ValorPresenteReceita",
                                             "ValorPresenteCusto",
                                             "ValorPresenteLiquido",
                                             "ValorPresenteLiquidoAnualizado",
                                             "RazaoBeneficioCusto",
                                             "ValorEsperadoTerra",
                                             "TaxaInternaRetorno",
                                             "Custos",
                                             "Producoes"}));
  names.clear();
  for (const PropertyInfo* p : TFluxoFinanceiro::StaticClass().Properties()) names.push_back(p->name);
  EXPECT_EQ(names, (std::vector<std::string>{"Id", "Ano", "Receita", "Custo", "ReceitaPresente", "CustoPresente"}));
  names.clear();
  for (const PropertyInfo* p : TItemAnalise::StaticClass().Properties()) names.push_back(p->name);
  EXPECT_EQ(names, (std::vector<std::string>{"Juros", "ValorPresenteLiquido", "ValorPresenteLiquidoAnualizado",
                                             "ValorPresenteReceita"}));

  TQuorvas plans;
  TQuorva& a = plans.Add();
  a.SetDescricao("Plano");
  a.SetTaxaInternaRetorno(12.5);
  TCusto& c = a.Custos().Add();
  c.SetNome("Adubo");
  c.CustosAnuais().Add().SetIdade(3);
  a.Producoes().Add().ItensProducao().Add().SetVolume(20);
  TQuorva& b = plans.Add();
  b.Assign(a);
  EXPECT_EQ(b.Descricao(), "Plano");
  EXPECT_EQ(b.TaxaInternaRetorno(), 12.5);
  ASSERT_EQ(b.Custos().Count(), 1);
  EXPECT_EQ(b.Custos()[0].CustosAnuais()[0].Idade(), 3);
  EXPECT_EQ(b.Producoes()[0].ItensProducao()[0].Volume(), 20);
  EXPECT_NE(&b.Custos()[0], &a.Custos()[0]);
}

TEST_F(PlanTest, ParametersCostsAndHarvestsMissing) {
  plan_.SetIdadeFinal(0);
  plan_.SetTaxaAtratividade(40);
  plan_.SetTemAnaliseSensibilidade(1);
  plan_.SetTaxaJurosInicial(0);
  plan_.SetTaxaJurosFinal(100);
  plan_.SetIncrementoTaxaJuros(0);
  errors_.Add(55, "cleared first");
  EXPECT_FALSE(plan_.Validate(errors_));
  EXPECT_FALSE(plan_.Valid());
  EXPECT_EQ(EntriesOf(errors_), (Entries{{1, "Idade Final: 0 inválida!"},
                                         {2, "Taxa de Atratividade: 40% inválida!"},
                                         {3, "Taxa de Juros Inicial: 0% inválida!"},
                                         {4, "Taxa de Juros Final: 100% inválida!"},
                                         {5, "Incremento na Taxa de Juros: 0% inválido!"},
                                         {10, "Falta informar os custos"},
                                         {13, "Falta informar as Produções"}}));

  plan_.SetIdadeFinal(400);
  plan_.SetTaxaAtratividade(std::numeric_limits<double>::quiet_NaN());
  plan_.SetTaxaJurosInicial(99);
  plan_.SetTaxaJurosFinal(-0.5);
  plan_.SetIncrementoTaxaJuros(100);
  plan_.Validate(errors_);
  EXPECT_EQ(EntriesOf(errors_), (Entries{{1, "Idade Final: 400 inválida!"},
                                         {2, "Taxa de Atratividade: NAN% inválida!"},
                                         {3, "Taxa de Juros Inicial: 99% inválida!"},
                                         {4, "Taxa de Juros Final: -0,5% inválida!"},
                                         {5, "Incremento na Taxa de Juros: 100% inválido!"},
                                         {10, "Falta informar os custos"},
                                         {13, "Falta informar as Produções"}}));
}

TEST_F(PlanTest, ValidPlanAndSensitivityRanges) {
  AddCusto("Implantacao", "$/ha", "Unitario", 2000);
  AddProducao(7, 100, 50);
  // Sensitivity off: rates 0 are accepted.
  EXPECT_TRUE(plan_.Validate(errors_));
  EXPECT_TRUE(plan_.Valid());

  plan_.SetTemAnaliseSensibilidade(1);
  plan_.SetTaxaJurosInicial(12);
  plan_.SetTaxaJurosFinal(4);  // end below start: valid, no rows
  plan_.SetIncrementoTaxaJuros(4);
  EXPECT_TRUE(plan_.Validate(errors_));

  // At most 1,000 rates: 1 to 10.99 by 0.01 needs 1,000, 1 to 11 by 0.01 needs 1,001.
  plan_.SetTaxaJurosInicial(1);
  plan_.SetTaxaJurosFinal(10.99);
  plan_.SetIncrementoTaxaJuros(0.01);
  EXPECT_TRUE(plan_.Validate(errors_));
  plan_.SetTaxaJurosFinal(11);
  EXPECT_FALSE(plan_.Validate(errors_));
  EXPECT_EQ(EntriesOf(errors_), (Entries{{5, "Incremento na Taxa de Juros: 0,01% inválido!"}}));
  plan_.SetTaxaJurosFinal(99);
  EXPECT_FALSE(plan_.Validate(errors_));
  EXPECT_EQ(errors_.Count(), 1);
  // A tiny increment over an empty range is one rate.
  plan_.SetTaxaJurosInicial(10);
  plan_.SetTaxaJurosFinal(10);
  plan_.SetIncrementoTaxaJuros(1e-16);
  EXPECT_TRUE(plan_.Validate(errors_));
  plan_.SetTaxaJurosFinal(11);
  EXPECT_FALSE(plan_.Validate(errors_));
  EXPECT_EQ(EntriesOf(errors_), (Entries{{5, "Incremento na Taxa de Juros: 1E-16% inválido!"}}));
}

TEST_F(PlanTest, CostEntriesCodes11And12AndTheCostChecks) {
  TCusto& capina = AddCusto("Capina", "$/ha", "anual", 5);  // upper-cased, not trimmed: code 11
  TCusto& adubo = AddCusto("Adubo", "$/ha", " Anual", 0);   // trimmed differs: no code 11
  TCusto& frete = AddCusto("Frete", "$/m3", "Unitario", 3);
  AddAnual(frete, 9, 1);  // code 12 for any type
  TCusto& rocada = AddCusto("Roçada", "$/ha", "Anual", 0);
  AddAnual(rocada, 8, 10);
  AddAnual(rocada, 7, 10);
  AddAnual(rocada, -1, 10);
  AddProducao(5, 100, 50);
  AddProducao(8, 100, 50);  // raises IdadeFinal to 8 after the costs were checked
  plan_.SetIdadeFinal(6);
  EXPECT_FALSE(plan_.Validate(errors_));
  EXPECT_EQ(EntriesOf(errors_), (Entries{{11, "Custo de Capina é Anual: Informe Idade e Custo"},
                                         {12, "Custo de Frete: Idade 9 é maior que a Idade Final"},
                                         {601, "Idade do Custo Anual de Roçada: -1 inválida"},
                                         {12, "Custo de Roçada: Idade 8 é maior que a Idade Final"},
                                         {12, "Custo de Roçada: Idade 7 é maior que a Idade Final"}}));
  EXPECT_EQ(plan_.IdadeFinal(), 8);
  EXPECT_EQ(capina.Custo(), 0);
  EXPECT_EQ(adubo.CustosAnuais().Count(), 0);
}

TEST_F(PlanTest, HarvestsRaiseTheFinalAgeOrDisagreeWithIt) {
  AddCusto("Implantacao", "$/ha", "Unitario", 2000);
  AddProducao(7, 100, 50);
  AddProducao(5, 0, 1000);
  plan_.SetIdadeFinal(6);
  EXPECT_FALSE(plan_.Validate(errors_));
  EXPECT_EQ(EntriesOf(errors_), (Entries{{604, "Volume : 0 inválido"}, {605, "Preço : 1000 inválido"}}));
  EXPECT_EQ(plan_.IdadeFinal(), 7);

  plan_.Producoes()[1].ItensProducao()[0].SetVolume(10);
  plan_.Producoes()[1].ItensProducao()[0].SetPreco(10);
  plan_.SetIdadeFinal(6);
  EXPECT_TRUE(plan_.Validate(errors_));
  EXPECT_EQ(plan_.IdadeFinal(), 7);

  plan_.SetIdadeFinal(10);
  EXPECT_FALSE(plan_.Validate(errors_));
  EXPECT_EQ(EntriesOf(errors_), (Entries{{7, "Idade da Producão Final e do Plano devem coincidir"}}));
  EXPECT_EQ(plan_.IdadeFinal(), 10);
}

TEST_F(PlanTest, HarvestsTheCursorSkipsAreReported) {
  AddCusto("Implantacao", "$/ha", "Unitario", 2000);
  AddProducao(7, 100, 50);
  AddProducao(0, 100, 50);
  AddProducao(7, 0, 50);
  AddProducao(999, 100, 50);
  AddProducao(4, 100, 50);
  EXPECT_FALSE(plan_.Validate(errors_));
  EXPECT_EQ(EntriesOf(errors_), (Entries{{601, "Idade : 0 inválida"},
                                         {604, "Volume : 0 inválido"},
                                         {606, "Produção na idade 7: Idade repetida!"},
                                         {601, "Idade : 999 inválida"}}));
  EXPECT_EQ(plan_.IdadeFinal(), 7);

  // Harvests exist but none can be visited: no last harvest to compare.
  plan_.Producoes().Clear();
  AddProducao(0, 100, 50);
  AddProducao(0, 100, 50);
  EXPECT_FALSE(plan_.Validate(errors_));
  EXPECT_EQ(EntriesOf(errors_),
            (Entries{{13, "Falta informar as Produções"}, {601, "Idade : 0 inválida"}, {601, "Idade : 0 inválida"}}));
}

TEST(SensitivityRates, CountedFromTheQuotientNeverAccumulated) {
  EXPECT_EQ(TQuorva::SensitivityRateCount(1.0, 2.0, 0.1), 11);
  EXPECT_EQ(TQuorva::SensitivityRateCount(4, 12, 4), 3);
  EXPECT_EQ(TQuorva::SensitivityRateCount(2, 12, 2), 6);
  EXPECT_EQ(TQuorva::SensitivityRateCount(6, 14, 4), 3);
  EXPECT_EQ(TQuorva::SensitivityRateCount(6, 13.9, 4), 2);
  EXPECT_EQ(TQuorva::SensitivityRateCount(12, 4, 4), 0);
  EXPECT_EQ(TQuorva::SensitivityRateCount(10, 10, 1e-16), 1);
  EXPECT_EQ(TQuorva::SensitivityRateCount(1, 10.99, 0.01), 1000);
  EXPECT_EQ(TQuorva::SensitivityRateCount(1, 11, 0.01), -1);
  EXPECT_EQ(TQuorva::SensitivityRateCount(1, 99, 0.01), -1);
  EXPECT_EQ(TQuorva::SensitivityRateCount(0, 99, 1e-300), -1);
  EXPECT_EQ(TQuorva::SensitivityRateCount(1, 2, 0), -1);
  EXPECT_EQ(TQuorva::SensitivityRateCount(1, 2, -0.1), -1);
  EXPECT_EQ(TQuorva::SensitivityRateCount(std::numeric_limits<double>::quiet_NaN(), 2, 0.1), -1);
}
