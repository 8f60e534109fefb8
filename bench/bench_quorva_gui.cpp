// Quorva's window on the offscreen platform: start-up (data modules to the
// main window shown and painted; the first run of the process is reported on
// its own before the benchmarks), and "Calcular" on the plan of the
// end-to-end road (the template with the reference simulation's harvests
// imported): the button's click to both reports loaded and "Resultado"
// painted, slide pause 0. Every click calculates: the rate of return changes
// between clicks. Then the check on the way out when nothing is to be saved:
// the template, and a large plan, saved.

#include <benchmark/benchmark.h>
#include <QApplication>
#include <QPushButton>
#include <filesystem>
#include <memory>
#include <string>

#include "bench/WindowBench.h"
#include "forms/ErrorsForm.h"
#include "platform/classes/Streams.h"
#include "platform/db/DB.h"
#include "platform/gui/ApplicationContext.h"
#include "platform/richedit/RtfView.h"
#include "quorva/app/QuorvaForm.h"
#include "quorva/model/CatalogData.h"
#include "quorva/model/CustoUnit.h"
#include "quorva/model/MarquelData.h"

namespace {

struct Program {
  TErrorWindow errors;
  std::unique_ptr<TMarquel> marquel;
  std::unique_ptr<TCatalog> catalog;
  std::unique_ptr<TFormQuorva> window;

  Program() {
    const TDataFolders folders{windowbench::Folder(), windowbench::Folder()};
    TApplicationContext& context = *windowbench::Context();
    const TDataSeams seams{context.Dialogs(), errors};
    marquel = std::make_unique<TMarquel>(nullptr, folders, seams.Dialogs);
    catalog = std::make_unique<TCatalog>(nullptr, folders, seams);
    TMainWindowOptions options;
    options.aboutOpener = [] {};
    window = std::make_unique<TFormQuorva>(*marquel, *catalog,
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
    catalog.reset();
    marquel.reset();
  }
};

void BM_Calcular(benchmark::State& state) {
  Program program;
  TFormQuorva& w = *program.window;
  w.findChild<TGBGroupBar*>("GroupBar")->SetFramePause(0);
  program.marquel->ImportProductions(TQ_REFERENCE_SIMULATION);
  w.BuildProductionNodes();
  auto* button = w.findChild<QPushButton*>("ButtonCalcular");
  TDataSet& plan = program.marquel->cdsQuorva();
  int i = 0;
  for (auto _ : state) {
    state.PauseTiming();
    w.RunCommand([&] { w.MenuVisualizarPlanoClick(); });
    plan.Edit();
    plan.FieldByName("TaxaAtratividade").SetAsFloat(6 + (i++ % 5));
    plan.Post();
    QApplication::processEvents();
    state.ResumeTiming();
    button->click();
    w.repaint();
  }
  if (w.ActivePage() != TFormQuorva::kResultPage || w.findChild<RtfView*>("RichEditRelatorioCustos")->Bytes().empty())
    state.SkipWithError("the results page was not reached");
}
BENCHMARK(BM_Calcular)->Unit(benchmark::kMillisecond);

// Range 0: the template; 1: the reference harvests imported, 40 annual
// costs of 30 years each, calculated and saved. The counter is the plan
// file's size in bytes.
void BM_LeaveCheck(benchmark::State& state) {
  Program program;
  TFormQuorva& w = *program.window;
  TMarquel& marquel = *program.marquel;
  if (state.range(0) == 1) {
    marquel.ImportProductions(TQ_REFERENCE_SIMULATION);
    for (int c = 0; c < 40; ++c) {
      TCusto& custo = marquel.CurrentPlan()->Custos().Add();
      custo.SetNome("Custo " + std::to_string(c));
      custo.SetUnidadeMedida("$/ha");
      custo.SetTipoCusto(kTipoCustoAnual);
      for (int age = 1; age <= 30; ++age) custo.CustosAnuais().Add().SetIdade(age);
    }
    w.RunCommand([&] { w.ShowResults(); });
    marquel.SavePlan(windowbench::Folder() + "/Grande.dat");
  }
  if (marquel.PlanChanged() || program.catalog->CostsChanged() || program.catalog->Products().Changed()) {
    state.SkipWithError("a document changed: leaving would ask");
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(w.LeaveAllowed());
  state.counters["bytes"] = static_cast<double>(WriteComponentImage(marquel.Root()).size());
}
BENCHMARK(BM_LeaveCheck)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  return windowbench::Main<Program>(argc, argv, TFormQuorva::kProgramName, [] {
    for (const char* name : {"Produtos.dat", "Custo.dat", "Plano1.dat"})
      std::filesystem::copy_file(std::filesystem::path(TQ_DATA_DIR) / name,
                                 std::filesystem::path(windowbench::Folder()) / name);
  });
}
