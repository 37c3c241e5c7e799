// Paths held as the file system's bytes: their parts by the program's rules,
// their decoding for display, and the search path looked through as bytes.
#include "system/FilePath.h"
#include "system/ProgramLookup.h"
#include "tests/support/TestPlatform.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <fstream>

namespace {

// A file of the given mode at path, folders before it made.
void MakeFile(const FilePath& path, std::filesystem::perms mode)
{
    std::filesystem::create_directories(path.Folder().Native());
    std::ofstream(path.Native()) << "#!/bin/sh\n";
    std::filesystem::permissions(path.Native(), mode);
}

constexpr auto Runnable = std::filesystem::perms::owner_all;
constexpr auto Readable = std::filesystem::perms::owner_read | std::filesystem::perms::owner_write;

} // namespace

class FilePathTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parts_data();
    void parts();
    void searchPath_data();
    void searchPath();
};

void FilePathTest::parts_data()
{
    QTest::addColumn<QByteArray>("path");
    QTest::addColumn<QByteArray>("folder");
    QTest::addColumn<QByteArray>("fileName");
    QTest::addColumn<QByteArray>("extension");
    QTest::addColumn<QByteArray>("definition");

    QTest::newRow("plain") << QByteArray("/opt/tool.sh") << QByteArray("/opt/")
                           << QByteArray("tool.sh") << QByteArray(".sh")
                           << QByteArray("/opt/tool.Quarn");
    // Bytes that are not UTF-8, in the folder and in the name, stay as they are.
    QTest::newRow("not UTF-8") << QByteArray("/r\xe9p/caf\xe9.\xff") << QByteArray("/r\xe9p/")
                               << QByteArray("caf\xe9.\xff") << QByteArray(".\xff")
                               << QByteArray("/r\xe9p/caf\xe9.Quarn");
    QTest::newRow("dot only in the folder")
        << QByteArray("/my.tools/run") << QByteArray("/my.tools/") << QByteArray("run")
        << QByteArray() << QByteArray("/my.tools/run.Quarn");
    QTest::newRow("windows separators")
        << QByteArray("C:\\Tools\\grep.exe") << QByteArray("C:\\Tools\\") << QByteArray("grep.exe")
        << QByteArray(".exe") << QByteArray("C:\\Tools\\grep.Quarn");
    QTest::newRow("no folder") << QByteArray("grep") << QByteArray() << QByteArray("grep")
                               << QByteArray() << QByteArray("grep.Quarn");
}

void FilePathTest::parts()
{
    QFETCH(QByteArray, path);
    const FilePath file(path.toStdString());
    QTEST(QByteArray::fromStdString(file.Folder().Bytes()), "folder");
    QTEST(QByteArray::fromStdString(file.FileName().Bytes()), "fileName");
    QTEST(QByteArray::fromStdString(file.Extension()), "extension");
    QTEST(QByteArray::fromStdString(DefinitionPathOf(file).Bytes()), "definition");
    // Shown and taken back, the path is the same bytes.
    QCOMPARE(FilePath::FromText(file.Text()), file);
    QCOMPARE(FilePath::FromNative(file.Native()), file);
}

void FilePathTest::searchPath_data()
{
    QTest::addColumn<QByteArray>("path");     // PATH, "T" standing for the test's folder
    QTest::addColumn<QByteArray>("name");     // looked up
    QTest::addColumn<QByteArray>("expected"); // "T" again; empty for none

    QTest::newRow("first folder that has it")
        << QByteArray("T/empty:T/bin:T/other") << QByteArray("tool") << QByteArray("T/bin/tool");
    QTest::newRow("folder whose name is not UTF-8")
        << QByteArray("T/r\xe9p") << QByteArray("tool") << QByteArray("T/r\xe9p/tool");
    QTest::newRow("name that is not UTF-8")
        << QByteArray("T/bin") << QByteArray("caf\xe9") << QByteArray("T/bin/caf\xe9");
    QTest::newRow("empty entries skipped")
        << QByteArray("::T/bin:") << QByteArray("tool") << QByteArray("T/bin/tool");
    QTest::newRow("not executable, the next one")
        << QByteArray("T/plain:T/bin") << QByteArray("tool") << QByteArray("T/bin/tool");
    QTest::newRow("a folder is no program") << QByteArray("T") << QByteArray("bin") << QByteArray();
    QTest::newRow("absolute name")
        << QByteArray("") << QByteArray("T/bin/tool") << QByteArray("T/bin/tool");
    QTest::newRow("absolute name, not executable")
        << QByteArray("T/bin") << QByteArray("T/plain/tool") << QByteArray();
    QTest::newRow("nowhere") << QByteArray("T/empty") << QByteArray("tool") << QByteArray();
    QTest::newRow("empty name") << QByteArray("T/bin") << QByteArray() << QByteArray();
}

void FilePathTest::searchPath()
{
    QFETCH(QByteArray, path);
    QFETCH(QByteArray, name);
    QFETCH(QByteArray, expected);

    QTemporaryDir scratch;
    const QByteArray root = QFile::encodeName(scratch.path());
    const FilePath folder(root.toStdString());
    std::filesystem::create_directories((folder + "/empty").Native());
    MakeFile(folder + "/bin/tool", Runnable);
    MakeFile(folder + "/bin/caf\xe9", Runnable);
    MakeFile(folder + "/r\xe9p/tool", Runnable);
    MakeFile(folder + "/plain/tool", Readable);

    const QByteArray saved = qgetenv("PATH");
    qputenv("PATH", QByteArray(path).replace('T', root));
    const FilePath found =
        FindOnSearchPath(FilePath(QByteArray(name).replace('T', root).toStdString()));
    qputenv("PATH", saved);
    QCOMPARE(found, FilePath(QByteArray(expected).replace('T', root).toStdString()));
    // QTemporaryDir's own clean-up cannot name these files.
    std::filesystem::remove_all(folder.Native());
}

QTEST_GUILESS_MAIN(FilePathTest)
#include "FilePathTest.moc"
