// The window's texts on whatever faces a machine has. CTest runs this once
// with the system's fonts and once seeing DejaVu only, which is wider than
// the face the window was laid out in.

#include "files.h"
#include "form1.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The first and last columns, in window coordinates, where the widget paints
// anything but its background; the text's ink for a label.
QPair<int, int> inkColumns(QWidget *widget)
{
    const QImage image = widget->grab().toImage();
    const QRgb background = image.pixel(0, 0);
    int first = -1, last = -1;
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            if (image.pixel(x, y) != background) {
                first = first < 0 ? x : first;
                last = x;
                break;
            }
        }
    }
    return {widget->x() + first, widget->x() + last};
}

} // namespace

class tst_Fonts : public QObject
{
    Q_OBJECT

private slots:
    void everyTextFitsItsBox();
};

void tst_Fonts::everyTextFitsItsBox()
{
    QTemporaryDir dir;
    Files::setProgramDirectory(dir.path());
    Form1 window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *label2 = window.findChild<QLabel *>(QStringLiteral("Label2"));
    auto *label3 = window.findChild<QLabel *>(QStringLiteral("Label3"));
    auto *text1 = window.findChild<QLineEdit *>(QStringLiteral("Text1"));

    const QString family = QFontInfo(label2->font()).family();
    const bool designedWidth = family == QStringLiteral("Liberation Sans");
    if (qEnvironmentVariableIsSet("FONTCONFIG_FILE"))
        QCOMPARE(family, QStringLiteral("DejaVu Sans"));
    qInfo("face: %s, label at %.2f pt", qPrintable(family), label2->font().pointSizeF());

    // The designed face keeps every size; a wider one shrinks only the label
    // that would not fit, and only as far as it must.
    QCOMPARE(text1->font().pointSizeF(), 18.0);
    QCOMPARE(label3->font().pointSizeF(), 13.5);
    if (designedWidth)
        QCOMPARE(label2->font().pointSizeF(), 13.5);
    else
        QVERIFY(label2->font().pointSizeF() >= 12.5);

    for (QLabel *label : {label2, label3}) {
        const auto [first, last] = inkColumns(label);
        QVERIFY2(first >= label->x() && last < label->geometry().right(), qPrintable(label->objectName()));
    }
    QVERIFY2(inkColumns(label2).second < inkColumns(label3).first, "the labels' texts overlap");
    QVERIFY(text1->fontMetrics().horizontalAdvance(text1->text()) < text1->width() - 8);
}

QTEST_MAIN(tst_Fonts)
#include "tst_fonts.moc"
