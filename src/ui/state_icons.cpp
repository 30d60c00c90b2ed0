#include "ui/state_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

QPixmap Draw(FileState state)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(128, 128, 128), 1));
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(1.5, 1.5, 13, 13));
    if (state == FileState::Keep) {
        QPainterPath tick;
        tick.moveTo(3.5, 8.5);
        tick.lineTo(6.5, 11.5);
        tick.lineTo(12.5, 4.0);
        painter.setPen(QPen(QColor(0, 0, 255), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(tick);
    } else if (state == FileState::Remove) {
        painter.setPen(QPen(QColor(255, 0, 0), 2.2, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(4.5, 4.5), QPointF(11.5, 11.5));
        painter.drawLine(QPointF(11.5, 4.5), QPointF(4.5, 11.5));
    }
    return pixmap;
}

}  // namespace

QIcon FileStateIcon(FileState state)
{
    return QIcon(Draw(state));
}
