// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

#include "dialogs.hpp"
#include "frmQuivra.hpp"

#include "quivra/version.hpp"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quivra"));
    QApplication::setApplicationVersion(QStringLiteral(QUIVRA_VERSION));
    // Lets the desktop match the window to the installed .desktop file and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(QUIVRA_APP_ID));
    // Before the window exists, so no dialog or menu of it can ever open in English.
    if (!quivra::qt::speakSpanish()) {
        qWarning("Qt's Spanish (qtbase_es.qm) is missing: install qt6-translations-l10n");
    }

    quivra::qt::frmQuivra window;
    window.show();
    return QApplication::exec();
}
