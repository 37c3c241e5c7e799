#include "editor/HelpManual.h"

#include <QDir>
#include <QFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {

const QString ManualFolder = QStringLiteral(":/manual");

QString PagePath(const QUrl& url)
{
    // "qrc:/manual/a.md" and ":/manual/a.md" name the same page.
    return QLatin1Char(':') + url.path();
}

QUrl PageUrl(const QString& resource)
{
    return QUrl(QStringLiteral("qrc") + resource);
}

// Marks the heading's text as the anchor, as a named anchor in a web page would.
void NameHeading(const QTextBlock& heading, const QString& anchor)
{
    QTextCursor cursor(heading);
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    QTextCharFormat format;
    format.setAnchor(true);
    format.setAnchorNames({anchor});
    cursor.mergeCharFormat(format);
}

} // namespace

QString HeadingAnchor(const QString& heading)
{
    QString anchor;
    for (const QChar c : heading.trimmed().toLower()) {
        if (c.isLetterOrNumber() || c == QLatin1Char('-') || c == QLatin1Char('_'))
            anchor.append(c);
        else if (c.isSpace())
            anchor.append(QLatin1Char('-'));
    }
    return anchor;
}

HelpManual::HelpManual()
{
    const QStringList files =
        QDir(ManualFolder).entryList({QStringLiteral("*.md")}, QDir::Files, QDir::Name);
    for (const QString& file : files)
        ReadPage(ManualFolder + QLatin1Char('/') + file);
}

HelpManual::~HelpManual() = default;

void HelpManual::ReadPage(const QString& resource)
{
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly))
        return;
    auto document = std::make_shared<QTextDocument>();
    document->setMarkdown(QString::fromUtf8(file.readAll()));
    const QUrl page = PageUrl(resource);
    pages_.append(page);

    QString pageTitle;
    QStringList used;
    qsizetype topic = -1;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        const int level = block.blockFormat().headingLevel();
        if (level == 0) {
            if (topic >= 0)
                topics_[topic].text += block.text() + QLatin1Char('\n');
            continue;
        }
        // A second heading of the same words gets a number, as on the web.
        const QString base = HeadingAnchor(block.text());
        QString anchor = base;
        for (int n = 1; used.contains(anchor); ++n)
            anchor = base + QLatin1Char('-') + QString::number(n);
        used.append(anchor);
        NameHeading(block, anchor);
        if (pageTitle.isEmpty())
            pageTitle = block.text();
        QUrl url = page;
        if (level > 1)
            url.setFragment(anchor);
        topics_.append({url, block.text(), level, pageTitle, QString()});
        topic = topics_.size() - 1;
    }
    documents_.insert(PagePath(page), std::move(document));
}

QList<QUrl> HelpManual::Pages() const
{
    return pages_;
}

QString HelpManual::PageHtml(const QUrl& page) const
{
    const auto found = documents_.constFind(PagePath(page));
    return found == documents_.constEnd() ? QString() : (*found)->toHtml();
}

QStringList HelpManual::LinksOf(const QUrl& page) const
{
    QStringList links;
    const auto found = documents_.constFind(PagePath(page));
    if (found == documents_.constEnd())
        return links;
    for (QTextBlock block = (*found)->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QString href = it.fragment().charFormat().anchorHref();
            if (!href.isEmpty() && (links.isEmpty() || links.last() != href))
                links.append(href);
        }
    }
    return links;
}

bool HelpManual::Resolves(const QUrl& target) const
{
    const auto found = documents_.constFind(PagePath(target));
    if (found == documents_.constEnd())
        return false;
    if (!target.hasFragment())
        return true;
    for (QTextBlock block = (*found)->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().anchorNames().contains(target.fragment()))
                return true;
        }
    }
    return false;
}
