#include "platform/dbctrls/DbGrid.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QSignalBlocker>
#include <QStandardItemModel>
#include <QStyledItemDelegate>
#include <algorithm>

#include "platform/gui/Guard.h"
#include "platform/gui/InputHub.h"
#include "platform/gui/QtTypes.h"
#include "platform/rtl/ValueScope.h"
#include "platform/services/Services.h"

namespace {

// The editor property that marks text the user changed and not yet written.
constexpr const char* kDirty = "dbGridDirty";

bool IsDirty(const QWidget* editor) {
  return editor && editor->property(kDirty).toBool();
}

void SetDirty(QWidget* editor, bool dirty) {
  if (editor) editor->setProperty(kDirty, dirty);
}

std::string EditorText(const QWidget* editor) {
  if (auto* line = qobject_cast<const QLineEdit*>(editor)) return FromQString(line->text());
  if (auto* combo = qobject_cast<const QComboBox*>(editor)) return FromQString(combo->currentText());
  return {};
}

// The row header: marks the current record with a triangle (browsing), an
// I (inserting) or a pencil (editing).
class IndicatorHeader : public QHeaderView {
public:
  explicit IndicatorHeader(QWidget* parent) : QHeaderView(Qt::Vertical, parent) {}

protected:
  void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override {
    painter->save();
    QHeaderView::paintSection(painter, rect, logicalIndex);
    painter->restore();
    auto* m = dynamic_cast<DataSetTableModel*>(model());
    if (!m || !m->DataSet() || logicalIndex != m->CurrentRow()) return;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, true);
    const QColor ink = palette().color(QPalette::WindowText);
    const QPointF c = QRectF(rect).center();
    switch (m->DataSet()->State()) {
      case TDataSetState::Insert: {
        painter->setPen(QPen(ink, 1.2));
        painter->drawLine(QPointF(c.x(), c.y() - 4), QPointF(c.x(), c.y() + 4));
        painter->drawLine(QPointF(c.x() - 2, c.y() - 4.5), QPointF(c.x() + 2, c.y() - 4.5));
        painter->drawLine(QPointF(c.x() - 2, c.y() + 4.5), QPointF(c.x() + 2, c.y() + 4.5));
        break;
      }
      case TDataSetState::Edit: {
        // A pencil lying from the bottom left to the top right.
        QPainterPath pencil;
        pencil.moveTo(c.x() - 4.5, c.y() + 4.5);
        pencil.lineTo(c.x() - 3.5, c.y() + 1.5);
        pencil.lineTo(c.x() + 2.5, c.y() - 4.5);
        pencil.lineTo(c.x() + 4.5, c.y() - 2.5);
        pencil.lineTo(c.x() - 1.5, c.y() + 3.5);
        pencil.closeSubpath();
        painter->setPen(QPen(ink, 1));
        painter->setBrush(Qt::NoBrush);
        painter->drawPath(pencil);
        break;
      }
      default: {
        QPainterPath arrow;
        arrow.moveTo(c.x() - 2.5, c.y() - 4);
        arrow.lineTo(c.x() + 2.5, c.y());
        arrow.lineTo(c.x() - 2.5, c.y() + 4);
        arrow.closeSubpath();
        painter->setPen(Qt::NoPen);
        painter->setBrush(ink);
        painter->drawPath(arrow);
        break;
      }
    }
    painter->restore();
  }
};

}  // namespace

// ---- The link ----

class DbGrid::Link : public TDataLink {
public:
  explicit Link(DbGrid& grid) : grid_(grid) {}

protected:
  void ActiveChanged() override { grid_.DataSetChanged(); }
  void DataSetChanged() override { grid_.DataSetChanged(); }
  void DataSetScrolled(int) override { grid_.DataSetScrolled(); }
  void RecordChanged(TField*) override { grid_.RecordChanged(); }
  void EditingChanged() override { grid_.StateChanged(); }
  void UpdateData() override { grid_.CommitPendingEdit(); }

private:
  DbGrid& grid_;
};

