// Writes a picture of every page and picker, filled from the default data,
// into the build folder (tallora-frame-*.png), for a person to look at. The
// checks are only that each was drawn and written.

#include <QImage>
#include <QListWidget>

#include "forms/ProductFrame.h"
#include "tallora/app/EquationsForm.h"
#include "tallora/app/EquationsFrame.h"
#include "tallora/app/FormulaFrame.h"
#include "tallora/app/InventoryFrame.h"
#include "tallora/app/ListOptionsFrame.h"
#include "tallora/app/LogsFrame.h"
#include "tallora/app/ProductCatalogFrame.h"
#include "tallora/app/ProductsForm.h"
#include "tallora/app/ShapeFunctionEquationFrame.h"
#include "tallora/app/SimulationFrame.h"
#include "tallora/app/SiteIndexEquationFrame.h"
#include "tallora/app/ThinCollectionFrame.h"
#include "tallora/app/ThinFrame.h"
#include "tallora/app/VolumeEquationFrame.h"
#include "tests/tallora/app/TalloraFrames.h"

namespace {

// The area the main window gives its pages.
constexpr int kPageWidth = 475, kPageHeight = 540;

class Gallery : public TalloraFramesTest {
protected:
  void Write(QWidget& widget, const std::string& name) {
    ASSERT_TRUE(WritePicture(widget, std::string(TQ_BINARY_DIR) + "/tallora-frame-" + name + ".png"));
  }
  // A page alone in a window of the page area.
  template <class F>
  void WritePage(const std::string& name, const std::function<void(F&)>& fill = {}) {
    QWidget host;
    auto* layout = new QVBoxLayout(&host);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* page = New<F>(&host);
    layout->addWidget(page);
    host.resize(kPageWidth, kPageHeight);
    if (fill) fill(*page);
    Write(host, name);
  }
};

TEST_F(Gallery, WritesEveryPage) {
  ASSERT_TRUE(grovana().CalculateResults());
  WritePage<TFrameSimulation>("simulation", [](TFrameSimulation& f) { f.ShowSummary(); });
  WritePage<TFrameInventory>("inventory", [](TFrameInventory& f) { f.ShowInventory(); });
  WritePage<TFrameListOptions>("listoptions", [](TFrameListOptions& f) { f.ShowListingOption(); });
  WritePage<TFrameThinCollection>("thincollection");
  grovana().cdsThin().First();
  WritePage<TFrameThin>("thin", [](TFrameThin& f) { f.ShowThin(); });
  WritePage<TFrameEquations>("equations");
  grovana().SetShapeFunctionEquation(grovana().FindFormula(2));
  grovana().cdsSimulation().Refresh();
  WritePage<TFrameSiteIndexEquation>("siteindexequation");
  WritePage<TFrameVolumeEquation>("volumeequation");
  WritePage<TFrameShapeFunctionEquation>("shapefunctionequation");
  WritePage<TFrameLogs>("logs");
  WritePage<TFrameFormula>("formula", [](TFrameFormula& f) { f.Grid()->setFocus(); });

  QWidget host;
  auto* layout = new QVBoxLayout(&host);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(MakeProductFrame(&host, grovana(), seams));
  host.resize(kPageWidth, kPageHeight);
  Write(host, "product");
}

TEST_F(Gallery, WritesThePickers) {
  TFormProducts products(window.get(), grovana());
  products.setWindowTitle("Sortimento de Toras");
  Write(products, "products-picker");
  TFormEquations equations(window.get(), grovana());
  equations.setWindowTitle("Equação de Sortimento");
  for (const char* text : {"Sortimento (padrão)", "Sortimento de Schöepfer", "Sortimento de Kozak"})
    equations.List()->addItem(text);
  equations.List()->setCurrentRow(0);
  Write(equations, "equations-picker");
}

}  // namespace
