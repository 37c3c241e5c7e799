#include "system/LocalDiskMounts.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <optional>
#include <vector>

namespace {

struct Mount
{
    QString device; // major:minor
    QString root;   // the part of the file system shown, "/" for all of it
    QString mountPoint;
    QString type;
    QString source;
};

// mountinfo writes space, tab, newline and backslash as \ooo.
QString DecodeOctalEscapes(const QString& field)
{
    QString decoded;
    decoded.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        bool ok = false;
        const int code = i + 3 < field.size() && field.at(i) == QLatin1Char('\\')
                             ? QStringView(field).mid(i + 1, 3).toInt(&ok, 8)
                             : 0;
        if (ok) {
            decoded += QChar(code);
            i += 3;
        } else {
            decoded += field.at(i);
        }
    }
    return decoded;
}

// One line: id parent major:minor root mount-point options [optional...] - type source options
std::optional<Mount> ParseMountLine(const QString& line)
{
    const QStringList fields = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const qsizetype dash = fields.indexOf(QStringLiteral("-"), 6);
    if (fields.size() < 6 || dash < 0 || dash + 2 >= fields.size())
        return std::nullopt;
    return Mount{fields.at(2), DecodeOctalEscapes(fields.at(3)), DecodeOctalEscapes(fields.at(4)),
                 fields.at(dash + 1), DecodeOctalEscapes(fields.at(dash + 2))};
}

bool IsNetworkOrPseudoType(const QString& type)
{
    static const QStringList excluded =
        QStringLiteral(
            // network
            "nfs nfs4 cifs smb3 smbfs ncpfs afs ceph glusterfs lustre 9p virtiofs sshfs davfs fuse "
            // pseudo and memory
            "proc sysfs tmpfs devtmpfs devpts securityfs debugfs tracefs pstore bpf mqueue "
            "hugetlbfs autofs configfs fusectl binfmt_misc efivarfs ramfs rootfs nsfs rpc_pipefs "
            "selinuxfs nfsd "
            // read-only images, which hold packaged copies rather than the user's files
            "squashfs iso9660 udf")
            .split(QLatin1Char(' '));
    return excluded.contains(type) || type.startsWith(QLatin1String("cgroup")) ||
           type.startsWith(QLatin1String("fuse."));
}

bool IsRemovable(const QString& device, const QString& sysfsRoot)
{
    // The entry of a partition sits inside the entry of its disk.
    QString entry =
        QFileInfo(sysfsRoot + QStringLiteral("/dev/block/") + device).canonicalFilePath();
    if (entry.isEmpty())
        return false;
    if (QFileInfo::exists(entry + QStringLiteral("/partition")))
        entry = QFileInfo(entry).path();
    QFile removable(entry + QStringLiteral("/removable"));
    return removable.open(QIODevice::ReadOnly) && removable.readAll().trimmed() == "1";
}

bool IsLocalDisk(const Mount& mount, const QString& sysfsRoot)
{
    if (IsNetworkOrPseudoType(mount.type))
        return false;
    // A container's root: its layers lie on the machine's own disks. Other
    // overlays are the roots of containers seen from the host, copies of
    // what the host's disks hold already.
    if (mount.type == QLatin1String("overlay"))
        return mount.mountPoint == QLatin1String("/");
    // A disk file system names its block device; file systems that manage
    // their own devices name a pool instead.
    const bool ownDevices = mount.type == QLatin1String("zfs");
    if (!ownDevices && !mount.source.startsWith(QLatin1String("/dev/")))
        return false;
    if (mount.source.startsWith(QLatin1String("/dev/loop")))
        return false;
    return !IsRemovable(mount.device, sysfsRoot);
}

// A folder is inside another when it is that folder or one below it.
bool IsInside(const QString& folder, const QString& other)
{
    return folder == other || other == QLatin1String("/") ||
           (folder.startsWith(other) && folder.at(other.size()) == QLatin1Char('/'));
}

// Another mount of the same file system that shows this one's part already.
bool IsShownBy(const Mount& mount, const Mount& other)
{
    return other.device == mount.device && IsInside(mount.root, other.root);
}

} // namespace

QStringList LocalDiskMountPoints(const QString& mountinfoText, const QString& sysfsRoot)
{
    std::vector<Mount> mounts;
    const QStringList lines = mountinfoText.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString& line : lines) {
        if (const std::optional<Mount> mount = ParseMountLine(line))
            mounts.push_back(*mount);
    }
    // A later mount on the same mount point hides an earlier one.
    std::vector<Mount> disks;
    for (auto mount = mounts.cbegin(); mount != mounts.cend(); ++mount) {
        const bool hidden = std::any_of(mount + 1, mounts.cend(), [mount](const Mount& later) {
            return later.mountPoint == mount->mountPoint;
        });
        if (!hidden && IsLocalDisk(*mount, sysfsRoot))
            disks.push_back(*mount);
    }

    QStringList mountPoints;
    for (auto mount = disks.cbegin(); mount != disks.cend(); ++mount) {
        const auto showsIt = [mount](const Mount& other) { return IsShownBy(*mount, other); };
        // Earlier mounts win among equal views; a wider view wins wherever it is.
        const bool shownEarlier = std::any_of(disks.cbegin(), mount, showsIt);
        const bool shownWider =
            std::any_of(disks.cbegin(), disks.cend(), [mount](const Mount& other) {
                return other.root != mount->root && IsShownBy(*mount, other);
            });
        if (!shownEarlier && !shownWider)
            mountPoints.append(mount->mountPoint);
    }
    return mountPoints;
}
