#include "system/AboutBox.h"

#include "system/Version.h"
#include "tests/support/TestPlatform.h"

#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

QLabel* Label(const QDialog& box, const char* name)
{
    return box.findChild<QLabel*>(QLatin1String(name));
}

QString LabelText(const QDialog& box, const char* name)
{
    const QLabel* label = Label(box, name);
    return label ? label->text() : QStringLiteral("<no label %1>").arg(QLatin1String(name));
}

// Another window of the program; counts the times it became the active one.
class WindowOfTheProgram : public QWidget
{
public:
    int activations = 0;

protected:
    void changeEvent(QEvent* event) override
    {
        if (event->type() == QEvent::ActivationChange && isActiveWindow())
            ++activations;
        QWidget::changeEvent(event);
    }
};

} // namespace

Q_DECLARE_METATYPE(VersionStrings)

class AboutBoxTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void texts_data();
    void texts();
    void builtInStrings();
    void afterCreateRunsOnceAtCreation();
    void nameShowsTextLiterally();
    void links_data();
    void links();
    void enterAndEscapeClose_data();
    void enterAndEscapeClose();
    void fixedSizeFitsTheTexts();
    void keepsActivationWhileShown();

private:
    TestPlatform platform;
};

void AboutBoxTest::texts_data()
{
    // An expected text "design" stands for the label's design text.
    QTest::addColumn<VersionStrings>("version");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("productVersion");
    QTest::addColumn<QString>("copyright");
    QTest::addColumn<QString>("notice");

    const QString design = QStringLiteral("design");
    QTest::newRow("all present") << VersionStrings{QStringLiteral("Quarn Editor"),
                                                   QStringLiteral("1.02.2"),
                                                   QStringLiteral("(C) 2026 Someone"),
                                                   QStringLiteral("Beta build")}
                                 << QStringLiteral("About Quarn Editor")
                                 << QStringLiteral("Quarn Editor") << QStringLiteral("1.02.2")
                                 << QStringLiteral("(C) 2026 Someone")
                                 << QStringLiteral("Beta build");
    QTest::newRow("all missing") << VersionStrings{} << QStringLiteral("About ")
                                 << QStringLiteral("Product Name") << QStringLiteral("Version")
                                 << QStringLiteral("Copyright") << design;
    QTest::newRow("empty comments")
        << VersionStrings{QStringLiteral("X"), QStringLiteral("2"), QStringLiteral("C"), QString()}
        << QStringLiteral("About X") << QStringLiteral("X") << QStringLiteral("2")
        << QStringLiteral("C") << design;
}

void AboutBoxTest::texts()
{
    QFETCH(VersionStrings, version);
    QFETCH(QString, caption);
    QFETCH(QString, name);
    QFETCH(QString, productVersion);
    QFETCH(QString, copyright);
    QFETCH(QString, notice);

    const TAboutBox designBox(nullptr, platform, {}, VersionStrings{});
    const QString designNotice = LabelText(designBox, "Notice");
    QVERIFY(!designNotice.isEmpty());

    const TAboutBox box(nullptr, platform, {}, version);
    QCOMPARE(box.windowTitle(), caption);
    QCOMPARE(LabelText(box, "Name"), name);
    QCOMPARE(LabelText(box, "Version"), productVersion);
    QCOMPARE(LabelText(box, "Copyright"), copyright);
    QCOMPARE(LabelText(box, "Notice"), notice == QStringLiteral("design") ? designNotice : notice);
}

void AboutBoxTest::builtInStrings()
{
    const TAboutBox box(nullptr, platform, {});
    QCOMPARE(LabelText(box, "Version"), QStringLiteral("1.02.2"));
    QCOMPARE(box.windowTitle(), QStringLiteral("About ") + LabelText(box, "Name"));
    QVERIFY(LabelText(box, "Name") != QStringLiteral("Product Name"));
    QVERIFY(LabelText(box, "Copyright") != QStringLiteral("Copyright"));
    QVERIFY(!Label(box, "Icon")->pixmap().isNull());
}

