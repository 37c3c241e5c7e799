// The launcher's panel beside the pages: it follows the document as it is
// edited, tries values and runs without changing the document.
#include "document/DefinitionFile.h"
#include "editor/ContextHelp.h"
#include "editor/PreviewCommands.h"
#include "launcher/LauncherPanel.h"
#include "launcher/OptionsPanel.h"
#include "launcher/OutputView.h"
#include "tests/editor/MainFormHarness.h"

#include <QTest>
#include <QTreeWidget>

namespace {

const QByteArray Greeting = "[Quarn]\r\nProgram=sh\r\n[Script]\r\nType=String\r\nFormat=-c %s\r\n"
                            "Value=echo hello from the preview\r\n[Who]\r\nType=String\r\n";

QString Command(MainFormHarness& harness)
{
    return harness.Form()
        .Preview()
        .Pane()
        .findChild<QLineEdit*>(QStringLiteral("CommandLine"))
        ->text();
}

} // namespace

class PreviewTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void followsEditsWithoutChangingTheDocument()
    {
        MainFormHarness harness;
        harness.Open(harness.WriteFile(QStringLiteral("greet.Quarn"), Greeting));
        PreviewPane& pane = harness.Form().Preview().Pane();
        QVERIFY(pane.isHidden());
        harness.Trigger("ViewPreview");
        QVERIFY(pane.isVisible());
        QCOMPARE(harness.platform.settings.value(QStringLiteral("View/Preview")),
                 QStringLiteral("1"));
        QTRY_VERIFY(Command(harness).endsWith(QStringLiteral("-c 'echo hello from the preview'")));

        // A field's edit shows before it is taken into the document.
        harness.FocusOptionList();
        harness.ClickRow(harness.List("OptionList"), 0);
        harness.Edit("Format")->setText(QStringLiteral("-ec %s"));
        QTRY_VERIFY(Command(harness).contains(QStringLiteral("-ec 'echo")));
        harness.Edit("Program")->setText(QStringLiteral("bash"));
        QTRY_VERIFY(Command(harness).contains(QStringLiteral("bash -ec")));

        // Values tried in the preview stay there, and stay over edits.
        const CDef before = harness.Document().Current;
        OptionsPanel& options = pane.Panel().Options();
        options.List()->setCurrentItem(options.List()->topLevelItem(1));
        auto* value = pane.findChild<QLineEdit*>(QStringLiteral("ValueText"));
        QTest::keyClicks(value, QStringLiteral("someone"));
        QTRY_VERIFY(Command(harness).endsWith(QStringLiteral(" someone")));
        QCOMPARE(harness.Document().Current, before);
        harness.Edit("Format")->setText(QStringLiteral("-c %s"));
        QTRY_VERIFY(Command(harness).contains(QStringLiteral("-c 'echo")));
        QVERIFY(Command(harness).endsWith(QStringLiteral(" someone")));

        harness.Trigger("ViewPreview");
        QVERIFY(pane.isHidden());
        QCOMPARE(harness.platform.settings.value(QStringLiteral("View/Preview")),
                 QStringLiteral("0"));
    }

    // A value tried in the preview stays while its option is still there
    // (same place, name and type); an untouched one follows the definition.
    void keepsTriedValues_data()
    {
        QTest::addColumn<QByteArray>("options"); // the sections after the edit
        QTest::addColumn<QByteArray>("values"); // after, joined by commas
        const QByteArray a = "[A]\nValue=a\n";
        QTest::newRow("another field edited")
            << a + "[B]\nValue=b\nFormat=-b %s\n" << QByteArray("a,tried");
        QTest::newRow("an untouched value follows the new one")
            << QByteArray("[A]\nValue=new\n[B]\nValue=b\n") << QByteArray("new,tried");
        QTest::newRow("another type") << a + "[B]\nType=Suggest\nValue=b\n"
                                      << QByteArray("a,b");
        QTest::newRow("renamed") << a + "[C]\nValue=b\n" << QByteArray("a,b");
        QTest::newRow("an option inserted before")
            << "[X]\nValue=x\n" + a + "[B]\nValue=b\n" << QByteArray("x,a,b");
        QTest::newRow("removed") << a << QByteArray("a");
    }

    void keepsTriedValues()
    {
        QFETCH(QByteArray, options);
        QFETCH(QByteArray, values);
        TestPlatform platform;
        FakeDialogs dialogs;
        QByteArray file = "[Quarn]\nProgram=sh\n[A]\nValue=a\n[B]\nValue=b\n";
        PreviewPane pane(platform, dialogs, [&file] {
            return PreviewSource{ReadDefinition(file.toStdString(), "sh", "sh"), std::string()};
        });
        pane.Refresh();
        pane.Panel().Options().SetValues({{"a", "tried"}, {}});
        file = "[Quarn]\nProgram=sh\n" + options;
        pane.Refresh();
        QByteArrayList shown;
        for (const std::string& value : pane.Panel().Options().Values().options)
            shown.append(QByteArray::fromStdString(value));
        QCOMPARE(shown.join(','), values);
    }

    void shownAsLeftAndRunsWithoutSaving()
    {
        MainFormHarness harness({}, {{QStringLiteral("View/Preview"), QStringLiteral("1")}});
        harness.Open(harness.WriteFile(QStringLiteral("greet.Quarn"), Greeting));
        PreviewPane& pane = harness.Form().Preview().Pane();
        QVERIFY(pane.isVisible());
        harness.Edit("Program")->setText(QStringLiteral("sh"));
        harness.Trigger("ViewRunInPreview");
        auto* output = pane.findChild<OutputView*>(QStringLiteral("Output"));
        QTRY_VERIFY_WITH_TIMEOUT((output->SelectAll(), output->SelectedText())
                                     .contains(QStringLiteral("hello from the preview")),
                                 10000);
        QVERIFY(!harness.Document().IsModified());
        // F1 anywhere in the preview: its own topic.
        QCOMPARE(HelpTopicFor(output).fileName(), QStringLiteral("13-trying-a-definition.md"));
    }

    void survivesManyOptions()
    {
        QByteArray file = "[Quarn]\r\nProgram=sh\r\n";
        for (int i = 0; i < 10000; ++i)
            file += "[Option " + QByteArray::number(i) + "]\r\nType=True\r\nFormat=-" +
                    QByteArray::number(i) + "\r\n";
        MainFormHarness harness({}, {{QStringLiteral("View/Preview"), QStringLiteral("1")}});
        harness.Open(harness.WriteFile(QStringLiteral("many.Quarn"), file));
        OptionsPanel& options = harness.Form().Preview().Pane().Panel().Options();
        QTRY_COMPARE(options.List()->topLevelItemCount(), 10000);
        harness.FocusOptionList();
        harness.ClickRow(harness.List("OptionList"), 9999);
        harness.Trigger("EditDelete");
        QTRY_COMPARE(options.List()->topLevelItemCount(), 9999);
    }
};

QTEST_MAIN(PreviewTest)
#include "PreviewTest.moc"
