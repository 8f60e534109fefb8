#include <QBrush>
#include <algorithm>

#include "platform/dbctrls/DbControls.h"
#include "platform/dbctrls/DbGrid.h"
#include "platform/gui/Guard.h"
#include "platform/gui/QtTypes.h"

DataSetTableModel::DataSetTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void DataSetTableModel::SetDataSet(TDataSet* dataSet) {
  if (dataSet == dataSet_) return;
  dataSet_ = dataSet;
  Refresh();
}

void DataSetTableModel::SetColumns(const std::vector<DbGridColumn>& columns) {
  columns_ = columns;
  Refresh();
}

const DbGridColumn& DataSetTableModel::Column(int column) const {
  if (column < 0 || column >= ColumnCount()) ThrowListIndexError(column);
  return shown_[static_cast<std::size_t>(column)];
}

void DataSetTableModel::SetColumnReadOnly(int column, bool readOnly) {
  if (column < 0 || column >= ColumnCount()) ThrowListIndexError(column);
  // Default columns become set ones, so the change outlives the next refresh.
  if (columns_.empty()) columns_ = shown_;
  shown_[static_cast<std::size_t>(column)].readOnly = readOnly;
  columns_[static_cast<std::size_t>(column)].readOnly = readOnly;
  if (rows_ > 0) emit dataChanged(index(0, column), index(rows_ - 1, column));
}

void DataSetTableModel::SetColumnForeground(int column, std::optional<QColor> color) {
  if (column < 0 || column >= ColumnCount()) ThrowListIndexError(column);
  if (columns_.empty()) columns_ = shown_;
  shown_[static_cast<std::size_t>(column)].foreground = color;
  columns_[static_cast<std::size_t>(column)].foreground = color;
  if (rows_ > 0) emit dataChanged(index(0, column), index(rows_ - 1, column), {Qt::ForegroundRole});
}

TField* DataSetTableModel::FieldOf(int column) const {
  if (column < 0 || column >= static_cast<int>(fields_.size())) return nullptr;
  return fields_[static_cast<std::size_t>(column)];
}

void DataSetTableModel::SetReadOnly(bool readOnly) {
  if (readOnly == readOnly_) return;
  readOnly_ = readOnly;
  if (rows_ > 0 && ColumnCount() > 0) emit dataChanged(index(0, 0), index(rows_ - 1, ColumnCount() - 1));
}

void DataSetTableModel::ResolveFields() {
  const bool active = dataSet_ && dataSet_->Active();
  shown_.clear();
  fields_.clear();
  if (!columns_.empty()) {
    shown_ = columns_;
  } else if (active) {
    for (int i = 0; i < dataSet_->FieldCount(); ++i) {
      TField& f = dataSet_->Fields(i);
      if (f.Visible()) shown_.push_back(DbGridColumn{f.FieldName()});
    }
  }
  for (const DbGridColumn& c : shown_) fields_.push_back(active ? dataSet_->FindField(c.fieldName) : nullptr);
}

void DataSetTableModel::Refresh() {
  beginResetModel();
  ResolveFields();
  rows_ = 0;
  if (dataSet_ && dataSet_->Active())
    rows_ = dataSet_->RecordCount() + (dataSet_->State() == TDataSetState::Insert ? 1 : 0);
  endResetModel();
}

int DataSetTableModel::InsertRow() const {
  if (!dataSet_ || dataSet_->State() != TDataSetState::Insert) return -1;
  return std::clamp(dataSet_->RecNo() - 1, 0, dataSet_->RecordCount());
}

int DataSetTableModel::CurrentRow() const {
  if (!dataSet_ || !dataSet_->Active()) return -1;
  if (dataSet_->State() == TDataSetState::Insert) return InsertRow();
  const int n = dataSet_->RecNo();
  return n >= 1 && n <= dataSet_->RecordCount() ? n - 1 : -1;
}

int DataSetTableModel::RecordOfRow(int row) const {
  const int insertRow = InsertRow();
  if (insertRow < 0 || row < insertRow) return row;
  return row == insertRow ? -1 : row - 1;
}

void DataSetTableModel::CurrentRecordChanged() {
  const int row = CurrentRow();
  if (row < 0 || row >= rows_ || ColumnCount() == 0) return;
  emit dataChanged(index(row, 0), index(row, ColumnCount() - 1));
}

void DataSetTableModel::RowsMarked(int first, int last) {
  first = std::max(first, 0);
  last = std::min(last, rows_ - 1);
  if (first <= last) emit headerDataChanged(Qt::Vertical, first, last);
}

void DataSetTableModel::WriteCell(int column, const std::string& text) {
  TField* field = FieldOf(column);
  if (!field) return;
  // Reported under the column's title, as the header shows it.
  SetFieldText(*field, text, Column(column).title);
}

std::string DataSetTableModel::CellText(int row, int column, bool display) const {
  try {
    TField* field = FieldOf(column);
    if (!field || !dataSet_ || !dataSet_->Active() || row < 0 || row >= rows_) return {};
    if (row == CurrentRow()) return display ? field->DisplayText() : field->Text();
    const int record = RecordOfRow(row);
    if (record < 0 || record >= dataSet_->RecordCount()) return {};
    if (display) return dataSet_->FieldTextAt(record, *field);
    return field->GetText(dataSet_->FieldValueAt(record, *field), false);
  } catch (...) {
    // Painting never fails; a record that went away shows nothing.
    return {};
  }
}

int DataSetTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

int DataSetTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : ColumnCount();
}

QVariant DataSetTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.column() >= ColumnCount()) return {};
  switch (role) {
    case Qt::DisplayRole:
      return ToQString(CellText(index.row(), index.column(), true));
    case Qt::EditRole:
      return ToQString(CellText(index.row(), index.column(), false));
    case Qt::ForegroundRole: {
      const auto& fg = shown_[static_cast<std::size_t>(index.column())].foreground;
      if (fg) return QBrush(*fg);
      return {};
    }
    case Qt::TextAlignmentRole: {
      TField* field = FieldOf(index.column());
      const bool numeric = field &&
                           (field->DataType() == TFieldType::Integer || field->DataType() == TFieldType::Float);
      return QVariant::fromValue(Qt::AlignVCenter | (numeric ? Qt::AlignRight : Qt::AlignLeft));
    }
    default:
      return {};
  }
}

QVariant DataSetTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount()) return {};
  if (role == Qt::DisplayRole) {
    const DbGridColumn& c = shown_[static_cast<std::size_t>(section)];
    if (!c.title.empty()) return ToQString(c.title);
    if (TField* field = FieldOf(section)) return ToQString(field->DisplayName());
    return ToQString(c.fieldName);
  }
  if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignVCenter | Qt::AlignLeft);
  return {};
}

Qt::ItemFlags DataSetTableModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  TField* field = FieldOf(index.column());
  if (!readOnly_ && field && field->CanModify() && !shown_[static_cast<std::size_t>(index.column())].readOnly)
    f |= Qt::ItemIsEditable;
  return f;
}

bool DataSetTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || role != Qt::EditRole || index.row() != CurrentRow()) return false;
  if (!(flags(index) & Qt::ItemIsEditable) || !dataSet_ || !dataSet_->Editing()) return false;
  bool written = false;
  Guard([&] {
    WriteCell(index.column(), FromQString(value.toString()));
    written = true;
  });
  return written;
}
