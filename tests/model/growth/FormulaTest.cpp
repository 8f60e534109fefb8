#include <gtest/gtest.h>

#include <boost/math/quadrature/gauss_kronrod.hpp>

#include <array>
#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "model/growth/FormulaUnit.h"
#include "model/growth/HardFormulaUnit.h"
#include "model/items/ErrorsUnit.h"
#include "model/items/PrognosisUnit.h"
#include "platform/rtl/Exceptions.h"
#include "tests/support/TestSupport.h"

namespace {

using V1 = std::array<double, 1>;
using V2 = std::array<double, 2>;
using V3 = std::array<double, 3>;

// The taper polynomial by Horner's rule.
double Taper(double t) {
  return 0.080127 + t * (1.038552 + t * (1.6698 + t * (-4.21279 + t * 2.525275)));
}

void ExpectRelNear(double actual, double expected, double rel) {
  EXPECT_NEAR(actual, expected, rel * std::fabs(expected));
}

template <class E>
std::unique_ptr<E> Compiled(const std::string& text) {
  auto f = std::make_unique<E>();
  f->SetExpression(text);
  f->CheckSyntax();
  return f;
}

// Message of the exception that CheckSyntax raises for a text.
std::string SyntaxMessage(const std::string& text) {
  try {
    Compiled<TVolumeEquation>(text);
  } catch (const Exception& e) {
    return e.Message();
  }
  return "compiled";
}

}  // namespace

TEST(BuiltIn, SiteCurve) {
  EXPECT_EQ(DefaultSiteReferenceAge, 7.0);
  for (double s : {18.0, 30.0, 31.7}) {
    EXPECT_EQ(DefaultSiteIndex(V2{s, 7}), s);  // through S at the reference age
    EXPECT_EQ(DefaultSiteIndex(V3{s, 10, 10}), s);
  }
  for (auto [age, height] : {std::pair{1.0, 1.5388911}, {3.0, 11.653093}, {15.0, 52.70045}}) {
    EXPECT_NEAR(DefaultSiteIndex(V2{30, age}), height, 5e-6);
    ExpectRelNear(DefaultSiteIndex(V2{30, age}), 30 * std::exp(-4.7196 * (std::pow(age, -0.51) - std::pow(7, -0.51))),
                  1e-14);
  }
  ExpectRelNear(DefaultSiteIndex(V3{22, 4, 12}), 22 * std::exp(-4.7196 * (std::pow(4, -0.51) - std::pow(12, -0.51))),
                1e-14);
  EXPECT_THROW(DefaultSiteIndex(V2{30, 0}), EZeroDivide);
}

TEST(BuiltIn, VolumeAndTaper) {
  ExpectRelNear(DefaultVolume(V3{20, 25, 9}), 0.34840344, 1e-14);
  ExpectRelNear(DefaultVolume(V2{12.5, 17}), 12.5 * 12.5 * 17 * 7.854e-5 * 0.4436, 1e-14);
  ExpectRelNear(DefaultShapeFunction(V2{30, 1}), 33.02892, 1e-14);
  ExpectRelNear(DefaultShapeFunction(V2{30, 0}), 0.080127 * 30, 1e-15);
  for (double t : {0.05, 0.3, 0.5, 0.75, 0.9}) ExpectRelNear(DefaultShapeFunction(V2{17.5, t}), 17.5 * Taper(t), 1e-13);
}

TEST(BuiltIn, ShapeIntegralIsTheIntegralOfTheSquaredTaper) {
  auto integral = [](double x) { return DefaultShapeIntegral(V1{x}); };
  auto squared = [](double t) { return Taper(t) * Taper(t); };
  EXPECT_EQ(integral(0), 0);
  EXPECT_NEAR(integral(1), 0.443486, 1e-12);  // the sum of the coefficients
  EXPECT_NEAR(integral(1), 0.4436, 2e-4);     // the form factor of the volume
  for (double x : {0.1, 0.3, 0.5, 0.8, 1.0}) {
    // The coefficients are rounded to about six digits.
    const double q = boost::math::quadrature::gauss_kronrod<double, 31>::integrate(squared, 0.0, x);
    EXPECT_NEAR(integral(x), q, 2e-4) << x;
    const double h = 1e-5;
    ExpectRelNear((integral(x + h) - integral(x - h)) / (2 * h), squared(x), 1e-3);
  }
  EXPECT_NEAR((integral(1) - integral(0.5)) / integral(1), 0.805519, 1e-6);
}

