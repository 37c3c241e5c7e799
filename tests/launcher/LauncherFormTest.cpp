// The launcher's window offscreen, with real programs run under a terminal.
#include "launcher/LauncherForm.h"
#include "launcher/LauncherPanel.h"

#include "launcher/OptionsPanel.h"
#include "launcher/OutputView.h"
#include "launcher/RunSession.h"
#include "tests/support/FakeDialogs.h"
#include "tests/support/TestPlatform.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <memory>

namespace {

using Words = std::vector<std::string>;

class Launcher
{
public:
    // The definition from its option sections; the program settings come first.
    explicit Launcher(const QByteArray& settings, const QByteArray& options = {},
                      const Words& arguments = {})
    {
        Open(settings, options, arguments);
    }

    void Open(const QByteArray& settings, const QByteArray& options, const Words& arguments = {})
    {
        form.reset();
        const QString path = folder.filePath(QStringLiteral("tool.Quarn"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Quarn]\n" + settings + options);
        file.close();
        LaunchDefinition definition;
        std::string reason;
        QVERIFY(ReadLaunchDefinition(path.toStdString(), {}, definition, reason));
        form = std::make_unique<TLauncherForm>(platform, dialogs, definition, arguments);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }

    template <typename T> T* Child(const char* name) const
    {
        return form->findChild<T*>(QString::fromLatin1(name));
    }
    QString Command() const { return Child<QLineEdit>("CommandLine")->text(); }
    QString Problems() const
    {
        const QLabel* problems = Child<QLabel>("Problems");
        return problems->isVisible() ? problems->text() : QString();
    }
    bool RunEnabled() const { return Child<QPushButton>("Run")->isEnabled(); }
    void Select(int option) const
    {
        form->Panel().Options().List()->setCurrentItem(form->Panel().Options().List()->topLevelItem(option));
    }
    QString ValueShown(int option) const
    {
        return form->Panel().Options().List()->topLevelItem(option)->text(1);
    }
    QString Output() const
    {
        auto* view = Child<OutputView>("Output");
        view->SelectAll();
        return view->SelectedText();
    }
    bool RunToEnd() const
    {
        QSignalSpy ended(&form->Panel().Session(), &RunSession::Ended);
        form->Panel().RunExecute();
        return ended.wait(10000);
    }

    QTemporaryDir folder;
    TestPlatform platform;
    FakeDialogs dialogs;
    std::unique_ptr<TLauncherForm> form;
};

} // namespace

class LauncherFormTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void ControlFollowsTheType_data();
    void ControlFollowsTheType();
    void EditsChangeTheCommandLive();
    void MandatoryOptionsKeepRunDisabled();
    void ArgumentsWinOverRememberedValues();
    void RunShowsOutputAndRemembersValues();
    void InputReachesTheProgram();
    void StartFailureIsShown();
    void ClosingWhileRunningAsksToStop();
};

void LauncherFormTest::ControlFollowsTheType_data()
{
    QTest::addColumn<QByteArray>("option");
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("browse");

    QTest::newRow("String") << QByteArray("Type=String\n") << QStringLiteral("ValueText") << false;
    QTest::newRow("unknown type is String")
        << QByteArray("Type=Number\n") << QStringLiteral("ValueText") << false;
    QTest::newRow("Suggest, the folder option")
        << QByteArray("Type=Suggest\nValue1=a\nUse Directory=1\n") << QStringLiteral("ValueSuggest")
        << true;
    QTest::newRow("Select") << QByteArray("Type=select\nValue1=a\n")
                            << QStringLiteral("ValueSelect") << false;
    QTest::newRow("True") << QByteArray("Type=True\n") << QStringLiteral("ValueCheck") << false;
    QTest::newRow("False") << QByteArray("Type=False\n") << QStringLiteral("ValueCheck") << false;
}

void LauncherFormTest::ControlFollowsTheType()
{
    QFETCH(QByteArray, option);
    QFETCH(QString, control);
    QFETCH(bool, browse);
    const Launcher launcher("Program=true\n", "[O]\n" + option);
    for (const char* name : {"ValueText", "ValueSuggest", "ValueSelect", "ValueCheck"})
        QCOMPARE(launcher.Child<QWidget>(name)->isVisible(), control == QLatin1String(name));
    QCOMPARE(launcher.Child<QPushButton>("Browse")->isVisible(), browse);
}

