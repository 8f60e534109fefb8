// One paint of the programs' toolbar list: 109 x 454, a stretched background
// picture, six items with 32-pixel images and bold captions, one item hot.
// Goal: under 2 ms.
//
// One page switch of an 804 x 536 group bar whose page is the data-entry page
// of the gallery's window, without pauses between frames: the whole switch
// (goal under 25 ms) and each of its ten frames (goal under 2 ms), and the
// slide as a user sees it with the default pause.
//
// Offscreen; the QApplication is created once.

#include <benchmark/benchmark.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>

#include "tests/widgets/Icons.h"
#include "tests/widgets/MainWindowFixture.h"
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

// Switches back and forth; each iteration is one switch. Counters: the time
// from the setter's start to the first frame (grab and render), the mean time
// between frames, and the time from the last frame to the setter's return.
void Switch(benchmark::State& state, int pause) {
  main_window::Window w;
  w.bar->SetFramePause(pause);
  w.form->show();
  QApplication::processEvents();
  QElapsedTimer clock;
  std::vector<qint64> marks;
  w.bar->OnAnimationFrame = [&](int) { marks.push_back(clock.nsecsElapsed()); };
  double prepare = 0, frames = 0, finish = 0;
  int target = 1;
  for (auto _ : state) {
    marks.clear();
    clock.start();
    w.bar->SetActiveGroupIndex(target);
    const qint64 end = clock.nsecsElapsed();
    target = 1 - target;
    if (marks.size() != 10) {
      state.SkipWithError("not ten frames");
      break;
    }
    prepare += marks.front() / 1e6;
    frames += (marks.back() - marks.front()) / 9.0 / 1e6;
    finish += (end - marks.back()) / 1e6;
    QApplication::processEvents();
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["prepare_ms"] = prepare / n;
  state.counters["frame_ms"] = frames / n;
  state.counters["finish_ms"] = finish / n;
}

void BM_GroupBarSwitch(benchmark::State& state) {
  Switch(state, 0);
}
BENCHMARK(BM_GroupBarSwitch)->Unit(benchmark::kMillisecond);

void BM_GroupBarSwitchAsSeen(benchmark::State& state) {
  Switch(state, TCustomGBGroupBar::DefaultFramePause());
}
BENCHMARK(BM_GroupBarSwitchAsSeen)->Unit(benchmark::kMillisecond)->Iterations(6);

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
