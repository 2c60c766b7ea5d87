// Draws the program's icon: the face of a brown animal with large white eyes
// and a smiling light-brown muzzle on a light-blue square. One drawing, in a
// 72 by 72 design grid, gives every size of the icon and its scalable form.
// Usage: dovevad-drawicon SIZE OUTPUT.png   (24-bit colour, no transparency)
//        dovevad-drawicon svg OUTPUT.svg

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QSvgGenerator>

#include <cstdio>

namespace {

constexpr int Design = 72;

void drawIcon(QPainter &painter)
{
    const QColor sky(0x00A2E8), brown(0x804000), lightBrown(0xB97A57);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(QRectF(0, 0, Design, Design), sky);
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
}

bool drawPng(int size, const QString &output)
{
    QImage image(size, size, QImage::Format_RGB888);
    QPainter painter(&image);
    painter.scale(qreal(size) / Design, qreal(size) / Design);
    drawIcon(painter);
    painter.end();
    return image.save(output, "PNG");
}

bool drawSvg(const QString &output)
{
    QSvgGenerator svg;
    svg.setFileName(output);
    svg.setSize(QSize(Design, Design));
    svg.setViewBox(QRect(0, 0, Design, Design));
    svg.setTitle(QStringLiteral("Dovevad"));
    QPainter painter(&svg);
    drawIcon(painter);
    return painter.end();
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "Usage: %s SIZE|svg OUTPUT\n", argv[0]);
        return 2;
    }
    const QString output = QString::fromLocal8Bit(argv[2]);
    if (qstrcmp(argv[1], "svg") == 0)
        return drawSvg(output) ? 0 : 1;
    const int size = QByteArray(argv[1]).toInt();
    return size > 0 && drawPng(size, output) ? 0 : 1;
}
