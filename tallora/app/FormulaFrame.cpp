#include "tallora/app/FormulaFrame.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "forms/FrameKit.h"
#include "platform/dbctrls/DbControls.h"
#include "platform/dbctrls/DbGrid.h"
#include "platform/dbctrls/DbNavigator.h"
#include "platform/dbctrls/PendingEdits.h"
#include "platform/gui/QtTypes.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"
#include "platform/services/FileDialogs.h"
#include "tallora/app/EquationsForm.h"
#include "tallora/app/EquationsFrame.h"
#include "tallora/data/GrovanaData.h"

namespace {

constexpr int kVariableRows = 10;

int CurrentId(const TDataSet& ds) {
  return ds.Active() && !ds.IsEmpty() ? ds.FieldByName("Id").AsInteger() : -1;
}

}  // namespace

// Resets the workbench whenever the cursor reaches another formula, however
// it moved (navigator, grid, keys).
class TFrameFormula::FormulaWatch : public TDataLink {
public:
  explicit FormulaWatch(TFrameFormula& frame) : frame_(frame) {}

protected:
  void ActiveChanged() override { seen_ = DataSet() ? CurrentId(*DataSet()) : -1; }
  void DataSetChanged() override { Check(); }
  void DataSetScrolled(int) override { Check(); }

private:
  void Check() {
    const int id = CurrentId(*DataSet());
    if (id == seen_) return;
    seen_ = id;
    frame_.ResetEvaluation();
  }

  TFrameFormula& frame_;
  int seen_ = -1;
};

TFrameFormula::TFrameFormula(QWidget* parent, TGrovana& grovana, const TFrameSeams& seams)
    : QWidget(parent), grovana_(grovana), seams_(seams), watch_(std::make_unique<FormulaWatch>(*this)) {
  setObjectName("FrameFormula");
  ApplyFrameFont(this);
  TDataSource* source = &grovana_.dsFormula();
  IDialogs& dialogs = seams_.Dialogs;

  grid_ = Named(new DbGrid(this, source), "DBGridFormulas");
  grid_->SetColumns(
      {{"Id", "Id", true, {}, std::nullopt, 34}, {"Description", "Descrição", false, {}, std::nullopt, 110}});
  grid_->SetDialogs(&dialogs);
  grid_->horizontalHeader()->setStretchLastSection(true);
  navigator_ = MakeEditNavigator(this, source, dialogs);

  auto* description = Named(new DbLineEdit(this, source, "Description"), "DBEditDescription");
  auto* author = Named(new DbLineEdit(this, source, "Author"), "DBEditAuthor");
  auto* type = Named(new DbComboBox(this, source, "EquationType"), "DBComboBoxEquationType");
  type->SetItems(
      {kTypeSiteIndexEquation, kTypeVolumeEquation, kTypeShapeFunctionEquation, kTypeShapeFunctionIntegral2});
  type->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  type->setMinimumContentsLength(12);
  auto* associated = Named(new DbLineEdit(this, source, "AssociatedFormula"), "DBEditAssociatedFormula");
  associated->setFixedWidth(60);
  auto* pickAssociated = Named(new QPushButton("...", this), "ButtonCatalogo");
  pickAssociated->setFixedWidth(32);
  auto* expression = Named(new DbTextEdit(this, source, "Expression"), "DBMemoExpression");
  expression->setFixedHeight(66);
  expression->setWordWrapMode(QTextOption::WrapAnywhere);

  variables_ = Named(new QTableWidget(kVariableRows, 2, this), "StringGridVariables");
  variables_->horizontalHeader()->hide();
  variables_->verticalHeader()->hide();
  variables_->verticalHeader()->setDefaultSectionSize(20);
  variables_->setColumnWidth(0, 70);
  variables_->horizontalHeader()->setStretchLastSection(true);
  variables_->setFixedHeight(kVariableRows * 20 + 2 * variables_->frameWidth());
  result_ = Named(new QLineEdit(this), "EditResult");
  result_->setReadOnly(true);
  auto* compile = Named(new QPushButton("&Compilar", this), "ButtonCompile");
  auto* assign = Named(new QPushButton("A&tribuir", this), "ButtonSet");
  evaluate_ = Named(new QPushButton("A&valiar", this), "ButtonEvaluate");

  // The list at the left, the record's edits at the right.
  auto* list = new QVBoxLayout;
  list->setSpacing(4);
  list->addWidget(MakeLabel(this, "&Fórmulas:", grid_));
  list->addWidget(grid_, 1);
  list->addWidget(navigator_, 0, Qt::AlignLeft);

  auto* record = new QGridLayout;
  record->setHorizontalSpacing(8);
  record->setVerticalSpacing(6);
  record->setColumnStretch(1, 1);
  record->addWidget(MakeLabel(this, "&Descrição:", description), 0, 0);
  record->addWidget(description, 0, 1, 1, 2);
  record->addWidget(MakeLabel(this, "&Autor:", author), 1, 0);
  record->addWidget(author, 1, 1, 1, 2);
  record->addWidget(MakeLabel(this, "&Tipo:", type), 2, 0);
  record->addWidget(type, 2, 1, 1, 2);
  auto* associatedRow = new QHBoxLayout;
  associatedRow->setSpacing(4);
  associatedRow->addWidget(associated);
  associatedRow->addWidget(pickAssociated);
  associatedRow->addStretch(1);
  record->addWidget(MakeLabel(this, "Fó&rmula Associada:", associated), 3, 0);
  record->addLayout(associatedRow, 3, 1, 1, 2);
  auto* expressionLabel = MakeLabel(this, "&Expressão:", expression);
  record->addWidget(expressionLabel, 4, 0, 1, 3);
  record->addWidget(expression, 5, 0, 1, 3);
  record->setRowStretch(6, 1);

  auto* upper = new QHBoxLayout;
  upper->setSpacing(12);
  upper->addLayout(list, 4);
  upper->addLayout(record, 6);

  // The workbench below.
  auto* buttons = new QVBoxLayout;
  buttons->setSpacing(6);
  buttons->addWidget(compile);
  buttons->addWidget(assign);
  buttons->addWidget(evaluate_);
  buttons->addSpacing(8);
  buttons->addWidget(MakeLabel(this, "Resultado:", result_));
  buttons->addWidget(result_);
  buttons->addStretch(1);
  auto* bench = new QGridLayout;
  bench->setHorizontalSpacing(12);
  bench->setVerticalSpacing(4);
  bench->addWidget(MakeLabel(this, "&Variáveis:", variables_), 0, 0);
  bench->addWidget(variables_, 1, 0);
  bench->addLayout(buttons, 1, 1);
  bench->setColumnStretch(0, 1);
  bench->setColumnStretch(1, 1);

  auto* top = new QVBoxLayout(this);
  top->setContentsMargins(10, 8, 10, 10);
  top->setSpacing(8);
  top->addWidget(MakeTitleLabel(this, "Catálogo de Fórmulas"));
  top->addLayout(upper, 1);
  top->addLayout(bench);

  OnCommand(compile, [this] { ButtonCompileClick(); });
  OnCommand(assign, [this] { ButtonSetClick(); });
  OnCommand(evaluate_, [this] { ButtonEvaluateClick(); });
  OnCommand(pickAssociated, [this] { ButtonCatalogoClick(); });
  InstallDefaultButton(this, evaluate_);

  navigator_->BeforeAction = [this](DbNavigator::Button button) {
    using B = DbNavigator::Button;
    // The standard formulas stay, without a word.
    if (button == B::Delete && CurrentId(grovana_.cdsFormula()) >= 0 &&
        CurrentId(grovana_.cdsFormula()) < kProtectedFormulas)
      throw EAbort();
    if (button == B::Prior || button == B::Next || button == B::Insert || button == B::Delete) ResetEvaluation();
  };
  watch_->SetDataSource(source);
}

