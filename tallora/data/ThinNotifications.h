#pragma once
// What Tallora's data module tells the main window about thinnings; the
// window has done with each call when it returns.

class IThinNotifications {
public:
  virtual ~IThinNotifications() = default;
  // A thinning was posted.
  virtual void ItemPosted(int id, int age) = 0;
  // A thinning is about to be deleted.
  virtual void ItemDeleted(int id, int age) = 0;
  // The thinning's node is to be selected.
  virtual void SelectItem(int id) = 0;
};
