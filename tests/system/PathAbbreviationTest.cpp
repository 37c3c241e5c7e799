#include "system/PathAbbreviation.h"

#include "system/FileNamePattern.h"

#include <QTest>

namespace {

// One pixel per character: widths are lengths.
int CharacterCount(const QString& text)
{
    return static_cast<int>(text.size());
}

} // namespace

class PathAbbreviationTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void abbreviate_data();
    void abbreviate();
    void dropFirstFolder_data();
    void dropFirstFolder();
    void filePattern_data();
    void filePattern();
};

void PathAbbreviationTest::abbreviate_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("expected");

    const QString system = QStringLiteral("C:\\Program Files\\Common Files\\System\\");
    QTest::newRow("fits") << system << 100 << system;
    QTest::newRow("width equal to the text fits") << system << 37 << system;
    QTest::newRow("one short of the text")
        << system << 36 << QStringLiteral("C:\\...\\Common Files\\System\\");
    QTest::newRow("second folder") << system << 25 << QStringLiteral("C:\\...\\System\\");
    QTest::newRow("all folders") << system << 12 << QStringLiteral("C:\\...\\");
    QTest::newRow("drive") << system << 6 << QStringLiteral("...\\");
    QTest::newRow("nothing fits") << system << 3 << QString();
    QTest::newRow("zero width") << system << 0 << QString();

    const QString file = QStringLiteral("C:\\Tools\\Bin\\tool.exe");
    QTest::newRow("file name kept") << file << 19 << QStringLiteral("C:\\...\\Bin\\tool.exe");
    QTest::newRow("file name alone at the end") << file << 7 << QStringLiteral("tool.exe");

    const QString noDrive = QStringLiteral("\\Alpha\\Beta\\");
    QTest::newRow("no drive, first folder") << noDrive << 11 << QStringLiteral("\\...\\Beta\\");
    QTest::newRow("no drive, all folders") << noDrive << 9 << QStringLiteral("\\...\\");
    QTest::newRow("no drive, marker") << noDrive << 4 << QStringLiteral("...\\");
    QTest::newRow("no drive, empty") << noDrive << 3 << QString();

    QTest::newRow("no folder part")
        << QStringLiteral("tool.exe") << 2 << QStringLiteral("tool.exe");
    QTest::newRow("drive without folder")
        << QStringLiteral("C:tool.exe") << 9 << QStringLiteral("tool.exe");
    QTest::newRow("leading dot eats four characters")
        << QStringLiteral("\\.ab\\cd\\ef\\") << 10 << QStringLiteral("\\...\\ef\\");

    const QString slashPath = QStringLiteral("/usr/local/share/doc/");
    QTest::newRow("slashes, fits") << slashPath << 21 << slashPath;
    QTest::newRow("slashes, two folders") << slashPath << 20 << QStringLiteral("/.../share/doc/");
    QTest::newRow("slashes, three folders") << slashPath << 14 << QStringLiteral("/.../doc/");
    QTest::newRow("slashes, all folders") << slashPath << 8 << QStringLiteral("/.../");
    QTest::newRow("slashes, marker") << slashPath << 4 << QStringLiteral(".../");
    QTest::newRow("slashes, empty") << slashPath << 3 << QString();
    QTest::newRow("root") << QStringLiteral("/") << 0 << QString();
    QTest::newRow("hidden folder on Linux") << QStringLiteral("/home/ann/.config/tools/") << 20
                                            << QStringLiteral("/.../.config/tools/");
}

void PathAbbreviationTest::abbreviate()
{
    QFETCH(QString, path);
    QFETCH(int, width);
    QFETCH(QString, expected);

    QCOMPARE(AbbreviatePath(path, CharacterCount, width), expected);
}

void PathAbbreviationTest::dropFirstFolder_data()
{
    QTest::addColumn<QString>("dir");
    QTest::addColumn<QString>("expected");

    QTest::newRow("lone separator") << QStringLiteral("\\") << QString();
    QTest::newRow("lone slash") << QStringLiteral("/") << QString();
    QTest::newRow("rooted") << QStringLiteral("\\A\\B\\") << QStringLiteral("\\...\\B\\");
    QTest::newRow("earlier marker")
        << QStringLiteral("\\...\\B\\C\\") << QStringLiteral("\\...\\C\\");
    QTest::newRow("last folder") << QStringLiteral("\\...\\B\\") << QStringLiteral("\\...\\");
    QTest::newRow("unrooted") << QStringLiteral("A\\B\\") << QStringLiteral("...\\B\\");
    QTest::newRow("unrooted marker") << QStringLiteral("...\\") << QString();
    QTest::newRow("short dotted name") << QStringLiteral(".a") << QString();
    QTest::newRow("no separator") << QStringLiteral("AB") << QString();
    QTest::newRow("marker takes the separator found")
        << QStringLiteral("/A\\B/") << QStringLiteral("/...\\B/");
}

void PathAbbreviationTest::dropFirstFolder()
{
    QFETCH(QString, dir);
    QFETCH(QString, expected);

    DropFirstFolder(dir);
    QCOMPARE(dir, expected);
}

void PathAbbreviationTest::filePattern_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<bool>("matches");

    QTest::newRow("same") << QStringLiteral("tool.exe") << QStringLiteral("tool.exe") << true;
    QTest::newRow("letter case") << QStringLiteral("Tool.EXE") << QStringLiteral("tOOL.exe")
                                 << true;
    QTest::newRow("non-ASCII letter case")
        << QStringLiteral("Ärger") << QStringLiteral("äRGER") << true;
    QTest::newRow("prefix is no match")
        << QStringLiteral("tool.exe.bak") << QStringLiteral("tool.exe") << false;
    QTest::newRow("longer pattern")
        << QStringLiteral("tool") << QStringLiteral("tool.exe") << false;
    QTest::newRow("star") << QStringLiteral("tool.exe") << QStringLiteral("*.exe") << true;
    QTest::newRow("star matches nothing")
        << QStringLiteral(".exe") << QStringLiteral("*.exe") << true;
    QTest::newRow("star needs backtracking")
        << QStringLiteral("a.exe.exe") << QStringLiteral("*.exe") << true;
    QTest::newRow("star in the middle")
        << QStringLiteral("tool-3.exe") << QStringLiteral("to*2.exe") << false;
    QTest::newRow("two stars") << QStringLiteral("my-tool-2.exe") << QStringLiteral("*tool*.exe")
                               << true;
    QTest::newRow("question mark")
        << QStringLiteral("tool1.exe") << QStringLiteral("tool?.exe") << true;
    QTest::newRow("question mark needs a character")
        << QStringLiteral("tool.exe") << QStringLiteral("tool?.exe") << false;
    QTest::newRow("trailing stars") << QStringLiteral("tool") << QStringLiteral("tool**") << true;
    QTest::newRow("empty pattern") << QStringLiteral("tool") << QString() << false;
}

void PathAbbreviationTest::filePattern()
{
    QFETCH(QString, name);
    QFETCH(QString, pattern);
    QFETCH(bool, matches);

    QCOMPARE(MatchesFilePattern(name, pattern), matches);
}

QTEST_APPLESS_MAIN(PathAbbreviationTest)
#include "PathAbbreviationTest.moc"
