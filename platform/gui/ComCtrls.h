#pragma once
// The list view: items with a caption, images and a position, shown as icons
// (image above its caption) or small icons (image left of its caption), one
// selected item at most.
//
// What a list view control does by itself is a set of virtual methods, so a
// descendant can take over any of them: item geometry (GetItemRect), hit
// testing (HitTest), scrolling (ScrollBy, GetOrigin, EnsureVisible), layout
// (Arrange, SetItemPosition), insertion and deletion (InsertItem,
// DeleteItem), image lists (SetImageList), the redraw lock (SetRedraw), item
// changes (Change, ItemSelectionChanged) and caption editing (EditLabel,
// BeginLabelEdit, EndLabelEdit, PlaceLabelEditor). A paint runs
// PaintBackground, ItemPrePaint for each item in index order, PostPaint and
// AfterPaint, in that order, onto Canvas().
//
// Base geometry, with image size w x h from the view style's image list (0 x 0
// without one) and the font's line height:
//   icons:       icon (x, y, x + w + 4, y + h + 4); label one line high right
//                below it, as wide as the icon; bounds = both
//   small icons: icon (x, y, x + w, y + max(h, line)); label to its right,
//                the caption's width + 4 wide; bounds = both
// where (x, y) is the item's position less the view's origin.

#include <QPointer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/gui/Canvas.h"
#include "platform/gui/Controls.h"
#include "platform/gui/Images.h"
#include "platform/gui/StdCtrls.h"

class TCustomListView;
class TListItems;

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };
// The rectangles of an item, in the order of the platform's codes.
enum TDisplayCode { drBounds, drIcon, drLabel, drSelectBounds };
enum TItemChange { ctText, ctImage, ctState };

// The keys that move a list's focus: arrows, Home, End, Page Up, Page Down.
bool IsNavigationKey(int key);

class TListItem : public TPersistent {
public:
  explicit TListItem(TListItems* owner);
  // An item still in its list leaves it (DeleteItem).
  ~TListItem() override;

  TListItems* Owner() const { return owner_; }
  TCustomListView* ListView() const;
  int Index() const;

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& value);
  void* Data() const { return data_; }
  void SetData(void* value) { data_ = value; }
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int value);

  bool Selected() const { return selected_; }
  void SetSelected(bool value);
  bool Focused() const;
  void SetFocused(bool value);
  // In the view's coordinates (client coordinates plus the origin).
  TPoint Position() const { return position_; }
  void SetPosition(TPoint value);

  TRect DisplayRect(TDisplayCode code) const;
  void MakeVisible(bool partial);
  bool EditCaption();
  void CancelEdit();
  // Repaints the item.
  void Update();
  // Frees the item.
  void Delete();

  // Caption, data and image index of another item.
  void Assign(const TPersistent& source) override;

private:
  friend class TListItems;
  friend class TCustomListView;

  TListItems* owner_;
  bool attached_ = false;
  std::string caption_;
  void* data_ = nullptr;
  int imageIndex_ = -1;
  bool selected_ = false;
  TPoint position_;
};

class TListItems : public TPersistent {
public:
  explicit TListItems(TCustomListView* owner);
  // Frees the items without telling the view.
  ~TListItems() override;

  TCustomListView* Owner() const { return owner_; }
  int Count() const { return static_cast<int>(items_.size()); }
  // Raises the list index error for a bad index.
  TListItem* Item(int index) const;
  TListItem* operator[](int index) const { return Item(index); }
  int IndexOf(const TListItem* item) const;

  // A new item (made by the view's CreateListItem) at the end or at index.
  TListItem* Add();
  TListItem* Insert(int index);
  void Delete(int index);
  void Clear();

  // Nested; the view's redraw is off from the first BeginUpdate to the last
  // EndUpdate.
  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return updateCount_; }
  // The items are being freed with the list.
  bool Destroying() const { return destroying_; }

  std::vector<TListItem*>::const_iterator begin() const { return items_.begin(); }
  std::vector<TListItem*>::const_iterator end() const { return items_.end(); }

private:
  friend class TListItem;
  friend class TCustomListView;
  void ItemDestroyed(TListItem* item);

  TCustomListView* owner_;
  std::vector<TListItem*> items_;
  int updateCount_ = 0;
  bool destroying_ = false;
};

using TLVChangeEvent = std::function<void(TPersistent* Sender, TListItem* Item, TItemChange Change)>;
using TLVChangingEvent =
    std::function<void(TPersistent* Sender, TListItem* Item, TItemChange Change, bool& AllowChange)>;
using TLVSelectItemEvent = std::function<void(TPersistent* Sender, TListItem* Item, bool Selected)>;
using TLVDeletedEvent = std::function<void(TPersistent* Sender, TListItem* Item)>;
using TLVEditingEvent = std::function<void(TPersistent* Sender, TListItem* Item, bool& AllowEdit)>;
using TLVEditedEvent = std::function<void(TPersistent* Sender, TListItem* Item, std::string& S)>;

class TCustomListView : public TCustomControl {
public:
  explicit TCustomListView(TComponent* AOwner = nullptr);
  ~TCustomListView() override;

  TListItems& Items() { return *items_; }
  const TListItems& Items() const { return *items_; }

