#include "tallora/app/ThinCollectionFrame.h"

#include <QHeaderView>
#include <QLabel>
#include <QVBoxLayout>

#include "forms/FrameKit.h"
#include "platform/dbctrls/DbGrid.h"
#include "platform/dbctrls/DbNavigator.h"
#include "platform/gui/Guard.h"
#include "tallora/data/GrovanaData.h"

TFrameThinCollection::TFrameThinCollection(QWidget* parent, TGrovana& grovana, const TFrameSeams& seams)
    : QWidget(parent), grovana_(grovana) {
  setObjectName("FrameThinCollection");
  ApplyFrameFont(this);
  TDataSource* source = &grovana_.dsThin();
  IDialogs& dialogs = seams.Dialogs;

  grid_ = Named(new DbGrid(this, source), "DBGridThins");
  grid_->SetColumns({{"Age", "Idade", false, {}, std::nullopt, 46},
                     {"TypeName", "Tipo", false, {}, std::nullopt, 74},
                     {"RemanescentTrees", "Árv. remanescentes", false, {}, std::nullopt, 118},
                     {"RemanescentBaseArea", "A.basal reman.", false, {}, std::nullopt, 96},
                     {"CutRows", "Linha desbast.", false, {}, std::nullopt, 88}});
  grid_->SetReadOnly(true);
  grid_->SetDialogs(&dialogs);
  grid_->horizontalHeader()->setStretchLastSection(true);
  navigator_ = MakeEditNavigator(this, source, dialogs);

  auto* top = new QVBoxLayout(this);
  top->setContentsMargins(10, 8, 10, 10);
  top->setSpacing(6);
  top->addWidget(MakeTitleLabel(this, "Desbastes"));
  top->addWidget(grid_, 1);
  top->addWidget(navigator_, 0, Qt::AlignLeft);

  connect(grid_, &QAbstractItemView::doubleClicked, this, [this] { Guard([&] { SelectCurrent(); }); });
  // The new thinning is added after the current one's node is selected.
  navigator_->BeforeAction = [this](DbNavigator::Button button) {
    if (button == DbNavigator::Button::Insert) SelectCurrent();
  };
}

void TFrameThinCollection::SelectCurrent() {
  TDataSet& ds = grovana_.cdsThin();
  if (!mainWindow_ || !ds.Active() || ds.IsEmpty()) return;
  mainWindow_->SelectItem(ds.FieldByName("Id").AsInteger());
}
