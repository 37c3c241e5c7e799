#include "editor/RecentFiles.h"

#include "system/DisplayNames.h"
#include "system/Platform.h"

#include <QAction>
#include <QMenu>

#include <algorithm>

namespace {

const QString RecentGroup = QStringLiteral("Previous");

// Menu captions show the file name with its invisible characters written
// out and a very long name shortened; '&' would mark an accelerator.
QString MenuCaption(const QString& fileName)
{
    return VisibleFileName(fileName).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

} // namespace

RecentFiles::RecentFiles(Platform& platform, QMenu& fileMenu)
    : QObject(&fileMenu), platform_(platform), menu_(fileMenu)
{
    for (std::size_t k = 0; k < files_.size(); ++k)
        files_[k] = platform_.ReadPathSetting(RecentGroup, QString::number(k));
    const QList<QAction*> items = Items();
    for (qsizetype k = 0; k < items.size(); ++k) {
        connect(items[k], &QAction::triggered, this, [this, k] {
            const FilePath& file = files_[static_cast<std::size_t>(k)];
            if (!file.IsEmpty())
                Q_EMIT Chosen(file);
        });
    }
}

QAction* RecentFiles::Heading() const
{
    int separators = 0;
    for (QAction* item : menu_.actions()) {
        if (item->isSeparator() && ++separators == 3)
            return item;
    }
    return nullptr;
}

QList<QAction*> RecentFiles::Items() const
{
    const QList<QAction*> items = menu_.actions();
    return items.mid(items.indexOf(Heading()) + 1, static_cast<qsizetype>(files_.size()));
}

void RecentFiles::ShowStored()
{
    const Paths stored = files_;
    files_.fill(FilePath());
    for (auto it = stored.rbegin(); it != stored.rend(); ++it) {
        if (!it->IsEmpty())
            Add(*it);
    }
}

void RecentFiles::Add(const FilePath& path)
{
    const QList<QAction*> items = Items();
    std::size_t k = 0;
    while (k < files_.size() - 1 && !files_[k].IsEmpty() && !SamePathName(files_[k], path))
        ++k;
    Heading()->setVisible(true);
    items[static_cast<qsizetype>(k)]->setVisible(true);
    for (std::size_t m = k; m > 0; --m) {
        items[static_cast<qsizetype>(m)]->setText(items[static_cast<qsizetype>(m - 1)]->text());
        files_[m] = files_[m - 1];
    }
    items[0]->setText(MenuCaption(path.FileName().Text()));
    files_[0] = path;
}

void RecentFiles::Save() const
{
    // Another editor may have stored its files since this one read them:
    // those this window does not list follow its own, so that both are kept.
    Paths merged = files_;
    auto end = std::find(merged.begin(), merged.end(), FilePath());
    for (std::size_t k = 0; k < files_.size() && end != merged.end(); ++k) {
        const FilePath stored = platform_.ReadPathSetting(RecentGroup, QString::number(k));
        if (!stored.IsEmpty() && std::none_of(merged.begin(), end, [&stored](const FilePath& file) {
                return SamePathName(file, stored);
            }))
            *end++ = stored;
    }
    for (auto file = merged.begin(); file != end; ++file)
        platform_.WritePathSetting(RecentGroup, QString::number(file - merged.begin()), *file);
}
