// One paint of the programs' toolbar list: 109 x 454, a stretched background
// picture, six items with 32-pixel images and bold captions, one item hot.
// Goal: under 2 ms. Offscreen; the QApplication is created once.

#include <benchmark/benchmark.h>
#include <QApplication>
#include <QImage>
#include <QPainter>

#include "tests/widgets/Icons.h"
#include "widgets/gbOutBar.h"

namespace {

void BM_PaintToolbarList(benchmark::State& state) {
  TImageList images(32, 32);
  test_icons::AddToolbarIcons(images);
  TGBVertListView list;
  list.SetBorderStyle(bsNone);
  list.SetBounds(0, 0, 109, 454);
  list.Font().SetName("Arial");
  list.Font().SetHeight(-13);
  list.Font().SetStyle(fsBold);
  list.Font().SetColor(clWhite);
  list.SetLargeImages(&images);
  TBitmap picture;
  picture.SetImage(test_icons::TealPurplePicture(64, 256));
  list.SetBackground(picture);
  list.SetBackgroundMode(bkmStretch);
  const char* captions[] = {"Novo", "Abrir", "Salvar", "Salvar Como", "Imprimir", "Ocultar Itens"};
  for (int i = 0; i < 6; ++i) {
    TListItem* item = list.Items().Add();
    item->SetCaption(captions[i]);
    item->SetImageIndex(i);
  }
  list.SetHotItem(list.Items()[2]);

  QImage target(109, 454, QImage::Format_RGB32);
  for (auto _ : state) {
    list.render(&target);
    benchmark::DoNotOptimize(target.constBits());
  }
}
BENCHMARK(BM_PaintToolbarList)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
