#include "system/SearchAnimation.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace {

constexpr int FrameCount = 24;
constexpr int FrameInterval = 60; // milliseconds: one circle in about 1.4 s

void PaintFolder(QPainter& painter, const QRectF& body)
{
    const QColor edge(150, 110, 20);
    QPainterPath tab;
    tab.addRoundedRect(QRectF(body.left(), body.top() - 5, body.width() * 0.4, 8), 2, 2);
    painter.setPen(QPen(edge, 1));
    painter.setBrush(QColor(230, 180, 60));
    painter.drawPath(tab);
    painter.setBrush(QColor(250, 205, 90));
    painter.drawRoundedRect(body, 2, 2);
}

void PaintMagnifier(QPainter& painter, const QPointF& centre)
{
    constexpr qreal radius = 8;
    const QPointF handleStart = centre + QPointF(radius * 0.7, radius * 0.7);
    painter.setPen(QPen(QColor(60, 60, 60), 4, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(handleStart, handleStart + QPointF(8, 8));
    painter.setPen(QPen(QColor(40, 40, 40), 2));
    painter.setBrush(QColor(200, 230, 255, 170));
    painter.drawEllipse(centre, radius, radius);
}

} // namespace

SearchAnimation::SearchAnimation(QWidget* parent) : QWidget(parent)
{
    frameTimer.setInterval(FrameInterval);
    connect(&frameTimer, &QTimer::timeout, this, &SearchAnimation::NextFrame);
}

void SearchAnimation::Start()
{
    frame = 0;
    frameTimer.start();
    update();
}

void SearchAnimation::Stop()
{
    frameTimer.stop();
}

void SearchAnimation::NextFrame()
{
    frame = (frame + 1) % FrameCount;
    update();
}

void SearchAnimation::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF body(8, 14, 46, 30);
    PaintFolder(painter, body);
    const qreal angle = qDegreesToRadians(360.0 * frame / FrameCount);
    const QPointF centre = body.center() + QPointF(14 * std::cos(angle), 8 * std::sin(angle));
    PaintMagnifier(painter, centre);
}
