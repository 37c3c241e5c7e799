#include "system/ExecutableDialog.h"
#include "system/FileNameCodec.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>

namespace {

// Answers the real dialog from inside its modal loop: first by typing the
// path (or keeping the preset) and pressing Return, then by closing whatever
// is still open (a "File not found" box, the dialog itself), so that a
// refusal fails the test instead of hanging it.
class DialogAnswerer : public QObject
{
public:
    explicit DialogAnswerer(QString typed) : typed(std::move(typed)) { startTimer(20); }

    QStringList closed; // the kinds of window that did not close by themselves

protected:
    void timerEvent(QTimerEvent*) override
    {
        QWidget* const modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        auto* const edit =
            answered ? nullptr : modal->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (!edit) {
            closed.append(QString::fromLatin1(modal->metaObject()->className()));
            modal->close();
            return;
        }
        answered = true;
        if (!typed.isEmpty())
            edit->setText(typed);
        // Queued: a refusal's message box then runs its loop outside this
        // timer, which can close it.
        QMetaObject::invokeMethod(
            edit, [edit] { QTest::keyClick(edit, Qt::Key_Return); }, Qt::QueuedConnection);
    }

private:
    QString typed;
    bool answered = false;
};

} // namespace

class ExecutableDialogTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void acceptsProgramAsItStands_data();
    void acceptsProgramAsItStands();
    void acceptsNameThatIsNotUtf8();
};

void ExecutableDialogTest::acceptsProgramAsItStands_data()
{
    // Paths below a scratch folder holding the program "ls", "sh", a link to
    // it, and "bin", a link to the folder itself.
    QTest::addColumn<QString>("preset");
    QTest::addColumn<QString>("typed"); // empty: Return on the preset

#ifdef Q_OS_WIN
    QSKIP("programs carry an extension on Windows");
#endif
    QTest::newRow("preset without extension") << QStringLiteral("ls") << QString();
    QTest::newRow("preset link in a linked folder, as /bin/sh")
        << QStringLiteral("bin/sh") << QString();
    QTest::newRow("typed into an empty dialog") << QString() << QStringLiteral("ls");
}

void ExecutableDialogTest::acceptsProgramAsItStands()
{
    QFETCH(QString, preset);
    QFETCH(QString, typed);

    QTemporaryDir scratch;
    const QString folder = scratch.path() + QLatin1Char('/');
    QFile program(folder + QStringLiteral("ls"));
    QVERIFY(program.open(QIODevice::WriteOnly));
    QVERIFY(QFile::link(program.fileName(), folder + QStringLiteral("sh")));
    QVERIFY(QFile::link(folder, folder + QStringLiteral("bin")));

    FileDialogSettings dialog = ExecutableDialogSettings();
    dialog.title = QStringLiteral("Select program");
    dialog.fileName = preset.isEmpty() ? FilePath() : FilePath::FromText(folder + preset);
    DialogAnswerer answerer(typed.isEmpty() ? QString() : folder + typed);
    QtDialogs dialogs;
    const bool accepted = dialogs.ChooseFile(nullptr, dialog);
    QCOMPARE(answerer.closed, QStringList());
    QVERIFY(accepted);
    QCOMPARE(dialog.fileName.Text(), folder + (typed.isEmpty() ? preset : typed));
}

void ExecutableDialogTest::acceptsNameThatIsNotUtf8()
{
#ifdef Q_OS_WIN
    QSKIP("Windows names are UTF-16");
#endif
    // The dialog shows the name with U+FFFD; the choice is the file on disk.
    QTemporaryDir scratch;
    const FilePath folder = FilePath::FromText(scratch.path()) + "/r\xe9pertoire";
    const FilePath program = folder + "/outil-\xe9";
    QVERIFY(std::filesystem::create_directory(folder.Native()));
    std::ofstream(program.Native()) << "x";

    FileDialogSettings dialog = ExecutableDialogSettings();
    DialogAnswerer answerer(QFile::decodeName(QByteArray::fromStdString(program.Bytes())));
    QtDialogs dialogs;
    const bool accepted = dialogs.ChooseFile(nullptr, dialog);
    std::filesystem::remove_all(folder.Native());
    QCOMPARE(answerer.closed, QStringList());
    QVERIFY(accepted);
    QCOMPARE(dialog.fileName, program);
}

QTEST_MAIN(ExecutableDialogTest)
#include "ExecutableDialogTest.moc"
