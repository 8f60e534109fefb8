#pragma once
// What Tallora's data module tells the main window about thinnings, as
// synchronous calls in place of window messages.

class IThinNotifications {
public:
  // The window messages the calls stand for.
  static constexpr int WM_ITEMPOSTED = 2024;
  static constexpr int WM_ITEMDELETED = 2025;
  static constexpr int WM_SELECTITEM = 2026;

  virtual ~IThinNotifications() = default;
  // WM_ITEMPOSTED: a thinning was posted.
  virtual void ItemPosted(int id, int age) = 0;
  // WM_ITEMDELETED: a thinning is about to be deleted.
  virtual void ItemDeleted(int id, int age) = 0;
  // WM_SELECTITEM: the thinning's node is to be selected.
  virtual void SelectItem(int id) = 0;
};
