#include "system/FileNameCodec.h"
#include "system/Platform.h"

#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <fstream>

class FileNameCodecTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void roundTrip_data();
    void roundTrip();
    void fileUrls_data();
    void fileUrls();
    void fileOperationsKeepBytes();
    void settingsKeepBytes();
    void startedProgramGetsTheBytes();
};

void FileNameCodecTest::initTestCase()
{
#ifdef Q_OS_WIN
    QSKIP("Windows names are UTF-16; no bytes to keep");
#endif
    // Settings go to a folder of the test's own.
    QStandardPaths::setTestModeEnabled(true);
}

void FileNameCodecTest::roundTrip_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("decoded");

    QTest::newRow("ASCII") << QByteArray("/tmp/tool.Quarn") << QStringLiteral("/tmp/tool.Quarn");
    QTest::newRow("valid UTF-8") << QByteArray("caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80")
                                 << QString::fromUtf16(u"caf\u00e9 \u20ac \U0001F600");
    QTest::newRow("Latin-1 byte") << QByteArray("caf\xe9.Quarn")
                                  << QString::fromUtf16(u"caf\xdce9.Quarn");
    QTest::newRow("cut sequence at the end") << QByteArray("a\xc3")
                                             << QString::fromUtf16(u"a\xdcc3");
    QTest::newRow("overlong slash") << QByteArray("\xc0\xaf") << QString::fromUtf16(u"\xdcc0\xdcaf");
    QTest::newRow("encoded surrogate") << QByteArray("\xed\xb2\x80")
                                       << QString::fromUtf16(u"\xdced\xdcb2\xdc80");
    QTest::newRow("past U+10FFFF") << QByteArray("\xf4\x90\x80\x80")
                                   << QString::fromUtf16(u"\xdcf4\xdc90\xdc80\xdc80");
    // U+10080 is the pair D800 DC80: its second half looks like an escape.
    QTest::newRow("pair ending like an escape") << QByteArray("\xf0\x90\x82\x80\xff")
                                                << QString::fromUtf16(u"\U00010080\xdcff");
}

void FileNameCodecTest::roundTrip()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, decoded);
    QCOMPARE(DecodeFileName(bytes), decoded);
    QCOMPARE(EncodeFileName(decoded), bytes);
}

void FileNameCodecTest::fileUrls_data()
{
    QTest::addColumn<QUrl>("url");
    QTest::addColumn<QByteArray>("path"); // the file name's bytes; empty for no local file

    QTest::newRow("plain") << QUrl(QStringLiteral("file:///tmp/a%20b.Quarn"))
                           << QByteArray("/tmp/a b.Quarn");
    QTest::newRow("not UTF-8") << QUrl::fromEncoded("file:///tmp/%E9t%E9.Quarn")
                               << QByteArray("/tmp/\xe9t\xe9.Quarn");
    QTest::newRow("UTF-8") << QUrl::fromEncoded("file:///tmp/%C3%A9") << QByteArray("/tmp/\xc3\xa9");
    QTest::newRow("percent and hash") << QUrl::fromEncoded("file:///tmp/100%25%23")
                                      << QByteArray("/tmp/100%#");
    QTest::newRow("web address") << QUrl(QStringLiteral("https://example.org/a")) << QByteArray();
}

void FileNameCodecTest::fileUrls()
{
    QFETCH(QUrl, url);
    QFETCH(QByteArray, path);
    QCOMPARE(LocalFilePathOf(url), FilePath(path.toStdString()));
    if (!path.isEmpty())
        QCOMPARE(LocalFilePathOf(FileUrlOf(FilePath(path.toStdString()))),
                 FilePath(path.toStdString()));
}

void FileNameCodecTest::fileOperationsKeepBytes()
{
    QTemporaryDir temporary;
    QVERIFY(temporary.isValid());
    DesktopPlatform platform;
    const FilePath root = FilePath::FromText(temporary.path() + QLatin1Char('/'));
    const FilePath folder = root + "dossier-\xe9";
    const FilePath file = folder + "/outil-\xff";
    QVERIFY(std::filesystem::create_directory(folder.Native()));
    std::ofstream(file.Native()) << "x";

    QVERIFY(platform.DirectoryExists(folder));
    QVERIFY(platform.FileExists(file));
    std::vector<FolderEntry> entries;
    QVERIFY(platform.ListFolder(root, entries));
    QCOMPARE(entries.size(), std::size_t{1});
    QCOMPARE(entries.front().name, std::string("dossier-\xe9"));
    QVERIFY(entries.front().isFolder);

    const FilePath copy = file + ".copy";
    QVERIFY(platform.CopyFile(file, copy));
    QVERIFY(!platform.CopyFile(file, copy));
    const FilePath renamed = file + "\xfe";
    QVERIFY(platform.RenameFile(copy, renamed));
    QVERIFY(!platform.RenameFile(file, renamed));
    QVERIFY(platform.DeleteFile(renamed));
    QVERIFY(!platform.FileExists(renamed));
    QVERIFY(!platform.DeleteFile(folder));

    // What Qt's file dialog returns for the file leads back to its bytes.
    const QString shown = QFile::decodeName(QByteArray::fromStdString(file.Bytes()));
    QVERIFY(FilePath::FromText(shown) != file);
    QCOMPARE(StoredFileName(shown), file);
    // A new name in such a folder (Save As) keeps the folder's bytes.
    QCOMPARE(StoredFileName(QFile::decodeName(QByteArray::fromStdString(folder.Bytes())) +
                            QStringLiteral("/new-\u00e9")),
             folder + "/new-\xc3\xa9");
    // QTemporaryDir's own clean-up cannot name these files.
    std::filesystem::remove_all(folder.Native());
}

void FileNameCodecTest::settingsKeepBytes()
{
    DesktopPlatform platform;
    const QString group = QStringLiteral("CodecTest");
    const FilePath odd("/tmp/\xe9t\xe9.Quarn");
    const QString text = QString::fromUtf16(u"/tmp/\u00e9t\u00e9.Quarn");
    platform.WritePathSetting(group, QStringLiteral("0"), odd);
    platform.WriteSetting(group, QStringLiteral("1"), text);
    QCOMPARE(platform.ReadPathSetting(group, QStringLiteral("0")), odd);
    QCOMPARE(platform.ReadSetting(group, QStringLiteral("1")), text);
    QCOMPARE(platform.ReadPathSetting(group, QStringLiteral("1")), FilePath(text.toStdString()));
}

void FileNameCodecTest::startedProgramGetsTheBytes()
{
    // The launcher is started on a definition whose name is not UTF-8.
    QTemporaryDir temporary;
    const FilePath out = FilePath::FromText(temporary.filePath(QStringLiteral("argument")));
    const FilePath definition("/tmp/caf\xe9.Quarn");
    DesktopPlatform platform;
    QVERIFY(platform.StartDetached(
        FilePath("/bin/sh"),
        {FilePath("-c"), FilePath("printf %s \"$1\" > \"$0\""), out, definition}));
    QTRY_COMPARE(QFile(out.Text()).size(), qint64(definition.Bytes().size()));
    QFile written(out.Text());
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll().toStdString(), definition.Bytes());
    QVERIFY(!platform.StartDetached(FilePath("/nonexistent/program"), {}));
}

QTEST_GUILESS_MAIN(FileNameCodecTest)
#include "FileNameCodecTest.moc"
