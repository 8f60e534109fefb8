#pragma once
// What the data-entry frames and pickers of both programs share: their
// fonts, title labels, labels with buddies, the editing navigator, command
// buttons that commit pending edits first, radio buttons that can all be
// unchecked.

#include <QFont>
#include <QString>
#include <functional>
#include <initializer_list>
#include <string>

#include "platform/services/Services.h"

class DbLineEdit;
class DbNavigator;
class QAbstractButton;
class QButtonGroup;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QWidget;
class TDataSource;

// The frames' text: 12-pixel Arial.
QFont FrameFont();
// A frame's title: bold 16-pixel Arial.
QFont FrameTitleFont();
// Sets the frames' font on a frame or a picker; its children inherit it.
void ApplyFrameFont(QWidget* frame);

// A frame's title label.
QLabel* MakeTitleLabel(QWidget* parent, const QString& text, const char* name = "LabelTitle");
// A label; its mnemonic focuses the buddy. A data-aware buddy reports its
// field under the caption's name.
QLabel* MakeLabel(QWidget* parent, const QString& text, QWidget* buddy = nullptr);
// A caption without its "&" marks and the colon after it: "&Índice de
// Sítio:" is "Índice de Sítio".
std::string CaptionName(const QString& caption);
// The document frames' "&Verificar" and "Calcular" buttons, right-aligned in
// a row.
QHBoxLayout* MakeCheckButtons(QWidget* parent, QPushButton*& verify, QPushButton*& calculate);

// The navigator of the editing frames: prior, next, insert, delete and post.
// The dialogs ask before a delete.
DbNavigator* MakeEditNavigator(QWidget* parent, TDataSource* source, IDialogs& dialogs,
                               const char* name = "DBNavigator");

// Binds the edit to the field ("" unbinds it) and enables or disables it;
// by default enabled exactly when bound.
void BindEdit(DbLineEdit* edit, const std::string& field);
void BindEdit(DbLineEdit* edit, const std::string& field, bool enabled);

// Gives the widget its component name, for the windows that look for it.
template <class W>
W* Named(W* widget, const char* name) {
  widget->setObjectName(name);
  return widget;
}

// Runs the command on a click, after the pending edit of the button's window
// was written through its field; what it raises goes to the application's
// handler (an EAbort stops silently).
void OnCommand(QAbstractButton* button, std::function<void()> command);

// Checks one button of the group, or none for nullptr, without clicks.
void CheckOnly(QButtonGroup* group, QAbstractButton* button);
