#include "frmQuivra.hpp"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quivra"));
    QApplication::setApplicationVersion(QStringLiteral(QUIVRA_VERSION));
    // Lets the desktop match the window to the installed .desktop file and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(QUIVRA_APP_ID));

    frmQuivra window;
    window.show();
    return QApplication::exec();
}
