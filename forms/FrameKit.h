#pragma once
// What the data-entry frames and pickers of both programs share: their
// fonts, title labels, labels with buddies, the editing navigator, command
// buttons that commit pending edits first, radio buttons that can all be
// unchecked, the file dialogs, and the file commands of a frame.

#include <QFont>
#include <QString>
#include <functional>
#include <initializer_list>
#include <string>

#include "platform/services/Services.h"
#include "storage/DataModule.h"

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
DbNavigator* MakeEditNavigator(QWidget* parent, TDataSource* source, IDialogs* dialogs,
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

// A file dialog: its title, the folder it starts in, the name it proposes,
// its filter and default extension (by default the data files'), and whether
// a save asks before overwriting. A document's dialog starts in the folder
// of the documents instead and, once the file was opened or saved, that
// folder becomes its own.
struct FileDialogRequest {
  std::string title{};
  std::string folder{};
  std::string fileName{};
  std::string filter = kDataFileFilter;
  std::string defaultExt = "dat";
  bool overwritePrompt = true;
  TDocumentFolder* documents = nullptr;
};

// Asks for an existing file and hands its path to open; false without
// dialogs or when cancelled.
bool OpenWithDialog(IDialogs* dialogs, const FileDialogRequest& request,
                    const std::function<void(const std::string&)>& open);
// "Salvar Como": asks for a path and hands it to save; false without dialogs
// or when cancelled.
bool SaveWithDialog(IDialogs* dialogs, const FileDialogRequest& request,
                    const std::function<void(const std::string&)>& save);

// A frame whose document or catalogue the window's file commands act on.
class IDocumentFrame {
public:
  virtual ~IDocumentFrame() = default;
  virtual bool Open() = 0;
  virtual bool Save() = 0;
  virtual bool SaveAs() = 0;
  // A save would write other bytes than were last read or written.
  virtual bool Changed() = 0;
  // Asked before the program ends with the change unsaved.
  virtual std::string SaveQuestion() const = 0;
};
