// Files dropped on the window, wherever they land: on the window itself or
// on one of its text boxes, which would otherwise take a file as the text
// of its address.
#include "editor/MainForm.h"

#include "system/FileNameCodec.h"
#include "system/PathNames.h"
#include "system/Platform.h"
#include "ui_MainForm.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include <algorithm>
#include <functional>

namespace {

QString FirstDroppedPath(const QMimeData* data)
{
    if (!data || !data->hasUrls())
        return QString();
    const QList<QUrl> urls = data->urls();
    // The name's bytes as the address carries them.
    return urls.isEmpty() ? QString() : LocalFilePathOf(urls.constFirst());
}

bool CarriesLocalFiles(const QMimeData* data)
{
    if (!data || !data->hasUrls())
        return false;
    const QList<QUrl> urls = data->urls();
    return std::any_of(urls.cbegin(), urls.cend(),
                       [](const QUrl& url) { return url.isLocalFile(); });
}

// Watches the window and every control that accepts drops. A drag of files
// is the window's, whichever control is under the pointer; any other drag
// (text, web addresses) is left to the control, which takes it as text.
class FileDropRouter : public QObject
{
public:
    FileDropRouter(QObject* parent, std::function<void(const QString&)> dropped)
        : QObject(parent), dropped_(std::move(dropped))
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const QEvent::Type type = event->type();
        if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
            return QObject::eventFilter(watched, event);
        auto* drag = static_cast<QDropEvent*>(event);
        const QString path = FirstDroppedPath(drag->mimeData());
        if (path.isEmpty()) {
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

private:
    std::function<void(const QString&)> dropped_;
};

} // namespace

void TMainForm::RouteFileDrops()
{
    auto* router = new FileDropRouter(this, [this](const QString& path) {
        // Handled once the drop is over: a save prompt must not keep the
        // application the files came from waiting for the drop's end.
        QMetaObject::invokeMethod(
            this, [this, path] { WMDropFiles(path); }, Qt::QueuedConnection);
    });
    installEventFilter(router);
    for (QWidget* control : findChildren<QWidget*>()) {
        if (control->acceptDrops())
            control->installEventFilter(router);
    }
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
