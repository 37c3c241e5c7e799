// The "Program settings" page on its own: what Show fills in comes back
// from Collect, the memo's bytes included until it is edited; edits and
// the Program field's rule are told.
#include "editor/ProgramSettingsPage.h"
#include "system/TextCodec.h"
#include "tests/support/DocumentPrinting.h"
#include "tests/support/FakeDialogs.h"
#include "tests/support/TestPlatform.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

class ProgramSettingsPageTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void showThenCollect_data()
    {
        QTest::addColumn<bool>("memoEdited");
        QTest::newRow("memo as shown") << false;
        QTest::newRow("memo edited") << true;
    }

    void showThenCollect()
    {
        QFETCH(bool, memoEdited);
        TestPlatform platform;
        FakeDialogs dialogs;
        const TextCodec codec;
        TProgramSettingsPage page;
        page.Setup(platform, dialogs, codec);
        CProgramSettings shown;
        shown.Name = "Tool";
        shown.Program = "/bin/tool";
        shown.Directory = "/tmp";
        shown.Shell = "sh -c";
        shown.First = 2;
        // A lone CR, which the memo shows as a line break.
        shown.Information = "one\rtwo";
        page.Show(shown);
        if (memoEdited)
            page.findChild<QPlainTextEdit*>(QStringLiteral("ProgInfo"))->appendPlainText(
                QStringLiteral("three"));

        CDef collected;
        collected.Information = shown.Information;
        page.Collect(collected);
        CDef expected;
        expected.Settings() = shown;
        expected.First = 0; // not a field
        if (memoEdited)
            expected.Information = codec.EncodeLines(QStringLiteral("one\ntwo\nthree"));
        QCOMPARE(collected, expected);
    }

    void editsAndTheProgramRuleAreTold()
    {
        TestPlatform platform;
        FakeDialogs dialogs;
        const TextCodec codec;
        TProgramSettingsPage page;
        page.Setup(platform, dialogs, codec);
        QSignalSpy edited(&page, &TProgramSettingsPage::Edited);
        QSignalSpy program(&page, &TProgramSettingsPage::ProgramChanged);
        auto* hide = page.findChild<QPushButton*>(QStringLiteral("Hide"));
        CProgramSettings shown;
        shown.Program = "/bin/tool";
        page.Show(shown);
        QCOMPARE(edited.count(), 0);
        QVERIFY(hide->isEnabled());

        page.SetDirectory(FilePath("/tmp"));
        QCOMPARE(edited.count(), 1);
        page.SetProgram(FilePath());
        QCOMPARE(edited.count(), 2);
        QVERIFY(!hide->isEnabled());
        QCOMPARE(program.count(), 2);
        QCOMPARE(program.last().constFirst().toString(), QString());
    }
};

QTEST_MAIN(ProgramSettingsPageTest)
#include "ProgramSettingsPageTest.moc"
