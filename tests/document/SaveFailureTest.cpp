#include "document/ByteSink.h"
#include "document/DefDocument.h"
#include "document/DefinitionFile.h"
#include "tests/document/ChildProcess.h"
#include "tests/document/TestFiles.h"
#include "tests/support/DocumentPrinting.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <optional>

#ifndef _WIN32
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

Q_DECLARE_METATYPE(std::string)

namespace fs = std::filesystem;

namespace {

const std::string OldBytes = "[Quarn]\r\nName=old\r\n";

// A document with unsaved changes and a file it came from.
CDefDocument ChangedDocument()
{
    CDefDocument document;
    document.Path = "/old/place.Quarn";
    document.Current.Name = "saved";
    document.MarkSaved();
    document.Current.Name = "changed";
    document.Current.Options.resize(2);
    return document;
}

// Accepts bytes up to a limit, and can refuse to open or to commit.
class FailingSink : public ByteSink
{
public:
    enum class Failure
    {
        None,
        Open,
        Write,
        Commit
    };

    FailingSink(Failure failure, std::size_t acceptedBytes)
        : failure_(failure), acceptedBytes_(acceptedBytes)
    {
    }

    std::string written;
    bool committed = false;
    bool abandoned = false;

    bool Open(const std::string&, std::string& error) override
    {
        return Succeeds(Failure::Open, error);
    }

    bool Write(const char* data, std::size_t size, std::string& error) override
    {
        if (failure_ == Failure::Write && written.size() + size > acceptedBytes_) {
            written.append(data, acceptedBytes_ - written.size());
            error = "No space left on device";
            return false;
        }
        written.append(data, size);
        return true;
    }

    bool Commit(std::string& error) override
    {
        committed = Succeeds(Failure::Commit, error);
        return committed;
    }

    void Abandon() override { abandoned = true; }

private:
    bool Succeeds(Failure step, std::string& error)
    {
        if (failure_ != step)
            return true;
        error = "No space left on device";
        return false;
    }

    Failure failure_;
    std::size_t acceptedBytes_;
};

struct SaveOutcome
{
    bool saved = false;
    bool documentUnchanged = false;
    std::string error;
};

SaveOutcome SaveAndCompare(CDefDocument document, const std::string& path)
{
    const CDefDocument before = document;
    SaveOutcome outcome;
    outcome.saved = document.Save(path, &outcome.error);
    outcome.documentUnchanged = document.Path == before.Path &&
                                document.Current == before.Current &&
                                document.Saved == before.Saved;
    return outcome;
}

std::string FileNames(const QTemporaryDir& folder)
{
    return QDir(folder.path())
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)
        .join(QLatin1Char(' '))
        .toStdString();
}

std::string InFolder(const QTemporaryDir& folder, const char* name)
{
    return folder.filePath(QString::fromLatin1(name)).toStdString();
}

#ifndef _WIN32

// Root may write any file, so a permission failure can only be seen by an
// ordinary user: as root, the folder is handed to "nobody" and the save
// runs in a child process that has become "nobody".
constexpr uid_t Nobody = 65534;

bool RunningAsRoot()
{
    return ::geteuid() == 0;
}

void HandOverToNobody(const QTemporaryDir& folder)
{
    if (!RunningAsRoot())
        return;
    ::lchown(folder.path().toLocal8Bit().constData(), Nobody, Nobody);
    for (const auto& entry : fs::recursive_directory_iterator(folder.path().toStdString()))
        ::lchown(entry.path().c_str(), Nobody, Nobody);
}

// The outcome of the save, or nothing when root could not become "nobody".
std::optional<SaveOutcome> SaveWithoutPrivileges(const CDefDocument& document,
                                                 const std::string& path)
{
    if (!RunningAsRoot())
        return SaveAndCompare(document, path);
    const std::string report = InChild([document, path] {
        if (::setgroups(0, nullptr) != 0 || ::setgid(Nobody) != 0 || ::setuid(Nobody) != 0)
            return std::string();
        const SaveOutcome outcome = SaveAndCompare(document, path);
        return std::string(1, outcome.saved ? '1' : '0') +
               (outcome.documentUnchanged ? '1' : '0') + outcome.error;
    }).second;
    if (report.size() < 2)
        return std::nullopt;
    return SaveOutcome{report[0] == '1', report[1] == '1', report.substr(2)};
}

unsigned PermissionBits(const std::string& path)
{
    struct stat info = {};
    ::stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

#endif

} // namespace

class SaveFailureTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void injectedFailures_data()
    {
        using Failure = FailingSink::Failure;
        const std::size_t size = WriteDefinition(ChangedDocument().Current).size();
        QTest::addColumn<int>("failure");
        QTest::addColumn<int>("acceptedBytes");
        const auto row = [](const char* name, Failure failure, std::size_t accepted) {
            QTest::newRow(name) << int(failure) << int(accepted);
        };
        row("open fails", Failure::Open, 0);
        row("write fails at the first byte", Failure::Write, 0);
        row("write fails at the second byte", Failure::Write, 1);
        row("write fails half-way", Failure::Write, size / 2);
        row("write fails at the last byte", Failure::Write, size - 1);
        row("commit fails", Failure::Commit, 0);
    }

    void injectedFailures()
    {
        QFETCH(int, failure);
        QFETCH(int, acceptedBytes);
        const CDefDocument before = ChangedDocument();
        CDefDocument document = before;
        FailingSink sink(static_cast<FailingSink::Failure>(failure),
                         static_cast<std::size_t>(acceptedBytes));
        std::string error;

        QVERIFY(!document.Save("/new/place.txt", sink, &error));

        QCOMPARE(error, std::string("No space left on device"));
        QCOMPARE(document.Path, before.Path);
        QCOMPARE(document.Current, before.Current);
        QCOMPARE(document.Saved, before.Saved);
        QVERIFY(document.IsModified());
        QVERIFY(!sink.committed);
        QCOMPARE(sink.abandoned, FailingSink::Failure(failure) != FailingSink::Failure::Open);
    }

    void successfulSinkMarksSaved()
    {
        CDefDocument document = ChangedDocument();
        FailingSink sink(FailingSink::Failure::None, 0);

        QVERIFY(document.Save("/new/place.txt", sink));

        QCOMPARE(sink.written, WriteDefinition(document.Current));
        QVERIFY(sink.committed);
        QCOMPARE(document.Path, std::string("/new/place.Quarn"));
        QVERIFY(!document.IsModified());
    }

