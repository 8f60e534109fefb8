#include <algorithm>

#include "platform/db/DB.h"

// ---- TDataSource ----

const ClassInfo& TDataSource::StaticClass() {
  static const auto ci = ClassBuilder<TDataSource>("TDataSource", &TComponent::StaticClass()).Build();
  return *ci;
}

TDataSource::TDataSource(TComponent* owner) : TComponent(owner) {}

TDataSource::~TDataSource() {
  if (dataSet_) dataSet_->DetachSource(this);
  dataSet_ = nullptr;
  auto links = links_;
  links_.clear();
  for (TDataLink* l : links) {
    l->source_ = nullptr;
    try {
      l->UpdateState();
    } catch (...) {
    }
  }
}

void TDataSource::SetDataSet(TDataSet* dataSet) {
  if (dataSet == dataSet_) return;
  // Links see the old dataset go before the new one comes.
  if (dataSet_) {
    dataSet_->DetachSource(this);
    dataSet_ = nullptr;
    NotifyState(false);
  }
  dataSet_ = dataSet;
  if (dataSet_) dataSet_->AttachSource(this);
  NotifyState(false);
}

void TDataSource::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  NotifyState(false);
}

TDataSetState TDataSource::State() const {
  return dataSet_ && enabled_ ? dataSet_->State() : TDataSetState::Inactive;
}

void TDataSource::Edit() {
  if (autoEdit_ && State() == TDataSetState::Browse) dataSet_->Edit();
}

void TDataSource::NotifyState(bool quiet) {
  auto links = links_;
  for (TDataLink* l : links)
    if (std::find(links_.begin(), links_.end(), l) != links_.end()) l->UpdateState();
  const TDataSetState s = State();
  if (s == state_) return;
  state_ = s;
  if (!quiet && OnStateChange) OnStateChange(*this);
}

void TDataSource::DataEvent(TDataEvent event, TField* field, int info, bool quiet) {
  if (event == TDataEvent::deUpdateState) {
    NotifyState(quiet);
    return;
  }
  if (!enabled_) return;
  auto links = links_;
  for (TDataLink* l : links)
    if (std::find(links_.begin(), links_.end(), l) != links_.end()) l->Dispatch(event, field, info);
  if (quiet) return;
  switch (event) {
    case TDataEvent::deFieldChange:
    case TDataEvent::deRecordChange:
      if (OnDataChange) OnDataChange(*this, field);
      break;
    case TDataEvent::deDataSetChange:
    case TDataEvent::deDataSetScroll:
      if (OnDataChange) OnDataChange(*this, nullptr);
      break;
    case TDataEvent::deUpdateRecord:
      if (OnUpdateData) OnUpdateData(*this);
      break;
    default:
      break;
  }
}

void TDataSource::AttachLink(TDataLink* link) {
  if (std::find(links_.begin(), links_.end(), link) == links_.end()) links_.push_back(link);
}

void TDataSource::DetachLink(TDataLink* link) {
  links_.erase(std::remove(links_.begin(), links_.end(), link), links_.end());
}

// ---- TDataLink ----

TDataLink::~TDataLink() {
  if (source_) source_->DetachLink(this);
}

void TDataLink::SetDataSource(TDataSource* source) {
  if (source == source_) return;
  if (source_) {
    source_->DetachLink(this);
    source_ = nullptr;
    UpdateState();
  }
  source_ = source;
  if (source_) source_->AttachLink(this);
  UpdateState();
}

TDataSet* TDataLink::DataSet() const {
  return source_ ? source_->DataSet() : nullptr;
}

void TDataLink::SetReadOnly(bool v) {
  if (v == readOnly_) return;
  readOnly_ = v;
  UpdateState();
}

bool TDataLink::Edit() {
  if (!readOnly_ && source_) source_->Edit();
  return editing_;
}

void TDataLink::UpdateRecord() {
  if (updating_) return;
  updating_ = true;
  try {
    UpdateData();
  } catch (...) {
    updating_ = false;
    throw;
  }
  updating_ = false;
}

void TDataLink::UpdateState() {
  const TDataSetState s = source_ ? source_->State() : TDataSetState::Inactive;
  const bool active = s != TDataSetState::Inactive;
  const bool editing = !readOnly_ && (s == TDataSetState::Edit || s == TDataSetState::Insert);
  if (active != active_) {
    active_ = active;
    ActiveChanged();
  }
  if (editing != editing_) {
    editing_ = editing;
    EditingChanged();
  }
}

void TDataLink::Dispatch(TDataEvent event, TField* field, int info) {
  if (!active_) return;
  switch (event) {
    case TDataEvent::deFieldChange:
    case TDataEvent::deRecordChange:
      RecordChanged(field);
      break;
    case TDataEvent::deDataSetChange:
      DataSetChanged();
      break;
    case TDataEvent::deDataSetScroll:
      DataSetScrolled(info);
      break;
    case TDataEvent::deUpdateRecord:
      UpdateRecord();
      break;
    default:
      break;
  }
}

// ---- TFieldDataLink ----

void TFieldDataLink::SetFieldName(const std::string& name) {
  if (name == fieldName_) return;
  fieldName_ = name;
  UpdateField();
  if (OnDataChange) OnDataChange();
}

void TFieldDataLink::UpdateField() {
  TDataSet* ds = DataSet();
  field_ = Active() && ds && !fieldName_.empty() ? ds->FindField(fieldName_) : nullptr;
  modified_ = false;
}

bool TFieldDataLink::CanModify() const {
  return !ReadOnly() && field_ && field_->CanModify();
}

void TFieldDataLink::ActiveChanged() {
  UpdateField();
  if (OnActiveChange) OnActiveChange();
  if (OnDataChange) OnDataChange();
}

void TFieldDataLink::RecordChanged(TField* field) {
  if (field && field != field_) return;
  modified_ = false;
  if (OnDataChange) OnDataChange();
}

void TFieldDataLink::EditingChanged() {
  if (OnEditingChange) OnEditingChange();
}

void TFieldDataLink::UpdateData() {
  if (!modified_) return;
  if (OnUpdateData) OnUpdateData();
  modified_ = false;
}
