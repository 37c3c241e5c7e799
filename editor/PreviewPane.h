#pragma once

#include "document/Def.h"

#include <QTimer>
#include <QWidget>
#include <functional>
#include <string>

class Dialogs;
class LauncherPanel;
class Platform;

// The document as the window shows it, fields included, and its file
// (empty for a new document).
struct PreviewSource
{
    CDef def;
    std::string path;
};

// The launcher's panel beside the editor's pages: the document as the
// launcher will show it, its command line, and runs of it without a save.
// The values tried in it belong to the preview alone: trying them never
// changes the document.
class PreviewPane : public QWidget
{
    Q_OBJECT

public:
    PreviewPane(Platform& platform, Dialogs& dialogs, std::function<PreviewSource()> source,
                QWidget* parent = nullptr);

    // The document or its fields changed: the pane follows when the event
    // loop is back, once however many changes came before, and only while
    // it is shown.
    void Outdated();
    // Shows the document as it stands now.
    void Refresh();

    LauncherPanel& Panel() const { return *panel_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Shows def. A value tried in an option that is still there (by
    // position, name and type) stays; the others are the definition's.
    void ShowDocument(const CDef& def, const std::string& definitionPath);

    LauncherPanel* panel_;
    std::function<PreviewSource()> source_;
    QTimer refresh_;
};
