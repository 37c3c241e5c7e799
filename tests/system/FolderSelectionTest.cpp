#include "system/FolderSelection.h"

#include "tests/support/FakeDialogs.h"
#include "tests/support/TestPlatform.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <algorithm>

namespace {

// A folder inside root whose path is exactly length characters long.
QString FolderOfLength(const QString& root, qsizetype length)
{
    QString path = root;
    while (path.size() < length) {
        const qsizetype room = length - path.size() - 1;
        // Leave at least two characters for the last component.
        const qsizetype part = room > 200 ? std::min<qsizetype>(100, room - 2) : room;
        path += QLatin1Char('/') + QString(part, QLatin1Char('d'));
        QDir().mkpath(path);
    }
    return path;
}

} // namespace

class FolderSelectionTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void browse_data();
    void browse();

private:
    QTemporaryDir root;
};

void FolderSelectionTest::initTestCase()
{
    QVERIFY(root.isValid());
    QFile file(root.filePath(QStringLiteral("plain.txt")));
    QVERIFY(file.open(QIODevice::WriteOnly));
}

void FolderSelectionTest::browse_data()
{
    // answer: the folder the user picks, empty for a cancel.
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("preselection");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("pathAfter");

    TestPlatform platform;
    const QString existing = root.path();
    const QString chosen = QStringLiteral("/srv/chosen");
    const QString missing = root.filePath(QStringLiteral("gone"));
    const QString file = root.filePath(QStringLiteral("plain.txt"));
    const QString longest = FolderOfLength(root.path(), 519);
    const QString tooLong = FolderOfLength(root.path(), 520);
    const QString farTooLong = QString(600, QLatin1Char('x'));
    QCOMPARE(longest.size(), 519);
    QCOMPARE(tooLong.size(), 520);
    QVERIFY(platform.DirectoryExists(FilePath::FromText(longest)) &&
            platform.DirectoryExists(FilePath::FromText(tooLong)));

    QTest::newRow("empty, accepted") << QString() << chosen << QString() << true << chosen;
    QTest::newRow("existing folder preselected")
        << existing << chosen << existing << true << chosen;
    QTest::newRow("missing folder not preselected")
        << missing << chosen << QString() << true << chosen;
    QTest::newRow("a file is no folder") << file << chosen << QString() << true << chosen;
    QTest::newRow("cancel keeps the text")
        << existing << QString() << existing << false << existing;
    QTest::newRow("519 characters preselected") << longest << chosen << longest << true << chosen;
    QTest::newRow("520 characters not preselected")
        << tooLong << chosen << QString() << true << chosen;
    QTest::newRow("600 characters kept whole on cancel")
        << farTooLong << QString() << QString() << false << farTooLong;
}

void FolderSelectionTest::browse()
{
    QFETCH(QString, path);
    QFETCH(QString, answer);
    QFETCH(QString, preselection);
    QFETCH(bool, accepted);
    QFETCH(QString, pathAfter);

    TestPlatform platform;
    FakeDialogs dialogs;
    dialogs.folderAnswers = {answer};
    QWidget owner;

    FilePath folder = FilePath::FromText(path);
    QCOMPARE(BrowseForDirectory(dialogs, &owner, platform, folder), accepted);
    QCOMPARE(folder.Text(), pathAfter);

    QCOMPARE(dialogs.shown.size(), 1);
    const FakeDialogs::Shown browser = dialogs.Last(FakeDialogs::Shown::Kind::Folder);
    QCOMPARE(browser.caption, QStringLiteral("Select starting directory"));
    QCOMPARE(browser.text, preselection);
    QCOMPARE(browser.owner, &owner);
}

QTEST_MAIN(FolderSelectionTest)
#include "FolderSelectionTest.moc"
