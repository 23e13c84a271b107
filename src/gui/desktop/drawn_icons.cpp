#include "gui/desktop/drawn_icons.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace korvane {

namespace {

// The shapes are drawn on a 16 by 16 grid, scaled to the rectangle asked for.
class DrawnIconEngine : public QIconEngine {
public:
    explicit DrawnIconEngine(DrawnShape shape) : shape_(shape) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override
    {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->translate(rect.topLeft());
        painter->scale(rect.width() / 16.0, rect.height() / 16.0);
        const bool grey = mode == QIcon::Disabled;
        switch (shape_) {
        case DrawnShape::ClosedFolder:
            drawFolder(*painter, false, grey);
            break;
        case DrawnShape::OpenFolder:
            drawFolder(*painter, true, grey);
            break;
        case DrawnShape::Drive:
            drawDrive(*painter, grey);
            break;
        case DrawnShape::Playing:
            drawPlaying(*painter, grey, mode == QIcon::Selected);
            break;
        }
        painter->restore();
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return pixmap;
    }

    // Asked for the device pixels already; drawn at exactly that size.
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal) override
    {
        return pixmap(size, mode, state);
    }

    QIconEngine* clone() const override { return new DrawnIconEngine(shape_); }
    QString key() const override { return QStringLiteral("korvane-drawn"); }

private:
    static QColor Tint(QColor colour, bool grey)
    {
        if (!grey)
            return colour;
        const int v = qGray(colour.rgb());
        return QColor(v, v, v, 160);
    }

    static void drawFolder(QPainter& painter, bool open, bool grey)
    {
        const QColor edge = Tint(QColor(0x9a, 0x74, 0x1c), grey);
        painter.setPen(QPen(edge, 0.8));
        QPainterPath back;
        back.moveTo(1.5, 13.5);
        back.lineTo(1.5, 3.5);
        back.lineTo(6, 3.5);
        back.lineTo(7.5, 5);
        back.lineTo(13.5, 5);
        back.lineTo(13.5, 13.5);
        back.closeSubpath();
        painter.setBrush(Tint(QColor(0xe0, 0xb0, 0x3c), grey));
        painter.drawPath(back);
        QPainterPath front;
        if (open) {
            // The front leans back, showing the inside.
            front.moveTo(1.5, 13.5);
            front.lineTo(4, 7.5);
            front.lineTo(15.5, 7.5);
            front.lineTo(13.5, 13.5);
        } else {
            front.moveTo(1.5, 13.5);
            front.lineTo(1.5, 6.5);
            front.lineTo(13.5, 6.5);
            front.lineTo(13.5, 13.5);
        }
        front.closeSubpath();
        painter.setBrush(Tint(QColor(0xf6, 0xd3, 0x6b), grey));
        painter.drawPath(front);
    }

    static void drawDrive(QPainter& painter, bool grey)
    {
        painter.setPen(QPen(Tint(QColor(0x55, 0x5a, 0x60), grey), 0.8));
        painter.setBrush(Tint(QColor(0xc8, 0xcc, 0xd0), grey));
        painter.drawRoundedRect(QRectF(1.5, 5.5, 13, 6), 1.2, 1.2);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Tint(QColor(0x8a, 0x90, 0x96), grey));
        painter.drawRect(QRectF(3, 9, 6, 1));
        painter.setBrush(Tint(QColor(0x2e, 0xb8, 0x4a), grey));
        painter.drawEllipse(QPointF(12, 9.5), 0.9, 0.9);
    }

    // A play triangle with sound waves: the row whose call is heard.
    static void drawPlaying(QPainter& painter, bool grey, bool selected)
    {
        // On a selected row's highlight, white stands out where green would not.
        const QColor green = selected ? QColor(Qt::white) : Tint(QColor(0x1e, 0x8c, 0x3a), grey);
        painter.setPen(QPen(green.darker(130), 0.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(green);
        QPainterPath triangle;
        triangle.moveTo(1.5, 3);
        triangle.lineTo(9, 8);
        triangle.lineTo(1.5, 13);
        triangle.closeSubpath();
        painter.drawPath(triangle);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(green, 1.3, Qt::SolidLine, Qt::RoundCap));
        painter.drawArc(QRectF(7.5, 5, 5, 6), -50 * 16, 100 * 16);
        painter.drawArc(QRectF(7.5, 2.5, 8, 11), -50 * 16, 100 * 16);
    }

    DrawnShape shape_;
};

} // namespace

QIcon DrawnIcon(DrawnShape shape)
{
    return QIcon(new DrawnIconEngine(shape));
}

} // namespace korvane
