#pragma once

#include "system/Dialogs.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// Dialogs answered by the test. Each kind of dialog takes its answers from
// a queue filled in advance; a dialog shown with an empty queue fails the
// test and answers Cancel. Everything shown is recorded.
class FakeDialogs : public Dialogs
{
public:
    struct Shown
    {
        enum class Kind
        {
            Prompt,
            Question,
            Confirmation,
            Error,
            File,
            Folder,
            Modal
        } kind;
        QString caption; // prompt and error caption, dialog title
        QString text;    // prompt and error text; file dialog's initial name; folder preselection
        QWidget* owner = nullptr;
    };

    QList<PromptAnswer> promptAnswers;
    QList<bool> questionAnswers; // Yes is true
    QList<bool> confirmAnswers;  // the accepting button is true
    // An empty string cancels the dialog; anything else is the chosen path,
    // as the dialog would give it for the name shown.
    QStringList fileAnswers;
    QStringList folderAnswers;
    // Each drives the next window shown modally, the real widget, and ends
    // it with accept() or reject(); without one the window is only recorded.
    QList<std::function<void(QDialog&)>> modalAnswers;

    QList<Shown> shown;
    // Every file dialog as it was set up when shown.
    QList<FileDialogSettings> fileDialogs;

    PromptAnswer AskYesNoCancel(QWidget* owner, const QString& caption,
                                const QString& text) override;
    bool AskYesNo(QWidget* owner, const QString& caption, const QString& text) override;
    bool Confirm(QWidget* owner, const QString& caption, const QString& text,
                 const QString& acceptText) override;
    void ShowError(QWidget* owner, const QString& caption, const QString& text) override;
    bool ChooseFile(QWidget* owner, FileDialogSettings& dialog) override;
    bool ChooseFolder(QWidget* owner, const QString& title, FilePath& folder) override;
    void ShowModal(QDialog& dialog) override;

    int Count(Shown::Kind kind) const;
    // The last shown of a kind; fails the test when there was none.
    Shown Last(Shown::Kind kind) const;
    bool AllAnswersUsed() const;
};
