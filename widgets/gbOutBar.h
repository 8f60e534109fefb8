#pragma once
// The group-bar widget set: its error routines and cursor loader, the
// auto-repeat scroll button, the list view that paints its own background,
// the vertical icon list (a one-column toolbar whose items act as buttons and
// can be dragged to another place or list), the group bar (stacked captions
// over one page at a time) and the out bar (a group bar whose every group
// holds one vertical list following the bar's settings).

#include <QCursor>
#include <QImage>
#include <QPointer>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gui/ComCtrls.h"
#include "platform/gui/Controls.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Graphics.h"
#include "platform/gui/Images.h"
#include "platform/rtl/SysUtils.h"
#include "platform/services/Services.h"

class TPopupMenu;
class TGBVertListView;
struct TKeyStroke;

// ---- Errors and cursors

// Raises Exception with the message.
[[noreturn]] void RaiseOutError(const std::string& message);
// Formats the text (Format) and raises it through RaiseOutError.
[[noreturn]] void RaiseOutErrorFmt(std::string_view format, std::initializer_list<FormatArg> args);
// The compiled-in cursor of that name; "Error loading cursor" when there is
// none.
QCursor LoadOutCursor(const std::string& name);

// The unit's start-up, once per program (a counter keeps later calls from
// doing anything; DoneOutBarUnit only counts back): screen cursors 100
// (crDragMove, "OUTDRAGMOVE"), 101 (crDragCopy, "OUTDRAGCOPY") and crNoDrop
// ("OUTNODROP", for every drag of the program). Needs the QApplication; a
// missing cursor raises "Error loading cursor".
void InitOutBarUnit();
void DoneOutBarUnit();
constexpr TCursor crDragMove = 100;
constexpr TCursor crDragCopy = 101;

// ---- The keyboard filter of an item drag

// The list whose item drag the filter serves, and the filter's subscription
// on the input hub (0 when none). One drag at a time in the whole program.
extern TGBVertListView* DragHookView;
extern int DragKeyboardHook;
// Serves view's drag: subscribes DragKeyboardHookProc to every key.
void InstallDragKeyboardHook(TGBVertListView* view);
// Unsubscribes the filter; DragHookView becomes nullptr.
void RemoveDragKeyboardHook();
// While DragHookView drags, Ctrl (down or up) makes it re-read the Ctrl key
// (copy or move) and Escape cancels the drag. True swallows the key: the
// key that cancelled the drag never reaches its widget.
bool DragKeyboardHookProc(const TKeyStroke& key);

// ---- Auto-repeat scroll button

enum TGBScrollButtonStyle {
  gbsbs_ScrollDown,
  gbsbs_ScrollLeft,
  gbsbs_ScrollRight,
  gbsbs_ScrollUp,
  gbsbs_CaptionClose,
  gbsbs_CaptionHelp,
  gbsbs_CaptionMAX,
  gbsbs_CaptionMIN,
  gbsbs_CaptionRestore,
};

// A scroll-arrow or caption-button face. While the left button is held on
// it, OnSelect fires at once and then on every tick of the repeat timer
// (every Frequency ms) that finds the cursor over the button.
class TCustomGBScrollButton : public TCustomControl {
public:
  explicit TCustomGBScrollButton(TComponent* AOwner = nullptr);
  ~TCustomGBScrollButton() override;

  // True keeps the button a square of the scroll-bar width (set again on
  // every assignment).
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);
  TGBScrollButtonStyle ButtonStyle() const { return buttonStyle_; }
  void SetButtonStyle(TGBScrollButtonStyle value);
  int Frequency() const { return frequency_; }
  // Values of 0 or less are ignored.
  void SetFrequency(int value);
  // Held down with the cursor over it.
  bool Pressed() const { return pressed_; }
  TTimer& RepeatTimer() { return repeatTimer_; }

  TNotifyEvent OnSelect;

  void Paint() override;

protected:
  // Fires OnSelect while pressed.
  virtual void DoSelect();
  void DrawButtonFace(bool pushed);
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  // Hiding the button ends a press: the timer stops, the capture goes and
  // the button is no longer pressed.
  void VisibleChanged() override;

private:
  void RepeatTick();
  void ShowFace(bool pushed);

  TTimer repeatTimer_;
  bool autoSize_ = false;
  TGBScrollButtonStyle buttonStyle_ = gbsbs_ScrollDown;
  bool pressed_ = false;
  bool face_ = false;  // the face shows pushed
  int frequency_ = 100;
};

class TGBScrollButton : public TCustomGBScrollButton {
public:
  using TCustomGBScrollButton::TCustomGBScrollButton;
};

// ---- List view with a painted background

enum TBackgroundModeGlobal { bkmNone, bkmGradientHorz, bkmGradientVert, bkmCenter, bkmStretch, bkmTile };

