#pragma once

#include <QString>
#include <QValidator>

class QWidget;

// The text-entry controls of the window, single-line and multi-line alike,
// as the Edit commands see them.
bool IsEditBox(const QWidget* widget);
int SelectedTextLength(const QWidget* box);
QString SelectedText(const QWidget* box);
// Replaces the selection (or inserts at the caret).
void ReplaceSelection(QWidget* box, const QString& text);
void DeleteSelection(QWidget* box);
// The box's own undo and redo of what was typed into it since it was last
// filled by the program; false for a control that is no edit box.
bool CanUndoTyping(const QWidget* box);
bool CanRedoTyping(const QWidget* box);
void UndoTyping(QWidget* box);
void RedoTyping(QWidget* box);

class QPlainTextEdit;

// A memo's text as it was typed or shown: toPlainText() would turn no-break
// spaces into blanks and line separators into line breaks.
QString MemoText(const QPlainTextEdit* memo);

// Lines joined with one blank each, for controls that hold a single line.
QString JoinedLines(const QString& text);

// Keeps a single-line box on one line whichever way text arrives (paste,
// drop, the program): a line break would split the line in the file. The
// lines are joined with blanks.
class SingleLineValidator : public QValidator
{
public:
    explicit SingleLineValidator(QObject* parent);
    State validate(QString& input, int& position) const override;
};
