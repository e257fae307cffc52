#include "frmQuivra.hpp"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quivra"));
    QApplication::setApplicationVersion(QStringLiteral(QUIVRA_VERSION));

    frmQuivra window;
    window.show();
    return QApplication::exec();
}