// Paints its background (a colour, a gradient, or the Background picture
// centred, stretched or tiled), then the items, then AfterPaint.
class TCustomGBListViewEx : public TCustomListView {
public:
  explicit TCustomGBListViewEx(TComponent* AOwner = nullptr);
  ~TCustomGBListViewEx() override;

  TBitmap& Background() { return background_; }
  // Copies the picture; any change of the picture repaints.
  virtual void SetBackground(const TBitmap& value);
  TBackgroundModeGlobal BackgroundMode() const { return backgroundMode_; }
  virtual void SetBackgroundMode(TBackgroundModeGlobal value);
  TColor GradientBeginColor() const { return gradientBeginColor_; }
  // Repaints only while a gradient is shown.
  virtual void SetGradientBeginColor(TColor value);
  TColor GradientEndColor() const { return gradientEndColor_; }
  virtual void SetGradientEndColor(TColor value);

  // Paints the background into rect of the canvas, widened by one pixel to
  // the right and to the bottom; gradients and the stretched picture are laid
  // over the whole client area and clipped to that rectangle.
  void PaintBackground(const TRect& rect) override;

private:
  TBitmap background_;
  TBackgroundModeGlobal backgroundMode_ = bkmNone;
  TColor gradientBeginColor_ = clBlue;
  TColor gradientEndColor_ = clBlack;
};

// ---- Vertical icon list

class TGBVertListView;

// An item that can open a command, run its own click handler and show other
// images while hot or selected.
class TGBVertListItem : public TListItem {
public:
  explicit TGBVertListItem(TListItems* owner);
  // Clears the list's PressedItem when it is this item.
  ~TGBVertListItem() override;

  // Opened by ExecuteItem, with Parameters.
  std::string Command;
  std::string Parameters;
  // Shown while the item is hot; -1: the normal image.
  int HotImageIndex = -1;
  int SelectedImageIndex() const { return selectedImageIndex_; }
  // Shown while the item is selected; -1: the normal image. Repaints.
  void SetSelectedImageIndex(int value);
  // Fired by ItemClick, with the list as Sender.
  TNotifyEvent OnItemClick;
  // A disabled item shows its image and caption greyed; clicks still reach
  // the handlers. Repaints.
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);

private:
  int selectedImageIndex_ = -1;
  bool enabled_ = true;
};

enum TSelectionType { stStandard, stExpanded };

using TBeforeMouseDownEvent = std::function<void(TPersistent* Sender, int X, int Y)>;
using TGBButtonClickEvent = std::function<void(TPersistent* Sender, TListItem* Item)>;
using TExecuteItemEvent = std::function<void(TPersistent* Sender, TGBVertListItem* Item, bool& Processed)>;
using TPopupMenuEvent = std::function<void(TPersistent* Sender, TListItem* Item, TPopupMenu*& PopupMenu)>;

// A one-column toolbar: each item's image with its caption below (icons) or
// beside it (small icons), centred in the list's width, one slot after the
// other with ItemSpace between them. The list lays out, scrolls, hit-tests
// and draws its items itself; two arrow buttons appear when items lie beyond
// the top or the bottom edge. Pressing and releasing the left button on an
// item selects it and clicks it (ItemClick).
class TGBVertListView : public TCustomGBListViewEx {
public:
  explicit TGBVertListView(TComponent* AOwner = nullptr);
  ~TGBVertListView() override;

  // ---- Properties
  bool DragEnabled() const { return dragEnabled_; }
  virtual void SetDragEnabled(bool value);
  TColor DragPlaceColor() const { return dragPlaceColor_; }
  virtual void SetDragPlaceColor(TColor value);
  TColor HighlightColor() const { return highlightColor_; }
  virtual void SetHighlightColor(TColor value);
  TColor HighlightFontColor() const { return highlightFontColor_; }
  virtual void SetHighlightFontColor(TColor value);
  bool HighlightSelection() const { return highlightSelection_; }
  virtual void SetHighlightSelection(bool value);
  int ItemSpace() const { return itemSpace_; }
  // At least 5.
  void SetItemSpace(int value);
  int HalfItemSpace() const { return halfItemSpace_; }
  TSelectionType SelectionType() const { return selectionType_; }
  virtual void SetSelectionType(TSelectionType value);
  bool SunkSelected() const { return sunkSelected_; }
  virtual void SetSunkSelected(bool value);
  bool UseDblClick() const { return useDblClick_; }
  virtual void SetUseDblClick(bool value);
  int WrapLineCount() const { return wrapLineCount_; }
  // At least 1 ("Invalid property value").
  virtual void SetWrapLineCount(int value);
  // Icons and small icons only ("Invalid view style"); a change scrolls back
  // to the top.
  void SetViewStyle(TViewStyle value) override;

  // Opens items' commands; nullptr opens nothing.
  IShell* Shell() const { return shell_; }
  void SetShell(IShell* value) { shell_ = value; }

