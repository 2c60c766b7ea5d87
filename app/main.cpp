#include "form1.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Dovevad"));
    QApplication::setApplicationVersion(QStringLiteral("1.01"));

    Form1 window;
    window.show();
    return app.exec();
}
