#include "system/LocalDiskMounts.h"
#include "tests/support/TestPlatform.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

// One mountinfo line; the optional fields before "-" vary between systems.
QString MountLine(const char* device, const char* root, const char* mountPoint, const char* type,
                  const char* source)
{
    return QString::asprintf("36 25 %s %s %s rw,relatime shared:1 - %s %s rw\n", device, root,
                             mountPoint, type, source);
}

bool WriteFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

QStringList Names(const std::vector<FolderEntry>& entries)
{
    QStringList names;
    for (const FolderEntry& entry : entries)
        names.append(QString::fromStdString(entry.name));
    names.sort();
    return names;
}

// One flag (isFolder or isFile) of the entry named name; nothing when it is not listed.
std::optional<bool> FlagIn(const std::vector<FolderEntry>& entries, const QString& name,
                           bool FolderEntry::*flag)
{
    const auto found =
        std::find_if(entries.cbegin(), entries.cend(),
                     [name](const FolderEntry& entry) { return entry.name == name.toStdString(); });
    return found == entries.cend() ? std::nullopt : std::optional<bool>((*found).*flag);
}

} // namespace

class SearchDrivesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void localDiskMounts_data();
    void localDiskMounts();
    void fixedDrivesOfThisMachine();
    void listFolder();
    void listFolderStaysOnItsFileSystem();
    void listFolderFailsWhenUnreadable();

private:
    QTemporaryDir sysfs;
};

void SearchDrivesTest::initTestCase()
{
    // A disk sda with a fixed partition sda1, a removable disk sdb with a
    // partition sdb1, and a removable disk sdc used without partitions.
    const QString root = sysfs.path();
    QDir dir(root);
    QVERIFY(dir.mkpath(QStringLiteral("devices/sda/sda1")));
    QVERIFY(dir.mkpath(QStringLiteral("devices/sdb/sdb1")));
    QVERIFY(dir.mkpath(QStringLiteral("devices/sdc")));
    QVERIFY(dir.mkpath(QStringLiteral("dev/block")));
    QVERIFY(WriteFile(root + QStringLiteral("/devices/sda/removable"), "0\n"));
    QVERIFY(WriteFile(root + QStringLiteral("/devices/sda/sda1/partition"), "1\n"));
    QVERIFY(WriteFile(root + QStringLiteral("/devices/sdb/removable"), "1\n"));
    QVERIFY(WriteFile(root + QStringLiteral("/devices/sdb/sdb1/partition"), "1\n"));
    QVERIFY(WriteFile(root + QStringLiteral("/devices/sdc/removable"), "1\n"));
    const QString block = root + QStringLiteral("/dev/block/");
    QVERIFY(QFile::link(QStringLiteral("../../devices/sda/sda1"), block + QStringLiteral("8:1")));
    QVERIFY(QFile::link(QStringLiteral("../../devices/sdb/sdb1"), block + QStringLiteral("8:17")));
    QVERIFY(QFile::link(QStringLiteral("../../devices/sdc"), block + QStringLiteral("8:32")));
}