  TNotifyEvent OnAfterScroll;
  TNotifyEvent OnBeforeScroll;
  TBeforeMouseDownEvent OnBeforeMouseDown;
  TGBButtonClickEvent OnButtonClick;
  TExecuteItemEvent OnExecuteItem;
  TPopupMenuEvent OnPopupMenu;

  // ---- State
  TListItem* HotItem() const { return hotItem_; }
  TListItem* PressedItem() const { return pressedItem_; }
  TPoint ScrollOrigin() const { return scrollOrigin_; }
  int ItemMargin() const { return itemMargin_; }
  int ClickLock() const { return clickLock_; }
  int RedrawLock() const { return redrawLock_; }
  bool Dragging() const { return dragging_; }
  TGBScrollButton& DownButton() { return *downButton_; }
  TGBScrollButton& UpButton() { return *upButton_; }
  TTimer& HotLeaveTimer() { return hotLeaveTimer_; }
  TTimer& AutoScrollTimer() { return autoScrollTimer_; }
  // The drag copies the item (Ctrl) instead of moving it.
  bool Copying() const { return copying_; }
  // The control under the pointer at the last drag position and whether it
  // accepted the drop there.
  TControl* DropTarget() const { return dropTarget_.data(); }
  bool DropAccepted() const { return dropAccepted_; }
  // Where this list, as a drop target, would insert the dragged item; -1:
  // nowhere (no drop mark).
  int DropIndex() const { return dropIndex_; }
  // The item whose caption is being edited.
  TListItem* EditedItem() const { return editedItem_; }

  // ---- Layout and scrolling
  // Places the items one slot after the other from the top.
  void Relayout();
  // R.Bottom is the top of the caption: R gets the caption's wrapped height
  // (at most WrapLineCount lines) and is widened to the caption's width,
  // within 10 pixels of either edge.
  void LabelRect(TListItem* item, TRect& R);
  // The rectangle of the item's frame and highlight.
  TRect ItemRect(TListItem* item);
  // An item's height plus twice the margin plus ItemSpace.
  int SlotHeight(TListItem* item);
  bool IsItemVisible(TListItem* item, bool partial);
  bool MoreAbove();
  bool MoreBelow();
  // The first item whose top lies below the client's top edge.
  TListItem* FirstVisibleItem();
  void ScrollDownStep();
  void ScrollUpStep();
  void ScrollToItem(TListItem* item);
  void UpdateScrollButtons();

  // ---- Hot item and painting
  void SetHotItem(TListItem* item);
  // The item at the point (none over a visible scroll button) becomes hot.
  void UpdateHotItem(int X, int Y);
  // UpdateHotItem at the cursor.
  void UpdateHotItemAtCursor();
  // Invalidates ItemRect; nothing for the selected item while SunkSelected
  // unless forced.
  void InvalidateItem(TListItem* item, bool force = false);
  void DrawItem(TListItem* item);
  void DrawItemFrame(TListItem* item, TColor color1, TColor color2);
  void DrawItemState(TListItem* item, bool sunken);

  // ---- Items acting as buttons
  // Selects the item without a click.
  void SelectItem(TListItem* item);
  // ExecuteItem (unless UseDblClick), the item's OnItemClick, OnButtonClick.
  virtual void ItemClick(TListItem* item);
  // OnExecuteItem, else opens the item's Command; true when the handler took
  // care of it.
  virtual bool ExecuteItem(TListItem* item);
  // The list's PopupMenu, or what OnPopupMenu makes of it.
  virtual TPopupMenu* GetItemPopupMenu(TListItem* item);
  // After one of the items became selected; nothing here.
  virtual void SelectionChanged();

  // ---- What the list control does, taken over
  TRect GetItemRect(TListItem* item, TDisplayCode code) override;
  int HitTest(int X, int Y) override;
  bool ScrollBy(int dx, int dy) override;
  TPoint GetOrigin() override;
  void EnsureVisible(TListItem* item, bool partial) override;
  void Arrange() override;
  void InsertItem(TListItem* item) override;
  void DeleteItem(TListItem* item) override;
  void SetImageList(TImageList* list, bool large) override;
  void SetRedraw(bool on) override;
  void ItemSelectionChanged(TListItem* item, bool selected) override;
  void Change(TListItem* item, TItemChange change) override;
  TListItem* CreateListItem() override;
  void ItemPrePaint(TListItem* item) override;
  void PostPaint() override;

