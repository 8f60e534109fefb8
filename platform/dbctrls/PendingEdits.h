#pragma once
// Two rules for every window.
//
// Commands commit pending edits: menus and tool lists take no focus, so text
// typed into a data-aware edit, or into a grid cell editor still open, is not
// in its field yet when a command runs. Each command calls
// CommitPendingEdits(window) first.
//
// Default buttons inside frames: Qt honours a default button only in a
// dialog. InstallDefaultButton makes Return or Enter that no control inside
// the frame took (an edit passes it on; a memo keeps it) commit pending
// edits and click the button.

class QAbstractButton;
class QObject;
class QWidget;

// Writes the text of the window's focused data-aware edit or open grid
// editor through its field (no post). Raises what the field raises. True
// when there was such a control.
bool CommitPendingEdits(QWidget* window);

// Returns the filter object, owned by the frame.
QObject* InstallDefaultButton(QWidget* frame, QAbstractButton* button);