TFrameFormula::~TFrameFormula() = default;

bool TFrameFormula::Open() {
  return OpenWithDialog(seams_.Dialogs,
                        {.title = "Abrir Catálogo de Fórmulas", .initialDir = grovana_.Folders().ExeDir},
                        [&](const std::string& path) {
                          grovana_.LoadFormulas(path);
                          ResetEvaluation();
                          seams_.ErrorPresenter.HideErrorsOf(kTitleFormulaErrors);
                        });
}

bool TFrameFormula::Save() {
  return grovana_.SaveFormulas();
}

std::string TFrameFormula::Path() const {
  return grovana_.FormulasPath();
}

bool TFrameFormula::Changed() {
  return grovana_.FormulasChanged();
}

bool TFrameFormula::SaveAs() {
  return SaveWithDialogChecked(seams_.Dialogs, {.title = "Salvar Fórmulas", .initialDir = grovana_.Folders().ExeDir},
                               [&](const std::string& path) { return grovana_.SaveFormulas(path); });
}

TFormula* TFrameFormula::FindCurrent() {
  TFormula* formula = grovana_.FindFormula(CurrentId(grovana_.cdsFormula()));
  remembered_ = formula ? formula->Id() : -1;
  return formula;
}

TFormula* TFrameFormula::RememberedFormula() const {
  return remembered_ >= 0 ? grovana_.FindFormula(remembered_) : nullptr;
}

void TFrameFormula::ButtonCompileClick() {
  if (TFormula* formula = FindCurrent()) formula->CheckSyntax();
}

void TFrameFormula::ButtonSetClick() {
  TFormula* formula = FindCurrent();
  if (!formula) return;
  for (int row = 0; row < kVariableRows; ++row) {
    const QTableWidgetItem* nameItem = variables_->item(row, 0);
    const std::string name = Trim(nameItem ? nameItem->text().toStdString() : "");
    if (name.empty()) continue;
    const QTableWidgetItem* valueItem = variables_->item(row, 1);
    double value = 0;
    if (!TryStrToFloat(Trim(valueItem ? valueItem->text().toStdString() : ""), value))
      throw Exception("Erro de Valor da variavel " + name);
    formula->AssignVariable(name, value);
  }
}

void TFrameFormula::ButtonEvaluateClick() {
  TFormula* formula = FindCurrent();
  if (!formula) return;
  formula->CheckSyntax();
  result_->setText(ToQString(FormatFloat("#0.0000", formula->GetValue())));
}

void TFrameFormula::ButtonCatalogoClick() {
  TDataSet& ds = grovana_.cdsFormula();
  const int recNo = ds.RecNo();
  TFormula* chosen = Picker().PickFormula(kTypeShapeFunctionIntegral,
                                          {kTypeShapeFunctionIntegral, kTypeShapeFunctionIntegral2});
  if (!chosen || !ds.Active() || ds.IsEmpty()) return;
  if (ds.RecNo() != recNo) ds.SetRecNo(recNo);
  if (!ds.Editing()) ds.Edit();
  ds.FieldByName("AssociatedFormula").SetAsInteger(chosen->Id());
  ds.Refresh();
}

void TFrameFormula::ResetEvaluation() {
  remembered_ = -1;
  for (int row = 0; row < kVariableRows; ++row)
    for (int column = 0; column < 2; ++column)
      if (QTableWidgetItem* item = variables_->item(row, column)) item->setText(QString());
  result_->clear();
  seams_.ErrorPresenter.HideErrors();
}

TFormEquations& TFrameFormula::Picker() {
  if (!picker_) picker_ = new TFormEquations(this, grovana_);
  return *picker_;
}
