#include "editor/HelpWindow.h"

#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QRegularExpression>
#include <QScreen>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QStandardItemModel>
#include <QStyle>
#include <QTabWidget>
#include <QTextBrowser>
#include <QToolButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int UrlRole = Qt::UserRole;
// The words a search looks at: the topic's title and its text.
constexpr int WordsRole = Qt::UserRole + 1;

QUrl WithoutEmptyFragment(QUrl url)
{
    if (url.fragment().isEmpty())
        url.setFragment(QString());
    return url;
}

// Back or forward: disabled until the history has somewhere to go.
QToolButton* NavigationButton(const QString& name, const QString& text, const QString& tip,
                              QStyle::StandardPixmap icon)
{
    auto* button = new QToolButton;
    button->setObjectName(name);
    button->setText(text);
    button->setToolTip(tip);
    button->setIcon(button->style()->standardIcon(icon));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setEnabled(false);
    return button;
}

// The frame the window manager puts around a window, as it has put it
// around window.
QMargins FrameMargins(const QWidget& window)
{
    const QRect frame = window.frameGeometry();
    const QRect inner = window.geometry();
    return {inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
            frame.bottom() - inner.bottom()};
}

} // namespace

// Shows the manual's pages. Every page is loaded as rich text with its
// headings' anchors (HelpManual), so that Qt's own history and anchor
// scrolling serve links, back and forward.
class ManualBrowser : public QTextBrowser
{
public:
    ManualBrowser(const HelpManual& manual, QWidget* parent) : QTextBrowser(parent), manual_(manual)
    {
    }

    QVariant loadResource(int type, const QUrl& name) override
    {
        if (type == QTextDocument::HtmlResource) {
            const QString html = manual_.PageHtml(name);
            if (!html.isEmpty())
                return html;
        }
        return QTextBrowser::loadResource(type, name);
    }

protected:
    void doSetSource(const QUrl& name, QTextDocument::ResourceType) override
    {
        QTextBrowser::doSetSource(name, QTextDocument::HtmlResource);
    }

private:
    const HelpManual& manual_;
};

THelpWindow::THelpWindow(QWidget* owner)
    : QWidget(owner, Qt::Window), tabs_(new QTabWidget), contents_(new QTreeWidget),
      search_(new QLineEdit), index_(new QListView), filter_(new QSortFilterProxyModel(this)),
      page_(new ManualBrowser(manual_, this))
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Quarn Editor Help"));
    resize(820, 560);

    QToolButton* back = NavigationButton(QStringLiteral("HelpBack"), QStringLiteral("&Back"),
                                         QStringLiteral("Back (Alt+Left)"), QStyle::SP_ArrowBack);
    QToolButton* forward =
        NavigationButton(QStringLiteral("HelpForward"), QStringLiteral("&Forward"),
                         QStringLiteral("Forward (Alt+Right)"), QStyle::SP_ArrowForward);
    connect(back, &QToolButton::clicked, page_, &QTextBrowser::backward);
    connect(forward, &QToolButton::clicked, page_, &QTextBrowser::forward);
    connect(page_, &QTextBrowser::backwardAvailable, back, &QWidget::setEnabled);
    connect(page_, &QTextBrowser::forwardAvailable, forward, &QWidget::setEnabled);
    connect(new QShortcut(QKeySequence::Back, this), &QShortcut::activated, page_,
            &QTextBrowser::backward);
    connect(new QShortcut(QKeySequence::Forward, this), &QShortcut::activated, page_,
            &QTextBrowser::forward);
    connect(new QShortcut(Qt::Key_Escape, this), &QShortcut::activated, this, &QWidget::close);
    // The search field's key from either tab. On the Index tab its label
    // has the same key, and either of the two may take it.
    auto* searchKey = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_S), this);
    connect(searchKey, &QShortcut::activated, this, &THelpWindow::FocusSearch);
    connect(searchKey, &QShortcut::activatedAmbiguously, this, &THelpWindow::FocusSearch);

    auto* bar = new QHBoxLayout;
    bar->addWidget(back);
    bar->addWidget(forward);
    bar->addStretch();

    page_->setObjectName(QStringLiteral("HelpPage"));
    page_->setAccessibleName(QStringLiteral("Page"));
    connect(page_, &QTextBrowser::sourceChanged, this, &THelpWindow::MarkInContents);

    BuildContents();
    BuildIndex();
    tabs_->setObjectName(QStringLiteral("HelpTabs"));
    tabs_->setAccessibleName(QStringLiteral("Topics"));
    tabs_->setDocumentMode(true);

    auto* splitter = new QSplitter;
    splitter->addWidget(tabs_);
    splitter->addWidget(page_);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({240, 580});

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(splitter, 1);
}

void THelpWindow::BuildContents()
{
    contents_->setObjectName(QStringLiteral("HelpContentsTree"));
    contents_->setAccessibleName(QStringLiteral("Contents"));
    contents_->setHeaderHidden(true);
    // The tree follows the headings: a page's sections under its title.
    QList<QTreeWidgetItem*> parents;
    for (const HelpTopic& topic : manual_.Topics()) {
        while (parents.size() >= topic.level)
            parents.removeLast();
        auto* item = parents.isEmpty() ? new QTreeWidgetItem(contents_)
                                       : new QTreeWidgetItem(parents.last());
        item->setText(0, topic.title);
        item->setData(0, UrlRole, topic.url);
        while (parents.size() < topic.level - 1)
            parents.append(item); // a level skipped in the headings
        parents.append(item);
    }
    // Moving through the tree with the keys shows each topic at once.
    connect(contents_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item)
            page_->setSource(item->data(0, UrlRole).toUrl());
    });
    connect(contents_, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { page_->setSource(item->data(0, UrlRole).toUrl()); });
    tabs_->addTab(contents_, QStringLiteral("&Contents"));
}

