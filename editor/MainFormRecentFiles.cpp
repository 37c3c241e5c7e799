// The four most recently used files: their slots, their menu items after
// the File menu's third separator, and their place in the settings store.
#include "editor/MainForm.h"

#include "system/DisplayNames.h"
#include "system/PathNames.h"
#include "system/Platform.h"
#include "ui_MainForm.h"

namespace {

const QString RecentGroup = QStringLiteral("Previous");

// Menu captions show the file name with its invisible characters written
// out and a very long name shortened; '&' would mark an accelerator.
QString MenuCaption(const QString& fileName)
{
    return VisibleFileName(fileName).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

} // namespace

void TMainForm::ReadRecentFiles()
{
    for (std::size_t k = 0; k < recentFiles_.size(); ++k)
        recentFiles_[k] = platform_.ReadSetting(RecentGroup, QString::number(k));
}

QList<QAction*> TMainForm::RecentFileItems()
{
    // The items that follow the File menu's third separator, which is made
    // visible on the way.
    const QList<QAction*> items = ui->File->actions();
    int separators = 0;
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (items[i]->isSeparator() && ++separators == 3) {
            items[i]->setVisible(true);
            return items.mid(i + 1, static_cast<qsizetype>(recentFiles_.size()));
        }
    }
    return {};
}

void TMainForm::AddRecentFile(const QString& path)
{
    const QList<QAction*> items = RecentFileItems();
    std::size_t k = 0;
    while (k < recentFiles_.size() - 1 && !recentFiles_[k].isEmpty() &&
           !SamePathName(recentFiles_[k], path))
        ++k;
    items[static_cast<qsizetype>(k)]->setVisible(true);
    for (std::size_t m = k; m > 0; --m) {
        items[static_cast<qsizetype>(m)]->setText(items[static_cast<qsizetype>(m - 1)]->text());
        recentFiles_[m] = recentFiles_[m - 1];
    }
    items[0]->setText(MenuCaption(FileNamePartOf(path)));
    recentFiles_[0] = path;
}

void TMainForm::OldIniClick()
{
    // The clicked item tells the slot by its name.
    auto* item = qobject_cast<QAction*>(sender());
    if (!item)
        return;
    const QString name = item->objectName();
    std::size_t slot = 3;
    for (std::size_t k = 0; k < 3; ++k) {
        if (name.compare(QStringLiteral("OldIni") + QString::number(k + 1), Qt::CaseInsensitive) ==
            0)
            slot = k;
    }
    if (!recentFiles_[slot].isEmpty())
        OpenDefinition(recentFiles_[slot]);
}

void TMainForm::SaveRecentFiles()
{
    for (std::size_t k = 0; k < recentFiles_.size() && !recentFiles_[k].isEmpty(); ++k)
        platform_.WriteSetting(RecentGroup, QString::number(k), recentFiles_[k]);
}
