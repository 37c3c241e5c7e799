// Files dropped on the window.
#include "editor/MainForm.h"

#include "system/PathNames.h"
#include "system/Platform.h"
#include "ui_MainForm.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

namespace {

QString FirstDroppedPath(const QMimeData* data)
{
    if (!data || !data->hasUrls())
        return QString();
    const QList<QUrl> urls = data->urls();
    if (urls.isEmpty() || !urls.constFirst().isLocalFile())
        return QString();
    return QDir::toNativeSeparators(urls.constFirst().toLocalFile());
}

} // namespace

void TMainForm::dragEnterEvent(QDragEnterEvent* event)
{
    if (!FirstDroppedPath(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent* event)
{
    const QString path = FirstDroppedPath(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    WMDropFiles(path);
}

void TMainForm::WMDropFiles(const QString& firstPath)
{
    // Only the first item counts. Its path is taken whole: a longer path
    // than the classic 259 characters is still the file the user dropped.
    raise();
    activateWindow();
    ui->PageControl->setCurrentWidget(ui->GlobalPage);
    if (ExtensionPartOf(firstPath).compare(QStringLiteral(".Quarn"), Qt::CaseInsensitive) == 0)
        OpenDefinition(firstPath);
    else if (platform_.DirectoryExists(firstPath))
        ui->Directory->setText(firstPath);
    else
        ui->Program->setText(firstPath);
}
