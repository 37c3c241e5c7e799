// The keyboard and the menus: opening a menu keeps the Edit commands'
// target, accelerators that find no control type nothing, controls that
// share an accelerator take the focus in turn, and an open menu's hints.
#include "tests/editor/MainFormHarness.h"

#include <QMenu>
#include <QMenuBar>
#include <QStatusTipEvent>
#include <QTest>

namespace {

enum class Opener { AltE, F10, Mouse };

const QByteArray TwoOptions = "[Quarn]\r\n"
                              "[A]\r\nType=Suggest\r\nValue1=v1\r\nValue2=v2\r\n"
                              "[B]\r\nType=String\r\n";

const char* const EditActions[] = {"EditNew",   "EditDelete", "EditCut", "EditCopy",
                                   "EditPaste", "EditUp",     "EditDown"};

QList<bool> EditStates(MainFormHarness& harness)
{
    QList<bool> states;
    for (const char* name : EditActions)
        states.append(harness.Action(name)->isEnabled());
    return states;
}

// An open menu takes the key, else the control that has the focus.
void PressInMenuOrFocus(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget* target = QApplication::activePopupWidget();
    QTest::keyClick(target ? target : QApplication::focusWidget(), key, modifiers);
}

// Drops the Edit menu down the way the user chose.
void OpenEditMenu(MainFormHarness& harness, Opener opener)
{
    QMenuBar* bar = harness.Form().menuBar();
    auto* edit = harness.Control<QMenu>("Edit");
    switch (opener) {
    case Opener::AltE:
        PressInMenuOrFocus(Qt::Key_E, Qt::AltModifier);
        break;
    case Opener::F10:
        PressInMenuOrFocus(Qt::Key_F10);
        QTRY_VERIFY(harness.Control<QMenu>("File")->isVisible());
        PressInMenuOrFocus(Qt::Key_Right);
        break;
    case Opener::Mouse:
        QTest::mouseClick(bar, Qt::LeftButton, {},
                          bar->actionGeometry(edit->menuAction()).center());
        break;
    }
    QTRY_COMPARE(QApplication::activePopupWidget(), edit);
}

} // namespace

