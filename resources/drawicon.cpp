// Draws the window icon: the face of a brown animal with large white eyes
// and a smiling light-brown muzzle on a light-blue square, 72 by 72 pixels,
// 24-bit colour with no transparency. Usage: dovevad-drawicon OUTPUT.png

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2)
        return 2;

    const QColor sky(0x00A2E8), brown(0x804000), lightBrown(0xB97A57);
    QImage image(72, 72, QImage::Format_RGB888);
    image.fill(sky);

    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1.5));

    painter.setBrush(brown); // ears, then the head over them
    painter.drawEllipse(QRectF(8, 6, 20, 20));
    painter.drawEllipse(QRectF(44, 6, 20, 20));
    painter.setBrush(lightBrown);
    painter.drawEllipse(QRectF(13, 11, 10, 10));
    painter.drawEllipse(QRectF(49, 11, 10, 10));
    painter.setBrush(brown);
    painter.drawEllipse(QRectF(9, 12, 54, 56));

    painter.setBrush(Qt::white); // large eyes looking up a little
    painter.drawEllipse(QRectF(17, 20, 17, 20));
    painter.drawEllipse(QRectF(38, 20, 17, 20));
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawEllipse(QRectF(23, 25, 8, 10));
    painter.drawEllipse(QRectF(41, 25, 8, 10));
    painter.setBrush(Qt::white);
    painter.drawEllipse(QRectF(27, 26, 3, 3));
    painter.drawEllipse(QRectF(45, 26, 3, 3));

    painter.setPen(QPen(Qt::black, 1.5)); // the muzzle with nose and smile
    painter.setBrush(lightBrown);
    painter.drawEllipse(QRectF(21, 41, 30, 23));
    painter.setBrush(Qt::black);
    painter.drawEllipse(QRectF(31, 44, 10, 7));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::RoundCap));
    QPainterPath smile(QPointF(27, 54));
    smile.quadTo(QPointF(36, 62), QPointF(45, 54));
    painter.drawPath(smile);
    painter.drawLine(QPointF(36, 51), QPointF(36, 57));
    painter.end();

    return image.save(QString::fromLocal8Bit(argv[1]), "PNG") ? 0 : 1;
}