void SearchDrivesTest::localDiskMounts_data()
{
    QTest::addColumn<QString>("mountinfo");
    QTest::addColumn<QStringList>("expected");

    const QString all = QStringLiteral("/");
    const QString root = MountLine("8:1", "/", "/", "ext4", "/dev/sda1");

    QTest::newRow("pseudo file systems")
        << MountLine("0:21", "/", "/proc", "proc", "proc") +
               MountLine("0:22", "/", "/sys", "sysfs", "sysfs") + root +
               MountLine("0:6", "/", "/dev", "devtmpfs", "devtmpfs") +
               MountLine("0:25", "/", "/run", "tmpfs", "tmpfs") +
               MountLine("0:29", "/", "/sys/fs/cgroup/cpu", "cgroup", "cgroup") +
               MountLine("0:38", "/", "/sys/fs/cgroup/unified", "cgroup2", "cgroup2")
        << QStringList{all};
    QTest::newRow("a tmpfs named like a device")
        << MountLine("0:30", "/", "/scratch", "tmpfs", "/dev/sda9") << QStringList();
    QTest::newRow("network file systems")
        << MountLine("0:50", "/", "/net/home", "nfs4", "server:/home") +
               MountLine("0:51", "/", "/mnt/share", "cifs", "//server/share") +
               MountLine("0:52", "/", "/mnt/box", "fuse.sshfs", "ann@box:") +
               MountLine("0:53", "/", "/mnt/host", "9p", "hostshare")
        << QStringList();
    QTest::newRow("loop devices") << MountLine("7:0", "/", "/snap/core/1", "squashfs",
                                               "/dev/loop0") +
                                         MountLine("7:1", "/", "/mnt/image", "ext4", "/dev/loop1")
                                  << QStringList();
    QTest::newRow("removable disks, partitioned or not")
        << MountLine("8:17", "/", "/media/stick", "vfat", "/dev/sdb1") +
               MountLine("8:32", "/", "/media/card", "exfat", "/dev/sdc")
        << QStringList();
    QTest::newRow("disk unknown to sysfs counts as fixed")
        << MountLine("254:0", "/", "/", "ext4", "/dev/vda") << QStringList{all};
    QTest::newRow("local file systems without a device name")
        << MountLine("0:40", "/", "/home", "zfs", "rpool/home") +
               MountLine("8:33", "/", "/windows", "fuseblk", "/dev/sdc1")
        << QStringList{QStringLiteral("/home"), QStringLiteral("/windows")};
    QTest::newRow("container root overlay")
        << MountLine("0:60", "/", "/", "overlay", "overlay") << QStringList{all};
    QTest::newRow("overlays of containers seen from the host")
        << root +
               MountLine("0:61", "/", "/var/lib/docker/overlay2/abc/merged", "overlay", "overlay")
        << QStringList{all};
    QTest::newRow("bind mount of a part after the whole")
        << root + MountLine("8:1", "/srv/data", "/data", "ext4", "/dev/sda1") << QStringList{all};
    QTest::newRow("bind mount of a part before the whole")
        << MountLine("8:1", "/srv", "/mnt/srv", "ext4", "/dev/sda1") + root << QStringList{all};
    QTest::newRow("the whole mounted twice")
        << root + MountLine("8:1", "/", "/mnt/again", "ext4", "/dev/sda1") << QStringList{all};
    QTest::newRow("parts only, one inside another")
        << MountLine("8:1", "/volumes/a", "/data", "ext4", "/dev/sda1") +
               MountLine("8:1", "/volumes/ab", "/other", "ext4", "/dev/sda1") +
               MountLine("8:1", "/volumes/a/logs", "/logs", "ext4", "/dev/sda1")
        << QStringList{QStringLiteral("/data"), QStringLiteral("/other")};
    QTest::newRow("covered by a later mount")
        << MountLine("8:2", "/", "/mnt/a", "ext4", "/dev/sda2") +
               MountLine("0:70", "/", "/mnt/a", "tmpfs", "tmpfs")
        << QStringList();
    QTest::newRow("escaped mount point")
        << MountLine("8:2", "/", "/mnt/my\\040disk\\134x", "ext4", "/dev/sda2")
        << QStringList{QStringLiteral("/mnt/my disk\\x")};
    QTest::newRow("mountinfo order kept")
        << MountLine("8:3", "/", "/b", "xfs", "/dev/sda3") +
               MountLine("8:2", "/", "/a", "btrfs", "/dev/sda2")
        << QStringList{QStringLiteral("/b"), QStringLiteral("/a")};
    QTest::newRow("malformed lines skipped")
        << QStringLiteral("garbage\n36 25 8:2 / /x rw - ext4\n\n") + root << QStringList{all};
}

void SearchDrivesTest::localDiskMounts()
{
    QFETCH(QString, mountinfo);
    QFETCH(QStringList, expected);

    QCOMPARE(LocalDiskMountPoints(mountinfo, sysfs.path()), expected);
}

