#include "form1.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Dovevad"));
    QApplication::setApplicationVersion(QStringLiteral(DOVEVAD_VERSION_TEXT));
    // Ties the window to the installed desktop entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(DOVEVAD_APP_ID));

    Form1 window;
    window.show();
    return app.exec();
}
