#include "quorva/app/QuorvaFrame.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "forms/FrameKit.h"
#include "model/items/ErrorsUnit.h"
#include "platform/dbctrls/DbControls.h"
#include "platform/dbctrls/PendingEdits.h"
#include "platform/services/FileDialogs.h"
#include "quorva/model/MarquelData.h"
#include "storage/DataModule.h"

namespace {

constexpr const char* kMsgVerifySave = "Salvar o Plano corrente ?";
constexpr const char* kMsgPlanValid = "Os parâmetros para cálculo do Plano estão corretos!";
constexpr const char* kCaptionNewPlan = "Quorva - Novo Projeto";
constexpr int kNumberWidth = 90;

QFormLayout* Form() {
  auto* form = new QFormLayout;
  form->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
  form->setHorizontalSpacing(10);
  form->setVerticalSpacing(6);
  return form;
}

DbLineEdit* NumberEdit(QWidget* parent, TDataSource* source, const char* field, const char* name) {
  auto* edit = Named(new DbLineEdit(parent, source, field), name);
  edit->setFixedWidth(kNumberWidth);
  return edit;
}

}  // namespace

TFrameQuorva::TFrameQuorva(QWidget* parent, TMarquel& marquel, const TFrameSeams& seams)
    : QWidget(parent), marquel_(marquel), seams_(seams) {
  setObjectName("FrameQuorva");
  ApplyFrameFont(this);
  TDataSource* source = &marquel_.dsQuorva();

  auto* description = Named(new DbLineEdit(this, source, "Descricao"), "EditDescricao");
  description->setFixedWidth(220);
  auto* finalAge = NumberEdit(this, source, "IdadeFinal", "EditIdadeFinal");
  auto* rate = NumberEdit(this, source, "TaxaAtratividade", "EditTaxaAtratividade");
  auto* plan = Form();
  plan->addRow(MakeLabel(this, "&Descrição:", description), description);
  plan->addRow(MakeLabel(this, "&Idade Final:", finalAge), finalAge);
  plan->addRow(MakeLabel(this, "Taxa de &Atratividade:", rate), rate);

  // Bound to their fields only while the box is ticked.
  auto* range = new QGroupBox(this);
  sensitivity_ = Named(new QCheckBox("Análise de &Sensibilidade", range), "CheckBoxAnaliseSensibilidade");
  rateStart_ = NumberEdit(range, source, "", "EditTaxaJurosInicial");
  rateEnd_ = NumberEdit(range, source, "", "EditTaxaJurosFinal");
  rateStep_ = NumberEdit(range, source, "", "EditTaxaJurosIncremento");
  for (DbLineEdit* edit : {rateStart_, rateEnd_, rateStep_}) edit->setEnabled(false);
  auto* rates = Form();
  rates->setContentsMargins(22, 0, 0, 0);
  rates->addRow(MakeLabel(range, "Taxa de Juros &Inicial:", rateStart_), rateStart_);
  rates->addRow(MakeLabel(range, "Taxa de Juros &Final:", rateEnd_), rateEnd_);
  rates->addRow(MakeLabel(range, "In&cremento:", rateStep_), rateStep_);
  auto* rangeLayout = new QVBoxLayout(range);
  rangeLayout->setContentsMargins(10, 8, 10, 10);
  rangeLayout->setSpacing(8);
  rangeLayout->addWidget(sensitivity_);
  rangeLayout->addLayout(rates);

  QHBoxLayout* buttons = MakeCheckButtons(this, verify_, calculate_);

  auto* top = new QVBoxLayout(this);
  top->setContentsMargins(10, 8, 10, 10);
  top->setSpacing(10);
  top->addWidget(MakeTitleLabel(this, "Plano"));
  top->addLayout(plan);
  top->addWidget(range);
  top->addLayout(buttons);
  top->addStretch(1);

  OnCommand(sensitivity_, [this] { CheckBoxAnaliseSensibilidadeClick(); });
  OnCommand(verify_, [this] { ButtonVerificarClick(); });
  OnCommand(calculate_, [this] { ButtonCalcularClick(); });
  InstallDefaultButton(this, calculate_);
  ShowAnaliseSensibilidade();
}

void TFrameQuorva::New() {
  marquel_.NewPlan();
  window()->setWindowTitle(kCaptionNewPlan);
  ShowAnaliseSensibilidade();
}

bool TFrameQuorva::Open() {
  const FileDialogOptions options{.initialDir = marquel_.Folders().WorkDir, .documents = &seams_.Documents};
  return OpenWithDialog(seams_.Dialogs, options, [&](const std::string& path) {
    marquel_.OpenPlan(path);
    ShowAnaliseSensibilidade();
  });
}

bool TFrameQuorva::Save() {
  CommitPendingEdits(window());
  if (marquel_.NeedsNewName()) return SaveAs();
  return marquel_.SavePlan(marquel_.PlanPath());
}

bool TFrameQuorva::SaveAs() {
  CommitPendingEdits(window());
  return SaveWithDialogChecked(seams_.Dialogs,
                               {.title = "Salvar Plano",
                                .initialDir = marquel_.Folders().WorkDir,
                                .fileName = marquel_.ProposedFileName(),
                                .documents = &seams_.Documents},
                               [&](const std::string& path) { return marquel_.SavePlan(path); });
}

bool TFrameQuorva::Changed() {
  return marquel_.PlanChanged();
}

std::string TFrameQuorva::SaveQuestion() const {
  return kMsgVerifySave;
}

std::string TFrameQuorva::Path() const {
  return marquel_.PlanPath();
}

void TFrameQuorva::SelectAnaliseSensibilidade(int value) {
  marquel_.SetTemAnaliseSensibilidade(value);
  const bool on = value == 1;
  {
    const QSignalBlocker block(sensitivity_);
    sensitivity_->setChecked(on);
  }
  BindEdit(rateStart_, on ? "TaxaJurosInicial" : "");
  BindEdit(rateEnd_, on ? "TaxaJurosFinal" : "");
  BindEdit(rateStep_, on ? "IncrementoTaxaJuros" : "");
}

void TFrameQuorva::ShowAnaliseSensibilidade() {
  SelectAnaliseSensibilidade(marquel_.GetTemAnaliseSensibilidade());
}

void TFrameQuorva::CheckBoxAnaliseSensibilidadeClick() {
  SelectAnaliseSensibilidade(sensitivity_->isChecked() ? 1 : 0);
}

void TFrameQuorva::ButtonVerificarClick() {
  const bool valid = marquel_.Verify();
  ReportCheck(valid, &marquel_.Errors(), seams_.Dialogs, seams_.ErrorPresenter, kMsgPlanValid);
}

void TFrameQuorva::ButtonCalcularClick() {
  if (OnCalculate) OnCalculate();
}
