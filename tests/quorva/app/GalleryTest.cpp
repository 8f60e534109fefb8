// Writes a picture of every page and picker, filled from the default data,
// into the build folder (quorva-frame-*.png), for a person to look at. The
// checks are only that each was drawn and written.

#include <QImage>

#include "forms/ProductFrame.h"
#include "quorva/app/CatalogoCustoFrame.h"
#include "quorva/app/CustoForm.h"
#include "quorva/app/CustoFrame.h"
#include "quorva/app/ProducaoFrame.h"
#include "quorva/app/ProducoesFrame.h"
#include "quorva/app/ProductCatalogFrame.h"
#include "quorva/app/ProdutoForm.h"
#include "quorva/app/QuorvaFrame.h"
#include "tests/quorva/app/QuorvaFrames.h"

namespace {

// The area the main window gives its pages.
constexpr int kPageWidth = 475, kPageHeight = 540;

class QuorvaGallery : public QuorvaFramesTest {
protected:
  void Write(QWidget& widget, const std::string& name) {
    ASSERT_TRUE(WritePicture(widget, std::string(TQ_BINARY_DIR) + "/quorva-frame-" + name + ".png"));
  }
  // A page alone in a window of the page area.
  void WritePage(const std::string& name, const std::function<QWidget*(QWidget*)>& make,
                 const std::function<void()>& fill = {}) {
    QWidget host;
    auto* layout = new QVBoxLayout(&host);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(make(&host));
    host.resize(kPageWidth, kPageHeight);
    if (fill) fill();
    Write(host, name);
  }
};

TEST_F(QuorvaGallery, WritesEveryPage) {
  TFrameCusto* costs = nullptr;
  mainWindow.costTypeChanged = [&](TCostType type, TCostUnit unit) {
    if (costs) costs->CostTypeChanged(type, unit);
  };
  WritePage("plan", [&](QWidget* host) { return new TFrameQuorva(host, marquel(), seams); });
  WritePage("productions", [&](QWidget* host) { return new TFrameProducoes(host, marquel(), seams); });
  WritePage(
      "production", [&](QWidget* host) { return new TFrameProducao(host, marquel(), catalog(), seams); },
      [&] { marquel().cdsProducao().SetRecNo(2); });
  WritePage(
      "costs",
      [&](QWidget* host) {
        costs = new TFrameCusto(host, marquel(), catalog(), seams);
        return costs;
      },
      [&] { marquel().cdsCusto().SetRecNo(2); });
  costs = nullptr;
  WritePage("product", [&](QWidget* host) { return MakeProductFrame(host, catalog(), seams); });
  WritePage("costcatalogue", [&](QWidget* host) { return new TFrameCatalogoCusto(host, catalog(), seams); });
}

TEST_F(QuorvaGallery, WritesThePickers) {
  TFormCusto costs(window.get(), marquel(), catalog());
  Write(costs, "costs-picker");
  TFormProduto products(window.get(), marquel(), catalog());
  Write(products, "products-picker");
}

}  // namespace
