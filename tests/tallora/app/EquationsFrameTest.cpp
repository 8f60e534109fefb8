// The equation pages and the formula picker.

#include <QListWidget>
#include <QPushButton>

#include "tallora/app/EquationsForm.h"
#include "tallora/app/EquationsFrame.h"
#include "tallora/app/ShapeFunctionEquationFrame.h"
#include "tallora/app/SiteIndexEquationFrame.h"
#include "tallora/app/VolumeEquationFrame.h"
#include "tests/support/gui/Modal.h"
#include "tests/tallora/app/TalloraFrames.h"

namespace {

class EquationsFrameTest : public TalloraFramesTest {
protected:
  const TFormula& Formula(int id) { return *grovana().FindFormula(id); }
  std::string Text(const char* field) { return SimulationField(field).AsString(); }

  // Picks the line on the next formula picker and clicks OK (-1: Cancelar).
  void PickLine(int line) {
    auto lines = std::make_shared<std::vector<std::string>>();
    WhenModal([lines, line](QDialog& d) {
      auto& picker = static_cast<TFormEquations&>(d);
      for (int i = 0; i < picker.List()->count(); ++i) lines->push_back(picker.List()->item(i)->text().toStdString());
      if (line < 0) {
        picker.CancelButton()->click();
        return;
      }
      picker.List()->setCurrentRow(line);
      picker.OkButton()->click();
    });
    lines_ = lines;
  }
  std::vector<std::string> Listed() const { return *lines_; }

  std::shared_ptr<std::vector<std::string>> lines_;
};

TEST_F(EquationsFrameTest, EachButtonPassesThePickedFormulaToItsSetter) {
  Make<TFrameEquations>();
  struct Case {
    const char* button;
    int id;
    const char* expression;
    const char* author;
    const char* description;
  };
  for (const Case& c :
       {Case{"ButtonSiteIndex", 0, "SiteIndexEquation", "SiteIndexEquationAuthor", "SiteIndexEquationDescription"},
        Case{"ButtonVolume", 1, "VolumeEquation", "VolumeEquationAuthor", "VolumeEquationDescription"},
        Case{"ButtonShapeFunction", 2, "ShapeFunctionEquation", "ShapeFunctionEquationAuthor",
             "ShapeFunctionEquationDescription"}}) {
    PickLine(0);
    Find<QPushButton>(*window, c.button)->click();
    EXPECT_EQ(Listed(), std::vector<std::string>{Formula(c.id).Description()}) << c.button;
    EXPECT_EQ(Text(c.expression), Formula(c.id).Expression());
    EXPECT_EQ(Text(c.author), Formula(c.id).Author());
    EXPECT_EQ(Text(c.description), Formula(c.id).Description());
    EXPECT_EQ(grovana().cdsSimulation().State(), TDataSetState::Browse);
  }
  EXPECT_EQ(Text("ShapeFunctionIntegral2Equation"), Formula(3).Expression());
  EXPECT_EQ(grovana().CurrentSimulation()->SiteIndexEquation(), Formula(0).Expression());
  EXPECT_TRUE(RecordedExceptions().empty());
}

TEST_F(EquationsFrameTest, ACancelledOrEmptyPickChangesNothing) {
  Make<TFrameSiteIndexEquation>();
  const std::string before = Text("SiteIndexEquationAuthor");
  PickLine(-1);
  Find<QPushButton>(*window, "ButtonCatalogo")->click();
  EXPECT_EQ(Text("SiteIndexEquationAuthor"), before);
  EXPECT_EQ(Text("SiteIndexEquation"), "");

  // OK without a line.
  WhenModal([](QDialog& d) { static_cast<TFormEquations&>(d).OkButton()->click(); });
  Find<QPushButton>(*window, "ButtonCatalogo")->click();
  EXPECT_EQ(Text("SiteIndexEquationAuthor"), before);

  // A type no formula has: an empty list, and none on OK.
  TFormEquations picker(window.get(), grovana());
  WhenModal([](QDialog& d) {
    auto& p = static_cast<TFormEquations&>(d);
    EXPECT_EQ(p.windowTitle().toStdString(), "Equação de Altura");
    EXPECT_EQ(p.List()->count(), 0);
    p.OkButton()->click();
  });
  EXPECT_EQ(picker.PickFormula("Equação de Altura"), nullptr);
  EXPECT_TRUE(RecordedExceptions().empty());
}

TEST_F(EquationsFrameTest, EquationPagesPickTheirKindAndTaperBringsItsIntegral) {
  Make<TFrameShapeFunctionEquation>();
  PickLine(0);
  Find<QPushButton>(*window, "ButtonCatalogo")->click();
  EXPECT_EQ(Listed(), std::vector<std::string>{Formula(2).Description()});
  EXPECT_EQ(Find<DbTextEdit>(*window, "DBMemoEquation")->toPlainText().toStdString(), Formula(2).Expression());
  EXPECT_EQ(Find<DbTextEdit>(*window, "DBMemoIntegral2Equation")->toPlainText().toStdString(), Formula(3).Expression());
  EXPECT_EQ(Find<DbLineEdit>(*window, "DBEditAuthor")->text().toStdString(), Formula(2).Author());
}

TEST_F(EquationsFrameTest, HiddenDefaultsSetTheFirstThreeFormulas) {
  Make<TFrameEquations>();
  auto* defaults = Find<QPushButton>(*window, "ButtonPadroes");
  EXPECT_FALSE(defaults->isVisibleTo(window.get()));
  defaults->click();
  EXPECT_EQ(Text("SiteIndexEquation"), Formula(0).Expression());
  EXPECT_EQ(Text("VolumeEquation"), Formula(1).Expression());
  EXPECT_EQ(Text("ShapeFunctionEquation"), Formula(2).Expression());
  EXPECT_EQ(Text("ShapeFunctionIntegral2Equation"), Formula(3).Expression());
  EXPECT_EQ(grovana().cdsSimulation().State(), TDataSetState::Browse);
  EXPECT_EQ(Find<DbLineEdit>(*window, "DBEditVolumeEquation")->text().toStdString(), Formula(1).Description());
}

}  // namespace
