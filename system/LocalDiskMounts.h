#pragma once

#include <QString>
#include <QStringList>

// The mount points of the local disk file systems listed in a mount table
// in the form of /proc/self/mountinfo, in the table's order: no network,
// pseudo, loop or removable file systems. A file system mounted more than
// once is listed at its first mount that shows all of it; a bind mount of a
// part of it is listed only when no other listed mount shows that part.
// Removable disks are told by <sysfsRoot>/dev/block/<major:minor>.
QStringList LocalDiskMountPoints(const QString& mountinfoText, const QString& sysfsRoot);