void LauncherFormTest::EditsChangeTheCommandLive()
{
    const Launcher launcher("Program=true\nFirst=1\n",
                            "[Name]\nFormat=-n %s\n[Mode]\nType=Select\nValue=fast\nValue1=fast\n"
                            "Value2=slow\nFormat=--mode=%s\n[Verbose]\nType=True\nFormat=-v\n");
    const QString program = launcher.Command().section(QLatin1Char(' '), 0, 0);
    QCOMPARE(launcher.Command(), program + QStringLiteral(" --mode=fast"));
    QVERIFY(launcher.Child<QComboBox>("ValueSelect")->isVisible()); // First selects Mode

    launcher.Select(0);
    QTest::keyClicks(launcher.Child<QLineEdit>("ValueText"), QStringLiteral("it's a b"));
    QCOMPARE(launcher.Command(), program + QStringLiteral(" -n 'it'\\''s a b' --mode=fast"));
    QCOMPARE(launcher.ValueShown(0), QStringLiteral("it's a b"));

    launcher.Select(1);
    auto* select = launcher.Child<QComboBox>("ValueSelect");
    select->setCurrentIndex(select->findText(QStringLiteral("slow")));
    Q_EMIT select->activated(select->currentIndex());
    launcher.Select(2);
    launcher.Child<QCheckBox>("ValueCheck")->click();
    QCOMPARE(launcher.Command(), program + QStringLiteral(" -n 'it'\\''s a b' --mode=slow -v"));
    QCOMPARE(launcher.ValueShown(2), QStringLiteral("on"));

    launcher.form->Panel().DefaultsExecute();
    QCOMPARE(launcher.Command(), program + QStringLiteral(" --mode=fast"));
    QVERIFY(!launcher.Child<QCheckBox>("ValueCheck")->isChecked());
}

void LauncherFormTest::MandatoryOptionsKeepRunDisabled()
{
    const Launcher launcher("Program=true\n",
                            "[Input]\nMandatory=1\n[Quote]\nValue=x\nFormat=\"-q %s\n");
    QVERIFY(!launcher.RunEnabled());
    QCOMPARE(launcher.Problems(), QStringLiteral("Give a value for Input. The format of Quote "
                                                 "has an unclosed quote."));
    QCOMPARE(launcher.form->Panel().Options().List()->topLevelItem(0)->text(0), QStringLiteral("Input *"));
    QVERIFY(!launcher.form->Panel().Options().List()->topLevelItem(0)->icon(1).isNull());

    launcher.Select(1);
    launcher.Child<QLineEdit>("ValueText")->clear();
    Q_EMIT launcher.Child<QLineEdit>("ValueText")->textEdited(QString());
    launcher.Select(0);
    QTest::keyClicks(launcher.Child<QLineEdit>("ValueText"), QStringLiteral("in"));
    QVERIFY(launcher.RunEnabled());
    QCOMPARE(launcher.Problems(), QString());
    QVERIFY(launcher.form->Panel().Options().List()->topLevelItem(0)->icon(1).isNull());
}

void LauncherFormTest::ArgumentsWinOverRememberedValues()
{
    Launcher launcher("Program=true\n", "[A]\nValue=a\n[B]\nValue=b\nArg=1\n[C]\nType=True\n");
    launcher.Select(0);
    QTest::keyClicks(launcher.Child<QLineEdit>("ValueText"), QStringLiteral("2"));
    launcher.Select(2);
    launcher.Child<QCheckBox>("ValueCheck")->click();
    QVERIFY(launcher.RunToEnd());

    launcher.Open("Program=true\n", "[A]\nValue=a\n[B]\nValue=b\nArg=1\n[C]\nType=True\n",
                  {"one", "two"});
    QCOMPARE(launcher.ValueShown(0), QStringLiteral("a2"));
    QCOMPARE(launcher.ValueShown(1), QStringLiteral("one"));
    QCOMPARE(launcher.ValueShown(2), QStringLiteral("on"));
    QVERIFY(launcher.Command().endsWith(QStringLiteral(" a2 one two")));
    launcher.form->Panel().DefaultsExecute();
    QVERIFY(launcher.Command().endsWith(QStringLiteral(" a b two")));
}