#ifndef _WIN32
    void fileSystemFailures_data()
    {
        QTest::addColumn<std::string>("target");
        QTest::addColumn<bool>("readOnlyFile");
        QTest::addColumn<bool>("readOnlyFolder");
        QTest::addColumn<std::string>("error");
        const std::string denied = "Permission denied";
        QTest::newRow("missing folder") << std::string("missing/doc.Quarn") << false << false
                                        << std::string("No such file or directory");
        QTest::newRow("target is a folder")
            << std::string("folder.Quarn") << false << false << std::string("Is a directory");
        // Replaced only by a new file, which would lose the link.
        QTest::newRow("read-only file with another hard link")
            << std::string("doc.Quarn") << true << false << denied;
        QTest::newRow("existing file in a read-only folder")
            << std::string("doc.Quarn") << false << true << denied;
        QTest::newRow("new file in a read-only folder")
            << std::string("new.Quarn") << false << true << denied;
    }

    void fileSystemFailures()
    {
        QFETCH(std::string, target);
        QFETCH(bool, readOnlyFile);
        QFETCH(bool, readOnlyFolder);
        QFETCH(std::string, error);
        QTemporaryDir folder;
        const std::string old = InFolder(folder, "doc.Quarn");
        WriteBytes(old, OldBytes);
        fs::create_directory(InFolder(folder, "folder.Quarn"));
        if (readOnlyFile)
            fs::create_hard_link(old, InFolder(folder, "link"));
        HandOverToNobody(folder);
        if (readOnlyFile)
            fs::permissions(old, fs::perms::owner_read | fs::perms::group_read);
        if (readOnlyFolder)
            fs::permissions(folder.path().toStdString(),
                            fs::perms::owner_read | fs::perms::owner_exec);
        const std::string entries = FileNames(folder);

        const std::optional<SaveOutcome> outcome = SaveWithoutPrivileges(
            ChangedDocument(), folder.filePath(QString::fromStdString(target)).toStdString());
        fs::permissions(folder.path().toStdString(), fs::perms::owner_all);
        if (!outcome)
            QSKIP("Running as root and unable to become the user nobody: root may write any file");

        QVERIFY(!outcome->saved);
        QCOMPARE(outcome->error, error);
        QVERIFY(outcome->documentUnchanged);
        QCOMPARE(ReadBytes(old), OldBytes);
        QCOMPARE(FileNames(folder), entries); // no temporary file left behind
    }

    void savesThroughSymbolicLinks()
    {
        QTemporaryDir folder;
        const std::string real = InFolder(folder, "real.Quarn");
        WriteBytes(real, OldBytes);
        fs::create_symlink("real.Quarn", InFolder(folder, "relative.Quarn"));
        fs::create_symlink(InFolder(folder, "relative.Quarn"), InFolder(folder, "chain.Quarn"));
        fs::create_symlink("later.Quarn", InFolder(folder, "dangling.Quarn"));
        CDefDocument document = ChangedDocument();
        const std::string bytes = WriteDefinition(document.Current);

        QVERIFY(document.Save(InFolder(folder, "chain.Quarn")));
        QVERIFY(document.Save(InFolder(folder, "dangling.Quarn")));

        QCOMPARE(document.Path, InFolder(folder, "dangling.Quarn"));
        QVERIFY(fs::is_symlink(InFolder(folder, "chain.Quarn")));
        QVERIFY(fs::is_symlink(InFolder(folder, "relative.Quarn")));
        QVERIFY(fs::is_symlink(InFolder(folder, "dangling.Quarn")));
        QCOMPARE(ReadBytes(real), bytes);
        QCOMPARE(ReadBytes(InFolder(folder, "later.Quarn")), bytes);
        QCOMPARE(FileNames(folder),
                 std::string("chain.Quarn dangling.Quarn later.Quarn real.Quarn relative.Quarn"));
    }

    void keepsPermissionBits()
    {
        QTemporaryDir folder;
        const std::string existing = InFolder(folder, "existing.Quarn");
        WriteBytes(existing, OldBytes);
        fs::permissions(existing, fs::perms(0604));
        const mode_t mask = ::umask(027);
        CDefDocument document = ChangedDocument();

        const bool savedExisting = document.Save(existing);
        const bool savedNew = document.Save(InFolder(folder, "new.Quarn"));
        ::umask(mask);

        QVERIFY(savedExisting);
        QVERIFY(savedNew);
        QCOMPARE(PermissionBits(existing), 0604u);
        QCOMPARE(PermissionBits(InFolder(folder, "new.Quarn")), 0640u); // 0666 less the umask
        QCOMPARE(ReadBytes(existing), WriteDefinition(document.Current));
    }
#endif
};

QTEST_APPLESS_MAIN(SaveFailureTest)
#include "SaveFailureTest.moc"
