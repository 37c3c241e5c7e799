#include "tests/support/FakeDialogs.h"

#include <QDialog>
#include <QTest>
#include <algorithm>

namespace {

template <typename T> std::optional<T> TakeAnswer(QList<T>& answers, const QString& what)
{
    if (answers.isEmpty()) {
        QTest::qFail(qPrintable(QStringLiteral("unexpected dialog: ") + what), __FILE__, __LINE__);
        return std::nullopt;
    }
    return answers.takeFirst();
}

} // namespace

PromptAnswer FakeDialogs::AskYesNoCancel(QWidget* owner, const QString& caption,
                                         const QString& text)
{
    shown.append({Shown::Kind::Prompt, caption, text, owner});
    return TakeAnswer(promptAnswers, caption + QLatin1Char(':') + text)
        .value_or(PromptAnswer::Cancel);
}

bool FakeDialogs::AskYesNo(QWidget* owner, const QString& caption, const QString& text)
{
    shown.append({Shown::Kind::Question, caption, text, owner});
    return TakeAnswer(questionAnswers, caption + QLatin1Char(':') + text).value_or(false);
}

bool FakeDialogs::Confirm(QWidget* owner, const QString& caption, const QString& text,
                          const QString&)
{
    shown.append({Shown::Kind::Confirmation, caption, text, owner});
    return TakeAnswer(confirmAnswers, caption + QLatin1Char(':') + text).value_or(false);
}

void FakeDialogs::ShowError(QWidget* owner, const QString& caption, const QString& text)
{
    shown.append({Shown::Kind::Error, caption, text, owner});
}

bool FakeDialogs::ChooseFile(QWidget* owner, FileDialogSettings& dialog)
{
    shown.append({Shown::Kind::File, dialog.title, dialog.fileName.Text(), owner});
    fileDialogs.append(dialog);
    const QString answer = TakeAnswer(fileAnswers, dialog.title).value_or(QString());
    if (answer.isEmpty())
        return false;
    dialog.fileName = FilePath::FromText(answer);
    return true;
}

bool FakeDialogs::ChooseFolder(QWidget* owner, const QString& title, FilePath& folder)
{
    shown.append({Shown::Kind::Folder, title, folder.Text(), owner});
    const QString answer = TakeAnswer(folderAnswers, title).value_or(QString());
    if (answer.isEmpty())
        return false;
    folder = FilePath::FromText(answer);
    return true;
}

void FakeDialogs::ShowModal(QDialog& dialog)
{
    shown.append({Shown::Kind::Modal, dialog.windowTitle(), QString(), dialog.parentWidget()});
    if (!modalAnswers.isEmpty())
        modalAnswers.takeFirst()(dialog);
}

int FakeDialogs::Count(Shown::Kind kind) const
{
    return static_cast<int>(std::count_if(shown.begin(), shown.end(),
                                          [kind](const Shown& s) { return s.kind == kind; }));
}

FakeDialogs::Shown FakeDialogs::Last(Shown::Kind kind) const
{
    for (auto it = shown.rbegin(); it != shown.rend(); ++it) {
        if (it->kind == kind)
            return *it;
    }
    QTest::qFail("no such dialog was shown", __FILE__, __LINE__);
    return {};
}

bool FakeDialogs::AllAnswersUsed() const
{
    return promptAnswers.isEmpty() && questionAnswers.isEmpty() && confirmAnswers.isEmpty() &&
           fileAnswers.isEmpty() && folderAnswers.isEmpty() && modalAnswers.isEmpty();
}
