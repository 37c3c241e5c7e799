#include "document/ByteSink.h"
#include "document/DefDocument.h"
#include "tests/document/ChildProcess.h"
#include "tests/document/TestFiles.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <grp.h>
#include <map>
#include <sched.h>
#include <set>
#include <sys/file.h>
#include <sys/mount.h>
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

std::set<std::string> NamesIn(const fs::path& folder)
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

std::set<std::string> Names(const QTemporaryDir& folder)
{
    return NamesIn(folder.path().toStdString());
}

// Whether a temporary file of doc.Quarn has a name in folder.
bool HasTemporaryFile(const QTemporaryDir& folder)
{
    for (const std::string& name : Names(folder))
        if (name.rfind(".doc.Quarn.quarned-", 0) == 0 && name != ".doc.Quarn.quarned-backup")
            return true;
    return false;
}

// Runs work in a child, as "nobody" where the test runs as root.
std::string AsNobody(const std::function<std::string()>& work)
{
    return InChild([work] {
               if (::geteuid() == 0 &&
                   (::setgroups(0, nullptr) != 0 || ::setgid(Nobody) != 0 || ::setuid(Nobody) != 0))
                   return std::string("could not become nobody");
               return work();
           })
        .second;
}

const std::string Unshared = "no new namespace: ";

// Runs work in a child in new namespaces of the kinds given, a new PID
// namespace in the child's own child, with mounts of its own; the report
// starts with Unshared when the system refuses them.
std::string InNewNamespaces(int kinds, const std::function<std::string()>& work)
{
    return InChild([kinds, work] {
               if (::unshare(kinds) != 0 ||
                   ((kinds & CLONE_NEWNS) &&
                    ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0))
                   return Unshared + std::strerror(errno);
               return kinds & CLONE_NEWPID ? InChild(work).second : work();
           })
        .second;
}

