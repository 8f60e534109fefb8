#pragma once
// The data-aware grid: a table view over a dataset, one row per record and,
// while a record is being inserted, one more row for it at the cursor. The
// grid's current row and the dataset's cursor follow each other both ways; a
// move the dataset refuses (an EAbort from one of its events, a failed post)
// leaves the grid on the dataset's record.
//
// Keys: Insert inserts a record, Ctrl+Del asks "Excluir o registro?" and
// deletes it, Esc cancels the record's changes (inside a cell editor it first
// reverts the cell). A cell editor writes through its field when Return, Tab,
// leaving the cell, a post or a command (CommitPendingEdits) ends it.

#include <QAbstractTableModel>
#include <QColor>
#include <QPointer>
#include <QTableView>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/db/DB.h"
#include "platform/dbctrls/DbControls.h"

class IDialogs;
class QKeyEvent;

// A grid column: a field by name and how the grid shows it.
struct DbGridColumn {
  std::string fieldName;
  // The header; empty: the field's display label.
  std::string title = {};
  bool readOnly = false;
  // Values offered by a drop-down cell editor; empty: a text editor.
  std::vector<std::string> pickList = {};
  // The text colour; none: the view's.
  std::optional<QColor> foreground = std::nullopt;
  // In pixels; 0: from the field's display width.
  int width = 0;
};

// The dataset as a table: the grid's rows and columns. It reads records
// through FieldTextAt, so painting never moves the cursor. The row count is
// taken at each Refresh (the grid calls it on every structural change).
class DataSetTableModel : public QAbstractTableModel {
public:
  explicit DataSetTableModel(QObject* parent = nullptr);

  TDataSet* DataSet() const { return dataSet_; }
  void SetDataSet(TDataSet* dataSet);
  // Columns; none: every visible field.
  void SetColumns(const std::vector<DbGridColumn>& columns);
  const std::vector<DbGridColumn>& Columns() const { return columns_; }
  int ColumnCount() const { return static_cast<int>(shown_.size()); }
  const DbGridColumn& Column(int column) const;
  void SetColumnReadOnly(int column, bool readOnly);
  void SetColumnForeground(int column, std::optional<QColor> color);
  // The field of a column; nullptr while closed or when the name is unknown.
  TField* FieldOf(int column) const;
  void SetReadOnly(bool readOnly);
  bool ReadOnly() const { return readOnly_; }

  // The row of the dataset's current record (the insert row while
  // inserting); -1 without one.
  int CurrentRow() const;
  // The row of the record being inserted; -1 unless inserting.
  int InsertRow() const;
  // The record (from 0) a row shows; -1 for the insert row.
  int RecordOfRow(int row) const;

  // Rereads everything (a model reset).
  void Refresh();
  // The current record changed in place.
  void CurrentRecordChanged();
  // The indicator of these rows changed.
  void RowsMarked(int first, int last);

  // Writes a cell of the current row through its field; raises what the
  // field raises.
  void WriteCell(int column, const std::string& text);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

private:
  std::string CellText(int row, int column, bool display) const;
  void ResolveFields();

  TDataSet* dataSet_ = nullptr;
  std::vector<DbGridColumn> columns_;
  // The columns shown, and their fields (nullptr while closed).
  std::vector<DbGridColumn> shown_;
  std::vector<TField*> fields_;
  int rows_ = 0;
  bool readOnly_ = false;
};

enum TDbGridOption : unsigned {
  dgEditing = 1,         // cells may be edited
  dgTitles = 2,          // a header row with the titles
  dgIndicator = 4,       // a narrow column marking the current record and its state
  dgLines = 8,           // column and row lines
  dgRowSelect = 16,      // the whole current row is highlighted, no cell editing
  dgConfirmDelete = 32,  // Ctrl+Del asks first
};
using TDbGridOptions = unsigned;
inline constexpr TDbGridOptions kDefaultGridOptions = dgEditing | dgTitles | dgIndicator | dgLines | dgConfirmDelete;

class DbGrid : public QTableView, public IDbPendingEdit {
  Q_OBJECT
public:
  explicit DbGrid(QWidget* parent = nullptr, TDataSource* source = nullptr);
  ~DbGrid() override;

  TDataSource* DataSource() const;
  void SetDataSource(TDataSource* source);
  TDataSet* DataSet() const;
  DataSetTableModel& Model() const { return *model_; }

  void SetColumns(const std::vector<DbGridColumn>& columns);
  void SetColumnReadOnly(int column, bool readOnly);
  void SetColumnForeground(int column, std::optional<QColor> color);

  TDbGridOptions Options() const { return options_; }
  void SetOptions(TDbGridOptions options);
  bool ReadOnly() const { return model_->ReadOnly(); }
  void SetReadOnly(bool readOnly);

  // Asks the delete question; without them, Ctrl+Del deletes unasked.
  void SetDialogs(IDialogs* dialogs) { dialogs_ = dialogs; }

  // Sees every key the grid and its cell editors get first; true swallows it.
  std::function<bool(QKeyEvent&)> KeyFilter;

  // The open cell editor, or nullptr.
  QWidget* CellEditor() const { return editor_; }
  // Writes the open cell editor's text through its field.
  void CommitPendingEdit() override;

signals:
  // The current column changed (by the user or by a move).
  void columnEntered(int column);

protected:
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
  QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
  bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  class Link;
  class Delegate;
  friend class Link;
  friend class Delegate;

  // Link events.
  void DataSetChanged();
  void DataSetScrolled();
  void RecordChanged();
  void StateChanged();

  // Moves the dataset to the record a row shows; false (the error reported)
  // when the dataset refused.
  bool MoveToRow(int row);
  void DoMoveToRow(int row);
  // Puts the view's current cell and selection on the dataset's record.
  void SyncToCursor();
  void ApplyOptions();
  void ApplyColumnWidths();
  void KeyCommand(QKeyEvent* event);
  // Writes an editor's text (raises); false when there was nothing to write.
  void WriteEditor(QWidget* editor);
  bool FilterKey(QKeyEvent* event);
  QItemSelectionModel::SelectionFlags SelectFlags() const;

  std::unique_ptr<Link> link_;
  DataSetTableModel* model_;
  Delegate* delegate_;
  TDbGridOptions options_ = kDefaultGridOptions;
  IDialogs* dialogs_ = nullptr;
  QPointer<QWidget> editor_;
  int editorColumn_ = -1;
  int markedRow_ = -1;
  bool syncing_ = false;
  // View changes move no record.
  bool still_ = false;
  int lastColumn_ = -1;
};
