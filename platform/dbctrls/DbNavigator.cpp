#include "platform/dbctrls/DbNavigator.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "platform/dbctrls/DbControls.h"
#include "platform/gui/Guard.h"
#include "platform/gui/InputHub.h"
#include "platform/services/Services.h"

namespace {

using Button = DbNavigator::Button;

constexpr int kGlyph = 16;

const char* ButtonName(Button b) {
  switch (b) {
    case Button::First:
      return "First";
    case Button::Prior:
      return "Prior";
    case Button::Next:
      return "Next";
    case Button::Last:
      return "Last";
    case Button::Insert:
      return "Insert";
    case Button::Delete:
      return "Delete";
    case Button::Edit:
      return "Edit";
    case Button::Post:
      return "Post";
    case Button::Cancel:
      return "Cancel";
    case Button::Refresh:
      return "Refresh";
  }
  return "";
}

const char* ButtonHint(Button b) {
  switch (b) {
    case Button::First:
      return "Primeiro registro";
    case Button::Prior:
      return "Registro anterior";
    case Button::Next:
      return "Próximo registro";
    case Button::Last:
      return "Último registro";
    case Button::Insert:
      return "Inserir registro";
    case Button::Delete:
      return "Excluir registro";
    case Button::Edit:
      return "Editar registro";
    case Button::Post:
      return "Gravar alterações";
    case Button::Cancel:
      return "Cancelar alterações";
    case Button::Refresh:
      return "Atualizar dados";
  }
  return "";
}

QPainterPath Triangle(double tipX, double baseX, double cy, double half) {
  QPainterPath p;
  p.moveTo(tipX, cy);
  p.lineTo(baseX, cy - half);
  p.lineTo(baseX, cy + half);
  p.closeSubpath();
  return p;
}

// The button's picture, drawn in the given colour on a 16x16 square.
void DrawGlyph(QPainter& p, Button b, const QColor& ink) {
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(Qt::NoPen);
  p.setBrush(ink);
  const double c = kGlyph / 2.0;
  switch (b) {
    case Button::First:
      p.drawRect(QRectF(4, 4, 2, 8));
      p.drawPath(Triangle(6.5, 11.5, c, 4));
      break;
    case Button::Prior:
      p.drawPath(Triangle(5.5, 10.5, c, 4));
      break;
    case Button::Next:
      p.drawPath(Triangle(10.5, 5.5, c, 4));
      break;
    case Button::Last:
      p.drawPath(Triangle(9.5, 4.5, c, 4));
      p.drawRect(QRectF(10, 4, 2, 8));
      break;
    case Button::Insert:
      p.drawRect(QRectF(3, 7, 10, 2));
      p.drawRect(QRectF(7, 3, 2, 10));
      break;
    case Button::Delete:
      p.drawRect(QRectF(3, 7, 10, 2));
      break;
    case Button::Edit: {
      QPainterPath up;
      up.moveTo(c, 4);
      up.lineTo(12, 11);
      up.lineTo(4, 11);
      up.closeSubpath();
      p.drawPath(up);
      break;
    }
    case Button::Post: {
      p.setBrush(Qt::NoBrush);
      p.setPen(QPen(ink, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      QPainterPath tick;
      tick.moveTo(3.5, 8.5);
      tick.lineTo(6.5, 11.5);
      tick.lineTo(12.5, 4.5);
      p.drawPath(tick);
      break;
    }
    case Button::Cancel:
      p.setBrush(Qt::NoBrush);
      p.setPen(QPen(ink, 2, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(4.5, 4.5), QPointF(11.5, 11.5));
      p.drawLine(QPointF(11.5, 4.5), QPointF(4.5, 11.5));
      break;
    case Button::Refresh: {
      p.setBrush(Qt::NoBrush);
      p.setPen(QPen(ink, 1.6, Qt::SolidLine, Qt::FlatCap));
      p.drawArc(QRectF(3.5, 3.5, 9, 9), 60 * 16, 280 * 16);
      p.setPen(Qt::NoPen);
      p.setBrush(ink);
      QPainterPath head;
      head.moveTo(9.2, 1.8);
      head.lineTo(12.8, 4.6);
      head.lineTo(8.6, 6.2);
      head.closeSubpath();
      p.drawPath(head);
      break;
    }
  }
}

QIcon GlyphIcon(Button b, const QPalette& palette) {
  QIcon icon;
  for (auto [mode, group] :
       {std::pair{QIcon::Normal, QPalette::Active}, std::pair{QIcon::Disabled, QPalette::Disabled}}) {
    for (qreal ratio : {1.0, 2.0}) {
      QPixmap pm(static_cast<int>(kGlyph * ratio), static_cast<int>(kGlyph * ratio));
      pm.setDevicePixelRatio(ratio);
      pm.fill(Qt::transparent);
      QPainter painter(&pm);
      QColor ink = palette.color(group, QPalette::ButtonText);
      if (b == Button::Post && mode == QIcon::Normal) ink = QColor(0x1d, 0x7a, 0x2e);
      if ((b == Button::Cancel || b == Button::Delete) && mode == QIcon::Normal) ink = QColor(0xb0, 0x28, 0x28);
      DrawGlyph(painter, b, ink);
      painter.end();
      icon.addPixmap(pm, mode);
    }
  }
  return icon;
}

}  // namespace

class DbNavigator::Link : public TDataLink {
public:
  explicit Link(DbNavigator& navigator) : navigator_(navigator) {}

protected:
  void ActiveChanged() override { navigator_.UpdateButtons(); }
  void DataSetChanged() override { navigator_.UpdateButtons(); }
  void DataSetScrolled(int) override { navigator_.UpdateButtons(); }
  void EditingChanged() override { navigator_.UpdateButtons(); }

private:
  DbNavigator& navigator_;
};

DbNavigator::DbNavigator(QWidget* parent, TDataSource* source) : QWidget(parent), link_(std::make_unique<Link>(*this)) {
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  for (int i = 0; i < kButtonCount; ++i) {
    const auto b = static_cast<Button>(i);
    auto* button = new QToolButton(this);
    button->setObjectName(QString::fromLatin1(ButtonName(b)));
    button->setToolTip(QString::fromUtf8(ButtonHint(b)));
    button->setIcon(GlyphIcon(b, palette()));
    button->setIconSize(QSize(kGlyph, kGlyph));
    button->setAutoRaise(false);
    button->setFocusPolicy(Qt::NoFocus);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    button->setMinimumSize(20, 20);
    connect(button, &QToolButton::clicked, this, [this, b] { ClickButton(b); });
    layout->addWidget(button);
    buttons_[i] = button;
  }
  SetDataSource(source);
  UpdateButtons();
}

DbNavigator::~DbNavigator() {
  link_.reset();
}

TDataSource* DbNavigator::DataSource() const {
  return link_->DataSource();
}

void DbNavigator::SetDataSource(TDataSource* source) {
  link_->SetDataSource(source);
  UpdateButtons();
}

TDataSet* DbNavigator::DataSet() const {
  return link_->Active() ? link_->DataSet() : nullptr;
}

void DbNavigator::SetVisibleButtons(const std::vector<Button>& buttons) {
  for (int i = 0; i < kButtonCount; ++i) buttons_[i]->setVisible(false);
  for (Button b : buttons) ButtonOf(b)->setVisible(true);
}

bool DbNavigator::IsButtonVisible(Button button) const {
  return !ButtonOf(button)->isHidden();
}

void DbNavigator::UpdateButtons() {
  TDataSet* ds = DataSet();
  const bool active = ds != nullptr;
  const bool editing = active && ds->Editing();
  const bool canModify = active && ds->CanModify();
  const bool empty = !active || ds->IsEmpty();
  const bool bof = !active || ds->Bof();
  const bool eof = !active || ds->Eof();
  auto set = [&](Button b, bool enabled) { ButtonOf(b)->setEnabled(enabled); };
  set(Button::First, active && !bof);
  set(Button::Prior, active && !bof);
  set(Button::Next, active && !eof);
  set(Button::Last, active && !eof);
  set(Button::Insert, canModify);
  set(Button::Delete, canModify && !empty);
  set(Button::Edit, canModify && !editing && !empty);
  set(Button::Post, canModify && editing);
  set(Button::Cancel, canModify && editing);
  set(Button::Refresh, active && !editing);
}

void DbNavigator::RunAction(Button button) {
  TDataSet* ds = DataSet();
  if (!ds) throw EAbort();
  if (BeforeAction) BeforeAction(button);
  switch (button) {
    case Button::First:
      ds->First();
      break;
    case Button::Prior:
      ds->Prior();
      break;
    case Button::Next:
      ds->Next();
      break;
    case Button::Last:
      ds->Last();
      break;
    case Button::Insert:
      ds->Insert();
      break;
    case Button::Delete:
      if (dialogs_) {
        CancelCaptureMode();
        if (dialogs_->AskYesNo(kMsgConfirmDelete) != TMsgDlgBtn::Yes) throw EAbort();
      }
      ds->Delete();
      break;
    case Button::Edit:
      ds->Edit();
      break;
    case Button::Post:
      ds->Post();
      break;
    case Button::Cancel:
      ds->Cancel();
      break;
    case Button::Refresh:
      ds->Refresh();
      break;
  }
}

void DbNavigator::ClickButton(Button button) {
  if (!ButtonOf(button)->isEnabled()) return;
  bool done = false;
  Guard([&] {
    RunAction(button);
    done = true;
  });
  UpdateButtons();
  if (done) Guard([&] { emit clicked(button); });
}
