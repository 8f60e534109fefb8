#pragma once
// Popup menus: a tree of TMenuItem shown as a QMenu. Popup(x, y) returns when
// the menu closes; it sends CancelMode to the capture holder first and runs
// the menu through the injectable runner (GuiServices().RunPopupMenu).

#include <QMenu>
#include <memory>
#include <string>
#include <vector>

#include "platform/classes/Classes.h"
#include "platform/gui/Graphics.h"
#include "platform/gui/Types.h"

class QAction;

class TMenuItem : public TComponent {
public:
  explicit TMenuItem(TComponent* AOwner = nullptr);
  // Frees the sub-items and leaves the parent item.
  ~TMenuItem() override;

  // "-" makes the item a separator line.
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& value) { caption_ = value; }
  bool IsLine() const { return caption_ == "-"; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value) { enabled_ = value; }
  bool Checked() const { return checked_; }
  void SetChecked(bool value) { checked_ = value; }
  bool Visible() const { return visible_; }
  void SetVisible(bool value) { visible_ = value; }

  TMenuItem* Parent() const { return parent_; }
  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem* Items(int index) const;
  // Takes the item (leaving its former parent item); the parent frees it.
  void Add(TMenuItem* item);
  void Insert(int index, TMenuItem* item);
  // Hands the item back without freeing it.
  void Remove(TMenuItem* item);
  // Frees every sub-item.
  void Clear();
  // This item or one below it.
  bool Contains(const TMenuItem* item) const;

  // Fires OnClick.
  virtual void Click();
  TNotifyEvent OnClick;

private:
  std::string caption_;
  bool enabled_ = true;
  bool checked_ = false;
  bool visible_ = true;
  TMenuItem* parent_ = nullptr;
  std::vector<TMenuItem*> items_;
};

class TPopupMenu : public TComponent {
public:
  explicit TPopupMenu(TComponent* AOwner = nullptr);
  ~TPopupMenu() override;

  // The root item: its sub-items are the menu.
  TMenuItem& Items() { return *items_; }
  const TMenuItem& Items() const { return *items_; }
  // A control's right click shows the menu by itself.
  bool AutoPopup() const { return autoPopup_; }
  void SetAutoPopup(bool value) { autoPopup_ = value; }
  // The control the menu was last shown for.
  TComponent* PopupComponent() const { return popupComponent_; }
  void SetPopupComponent(TComponent* value);
  TPoint PopupPoint() const { return popupPoint_; }

  // Shows the menu with its top left at the screen point and returns when it
  // closes: OnPopup, then CancelMode to the capture holder, then the runner.
  virtual void Popup(int X, int Y);
  TNotifyEvent OnPopup;

  // The menu as Qt widgets: one action per visible item, a separator per line;
  // triggering an action clicks its item (guarded).
  std::unique_ptr<QMenu> CreateQMenu();

protected:
  void Notification(TComponent* component, TComponentOperation operation) override;

private:
  void AddActions(QMenu& menu, TMenuItem& parent);

  std::unique_ptr<TMenuItem> items_;
  bool autoPopup_ = true;
  TComponent* popupComponent_ = nullptr;
  TPoint popupPoint_;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};
