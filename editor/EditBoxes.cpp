#include "editor/EditBoxes.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTextCursor>
#include <QTextDocument>

bool IsEditBox(const QWidget* widget)
{
    return qobject_cast<const QLineEdit*>(widget) || qobject_cast<const QPlainTextEdit*>(widget);
}

QString SelectedText(const QWidget* box)
{
    if (auto* line = qobject_cast<const QLineEdit*>(box))
        return line->selectedText();
    if (auto* memo = qobject_cast<const QPlainTextEdit*>(box)) {
        // The cursor's own text marks paragraph breaks and Shift+Return
        // line breaks with separator characters; plain text has line
        // breaks for both. Everything else (no-break spaces) stays.
        return memo->textCursor()
            .selectedText()
            .replace(QChar::ParagraphSeparator, QLatin1Char('\n'))
            .replace(QChar::LineSeparator, QLatin1Char('\n'));
    }
    return QString();
}

int SelectedTextLength(const QWidget* box)
{
    return static_cast<int>(SelectedText(box).size());
}

void ReplaceSelection(QWidget* box, const QString& text)
{
    if (auto* line = qobject_cast<QLineEdit*>(box))
        line->insert(text);
    else if (auto* memo = qobject_cast<QPlainTextEdit*>(box))
        memo->insertPlainText(text);
}

void DeleteSelection(QWidget* box)
{
    if (auto* line = qobject_cast<QLineEdit*>(box)) {
        if (line->hasSelectedText())
            line->del();
    } else if (auto* memo = qobject_cast<QPlainTextEdit*>(box)) {
        QTextCursor cursor = memo->textCursor();
        cursor.removeSelectedText();
        memo->setTextCursor(cursor);
    }
}

bool CanUndoTyping(const QWidget* box)
{
    if (auto* line = qobject_cast<const QLineEdit*>(box))
        return line->isUndoAvailable();
    if (auto* memo = qobject_cast<const QPlainTextEdit*>(box))
        return memo->document()->isUndoAvailable();
    return false;
}

bool CanRedoTyping(const QWidget* box)
{
    if (auto* line = qobject_cast<const QLineEdit*>(box))
        return line->isRedoAvailable();
    if (auto* memo = qobject_cast<const QPlainTextEdit*>(box))
        return memo->document()->isRedoAvailable();
    return false;
}

void UndoTyping(QWidget* box)
{
    if (auto* line = qobject_cast<QLineEdit*>(box))
        line->undo();
    else if (auto* memo = qobject_cast<QPlainTextEdit*>(box))
        memo->undo();
}

void RedoTyping(QWidget* box)
{
    if (auto* line = qobject_cast<QLineEdit*>(box))
        line->redo();
    else if (auto* memo = qobject_cast<QPlainTextEdit*>(box))
        memo->redo();
}

QString MemoText(const QPlainTextEdit* memo)
{
    return memo->document()->toRawText().replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
}

QString JoinedLines(const QString& text)
{
    static const QRegularExpression lineBreaks(QStringLiteral("\\r\\n|\\r|\\n"));
    // A text that ends with a line break has no empty last line to join.
    QString lines = text;
    if (lines.endsWith(QStringLiteral("\r\n")))
        lines.chop(2);
    else if (lines.endsWith(QLatin1Char('\n')) || lines.endsWith(QLatin1Char('\r')))
        lines.chop(1);
    return lines.split(lineBreaks).join(QLatin1Char(' '));
}

SingleLineValidator::SingleLineValidator(QObject* parent) : QValidator(parent) {}

QValidator::State SingleLineValidator::validate(QString& input, int& position) const
{
    if (input.contains(QLatin1Char('\n'))) {
        input = JoinedLines(input);
        position = std::min(position, static_cast<int>(input.size()));
    }
    return Acceptable;
}
