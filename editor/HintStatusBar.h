#pragma once

#include <QStatusBar>

// The main window's status bar. A hint too long for the room it has ends in
// "…" clear of the permanent widgets at the right (the hazard summary),
// rather than being cut off mid-letter right against them.
class HintStatusBar : public QStatusBar
{
    Q_OBJECT

public:
    using QStatusBar::QStatusBar;

    // Where the hint is drawn: from the left edge to the first widget shown
    // beside it, or to the size grip.
    QRect HintRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The widgets shown in the bar besides the hint: while a hint shows,
    // only the permanent ones.
    QList<QWidget*> ShownItems() const;
};
