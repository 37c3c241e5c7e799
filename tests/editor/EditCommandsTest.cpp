// The Edit menu's dispatch: the target that owns the control the keyboard
// works on runs each command, and the actions follow that target without
// being asked to look again.
#include "editor/EditCommands.h"
#include "editor/MenuFocus.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QTest>
#include <QVBoxLayout>

namespace {

class FakeTarget : public EditTarget
{
public:
    explicit FakeTarget(const QWidget* owned) : owned_(owned) {}
    bool Owns(const QWidget* control) const override { return control == owned_; }
    bool CanRun(EditCommand command) const override { return available.contains(command); }
    void Run(EditCommand command) override { runs.append(static_cast<int>(command)); }
    QString StepName(EditCommand command) const override
    {
        return ListStepName(command, QStringLiteral("entry"));
    }

    QList<EditCommand> available;
    QList<int> runs;

private:
    const QWidget* owned_;
};

struct Window
{
    Window()
    {
        auto* central = new QWidget(&window);
        auto* layout = new QVBoxLayout(central);
        for (QWidget* control : std::initializer_list<QWidget*>{box, list, check})
            layout->addWidget(control);
        window.setCentralWidget(central);
        window.menuBar()->addMenu(QStringLiteral("&Edit"));
        window.show();
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window))
            qWarning("the window did not become active");
    }

    QMainWindow window;
    QLineEdit* box = new QLineEdit;
    QListWidget* list = new QListWidget;
    QCheckBox* check = new QCheckBox;
    EditCommands::Actions actions = [this] {
        EditCommands::Actions made{};
        for (QAction*& action : made)
            action = new QAction(&window);
        return made;
    }();
    MenuFocus focus{&window, window.menuBar()};
    FakeTarget boxTarget{box};
    FakeTarget listTarget{list};
    QStringList steps;
    EditCommands commands{focus,
                          [this](const QString& name, const std::function<void()>& run) {
                              steps.append(name);
                              run();
                          },
                          actions, &window};
};

QList<bool> Enabled(const Window& window)
{
    QList<bool> enabled;
    for (const QAction* action : window.actions)
        enabled.append(action->isEnabled());
    return enabled;
}

const int Copy = static_cast<int>(EditCommand::Copy);
const int Delete = static_cast<int>(EditCommand::Delete);

} // namespace

class EditCommandsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void theFocusedTargetRuns()
    {
        Window window;
        window.commands.AddTarget(window.listTarget);
        window.commands.AddTarget(window.boxTarget);
        window.box->setFocus();
        window.commands.Run(EditCommand::Delete);
        window.list->setFocus();
        window.commands.Run(EditCommand::Delete);
        window.check->setFocus();
        window.commands.Run(EditCommand::Delete);
        QCOMPARE(window.boxTarget.runs, QList<int>{Delete});
        QCOMPARE(window.listTarget.runs, QList<int>{Delete});
    }

    void actionsFollowFocusAndTarget()
    {
        Window window;
        window.commands.AddTarget(window.boxTarget);
        window.boxTarget.available = {EditCommand::Paste};
        window.check->setFocus();
        QCOMPARE(Enabled(window), QList<bool>(7, false));
        window.box->setFocus();
        QCOMPARE(Enabled(window), QList<bool>({false, false, false, false, true, false, false}));
        window.boxTarget.available = {EditCommand::Delete, EditCommand::Up};
        Q_EMIT window.boxTarget.Changed();
        QCOMPARE(Enabled(window), QList<bool>({false, true, false, false, false, true, false}));
    }

    void cutIsCopyThenDeleteInOneStep()
    {
        Window window;
        window.commands.AddTarget(window.listTarget);
        window.list->setFocus();
        window.commands.Run(EditCommand::Cut);
        QCOMPARE(window.listTarget.runs, QList<int>({Copy, Delete}));
        QCOMPARE(window.steps, QStringList{QStringLiteral("Cut entry")});
        // Copy changes nothing to undo.
        window.commands.Run(EditCommand::Copy);
        QCOMPARE(window.steps.size(), 1);
    }
};

QTEST_MAIN(EditCommandsTest)
#include "EditCommandsTest.moc"