  TPopupMenu* GetPopupMenu() override;
  void KeyDown(int& Key, TShiftState Shift) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseLeave() override;
  void WMButtonDblClk(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  // Cancel the drag; the hot item goes.
  void CancelMode() override;
  void CaptureChanged(TControl* newHolder) override;

  // ---- The item drag. Begun by a move of more than 5 pixels with an item
  // pressed (the release is then no click); each move asks the control under
  // the pointer (DragOver) whether it takes the item there, the release drops
  // it (DragDrop and DoEndDrag), Escape, a right press, a loss of the capture
  // or deactivation cancel it. Ctrl copies instead of moving.
  void BeginItemDrag(TShiftState Shift);
  // The drag reached (X, Y) of this list's client area: the control left
  // behind and the one under the point are asked, the cursor shows the answer.
  void DragItemTo(int X, int Y);
  // The control's DragOver at (X, Y) of this list's client area.
  bool AskDropTarget(TControl* control, int X, int Y);
  void EndItemDrag(int X, int Y);
  void CancelItemDrag();
  // Ctrl is read again: copy or move, and the cursor to match.
  void ReadDragCopyKey();
  // The insertion index at (X, Y): 0 above the first item, i between items
  // i - 1 and i, the item count below a fully visible last item; -1 outside
  // the client area, on an item or below a partly hidden last item.
  int DropIndexAt(int X, int Y);
  // Scrolls one slot every Frequency of the arrow button while the dragged
  // item is held near the top (up) or bottom (down) edge.
  void StartAutoScroll(TControl* source, int X, bool down, int Y);
  void AutoScrollTick();
  // The strip the drop mark at DropIndex takes (empty when none).
  TRect DropMarkRect();
  // Shows or erases the drop mark at DropIndex.
  void DrawDropMark(bool draw);
  // Caption, data, image indexes, sub-items, Command, Parameters, OnItemClick,
  // SelectedImageIndex and Enabled; the hot image stays -1.
  void CopyItem(TListItem* source, TListItem* dest);

  // ---- As a drop target and as a drag source
  void DragOver(TPersistent* Source, int X, int Y, TDragState State, bool& Accept) override;
  void DragDrop(TPersistent* Source, int X, int Y) override;
  // Fires OnEndDrag; a drop into a vertical list inserts the item there (a
  // copy, or the item moves).
  void DoEndDrag(TPersistent* Target, int X, int Y) override;
  // Draws the drop mark.
  void AfterPaint() override;

  // ---- Caption editing: the list places the editor in its one column.
  bool EditLabel(TListItem* item) override;
  bool BeginLabelEdit(TListItem* item) override;
  void EndLabelEdit(TListItem* item, bool accept, const std::string& text) override;
  void PlaceLabelEditor(TCustomEdit& editor, TListItem* item) override;
  void LabelEditorSelected(TCustomEdit& editor, TListItem* item) override;

protected:
  virtual void DoAfterScroll();
  virtual void DoBeforeScroll();
  void Loaded() override;
  void Resized() override;
  void FontChanged() override;

private:
  friend class TGBVertListItem;
  TGBScrollButton* CreateScrollButton(TGBScrollButtonStyle style);
  void ItemDestroyed(TListItem* item);
  void RepaintStateItems();
  void HotLeaveTick();
  void StopDragServices();
  void ShowDragCursor();
  bool Going() const { return (ComponentState() & csDestroying) != 0; }

  TGBScrollButton* downButton_ = nullptr;
  TGBScrollButton* upButton_ = nullptr;
  TTimer hotLeaveTimer_;
  IShell* shell_ = nullptr;

  bool dragEnabled_ = true;
  TColor dragPlaceColor_ = clBlack;
  TColor highlightColor_ = clBtnFace;
  TColor highlightFontColor_ = clBlack;
  bool highlightSelection_ = false;
  int itemSpace_ = 10;
  int halfItemSpace_ = 5;
  TSelectionType selectionType_ = stStandard;
  bool sunkSelected_ = false;
  bool useDblClick_ = false;
  int wrapLineCount_ = 1;

  TPoint scrollOrigin_;
  int itemMargin_ = 0;
  TListItem* hotItem_ = nullptr;
  TListItem* pressedItem_ = nullptr;
  TListItem* previousSelection_ = nullptr;
  TPoint pressPoint_;
  bool mouseDown_ = false;
  bool cancelPress_ = false;
  bool dragging_ = false;
  bool copying_ = false;
  int clickLock_ = 0;
  int redrawLock_ = 0;

  bool dropAccepted_ = false;
  QPointer<TControl> dropTarget_;
  TCursor savedCursor_ = crDefault;
  int dropIndex_ = -1;
  int lastTargetIndex_ = -1;
  int deactivation_ = 0;
  TTimer autoScrollTimer_;
  bool autoScrollDown_ = false;
  QPointer<TControl> autoScrollSource_;
  TPoint autoScrollPoint_;

  TListItem* editedItem_ = nullptr;
  TPoint editorPos_;
  bool editorSized_ = false;
};

// ---- Group bar

class TCustomGBGroupBar;

// One group of a group bar: the caption button the bar draws for it, and the
// page (this control and its children) the bar shows while the group is the
// active one. A group is hidden until its bar activates it; only its bar
// places it (SetBounds does nothing).
class TGBOutBarGroup : public TCustomControl {
public:
  explicit TGBOutBarGroup(TComponent* AOwner = nullptr);
  // Leaves its bar first.
  ~TGBOutBarGroup() override;

