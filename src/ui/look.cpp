#include "ui/look.h"

#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QWidget>

namespace orvel::ui {

QFont gothic(FontSize size, bool bold)
{
    static constexpr double kPoints[] = {7.5, 9.0, 9.75, 10.5, 12.0};
    QFont font(QString::fromLatin1(kGothicFace));
    font.setPointSizeF(kPoints[static_cast<int>(size)]);
    font.setBold(bold);
    return font;
}

QIcon panelIcon()
{
    // A projector body in silver with a lens and a beam, drawn rather than shipped.
    QImage image(32, 32, QImage::Format_RGB888);
    image.fill(fromBgr(kSilver));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(QColor(0x40, 0x40, 0x48));
    painter.drawRoundedRect(QRectF(2.5, 12.5, 20, 12), 2, 2);
    painter.setBrush(fromBgr(kLightCyan));
    painter.drawEllipse(QRectF(14.5, 14.5, 7, 7));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xFF, 0xFF, 0x80));
    painter.drawPolygon(QPolygonF({QPointF(22, 16), QPointF(31, 9), QPointF(31, 28), QPointF(22, 20)}));
    painter.end();
    return QIcon(QPixmap::fromImage(image));
}

void setBackground(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    palette.setColor(QPalette::Button, colour);
    palette.setColor(QPalette::Base, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void setForeground(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::ButtonText, colour);
    palette.setColor(QPalette::Text, colour);
    widget->setPalette(palette);
}

} // namespace orvel::ui
