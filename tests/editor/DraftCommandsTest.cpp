// File, New from program and Edit, Draft options from help, against a
// script that prints a help text, with the review dialog driven offscreen.
#include "editor/HelpWindow.h"
#include "tests/editor/MainFormHarness.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QTableWidget>
#include <QTest>

namespace {

using Kind = FakeDialogs::Shown::Kind;

// Its -h prints another option; anything else prints nothing.
const QByteArray Tool = R"(#!/bin/sh
case "$1" in
--help) printf 'Usage: drafttool [OPTION]... FILE\nConvert a file quickly.\n\n%s\n%s\n%s\n' \
  '  -v, --verbose          explain what is being done' \
  '  -o, --output=FILE      write the result to FILE' \
  '      --colour={always,never,auto}  colour the output';;
-h) echo '  -x, --extra   do extra work';;
esac
)";

QString WriteProgram(MainFormHarness& harness, const QByteArray& script)
{
    const QString path = harness.WriteFile(QStringLiteral("drafttool"), script);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

// The options' names, joined by '|'.
QString Names(const CDef& def)
{
    QStringList names;
    for (const COption& option : def.Options)
        names.append(QString::fromStdString(option.Name));
    return names.join(QLatin1Char('|'));
}

// The rows, each "+Name Format" when ticked, "-Name Format" when not, joined by '|'.
QString Rows(const QDialog& dialog)
{
    const auto* table = dialog.findChild<QTableWidget*>(QStringLiteral("DraftOptions"));
    QStringList rows;
    for (int row = 0; row < table->rowCount(); ++row)
        rows.append(QLatin1Char(table->item(row, 0)->checkState() == Qt::Checked ? '+' : '-') +
                    table->item(row, 0)->text() + QLatin1Char(' ') + table->item(row, 2)->text());
    return rows.join(QLatin1Char('|'));
}

QPushButton* OkButton(const QDialog& dialog)
{
    return dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
}

} // namespace

class DraftCommandsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void newFromProgramDraftsAnUnsavedDocument()
    {
        MainFormHarness harness;
        harness.Open(harness.WriteFile(QStringLiteral("old.Quarn"), "[Quarn]\r\nName=Old\r\n"));
        const QString tool = WriteProgram(harness, Tool);
        harness.dialogs.fileAnswers.append(tool);
        harness.Trigger("FileNewFromProgram");
        QCOMPARE(harness.dialogs.Count(Kind::Prompt), 0);
        QCOMPARE(harness.dialogs.fileDialogs.last().title, QStringLiteral("Select program"));
        QVERIFY(harness.Document().Path.empty());
        QVERIFY(!harness.Form().windowTitle().contains(QStringLiteral("old")));
        QCOMPARE(harness.Edit("Name")->text(), QStringLiteral("drafttool"));
        QCOMPARE(harness.Edit("Program")->text(), tool);
        QCOMPARE(harness.Memo("ProgInfo")->toPlainText(),
                 QStringLiteral("Convert a file quickly.\nUsage: drafttool [OPTION]... FILE"));
        QCOMPARE(Names(harness.Document().Current), QStringLiteral("verbose|output|colour|FILE"));

        // The draft is unsaved work: the next command asks first.
        harness.dialogs.promptAnswers.append(PromptAnswer::Cancel);
        harness.Trigger("FileNewFromProgram");
        QCOMPARE(harness.dialogs.Last(Kind::Prompt).text,
                 QStringLiteral("Definition has changed.\nDo you want to save it?"));
        QCOMPARE(harness.dialogs.Count(Kind::File), 2); // Open, then the first draft
    }

    void newFromProgramFailures_data()
    {
        QTest::addColumn<QByteArray>("script"); // null: a name not on the search path
        QTest::addColumn<QString>("message");
        QTest::newRow("nothing printed")
            << QByteArray("#!/bin/sh\nexit 0\n") << QStringLiteral("--help\u201D printed nothing.");
        QTest::newRow("not text") << QByteArray("#!/bin/sh\nprintf '\\000\\001-x\\n'\n")
                                  << QStringLiteral("prints something that is not text.");
        QTest::newRow("no options") << QByteArray("#!/bin/sh\necho 'Converts files.'\n")
                                    << QStringLiteral("drafttool lists no options.");
        QTest::newRow("not found") << QByteArray()
                                   << QStringLiteral("There is no program named "
                                                     "no-such-drafttool on the search path.");
    }

    void newFromProgramFailures()
    {
        QFETCH(QByteArray, script);
        QFETCH(QString, message);
        MainFormHarness harness;
        const QString old = harness.WriteFile(QStringLiteral("old.Quarn"),
                                              "[Quarn]\r\nName=Old\r\n[A]\r\nType=True\r\n");
        harness.Open(old);
        harness.dialogs.fileAnswers.append(script.isNull()
                                               ? harness.PathOf(QStringLiteral("no-such-drafttool"))
                                               : WriteProgram(harness, script));
        harness.Trigger("FileNewFromProgram");
        const FakeDialogs::Shown error = harness.dialogs.Last(Kind::Error);
        QCOMPARE(error.caption, QStringLiteral("Could not draft from program"));
        QVERIFY2(error.text.contains(message), qPrintable(error.text));
        QCOMPARE(QString::fromStdString(harness.Document().Path), old);
        QCOMPARE(harness.List("OptionList")->count(), 1);
    }

    void reviewedOptionsFollowTheCurrentOneAsOneStep()
    {
        MainFormHarness harness;
        const QString tool = WriteProgram(harness, Tool);
        harness.Open(harness.WriteFile(
            QStringLiteral("tool.Quarn"),
            "[Quarn]\r\nProgram=" + tool.toUtf8() +
                "\r\n[Verbose]\r\nType=True\r\nFormat=--verbose\r\n[Last]\r\nType=True\r\n"));
        const CDef before = harness.Document().Current;
        QVERIFY(!harness.Action("EditDraftOptions")->isEnabled()); // Program settings page
        harness.FocusOptionList();
        QVERIFY(harness.Action("EditDraftOptions")->isEnabled());

        // Other ways run only when picked; one that gives nothing says so.
        // Cancel adds nothing.
        harness.dialogs.modalAnswers.append([](QDialog& dialog) {
            dialog.show();
            QVERIFY(QTest::qWaitForWindowActive(&dialog));
            auto* source = dialog.findChild<QComboBox*>(QStringLiteral("DraftSource"));
            source->setFocus();
            QTest::keyClick(source, Qt::Key_Down);
            QCOMPARE(source->currentText(), QStringLiteral("drafttool -h"));
            QCOMPARE(Rows(dialog), QStringLiteral("+extra --extra"));
            QTest::keyClick(source, Qt::Key_Down);
            QCOMPARE(Rows(dialog), QString());
            QVERIFY(dialog.findChild<QLabel*>(QStringLiteral("DraftNote"))
                        ->text()
                        .endsWith(QStringLiteral("drafttool -help\u201D printed nothing.")));
            QVERIFY(!OkButton(dialog)->isEnabled());
            QTest::keyClick(source, Qt::Key_F1);
            const auto* help = dialog.findChild<THelpWindow*>();
            QVERIFY(help && help->isVisible());
            QCOMPARE(help->Source().fragment(), QStringLiteral("the-review-dialog"));
            dialog.reject();
        });
        harness.Trigger("EditDraftOptions");
        QCOMPARE(harness.Document().Current, before);
        QVERIFY(!harness.Action("EditUndo")->isEnabled());

        harness.dialogs.modalAnswers.append([](QDialog& dialog) {
            dialog.show();
            // The document has --verbose: not ticked, its Name told apart
            // from "Verbose". "Last" has no Format but is no operand.
            QCOMPARE(Rows(dialog),
                     QStringLiteral("-verbose (explain what is being) --verbose|"
                                    "+output --output=%s|+colour --colour=%s|+FILE "));
            auto* table = dialog.findChild<QTableWidget*>(QStringLiteral("DraftOptions"));
            QCOMPARE(table->item(2, 3)->text(), QStringLiteral("always, never, auto"));
            QCOMPARE(table->item(3, 4)->text(),
                     QStringLiteral("Usage: drafttool [OPTION]... FILE"));
            table->setCurrentCell(2, 0);
            QTest::keyClick(table, Qt::Key_Space);
            QTest::mouseClick(OkButton(dialog), Qt::LeftButton);
        });
        harness.Trigger("EditDraftOptions");
        QCOMPARE(Names(harness.Document().Current), QStringLiteral("Verbose|output|FILE|Last"));
        QCOMPARE(harness.List("OptionList")->currentRow(), 1);
        QCOMPARE(harness.Action("EditUndo")->statusTip(), QStringLiteral("Undo Draft options"));
        harness.Trigger("EditUndo");
        QCOMPARE(harness.Document().Current, before);
        QVERIFY(harness.dialogs.AllAnswersUsed());

        // Without a program there is nothing to ask.
        harness.Edit("Program")->clear();
        QVERIFY(!harness.Action("EditDraftOptions")->isEnabled());
    }
};

QTEST_MAIN(DraftCommandsTest)
#include "DraftCommandsTest.moc"
