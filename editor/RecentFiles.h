#pragma once

#include "system/FilePath.h"

#include <QList>
#include <QObject>
#include <QString>

#include <array>

class Platform;
class QAction;
class QMenu;

// The four most recently used files: their slots, their menu items after
// the File menu's third separator, and their place in the settings store.
class RecentFiles : public QObject
{
    Q_OBJECT

public:
    using Paths = std::array<FilePath, 4>;

    // Reads the stored files; the menu shows none of them yet.
    RecentFiles(Platform& platform, QMenu& fileMenu);

    const Paths& Files() const { return files_; }
    // The stored files into the menu, the most recent first.
    void ShowStored();
    // path becomes the most recent file; a file listed already moves up.
    void Add(const FilePath& path);
    // This window's files, then the stored ones it does not list, four at most.
    void Save() const;

Q_SIGNALS:
    // The user chose a file of the menu.
    void Chosen(const FilePath& path);

private:
    // The File menu's third separator, shown once there is a file to list,
    // and the items that follow it.
    QAction* Heading() const;
    QList<QAction*> Items() const;

    Platform& platform_;
    QMenu& menu_;
    Paths files_;
};
