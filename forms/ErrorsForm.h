#pragma once
// The error window: the messages of an error list, one row each with its code
// and its text, under the list's title. A small modeless tool window above
// the main window, made on the first ShowErrors of its presenter and kept by
// it; afterwards shown or hidden. First shown where it covers none of the
// frames' controls (see FirstPlace), later where the user left it.
// Showing it never takes the focus: the edit the user was typing in keeps it.
// It has a close button and no minimise button.

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
  // Distance kept from the main window beside it and from the frame area.
  static constexpr int kPlacementGap = 8;

  // Where the first show puts a frame of that size: beside the main window
  // where the screen has room (right of it, else left of it, top edges
  // level), else over the main window's lower left, ending left of the area
  // to avoid and level with its bottom (without one: at the main window's
  // left and bottom edges); then moved wholly onto the screen. No main
  // window (empty): the screen's centre.
  static QPoint FirstPlace(QSize frame, const QRect& screen, const QRect& main, const QRect& avoid);
  // The main window's frame area on the screen: its child "FrameHost";
  // empty when it has none.
  static QRect FrameArea(const QWidget* main);

  // Column 1 takes the grid's width less column 0's and 22 pixels.
  void FitColumns();
  QTableWidget& Grid() { return *grid_; }

protected:
  bool event(QEvent* event) override;
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
  // The first show: at FirstPlace for the main window's screen.
  void PlaceFirstTime(const QWidget* main);
  // The size of the window's frame; before the platform knows it, the
  // window's size with the owner's decoration.
  QSize FrameSize(const QWidget* owner) const;

  QTableWidget* grid_;
  QPointer<QWidget> returnActivationTo_;
  QElapsedTimer shownAt_;
  bool placed_ = false;
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

  // The window it stays above and is first shown beside or over; nullptr:
  // none.
  void SetMainWindow(QWidget* main) { main_ = main; }
  void ShowErrors(const std::string& title, const std::vector<ErrorLine>& errors) override;
  // Before the first ShowErrors it does nothing.
  void HideErrors() override;
  // The window, or nullptr before the first ShowErrors.
  TFormErrors* Window() const { return form_.get(); }

private:
  std::unique_ptr<TFormErrors> form_;
  QPointer<QWidget> main_;
};
