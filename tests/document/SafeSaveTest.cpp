#include "document/ByteSink.h"
#include "tests/document/ChildProcess.h"
#include "tests/document/TestFiles.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <functional>
#include <grp.h>
#include <map>
#include <set>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/xattr.h>
#include <unistd.h>

Q_DECLARE_METATYPE(std::string)

namespace fs = std::filesystem;

namespace {

constexpr uid_t Nobody = 65534;
constexpr gid_t Users = 100;
constexpr int Crashed = 3;
const std::string OldBytes = "[Quarn]\r\nName=old\r\nProgram=/usr/bin/old-tool\r\n";
const std::string NewBytes = "[Quarn]\r\nName=new\r\n";

// Saves bytes through the sink as the document does.
bool SaveBytes(const std::string& path, const std::string& bytes, std::string& error,
               SafeFileSink::Checkpoint checkpoint = {})
{
    SafeFileSink sink(std::move(checkpoint));
    if (!sink.Open(path, error))
        return false;
    if (sink.Write(bytes.data(), bytes.size(), error) && sink.Commit(error))
        return true;
    sink.Abandon();
    return false;
}

std::string SaveReport(const std::string& path, const std::string& bytes,
                       SafeFileSink::Checkpoint checkpoint = {})
{
    std::string error;
    return SaveBytes(path, bytes, error, std::move(checkpoint)) ? "saved" : error;
}

std::set<std::string> Names(const QTemporaryDir& folder)
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder.path().toStdString()))
        names.insert(entry.path().filename().string());
    return names;
}

std::map<std::string, std::string> Attributes(const std::string& path)
{
    std::map<std::string, std::string> attributes;
    char list[4096];
    const ssize_t size = ::llistxattr(path.c_str(), list, sizeof list);
    for (ssize_t at = 0; at < size; at += static_cast<ssize_t>(std::strlen(list + at)) + 1) {
        char value[4096];
        const ssize_t got = ::lgetxattr(path.c_str(), list + at, value, sizeof value);
        attributes[list + at] =
            std::string(value, static_cast<std::size_t>(std::max<ssize_t>(got, 0)));
    }
    return attributes;
}

// Runs a shell command with doc.Quarn in folder as $1 and folder as $2.
bool Run(const QString& command, const QTemporaryDir& folder)
{
    return QProcess::execute(QStringLiteral("sh"),
                             {QStringLiteral("-c"), command, QStringLiteral("sh"),
                              folder.filePath(QStringLiteral("doc.Quarn")), folder.path()}) == 0;
}

bool BindSocket(const std::string& path)
{
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    path.copy(address.sun_path, sizeof address.sun_path - 1);
    const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const bool bound = ::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(listener);
    return bound;
}

std::string Contents(const fs::path& file)
{
    return fs::exists(file) ? ReadBytes(file.string()) : std::string("(none)");
}

} // namespace

class SafeSaveTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Setups are shell commands, with the target as $1 and its folder as $2.
    void refusesWhatIsNotARegularFile_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::newRow("fifo") << QStringLiteral("mkfifo $1");
        QTest::newRow("socket") << QString();
        QTest::newRow("device") << QStringLiteral("mknod $1 c 1 3");
        QTest::newRow("link to a fifo") << QStringLiteral("mkfifo $2/f && ln -s f $1");
        QTest::newRow("link to a device") << QStringLiteral("mknod $2/d c 1 3 && ln -s d $1");
        QTest::newRow("link to /dev/null") << QStringLiteral("ln -s /dev/null $1");
    }

    void refusesWhatIsNotARegularFile()
    {
        QFETCH(QString, setup);
        static bool deviceLinkRefused = false;
        QTemporaryDir folder;
        const std::string target = folder.filePath(QStringLiteral("doc.Quarn")).toStdString();
        if (setup.contains(QStringLiteral("/dev/null")) && !deviceLinkRefused)
            QSKIP("Not tried on /dev/null, since a link to a device was not refused");
        if (setup.isEmpty())
            QVERIFY(BindSocket(target));
        else if (!Run(setup, folder))
            QSKIP("Only root may make a device node");
        const fs::file_type type = fs::status(target).type();
        const bool link = fs::is_symlink(target);
        const std::set<std::string> names = Names(folder);

        std::string error;
        QVERIFY(!SaveBytes(target, NewBytes, error));

        QCOMPARE(error, std::string("is not a regular file"));
        QCOMPARE(fs::status(target).type(), type);
        QCOMPARE(fs::is_symlink(target), link);
        QCOMPARE(Names(folder), names);
        deviceLinkRefused = deviceLinkRefused || setup.contains(QStringLiteral("ln -s d"));
        struct stat null = {};
        QVERIFY(::lstat("/dev/null", &null) == 0 && S_ISCHR(null.st_mode));
    }

    // What the file has besides its bytes survives, in a new file that is
    // given it or by a write in place. The file starts as root's, 0644.
    void keepsWhatTheFileHas_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<int>("saver"); // 0 root, 1 nobody, 2 nobody in group 100
        QTest::addColumn<bool>("inPlace");
        QTest::newRow("hard link") << QStringLiteral("ln $1 $2/other") << 0 << true;
        QTest::newRow("owned by nobody, saved by root")
            << QStringLiteral("chown 65534:65534 $1") << 0 << false;
        QTest::newRow("group-writable file of root, saved by a member")
            << QStringLiteral("chmod 664 $1 && chown 0:100 $1") << 2 << true;
        QTest::newRow("own file in a shared group, saved by a member")
            << QStringLiteral("chmod 664 $1 && chown 65534:100 $1") << 2 << false;
        QTest::newRow("own file in a group the saver is not in")
            << QStringLiteral("chown 65534:100 $1") << 1 << true;
        QTest::newRow("ACL") << QStringLiteral("setfacl -m u:nobody:rw $1") << 0 << false;
        QTest::newRow("user attribute")
            << QStringLiteral("setfattr -n user.test -v 1 $1") << 0 << false;
        QTest::newRow("no ACL in a folder with a default ACL")
            << QStringLiteral("setfacl -d -m u:nobody:rw $2") << 0 << false;
    }

    void keepsWhatTheFileHas()
    {
        QFETCH(QString, setup);
        QFETCH(int, saver);
        QFETCH(bool, inPlace);
        if (::geteuid() != 0)
            QSKIP("Owners and groups can only be set up as root");
        // On the disk: tmpfs may refuse user attributes.
        QTemporaryDir folder(QStringLiteral("/var/tmp/quarned-save-XXXXXX"));
        const std::string target = folder.filePath(QStringLiteral("doc.Quarn")).toStdString();
        WriteBytes(target, OldBytes);
        ::chmod(target.c_str(), 0644);
        ::chown(folder.path().toLocal8Bit().constData(), Nobody, Nobody);
        if (!Run(setup, folder))
            QSKIP("setfacl or setfattr is missing, or the file system refuses attributes");
        struct stat before = {};
        ::stat(target.c_str(), &before);
        const auto attributes = Attributes(target);
        const std::set<std::string> names = Names(folder);

        const std::string report =
            InChild([&] {
                const std::vector<gid_t> groups(saver == 2 ? 1 : 0, Users);
                if (saver > 0 && (::setgroups(groups.size(), groups.data()) != 0 ||
                                  ::setgid(Nobody) != 0 || ::setuid(Nobody) != 0))
                    return std::string("could not become nobody");
                return SaveReport(target, NewBytes);
            }).second;

        QCOMPARE(report, std::string("saved"));
        struct stat after = {};
        ::stat(target.c_str(), &after);
        QCOMPARE(ReadBytes(target), NewBytes);
        QCOMPARE(after.st_ino == before.st_ino, inPlace);
        QCOMPARE(after.st_uid, before.st_uid);
        QCOMPARE(after.st_gid, before.st_gid);
        QCOMPARE(after.st_mode, before.st_mode); // no write access for the group through a mask
        QCOMPARE(after.st_nlink, before.st_nlink);
        QVERIFY(Attributes(target) == attributes);
        QCOMPARE(Names(folder), names); // no backup, no temporary file
        if (inPlace && before.st_nlink > 1)
            QCOMPARE(ReadBytes(folder.filePath(QStringLiteral("other")).toStdString()), NewBytes);
    }

    // A crash at any step leaves the old or the new content whole, or the old
    // content whole in the backup; the next save cleans up after it. A write
    // that fails, as on a full disk, leaves the file as it was.
    void interruptedSaves_data()
    {
        QTest::addColumn<std::string>("name");
        QTest::addColumn<std::string>("old");
        QTest::addColumn<bool>("hardLink");
        const std::string longer = OldBytes + std::string(5000, 'x');
        QTest::newRow("new file") << std::string("doc.Quarn") << std::string() << false;
        QTest::newRow("replaced") << std::string("doc.Quarn") << OldBytes << false;
        QTest::newRow("longest name") << std::string(249, 'n') + ".Quarn" << OldBytes << false;
        QTest::newRow("in place, shorter") << std::string("doc.Quarn") << longer << true;
        QTest::newRow("in place, longer")
            << std::string("doc.Quarn") << NewBytes.substr(0, 9) << true;
    }

    void interruptedSaves()
    {
        QFETCH(std::string, name);
        QFETCH(std::string, old);
        QFETCH(bool, hardLink);
        QTemporaryDir folder;
        const fs::path base = folder.path().toStdString();
        const fs::path target = base / name;
        const fs::path backup = base / ("." + name.substr(0, 200) + ".quarned-backup");
        const std::string fresh = NewBytes + std::string(3000, 'y');
        const auto reset = [&] {
            for (const auto& entry : fs::directory_iterator(base))
                fs::remove(entry.path());
            if (!old.empty())
                WriteBytes(target.string(), old);
            if (hardLink)
                fs::create_hard_link(target, base / "other");
            return Names(folder);
        };
        int step = 1;
        for (;; ++step) {
            QVERIFY(step < 20);
            reset();
            const auto [code, report] = InChild([&, step] {
                int reached = 0;
                return SaveReport(target.string(), fresh, [&] {
                    if (++reached == step)
                        ::_exit(Crashed);
                });
            });
            if (code != Crashed) {
                QCOMPARE(report, std::string("saved"));
                break;
            }
            const std::string left = Contents(target);
            QVERIFY2(left == (old.empty() ? "(none)" : old) || left == fresh ||
                         Contents(backup) == old,
                     qPrintable(QStringLiteral("step %1").arg(step)));

            std::string error;
            const bool refused = fs::exists(backup) && Contents(backup) != left;
            QCOMPARE(SaveBytes(target.string(), NewBytes, error), !refused);
            if (refused) {
                QCOMPARE(Contents(backup), old);
                QVERIFY(error.find("an interrupted save left") == 0);
                continue;
            }
            QCOMPARE(Contents(target), NewBytes);
            QCOMPARE(Names(folder).size(), hardLink ? 2u : 1u);
        }
        QVERIFY(step > (hardLink ? 4 : 1)); // fewer steps without O_TMPFILE

        const std::set<std::string> names = reset();
        const std::string report =
            InChild([&] {
                // Room for the backup, not for the new content.
                const rlimit limit = {old.size() + 1024, old.size() + 1024};
                ::signal(SIGXFSZ, SIG_IGN);
                ::setrlimit(RLIMIT_FSIZE, &limit);
                return SaveReport(target.string(), fresh + std::string(10000, 'z'));
            }).second;
        QCOMPARE(report, std::string("File too large"));
        QCOMPARE(Contents(target), old.empty() ? "(none)" : old);
        QCOMPARE(Names(folder), names);
    }

    // 99999999 is above the largest process id Linux hands out.
    void removesStaleTemporaryFiles_data()
    {
        QTest::addColumn<std::string>("name");
        QTest::addColumn<bool>("removed");
        const auto row = [](const char* label, const char* name, bool removed) {
            QTest::newRow(label) << std::string(name) << removed;
        };
        row("this file's", ".doc.Quarn.quarned-99999999-aB3xYz", true);
        row("another file's", ".a.txt.quarned-99999999-000000", true);
        row("a backup's", "..doc.Quarn.quarned-backup.quarned-99999999-abcdef", true);
        row("of a live process", ".doc.Quarn.quarned-1-abcdef", false);
        row("no dot", "doc.Quarn.quarned-99999999-abcdef", false);
        row("no name", ".quarned-99999999-abcdef", false);
        row("five letters", ".doc.Quarn.quarned-99999999-abcde", false);
        row("seven letters", ".doc.Quarn.quarned-99999999-abcdefg", false);
        row("other letters", ".doc.Quarn.quarned-99999999-abc_ef", false);
        row("suffix", ".doc.Quarn.quarned-99999999-abcdef.bak", false);
        row("leading zero", ".doc.Quarn.quarned-099999999-abcdef", false);
        row("the backup", ".doc.Quarn.quarned-backup", false);
        row("a folder", ".doc.Quarn.quarned-99999999-abcdeF/", false);
    }

    void removesStaleTemporaryFiles()
    {
        QFETCH(std::string, name);
        QFETCH(bool, removed);
        QTemporaryDir folder;
        const std::string target = folder.filePath(QStringLiteral("doc.Quarn")).toStdString();
        const bool isFolder = name.back() == '/';
        const fs::path stale = folder.path().toStdString() + "/" + name;
        if (isFolder)
            fs::create_directory(stale);
        else
            WriteBytes(stale.string(), "left by a crash");
        WriteBytes(target, OldBytes);

        std::string error;
        QVERIFY(SaveBytes(target, NewBytes, error));

        QCOMPARE(fs::exists(stale), !removed);
    }
};

QTEST_APPLESS_MAIN(SafeSaveTest)
#include "SafeSaveTest.moc"
