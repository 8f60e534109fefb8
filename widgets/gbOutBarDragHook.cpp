// The keyboard filter of an item drag and the unit's start-up.

#include "platform/gui/Forms.h"
#include "platform/gui/InputHub.h"
#include "widgets/gbOutBar.h"

TGBVertListView* DragHookView = nullptr;
int DragKeyboardHook = 0;

void InstallDragKeyboardHook(TGBVertListView* view) {
  // One filter at a time.
  if (DragKeyboardHook != 0) RemoveDragKeyboardHook();
  DragHookView = view;
  DragKeyboardHook = InputHub::Instance().SubscribeKeys(DragKeyboardHookProc);
}

void RemoveDragKeyboardHook() {
  if (DragKeyboardHook != 0) InputHub::Instance().Unsubscribe(DragKeyboardHook);
  DragKeyboardHook = 0;
  DragHookView = nullptr;
}

bool DragKeyboardHookProc(const TKeyStroke& key) {
  if (TGBVertListView* view = DragHookView; view && view->Dragging()) {
    if (key.Key == VK_CONTROL) {
      view->ReadDragCopyKey();
    } else if (key.Key == VK_ESCAPE) {
      view->CancelItemDrag();
    }
  }
  return DragHookView == nullptr;
}

namespace {
int unitCount = 0;
}

void InitOutBarUnit() {
  if (unitCount++ != 0) return;
  try {
    Screen::SetCursors(crDragMove, LoadOutCursor("OUTDRAGMOVE"));
    Screen::SetCursors(crDragCopy, LoadOutCursor("OUTDRAGCOPY"));
    Screen::SetCursors(crNoDrop, LoadOutCursor("OUTNODROP"));
  } catch (...) {
    --unitCount;
    throw;
  }
}

void DoneOutBarUnit() {
  if (unitCount > 0) --unitCount;
}
