#pragma once
// The error window: the messages of an error list, one row each with its code
// and its text, under the list's title. A small modeless tool window above
// the main window, created on the first ShowErrors and owned by the
// application context until the program ends; afterwards shown or hidden.
// First shown near the main window's top-right corner, later where the user
// left it.
// Showing it never takes the focus: the edit the user was typing in keeps it.

#include <QElapsedTimer>
#include <QPointer>
#include <QWidget>
#include <string>
#include <vector>

#include "platform/services/ErrorLine.h"
#include "platform/services/Services.h"

class QTableWidget;
class TErrorList;

class TFormErrors : public QWidget {
public:
  static constexpr int kWidth = 470;
  static constexpr int kHeight = 137;
  static constexpr int kBorderWidth = 4;
  static constexpr int kFontPixels = 13;
  static constexpr int kCodeColumnWidth = 64;
  // Distance from the main window's right and top edges on the first show.
  static constexpr int kPlacementInset = 24;

  // Class operations: they reach the one window of the running application
  // context. ShowErrors creates it when needed, replaces the rows and the
  // caption, shows it without waiting and raises it. Texts show CR and LF as
  // blanks.
  static void ShowErrors(const TErrorList& errors);
  static void ShowErrors(const std::string& title, const std::vector<ErrorLine>& errors);
  // Hides the window; before the first ShowErrors it does nothing.
  static void HideErrors();
  // The window, or nullptr before the first ShowErrors.
  static TFormErrors* Instance();
  // The error presenter the data modules are given: the class operations.
  static IErrorPresenter& Presenter();

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

  TFormErrors();
  void FormCreate();
  void FormResize();
  void Fill(const std::string& title, const std::vector<ErrorLine>& errors);
  void GiveActivationBack();
  // The first show: near the top-right corner of the main window (or the
  // screen's centre without one), wholly on the screen.
  void PlaceFirstTime(const QWidget* main);

  QTableWidget* grid_;
  QPointer<QWidget> returnActivationTo_;
  QElapsedTimer shownAt_;
  bool placed_ = false;
};
