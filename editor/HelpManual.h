#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <memory>

class QTextDocument;

// One heading of the manual: where it is, its words, and the text under it
// up to the next heading.
struct HelpTopic
{
    QUrl url; // the page with the heading's anchor as fragment; no fragment for a page's title
    QString title;
    int level; // 1 for a page's title, 2 and more for its sections
    QString pageTitle;
    QString text;
};

// The user manual compiled into the program: Markdown pages under
// ":/manual", in the order of their file names. Qt reads the Markdown;
// this gives every heading an anchor named as the page's links name it
// (lower case, blanks as '-', punctuation left out) and lists the headings
// as topics.
class HelpManual
{
public:
    HelpManual();
    ~HelpManual();

    QUrl FirstPage() const { return pages_.value(0); }

    const QList<HelpTopic>& Topics() const { return topics_; }
    QList<QUrl> Pages() const;
    // The page as rich text with its headings' anchors; empty for a page
    // that is not in the manual.
    QString PageHtml(const QUrl& page) const;
    // The addresses of the links on a page, as written.
    QStringList LinksOf(const QUrl& page) const;
    // Whether a link target names a page of the manual and, when it has a
    // fragment, a heading of that page.
    bool Resolves(const QUrl& target) const;

private:
    void ReadPage(const QString& resource);

    QList<HelpTopic> topics_;
    QList<QUrl> pages_;
    QHash<QString, std::shared_ptr<QTextDocument>> documents_; // by page path
};

// The anchor of a heading: "Argument number" gives "argument-number".
QString HeadingAnchor(const QString& heading);
