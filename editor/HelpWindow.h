#pragma once

#include "editor/HelpManual.h"

#include <QUrl>
#include <QWidget>

class ManualBrowser;
class QLineEdit;
class QListView;
class QSortFilterProxyModel;
class QTabWidget;
class QTreeWidget;

// The help window: the manual's contents as a tree, or its index of topics
// with a search field, beside the page shown, with back and forward. The
// main window creates it when help is first asked for and keeps it for the
// rest of the run; asking again raises it.
class THelpWindow : public QWidget
{
    Q_OBJECT

public:
    explicit THelpWindow(QWidget* owner);

    // The contents beside the page shown so far, or beside the first page.
    void ShowContents();
    // The index of topics, with the search field ready for typing.
    void ShowIndex();
    // A page of the manual, at the heading the fragment names.
    void ShowTopic(const QUrl& topic);

    QUrl Source() const;

private:
    void Present();
    // Whole on the screen the owner is on: over the owner when first shown,
    // and again when the window would reach past that screen.
    void Place();
    void FocusSearch();
    void BuildContents();
    void BuildIndex();
    void FilterIndex(const QString& words);
    void OpenIndexEntry(int row);
    void MarkInContents(const QUrl& source);

    HelpManual manual_;
    QTabWidget* tabs_;
    QTreeWidget* contents_;
    QLineEdit* search_;
    QListView* index_;
    QSortFilterProxyModel* filter_;
    ManualBrowser* page_;
    bool placed_ = false;
};
