#include "forms/SplashForm.h"

#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPalette>
#include <QPushButton>
#include <QScreen>
#include <algorithm>
#include <vector>

#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Guard.h"
#include "platform/gui/QtTypes.h"

namespace {

// One pixel of window edge, then the panel's own bevel.
constexpr int kEdge = 1;
constexpr int kTextTop = kEdge + TFormSplash::kLogoHeight;
constexpr int kLineGap = 4;
constexpr int kTextWidth = 371;
constexpr int kButtonWidth = 90;
constexpr int kButtonHeight = 28;
constexpr int kButtonBottom = 22;

}  // namespace

TFormSplash::TFormSplash(const TSplashContent& content, int interval, QWidget* parent)
    : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), timer_(new TTimer()) {
  setObjectName("FormSplash");
  setWindowTitle(ToQString(content.caption));
  setAttribute(Qt::WA_DeleteOnClose);
  setAttribute(Qt::WA_QuitOnClose, false);
  setFixedSize(kClientWidth, kClientHeight);

  timer_->SetEnabled(false);
  timer_->SetInterval(interval);
  timer_->OnTimer = [this](TPersistent*) { TimerTimer(); };

  const QImage logo(ToQString(content.logo));
  if (!content.logo.empty() && !logo.isNull()) {
    logo_ = new QLabel(this);
    logo_->setObjectName("Image1");
    logo_->setPixmap(
        QPixmap::fromImage(logo.scaled(kLogoWidth, kLogoHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
    logo_->setGeometry(kEdge, kEdge, kLogoWidth, kLogoHeight);
  }

  // The lines, centred between the logo and the button; a line that wraps is
  // wrapped into lines of even length.
  std::vector<QLabel*> labels;
  int height = 0;
  for (const TStyledLine& line : content.lines) {
    auto* label = new QLabel(ToQString(line.text), this);
    label->setObjectName("LabelSplash");
    label->setTextFormat(Qt::PlainText);
    label->setFont(StyledFont(line));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, ToQColor(line.color));
    label->setPalette(palette);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setWordWrap(true);
    const int tall = label->heightForWidth(kTextWidth);
    int narrow = kTextWidth / 3, wide = kTextWidth;
    while (narrow < wide) {
      const int mid = (narrow + wide) / 2;
      if (label->heightForWidth(mid) > tall)
        narrow = mid + 1;
      else
        wide = mid;
    }
    label->setFixedSize(wide, tall);
    labels.push_back(label);
    height += tall;
  }
  height += kLineGap * std::max(0, static_cast<int>(labels.size()) - 1);
  const int buttonTop = kClientHeight - kButtonBottom - kButtonHeight;
  int y = kTextTop + std::max(0, (buttonTop - kTextTop - height) / 2);
  for (QLabel* label : labels) {
    label->move((kClientWidth - label->width()) / 2, y);
    y += label->height() + kLineGap;
  }

  buttonOK_ = new QPushButton(QString::fromUtf8("&OK"), this);
  buttonOK_->setObjectName("btnOK");
  buttonOK_->setGeometry((kClientWidth - kButtonWidth) / 2, kClientHeight - kButtonBottom - kButtonHeight, kButtonWidth,
                         kButtonHeight);
  buttonOK_->setFont(SmoothPixelFont("Arial", 13));
  buttonOK_->setDefault(true);
  connect(buttonOK_, &QPushButton::clicked, this, [this] { Guard([this] { btnOKClick(); }); });
}

TFormSplash::~TFormSplash() {
  delete timer_;
}

QPointer<TFormSplash> TFormSplash::ShowSplash(const TSplashContent& content, int interval) {
  auto* splash = new TFormSplash(content, interval);
  if (QScreen* screen = QGuiApplication::primaryScreen())
    splash->move(screen->availableGeometry().center() - splash->rect().center());
  splash->show();
  return splash;
}

void TFormSplash::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  Guard([this] { FormShow(); });
}

void TFormSplash::FormShow() {
  timer_->SetEnabled(true);
}

void TFormSplash::TimerTimer() {
  timer_->SetEnabled(false);
  close();
}

void TFormSplash::btnOKClick() {
  timer_->SetEnabled(false);
  close();
}

void TFormSplash::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QRect all = rect();
  // The panel's face, light at the top.
  QLinearGradient face(0, kLogoHeight, 0, all.height());
  face.setColorAt(0, QColor(255, 255, 255));
  face.setColorAt(1, QColor(226, 234, 226));
  p.fillRect(all, face);
  // The window's edge and, inside it, the panel's raised bevel.
  p.setPen(ToQColor(cl3DDkShadow));
  p.drawRect(all.adjusted(0, 0, -1, -1));
  const QRect panel = all.adjusted(kEdge, kEdge, -kEdge - 1, -kEdge - 1);
  p.setPen(ToQColor(clBtnHighlight));
  p.drawLine(panel.topLeft(), panel.topRight());
  p.drawLine(panel.topLeft(), panel.bottomLeft());
  p.setPen(ToQColor(clBtnShadow));
  p.drawLine(panel.bottomLeft(), panel.bottomRight());
  p.drawLine(panel.topRight(), panel.bottomRight());
}