void SearchDrivesTest::fixedDrivesOfThisMachine()
{
    // The real mount table: whatever this machine has, the scan must never
    // be pointed at the kernel's pseudo file systems.
    TestPlatform platform;
    for (const FilePath& drive : platform.FixedDriveRoots()) {
        const QString root = drive.Text();
        QVERIFY2(root.endsWith(QLatin1Char('/')), qPrintable(root));
        QVERIFY2(QFileInfo(root).isDir(), qPrintable(root));
        for (const char* pseudo : {"/proc", "/sys", "/dev", "/run"}) {
            const QString folder = QString::fromLatin1(pseudo);
            QVERIFY2(root != folder + QLatin1Char('/') &&
                         !root.startsWith(folder + QLatin1Char('/')),
                     qPrintable(root));
        }
    }
}

void SearchDrivesTest::listFolder()
{
    QTemporaryDir tree;
    const QString root = tree.path() + QLatin1Char('/');
    QVERIFY(QDir(root).mkpath(QStringLiteral("Sub")));
    QVERIFY(WriteFile(root + QStringLiteral("Tool.EXE"), {}));
    QVERIFY(WriteFile(root + QStringLiteral(".hidden"), {}));
    QVERIFY(QFile::link(root + QStringLiteral("Sub"), root + QStringLiteral("LinkToSub")));
    QVERIFY(QFile::link(root + QStringLiteral("Tool.EXE"), root + QStringLiteral("LinkToTool")));
    QVERIFY(QFile::link(root + QStringLiteral("missing"), root + QStringLiteral("Dangling")));

    TestPlatform platform;
    std::vector<FolderEntry> entries{{"left over", true, false}};
    QVERIFY(platform.ListFolder(FilePath::FromText(root), entries));
    QCOMPARE(Names(entries), (QStringList{QStringLiteral(".hidden"), QStringLiteral("Dangling"),
                                          QStringLiteral("LinkToSub"), QStringLiteral("LinkToTool"),
                                          QStringLiteral("Sub"), QStringLiteral("Tool.EXE")}));
    // Entered: real folders only. Reported: files, links judged by their target.
    const auto flags = [entries](const char* name) {
        const QString entry = QString::fromLatin1(name);
        return std::pair(FlagIn(entries, entry, &FolderEntry::isFolder),
                         FlagIn(entries, entry, &FolderEntry::isFile));
    };
    using Flags = std::pair<std::optional<bool>, std::optional<bool>>;
    QCOMPARE(flags("Sub"), Flags(true, false));
    QCOMPARE(flags("LinkToSub"), Flags(false, false));
    QCOMPARE(flags("Tool.EXE"), Flags(false, true));
    QCOMPARE(flags("LinkToTool"), Flags(false, true));
    QCOMPARE(flags("Dangling"), Flags(false, false));
}

void SearchDrivesTest::listFolderStaysOnItsFileSystem()
{
    if (!QFileInfo(QStringLiteral("/proc/self")).exists())
        QSKIP("no /proc here");
    TestPlatform platform;
    std::vector<FolderEntry> entries;
    QVERIFY(platform.ListFolder(FilePath("/"), entries));
    // Mount points are neither entered nor reported ("proc" is no program).
    for (const QString& name : {QStringLiteral("proc"), QStringLiteral("sys")}) {
        QCOMPARE(FlagIn(entries, name, &FolderEntry::isFolder), false);
        QCOMPARE(FlagIn(entries, name, &FolderEntry::isFile), false);
    }
}

void SearchDrivesTest::listFolderFailsWhenUnreadable()
{
    TestPlatform platform;
    std::vector<FolderEntry> entries;
    QTemporaryDir tree;
    QVERIFY(!platform.ListFolder(FilePath::FromText(tree.path() + QStringLiteral("/missing/")),
                                 entries));
    QVERIFY(WriteFile(tree.path() + QStringLiteral("/file"), {}));
    QVERIFY(
        !platform.ListFolder(FilePath::FromText(tree.path() + QStringLiteral("/file/")), entries));

#ifdef Q_OS_UNIX
    if (geteuid() == 0)
        QSKIP("permissions do not bind root");
#endif
    const QString locked = tree.path() + QStringLiteral("/locked/");
    QVERIFY(QDir().mkdir(locked));
    QVERIFY(QFile::setPermissions(locked, QFileDevice::WriteOwner));
    QVERIFY(!platform.ListFolder(FilePath::FromText(locked), entries));
    QFile::setPermissions(locked,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

QTEST_GUILESS_MAIN(SearchDrivesTest)
#include "SearchDrivesTest.moc"