void THelpWindow::BuildIndex()
{
    auto* topics = new QStandardItemModel(this);
    for (const HelpTopic& topic : manual_.Topics()) {
        // Sections that share a title tell their pages apart.
        const QString label = topic.level == 1 ? topic.title
                                               : topic.title + QStringLiteral(" (") +
                                                     topic.pageTitle + QLatin1Char(')');
        auto* item = new QStandardItem(label);
        item->setEditable(false);
        item->setToolTip(label);
        item->setData(topic.url, UrlRole);
        item->setData(label + QLatin1Char('\n') + topic.text, WordsRole);
        topics->appendRow(item);
    }
    filter_->setSourceModel(topics);
    filter_->setFilterRole(WordsRole);
    filter_->setSortCaseSensitivity(Qt::CaseInsensitive);
    filter_->setSortLocaleAware(true);
    filter_->sort(0);

    search_->setObjectName(QStringLiteral("HelpSearchField"));
    search_->setPlaceholderText(QStringLiteral("Words to look for"));
    search_->setClearButtonEnabled(true);
    index_->setObjectName(QStringLiteral("HelpIndex"));
    index_->setAccessibleName(QStringLiteral("Index"));
    index_->setModel(filter_);
    index_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(search_, &QLineEdit::textChanged, this, &THelpWindow::FilterIndex);
    connect(search_, &QLineEdit::returnPressed, this, [this] { OpenIndexEntry(0); });
    connect(index_, &QListView::activated, this,
            [this](const QModelIndex& entry) { OpenIndexEntry(entry.row()); });
    connect(index_, &QListView::clicked, this,
            [this](const QModelIndex& entry) { OpenIndexEntry(entry.row()); });

    auto* label = new QLabel(QStringLiteral("&Search for:"));
    label->setBuddy(search_);
    auto* panel = new QWidget;
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(label);
    layout->addWidget(search_);
    layout->addWidget(index_, 1);
    tabs_->addTab(panel, QStringLiteral("&Index"));
}

void THelpWindow::FilterIndex(const QString& words)
{
    // Every word typed, in any order and letter case, in the title or text.
    QString pattern = QStringLiteral("^");
    for (const QString& word : words.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        pattern += QStringLiteral("(?=.*") + QRegularExpression::escape(word) + QLatin1Char(')');
    filter_->setFilterRegularExpression(
        QRegularExpression(pattern, QRegularExpression::CaseInsensitiveOption |
                                        QRegularExpression::DotMatchesEverythingOption |
                                        QRegularExpression::UseUnicodePropertiesOption));
    index_->setCurrentIndex(filter_->index(0, 0));
}

void THelpWindow::OpenIndexEntry(int row)
{
    const QModelIndex entry = filter_->index(row, 0);
    if (entry.isValid())
        page_->setSource(entry.data(UrlRole).toUrl());
}

void THelpWindow::MarkInContents(const QUrl& source)
{
    const QUrl shown = WithoutEmptyFragment(source);
    for (QTreeWidgetItemIterator it(contents_); *it; ++it) {
        if (WithoutEmptyFragment((*it)->data(0, UrlRole).toUrl()) == shown) {
            const QSignalBlocker blocker(contents_);
            contents_->setCurrentItem(*it);
            contents_->scrollToItem(*it);
            return;
        }
    }
}

void THelpWindow::Present()
{
    if (page_->source().isEmpty())
        page_->setSource(manual_.FirstPage());
    if (!isVisible())
        Place();
    show();
    setWindowState(windowState() & ~Qt::WindowMinimized);
    raise();
    activateWindow();
}

void THelpWindow::Place()
{
    const QWidget* owner = parentWidget();
    const QScreen* screen = owner ? owner->screen() : this->screen();
    // A window that was never shown has no frame yet: the owner's tells
    // how much the window manager adds.
    const QRect area = screen->availableGeometry() - (owner ? FrameMargins(*owner) : QMargins());
    if (placed_ && area.contains(geometry()))
        return;
    placed_ = true;
    QRect placed({}, size().boundedTo(area.size()));
    placed.moveCenter(owner ? owner->geometry().center() : area.center());
    placed.moveTopLeft({std::clamp(placed.left(), area.left(), area.right() - placed.width() + 1),
                        std::clamp(placed.top(), area.top(), area.bottom() - placed.height() + 1)});
    setGeometry(placed);
}

void THelpWindow::FocusSearch()
{
    tabs_->setCurrentIndex(1);
    search_->setFocus(Qt::ShortcutFocusReason);
    search_->selectAll();
}

void THelpWindow::ShowContents()
{
    Present();
    tabs_->setCurrentIndex(0);
    contents_->setFocus();
}

void THelpWindow::ShowIndex()
{
    Present();
    FocusSearch();
}

void THelpWindow::ShowTopic(const QUrl& topic)
{
    page_->setSource(topic);
    Present();
    tabs_->setCurrentIndex(0);
    page_->setFocus();
}

QUrl THelpWindow::Source() const
{
    return page_->source();
}
