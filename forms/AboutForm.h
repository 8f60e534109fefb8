#pragma once
// The About window: a modal page of numbered links that open the program's
// manual, documents, web pages and programs through the shell, with a
// picture at the top right and "&Sair", which is both the default and the
// cancel button. Moving over a link shows the hand over the whole
// application until the pointer reaches the window's background again;
// closing the window always gives the normal cursor back.

#include <QDialog>
#include <string>
#include <vector>

#include "forms/ProgramContent.h"
#include "platform/services/Services.h"

class QLabel;
class QPushButton;

class TFormSobre : public QDialog {
public:
  static constexpr int kClientWidth = 702;
  static constexpr int kClientHeight = 555;
  static constexpr int kPictureWidth = 161;
  static constexpr int kPictureHeight = 105;
  static constexpr int kLinkPixels = 19;
  static constexpr const char* kOpenFailed = "Não foi possível abrir.";

  TFormSobre(const TAboutContent& content, IShell& shell, IDialogs& dialogs, QWidget* parent = nullptr);
  ~TFormSobre() override;

  // The numbered links from 0, and the web-site label.
  int LinkCount() const { return static_cast<int>(links_.size()); }
  QLabel* Link(int index) const { return links_.at(static_cast<std::size_t>(index)); }
  QLabel* SiteLabel() const { return site_; }
  // The picture's label; nullptr when there is no picture.
  QLabel* Picture() const { return picture_; }
  QPushButton* ButtonSair() const { return buttonSair_; }

  // A click on a numbered link (from 0) or on the web-site label.
  void LinkClick(int index);
  void SiteClick();
  // The pointer moved over a link, or over the window's background.
  void LinkMouseMove();
  void FormMouseMove();

  void done(int result) override;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

private:
  QLabel* MakeLink(const TAboutLink& link, const std::string& defaultName);
  void Open(const TAboutLink& link);
  // Gives the normal cursor back when this window put the hand up.
  void RestoreCursor();

  IShell& shell_;
  IDialogs& dialogs_;
  std::vector<TAboutLink> targets_;
  TAboutLink siteTarget_;
  std::vector<QLabel*> links_;
  QLabel* site_ = nullptr;
  QLabel* picture_ = nullptr;
  QPushButton* buttonSair_ = nullptr;
  bool handShown_ = false;
};

// Shows a new About window modally, opening its links through the shell and
// reporting through the dialogs, centred on the screen; it is gone when this
// returns.
void ShowAbout(const TAboutContent& content, IShell& shell, IDialogs& dialogs);