// ---- The cell editors ----

class DbGrid::Delegate : public QStyledItemDelegate {
public:
  explicit Delegate(DbGrid& grid) : QStyledItemDelegate(&grid), grid_(grid) {}

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const override {
    const DbGridColumn& column = grid_.model_->Column(index.column());
    QWidget* editor = nullptr;
    if (!column.pickList.empty()) {
      auto* combo = new QComboBox(parent);
      combo->setEditable(false);
      for (const std::string& item : column.pickList) combo->addItem(ToQString(item));
      connect(combo, &QComboBox::activated, combo, [this, combo](int) {
        SetDirty(combo, true);
        Guard([&] { grid_.WriteEditor(combo); });
      });
      editor = combo;
    } else {
      auto* line = new QLineEdit(parent);
      line->setFrame(false);
      TField* field = grid_.model_->FieldOf(index.column());
      if (field && field->DataType() == TFieldType::String && field->Size() > 0)
        line->setMaxLength(std::min(field->Size(), 32767));
      connect(line, &QLineEdit::textEdited, line, [line] { SetDirty(line, true); });
      editor = line;
    }
    editor->installEventFilter(&grid_);
    // The list a pick list drops down takes the keys while it shows.
    if (auto* combo = qobject_cast<QComboBox*>(editor)) combo->view()->installEventFilter(&grid_);
    grid_.editor_ = editor;
    grid_.editorColumn_ = index.column();
    return editor;
  }

  void destroyEditor(QWidget* editor, const QModelIndex& index) const override {
    if (grid_.editor_ == editor) grid_.editor_ = nullptr;
    QStyledItemDelegate::destroyEditor(editor, index);
  }

  void setEditorData(QWidget* editor, const QModelIndex& index) const override {
    // Typed text stays until it is written or dropped.
    if (IsDirty(editor)) return;
    const QString text = index.data(Qt::EditRole).toString();
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
      const QSignalBlocker block(combo);
      const int items = static_cast<int>(grid_.model_->Column(index.column()).pickList.size());
      while (combo->count() > items) combo->removeItem(combo->count() - 1);
      int i = combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
      if (i < 0 && !text.isEmpty()) {
        combo->addItem(text);
        i = combo->count() - 1;
        if (auto* m = qobject_cast<QStandardItemModel*>(combo->model()))
          if (QStandardItem* item = m->item(i)) item->setEnabled(false);
      }
      combo->setCurrentIndex(i);
    } else if (auto* line = qobject_cast<QLineEdit*>(editor)) {
      if (line->text() != text) line->setText(text);
    }
  }

  void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex&) const override {
    if (!IsDirty(editor)) return;
    Guard([&] { grid_.WriteEditor(editor); });
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* editor = qobject_cast<QWidget*>(watched);
    if (!editor) return QStyledItemDelegate::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Tab || key == Qt::Key_Backtab) {
        // A text the field refuses keeps the editor open.
        bool written = false;
        Guard([&] {
          grid_.WriteEditor(editor);
          written = true;
        });
        if (!written) return true;
      }
    } else if (event->type() == QEvent::FocusOut) {
      const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
      // Another window or a popup (the drop-down list) is not leaving the cell.
      if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) return false;
      for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget())
        if (w == editor) return false;
      Guard([&] { grid_.WriteEditor(editor); });
      SetDirty(editor, false);
      emit closeEditor(editor, QAbstractItemDelegate::NoHint);
      return false;
    }
    return QStyledItemDelegate::eventFilter(watched, event);
  }

private:
  DbGrid& grid_;
};

// ---- DbGrid ----

DbGrid::DbGrid(QWidget* parent, TDataSource* source)
    : QTableView(parent), link_(std::make_unique<Link>(*this)), model_(new DataSetTableModel(this)) {
  setVerticalHeader(new IndicatorHeader(this));
  setModel(model_);
  delegate_ = new Delegate(*this);
  setItemDelegate(delegate_);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setWordWrap(false);
  setCornerButtonEnabled(false);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setSectionsMovable(false);
  horizontalHeader()->setStretchLastSection(true);
  horizontalHeader()->setMinimumSectionSize(16);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  verticalHeader()->setMinimumSectionSize(fontMetrics().height() + 2);
  verticalHeader()->setFixedWidth(14);
  horizontalHeader()->setFixedHeight(fontMetrics().height() + 8);
  ApplyOptions();
  SetDataSource(source);
}

