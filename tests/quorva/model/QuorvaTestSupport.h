#pragma once
// Fakes of the window seams, a scratch folder and a plan for Quorva's tests.

#include <gtest/gtest.h>
#include <unistd.h>

#include <deque>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "platform/services/Services.h"
#include "quorva/model/QuorvaNotifications.h"
#include "quorva/model/QuorvaUnit.h"
#include "tools/DefaultDataQuorva.h"

namespace qtest {

// Scripted answers; an unexpected question fails the test.
struct FakeDialogs : IDialogs {
  std::deque<TMsgDlgBtn> answers;
  std::vector<std::string> asked, errors;
  std::string OpenFile(const FileDialogOptions&) override { return {}; }
  std::string SaveFile(const FileDialogOptions&) override { return {}; }
  void Information(const std::string&) override {}
  void Error(const std::string& text) override { errors.push_back(text); }
  TMsgDlgBtn AskYesNoCancel(const std::string& text) override { return AskYesNo(text); }
  bool PrinterSetup() override { return false; }
  TMsgDlgBtn AskYesNo(const std::string& text) override {
    asked.push_back(text);
    if (answers.empty()) ADD_FAILURE() << "unexpected question: " << text;
    TMsgDlgBtn a = answers.empty() ? TMsgDlgBtn::No : answers.front();
    if (!answers.empty()) answers.pop_front();
    return a;
  }
};

struct RecordingPresenter : IErrorPresenter {
  std::string title;
  std::vector<ErrorLine> shown;
  int hides = 0;
  void ShowErrors(const std::string& t, const std::vector<ErrorLine>& e) override { title = t, shown = e; }
  void HideErrors() override { ++hides; }
};

struct SpyNotifications : IQuorvaNotifications {
  std::vector<std::pair<int, int>> posted, deleted, costTypes;
  void ProductionPosted(int id, int idade) override { posted.emplace_back(id, idade); }
  void ProductionDeleted(int id, int idade) override { deleted.emplace_back(id, idade); }
  void CostTypeChanged(int oneOff, int unitCode) override { costTypes.emplace_back(oneOff, unitCode); }
};

// A fresh folder, removed with its contents.
class TempDir {
public:
  TempDir() {
    static int counter = 0;
    path_ = std::filesystem::temp_directory_path() /
            ("tq-quorva-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(path_);
  }
  ~TempDir() { std::filesystem::remove_all(path_); }
  std::string Dir() const { return path_.string(); }
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }

private:
  std::filesystem::path path_;
};

inline void AddProducao(TQuorva& plan, int idade, const std::string& origem,
                        std::vector<std::tuple<std::string, double, double>> itens) {
  TProducao& p = plan.Producoes().Add();
  p.SetIdade(idade);
  p.SetOrigem(origem);
  for (const auto& [produto, volume, preco] : itens) {
    TItemProducao& i = p.ItensProducao().Add();
    i.SetProduto(produto);
    i.SetVolume(volume);
    i.SetPreco(preco);
  }
}

// Every cost kind, a thinning and a final cut, sensitivity 6 to 14 by 4:
// CustoTotal 9400, ValorPresenteCusto 6223.678645, TIR 33.7218014 %.
inline void FillExampleA(TQuorva& plan) {
  plan.SetIdadeFinal(7);
  plan.SetTaxaAtratividade(10);
  plan.SetTemAnaliseSensibilidade(1);
  plan.SetTaxaJurosInicial(6);
  plan.SetTaxaJurosFinal(14);
  plan.SetIncrementoTaxaJuros(4);
  AddCusto(plan.Custos(), "Implantacao", "$/ha", "Unitario", 2000);
  AddCusto(plan.Custos(), "Manutencao", "$/ha", "Anual", 0,
           {{1, 300}, {2, 150}, {3, 100}, {4, 100}, {5, 100}, {6, 100}, {7, 100}});
  AddCusto(plan.Custos(), "Colheita", "$/m3", "Unitario", 15);
  AddProducao(plan, 4, "DESBASTE", {{"Lenha", 80, 30}});
  AddProducao(plan, 7, "CORTE FINAL", {{"Serraria", 150, 80}, {"Celulose", 200, 45}});
}

}  // namespace qtest
