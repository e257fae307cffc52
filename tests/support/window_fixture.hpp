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

// A shown window whose dialogs are answered by a script.
class WindowTest : public testing::Test {
protected:
    void SetUp() override {
        auto fake = std::make_unique<ScriptedDialogs>();
        dialogs = fake.get();
        window = std::make_unique<frmQuivra>(std::move(fake));
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        ASSERT_TRUE(folder.isValid());
    }

    template <typename Control = QWidget>
    Control* control(const char* name) const {
        auto* found = window->findChild<Control*>(QLatin1StringView(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    QLineEdit* entry() const { return control<QLineEdit>("txtComando"); }
    QString verdict() const { return control<QLineEdit>("txtOkOrNot")->text(); }
    QPlainTextEdit* sceneBox() const { return control<QPlainTextEdit>("txtEscenario"); }

    // Types into the entry box as a player does and presses Enter.
    void enter(const QString& phrase) {
        entry()->clear();
        QTest::keyClicks(entry(), phrase);
        QTest::keyClick(entry(), Qt::Key_Return);
    }

    std::vector<QString> visiblePictures() const {
        std::vector<QString> shown;
        for (const quivra::Picture picture : quivra::kAllPictures) {
            if (window->pictureBox(picture)->isVisible()) {
                shown.push_back(window->pictureBox(picture)->objectName());
            }
        }
        return shown;
    }

    // With QUIVRA_SCREENSHOTS set to a folder, keeps a picture of the window to look at.
    void screenshot(const QString& name) const {
        const QString folderName = qEnvironmentVariable("QUIVRA_SCREENSHOTS");
        if (!folderName.isEmpty()) {
            window->grab().save(folderName + u'/' + name + QStringLiteral(".png"));
        }
    }

    std::string path(const QString& name) const { return folder.filePath(name).toStdString(); }

    ScriptedDialogs* dialogs = nullptr;
    std::unique_ptr<frmQuivra> window;
    QTemporaryDir folder;
};