  // The caption: an unchanged text does nothing, CaptionChanging may refuse
  // it, then CaptionChanged runs and the bar repaints.
  void SetText(const std::string& value) override;
  TAlignment CaptionAlignment() const { return captionAlignment_; }
  void SetCaptionAlignment(TAlignment value);
  // The caption button is twice the font's height; off: CaptionHeight.
  bool CaptionAutoSize() const { return captionAutoSize_; }
  void SetCaptionAutoSize(bool value);
  int CaptionHeight() const { return captionHeight_; }
  void SetCaptionHeight(int value);
  // The position in the bar; -1 without one. A new position is cut to the
  // last one; a negative one raises "Invalid property value". Moving the
  // active group keeps it active (through ActiveGroupIndex).
  int GroupIndex() const;
  void SetGroupIndex(int value);
  TCustomGBGroupBar* GroupBar() const { return groupBar_; }
  // Leaves the bar it is in and joins Bar at the end (activated unless Bar is
  // loading).
  void SetGroupBar(TCustomGBGroupBar* Bar);

  // The bar's GroupCaptionChanged / GroupCaptionChanging.
  virtual void CaptionChanged();
  virtual bool CaptionChanging(const std::string& NewCaption);
  // The caption's height or the font changed: the bar places its page again.
  void UpdateBarLayout();
  // "New Group", or "New Group" with the first free number after it.
  void SetDefaultCaption();

  // Fills the page with the group's colour.
  void Paint() override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

protected:
  // A group whose vertical list goes frees itself, later (never while it or
  // its bar is being destroyed).
  void Notification(TComponent* component, TComponentOperation operation) override;
  void ColorChanged() override;
  void EnabledChanged() override;
  void FontChanged() override;
  // A group that shows activates itself in its bar.
  void ShowingChanged() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
  friend class TCustomGBGroupBar;
  TCustomGBGroupBar* groupBar_ = nullptr;
  TAlignment captionAlignment_ = taCenter;
  bool captionAutoSize_ = true;
  int captionHeight_ = 20;
};

// An editor for a group's caption, owned and parented by its bar, hidden.
// Shown by code over a caption: Enter takes its text into the caption of the
// group at GroupIndex, Escape drops it, leaving it takes it.
class TGBOutBarGroupEdit : public TCustomEdit {
public:
  explicit TGBOutBarGroupEdit(TCustomGBGroupBar* bar);

  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int value) { groupIndex_ = value; }
  bool Finished() const { return finished_; }
  void SetFinished(bool value) { finished_ = value; }
  // The text becomes the caption of the group at GroupIndex (none outside
  // the bar's groups).
  void Commit();

  void KeyDown(int& Key, TShiftState Shift) override;
  void DoExit() override;

private:
  TCustomGBGroupBar* bar_;
  int groupIndex_ = 0;
  bool finished_ = false;
};

using TGroupChangingEvent = std::function<void(TPersistent* Sender, TGBOutBarGroup* NewGroup, bool& AllowChange)>;
using TGroupCaptionChangingEvent = std::function<void(TPersistent* Sender, TGBOutBarGroup* Group,
                                                      const std::string& NewGroupCaption, bool& CanChange)>;
using TGroupCaptionChangeEvent = std::function<void(TPersistent* Sender, TGBOutBarGroup* Group)>;

// Stacks the caption buttons of its groups and shows the page of the active
// group between them: the captions up to the active one at the top, the
// others at the bottom. A click on a caption (or a drag held over it for
// 500 ms) activates its group; OnChanging may veto. The switch slides the
// new page in over Frequency frames, synchronously: OnChanging and OnChange
// run on the caller's stack, OnChange before the setter returns.
class TCustomGBGroupBar : public TCustomControl {
public:
  explicit TCustomGBGroupBar(TComponent* AOwner = nullptr);
  // Frees the groups (they do not leave it one by one).
  ~TCustomGBGroupBar() override;