DbGrid::~DbGrid() {
  // An open editor is dropped while the grid is whole, and the link goes
  // first: nothing reaches a half-destroyed grid.
  if (editor_) {
    SetDirty(editor_, false);
    closeEditor(editor_, QAbstractItemDelegate::NoHint);
  }
  link_.reset();
}

TDataSource* DbGrid::DataSource() const {
  return link_->DataSource();
}

void DbGrid::SetDataSource(TDataSource* source) {
  link_->SetDataSource(source);
  DataSetChanged();
}

TDataSet* DbGrid::DataSet() const {
  return link_->Active() ? link_->DataSet() : nullptr;
}

void DbGrid::SetColumns(const std::vector<DbGridColumn>& columns) {
  {
    TValueScope still(still_, true);
    model_->SetColumns(columns);
  }
  ApplyColumnWidths();
  SyncToCursor();
}

void DbGrid::SetColumnReadOnly(int column, bool readOnly) {
  model_->SetColumnReadOnly(column, readOnly);
}

void DbGrid::SetColumnForeground(int column, std::optional<QColor> color) {
  model_->SetColumnForeground(column, color);
}

void DbGrid::SetOptions(TDbGridOptions options) {
  options_ = options;
  ApplyOptions();
  SyncToCursor();
}

void DbGrid::SetReadOnly(bool readOnly) {
  model_->SetReadOnly(readOnly);
  ApplyOptions();
}

