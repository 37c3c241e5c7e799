#include "editor/ContextHelp.h"

#include <QAction>
#include <QEvent>
#include <QWidget>
#include <utility>

namespace {

// Controls and pages of the main window and its dialogs, by their design
// names, and the manual's topic on each.
constexpr std::pair<const char*, const char*> Topics[] = {
    {"GlobalPage", "qrc:/manual/02-program-settings.md"},
    {"Preview", "qrc:/manual/13-trying-a-definition.md"},
    {"Name", "qrc:/manual/02-program-settings.md#caption"},
    {"ProgramButton", "qrc:/manual/06-finding-files.md#the-executable-button"},
    {"Program", "qrc:/manual/02-program-settings.md#program"},
    {"DirectoryButton", "qrc:/manual/06-finding-files.md#the-directory-button"},
    {"Directory", "qrc:/manual/02-program-settings.md#directory"},
    {"ShellButton", "qrc:/manual/06-finding-files.md#the-shell-button"},
    {"Shell", "qrc:/manual/02-program-settings.md#shell"},
    {"ProgInfo", "qrc:/manual/02-program-settings.md#information"},
    {"Hide", "qrc:/manual/07-hiding-a-program.md"},
    {"OptionsPage", "qrc:/manual/03-options-page.md"},
    {"OptionList", "qrc:/manual/03-options-page.md#the-option-list"},
    {"NameOption", "qrc:/manual/03-options-page.md#name"},
    {"Type", "qrc:/manual/03-options-page.md#type"},
    {"EditValues", "qrc:/manual/03-options-page.md#values"},
    {"Values", "qrc:/manual/03-options-page.md#values"},
    {"Value", "qrc:/manual/03-options-page.md#value"},
    {"ValBool", "qrc:/manual/03-options-page.md#value"},
    {"Format", "qrc:/manual/03-options-page.md#format"},
    {"Arg", "qrc:/manual/03-options-page.md#argument-number"},
    {"Multiple", "qrc:/manual/03-options-page.md#multiple-values"},
    {"UseDir", "qrc:/manual/03-options-page.md#use-directory"},
    {"Mandatory", "qrc:/manual/03-options-page.md#mandatory-argument"},
    {"Default", "qrc:/manual/03-options-page.md#default-option"},
    {"OptionInfo", "qrc:/manual/03-options-page.md#information"},
    {"DraftReview", "qrc:/manual/12-drafting-from-help.md#the-review-dialog"},
};

QUrl TopicNamed(const QString& name)
{
    for (const auto& [control, topic] : Topics) {
        if (name == QLatin1String(control))
            return QUrl(QString::fromLatin1(topic));
    }
    return QUrl();
}

} // namespace

ShortcutUse::ShortcutUse(QAction* action) : QObject(action)
{
    action->installEventFilter(this);
}

bool ShortcutUse::Take()
{
    return std::exchange(byKey_, false);
}

bool ShortcutUse::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Shortcut)
        byKey_ = true;
    return QObject::eventFilter(watched, event);
}

QUrl HelpTopicFor(const QWidget* control)
{
    // A control's inner parts (a list's viewport, a drop-down's box) ask
    // for the control's topic; a page asks for the page's.
    for (; control; control = control->parentWidget()) {
        const QUrl topic = TopicNamed(control->objectName());
        if (!topic.isEmpty())
            return topic;
    }
    return QUrl();
}
