#include "editor/FileDropRouter.h"

#include "system/FileNameCodec.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

#include <algorithm>

namespace {

FilePath FirstDroppedPath(const QMimeData* data)
{
    if (!data || !data->hasUrls())
        return FilePath();
    const QList<QUrl> urls = data->urls();
    // The name's bytes as the address carries them.
    return urls.isEmpty() ? FilePath() : LocalFilePathOf(urls.constFirst());
}

bool CarriesLocalFiles(const QMimeData* data)
{
    if (!data || !data->hasUrls())
        return false;
    const QList<QUrl> urls = data->urls();
    return std::any_of(urls.cbegin(), urls.cend(),
                       [](const QUrl& url) { return url.isLocalFile(); });
}

} // namespace

FileDropRouter::FileDropRouter(QWidget& window, std::function<void(const FilePath&)> dropped)
    : QObject(&window), dropped_(std::move(dropped))
{
    window.installEventFilter(this);
    for (QWidget* control : window.findChildren<QWidget*>()) {
        if (control->acceptDrops())
            control->installEventFilter(this);
    }
}

bool FileDropRouter::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return QObject::eventFilter(watched, event);
    auto* drag = static_cast<QDropEvent*>(event);
    const FilePath path = FirstDroppedPath(drag->mimeData());
    if (path.IsEmpty()) {
        if (!CarriesLocalFiles(drag->mimeData()))
            return false;
        // Files behind an item that is no file: only the first item
        // counts, and the others must not reach a box as addresses.
        drag->ignore();
        return true;
    }
    // Only the name is read: the dragged file stays where it is.
    drag->setDropAction(Qt::CopyAction);
    drag->accept();
    if (type == QEvent::Drop)
        dropped_(path);
    return true;
}
