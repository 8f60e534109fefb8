#pragma once
// The error window: the messages of an error list, one row each with its code
// and its text, under the list's title. A small modeless tool window above
// the main window, made on the first ShowErrors of its presenter and kept by
// it; afterwards shown or hidden. Every show places it anew for the main
// window as it is then (see Place), until the user moves it: from then on it
// stays where they left it. Showing it never takes the focus: the edit the
// user was typing in keeps it. It has a close button and no minimise button.

#include <QElapsedTimer>
#include <QPointer>
#include <QRect>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "platform/services/ErrorLine.h"
#include "platform/services/Services.h"

class QTableWidget;

class TFormErrors : public QWidget {
public:
  static constexpr int kWidth = 470;
  static constexpr int kHeight = 137;
  static constexpr int kBorderWidth = 4;
  static constexpr int kFontPixels = 13;
  static constexpr int kCodeColumnWidth = 64;
  // Distance kept, where there is room, from the main window beside it, the
  // frame area and the controls.
  static constexpr int kPlacementGap = 8;

  // Where a show puts a frame of that size, wholly on the screen: beside the
  // main window where the screen has room (right of it, else left of it, top
  // edges level, the gap kept where it fits); else over the toolbar and the
  // tree when itemsArea (empty: the tree is hidden) is given, ending left of
  // the frames and level with their bottom, if that meets no control; else
  // where it covers the least of the controls, and then of the main window,
  // nearest its centre. No main window (empty): the screen's centre.
  static QPoint Place(QSize frame, const QRect& screen, const QRect& main, const QRect& itemsArea,
                      const std::vector<QRect>& controls);
  // Place for that main window as it is now (nullptr: none), its title bar
  // and menu bar counted with the page's controls.
  static QPoint PlaceFor(const QWidget* main, QSize frame, const QRect& screen);
  // The main window's frame area on the screen: its child "FrameHost";
  // empty when it has none.
  static QRect FrameArea(const QWidget* main);
  // Left of the frame area, as high as it, from the main window's left edge:
  // the toolbar and the items panel ("HeaderPanelTreeView"); empty when the
  // panel is hidden or missing.
  static QRect ItemsArea(const QWidget* main);
  // The screen rectangles of the visible edits, spin and combo boxes, item
  // views and buttons of the frame shown in the main window's "Frames".
  static std::vector<QRect> PageControls(const QWidget* main);

  // Column 1 takes the grid's width less column 0's and 22 pixels.
  void FitColumns();
  QTableWidget& Grid() { return *grid_; }

protected:
  bool event(QEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

private:
  // How long after a show an activation of this window counts as the
  // platform's own, to be handed back.
  static constexpr int kActivationGraceMs = 1000;

  friend class TErrorWindow;
  TFormErrors();
  // Replaces the rows and the caption, shows the window without waiting and
  // raises it, above the main window (nullptr: none). Texts show CR and LF
  // as blanks.
  void ShowOver(QWidget* main, const std::string& title, const std::vector<ErrorLine>& errors);
  void FormCreate();
  void FormResize();
  void Fill(const std::string& title, const std::vector<ErrorLine>& errors);
  void GiveActivationBack();
  // To PlaceFor the main window on its screen.
  void MoveToPlace(const QWidget* main);
  // The size of the window's frame; before the platform knows it, the
  // window's size with the owner's decoration.
  QSize FrameSize(const QWidget* owner) const;

  QTableWidget* grid_;
  QPointer<QWidget> returnActivationTo_;
  QElapsedTimer shownAt_;
  // Where MoveToPlace last put the window; a move of the shown window to
  // anywhere else is the user's.
  QPoint placedAt_;
  bool movedByUser_ = false;
};

// The error window as the data modules and windows are given it: the window
// is made on the first ShowErrors and kept, shown or hidden, as long as this
// presenter is.
class TErrorWindow final : public IErrorPresenter {
public:
  TErrorWindow();
  ~TErrorWindow() override;
  TErrorWindow(const TErrorWindow&) = delete;
  TErrorWindow& operator=(const TErrorWindow&) = delete;

  // The window it stays above and is placed beside or over; nullptr: none.
  void SetMainWindow(QWidget* main) { main_ = main; }
  void ShowErrors(const std::string& title, const std::vector<ErrorLine>& errors) override;
  // Before the first ShowErrors they do nothing.
  void HideErrors() override;
  void HideErrorsOf(const std::string& title) override;
  // The window, or nullptr before the first ShowErrors.
  TFormErrors* Window() const { return form_.get(); }

private:
  std::unique_ptr<TFormErrors> form_;
  QPointer<QWidget> main_;
};
