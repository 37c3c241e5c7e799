// The main window as it starts: actions, menus, tool bar, the settings
// page, the command line, dropped files, closing, hints and the precedence
// of shortcuts over the focused control.
#include "editor/PreviewCommands.h"
#include "system/ExecutableDialog.h"
#include "tests/editor/MainFormHarness.h"

#include <QDropEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

class MainWindowTest : public QObject
{
    Q_OBJECT

private:
    static QStringList MenuEntries(const QMenu* menu)
    {
        QStringList entries;
        for (const QAction* action : menu->actions())
            entries.append(action->isSeparator() ? QStringLiteral("-") : action->objectName());
        return entries;
    }

    static void Drop(TMainForm& form, const QStringList& paths)
    {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString& path : paths)
            urls.append(QUrl::fromLocalFile(path));
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&form, &enter);
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&form, &drop);
        QApplication::processEvents(); // the drop is handled once it is over
    }

private Q_SLOTS:
    void actionsAsDesigned_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("toolTip");
        QTest::addColumn<QString>("statusTip");
        QTest::addColumn<QString>("shortcut");
        QTest::addColumn<bool>("enabled");
        const auto row = [](const char* name, const char* caption, const char* tip,
                            const char* status, const char* shortcut, bool enabled) {
            QTest::newRow(name) << QString::fromUtf8(name) << QString::fromUtf8(caption)
                                << QString::fromUtf8(tip) << QString::fromUtf8(status)
                                << QString::fromUtf8(shortcut) << enabled;
        };
        row("FileNew", "&New", "New", "Create a new definition file", "Ctrl+N", true);
        row("FileOpen", "&Open", "Open", "Open a definition file", "Ctrl+O", true);
        row("FileSave", "&Save", "Save", "Save current definition file", "Ctrl+S", true);
        row("FileSaveAs", "Save &As...", "Save As",
            "Save current definition file with different name", "Ctrl+A", true);
        row("Go", "&Go", "Go", "Launch definition file", "Ctrl+G", false);
        row("FileExit", "E&xit", "Exit", "Exit application", "", true);
        row("EditUndo", "Und&o", "Undo", "Undo", "Ctrl+Z", false);
        row("EditRedo", "R&edo", "Redo", "Redo", "Ctrl+Shift+Z", false);
        row("EditNew", "&New", "New", "Add a new option", "Ins", false);
        row("EditDelete", "&Remove", "Delete", "Remove this option", "Del", false);
        row("EditCut", "Cu&t", "Cut", "Copy and remove this option", "Ctrl+X", false);
        row("EditCopy", "&Copy", "Copy", "Copy this option", "Ctrl+C", false);
        row("EditPaste", "&Paste", "Paste", "Insert the copied element", "Ctrl+V", false);
        row("EditUp", "&Up", "Up", "Move this option one position up", "Ctrl+U", false);
        row("EditDown", "&Down", "Down", "Move this option one position down", "Ctrl+D", false);
        row("HelpContents", "&Contents...", "Help", "Display the help contents screen", "F1", true);
        row("HelpSearch", "&Search for help on...", "Find help", "Search help file for a topic",
            "Ctrl+F1", true);
        row("HelpAbout", "&About this application...", "About",
            "Displays program information, version number, and copyright", "Ctrl+Shift+F1", true);
    }

    void actionsAsDesigned()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, toolTip);
        QFETCH(QString, statusTip);
        QFETCH(QString, shortcut);
        QFETCH(bool, enabled);
        // A new window, not yet shown: no control to act on, nothing to
        // undo, no program to launch.
        TestPlatform platform;
        FakeDialogs dialogs;
        TMainForm form(platform, dialogs, {});
        const QAction* action = form.findChild<QAction*>(name);
        QVERIFY(action);
        QCOMPARE(action->text(), caption);
        QCOMPARE(action->toolTip(), toolTip);
        QCOMPARE(action->statusTip(), statusTip);
        QCOMPARE(action->shortcut(), QKeySequence(shortcut));
        QCOMPARE(action->isEnabled(), enabled);
        QVERIFY(!action->icon().isNull());
    }

    void menusInOrder()
    {
        MainFormHarness harness;
        const auto* file = harness.Control<QMenu>("File");
        QCOMPARE(MenuEntries(file),
                 QStringList({QStringLiteral("FileNew"), QStringLiteral("FileNewFromProgram"),
                              QStringLiteral("FileOpen"), QStringLiteral("FileSave"),
                              QStringLiteral("FileSaveAs"),
                              QStringLiteral("-"), QStringLiteral("Go"), QStringLiteral("-"),
                              QStringLiteral("FileExit"), QStringLiteral("-"),
                              QStringLiteral("OldIni1"), QStringLiteral("OldIni2"),
                              QStringLiteral("OldIni3"), QStringLiteral("OldIni4")}));
        QCOMPARE(MenuEntries(harness.Control<QMenu>("Edit")),
                 QStringList({QStringLiteral("EditUndo"), QStringLiteral("EditRedo"),
                              QStringLiteral("-"), QStringLiteral("EditNew"), QStringLiteral("EditDelete"),
                              QStringLiteral("EditCut"), QStringLiteral("EditCopy"),
                              QStringLiteral("EditPaste"), QStringLiteral("EditUp"),
                              QStringLiteral("EditDown"), QStringLiteral("-"),
                              QStringLiteral("EditDraftOptions")}));
        QCOMPARE(MenuEntries(harness.Control<QMenu>("Help")),
                 QStringList({QStringLiteral("HelpContents"), QStringLiteral("HelpSearch"),
                              QStringLiteral("-"), QStringLiteral("HelpAbout")}));
        QCOMPARE(file->title(), QStringLiteral("&File"));
        QCOMPARE(file->menuAction()->statusTip(), QStringLiteral("File related commands"));
        QCOMPARE(harness.Control<QMenu>("Edit")->menuAction()->statusTip(),
                 QStringLiteral("Edit commands"));
        QCOMPARE(harness.Control<QMenu>("Help")->menuAction()->statusTip(),
                 QStringLiteral("Help topics"));
        // Without stored files the recent items and their separator are hidden.
        const QList<QAction*> items = file->actions();
        for (const QAction* item : items.mid(items.indexOf(harness.Action("N2"))))
            QVERIFY2(!item->isVisible(), qPrintable(item->objectName()));
        QCOMPARE(harness.Action("OldIni1")->statusTip(), QStringLiteral("Select a previous file"));
    }

    void toolBarInOrder()
    {
        MainFormHarness harness;
        const auto* bar = harness.Control<QToolBar>("ToolBar");
        QStringList entries;
        for (QAction* action : bar->actions()) {
            entries.append(action->isSeparator() ? QStringLiteral("-")
                                                 : bar->widgetForAction(action)->objectName());
        }
        QCOMPARE(entries, QStringList({QStringLiteral("ExitButton"), QStringLiteral("-"),
                                       QStringLiteral("NewButton"), QStringLiteral("OpenButton"),
                                       QStringLiteral("SaveButton"), QStringLiteral("-"),
                                       QStringLiteral("ToolButton5"), QStringLiteral("-"),
                                       QStringLiteral("NewItemButton"), QStringLiteral("DelButton"),
                                       QStringLiteral("CutButton"), QStringLiteral("CopyButton"),
                                       QStringLiteral("PasteButton"), QStringLiteral("UpButton"),
                                       QStringLiteral("DownButton"), QStringLiteral("-"),
                                       QStringLiteral("HelpButton"), QStringLiteral("AboutButton")}));
        QCOMPARE(harness.Control<QToolButton>("SaveButton")->toolTip(), QStringLiteral("Save"));
        // Tool-tips are the tool bar's alone; the preview is the launcher's.
        const QWidget& preview = harness.Form().Preview().Pane();
        for (const QWidget* widget : harness.Form().findChildren<QWidget*>()) {
            if (!qobject_cast<const QToolButton*>(widget) && !preview.isAncestorOf(widget))
                QVERIFY2(widget->toolTip().isEmpty(), qPrintable(widget->objectName()));
        }
    }

    void startsEmpty()
    {
        MainFormHarness harness;
        QCOMPARE(harness.Title(), QStringLiteral("Quarn Editor"));
        QCOMPARE(harness.Control<QTabWidget>("PageControl")->currentWidget()->objectName(),
                 QStringLiteral("GlobalPage"));
        for (const char* field : {"Name", "Program", "Directory", "Shell"})
            QVERIFY(harness.Edit(field)->text().isEmpty());
        QVERIFY(harness.Memo("ProgInfo")->toPlainText().isEmpty());
        QVERIFY(!harness.Action("Go")->isEnabled());
        QVERIFY(!harness.Button("Hide")->isEnabled());
        QVERIFY(!harness.Document().IsModified());
        QVERIFY(harness.Document().Path.empty());
        QVERIFY(harness.Form().minimumWidth() >= 452);
    }

    void recentItemsFromTheStore()
    {
        MainFormHarness harness({}, {{QStringLiteral("Previous/0"), QStringLiteral("/d/b.Quarn")},
                                     {QStringLiteral("Previous/1"), QStringLiteral("/d/a.Quarn")}});
        QCOMPARE(harness.Action("OldIni1")->text(), QStringLiteral("b.Quarn"));
        QCOMPARE(harness.Action("OldIni2")->text(), QStringLiteral("a.Quarn"));
        QVERIFY(harness.Action("OldIni2")->isVisible());
        QVERIFY(!harness.Action("OldIni3")->isVisible());
        QVERIFY(harness.Action("N2")->isVisible());
        QCOMPARE(harness.Form().Recent().Files()[0], FilePath("/d/b.Quarn"));
        QCOMPARE(harness.Title(), QStringLiteral("Quarn Editor"));
        QVERIFY(harness.Document().Path.empty());
    }

    void commandLineNamingNothingOpensNothing()
    {
        // A stored list and an argument that names no file: a later Save
        // must ask for a name instead of writing over a recent file.
        MainFormHarness harness({QStringLiteral("/nowhere/x.Quarn")},
                                {{QStringLiteral("Previous/0"), QStringLiteral("/d/b.Quarn")}});
        QVERIFY(harness.Document().Path.empty());
        QCOMPARE(harness.Title(), QStringLiteral("Quarn Editor"));
        harness.dialogs.fileAnswers.append(QString());
        harness.Trigger("FileSave");
        QCOMPARE(harness.dialogs.Last(FakeDialogs::Shown::Kind::File).caption,
                 QStringLiteral("Save definition file"));
    }

    void commandLineOpensFirstArgumentOnly()
    {
        QTemporaryDir dir;
        const QString definition = dir.filePath(QStringLiteral("tool.Quarn"));
        QFile file(definition);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Quarn]\r\nName=Tool\r\n");
        file.close();
        MainFormHarness harness({definition, dir.filePath(QStringLiteral("other.Quarn"))});
        QCOMPARE(harness.Edit("Name")->text(), QStringLiteral("Tool"));
        QCOMPARE(harness.Title(), QStringLiteral("Quarn Editor - tool.Quarn"));
        QCOMPARE(harness.Form().Recent().Files()[0].Text(), definition);
        QVERIFY(harness.Form().Recent().Files()[1].IsEmpty());
    }

    void commandLineAdoptsAProgram()
    {
        QTemporaryDir dir;
        const QString program = dir.filePath(QStringLiteral("tool.exe"));
        MainFormHarness harness({program});
        QCOMPARE(harness.Edit("Program")->text(), program);
        QCOMPARE(QString::fromStdString(harness.Document().Path),
                 dir.filePath(QStringLiteral("tool.Quarn")));
        // The program adopted is an unsaved change.
        QCOMPARE(harness.Title(), QStringLiteral("Quarn Editor - tool.Quarn*"));
        harness.Form().CollectDocument();
        QVERIFY(harness.Document().IsModified());
    }

    void dropUsesFirstItemOnly()
    {
        MainFormHarness harness;
        harness.Control<QTabWidget>("PageControl")->setCurrentIndex(1);
        Drop(harness.Form(), {harness.PathOf(QStringLiteral("a.exe")),
                              harness.PathOf(QStringLiteral("b.exe")),
                              harness.PathOf(QStringLiteral("c.exe"))});
        QCOMPARE(harness.Edit("Program")->text(), harness.PathOf(QStringLiteral("a.exe")));
        QVERIFY(harness.Button("Hide")->isEnabled());
        QCOMPARE(harness.Control<QTabWidget>("PageControl")->currentIndex(), 0);
    }

    void dropFolderFillsDirectory()
    {
        MainFormHarness harness;
        QTemporaryDir folder;
        Drop(harness.Form(), {folder.path()});
        QCOMPARE(harness.Edit("Directory")->text(), folder.path());
        QVERIFY(harness.Edit("Program")->text().isEmpty());
    }

    void dropDefinitionInCapitalsOpensIt()
    {
        MainFormHarness harness;
        const QString path =
            harness.WriteFile(QStringLiteral("TOOL.QUARN"), "[Quarn]\r\nName=Dropped\r\n");
        Drop(harness.Form(), {path});
        QCOMPARE(harness.Edit("Name")->text(), QStringLiteral("Dropped"));
        QCOMPARE(harness.Title(), QStringLiteral("Quarn Editor - TOOL.QUARN"));
    }

    void dropProgramOnModifiedDocumentAsksNothing()
    {
        MainFormHarness harness;
        QTest::keyClicks(harness.Edit("Name"), QStringLiteral("changed"));
        Drop(harness.Form(), {harness.PathOf(QStringLiteral("tool.exe"))});
        QCOMPARE(harness.dialogs.Count(FakeDialogs::Shown::Kind::Prompt), 0);
        QCOMPARE(harness.Edit("Name")->text(), QStringLiteral("changed"));
    }

    void closeCancelledKeepsRunningAndStoresNothing()
    {
        MainFormHarness harness({}, {{QStringLiteral("Previous/0"), QStringLiteral("/d/b.Quarn")}});
        harness.platform.settings.clear();
        QTest::keyClicks(harness.Edit("Program"), QStringLiteral("tool"));
        harness.dialogs.promptAnswers.append(PromptAnswer::Cancel);
        QVERIFY(!harness.Form().close());
        QVERIFY(harness.Form().isVisible());
        QVERIFY(harness.platform.settings.isEmpty());
        harness.dialogs.promptAnswers.append(PromptAnswer::No);
        QVERIFY(harness.Form().close());
        QCOMPARE(harness.platform.settings.value(QStringLiteral("Previous/0")),
                 QStringLiteral("/d/b.Quarn"));
    }

    void shortcutsWinOverTextBoxes()
    {
        MainFormHarness harness;
        QLineEdit* name = harness.Edit("Name");
        name->setFocus();
        name->setText(QStringLiteral("abc"));
        name->setCursorPosition(1);

        // Delete without a selection: the command is unavailable and keeps its key.
        QTest::keyClick(name, Qt::Key_Delete);
        QCOMPARE(name->text(), QStringLiteral("abc"));
        // Insert does nothing in a text box.
        QTest::keyClick(name, Qt::Key_Insert);
        QCOMPARE(name->text(), QStringLiteral("abc"));

        // With a selection, Delete, Cut and Paste are the Edit commands, on
        // the editor's clipboard.
        name->setSelection(0, 1);
        QTest::keyClick(name, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(name->text(), QStringLiteral("bc"));
        QCOMPARE(harness.platform.clipboard.value_or(QString()), QStringLiteral("a"));
        name->setCursorPosition(2);
        QTest::keyClick(name, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(name->text(), QStringLiteral("bca"));
        name->setSelection(0, 1);
        QTest::keyClick(name, Qt::Key_Delete);
        QCOMPARE(name->text(), QStringLiteral("ca"));

        // Ctrl+A is Save As, not select-all.
        name->setCursorPosition(0);
        harness.dialogs.fileAnswers.append(QString());
        QTest::keyClick(name, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(harness.dialogs.Last(FakeDialogs::Shown::Kind::File).caption,
                 QStringLiteral("Save definition file"));
        QVERIFY(!name->hasSelectedText());
    }

    void shortcutsWinOverTheMemo()
    {
        MainFormHarness harness;
        QPlainTextEdit* memo = harness.Memo("ProgInfo");
        memo->setFocus();
        memo->setPlainText(QStringLiteral("line"));
        QTest::keyClick(memo, Qt::Key_Delete);
        QCOMPARE(memo->toPlainText(), QStringLiteral("line"));
        QTest::keyClick(memo, Qt::Key_C, Qt::ControlModifier);
        QVERIFY(!harness.platform.clipboard.has_value());
    }

    void altFOpensTheFileMenuOnEveryPage()
    {
        // "&Format" on the Options page shares the key with "&File".
        MainFormHarness harness;
        harness.Control<QTabWidget>("PageControl")->setCurrentIndex(1);
        harness.List("OptionList")->setFocus();
        QTest::keyClick(harness.List("OptionList"), Qt::Key_F, Qt::AltModifier);
        QTRY_VERIFY(harness.Control<QMenu>("File")->isVisible());
        QTest::keyClick(harness.Control<QMenu>("File"), Qt::Key_Escape);
        QTRY_VERIFY(!harness.Control<QMenu>("File")->isVisible());
    }

    void altEGoesToTheExecutableButton()
    {
        MainFormHarness harness;
        harness.dialogs.fileAnswers.append(QString());
        QTest::keyClick(harness.Edit("Name"), Qt::Key_E, Qt::AltModifier);
        QTRY_COMPARE(harness.dialogs.Count(FakeDialogs::Shown::Kind::File), 1);
        QCOMPARE(harness.dialogs.Last(FakeDialogs::Shown::Kind::File).caption,
                 QStringLiteral("Select program"));
        QVERIFY(!harness.Control<QMenu>("Edit")->isVisible());
    }

    void fileDialogsAsDesigned()
    {
        MainFormHarness harness;
        harness.dialogs.fileAnswers = {QString(), QString()};
        harness.Trigger("FileOpen");
        harness.Trigger("FileSaveAs");
        const FileDialogSettings open = harness.dialogs.fileDialogs.at(0);
        QCOMPARE(open.kind, FileDialogSettings::Kind::Open);
        QCOMPARE(open.title, QStringLiteral("Open definition file"));
        QCOMPARE(open.filter, QStringLiteral("Definition files (*.Quarn);;All Files (*)"));
        QCOMPARE(open.defaultSuffix, QStringLiteral("Quarn"));
        QVERIFY(open.fileMustExist);
        const FileDialogSettings save = harness.dialogs.fileDialogs.at(1);
        QCOMPARE(save.kind, FileDialogSettings::Kind::Save);
        QCOMPARE(save.title, QStringLiteral("Save definition file"));
        QCOMPARE(save.filter, QStringLiteral("Definition files (*.Quarn)"));
        QCOMPARE(save.defaultSuffix, QStringLiteral("Quarn"));
        QVERIFY(!save.fileMustExist);

        // The executable dialog is shared by the Executable and Shell buttons.
        harness.dialogs.fileAnswers = {QString()};
        QTest::mouseClick(harness.Button("ShellButton"), Qt::LeftButton);
        const FileDialogSettings executable = harness.dialogs.fileDialogs.at(2);
        QCOMPARE(executable.title, QStringLiteral("Select command shell"));
        // Filter and suffix follow the platform (ExecutableDialogTest).
        QCOMPARE(executable.filter, ExecutableDialogSettings().filter);
        QCOMPARE(executable.defaultSuffix, ExecutableDialogSettings().defaultSuffix);
        QVERIFY(executable.fileMustExist);
    }

    void hintsInTheStatusBar()
    {
        MainFormHarness harness;
        QStatusBar* status = harness.Form().statusBar();
        QTest::mouseMove(harness.Edit("Program"));
        QTRY_COMPARE(status->currentMessage(), QStringLiteral("The program to be executed by Quarn"));
        // A label without a hint shows the hint of the page it is on.
        QTest::mouseMove(harness.Control<QWidget>("Label1"));
        QTRY_COMPARE(status->currentMessage(),
                     QStringLiteral("Set here the global properties of the definition files"));
        QTest::mouseMove(harness.Button("Hide"));
        QTRY_COMPARE(status->currentMessage(),
                     QStringLiteral("Hide original program and create an appropriate Quarn "
                                    "definition file"));
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
