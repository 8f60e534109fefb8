#pragma once
// The dataset navigator: a row of buttons that move through a dataset and
// edit it. Buttons enable by the dataset's state and its BOF and EOF flags.
// Before a button's action BeforeAction runs (an EAbort from it stops the
// action silently); the delete asks "Excluir o registro?" after it; clicked
// follows a completed action only.

#include <QToolButton>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "platform/db/DB.h"

class IDialogs;

class DbNavigator : public QWidget {
  Q_OBJECT
public:
  enum class Button { First, Prior, Next, Last, Insert, Delete, Edit, Post, Cancel, Refresh };
  Q_ENUM(Button)
  static constexpr int kButtonCount = 10;

  explicit DbNavigator(QWidget* parent = nullptr, TDataSource* source = nullptr);
  ~DbNavigator() override;

  TDataSource* DataSource() const;
  void SetDataSource(TDataSource* source);
  TDataSet* DataSet() const;

  // Every button unless set.
  void SetVisibleButtons(const std::vector<Button>& buttons);
  bool IsButtonVisible(Button button) const;
  QToolButton* ButtonOf(Button button) const { return buttons_[static_cast<int>(button)]; }

  // Asks the delete question; without them the delete goes unasked.
  void SetDialogs(IDialogs* dialogs) { dialogs_ = dialogs; }
  // Runs one button's action as a click does (nothing while it is disabled).
  void ClickButton(Button button);

  // Runs before each action; raise EAbort to stop it silently.
  std::function<void(Button)> BeforeAction;

signals:
  // A button's action completed.
  void clicked(DbNavigator::Button button);

private:
  class Link;
  friend class Link;

  void UpdateButtons();
  void RunAction(Button button);

  std::unique_ptr<Link> link_;
  QToolButton* buttons_[kButtonCount] = {};
  IDialogs* dialogs_ = nullptr;
};