std::string Refusal(const fs::path& backup)
{
    return "an interrupted save left the earlier content in " + backup.string() +
           "; compare it with the file, then remove it";
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

// Runs a shell command with doc.Quarn in folder as $1, folder as $2 and
// the file's backup as $3.
bool Run(const QString& command, const QTemporaryDir& folder)
{
    return QProcess::execute(QStringLiteral("sh"),
                             {QStringLiteral("-c"), command, QStringLiteral("sh"),
                              folder.filePath(QStringLiteral("doc.Quarn")), folder.path(),
                              folder.filePath(QStringLiteral(".doc.Quarn.quarned-backup"))}) == 0;
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

    // A temporary file whose lock can be taken was left by a crash,
    // whatever process its name numbers.
    void removesStaleTemporaryFiles_data()
    {
        QTest::addColumn<std::string>("name");
        QTest::addColumn<bool>("locked"); // as its writer holds it
        QTest::addColumn<bool>("removed");
        const auto row = [](const char* label, const char* name, bool removed,
                            bool locked = false) {
            QTest::newRow(label) << std::string(name) << locked << removed;
        };
        row("this file's", ".doc.Quarn.quarned-99999999-aB3xYz", true);
        row("another file's", ".a.txt.quarned-99999999-000000", true);
        row("a backup's", "..doc.Quarn.quarned-backup.quarned-99999999-abcdef", true);
        row("numbered as a live process", ".doc.Quarn.quarned-1-abcdef", true);
        row("locked by a live save", ".doc.Quarn.quarned-99999999-abcdef", false, true);
        row("no dot", "doc.Quarn.quarned-99999999-abcdef", false);
        row("no name", ".quarned-99999999-abcdef", false);
        row("five letters", ".doc.Quarn.quarned-99999999-abcde", false);
        row("seven letters", ".doc.Quarn.quarned-99999999-abcdefg", false);
        row("other letters", ".doc.Quarn.quarned-99999999-abc_ef", false);
        row("suffix", ".doc.Quarn.quarned-99999999-abcdef.bak", false);
        row("leading zero", ".doc.Quarn.quarned-099999999-abcdef", false);
        row("a folder", ".doc.Quarn.quarned-99999999-abcdeF/", false);
    }

    void removesStaleTemporaryFiles()
    {
        QFETCH(std::string, name);
        QFETCH(bool, locked);
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
        const int held = locked ? ::open(stale.c_str(), O_RDONLY | O_CLOEXEC) : -1;
        QVERIFY(!locked || ::flock(held, LOCK_EX) == 0);

        std::string error;
        const bool saved = SaveBytes(target, NewBytes, error);
        if (held >= 0)
            ::close(held);

        QVERIFY(saved);
        QCOMPARE(fs::exists(stale), !removed);
    }

    // A save in another PID namespace sees this one's processes as gone:
    // the lock, not the number in the name, tells it a live save's file.
    void keepsALiveSavesTemporaryFileSeenFromAnotherNamespace()
    {
        QTemporaryDir folder;
        const std::string target = folder.filePath(QStringLiteral("doc.Quarn")).toStdString();
        const std::string other = folder.filePath(QStringLiteral("other.Quarn")).toStdString();
        WriteBytes(target, OldBytes);
        std::string report;
        bool kept = false;
        // While this save's temporary file has a name.
        const auto saveBeside = [&] {
            if (report.empty() && HasTemporaryFile(folder)) {
                report =
                    InNewNamespaces(CLONE_NEWPID, [other] { return SaveReport(other, NewBytes); });
                kept = HasTemporaryFile(folder);
            }
        };

        QCOMPARE(SaveReport(target, NewBytes, saveBeside), std::string("saved"));

        if (report.rfind(Unshared, 0) == 0)
            QSKIP(report.c_str());
        QCOMPARE(report, std::string("saved"));
        QVERIFY(kept);
    }

    // Whatever lies at the backup name but a copy of what the file holds
    // stops the save, both ways of saving, and is never read past a
    // plausible size.
    void leftoverBackups_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<bool>("hardLink"); // written in place
        QTest::addColumn<bool>("saved");
        const auto row = [](const char* label, const char* setup, bool saved) {
            for (const bool hardLink : {false, true})
                QTest::newRow(qPrintable(QString::fromLatin1(label) +
                                         QLatin1String(hardLink ? ", in place" : ", replaced")))
                    << QString::fromLatin1(setup) << hardLink << saved;
        };
        row("a copy of the file", "cp $1 $3", true);
        row("other content", "echo earlier > $3", false);
        row("30 GiB", "truncate -s 30G $3", false);
        row("a folder", "mkdir $3", false);
        row("a FIFO", "mkfifo $3", false);
        row("a link to the file", "ln -s doc.Quarn $3", false);
        QTest::newRow("a copy of a file that is gone")
            << QStringLiteral("cp $1 $3 && rm $1") << false << false;
    }

    void leftoverBackups()
    {
        QFETCH(QString, setup);
        QFETCH(bool, hardLink);
        QFETCH(bool, saved);
        QTemporaryDir folder;
        const std::string target = folder.filePath(QStringLiteral("doc.Quarn")).toStdString();
        const fs::path backup = folder.path().toStdString() + "/.doc.Quarn.quarned-backup";
        WriteBytes(target, OldBytes);
        QVERIFY(Run(setup + QLatin1String(hardLink ? " && ln $1 $2/other" : ""), folder));
        const std::string before = Contents(target);
        const fs::file_type kind = fs::symlink_status(backup).type();

        const std::string report = SaveReport(target, NewBytes);

        QCOMPARE(report, saved ? std::string("saved") : Refusal(backup));
        QCOMPARE(Contents(target), saved ? NewBytes : before);
        QCOMPARE(fs::symlink_status(backup).type(), saved ? fs::file_type::not_found : kind);
    }

    // Files whose names share their first 200 bytes have backups of their
    // own: what a crash in one's write in place left, a save of the other
    // neither takes for its own nor removes.
    void backupsOfLongNamesKeepApart()
    {
        QTemporaryDir folder;
        const fs::path base = folder.path().toStdString();
        const std::string first = (base / (std::string(240, 'n') + "1.Quarn")).string();
        const std::string second = (base / (std::string(240, 'n') + "2.Quarn")).string();
        for (const std::string& file : {first, second}) {
            WriteBytes(file, OldBytes);
            fs::create_hard_link(file, file + "-link");
        }
        const int code = InChild([first] {
                             return SaveReport(first, NewBytes, [first] {
                                 if (ReadBytes(first) != OldBytes)
                                     ::_exit(Crashed);
                             });
                         }).first;
        QCOMPARE(code, Crashed);
        std::set<std::string> backups;
        for (const std::string& name : Names(folder))
            if (name.find("quarned-backup") != std::string::npos)
                backups.insert(name);
        QCOMPARE(backups.size(), 1u);
        const fs::path backup = base / *backups.begin();

        QCOMPARE(SaveReport(second, NewBytes), std::string("saved"));
        QCOMPARE(Contents(backup), OldBytes);
        QCOMPARE(SaveReport(first, NewBytes), Refusal(backup));
    }

    // The editor's files beside a file whose path is the longest the system
    // opens have longer paths than that.
    void savesAtTheLongestPath_data()
    {
        QTest::addColumn<bool>("hardLink");
        QTest::newRow("replaced") << false;
        QTest::newRow("in place") << true;
    }

    void savesAtTheLongestPath()
    {
        QFETCH(bool, hardLink);
        QTemporaryDir folder;
        const std::size_t longest = PATH_MAX - 1;
        std::string path = folder.path().toStdString();
        while (path.size() + 1 + 200 + 1 + 50 < longest) {
            path += "/" + std::string(200, 'd');
            QVERIFY(fs::create_directory(path));
        }
        const std::string target =
            path + "/" + std::string(longest - path.size() - 1 - 6, 'f') + ".Quarn";
        QCOMPARE(target.size(), longest);
        WriteBytes(target, OldBytes);
        if (hardLink)
            fs::create_hard_link(target, path + "/link");
        const std::set<std::string> names = NamesIn(path);

        QCOMPARE(SaveReport(target, NewBytes), std::string("saved"));

        QCOMPARE(ReadBytes(target), NewBytes);
        QCOMPARE(NamesIn(path), names);
    }

    // A file mounted over another, as containers do, cannot be renamed
    // over: it is written in place. The mount is the child's own.
    void savesABindMountedFile()
    {
        QTemporaryDir folder;
        const std::string target = folder.filePath(QStringLiteral("doc.Quarn")).toStdString();
        const std::string source = folder.filePath(QStringLiteral("source.Quarn")).toStdString();
        WriteBytes(target, "under the mount");
        WriteBytes(source, OldBytes);

        const std::string report = InNewNamespaces(CLONE_NEWNS, [target, source] {
            return ::mount(source.c_str(), target.c_str(), nullptr, MS_BIND, nullptr) == 0
                       ? SaveReport(target, NewBytes)
                       : std::string("mount failed");
        });

        if (report.rfind(Unshared, 0) == 0)
            QSKIP(report.c_str());
        QCOMPARE(report, std::string("saved"));
        QCOMPARE(ReadBytes(source), NewBytes);
        QCOMPARE(ReadBytes(target), std::string("under the mount"));
        QCOMPARE(Names(folder), (std::set<std::string>{"doc.Quarn", "source.Quarn"}));
    }

    // What another program may do to the file after it was read, and
    // whether a save then asks. Looked at by "nobody" where the test runs
    // as root, so that removed permissions keep it from reading.
    void outsideChanges_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<bool>("changed");
        const auto row = [](const char* label, const char* setup, bool changed) {
            QTest::newRow(label) << QString::fromLatin1(setup) << changed;
        };
        row("untouched", "true", false);
        row("the same bytes written again", "cp $1 $2/copy && cat $2/copy > $1", false);
        row("gone", "rm $1", false);
        row("other bytes of the same size and times",
            "touch -r $1 $2/time && printf X | dd of=$1 bs=1 seek=9 conv=notrunc status=none && "
            "touch -r $2/time $1",
            true);
        row("replaced by a copy of the same bytes and times", "cp -p $1 $2/copy && mv $2/copy $1",
            true);
        row("permissions removed", "chmod 0 $1", true);
        row("grown past what is read", "truncate -s 300M $1", true);
        row("turned into a folder", "rm $1 && mkdir $1", true);
    }

    void outsideChanges()
    {
        QFETCH(QString, setup);
        QFETCH(bool, changed);
        QTemporaryDir folder;
        const std::string target = folder.filePath(QStringLiteral("doc.Quarn")).toStdString();
        WriteBytes(target, OldBytes);
        ::chmod(folder.path().toLocal8Bit().constData(), 0777);
        CDefDocument document;
        QCOMPARE(document.Load(target), LoadResult::Loaded);
        QVERIFY(Run(setup, folder));

        const std::string report =
            AsNobody([document] { return std::string(document.ChangedOnDisk() ? "yes" : "no"); });

        QCOMPARE(report, std::string(changed ? "yes" : "no"));
    }
};

QTEST_APPLESS_MAIN(SafeSaveTest)
#include "SafeSaveTest.moc"
