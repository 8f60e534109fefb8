#include "tallora/app/ThinFrame.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "forms/FrameKit.h"
#include "model/items/ThinUnit.h"
#include "platform/dbctrls/DbControls.h"
#include "platform/gui/Guard.h"
#include "tallora/data/GrovanaData.h"

namespace {

constexpr int kEditWidth = 90;
// The type group's items, in order.
constexpr TThinType kTypes[3] = {TThinType::Selective, TThinType::Systematic, TThinType::RowsThenSelective};

// The type's item in the group, -1 for none.
int ItemOf(TThinType type) {
  for (int i = 0; i < 3; ++i)
    if (kTypes[i] == type) return i;
  return -1;
}

// The mode's button id.
int Id(TThinMode mode) {
  return static_cast<int>(mode);
}

DbLineEdit* NumberEdit(QWidget* parent, TDataSource* source, const char* field, const char* name) {
  auto* edit = Named(new DbLineEdit(parent, source, field), name);
  edit->setFixedWidth(kEditWidth);
  return edit;
}

}  // namespace

TFrameThin::TFrameThin(QWidget* parent, TGrovana& grovana) : QWidget(parent), grovana_(grovana) {
  setObjectName("FrameThin");
  ApplyFrameFont(this);
  TDataSource* source = &grovana_.dsThin();

  age_ = NumberEdit(this, source, "Age", "DBEditAge");
  auto* ageRow = new QHBoxLayout;
  ageRow->addWidget(MakeLabel(this, "Idade", age_));
  ageRow->addWidget(age_);
  ageRow->addStretch(1);

  type_ = Named(new DbRadioGroup(this, source, "TypeName"), "DBRadioGroupType");
  type_->setTitle(" Tipo ");
  type_->SetItems({"Seletivo", "Sistemático", "Sistematico seguido de Seletivo"});
  type_->SetValues({"Seletivo", "Sistemático", "Misto"});

  auto* targets = new QGridLayout;
  targets->setHorizontalSpacing(8);
  targets->setVerticalSpacing(6);
  targets->setColumnStretch(2, 1);
  rows_ = NumberEdit(this, source, "CutRows", "DBEditCutRows");
  rows_->setToolTip("A cada quantas linhas uma linha deve ser desbastada");
  rowLabel_ = MakeLabel(this, "           Informe a linha a ser desbastada:", rows_);
  remainingLabel_ = MakeLabel(this, "Desbaste da população remanescente");
  modes_ = new QButtonGroup(this);
  byBaseArea_ = Named(new QRadioButton("Fixando a Área basal", this), "RadioButtonBaseArea");
  byTrees_ = Named(new QRadioButton("Fixando o Número de árvores", this), "RadioButtonTrees");
  modes_->addButton(byBaseArea_, Id(TThinMode::RemainingBaseArea));
  modes_->addButton(byTrees_, Id(TThinMode::RemainingTrees));
  baseArea_ = NumberEdit(this, source, "", "DBEditRemanescentBaseArea");
  trees_ = NumberEdit(this, source, "", "DBEditRemanescentTrees");
  baseArea_->SetFieldLabel("Área basal");
  trees_->SetFieldLabel("Número de árvores");
  targets->addWidget(rowLabel_, 0, 0);
  targets->addWidget(rows_, 0, 1);
  targets->addWidget(remainingLabel_, 1, 0, 1, 3);
  targets->addWidget(byBaseArea_, 2, 0);
  targets->addWidget(baseArea_, 2, 1);
  targets->addWidget(byTrees_, 3, 0);
  targets->addWidget(trees_, 3, 1);

  results_ = Named(new QGroupBox("Resultados da Simulação Anterior", this), "GroupBoxResults");
  auto* form = new QFormLayout(results_);
  form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
  form->setHorizontalSpacing(8);
  form->setVerticalSpacing(5);
  struct Result {
    const char* label;
    const char* field;
    const char* name;
  };
  for (const Result& r : {Result{"Número de Árvores removidas:", "RemovedTrees", "DBEditRemovedTrees"},
                          Result{"Área Basal removida:", "RemovedBaseArea", "DBEditRemovedBaseArea"},
                          Result{"Diametro médio das árvores:", "MedianDiameter", "DBEditMedianDiameter"},
                          Result{"Altura média das árvores:", "MedianHeight", "DBEditMedianHeight"},
                          Result{"Volume total de produção do Desbaste:", "RemovedVolume", "DBEditRemovedVolume"}}) {
    DbLineEdit* edit = NumberEdit(results_, source, r.field, r.name);
    edit->SetReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    form->addRow(MakeLabel(results_, r.label), edit);
  }

  auto* top = new QVBoxLayout(this);
  top->setContentsMargins(10, 8, 10, 10);
  top->setSpacing(8);
  top->addWidget(MakeTitleLabel(this, "Desbaste"));
  top->addLayout(ageRow);
  top->addWidget(type_);
  top->addLayout(targets);
  top->addSpacing(4);
  top->addWidget(results_);
  top->addStretch(1);

  connect(type_, &DbRadioGroup::clicked, this, [this](int index) {
    results_->hide();
    Guard([&] { SelectThinType(kTypes[index]); });
  });
  OnCommand(byBaseArea_, [this] { SelectThinMode(TThinMode::RemainingBaseArea); });
  OnCommand(byTrees_, [this] { SelectThinMode(TThinMode::RemainingTrees); });
  // Only what the user types makes the results stale on this page; a
  // refresh of the record leaves the panel as ShowThin set it.
  for (DbLineEdit* edit : {age_, rows_, baseArea_, trees_})
    connect(edit, &QLineEdit::textEdited, results_, &QWidget::hide);
}

void TFrameThin::SelectThinType(TThinType type) {
  grovana_.SetThinType(type);
  if (!IsKnownThinType(type)) return;
  const bool rows = type == TThinType::RowsThenSelective;
  rowLabel_->setVisible(rows);
  rows_->setVisible(rows);
  remainingLabel_->setVisible(rows);
  CheckOnly(modes_, nullptr);
  byBaseArea_->setEnabled(true);
  byTrees_->setEnabled(true);
  BindEdit(baseArea_, "", rows);
  BindEdit(trees_, "", rows);
}

void TFrameThin::SelectThinMode(TThinMode mode) {
  grovana_.SetThinMode(mode);
  if (!IsKnownThinMode(mode)) return;
  const bool byBaseArea = mode == TThinMode::RemainingBaseArea;
  CheckOnly(modes_, byBaseArea ? byBaseArea_ : byTrees_);
  BindEdit(baseArea_, byBaseArea ? "RemanescentBaseArea" : "");
  BindEdit(trees_, byBaseArea ? "" : "RemanescentTrees");
}

void TFrameThin::ShowThin() {
  if (!grovana_.cdsThin().Active() || grovana_.cdsThin().IsEmpty()) return;
  const TThinType type = grovana_.GetThinType();
  type_->SetItemIndex(ItemOf(type));
  SelectThinType(type);
  SelectThinMode(grovana_.GetThinMode());
  results_->setVisible(grovana_.Calculated());
}
