// The recent-files list on its own: its slots, its menu items after the
// File menu's third separator, and the settings store.
#include "editor/RecentFiles.h"
#include "tests/support/TestPlatform.h"

#include <QMenu>
#include <QTest>

namespace {

// A File menu as the window's: three separators, then four hidden items.
struct FileMenu
{
    FileMenu()
    {
        for (int i = 0; i < 3; ++i) {
            menu.addAction(QStringLiteral("command"));
            menu.addSeparator()->setVisible(false);
        }
        for (QAction*& item : items) {
            item = menu.addAction(QStringLiteral("$$"));
            item->setVisible(false);
        }
    }

    QMenu menu;
    std::array<QAction*, 4> items{};
};

QStringList Files(const RecentFiles& recent)
{
    QStringList files;
    for (const FilePath& file : recent.Files())
        files.append(file.Text());
    return files;
}

} // namespace

class RecentFilesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void storedFilesShowMostRecentFirst()
    {
        TestPlatform platform;
        platform.settings = {{QStringLiteral("Previous/0"), QStringLiteral("/d/a.Quarn")},
                             {QStringLiteral("Previous/1"), QStringLiteral("/d/b.Quarn")}};
        FileMenu file;
        RecentFiles recent(platform, file.menu);
        recent.ShowStored();
        QCOMPARE(Files(recent), QStringList({QStringLiteral("/d/a.Quarn"),
                                             QStringLiteral("/d/b.Quarn"), QString(), QString()}));
        QVERIFY(file.menu.actions().at(5)->isVisible());
        QCOMPARE(file.items[1]->text(), QStringLiteral("b.Quarn"));
        QVERIFY(!file.items[2]->isVisible());

        std::vector<FilePath> chosen;
        connect(&recent, &RecentFiles::Chosen, this,
                [&chosen](const FilePath& path) { chosen.push_back(path); });
        file.items[1]->trigger();
        file.items[3]->trigger(); // an empty slot
        QCOMPARE(chosen, std::vector<FilePath>{FilePath("/d/b.Quarn")});

        platform.settings.clear();
        recent.Save();
        QCOMPARE(platform.settings.size(), 2);
        QCOMPARE(platform.settings.value(QStringLiteral("Previous/1")),
                 QStringLiteral("/d/b.Quarn"));
    }

    // Two editors started from one stored list: the one that closes last
    // keeps the other's files after its own, four at most.
    void savingKeepsAnotherEditorsFiles()
    {
        TestPlatform platform;
        platform.settings = {{QStringLiteral("Previous/0"), QStringLiteral("/a")}};
        FileMenu firstMenu;
        FileMenu secondMenu;
        RecentFiles first(platform, firstMenu.menu);
        RecentFiles second(platform, secondMenu.menu);
        for (RecentFiles* recent : {&first, &second})
            recent->ShowStored();
        first.Add(FilePath::FromText(QStringLiteral("/b")));
        second.Add(FilePath::FromText(QStringLiteral("/c")));
        first.Save();
        second.Save();
        QCOMPARE(platform.settings.size(), 3);
        QCOMPARE(platform.settings.value(QStringLiteral("Previous/2")), QStringLiteral("/b"));

        second.Add(FilePath::FromText(QStringLiteral("/d")));
        second.Add(FilePath::FromText(QStringLiteral("/e")));
        second.Save();
        QCOMPARE(platform.settings.size(), 4);
        QCOMPARE(platform.settings.value(QStringLiteral("Previous/3")), QStringLiteral("/a"));
    }

    void pathsCompareAsTheFileSystem()
    {
        TestPlatform platform;
        FileMenu file;
        RecentFiles recent(platform, file.menu);
        recent.Add(FilePath::FromText(QStringLiteral("/a/x.Quarn")));
        recent.Add(FilePath::FromText(QStringLiteral("/a/X.Quarn")));
#ifdef Q_OS_WIN
        QCOMPARE(Files(recent).constFirst(), QStringLiteral("/a/X.Quarn"));
        QVERIFY(Files(recent).at(1).isEmpty());
#else
        QCOMPARE(Files(recent).mid(0, 2),
                 QStringList({QStringLiteral("/a/X.Quarn"), QStringLiteral("/a/x.Quarn")}));
#endif
        // The caption is the file name as it is; '&' marks no accelerator.
        recent.Add(FilePath::FromText(QStringLiteral("C:\\d\\R&D.Quarn")));
        QCOMPARE(file.items[0]->text(), QStringLiteral("R&&D.Quarn"));
    }
};

QTEST_MAIN(RecentFilesTest)
#include "RecentFilesTest.moc"
