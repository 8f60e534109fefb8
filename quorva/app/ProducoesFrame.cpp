#include "quorva/app/ProducoesFrame.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QVBoxLayout>
#include <filesystem>

#include "forms/FrameKit.h"
#include "platform/dbctrls/DbGrid.h"
#include "platform/dbctrls/DbNavigator.h"
#include "platform/dbctrls/PendingEdits.h"
#include "platform/services/FileDialogs.h"
#include "quorva/model/MarquelData.h"

namespace {

constexpr const char* kMsgDiscardProductions = "Descartar as Produções correntes ?";
constexpr const char* kSimulationFileName = "Simulation.dat";

}  // namespace

TFrameProducoes::TFrameProducoes(QWidget* parent, TMarquel& marquel, const TFrameSeams& seams)
    : QWidget(parent), marquel_(marquel), seams_(seams) {
  setObjectName("FrameProducoes");
  ApplyFrameFont(this);
  TDataSource* source = &marquel_.dsProducao();
  IDialogs& dialogs = seams_.Dialogs;

  grid_ = Named(new DbGrid(this, source), "GridProducoes");
  grid_->SetColumns({{.fieldName = "Idade", .width = 60}, {.fieldName = "Origem", .width = 160}});
  grid_->SetDialogs(&dialogs);
  grid_->horizontalHeader()->setStretchLastSection(true);
  navigator_ = MakeEditNavigator(this, source, dialogs);
  import_ = Named(new QPushButton("&Importar...", this), "ButtonImportar");

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(navigator_);
  buttons->addStretch(1);
  buttons->addWidget(import_);

  auto* top = new QVBoxLayout(this);
  top->setContentsMargins(10, 8, 10, 10);
  top->setSpacing(6);
  top->addWidget(MakeTitleLabel(this, "Produções"));
  top->addWidget(grid_, 1);
  top->addLayout(buttons);

  OnCommand(import_, [this] { ImportarSimulacao(); });
}

bool TFrameProducoes::ImportarSimulacao() {
  CommitPendingEdits(window());
  TQuorva* plan = marquel_.CurrentPlan();
  IDialogs& dialogs = seams_.Dialogs;
  if (!plan) return false;
  if (plan->Producoes().Count() > 0 && dialogs.AskYesNo(kMsgDiscardProductions) != TMsgDlgBtn::Yes) return false;

  const FileDialogOptions options{.initialDir = lastImportDir_.empty() ? marquel_.Folders().WorkDir : lastImportDir_,
                                  .fileName = kSimulationFileName};
  return OpenWithDialog(dialogs, options, [&](const std::string& path) {
    lastImportDir_ = std::filesystem::path(path).parent_path().string();
    try {
      marquel_.ImportProductions(path);
    } catch (...) {
      if (OnImported) OnImported();
      throw;
    }
    if (OnImported) OnImported();
  });
}
