#include "tallora/app/InventoryFrame.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "forms/FrameKit.h"
#include "model/items/SimulationData.h"
#include "platform/dbctrls/DbControls.h"
#include "platform/rtl/SysUtils.h"
#include "tallora/data/GrovanaData.h"

namespace {

constexpr int kEditWidth = 90;
constexpr int kLevels[3] = {1, 5, 10};
constexpr TInventoryType kTypes[3] = {TInventoryType::PlantingDensity, TInventoryType::TreesAtAge,
                                      TInventoryType::TreesAndSizeAtAge};

int Id(TInventoryType type) {
  return static_cast<int>(type);
}
int Id(TInventoryMode mode) {
  return static_cast<int>(mode);
}

DbLineEdit* NumberEdit(QWidget* parent, TDataSource* source, const char* field, const char* name) {
  auto* edit = Named(new DbLineEdit(parent, source, field), name);
  edit->setFixedWidth(kEditWidth);
  return edit;
}

// A labelled edit on the grid's next row, indented under its radio button.
void AddRow(QGridLayout* grid, int& row, QWidget* label, DbLineEdit* edit) {
  grid->addWidget(label, row, 1);
  grid->addWidget(edit, row, 2);
  ++row;
}

}  // namespace

TFrameInventory::TFrameInventory(QWidget* parent, TGrovana& grovana) : QWidget(parent), grovana_(grovana) {
  setObjectName("FrameInventory");
  ApplyFrameFont(this);
  TDataSource* source = &grovana_.dsSimulation();

  auto* typeBox = new QGroupBox(this);
  auto* grid = new QGridLayout(typeBox);
  grid->setColumnMinimumWidth(0, 18);
  grid->setColumnStretch(1, 1);
  grid->setHorizontalSpacing(8);
  grid->setVerticalSpacing(2);
  int row = 0;
  types_ = new QButtonGroup(this);
  const char* typeCaptions[3] = {
      "Número de árvores plantadas por hectare", "Número de árvores por hectare em determinada idade",
      "Número de árvores por hectare e área basal ou \ndiâmetro quadrático médio em det. idade"};
  const char* typeNames[3] = {"RadioButtonType1", "RadioButtonType2", "RadioButtonType3"};
  auto addType = [&](int i) {
    type_[i] = Named(new QRadioButton(typeCaptions[i], typeBox), typeNames[i]);
    types_->addButton(type_[i], Id(kTypes[i]));
    grid->addWidget(type_[i], row++, 0, 1, 3);
  };

  addType(0);
  initialTrees_ = NumberEdit(typeBox, source, "InitialTrees", "DBEditInitialTrees");
  initialTrees_->setToolTip("Número de Arvores por Ha");
  survival_ = NumberEdit(typeBox, source, "SurvivalPercentage", "DBEditSurvivalPercentage");
  AddRow(grid, row, MakeLabel(typeBox, "Densidade (árvores por hectare):", initialTrees_), initialTrees_);
  AddRow(grid, row, MakeLabel(typeBox, "Percentagem inicial de sobrevivência:", survival_), survival_);
  grid->setRowMinimumHeight(row++, 4);

  addType(1);
  age2_ = NumberEdit(typeBox, source, "InventoryAge", "DBEditInventoryAge2");
  trees2_ = NumberEdit(typeBox, source, "InventoryTrees", "DBEditInventoryTrees2");
  AddRow(grid, row, MakeLabel(typeBox, "Idade em que as condições são conhecidas:", age2_), age2_);
  AddRow(grid, row, MakeLabel(typeBox, "Densidade (árvores por hectare):", trees2_), trees2_);
  grid->setRowMinimumHeight(row++, 4);

  addType(2);
  trees3_ = NumberEdit(typeBox, source, "InventoryTrees", "DBEditInventoryTrees3");
  age3_ = NumberEdit(typeBox, source, "InventoryAge", "DBEditInventoryAge3");
  AddRow(grid, row, MakeLabel(typeBox, "Densidade (árvores por hectare):", trees3_), trees3_);
  AddRow(grid, row, MakeLabel(typeBox, "Idade em que as condições são conhecidas:", age3_), age3_);
  modes_ = new QButtonGroup(this);
  modeBaseArea_ = Named(new QRadioButton("Área basal:", typeBox), "RadioButtonBaseArea");
  modeDiameter_ = Named(new QRadioButton("Diâmetro quadrático médio:", typeBox), "RadioButtonMedianDiameter");
  modes_->addButton(modeBaseArea_, Id(TInventoryMode::BaseArea));
  modes_->addButton(modeDiameter_, Id(TInventoryMode::MedianDiameter));
  baseArea_ = NumberEdit(typeBox, source, "BaseArea", "DBEditBaseArea");
  diameter_ = NumberEdit(typeBox, source, "MedianDiameter", "DBEditMedianDiameter");
  baseArea_->SetFieldLabel(CaptionName(modeBaseArea_->text()));
  diameter_->SetFieldLabel(CaptionName(modeDiameter_->text()));
  AddRow(grid, row, modeBaseArea_, baseArea_);
  AddRow(grid, row, modeDiameter_, diameter_);

  auto* levelBox = new QGroupBox(this);
  auto* levels = new QGridLayout(levelBox);
  levels->setColumnMinimumWidth(0, 18);
  levels->setColumnStretch(1, 1);
  levels->setHorizontalSpacing(8);
  levels->setVerticalSpacing(2);
  homogeneity_ = NumberEdit(levelBox, source, "HomogeneityDegree", "DBEditHomogeneityDegree");
  levels->addWidget(MakeLabel(levelBox, "Nível de homogeneidade do plantio:", homogeneity_), 0, 0, 1, 2);
  levels->addWidget(homogeneity_, 0, 2);
  homogeneityLevels_ = new QButtonGroup(this);
  const char* levelCaptions[3] = {"Plantios heterogêneos = 1 a 4", "Plantios com homogeneidade média = 5 a 9",
                                  "Plantios homogêneos = 10"};
  const char* levelNames[3] = {"RadioButtonHeterogeneous", "RadioButtonMedium", "RadioButtonHomogeneous"};
  for (int i = 0; i < 3; ++i) {
    level_[i] = Named(new QRadioButton(levelCaptions[i], levelBox), levelNames[i]);
    homogeneityLevels_->addButton(level_[i], kLevels[i]);
    levels->addWidget(level_[i], i + 1, 1, 1, 2);
  }

  auto* top = new QVBoxLayout(this);
  top->setContentsMargins(10, 8, 10, 10);
  top->setSpacing(8);
  top->addWidget(MakeTitleLabel(this, "Inventário"));
  top->addWidget(typeBox);
  top->addWidget(levelBox);
  top->addStretch(1);

  for (int i = 0; i < 3; ++i) {
    OnCommand(type_[i], [this, i] {
      SelectInventoryType(kTypes[i]);
      SelectInventoryMode(TInventoryMode::NotChosen);
    });
    OnCommand(level_[i], [this, i] { grovana_.SetHomogeneityDegree(kLevels[i]); });
  }
  OnCommand(modeBaseArea_, [this] { SelectInventoryMode(TInventoryMode::BaseArea); });
  OnCommand(modeDiameter_, [this] { SelectInventoryMode(TInventoryMode::MedianDiameter); });
  connect(homogeneity_, &QLineEdit::textChanged, this, [this](const QString& text) { ShowHomogeneity(text); });
  ShowHomogeneity(homogeneity_->text());
}

