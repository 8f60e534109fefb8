#include "forms/AboutForm.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPalette>
#include <QPushButton>
#include <QScreen>
#include <algorithm>

#include "platform/gui/Forms.h"
#include "platform/gui/Guard.h"
#include "platform/gui/InputHub.h"
#include "platform/gui/JpegImage.h"
#include "platform/gui/QtTypes.h"

namespace {

constexpr int kMargin = 24;
constexpr int kHeadingTop = 18;
constexpr int kRuleTop = 146;
constexpr int kLinksTop = 166;
constexpr int kLinkStep = 40;
constexpr int kLinksLeft = 48;
constexpr int kSitePixels = 13;
constexpr int kButtonWidth = 100;
constexpr int kButtonHeight = 30;
constexpr int kFooterTop = TFormSobre::kClientHeight - kMargin - kButtonHeight;

QLabel* TextLabel(QWidget* parent, const TStyledLine& line) {
  auto* label = new QLabel(ToQString(line.text), parent);
  label->setTextFormat(Qt::PlainText);
  label->setFont(StyledFont(line));
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, ToQColor(line.color));
  label->setPalette(palette);
  label->adjustSize();
  return label;
}

QFrame* Rule(QWidget* parent, int y) {
  auto* rule = new QFrame(parent);
  rule->setFrameShape(QFrame::HLine);
  rule->setFrameShadow(QFrame::Sunken);
  rule->setGeometry(kMargin, y, TFormSobre::kClientWidth - 2 * kMargin, 2);
  return rule;
}

}  // namespace

TFormSobre::TFormSobre(const TAboutContent& content, IShell& shell, IDialogs& dialogs, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      shell_(shell),
      dialogs_(dialogs),
      targets_(content.links),
      siteTarget_(content.site) {
  setObjectName("FormSobre");
  setWindowTitle(ToQString(content.caption));
  setAttribute(Qt::WA_QuitOnClose, false);
  setFixedSize(kClientWidth, kClientHeight);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, ToQColor(cl3DLight));
  setPalette(palette);
  setAutoFillBackground(true);
  // The background resets the cursor, so it hears every move.
  setMouseTracking(true);

  const int pictureLeft = kClientWidth - kMargin - kPictureWidth;
  int y = kHeadingTop;
  for (const TStyledLine& line : content.heading) {
    QLabel* label = TextLabel(this, line);
    label->setObjectName("LabelHeading");
    label->move(kMargin, y);
    label->setMaximumWidth(pictureLeft - 2 * kMargin);
    y += label->height() + 4;
  }

  TJPEGImage jpeg;
  if (!content.picture.empty() && jpeg.LoadFromFile(content.picture)) {
    picture_ = new QLabel(this);
    picture_->setObjectName("Image1");
    picture_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    picture_->setLineWidth(1);
    picture_->setPixmap(QPixmap::fromImage(
        jpeg.Image().scaled(kPictureWidth, kPictureHeight, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    picture_->setAlignment(Qt::AlignCenter);
    picture_->setGeometry(pictureLeft - 1, kHeadingTop - 1, kPictureWidth + 2, kPictureHeight + 2);
    // As over the button: the hand stays until the pointer reaches the background.
    picture_->setAttribute(Qt::WA_NoMousePropagation);
  }
  Rule(this, kRuleTop);

  for (std::size_t i = 0; i < targets_.size(); ++i) {
    QLabel* link = MakeLink(targets_[i], "Link" + std::to_string(i + 1));
    link->move(kLinksLeft, kLinksTop + static_cast<int>(i) * kLinkStep);
    links_.push_back(link);
  }

  Rule(this, kFooterTop - 14);
  site_ = MakeLink(siteTarget_, "LabelSite");
  site_->setFont(SmoothPixelFont("Arial", kSitePixels));
  site_->adjustSize();
  site_->move(kMargin, kFooterTop + (kButtonHeight - site_->height()) / 2);

  buttonSair_ = new QPushButton(QString::fromUtf8("&Sair"), this);
  buttonSair_->setObjectName("ButtonSair");
  buttonSair_->setGeometry(kClientWidth - kMargin - kButtonWidth, kFooterTop, kButtonWidth, kButtonHeight);
  buttonSair_->setFont(SmoothPixelFont("Arial", 13));
  buttonSair_->setDefault(true);
  buttonSair_->setAttribute(Qt::WA_NoMousePropagation);
  connect(buttonSair_, &QPushButton::clicked, this, [this] { Guard([this] { reject(); }); });
  buttonSair_->setFocus();
}

TFormSobre::~TFormSobre() {
  RestoreCursor();
}

QLabel* TFormSobre::MakeLink(const TAboutLink& link, const std::string& defaultName) {
  QLabel* label = TextLabel(this, {link.caption, "Arial", kLinkPixels, 0, clBlue});
  label->setObjectName(ToQString(link.name.empty() ? defaultName : link.name));
  label->setMouseTracking(true);
  label->installEventFilter(this);
  return label;
}

bool TFormSobre::eventFilter(QObject* watched, QEvent* event) {
  auto* label = qobject_cast<QLabel*>(watched);
  const bool isLink = label && (label == site_ || std::find(links_.begin(), links_.end(), label) != links_.end());
  if (!isLink) return QDialog::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::MouseMove:
      Guard([this] { LinkMouseMove(); });
      return true;
    case QEvent::MouseButtonPress:
      return static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
    case QEvent::MouseButtonRelease: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() != Qt::LeftButton) return false;
      if (!label->rect().contains(mouse->position().toPoint())) return true;
      Guard([&] {
        if (label == site_) {
          SiteClick();
          return;
        }
        const auto at = std::find(links_.begin(), links_.end(), label);
        LinkClick(static_cast<int>(at - links_.begin()));
      });
      return true;
    }
    default:
      return QDialog::eventFilter(watched, event);
  }
}

void TFormSobre::mouseMoveEvent(QMouseEvent* event) {
  Guard([this] { FormMouseMove(); });
  QDialog::mouseMoveEvent(event);
}

void TFormSobre::LinkClick(int index) {
  Open(targets_.at(static_cast<std::size_t>(index)));
}

void TFormSobre::SiteClick() {
  Open(siteTarget_);
}

void TFormSobre::Open(const TAboutLink& link) {
  if (!shell_.Open(link.target) && link.reportFailure) dialogs_.Error(kOpenFailed);
}

void TFormSobre::LinkMouseMove() {
  Screen::SetCursor(crHandPoint);
  handShown_ = true;
}

void TFormSobre::FormMouseMove() {
  RestoreCursor();
}

void TFormSobre::RestoreCursor() {
  if (!handShown_) return;
  handShown_ = false;
  if (Screen::Cursor() == crHandPoint) Screen::SetCursor(crDefault);
}

void TFormSobre::done(int result) {
  RestoreCursor();
  QDialog::done(result);
}

void ShowAbout(const TAboutContent& content, IShell& shell, IDialogs& dialogs) {
  CancelCaptureMode();
  TFormSobre form(content, shell, dialogs);
  if (QScreen* screen = QGuiApplication::primaryScreen())
    form.move(screen->availableGeometry().center() - form.rect().center());
  form.exec();
}
