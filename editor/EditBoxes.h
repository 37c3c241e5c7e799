#pragma once

#include <QString>

class QWidget;

// The text-entry controls of the window, single-line and multi-line alike,
// as the Edit commands see them.
bool IsEditBox(const QWidget* widget);
int SelectedTextLength(const QWidget* box);
QString SelectedText(const QWidget* box);
// Replaces the selection (or inserts at the caret); a single-line box takes
// the lines of a multi-line text joined with blanks.
void ReplaceSelection(QWidget* box, const QString& text);
void DeleteSelection(QWidget* box);

// Lines joined with one blank each, for controls that hold a single line.
QString JoinedLines(const QString& text);
