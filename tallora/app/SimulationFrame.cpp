#include "tallora/app/SimulationFrame.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "forms/FrameKit.h"
#include "platform/dbctrls/DbControls.h"
#include "platform/dbctrls/PendingEdits.h"
#include "platform/gui/QtTypes.h"
#include "platform/services/FileDialogs.h"
#include "storage/DataModule.h"
#include "tallora/app/SimulationSummary.h"
#include "tallora/data/GrovanaData.h"

namespace {

constexpr const char* kMsgVerifySave = "Salvar a simulação corrente?";
constexpr const char* kMsgSimulationValid = "Os parâmetros para Simulação estão corretos!";
constexpr const char* kCaptionNewSimulation = "Tallora - Nova Simulação";

QPlainTextEdit* SummaryMemo(QWidget* parent, const char* name, int lines) {
  auto* memo = Named(new QPlainTextEdit(parent), name);
  memo->setReadOnly(true);
  memo->setLineWrapMode(QPlainTextEdit::NoWrap);
  memo->setFocusPolicy(Qt::NoFocus);
  const QFontMetrics fm(memo->font());
  memo->setFixedHeight(lines * fm.lineSpacing() + 2 * memo->frameWidth() + 10);
  return memo;
}

void SetLines(QPlainTextEdit* memo, const std::vector<std::string>& lines) {
  QStringList text;
  for (const std::string& line : lines) text << ToQString(line);
  memo->setPlainText(text.join('\n'));
}

}  // namespace

TFrameSimulation::TFrameSimulation(QWidget* parent, TGrovana& grovana, const TFrameSeams& seams)
    : QWidget(parent), grovana_(grovana), seams_(seams) {
  setObjectName("FrameSimulation");
  ApplyFrameFont(this);
  TDataSource* source = &grovana_.dsSimulation();

  title_ = MakeTitleLabel(this, "Simulação");
  species_ = Named(new DbLineEdit(this, source, "SpeciesName"), "DBEditSpeciesName");
  auto* description = Named(new DbLineEdit(this, source, "Description"), "EditDescricao");
  auto* siteIndex = Named(new DbLineEdit(this, source, "SiteIndex"), "EditIndiceSitio");
  siteIndex->setFixedWidth(80);
  inventory_ = SummaryMemo(this, "MemoInventario", 2);
  listings_ = SummaryMemo(this, "MemoListagens", 2);
  thinnings_ = Named(new QLineEdit(this), "EditDesbastes");
  thinnings_->setReadOnly(true);
  thinnings_->setFocusPolicy(Qt::NoFocus);

  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(8);
  grid->setVerticalSpacing(6);
  grid->setColumnStretch(2, 1);
  int row = 0;
  speciesLabel_ = MakeLabel(this, "Espécie:", species_);
  grid->addWidget(speciesLabel_, row, 0);
  grid->addWidget(species_, row++, 1, 1, 2);
  grid->addWidget(MakeLabel(this, "&Descrição:", description), row, 0);
  grid->addWidget(description, row++, 1, 1, 2);
  grid->addWidget(MakeLabel(this, "&Índice de Sítio:", siteIndex), row, 0);
  grid->addWidget(siteIndex, row++, 1);
  grid->setRowMinimumHeight(row++, 4);
  grid->addWidget(MakeLabel(this, "Inventário:"), row, 0, Qt::AlignTop);
  grid->addWidget(inventory_, row++, 1, 1, 2);
  grid->addWidget(MakeLabel(this, "Listagens:"), row, 0, Qt::AlignTop);
  grid->addWidget(listings_, row++, 1, 1, 2);
  grid->addWidget(MakeLabel(this, "Desbastes:"), row, 0);
  grid->addWidget(thinnings_, row++, 1, 1, 2);
  grid->setRowMinimumHeight(row++, 4);
  grid->addWidget(MakeLabel(this, "Equações:"), row++, 0);
  struct Author {
    const char* label;
    const char* field;
    const char* name;
  };
  for (const Author& a : {Author{"Sítio:", "SiteIndexEquationAuthor", "DBEditSiteIndexEquationAuthor"},
                          Author{"Volume:", "VolumeEquationAuthor", "DBEditVolumeEquationAuthor"},
                          Author{"Sortimento:", "ShapeFunctionEquationAuthor", "DBEditShapeFunctionEquationAuthor"}}) {
    auto* edit = Named(new DbLineEdit(this, source, a.field), a.name);
    edit->SetReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    auto* label = MakeLabel(this, a.label, edit);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(label, row, 0);
    grid->addWidget(edit, row++, 1, 1, 2);
  }

  QHBoxLayout* buttons = MakeCheckButtons(this, verify_, calculate_);

  auto* top = new QVBoxLayout(this);
  top->setContentsMargins(10, 8, 10, 10);
  top->setSpacing(8);
  top->addWidget(title_);
  top->addLayout(grid);
  top->addSpacing(6);
  top->addLayout(buttons);
  top->addStretch(1);

  OnCommand(verify_, [this] { ButtonVerificarClick(); });
  OnCommand(calculate_, [this] { Calculate(); });
  InstallDefaultButton(this, calculate_);
}

void TFrameSimulation::SetSpeciesVisible(bool visible) {
  speciesLabel_->setVisible(visible);
  species_->setVisible(visible);
}

void TFrameSimulation::New() {
  grovana_.NewSimulation();
  window()->setWindowTitle(kCaptionNewSimulation);
}

bool TFrameSimulation::Open() {
  return OpenWithDialog(
      seams_.Dialogs,
      {.title = "Abrir Simulação", .initialDir = grovana_.Folders().WorkDir, .documents = &seams_.Documents},
      [&](const std::string& path) { grovana_.LoadSimulation(path); });
}

bool TFrameSimulation::Save() {
  if (grovana_.SimulationNeedsName()) return SaveAs();
  return grovana_.SaveSimulation();
}

bool TFrameSimulation::SaveAs() {
  return SaveWithDialogChecked(seams_.Dialogs,
                               {.title = "Salvar Simulação",
                                .initialDir = grovana_.Folders().WorkDir,
                                .fileName = grovana_.ProposedFileName(),
                                .documents = &seams_.Documents},
                               [&](const std::string& path) { return grovana_.SaveSimulation(path); });
}

bool TFrameSimulation::Changed() {
  return grovana_.SimulationChanged();
}

std::string TFrameSimulation::SaveQuestion() const {
  return kMsgVerifySave;
}

std::string TFrameSimulation::Path() const {
  return grovana_.SimulationPath();
}

void TFrameSimulation::ButtonVerificarClick() {
  const bool valid = grovana_.Verify();
  const TSimulation* simulation = grovana_.CurrentSimulation();
  ReportCheck(valid, simulation ? &simulation->Errors() : nullptr, seams_.Dialogs, seams_.ErrorPresenter,
              kMsgSimulationValid);
}

void TFrameSimulation::Calculate() {
  if (OnCalculate) OnCalculate();
}

void TFrameSimulation::ShowSummary() {
  TDataSet& ds = grovana_.cdsSimulation();
  if (ds.Editing()) ds.Post();
  inventory_->clear();
  listings_->clear();
  thinnings_->clear();
  const TSimulation* simulation = grovana_.CurrentSimulation();
  if (!simulation) return;
  const TSimulationSummary summary = SummarizeSimulation(*simulation);
  SetLines(inventory_, summary.inventory);
  SetLines(listings_, summary.listing);
  thinnings_->setText(ToQString(summary.thinnings));
}