void DbGrid::ApplyOptions() {
  horizontalHeader()->setVisible((options_ & dgTitles) != 0);
  verticalHeader()->setVisible((options_ & dgIndicator) != 0);
  setShowGrid((options_ & dgLines) != 0);
  const bool rowSelect = (options_ & dgRowSelect) != 0;
  setSelectionBehavior(rowSelect ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
  const bool editing = (options_ & dgEditing) && !rowSelect && !model_->ReadOnly();
  setEditTriggers(editing ? QAbstractItemView::DoubleClicked | QAbstractItemView::AnyKeyPressed |
                                QAbstractItemView::EditKeyPressed
                          : QAbstractItemView::NoEditTriggers);
  setTabKeyNavigation(editing);
}

void DbGrid::ApplyColumnWidths() {
  const QFontMetrics fm(font());
  for (int c = 0; c < model_->ColumnCount(); ++c) {
    const DbGridColumn& column = model_->Column(c);
    int width = column.width;
    if (width <= 0) {
      const int chars = std::clamp(model_->FieldOf(c) ? model_->FieldOf(c)->DisplayWidth() : 10, 4, 20);
      const QString title = model_->headerData(c, Qt::Horizontal).toString();
      width = std::max(fm.averageCharWidth() * chars, fm.horizontalAdvance(title)) + 12;
    }
    setColumnWidth(c, width);
  }
}

// ---- Dataset to grid ----

void DbGrid::DataSetChanged() {
  {
    // The view's own reactions to a reset (an editor closing hands the focus
    // back, which picks the first cell) move no record.
    TValueScope still(still_, true);
    TDataSet* ds = DataSet();
    if (model_->DataSet() != ds)
      model_->SetDataSet(ds);
    else
      model_->Refresh();
  }
  ApplyColumnWidths();
  markedRow_ = model_->CurrentRow();
  SyncToCursor();
}

void DbGrid::DataSetScrolled() {
  TDataSet* ds = DataSet();
  const int rows = ds ? ds->RecordCount() + (ds->State() == TDataSetState::Insert ? 1 : 0) : 0;
  if (rows != model_->rowCount()) {
    DataSetChanged();
    return;
  }
  SyncToCursor();
}

void DbGrid::RecordChanged() {
  model_->CurrentRecordChanged();
}

void DbGrid::StateChanged() {
  const int row = model_->CurrentRow();
  model_->RowsMarked(row, row);
}

void DbGrid::SyncToCursor() {
  if (syncing_) return;
  TValueScope syncing(syncing_, true);
  const int row = model_->CurrentRow();
  if (row != markedRow_) {
    const int old = markedRow_;
    markedRow_ = row;
    model_->RowsMarked(old, old);
    model_->RowsMarked(row, row);
  }
  QItemSelectionModel* selection = selectionModel();
  if (!selection) return;
  if (row < 0 || model_->ColumnCount() == 0) {
    selection->clear();
    return;
  }
  const int column = std::clamp(currentIndex().isValid() ? currentIndex().column() : std::max(lastColumn_, 0), 0,
                                model_->ColumnCount() - 1);
  const QModelIndex target = model_->index(row, column);
  if (currentIndex() != target)
    selection->setCurrentIndex(target, SelectFlags());
  else
    selection->select(target, SelectFlags());
  scrollTo(target);
}

// ---- Grid to dataset ----

void DbGrid::DoMoveToRow(int row) {
  TDataSet* ds = DataSet();
  if (!ds || row < 0 || row == model_->CurrentRow()) return;
  int target = row + 1;
  if (ds->State() == TDataSetState::Insert) {
    // Leaving the new record posts it (it stays where it was shown) or drops
    // it (the rows below move up).
    const int insertRow = model_->InsertRow();
    const int before = ds->RecordCount();
    ds->CheckBrowseMode();
    if (ds->State() != TDataSetState::Browse) return;
    const bool posted = ds->RecordCount() > before;
    if (!posted && row > insertRow) target = row;
  }
  if (target != ds->RecNo()) ds->SetRecNo(target);
}

bool DbGrid::MoveToRow(int row) {
  bool moved = false;
  Guard([&] {
    DoMoveToRow(row);
    moved = true;
  });
  SyncToCursor();
  return moved;
}

void DbGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QTableView::currentChanged(current, previous);
  if (current.isValid() && current.column() != lastColumn_) {
    lastColumn_ = current.column();
    Guard([&] { emit columnEntered(lastColumn_); });
  }
  if (syncing_ || still_ || !current.isValid() || current.row() == model_->CurrentRow()) return;
  MoveToRow(current.row());
}

QModelIndex DbGrid::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) {
  const QModelIndex target = QTableView::moveCursor(cursorAction, modifiers);
  if (still_ || !target.isValid() || target.row() == model_->CurrentRow()) return target;
  MoveToRow(target.row());
  const int row = model_->CurrentRow();
  return row < 0 ? QModelIndex() : model_->index(row, target.column());
}

bool DbGrid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
  const bool opens = index.isValid() && state() != EditingState && (model_->flags(index) & Qt::ItemIsEditable) &&
                     (trigger == AllEditTriggers || (editTriggers() & trigger));
  bool opened = false;
  if (!opens) {
    Guard([&] { opened = QTableView::edit(index, trigger, event); });
    return opened;
  }
  // The record goes into edit state before its editor opens.
  bool editing = false;
  const int column = index.column();
  Guard([&] {
    if (index.row() != model_->CurrentRow()) DoMoveToRow(index.row());
    editing = link_->Edit();
  });
  const int row = model_->CurrentRow();
  if (!editing || row < 0) {
    SyncToCursor();
    return false;
  }
  const QModelIndex target = model_->index(row, column);
  if (currentIndex() != target) {
    TValueScope syncing(syncing_, true);
    selectionModel()->setCurrentIndex(target, SelectFlags());
  }
  Guard([&] { opened = QTableView::edit(target, trigger, event); });
  return opened;
}

void DbGrid::WriteEditor(QWidget* editor) {
  if (!editor || editor != editor_ || !IsDirty(editor)) return;
  if (!link_->Editing() && !link_->Edit()) throw EAbort();
  model_->WriteCell(editorColumn_, EditorText(editor));
  SetDirty(editor, false);
}

