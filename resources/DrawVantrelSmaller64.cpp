#include "resources/DrawVantrelSmaller64.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

void DrawVantrelSmaller64(QPainter &p, double size)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);

    // Tile: a rounded square with a top-to-bottom teal gradient and a thin darker rim.
    QLinearGradient tile(0, 2, 0, 62);
    tile.setColorAt(0.0, QColor(0x2f, 0xa8, 0xb8));
    tile.setColorAt(1.0, QColor(0x16, 0x5f, 0x8a));
    p.setPen(QPen(QColor(0x0f, 0x45, 0x66), 1.5));
    p.setBrush(tile);
    p.drawRoundedRect(QRectF(2.5, 2.5, 59, 59), 13, 13);

    // Magnifier handle, drawn first so the lens rim covers its end.
    p.setPen(QPen(QColor(0x0b, 0x33, 0x4d), 8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(40, 40), QPointF(52, 52));
    p.setPen(QPen(QColor(0xf4, 0xc4, 0x30), 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(41, 41), QPointF(51, 51));

    // Lens: white rim, pale glass.
    const QPointF centre(27, 27);
    p.setPen(QPen(Qt::white, 4.5));
    p.setBrush(QColor(0xe8, 0xf6, 0xf8));
    p.drawEllipse(centre, 16, 16);

    // The "V" inside the lens.
    QPainterPath v;
    v.moveTo(18.5, 18.5);
    v.lineTo(27, 37);
    v.lineTo(35.5, 18.5);
    p.setPen(QPen(QColor(0x16, 0x5f, 0x8a), 4.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(v);

    // A small highlight on the glass.
    p.setPen(QPen(QColor(255, 255, 255, 200), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(14, 14, 26, 26), 200 * 16, 40 * 16);
    p.restore();
}

QImage RenderVantrelSmaller64(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    DrawVantrelSmaller64(p, size);
    p.end();
    return image;
}