void TFrameInventory::ShowInventory() {
  if (!grovana_.cdsSimulation().Active()) return;
  SelectInventoryType(grovana_.GetInventoryType());
  SelectInventoryMode(grovana_.GetInventoryMode());
}

void TFrameInventory::SelectInventoryType(TInventoryType type) {
  grovana_.SetInventoryType(type);
  QAbstractButton* button = types_->button(Id(type));
  if (!button) return;
  const bool planted = type == TInventoryType::PlantingDensity;
  const bool atAge = type == TInventoryType::TreesAtAge;
  const bool sized = type == TInventoryType::TreesAndSizeAtAge;
  BindEdit(initialTrees_, planted ? "InitialTrees" : "");
  BindEdit(survival_, planted ? "SurvivalPercentage" : "");
  BindEdit(age2_, atAge ? "InventoryAge" : "");
  BindEdit(trees2_, atAge ? "InventoryTrees" : "");
  BindEdit(trees3_, sized ? "InventoryTrees" : "");
  BindEdit(age3_, sized ? "InventoryAge" : "");
  if (sized) {
    modeBaseArea_->setEnabled(true);
    modeDiameter_->setEnabled(true);
  } else {
    CheckOnly(modes_, nullptr);
    modeBaseArea_->setEnabled(false);
    modeDiameter_->setEnabled(false);
    BindEdit(baseArea_, "");
    BindEdit(diameter_, "");
  }
  CheckOnly(types_, button);
}

void TFrameInventory::SelectInventoryMode(TInventoryMode mode) {
  grovana_.SetInventoryMode(mode);
  if (mode != TInventoryMode::NotChosen && !modes_->button(Id(mode))) return;
  // The mode belongs to type 3: under the other types its buttons and edits
  // stay disabled, whatever a file stored.
  if (grovana_.GetInventoryType() != TInventoryType::TreesAndSizeAtAge) return;
  CheckOnly(modes_, modes_->button(Id(mode)));
  BindEdit(baseArea_, mode == TInventoryMode::BaseArea ? "BaseArea" : "");
  BindEdit(diameter_, mode == TInventoryMode::MedianDiameter ? "MedianDiameter" : "");
}

void TFrameInventory::ShowHomogeneity(const QString& text) {
  const std::string trimmed = Trim(text.toStdString());
  int value = 0;
  QAbstractButton* level = nullptr;
  if (!trimmed.empty() && TryStrToInt(trimmed, value)) level = homogeneityLevels_->button(value);
  CheckOnly(homogeneityLevels_, level);
}