void AboutBoxTest::afterCreateRunsOnceAtCreation()
{
    // What the callback saw: how often it ran, and the box's name label then.
    struct Calls
    {
        int count = 0;
        QString name;
    } calls;
    QWidget owner;
    const auto afterCreate = [owner = &owner, calls = &calls] {
        ++calls->count;
        const auto* box = owner->findChild<TAboutBox*>();
        calls->name = box ? LabelText(*box, "Name") : QString();
    };

    const TAboutBox box(&owner, platform, afterCreate,
                        VersionStrings{QStringLiteral("Named"), {}, {}, {}});
    QCOMPARE(calls.count, 1);
    QCOMPARE(calls.name, QStringLiteral("Named"));
}

void AboutBoxTest::nameShowsTextLiterally()
{
    // A label that took "&" for a mnemonic marker, or the name for markup,
    // would draw nothing for these names.
    const auto drawnName = [this](const QString& name) {
        TAboutBox box(nullptr, platform, {}, VersionStrings{name, {}, {}, {}});
        box.show();
        return Label(box, "Name")->grab().toImage();
    };
    const QImage blank = drawnName(QStringLiteral(" "));
    QVERIFY(drawnName(QStringLiteral("&")) != blank);
    QVERIFY(drawnName(QStringLiteral("<i></i>")) != blank);
}

void AboutBoxTest::links_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("shownText");
    QTest::addColumn<QString>("toolTip");
    QTest::addColumn<QUrl>("opened");

    QTest::newRow("email") << QStringLiteral("email") << QStringLiteral(QUARNED_EMAIL)
                           << QStringLiteral("Click to send me a message")
                           << QUrl(QStringLiteral("mailto:" QUARNED_EMAIL));
    QTest::newRow("homepage") << QStringLiteral("homepage") << QStringLiteral(QUARNED_HOMEPAGE)
                              << QStringLiteral("Click to open my home page")
                              << QUrl(QStringLiteral(QUARNED_HOMEPAGE));
}

void AboutBoxTest::links()
{
    QFETCH(QString, label);
    QFETCH(QString, shownText);
    QFETCH(QString, toolTip);
    QFETCH(QUrl, opened);

    TestPlatform desktop;
    TAboutBox box(nullptr, desktop, {});
    box.show();
    QLabel* link = box.findChild<QLabel*>(label);
    QVERIFY(link);
    QCOMPARE(link->text(), shownText);
    QCOMPARE(link->toolTip(), toolTip);
    QCOMPARE(link->statusTip(), QString());
    QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);

    QTest::mouseClick(link, Qt::RightButton);
    QCOMPARE(desktop.openedUrls, QList<QUrl>());
    QTest::mouseClick(link, Qt::LeftButton);
    QCOMPARE(desktop.openedUrls, QList<QUrl>{opened});
    QVERIFY(box.isVisible());
}

void AboutBoxTest::enterAndEscapeClose_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("result");
    QTest::newRow("Return") << int(Qt::Key_Return) << int(QDialog::Accepted);
    QTest::newRow("Escape") << int(Qt::Key_Escape) << int(QDialog::Rejected);
}

void AboutBoxTest::enterAndEscapeClose()
{
    QFETCH(int, key);
    QFETCH(int, result);
    TAboutBox box(nullptr, platform, {});
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QCOMPARE(box.focusWidget(), box.findChild<QPushButton*>(QStringLiteral("OKButton")));

    box.setResult(-1);
    QTest::keyClick(box.focusWidget(), Qt::Key(key));
    QVERIFY(!box.isVisible());
    QCOMPARE(box.result(), result);
}

void AboutBoxTest::fixedSizeFitsTheTexts()
{
    TAboutBox box(nullptr, platform, {});
    box.show();
    QCOMPARE(box.minimumSize(), box.maximumSize());
    for (const QLabel* label : box.findChildren<QLabel*>()) {
        if (!label->wordWrap() && !label->text().isEmpty())
            QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(label->objectName()));
    }
}

void AboutBoxTest::keepsActivationWhileShown()
{
    TAboutBox box(nullptr, platform, {});
    box.show();
    QVERIFY(QTest::qWaitForWindowActive(&box));

    WindowOfTheProgram other;
    other.show();
    other.activateWindow();
    QTRY_VERIFY(other.activations > 0);
    QTRY_VERIFY(box.isActiveWindow());

    box.hide();
    other.activateWindow();
    QTRY_VERIFY(other.isActiveWindow());
}

QTEST_MAIN(AboutBoxTest)
#include "AboutBoxTest.moc"