  // ---- Properties
  int ActiveGroupIndex() const { return activeGroupIndex_; }
  // -1, negative and unchanged values are ignored; an index at or past the
  // group count raises "Invalid ActiveGroupIndex value. Value must be
  // between 0 and N-1"; a disabled group is not activated. While loading the
  // value waits for Loaded.
  void SetActiveGroupIndex(int value);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle value);
  bool FlatGroups() const { return flatGroups_; }
  void SetFlatGroups(bool value);
  bool HotTrack() const { return hotTrack_; }
  void SetHotTrack(bool value);
  // Pixels of gap under each caption; negative raises "Invalid property value".
  int ButtonSpace() const { return buttonSpace_; }
  void SetButtonSpace(int value);
  TColor HotColor() const { return hotColor_; }
  void SetHotColor(TColor value);
  // Frames of a switch; negative values are ignored, below 2 no slide.
  int Frequency() const { return frequency_; }
  void SetFrequency(int value);
  TColor ButtonSpaceColor() const { return buttonSpaceColor_; }
  void SetButtonSpaceColor(TColor value);
  // Milliseconds each slide frame stays on the screen at least; new bars
  // take DefaultFramePause (15 ms; the test programs set 0).
  int FramePause() const { return framePause_; }
  void SetFramePause(int ms) { framePause_ = ms < 0 ? 0 : ms; }
  static int DefaultFramePause();
  static void SetDefaultFramePause(int ms);

  TNotifyEvent OnChange;
  TGroupChangingEvent OnChanging;
  TGroupCaptionChangeEvent OnGroupCaptionChanged;
  TGroupCaptionChangingEvent OnGroupCaptionChanging;
  // Told the offset d of each slide frame right after it was shown.
  std::function<void(int d)> OnAnimationFrame;

  // ---- Groups
  TGBOutBarGroup* Groups(int index) const;
  int GroupCount() const { return static_cast<int>(groups_.size()); }
  TGBOutBarGroup* GetActiveGroup() const;
  void ActivateGroup(TGBOutBarGroup* group);
  // A new group (owned by the bar's owner) with the default caption, at the
  // end; the first one becomes active.
  virtual TGBOutBarGroup* AddGroup();
  void AppendGroup(TGBOutBarGroup* group);
  // The group leaves the bar; the active index moves to a neighbour.
  void RemoveGroup(TGBOutBarGroup* group);
  TGBOutBarGroup* FindGroupByCaption(const std::string& caption) const;
  // No caption editor is ever shown: nothing to hide.
  void HideCaptionEditor() {}

  // ---- Layout (client coordinates)
  // The caption's button height plus ButtonSpace; 0 for a negative index.
  int CaptionSpan(int index) const;
  TRect GetCaptionRect(int index) const;
  TRect GetPageRect() const;
  // Places the active group on the page.
  void UpdatePageBounds();
  // The caption (with its gap) at the point, or -1; always -1 for a bar of
  // one group.
  int HitTestCaption(int X, int Y) const;
  bool IsGroupEnabled(int index) const;

  // ---- Drawing: outside a paint these repaint their area at once.
  void DrawFrame(const TRect& R);
  void DrawCaption(int index);

  // ---- Events and timers
  virtual void GroupCaptionChanged(TGBOutBarGroup* Group);
  virtual bool GroupCaptionChanging(TGBOutBarGroup* Group, const std::string& NewCaption);
  // The 500 ms wait of a drag held over a caption.
  TTimer& DragTimer() { return dragTimer_; }
  int DragIndex() const { return dragIndex_; }
  void DragSwitchTimer();
  // A move at the cursor, which brings the hover look back.
  void RefreshHotTracking();
  int HotIndex() const { return hotIndex_; }
  int PressedIndex() const { return pressedIndex_; }
  bool Pressed() const { return pressed_; }
  // The 100 ms hover timer (a window timer of the bar).
  static constexpr int kHoverTimer = 0x4742;
  bool HoverTimerRunning() const { return hoverTimerRunning_; }

  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  // Starts the 500 ms wait over a caption; accepts anywhere inside.
  void DragOver(TPersistent* Source, int X, int Y, TDragState State, bool& Accept) override;
  void CancelMode() override;
  void CaptureChanged(TControl* newHolder) override;
  void WindowTimer(int id) override;

protected:
  // Fires OnChange.
  virtual void Change();
  // Asks OnChanging.
  virtual bool Changing(TGBOutBarGroup* NewGroup);
  // Applies the index stored while loading (OnChange without OnChanging).
  void Loaded() override;
  void Resized() override;
  void FontChanged() override;
  void Ctl3DChanged() override;
  // Frees the groups now; the destructor of a derived bar calls it first.
  void FreeGroups();

private:
  friend class TGBOutBarGroup;
  class SlideOverlay;
  TRect InnerRect() const;
  TRect PageRectFor(int active) const;
  TRect CaptionRectFor(int index, int active) const;
  TRect CaptionArea(int index) const;
  void PaintCaption(int index);
  void PlaceActivePage(bool invalidateGroup);
  void Slide(TGBOutBarGroup* New, const TRect& O, const TRect& N, const TRect& B, bool down, const QImage& before);
  void FinishSwitch(TGBOutBarGroup* Old, TGBOutBarGroup* New, const TRect& N);
  void UpdateHandCursor(int hit);
  bool Going() const { return (ComponentState() & csDestroying) != 0; }

  std::vector<TGBOutBarGroup*> groups_;
  TTimer dragTimer_;
  int dragIndex_ = -1;
  bool flatGroups_ = true;
  bool hotTrack_ = false;
  bool inLoaded_ = false;
  int activeGroupIndex_ = -1;
  int pendingIndex_ = -1;
  int buttonSpace_ = 1;
  TColor buttonSpaceColor_ = clSilver;
  TColor hotColor_ = 0x800000;
  int frequency_ = 10;
  int framePause_;
  int hotIndex_ = -1;
  int pressedIndex_ = -1;
  bool pressed_ = false;
  bool hoverTimerRunning_ = false;
  TBorderStyle borderStyle_ = bsSingle;
  bool painting_ = false;
  bool animating_ = false;
  TRect animBand_;
  bool handCursor_ = false;
};

