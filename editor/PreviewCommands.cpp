#include "editor/PreviewCommands.h"

#include "launcher/LauncherPanel.h"
#include "system/Platform.h"

#include <QAction>
#include <QLayout>
#include <QScreen>
#include <QSplitter>
#include <algorithm>

namespace {

const QString Group = QStringLiteral("View");
const QString ShownKey = QStringLiteral("Preview");

} // namespace

PreviewCommands::PreviewCommands(Platform& platform, Dialogs& dialogs, QWidget& pages,
                                 std::function<PreviewSource()> source, QAction& toggle,
                                 QAction& run, QObject* parent)
    : QObject(parent), platform_(platform), toggle_(toggle), splitter_(new QSplitter),
      pane_(new PreviewPane(platform, dialogs, std::move(source)))
{
    QWidget* host = pages.parentWidget();
    delete host->layout()->replaceWidget(&pages, splitter_);
    splitter_->setParent(host);
    splitter_->setObjectName(QStringLiteral("PreviewSplitter"));
    splitter_->setChildrenCollapsible(false);
    splitter_->addWidget(&pages);
    splitter_->addWidget(pane_);
    splitter_->setStretchFactor(0, 0);
    splitter_->setStretchFactor(1, 1);

    const bool shown = platform_.ReadSetting(Group, ShownKey) == QLatin1String("1");
    pane_->setVisible(shown);
    toggle_.setChecked(shown);
    if (shown)
        Widen(pane_->sizeHint().width() + splitter_->handleWidth());
    connect(&toggle_, &QAction::toggled, this, &PreviewCommands::Toggle);
    connect(&run, &QAction::triggered, this, &PreviewCommands::Run);
}

void PreviewCommands::Toggle(bool shown)
{
    if (pane_->isVisible() == shown)
        return;
    const int room =
        (shown ? pane_->sizeHint().width() : pane_->width()) + splitter_->handleWidth();
    pane_->setVisible(shown);
    Widen(shown ? room : -room);
    platform_.WriteSetting(Group, ShownKey, shown ? QStringLiteral("1") : QStringLiteral("0"));
}

void PreviewCommands::Widen(int by)
{
    // The window grows by the pane, so the pages keep their room, and stays
    // on its screen.
    QWidget* window = splitter_->window();
    if (window->isMaximized() || window->isFullScreen())
        return;
    window->resize(window->width() + by, window->height());
    const QScreen* screen = window->screen();
    if (!screen || !window->isVisible())
        return;
    const QRect room = screen->availableGeometry();
    const int overhang = window->frameGeometry().right() - room.right();
    if (overhang > 0)
        window->move(std::max(room.left(), window->x() - overhang), window->y());
}

void PreviewCommands::Run()
{
    toggle_.setChecked(true);
    pane_->Refresh();
    pane_->Panel().RunExecute();
}
