#pragma once

#include "editor/EditTarget.h"

class QListWidget;
class QString;

// The option list and the value list as the Edit commands use them. Entries
// and selections the program sets raise no signals.

// Keeps the current entry selected (a Ctrl+click would clear the highlight
// while the commands go on acting on that entry) and keeps Qt's own copy
// keys (Ctrl+Insert) from putting entry texts on the system clipboard: the
// list's clipboard is the Edit commands'.
void PrepareEditList(QListWidget& list);
void SelectRow(QListWidget& list, int row);
void InsertEntry(QListWidget& list, int row, const QString& text);
void RemoveEntry(QListWidget& list, int row);
// Whether the current entry can trade places with the one offset away.
bool CanMoveCurrent(const QListWidget& list, int offset);
// Trades the texts of the current entry and the one offset away and makes
// that one current; returns its row.
int MoveCurrent(QListWidget& list, int offset);
// Whether a list's Edit command can run now: New always, the others on the
// current entry where it can go, Paste when there is something to paste.
bool CanRunOnList(const QListWidget& list, EditCommand command, bool canPaste);