void LauncherFormTest::RunShowsOutputAndRemembersValues()
{
    const Launcher launcher("Program=/bin/sh\n",
                            "[Script]\nValue=printf '\\033[31mred\\033[0m %s\\n' \"$0\"; exit 3\n"
                            "Format=-c %s\n[Name]\nValue=a b\n");
    QVERIFY(launcher.RunToEnd());
    const QString output = launcher.Output();
    QVERIFY2(output.contains(QStringLiteral("red a b\n")), qPrintable(output));
    QVERIFY2(output.contains(QStringLiteral("Exited with status 3 after")), qPrintable(output));
    QVERIFY(launcher.form->statusBar()->currentMessage().startsWith(
        QStringLiteral("Exited with status 3")));
    QVERIFY(launcher.RunEnabled());
    QCOMPARE(launcher.platform.settings.size(), 1);
}

void LauncherFormTest::InputReachesTheProgram()
{
    const Launcher launcher("Program=/bin/sh\n",
                            "[Script]\nValue=read line; echo \"got $line\"; cat; echo end\n"
                            "Format=-c %s\n");
    QSignalSpy ended(&launcher.form->Panel().Session(), &RunSession::Ended);
    launcher.form->Panel().RunExecute();
    auto* input = launcher.Child<QLineEdit>("Input");
    QVERIFY(input->isEnabled());
    QTest::keyClicks(input, QStringLiteral("hello"));
    QTest::keyClick(input, Qt::Key_Return);
    QTRY_VERIFY_WITH_TIMEOUT(launcher.Output().contains(QStringLiteral("got hello")), 10000);
    QTest::keyClick(input, Qt::Key_D, Qt::ControlModifier);
    QVERIFY(ended.wait(10000));
    QVERIFY2(launcher.Output().contains(QStringLiteral("end\n")), qPrintable(launcher.Output()));
    QVERIFY(!input->isEnabled());
    QCOMPARE(QApplication::focusWidget(), launcher.Child<QPushButton>("Run"));
}

void LauncherFormTest::StartFailureIsShown()
{
    Launcher launcher("Program=./not-executable\n");
    QFile program(launcher.folder.filePath(QStringLiteral("not-executable")));
    QVERIFY(program.open(QIODevice::WriteOnly));
    program.close();
    launcher.form->Panel().RunExecute();
    QCOMPARE(launcher.dialogs.Count(FakeDialogs::Shown::Kind::Error), 1);
    QVERIFY2(launcher.dialogs.Last(FakeDialogs::Shown::Kind::Error)
                 .text.endsWith(QStringLiteral("not-executable:\nPermission denied")),
             qPrintable(launcher.dialogs.Last(FakeDialogs::Shown::Kind::Error).text));
    QVERIFY(!launcher.form->Panel().Session().IsRunning());
}

void LauncherFormTest::ClosingWhileRunningAsksToStop()
{
    Launcher launcher("Program=sleep\n", "[Seconds]\nValue=60\n");
    QSignalSpy ended(&launcher.form->Panel().Session(), &RunSession::Ended);
    launcher.form->Panel().RunExecute();
    QVERIFY(launcher.form->Panel().Session().IsRunning());

    launcher.dialogs.confirmAnswers = {false};
    QVERIFY(!launcher.form->close());
    QVERIFY(launcher.form->Panel().Session().IsRunning());

    launcher.dialogs.confirmAnswers = {true};
    launcher.form->close();
    QVERIFY(ended.wait(10000));
    QTRY_VERIFY(!launcher.form->isVisible());
    QVERIFY(launcher.Output().contains(QStringLiteral("Ended by signal 2")));
    QVERIFY(launcher.dialogs.AllAnswersUsed());
}

QTEST_MAIN(LauncherFormTest)
#include "LauncherFormTest.moc"
