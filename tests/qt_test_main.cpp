// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

#include "dialogs.hpp"

#include <QApplication>
#include <gtest/gtest.h>

// Window tests run headless unless told otherwise, also when ctest lists them at build time.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    // Qt speaks Spanish in the tests as it does in the game.
    quivra::qt::speakSpanish();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
