#pragma once
// The group-bar widget set: its error routines and cursor loader, the
// auto-repeat scroll button, the list view that paints its own background and
// the vertical icon list (a one-column toolbar whose items act as buttons).

#include <QCursor>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

#include "platform/gui/ComCtrls.h"
#include "platform/gui/Controls.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Graphics.h"
#include "platform/gui/Images.h"
#include "platform/rtl/SysUtils.h"
#include "platform/services/Services.h"

class TPopupMenu;

// ---- Errors and cursors

// Raises Exception with the message.
[[noreturn]] void RaiseOutError(const std::string& message);
// Formats the text (Format) and raises it through RaiseOutError.
[[noreturn]] void RaiseOutErrorFmt(std::string_view format, std::initializer_list<FormatArg> args);
// The compiled-in cursor of that name; "Error loading cursor" when there is
// none.
QCursor LoadOutCursor(const std::string& name);

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

private:
  int selectedImageIndex_ = -1;
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

protected:
  virtual void DoAfterScroll();
  virtual void DoBeforeScroll();
  void Loaded() override;
  void Resized() override;
  void FontChanged() override;

  // The item drag: begun by a move of more than 5 pixels with an item
  // pressed (the release is then no click), ended by the release.
  void BeginItemDrag(TShiftState Shift);
  void EndItemDrag(int X, int Y);
  void CancelItemDrag();

private:
  friend class TGBVertListItem;
  TGBScrollButton* CreateScrollButton(TGBScrollButtonStyle style);
  void ItemDestroyed(TListItem* item);
  void RepaintStateItems();
  void HotLeaveTick();
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
};
