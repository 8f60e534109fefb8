// The vertical icon list: placing the caption editor in the one column.

#include <algorithm>

#include "widgets/gbOutBar.h"

bool TGBVertListView::EditLabel(TListItem* item) {
  // Selection changes the edit brings are no item presses.
  ++clickLock_;
  struct Lower {
    int& lock;
    ~Lower() { --lock; }
  } lower{clickLock_};
  return TCustomGBListViewEx::EditLabel(item);
}

bool TGBVertListView::BeginLabelEdit(TListItem* item) {
  editorSized_ = false;
  editedItem_ = item;
  const TRect label = GetItemRect(item, drLabel);
  editorPos_ = {label.Left + (ViewStyle() == vsSmallIcon ? 3 : 0), label.Top};
  ++clickLock_;
  bool allowed = false;
  try {
    allowed = TCustomGBListViewEx::BeginLabelEdit(item);
  } catch (...) {
    editedItem_ = nullptr;
    --clickLock_;
    throw;
  }
  if (!allowed) {
    // A refused edit never ends: undo what its start did.
    editedItem_ = nullptr;
    --clickLock_;
  }
  return allowed;
}

void TGBVertListView::EndLabelEdit(TListItem* item, bool accept, const std::string& text) {
  editedItem_ = nullptr;
  if (clickLock_ > 0) --clickLock_;
  TCustomGBListViewEx::EndLabelEdit(item, accept, text);
}

void TGBVertListView::PlaceLabelEditor(TCustomEdit& editor, TListItem* item) {
  const int cw = ClientWidth();
  const int textHeight = MeasureCanvas().GetTextMetrics().tmHeight;
  if (ViewStyle() == vsSmallIcon) {
    editor.PlaceWindow(Bounds(editorPos_.X, editorPos_.Y, cw - editorPos_.X - 10, textHeight + 4));
    return;
  }
  const int x = cw >= 20 ? 10 : 0;
  const int w = cw >= 20 ? cw - 20 : cw;
  const int y = editorPos_.Y - 2;
  int h = editor.Height();
  if (!editorSized_) {
    const TRect label = GetItemRect(item, drLabel);
    h = std::max(label.Height(), textHeight + 4);
  }
  // The width first: the line count depends on it.
  editor.PlaceWindow(Bounds(x, y, w, h));
  if (editorSized_) {
    h = textHeight * editor.LineCount() + 4;
    // Never past the list's bottom edge.
    h = std::min(h, ClientHeight() - y);
    editor.PlaceWindow(Bounds(x, y, w, h));
  }
}

void TGBVertListView::LabelEditorSelected(TCustomEdit& editor, TListItem* item) {
  editorSized_ = true;
  PlaceLabelEditor(editor, item);
}