class TGBGroupBar : public TCustomGBGroupBar {
public:
  using TCustomGBGroupBar::TCustomGBGroupBar;
};

// The first child control of control (in child order) that is a T.
template <class T>
T* FindChildOfClass(TControl* control) {
  if (!control) return nullptr;
  for (int i = 0; i < control->ControlCount(); ++i) {
    if (auto* child = dynamic_cast<T*>(control->Controls(i))) return child;
  }
  return nullptr;
}

TGBVertListView* FindVertList(TControl* control);

// ---- Out bar

class TGBOutBar;

// The settings a list of an out bar can follow, in the bar's order.
enum TOutBarSetting {
  obsBackground,
  obsBackgroundMode,
  obsDragEnabled,
  obsDragPlaceColor,
  obsGradientBeginColor,
  obsGradientEndColor,
  obsHighlightColor,
  obsHighlightFontColor,
  obsHighlightSelection,
  obsSelectionType,
  obsSunkSelected,
  obsUseDblClick,
  obsWrapLineCount,
};
constexpr int kOutBarSettingCount = 13;

// The vertical list of an out bar's group. For each of the thirteen settings
// a Parent flag says whether the list follows the bar's value; a value of its
// own that differs from the list's turns the flag off, turning it on takes
// the bar's value at once. Without images of its own it shows the bar's.
// Its item events reach the bar's handlers too (with the list as Sender).
class TGBOutBarVertListView : public TGBVertListView {
public:
  explicit TGBOutBarVertListView(TComponent* AOwner = nullptr);
  ~TGBOutBarVertListView() override;

  // The Parent flag of a setting.
  bool Follows(TOutBarSetting setting) const { return follows_[setting]; }
  void SetFollows(TOutBarSetting setting, bool value);
  // Gives the list the bar's value of the setting through the list view's
  // own setter (the flag stays as it is).
  void TakeBarValue(TOutBarSetting setting);

  bool ParentBackground() const { return Follows(obsBackground); }
  void SetParentBackground(bool v) { SetFollows(obsBackground, v); }
  bool ParentBackgroundMode() const { return Follows(obsBackgroundMode); }
  void SetParentBackgroundMode(bool v) { SetFollows(obsBackgroundMode, v); }
  bool ParentDragEnabled() const { return Follows(obsDragEnabled); }
  void SetParentDragEnabled(bool v) { SetFollows(obsDragEnabled, v); }
  bool ParentDragPlaceColor() const { return Follows(obsDragPlaceColor); }
  void SetParentDragPlaceColor(bool v) { SetFollows(obsDragPlaceColor, v); }
  bool ParentGradientBeginColor() const { return Follows(obsGradientBeginColor); }
  void SetParentGradientBeginColor(bool v) { SetFollows(obsGradientBeginColor, v); }
  bool ParentGradientEndColor() const { return Follows(obsGradientEndColor); }
  void SetParentGradientEndColor(bool v) { SetFollows(obsGradientEndColor, v); }
  bool ParentHighlightColor() const { return Follows(obsHighlightColor); }
  void SetParentHighlightColor(bool v) { SetFollows(obsHighlightColor, v); }
  bool ParentHighlightFontColor() const { return Follows(obsHighlightFontColor); }
  void SetParentHighlightFontColor(bool v) { SetFollows(obsHighlightFontColor, v); }
  bool ParentHighlightSelection() const { return Follows(obsHighlightSelection); }
  void SetParentHighlightSelection(bool v) { SetFollows(obsHighlightSelection, v); }
  bool ParentSelectionType() const { return Follows(obsSelectionType); }
  void SetParentSelectionType(bool v) { SetFollows(obsSelectionType, v); }
  bool ParentSunkSelected() const { return Follows(obsSunkSelected); }
  void SetParentSunkSelected(bool v) { SetFollows(obsSunkSelected, v); }
  bool ParentUseDblClick() const { return Follows(obsUseDblClick); }
  void SetParentUseDblClick(bool v) { SetFollows(obsUseDblClick, v); }
  bool ParentWrapLineCount() const { return Follows(obsWrapLineCount); }
  void SetParentWrapLineCount(bool v) { SetFollows(obsWrapLineCount, v); }

  // The list's own image lists (nullptr: the bar's); what the list shows is
  // the list view's LargeImages/SmallImages.
  TImageList* LargeImages() const { return ownLarge_; }
  void SetLargeImages(TImageList* value);
  TImageList* SmallImages() const { return ownSmall_; }
  void SetSmallImages(TImageList* value);
  // Shows the own image lists, else those of the out bar the list's group
  // is in.
  void UpdateImages();
  // The bar of the group the list is in; nullptr when the list is not in an
  // out bar's group.
  TGBOutBar* GetOutBar() const;

