// The desktop platform's drives and folders, for the executable search.
#include "system/Platform.h"

#ifdef Q_OS_WIN
#include <QDir>

#include <windows.h>
// shellapi.h builds on the declarations of windows.h.
#include <shellapi.h>
#else
#include "system/FileNameCodec.h"
#include "system/LocalDiskMounts.h"
#include "system/ProgramLookup.h"

#include <QFile>
#include <QScopeGuard>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#endif

#ifdef Q_OS_WIN

FilePath DesktopPlatform::FindExecutable(const FilePath& name, const FilePath& folder)
{
    wchar_t program[MAX_PATH] = {};
    const auto result = reinterpret_cast<INT_PTR>(FindExecutableW(
        reinterpret_cast<const wchar_t*>(name.Text().utf16()),
        reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(folder.Text()).utf16()),
        program));
    return result > 32 ? FilePath::FromText(QString::fromWCharArray(program)) : FilePath();
}

std::vector<FilePath> DesktopPlatform::FixedDriveRoots()
{
    std::wstring buffer(GetLogicalDriveStringsW(0, nullptr), L'\0');
    GetLogicalDriveStringsW(static_cast<DWORD>(buffer.size()), buffer.data());
    std::vector<FilePath> roots;
    for (const wchar_t* root = buffer.c_str(); *root; root += wcslen(root) + 1) {
        if (GetDriveTypeW(root) == DRIVE_FIXED)
            roots.push_back(FilePath::FromText(QString::fromWCharArray(root)));
    }
    return roots;
}

bool DesktopPlatform::ListFolder(const FilePath& folder, std::vector<FolderEntry>& entries)
{
    entries.clear();
    const QString pattern = QDir::toNativeSeparators(folder.Text()) + QLatin1Char('*');
    WIN32_FIND_DATAW found;
    const HANDLE find =
        FindFirstFileExW(reinterpret_cast<const wchar_t*>(pattern.utf16()), FindExInfoBasic, &found,
                         FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE)
        return false;
    do {
        const QString name = QString::fromWCharArray(found.cFileName);
        if (name == QLatin1String(".") || name == QLatin1String(".."))
            continue;
        // Junctions and folder links may lead back up the tree: never entered.
        const DWORD attributes = found.dwFileAttributes;
        // A link carries the folder bit of what it leads to.
        const bool folder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        entries.push_back({FilePath::FromText(name).Bytes(),
                           folder && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0, !folder});
    } while (FindNextFileW(find, &found));
    FindClose(find);
    return true;
}

#else

namespace {

struct DeviceId
{
    unsigned major;
    unsigned minor;

    bool operator==(const DeviceId& other) const
    {
        return major == other.major && minor == other.minor;
    }
};

bool IsDotOrDotDot(const char* name)
{
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

// A folder the scan may enter: a directory itself, not a link to one, and
// not the root of another mount (another file system, or a bind mount that
// would show a part of this one again). Never triggers an automount.
bool IsFolderOfSameMount(int folderFd, const dirent& entry, DeviceId folderDevice)
{
    if (entry.d_type != DT_DIR && entry.d_type != DT_UNKNOWN)
        return false;
    struct statx status;
    if (statx(folderFd, entry.d_name, AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT, STATX_TYPE, &status) !=
        0)
        return false;
    const bool mountRoot = (status.stx_attributes_mask & STATX_ATTR_MOUNT_ROOT) != 0 &&
                           (status.stx_attributes & STATX_ATTR_MOUNT_ROOT) != 0;
    return S_ISDIR(status.stx_mode) && !mountRoot &&
           DeviceId{status.stx_dev_major, status.stx_dev_minor} == folderDevice;
}

// Anything but a folder, a link judged by what it leads to: a mount point or
// a link to a folder is no program, nor is a link that leads nowhere.
bool IsNotAFolder(int folderFd, const dirent& entry)
{
    if (entry.d_type == DT_REG || entry.d_type == DT_DIR)
        return entry.d_type == DT_REG;
    struct statx status;
    return statx(folderFd, entry.d_name, AT_NO_AUTOMOUNT, STATX_TYPE, &status) == 0 &&
           !S_ISDIR(status.stx_mode);
}

} // namespace

FilePath DesktopPlatform::FindExecutable(const FilePath& name, const FilePath&)
{
    // The search path stands in for the desktop's file associations.
    return FindOnSearchPath(name);
}

std::vector<FilePath> DesktopPlatform::FixedDriveRoots()
{
    QFile mountTable(QStringLiteral("/proc/self/mountinfo"));
    if (!mountTable.open(QIODevice::ReadOnly))
        return {};
    const QStringList mountPoints =
        LocalDiskMountPoints(DecodeFileName(mountTable.readAll()), QStringLiteral("/sys"));
    std::vector<FilePath> roots;
    for (const QString& mountPoint : mountPoints) {
        const FilePath root = FilePath::FromText(
            mountPoint.endsWith(QLatin1Char('/')) ? mountPoint : mountPoint + QLatin1Char('/'));
        // Files bound over files (a container's /etc/hosts) are no drives.
        if (DirectoryExists(root))
            roots.push_back(root);
    }
    return roots;
}

bool DesktopPlatform::ListFolder(const FilePath& folder, std::vector<FolderEntry>& entries)
{
    entries.clear();
    DIR* const dir = opendir(folder.Bytes().c_str());
    if (!dir)
        return false;
    const auto closeDir = qScopeGuard([dir] { closedir(dir); });
    const int folderFd = dirfd(dir);
    struct statx folderStatus;
    if (statx(folderFd, "", AT_EMPTY_PATH, STATX_TYPE, &folderStatus) != 0)
        return false;
    const DeviceId folderDevice{folderStatus.stx_dev_major, folderStatus.stx_dev_minor};
    while (const dirent* entry = readdir(dir)) {
        if (!IsDotOrDotDot(entry->d_name))
            entries.push_back({entry->d_name, IsFolderOfSameMount(folderFd, *entry, folderDevice),
                               IsNotAFolder(folderFd, *entry)});
    }
    return true;
}

#endif
