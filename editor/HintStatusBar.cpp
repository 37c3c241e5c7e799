#include "editor/HintStatusBar.h"

#include <QPainter>
#include <QSizeGrip>
#include <QStyle>
#include <QStyleOption>
#include <algorithm>

namespace {

// Space kept free between the hint and the widget beside it.
constexpr int Gap = 8;

} // namespace

QList<QWidget*> HintStatusBar::ShownItems() const
{
    QList<QWidget*> items;
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isVisible() && !qobject_cast<QSizeGrip*>(child))
            items.append(child);
    }
    return items;
}

QRect HintStatusBar::HintRect() const
{
    const bool rightToLeft = layoutDirection() == Qt::RightToLeft;
    int left = 6;
    int right = width() - 12;
    if (const auto* grip = findChild<QSizeGrip*>(QString(), Qt::FindDirectChildrenOnly);
        grip && grip->isVisible()) {
        if (rightToLeft)
            left = grip->geometry().right() + 1;
        else
            right = grip->x();
    }
    for (const QWidget* item : ShownItems()) {
        if (rightToLeft)
            left = std::max(left, item->geometry().right() + 1 + Gap);
        else
            right = std::min(right, item->x() - Gap);
    }
    return QRect(left, 0, std::max(right - left, 0), height());
}

void HintStatusBar::paintEvent(QPaintEvent* /*event*/)
{
    // As the base class paints, with the hint elided to its room.
    QPainter painter(this);
    QStyleOption panel;
    panel.initFrom(this);
    style()->drawPrimitive(QStyle::PE_PanelStatusBar, &panel, &painter, this);
    for (QWidget* item : ShownItems()) {
        QStyleOption frame;
        frame.rect = item->geometry().adjusted(-2, -1, 2, 1);
        frame.palette = palette();
        frame.state = QStyle::State_None;
        style()->drawPrimitive(QStyle::PE_FrameStatusBarItem, &frame, &painter, item);
    }
    const QString hint = currentMessage().replace(QLatin1Char('\n'), QLatin1Char(' '));
    if (hint.isEmpty())
        return;
    const QRect room = HintRect();
    painter.setPen(palette().windowText().color());
    painter.drawText(room, Qt::AlignLeading | Qt::AlignVCenter | Qt::TextSingleLine,
                     fontMetrics().elidedText(hint, Qt::ElideRight, room.width()));
}
