#pragma once

#include "editor/PreviewPane.h"

#include <QObject>
#include <functional>

class Dialogs;
class Platform;
class QAction;
class QSplitter;

// The View menu's preview: the launcher's panel beside the pages, shown as
// the user last left it (the settings remember it), and Run in preview,
// which runs the document as it stands without a save.
class PreviewCommands : public QObject
{
    Q_OBJECT

public:
    // The pane goes beside pages, in pages' place in its layout.
    PreviewCommands(Platform& platform, Dialogs& dialogs, QWidget& pages,
                    std::function<PreviewSource()> source, QAction& toggle, QAction& run,
                    QObject* parent);

    PreviewPane& Pane() const { return *pane_; }
    // The document or the fields changed.
    void Outdated() { pane_->Outdated(); }

private:
    void Toggle(bool shown);
    void Widen(int by);
    void Run();

    Platform& platform_;
    QAction& toggle_;
    QSplitter* splitter_;
    PreviewPane* pane_;
};