  TViewStyle ViewStyle() const { return viewStyle_; }
  virtual void SetViewStyle(TViewStyle value);
  TImageList* LargeImages() const { return largeImages_; }
  void SetLargeImages(TImageList* value) { SetImageList(value, true); }
  TImageList* SmallImages() const { return smallImages_; }
  void SetSmallImages(TImageList* value) { SetImageList(value, false); }
  // The image list the view style draws with.
  TImageList* ViewImages() const { return viewStyle_ == vsIcon ? largeImages_ : smallImages_; }
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value) { readOnly_ = value; }
  bool HideSelection() const { return hideSelection_; }
  void SetHideSelection(bool value);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle value);

  // The selected item, or nullptr. Setting it deselects the one before.
  TListItem* Selected() const { return selected_; }
  void SetSelected(TListItem* item);
  TListItem* ItemFocused() const { return focused_; }
  void SetItemFocused(TListItem* item);
  TListItem* GetItemAt(int X, int Y);
  void Scroll(int dx, int dy) { ScrollBy(dx, dy); }
  TPoint ViewOrigin() { return GetOrigin(); }

  bool IsEditing() const { return editing_ != nullptr; }
  TListItem* EditingItem() const { return editing_; }
  // The caption editor while one is showing: multi-line in icons, one line
  // in small icons. Enter takes the text, Escape drops it, leaving it takes it;
  // it is placed anew (PlaceLabelEditor) whenever its text changes.
  TCustomEdit* LabelEditor() const { return editor_.data(); }
  // Ends a caption edit, taking the text (accept) or not.
  void FinishLabelEdit(bool accept);
  void CancelEdit() { FinishLabelEdit(false); }

  // ---- What the list view control does by itself
  virtual TRect GetItemRect(TListItem* item, TDisplayCode code);
  // The index of the item at the point, or -1.
  virtual int HitTest(int X, int Y);
  // Scrolls the view by (dx, dy) pixels.
  virtual bool ScrollBy(int dx, int dy);
  virtual TPoint GetOrigin();
  virtual void EnsureVisible(TListItem* item, bool partial);
  // Places every item anew.
  virtual void Arrange();
  // The item was added to Items.
  virtual void InsertItem(TListItem* item);
  // The item leaves Items: the base tells OnDeletion, forgets it as the
  // selected, focused or edited item (without a selection event) and removes
  // it from Items.
  virtual void DeleteItem(TListItem* item);
  virtual void SetItemPosition(TListItem* item, TPoint position);
  virtual void SetImageList(TImageList* list, bool large);
  // Off while the items are updated (Items.BeginUpdate/EndUpdate).
  virtual void SetRedraw(bool on);
  // Raised for every selection change, by mouse, keyboard or code: the item
  // that loses it first, then the one that gains it. Selected() is nullptr
  // while the loser hears of it and the winner once the winner does. The base
  // fires OnChange and OnSelectItem.
  virtual void ItemSelectionChanged(TListItem* item, bool selected);
  // An item's caption, image or state changed; the base fires OnChange.
  virtual void Change(TListItem* item, TItemChange change);
  // Asks OnChanging; false keeps the item as it is.
  virtual bool CanChange(TListItem* item, TItemChange change);
  virtual TListItem* CreateListItem();

  // ---- The paint, in this order
  virtual void PaintBackground(const TRect& rect);
  // Draws the item (the base: DrawDefaultItem).
  virtual void ItemPrePaint(TListItem* item);
  virtual void PostPaint();
  virtual void AfterPaint();
  // The control's own look of an item: image, caption, selection.
  void DrawDefaultItem(TListItem* item);

  // ---- Caption editing
  // Shows the editor for the item unless ReadOnly or BeginLabelEdit refuses.
  virtual bool EditLabel(TListItem* item);
  // Fires OnEditing; false refuses the edit.
  virtual bool BeginLabelEdit(TListItem* item);
  // On accept fires OnEdited, then takes the text as the caption.
  virtual void EndLabelEdit(TListItem* item, bool accept, const std::string& text);
  // Places the editor over the item's label (at least a line high).
  virtual void PlaceLabelEditor(TCustomEdit& editor, TListItem* item);
  // The editor has selected its whole text, once, right after it showed; the
  // base places it again.
  virtual void LabelEditorSelected(TCustomEdit& editor, TListItem* item);

  void Paint() override;
  void KeyDown(int& Key, TShiftState Shift) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;

  TLVChangeEvent OnChange;
  TLVChangingEvent OnChanging;
  TLVSelectItemEvent OnSelectItem;
  TLVDeletedEvent OnInsert;
  TLVDeletedEvent OnDeletion;
  TLVEditingEvent OnEditing;
  TLVEditedEvent OnEdited;

protected:
  void Notification(TComponent* component, TComponentOperation operation) override;
  void FontChanged() override;
  // What the control does with a press: the item under a left or right press
  // becomes the selected and focused one; a left press on no item clears the
  // selection.
  void DefaultMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  // Arrow keys, Home, End, Page Up and Page Down move the selection; true when
  // the key was one of them.
  bool DefaultKeyDown(int Key);
  // A canvas that measures text in the list's font outside a paint.
  TCanvas& MeasureCanvas();
  // The items whose bounds lie wholly in the client area.
  int FullyVisibleCount();

private:
  friend class TListItems;
  TSize ImageSize() const;
  TPoint NextFreePosition(int index);
  void ImagesChanged(bool large);

  std::unique_ptr<TListItems> items_;
  TViewStyle viewStyle_ = vsIcon;
  TImageList* largeImages_ = nullptr;
  TImageList* smallImages_ = nullptr;
  TChangeLink largeLink_;
  TChangeLink smallLink_;
  bool readOnly_ = false;
  bool hideSelection_ = true;
  TBorderStyle borderStyle_ = bsSingle;
  TListItem* selected_ = nullptr;
  TListItem* focused_ = nullptr;
  TPoint origin_;
  TCanvas measure_;
  bool measureFontValid_ = false;

  TListItem* editing_ = nullptr;
  QPointer<TCustomEdit> editor_;
};
