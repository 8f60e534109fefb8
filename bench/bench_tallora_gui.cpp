// Tallora's window on the offscreen platform: start-up (data module to the
// main window shown and painted; the first run of the process is reported on
// its own before the benchmarks), "Calcular" (the button's click to the
// report loaded and the results page painted, slide pause 0), the same
// with the default slide pause, whose difference is the visible slide, and
// the check on the way out when nothing is to be saved (the template; a
// calculated simulation, saved).

#include <benchmark/benchmark.h>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <memory>
#include <string>
#include <vector>

#include "bench/WindowBench.h"
#include "forms/ErrorsForm.h"
#include "platform/classes/Streams.h"
#include "platform/db/DB.h"
#include "platform/gui/ApplicationContext.h"
#include "tallora/app/GraphicForm.h"
#include "tallora/app/TalloraForm.h"
#include "tallora/data/GrovanaData.h"
#include "tools/DefaultData.h"

namespace {

struct Program {
  TErrorWindow errors;
  std::unique_ptr<TGrovana> grovana;
  std::unique_ptr<TFormTallora> window;

  Program() {
    TApplicationContext& context = *windowbench::Context();
    grovana = std::make_unique<TGrovana>(nullptr, TDataFolders{windowbench::Folder(), windowbench::Folder()},
                                         TDataSeams{context.Dialogs(), errors});
    TMainWindowOptions options;
    options.aboutOpener = [] {};
    window = std::make_unique<TFormTallora>(*grovana,
                                            TWindowSeams{{context.Dialogs(), errors, context.Documents()},
                                                         context.Shell(),
                                                         context.PrintService(),
                                                         context.ExeDir()},
                                            options);
    errors.SetMainWindow(window.get());
    window->show();
    window->repaint();
  }
  ~Program() {
    window.reset();
    grovana.reset();
  }
};

// Each click runs the simulation: the site index changes between clicks.
void Calcular(benchmark::State& state, int pause) {
  Program program;
  TFormTallora& w = *program.window;
  w.findChild<TGBGroupBar*>("GroupBar")->SetFramePause(pause);
  auto* button = w.findChild<QPushButton*>("ButtonCalcular");
  TDataSet& simulation = program.grovana->cdsSimulation();
  int i = 0;
  for (auto _ : state) {
    state.PauseTiming();
    w.RunCommand([&] { w.MenuVisualizarSimulacaoClick(); });
    simulation.Edit();
    simulation.FieldByName("SiteIndex").SetAsFloat(26 + (i++ % 5));
    simulation.Post();
    QApplication::processEvents();
    state.ResumeTiming();
    button->click();
    w.repaint();
  }
  if (w.ActivePage() != 1 || program.grovana->RunCount() < static_cast<int>(state.iterations()))
    state.SkipWithError("the results page was not reached");
}

void BM_Calcular(benchmark::State& state) {
  Calcular(state, 0);
}
BENCHMARK(BM_Calcular)->Unit(benchmark::kMillisecond);

void BM_CalcularWithSlide(benchmark::State& state) {
  Calcular(state, TCustomGBGroupBar::DefaultFramePause());
}
BENCHMARK(BM_CalcularWithSlide)->Unit(benchmark::kMillisecond)->Iterations(8);

// Range 0: the template; 1: the simulation with its growth table and
// harvests, saved. The counter is the simulation file's size in bytes.
void BM_LeaveCheck(benchmark::State& state) {
  Program program;
  TFormTallora& w = *program.window;
  TGrovana& grovana = *program.grovana;
  if (state.range(0) == 1) {
    w.RunCommand([&] { w.ShowResults(); });
    grovana.SaveSimulation(windowbench::Folder() + "/Calculada.dat");
  }
  if (grovana.SimulationChanged() || grovana.FormulasChanged() || grovana.Products().Changed()) {
    state.SkipWithError("a document changed: leaving would ask");
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(w.LeaveAllowed());
  state.counters["bytes"] = static_cast<double>(WriteComponentImage(grovana.SimulationRoot()).size());
}
BENCHMARK(BM_LeaveCheck)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  return windowbench::Main<Program>(argc, argv, "Tallora", [] {
    std::vector<TDefaultFile> files;
    AppendTalloraDefaultFiles(files);
    WriteDefaultFiles(windowbench::Folder(), files);
  });
}