TEST(BuiltIn, EqualsItsTextThroughTheParser) {
  auto site = Compiled<TSiteIndexEquation>("S*EXP(-4.7196*(A^(-0.51)-7^(-0.51)))");
  auto volume = Compiled<TVolumeEquation>("D^2*7.854E-5*0.4436*H");
  auto shape = Compiled<TShapeFunctionEquation>("D*(1.6698*X^2+(1.038552*X+0.080127)-4.21279*X^3+2.525275*X^4)");
  auto integral = Compiled<TShapeFunctionIntegral2Equation>(
      "0.083216*X^2+0.00642*X+0.448728*X^3+0.698308*X^4-1.1115*X^5-1.47063*X^6+3.74*X^7-2.659613*X^8+0.708557*X^9");
  // The parser groups a chain of sums differently from the built-ins'
  // left-to-right sum: they agree to a few ulp of the largest terms.
  auto same = [](double builtIn, TFormula& text, std::span<const double> v, double scale) {
    EXPECT_NEAR(builtIn, text.Compute(v), 8 * std::numeric_limits<double>::epsilon() * scale) << v[0];
  };
  for (double s : {15.0, 28.0, 33.3})
    for (double age : {0.5, 1.0, 2.0, 7.0, 9.0, 16.0, 40.0}) {
      const double h = DefaultSiteIndex(V2{s, age});
      same(h, *site, V2{s, age}, h);
    }
  for (double d : {0.0, 3.5, 14.2, 41.0})
    for (double h : {1.3, 17.0, 25.5}) {
      const double v = DefaultVolume(V3{d, h, 8});
      same(v, *volume, V3{d, h, 8}, v);
    }
  for (double x : {0.0, 0.01, 0.25, 0.5, 0.7731, 1.0}) {
    const double d = 23.4;
    double shapeTerms = 0, integralTerms = 0, power = 1;
    for (double c : {0.080127, 1.038552, 1.6698, 4.21279, 2.525275}) shapeTerms += c * power, power *= x;
    power = x;
    for (double c : {0.00642, 0.083216, 0.448728, 0.698308, 1.1115, 1.47063, 3.74, 2.659613, 0.708557})
      integralTerms += c * power, power *= x;
    same(DefaultShapeFunction(V2{d, x}), *shape, V2{d, x}, d * shapeTerms);
    same(DefaultShapeIntegral(V1{x}), *integral, V1{x}, integralTerms);
  }
}

TEST(Formula, PublishedPropertiesAndTheAbstractCatalogueRecord) {
  std::vector<std::string> names;
  for (const PropertyInfo* p : TFormula::StaticClass().Properties()) names.push_back(p->name);
  EXPECT_EQ(names, (std::vector<std::string>{"Id", "Description", "Author", "Expression", "EquationType",
                                             "AssociatedFormula"}));
  EXPECT_TRUE(TFormula::StaticClass().Find("Id")->IsReadOnly());
  TVolumeEquation v;
  EXPECT_EQ(v.ClassName(), "TVolumeEquation");
  EXPECT_TRUE(v.Class().InheritsFrom(TFormula::StaticClass()));

  TFormulaCollection formulas;
  TFormula& f = formulas.Add();
  EXPECT_EQ(&formulas.GetItem(0), &f);
  EXPECT_EQ(f.ClassName(), "TFormula");
  EXPECT_FALSE(f.HasBuiltInFunction());
  EXPECT_THROW(f.Compute(V1{1}), EAbstractError);
  EXPECT_THROW(f.InstallBuiltInFunction(), EAbstractError);
}

TEST(Formula, CompilingAndEvaluating) {
  TFormulaCollection formulas;
  TFormula& f = formulas.Add();
  EXPECT_EQ(f.GetValue(), 0);  // nothing compiled yet
  f.SetExpression("S*H");      // S and H are known from the start, at 1
  EXPECT_TRUE(f.CheckSyntax());
  EXPECT_EQ(f.GetValue(), 1);
  f.AssignVariable("s", 3);
  f.AssignVariable("H", 4);
  EXPECT_EQ(f.GetValue(), 12);
  f.SetExpression("2 * D ^ 2");
  EXPECT_TRUE(f.CheckSyntax());
  EXPECT_EQ(f.Expression(), "2 * D ^ 2");  // blanks are removed for the parser only
  f.AssignVariable("D", 3);
  EXPECT_EQ(f.GetValue(), 18);
  f.SetExpression("2*D\r\n");
  EXPECT_TRUE(f.CheckSyntax());
  EXPECT_EQ(f.GetValue(), 6);

  EXPECT_EQ(SyntaxMessage("S+Q"), "Erro de sintaxe na expressão :\rS\rQ");  // Q is unknown
  EXPECT_EQ(SyntaxMessage("2+"), "Erro de sintaxe na expressão :\r2+");
  // The parser's other faults in our words.
  EXPECT_EQ(SyntaxMessage("(A+B"), "Erro de sintaxe na expressão : parênteses sem par.");
  std::string deep = "A", wide = "A";
  for (int i = 0; i < 21; ++i) deep += "+A";                         // 21 operators deep
  for (int i = 0; i < 7; ++i) wide = "(" + wide + "+" + wide + ")";  // 64 sums on one level
  EXPECT_EQ(SyntaxMessage(deep),
            "Erro de sintaxe na expressão : expressão com aninhamento excessivo (mais de 20 níveis).");
  EXPECT_EQ(SyntaxMessage(wide),
            "Erro de sintaxe na expressão : expressão complexa demais (mais de 50 operações num nível).");
  EXPECT_EQ(SyntaxMessage(""), "compiled");
}

