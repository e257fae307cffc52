// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

#pragma once

#include "controls.hpp"
#include "frmQuivra.hpp"
#include "scripted_dialogs.hpp"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

using namespace quivra::qt; // NOLINT(google-build-using-namespace): the Qt face under test

// A shown window, past the work its first frame leaves, whose dialogs are answered by a script.
class WindowTest : public testing::Test {
protected:
    void SetUp() override {
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        ASSERT_TRUE(QTest::qWaitFor([&] { return !window->windowIcon().isNull(); }));
    }

    template <typename Control = QWidget>
    Control* control(const char* name) const {
        return window->findChild<Control*>(QLatin1StringView(name));
    }

    QLineEdit* entry() const { return control<QLineEdit>("txtComando"); }
    QPlainTextEdit* sceneBox() const { return control<QPlainTextEdit>("txtEscenario"); }

    // Puts a phrase in the entry box and presses Enter, as a player does.
    void enter(const QString& phrase) {
        entry()->setText(phrase);
        QTest::keyClick(entry(), Qt::Key_Return);
    }

    ScriptedDialogs* dialogs = new ScriptedDialogs; // owned by the window
    std::unique_ptr<frmQuivra> window =
        std::make_unique<frmQuivra>(std::unique_ptr<ScriptedDialogs>(dialogs));
    QTemporaryDir folder;
};