class KeyboardTest : public QObject
{
    Q_OBJECT

private:
    // Opens the two options and shows the String option B.
    static void ShowStringOption(MainFormHarness& harness)
    {
        harness.Open(harness.WriteFile(QStringLiteral("keys.Quarn"), TwoOptions));
        harness.FocusOptionList();
        harness.ClickRow(harness.List("OptionList"), 1);
    }

private Q_SLOTS:
    void editMenuKeepsTheTarget_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<Opener>("opener");
        for (const char* target : {"OptionList", "Values", "Format"}) {
            const QString name = QLatin1String(target);
            QTest::addRow("%s, Alt+E", target) << name << Opener::AltE;
            QTest::addRow("%s, F10", target) << name << Opener::F10;
            QTest::addRow("%s, mouse", target) << name << Opener::Mouse;
        }
    }

    void editMenuKeepsTheTarget()
    {
        QFETCH(QString, target);
        QFETCH(Opener, opener);
        MainFormHarness harness;
        harness.Open(harness.WriteFile(QStringLiteral("keys.Quarn"), TwoOptions));
        harness.FocusOptionList();
        harness.ClickRow(harness.List("OptionList"), 0);
        QWidget* control = harness.Control<QWidget>(target.toLatin1().constData());
        control->setFocus();
        if (target == QLatin1String("Values"))
            harness.ClickRow(harness.List("Values"), 0);
        if (target == QLatin1String("Format")) {
            harness.Edit("Format")->setText(QStringLiteral("abc"));
            harness.Edit("Format")->setSelection(1, 1);
        }
        const QList<bool> before = EditStates(harness);
        QVERIFY(before.at(1));

        OpenEditMenu(harness, opener);
        QCOMPARE(EditStates(harness), before);

        // Remove, chosen in the menu, acts on the control of before.
        auto* edit = harness.Control<QMenu>("Edit");
        edit->setActiveAction(harness.Action("EditDelete"));
        PressInMenuOrFocus(Qt::Key_Return);
        QTRY_VERIFY(!QApplication::activePopupWidget());
        if (target == QLatin1String("OptionList"))
            QCOMPARE(harness.List("OptionList")->count(), 1);
        else if (target == QLatin1String("Values"))
            QCOMPARE(harness.List("Values")->count(), 1);
        else
            QCOMPARE(harness.Edit("Format")->text(), QStringLiteral("ac"));
        QCOMPARE(harness.Document().Current.Options.size(),
                 target == QLatin1String("OptionList") ? 1U : 2U);
    }

    void altLetterWithoutControlTypesNothing_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<Qt::Key>("letter");
        // "Value&s" is disabled for the String option B; nothing has Z.
        QTest::newRow("Values label, Format") << QStringLiteral("Format") << Qt::Key_S;
        QTest::newRow("Values label, memo") << QStringLiteral("OptionInfo") << Qt::Key_S;
        QTest::newRow("no control, Name") << QStringLiteral("NameOption") << Qt::Key_Z;
        QTest::newRow("no control, Caption") << QStringLiteral("Name") << Qt::Key_Z;
    }

    void altLetterWithoutControlTypesNothing()
    {
        QFETCH(QString, box);
        QFETCH(Qt::Key, letter);
        MainFormHarness harness;
        ShowStringOption(harness);
        auto* control = harness.Control<QWidget>(box.toLatin1().constData());
        if (box == QLatin1String("Name"))
            harness.Control<QTabWidget>("PageControl")->setCurrentIndex(0);
        control->setFocus();
        const QString text = BoxText(control);

        PressInMenuOrFocus(letter, Qt::AltModifier);
        PressInMenuOrFocus(letter, Qt::AltModifier | Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), control);
        QCOMPARE(BoxText(control), text);
    }

    void sharedAcceleratorMovesTheFocus()
    {
        // "&Use directory" and "Defa&ult option" share U.
        MainFormHarness harness;
        ShowStringOption(harness);
        harness.Edit("Format")->setFocus();
        const QList<QWidget*> expected = {harness.Check("UseDir"), harness.Check("Default"),
                                          harness.Check("UseDir")};
        for (QWidget* next : expected) {
            PressInMenuOrFocus(Qt::Key_U, Qt::AltModifier);
            QCOMPARE(QApplication::focusWidget(), next);
            // An animated click holds its button down until it clicks.
            QVERIFY(!harness.Check("UseDir")->isDown());
            QVERIFY(!harness.Check("Default")->isDown());
        }
        QVERIFY(!harness.Check("UseDir")->isChecked());
        QVERIFY(!harness.Check("Default")->isChecked());
    }

    void openMenuShowsTheHighlightedHint()
    {
        MainFormHarness harness;
        ShowStringOption(harness);
        QStatusBar* status = harness.Form().statusBar();
        QTest::mouseMove(harness.Edit("Format"));
        QTRY_COMPARE(status->currentMessage(), QStringLiteral("Format string for the option"));

        // F10 drops the first menu with its first item highlighted.
        PressInMenuOrFocus(Qt::Key_F10);
        QTRY_COMPARE(status->currentMessage(), QStringLiteral("Create a new definition file"));
        // The pointer's empty hints (X sends some as the menu grabs it)
        // leave the item's hint in place.
        QStatusTipEvent pointer{QString()};
        QApplication::sendEvent(&harness.Form(), &pointer);
        QCOMPARE(status->currentMessage(), QStringLiteral("Create a new definition file"));
        // The hint follows the highlight from item to item.
        auto* file = harness.Control<QMenu>("File");
        file->setActiveAction(harness.Action("FileSaveAs"));
        QCOMPARE(status->currentMessage(),
                 QStringLiteral("Save current definition file with different name"));
        PressInMenuOrFocus(Qt::Key_Escape);
        PressInMenuOrFocus(Qt::Key_Escape);
        QTRY_VERIFY(!QApplication::activePopupWidget());
    }
};

QTEST_MAIN(KeyboardTest)
#include "KeyboardTest.moc"
