#include "tool_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <cmath>

namespace quilmo {

namespace {

constexpr int kSize = 24;
const QColor kInk(60, 60, 70);
const QColor kPaper(250, 250, 250);
const QColor kAccent(40, 110, 200);

void Page(QPainter& p, const QRectF& r)
{
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(kPaper);
    p.drawRect(r);
}

void Arrow(QPainter& p, QPointF from, QPointF to)
{
    p.setPen(QPen(kAccent, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(from, to);
    const QPointF d = (to - from) / std::hypot(to.x() - from.x(), to.y() - from.y());
    const QPointF n(-d.y(), d.x());
    p.drawLine(to, to - d * 4 + n * 3);
    p.drawLine(to, to - d * 4 - n * 3);
}

void Floppy(QPainter& p)
{
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(kAccent);
    p.drawRoundedRect(QRectF(3.5, 3.5, 17, 17), 2, 2);
    p.setBrush(kPaper);
    p.drawRect(QRectF(7.5, 3.5, 9, 6));
    p.drawRect(QRectF(6.5, 13.5, 11, 7));
}

void Printer(QPainter& p)
{
    Page(p, QRectF(7.5, 2.5, 9, 7));
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(QColor(170, 170, 180));
    p.drawRoundedRect(QRectF(2.5, 8.5, 19, 9), 2, 2);
    Page(p, QRectF(7.5, 14.5, 9, 7));
}

void Paint(QPainter& p, TToolIcon icon)
{
    switch (icon) {
    case TToolIcon::Open:
        p.setPen(QPen(kInk, 1.2));
        p.setBrush(QColor(240, 200, 90));
        p.drawPolygon(QPolygonF({{2.5, 6.5}, {9.5, 6.5}, {11.5, 8.5}, {21.5, 8.5}, {21.5, 19.5},
                                 {2.5, 19.5}}));
        break;
    case TToolIcon::Batch:
        Page(p, QRectF(8.5, 3.5, 12, 15));
        Page(p, QRectF(3.5, 6.5, 12, 15));
        Arrow(p, {6, 14}, {14, 14});
        break;
    case TToolIcon::Frame:
        p.setPen(Qt::NoPen);
        p.setBrush(kAccent);
        p.drawRect(QRectF(3, 4, 18, 16));
        p.setBrush(kPaper);
        p.drawRect(QRectF(7, 8, 10, 8));
        break;
    case TToolIcon::Buffer:
        for (int i = 0; i < 3; ++i) Page(p, QRectF(2.5 + i * 7, 8.5, 5, 7));
        break;
    case TToolIcon::Save:
        Floppy(p);
        break;
    case TToolIcon::ResizeSave:
        Floppy(p);
        Arrow(p, {13, 11}, {21, 3});
        break;
    case TToolIcon::Effects: {
        QPainterPath star;
        for (int i = 0; i < 10; ++i) {
            const double angle = -M_PI / 2 + i * M_PI / 5;
            const double radius = i % 2 == 0 ? 9.5 : 4;
            const QPointF point(12 + radius * std::cos(angle), 12.5 + radius * std::sin(angle));
            i == 0 ? star.moveTo(point) : star.lineTo(point);
        }
        star.closeSubpath();
        p.setPen(QPen(kInk, 1.2));
        p.setBrush(QColor(250, 190, 40));
        p.drawPath(star);
        break;
    }
    case TToolIcon::Copy:
        Page(p, QRectF(3.5, 3.5, 11, 14));
        Page(p, QRectF(9.5, 7.5, 11, 14));
        break;
    case TToolIcon::Reverse:
        Arrow(p, {4, 8}, {20, 8});
        Arrow(p, {20, 16}, {4, 16});
        break;
    case TToolIcon::Clear:
        Page(p, QRectF(4.5, 3.5, 15, 17));
        p.setPen(QPen(QColor(200, 40, 40), 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(8, 8), QPointF(16, 16));
        p.drawLine(QPointF(16, 8), QPointF(8, 16));
        break;
    case TToolIcon::Print:
        Printer(p);
        break;
    case TToolIcon::PrinterSetup:
        // The printer with a setting knob.
        Printer(p);
        p.setPen(QPen(kInk, 1.2));
        p.setBrush(kAccent);
        p.drawEllipse(QRectF(14.5, 13.5, 8, 8));
        p.setBrush(kPaper);
        p.drawEllipse(QRectF(17, 16, 3, 3));
        break;
    case TToolIcon::Exit:
        p.setPen(QPen(kInk, 1.2));
        p.setBrush(QColor(170, 120, 80));
        p.drawRect(QRectF(3.5, 2.5, 10, 19));
        Arrow(p, {10, 12}, {21, 12});
        break;
    case TToolIcon::Help:
        p.setPen(QPen(kAccent, 1.5));
        p.setBrush(kPaper);
        p.drawEllipse(QRectF(2.5, 2.5, 19, 19));
        p.setPen(kAccent);
        p.setFont(QFont(p.font().family(), 12, QFont::Bold));
        p.drawText(QRectF(2.5, 2.5, 19, 19), Qt::AlignCenter, QStringLiteral("?"));
        break;
    }
}

}  // namespace

QIcon ToolIcon(TToolIcon icon)
{
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    Paint(painter, icon);
    return QIcon(pixmap);
}

QIcon ProgramIcon()
{
    QPixmap pixmap(64, 64);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kInk, 2));
    p.setBrush(QColor(0xf4, 0xf1, 0xea));
    p.drawRoundedRect(QRectF(2, 10, 60, 44), 4, 4);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2e, 0x7d, 0xd1));
    p.drawRect(QRectF(8, 16, 22, 32));
    p.setBrush(QColor(0xf0, 0xc4, 0x19));
    p.drawPolygon(QPolygonF({{8, 40}, {16, 31}, {22, 37}, {26, 33}, {30, 38}, {30, 48}, {8, 48}}));
    p.setBrush(QColor(0xd9, 0x4f, 0x3d));
    p.drawRect(QRectF(34, 16, 22, 32));
    p.setBrush(QColor(0xfb, 0xe7, 0xa1));
    p.drawEllipse(QPointF(45, 27), 6, 6);
    p.setBrush(QColor(0x2f, 0x8f, 0x4e));
    p.drawPolygon(QPolygonF({{34, 48}, {42, 38}, {48, 43}, {56, 36}, {56, 48}}));
    return QIcon(pixmap);
}

QIcon ColourIcon(const QColor& colour)
{
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(QPen(kInk, 1));
    painter.setBrush(colour);
    painter.drawRect(QRectF(3.5, 3.5, 17, 17));
    return QIcon(pixmap);
}

}  // namespace quilmo
