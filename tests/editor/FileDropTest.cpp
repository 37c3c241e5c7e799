// Drops on the controls of both pages, through the real widget tree: files
// follow the window's drop rules whichever control is under the pointer,
// and no control ever takes a file as an address; other text goes into the
// control, on one line in the one-line boxes.
#include "editor/EditBoxes.h"
#include "tests/editor/MainFormHarness.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QTest>
#include <QUrl>

namespace {

enum class Dragged
{
    Definition,
    Folder,
    OtherFile,
    ThreeFiles,
    Text,
    WebAddress,
    WebThenFile
};

const QByteArray WithSelectOption = "[Quarn]\r\nName=Before\r\n"
                                    "[Opt]\r\nType=Select\r\nValue1=a\r\nValue2=b\r\n";

const QStringList SettingsPageBoxes = {QStringLiteral("Name"), QStringLiteral("Program"),
                                       QStringLiteral("Directory"), QStringLiteral("Shell"),
                                       QStringLiteral("ProgInfo")};
const QStringList OptionsPageBoxes = {QStringLiteral("NameOption"), QStringLiteral("Value"),
                                      QStringLiteral("EditValues"), QStringLiteral("Format"),
                                      QStringLiteral("Arg"),        QStringLiteral("OptionInfo")};

// A drag that enters the control, moves over it and drops, as the platform
// delivers it: to the widget under the pointer, a memo's viewport included.
void DropOn(QWidget* box, const QMimeData& data)
{
    auto* memo = qobject_cast<QPlainTextEdit*>(box);
    QWidget* under = memo ? memo->viewport() : box;
    const QPoint at = under->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                          Qt::NoModifier);
    QApplication::sendEvent(under, &enter);
    QDragMoveEvent move(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(under, &move);
    QDropEvent drop(QPointF(at), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                    Qt::NoModifier);
    QApplication::sendEvent(under, &drop);
    QApplication::processEvents();
}

} // namespace

Q_DECLARE_METATYPE(Dragged)

class FileDropTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void dropOnAControl_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<Dragged>("dragged");
        const std::pair<Dragged, const char*> kinds[] = {
            {Dragged::Definition, "definition file"},
            {Dragged::Folder, "folder"},
            {Dragged::OtherFile, "other file"},
            {Dragged::ThreeFiles, "three files"},
            {Dragged::Text, "multi-line text"},
            {Dragged::WebAddress, "web address"},
            {Dragged::WebThenFile, "web address before a file"},
        };
        for (const QString& box : SettingsPageBoxes + OptionsPageBoxes) {
            for (const auto& [dragged, name] : kinds) {
                // The argument box keeps numbers only: text has its own rule there.
                if (box == QLatin1String("Arg") && dragged >= Dragged::Text)
                    continue;
                QTest::newRow(qPrintable(box + QStringLiteral(", ") + QLatin1String(name)))
                    << box << dragged;
            }
        }
    }

    void dropOnAControl()
    {
        QFETCH(QString, box);
        QFETCH(Dragged, dragged);
        MainFormHarness harness;
        harness.Open(harness.WriteFile(QStringLiteral("start.Quarn"), WithSelectOption));
        const bool onOptionsPage = OptionsPageBoxes.contains(box);
        auto* pages = harness.Control<QTabWidget>("PageControl");
        pages->setCurrentIndex(onOptionsPage ? 1 : 0);
        harness.ClickRow(harness.List("Values"), 0);
        QWidget* target = harness.Control<QWidget>(qPrintable(box));
        QVERIFY(target->isVisible() && target->isEnabled());

        const QString definition =
            harness.WriteFile(QStringLiteral("DROPPED.QUARN"), "[Quarn]\r\nName=Dropped\r\n");
        const QString program = harness.PathOf(QStringLiteral("tool.sh"));
        const QUrl web(QStringLiteral("https://example.org/a?b=c"));
        QMimeData data;
        switch (dragged) {
        case Dragged::Definition:
            data.setUrls({QUrl::fromLocalFile(definition)});
            break;
        case Dragged::Folder:
            data.setUrls({QUrl::fromLocalFile(harness.PathOf(QString()))});
            break;
        case Dragged::OtherFile:
            data.setUrls({QUrl::fromLocalFile(program)});
            break;
        case Dragged::ThreeFiles:
            data.setUrls({QUrl::fromLocalFile(program), QUrl::fromLocalFile(definition),
                          QUrl::fromLocalFile(harness.PathOf(QString()))});
            break;
        case Dragged::Text:
            data.setText(QStringLiteral("one\ntwo\n"));
            break;
        case Dragged::WebAddress:
            // A browser offers a link as an address and as its text.
            data.setUrls({web});
            data.setText(web.toString());
            break;
        case Dragged::WebThenFile:
            data.setUrls({web, QUrl::fromLocalFile(program)});
            data.setText(web.toString() + QLatin1Char('\n') +
                         QUrl::fromLocalFile(program).toString());
            break;
        }
        const bool isFileDrop = dragged < Dragged::Text;
        if (!isFileDrop)
            SetBoxText(target, QString());
        const QString nameBefore = harness.Edit("Name")->text();
        const QString programBefore = harness.Edit("Program")->text();
        const QString directoryBefore = harness.Edit("Directory")->text();

        DropOn(target, data);

        QCOMPARE(harness.dialogs.Count(FakeDialogs::Shown::Kind::Prompt), 0);
        for (const QWidget* control : harness.Form().findChildren<QWidget*>()) {
            if (IsEditBox(control))
                QVERIFY2(!BoxText(control).contains(QLatin1String("file:")),
                         qPrintable(control->objectName()));
        }
        QCOMPARE(pages->currentIndex(), isFileDrop ? 0 : (onOptionsPage ? 1 : 0));
        switch (dragged) {
        case Dragged::Definition:
            QCOMPARE(harness.Edit("Name")->text(), QStringLiteral("Dropped"));
            QCOMPARE(harness.Title(), QStringLiteral("Quarn Editor - DROPPED.QUARN"));
            break;
        case Dragged::Folder:
            QCOMPARE(harness.Edit("Directory")->text(), harness.PathOf(QString()));
            QCOMPARE(harness.Edit("Program")->text(), programBefore);
            break;
        case Dragged::OtherFile:
        case Dragged::ThreeFiles:
            QCOMPARE(harness.Edit("Program")->text(), program);
            QCOMPARE(harness.Edit("Directory")->text(), directoryBefore);
            QCOMPARE(harness.Edit("Name")->text(), nameBefore);
            break;
        case Dragged::Text: {
            const bool memo = qobject_cast<QPlainTextEdit*>(target);
            QCOMPARE(BoxText(target),
                     memo ? QStringLiteral("one\ntwo\n") : QStringLiteral("one two"));
            break;
        }
        case Dragged::WebAddress:
            QCOMPARE(BoxText(target), web.toString());
            break;
        case Dragged::WebThenFile:
            QCOMPARE(BoxText(target), QString());
            QCOMPARE(harness.Edit("Program")->text(), programBefore);
            break;
        }
    }
};

QTEST_MAIN(FileDropTest)
#include "FileDropTest.moc"
