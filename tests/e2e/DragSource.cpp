// quarn_drag_source FILE: a small window at the screen's top-left corner
// that starts dragging FILE, as a file URL, when the mouse is pressed on it.
// The end-to-end scenarios drop it on the editor with real X events, so the
// drop travels the whole XDND protocol as it does from a file manager.
#include <QApplication>
#include <QDrag>
#include <QFile>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace {

class DragSource : public QWidget
{
public:
    explicit DragSource(const QUrl& url) : url_(url)
    {
        setWindowTitle(QStringLiteral("Drag source"));
        setFixedSize(80, 80);
        move(0, 0);
    }

protected:
    void mousePressEvent(QMouseEvent*) override
    {
        auto* data = new QMimeData;
        data->setUrls({url_});
        auto* drag = new QDrag(this);
        drag->setMimeData(data);
        drag->exec(Qt::CopyAction);
    }

private:
    QUrl url_;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc != 2)
        return 2;
    DragSource source(QUrl::fromLocalFile(QFile::decodeName(argv[1])));
    source.show();
    return app.exec();
}