void DbGrid::CommitPendingEdit() {
  WriteEditor(editor_);
}

// ---- Keys and mouse ----

QItemSelectionModel::SelectionFlags DbGrid::SelectFlags() const {
  QItemSelectionModel::SelectionFlags flags = QItemSelectionModel::ClearAndSelect;
  if (options_ & dgRowSelect) flags |= QItemSelectionModel::Rows;
  return flags;
}

bool DbGrid::FilterKey(QKeyEvent* event) {
  return KeyFilter && KeyFilter(*event);
}

bool DbGrid::eventFilter(QObject* watched, QEvent* event) {
  auto* combo = qobject_cast<QComboBox*>(editor_.data());
  if (event->type() == QEvent::KeyPress && editor_ && (watched == editor_ || (combo && watched == combo->view()))) {
    bool swallow = false;
    Guard([&] { swallow = FilterKey(static_cast<QKeyEvent*>(event)); });
    if (swallow) return true;
  }
  return QTableView::eventFilter(watched, event);
}

void DbGrid::KeyCommand(QKeyEvent* event) {
  TDataSet* ds = DataSet();
  const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
  if (ds && !ReadOnly() && event->key() == Qt::Key_Insert && mods == Qt::NoModifier) {
    event->accept();
    ds->Insert();
    return;
  }
  if (ds && !ReadOnly() && event->key() == Qt::Key_Delete && mods == Qt::ControlModifier) {
    event->accept();
    if (ds->IsEmpty()) return;
    if ((options_ & dgConfirmDelete) && dialogs_) {
      CancelCaptureMode();
      if (dialogs_->AskYesNo(kMsgConfirmDelete) != TMsgDlgBtn::Yes) return;
    }
    ds->Delete();
    return;
  }
  if (ds && event->key() == Qt::Key_Escape && mods == Qt::NoModifier && ds->Editing()) {
    event->accept();
    ds->Cancel();
    return;
  }
  QTableView::keyPressEvent(event);
}

void DbGrid::keyPressEvent(QKeyEvent* event) {
  Guard([&] {
    if (FilterKey(event)) {
      event->accept();
      return;
    }
    KeyCommand(event);
  });
  SyncToCursor();
}

void DbGrid::mousePressEvent(QMouseEvent* event) {
  Guard([&] {
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && index.row() != model_->CurrentRow()) {
      const int clicked = index.row();
      if (!MoveToRow(clicked)) {
        event->accept();
        return;
      }
      const int row = model_->CurrentRow();
      if (row >= 0 && row != clicked) {
        // The rows moved under the pointer (a new record was dropped): the
        // press lands on the record that was clicked.
        const QRect cell = visualRect(model_->index(row, index.column()));
        const QPointF at(event->position().x(), cell.center().y());
        QMouseEvent moved(event->type(), at, event->globalPosition() + (at - event->position()), event->button(),
                          event->buttons(), event->modifiers());
        QTableView::mousePressEvent(&moved);
        return;
      }
    }
    QTableView::mousePressEvent(event);
  });
  SyncToCursor();
}

void DbGrid::focusInEvent(QFocusEvent* event) {
  {
    // Without a current cell the view picks the first one: not a move.
    TValueScope still(still_, true);
    Guard([&] { QTableView::focusInEvent(event); });
  }
  SyncToCursor();
}

void DbGrid::mouseMoveEvent(QMouseEvent* event) {
  Guard([&] { QTableView::mouseMoveEvent(event); });
  if (event->buttons() != Qt::NoButton) SyncToCursor();
}

void DbGrid::mouseReleaseEvent(QMouseEvent* event) {
  Guard([&] { QTableView::mouseReleaseEvent(event); });
  SyncToCursor();
}

void DbGrid::mouseDoubleClickEvent(QMouseEvent* event) {
  Guard([&] { QTableView::mouseDoubleClickEvent(event); });
}