TEST(Formula, EquationsAssignTheirOwnVariables) {
  EXPECT_EQ(Compiled<TSiteIndexEquation>("S*1000+A")->Compute(V2{3, 7}), 3007);
  EXPECT_EQ(Compiled<TVolumeEquation>("D*10000+H*100+A")->Compute(V3{1, 2, 3}), 10203);
  EXPECT_EQ(Compiled<TShapeFunctionEquation>("D*10+X")->Compute(V2{4, 0.5}), 40.5);
  EXPECT_EQ(Compiled<TShapeFunctionIntegral2Equation>("X*3+S+H")->Compute(V1{2}), 8);

  TVolumeEquation never;  // never compiled, no built-in
  never.SetExpression("D*H");
  EXPECT_EQ(never.Compute(V3{20, 25, 7}), 0);

  auto volume = Compiled<TVolumeEquation>("D/(H-2)+A");
  EXPECT_THROW(volume->Compute(V3{20, 2, 7}), EZeroDivide);  // faults pass through
  volume->InstallBuiltInFunction();
  EXPECT_TRUE(volume->HasBuiltInFunction());
  ExpectRelNear(volume->Compute(V3{20, 25, 7}), 0.34840344, 1e-14);
  TPrognosisCollection rows;
  TPrognosis& r = rows.Add();
  r.SetAge(7);
  r.SetMedianDiameter(20);
  r.SetMedianHeight(25);
  r.SetNoTrees(1000);
  EXPECT_NEAR(r.ComputeVolume(*volume), 348.40344, 1e-9);
  volume->SetExpression("D+H");  // writing the text drops the built-in
  EXPECT_FALSE(volume->HasBuiltInFunction());
  EXPECT_EQ(volume->Compute(V3{20, 4, 7}), 17);  // the text compiled last

  TShapeFunctionEquation cone;  // any callable may stand in
  cone.SetBuiltInFunction([](std::span<const double> x) { return x[0] * (1 - x[1]); });
  EXPECT_EQ(cone.Compute(V2{20, 0.25}), 15);
  TSiteIndexEquation site;
  site.InstallBuiltInFunction();
  EXPECT_EQ(site.Compute(V2{25, 7}), 25);
}

TEST(FormulaValidation, CodesTextsAndOrder) {
  TFormulaCollection formulas;
  for (int i = 0; i < 5; ++i) {
    TFormula& f = formulas.Add();
    f.SetDescription("Volume");
    f.SetAuthor("Autor");
    f.SetExpression("D^2*H");
  }
  TFormula& f = formulas[1];
  f.SetDescription("  ");
  f.SetAuthor("\t");
  f.SetExpression(" \r\n");
  f.SetAssociatedFormula(1);
  TErrorList list;
  list.Add(1, "antes");
  EXPECT_FALSE(f.Validate(list));
  EXPECT_EQ(EntriesOf(list), (Entries{{101, "Falta informar a Descrição."},
                                      {102, "Falta informar o Autor."},
                                      {103, "Falta informar a Expressão."},
                                      {104, "Fórmula Associada não pode ser igual ao Identificador."}}));

  EXPECT_TRUE(formulas[0].Validate(list));  // Id 0 with 0: no association
  TFormula& g = formulas[2];
  for (int id : {1, 3, 4}) {
    g.SetAssociatedFormula(id);
    EXPECT_TRUE(g.Validate(list)) << id;
  }
  formulas.Delete(3);  // Id 3 names nothing now
  for (int id : {5, 6, -1, 3}) {
    g.SetAssociatedFormula(id);
    EXPECT_FALSE(g.Validate(list)) << id;
    EXPECT_EQ(EntriesOf(list), (Entries{{105, "Fórmula Associada não catalogada."}}));
  }

  TVolumeEquation loose;  // outside a collection only the self-reference is told
  loose.SetDescription("d");
  loose.SetAuthor("a");
  loose.SetExpression("D");
  loose.SetAssociatedFormula(9);
  EXPECT_TRUE(loose.Validate(list));
}