  // ---- Own values: a differing one ends following the bar.
  void SetBackground(const TBitmap& value) override;
  void SetBackgroundMode(TBackgroundModeGlobal value) override;
  void SetGradientBeginColor(TColor value) override;
  void SetGradientEndColor(TColor value) override;
  void SetDragEnabled(bool value) override;
  void SetDragPlaceColor(TColor value) override;
  void SetSelectionType(TSelectionType value) override;
  void SetSunkSelected(bool value) override;
  void SetHighlightColor(TColor value) override;
  void SetHighlightFontColor(TColor value) override;
  void SetHighlightSelection(bool value) override;
  void SetUseDblClick(bool value) override;
  void SetWrapLineCount(int value) override;

  // ---- Item events, through the bar too
  void ItemClick(TListItem* item) override;
  bool ExecuteItem(TListItem* item) override;
  TPopupMenu* GetItemPopupMenu(TListItem* item) override;
  void SelectionChanged() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;

protected:
  void Notification(TComponent* component, TComponentOperation operation) override;

private:
  bool follows_[kOutBarSettingCount];
  TImageList* ownLarge_ = nullptr;
  TImageList* ownSmall_ = nullptr;
};

// A group bar whose every group holds one TGBOutBarVertListView filling its
// page. The bar's values of the thirteen list settings reach every list that
// follows them; its image lists serve lists without their own; OneSelected
// keeps one selection across the groups.
class TGBOutBar : public TGBGroupBar {
public:
  explicit TGBOutBar(TComponent* AOwner = nullptr);
  ~TGBOutBar() override;

  TBitmap& Background() { return background_; }
  // Copies the picture (any change of it reaches the following lists).
  void SetBackground(const TBitmap& value);
  TBackgroundModeGlobal BackgroundMode() const { return backgroundMode_; }
  void SetBackgroundMode(TBackgroundModeGlobal value);
  bool DragEnabled() const { return dragEnabled_; }
  void SetDragEnabled(bool value);
  TColor DragPlaceColor() const { return dragPlaceColor_; }
  void SetDragPlaceColor(TColor value);
  TColor GradientBeginColor() const { return gradientBeginColor_; }
  void SetGradientBeginColor(TColor value);
  TColor GradientEndColor() const { return gradientEndColor_; }
  void SetGradientEndColor(TColor value);
  TColor HighlightColor() const { return highlightColor_; }
  void SetHighlightColor(TColor value);
  TColor HighlightFontColor() const { return highlightFontColor_; }
  void SetHighlightFontColor(TColor value);
  bool HighlightSelection() const { return highlightSelection_; }
  void SetHighlightSelection(bool value);
  TSelectionType SelectionType() const { return selectionType_; }
  void SetSelectionType(TSelectionType value);
  bool SunkSelected() const { return sunkSelected_; }
  void SetSunkSelected(bool value);
  bool UseDblClick() const { return useDblClick_; }
  void SetUseDblClick(bool value);
  int WrapLineCount() const { return wrapLineCount_; }
  // Below 1 raises "Invalid property value" with nothing changed.
  void SetWrapLineCount(int value);
  TImageList* LargeImages() const { return largeImages_; }
  void SetLargeImages(TImageList* value);
  TImageList* SmallImages() const { return smallImages_; }
  void SetSmallImages(TImageList* value);
  bool OneSelected() const { return oneSelected_; }
  void SetOneSelected(bool value);

  // Sender is the list whose item it is.
  TGBButtonClickEvent OnButtonClick;
  TExecuteItemEvent OnExecuteItem;
  TPopupMenuEvent OnPopupMenu;

  // A group with its list, which follows every setting of the bar.
  TGBOutBarGroup* AddGroup() override;
  virtual TGBOutBarVertListView* CreateGroupListView();
  // With OneSelected: every list but that of G (the last group's for none)
  // loses its selection.
  void EnforceOneSelected(TGBOutBarGroup* G);
  // The picture changed: the following lists take it.
  void BackgroundChanged();
  // The list of each group that follows the setting takes the bar's value.
  void PushSetting(TOutBarSetting setting);

protected:
  void Notification(TComponent* component, TComponentOperation operation) override;

private:
  void ImagesChanged();

  TBitmap background_;
  TBackgroundModeGlobal backgroundMode_ = bkmNone;
  bool dragEnabled_ = true;
  TColor dragPlaceColor_ = clBlack;
  TColor gradientBeginColor_ = clBlue;
  TColor gradientEndColor_ = clBlack;
  TColor highlightColor_ = clBtnFace;
  TColor highlightFontColor_ = clBlack;
  bool highlightSelection_ = false;
  TSelectionType selectionType_ = stStandard;
  bool sunkSelected_ = false;
  bool useDblClick_ = false;
  int wrapLineCount_ = 1;
  TImageList* largeImages_ = nullptr;
  TImageList* smallImages_ = nullptr;
  bool oneSelected_ = false;
};
