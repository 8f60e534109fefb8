#include "forms/FrameKit.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <utility>

#include "platform/dbctrls/DbControls.h"
#include "platform/dbctrls/DbNavigator.h"
#include "platform/dbctrls/PendingEdits.h"
#include "platform/gui/Graphics.h"
#include "platform/gui/Guard.h"
#include "platform/gui/QtTypes.h"

QFont FrameFont() {
  return PixelFont("Arial", 12);
}

QFont FrameTitleFont() {
  return PixelFont("Arial", 16, fsBold);
}

void ApplyFrameFont(QWidget* frame) {
  frame->setFont(FrameFont());
}

QLabel* MakeTitleLabel(QWidget* parent, const QString& text, const char* name) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setFont(FrameTitleFont());
  label->setContentsMargins(0, 0, 0, 4);
  return label;
}

QLabel* MakeLabel(QWidget* parent, const QString& text, QWidget* buddy) {
  auto* label = new QLabel(text, parent);
  if (buddy) label->setBuddy(buddy);
  if (auto* control = dynamic_cast<DbFieldControl*>(buddy)) control->SetFieldLabel(CaptionName(text));
  return label;
}

std::string CaptionName(const QString& caption) {
  QString name;
  for (int i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) ++i;
    name += caption[i];
  }
  name = name.trimmed();
  while (name.endsWith(':')) name.chop(1);
  return FromQString(name.trimmed());
}

QHBoxLayout* MakeCheckButtons(QWidget* parent, QPushButton*& verify, QPushButton*& calculate) {
  verify = Named(new QPushButton("&Verificar", parent), "ButtonVerificar");
  calculate = Named(new QPushButton("Calcular", parent), "ButtonCalcular");
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(verify);
  buttons->addWidget(calculate);
  return buttons;
}

DbNavigator* MakeEditNavigator(QWidget* parent, TDataSource* source, IDialogs& dialogs, const char* name) {
  auto* navigator = new DbNavigator(parent, source);
  navigator->setObjectName(name);
  using B = DbNavigator::Button;
  navigator->SetVisibleButtons({B::Prior, B::Next, B::Insert, B::Delete, B::Post});
  navigator->SetDialogs(&dialogs);
  return navigator;
}

void BindEdit(DbLineEdit* edit, const std::string& field) {
  BindEdit(edit, field, !field.empty());
}

void BindEdit(DbLineEdit* edit, const std::string& field, bool enabled) {
  edit->SetDataField(field);
  edit->setEnabled(enabled);
}

void OnCommand(QAbstractButton* button, std::function<void()> command) {
  QObject::connect(button, &QAbstractButton::clicked, button, [button, command = std::move(command)] {
    Guard([&] {
      CommitPendingEdits(button->window());
      command();
    });
  });
}

void CheckOnly(QButtonGroup* group, QAbstractButton* button) {
  const bool exclusive = group->exclusive();
  group->setExclusive(false);
  for (QAbstractButton* b : group->buttons()) b->setChecked(b == button);
  group->setExclusive(exclusive);
}
