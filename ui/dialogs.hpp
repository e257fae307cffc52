// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

#pragma once

#include "commands.hpp"

#include <QString>

class QFileDialog;
class QWidget;

namespace quivra::qt {

// Makes Qt speak the game's Spanish of Spain, whatever the desktop's language: the buttons
// of message boxes, the file dialogs with their dates and file types, the context menus of
// text boxes. Call it before any of them can open. False when Qt's Spanish is not installed.
bool speakSpanish();

// The commands' dialogs on Qt: QMessageBox, Qt's own QFileDialog, the system beep and the
// end of the program.
class QtDialogs : public quivra::Dialogs {
public:
    explicit QtDialogs(QWidget* window) : window_(window) {}

    quivra::Answer messageBox(std::string_view text, std::string_view title,
                              quivra::Buttons buttons, quivra::Icon icon) override;
    std::optional<std::string> fileName(quivra::FileDialog kind, std::string_view title,
                                        const quivra::FileFilter& filter) override;
    void beep() override;
    void quit() override;

    // Sets up a dialog as both commands use it; apart so tests can look at it unshown.
    static void configure(QFileDialog& dialog, std::string_view title,
                          const quivra::FileFilter& filter, bool save);

private:
    QWidget* window_;
    QString lastChosen_; // both dialogs offer the file chosen last in either
};

inline QString toQString(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

} // namespace quivra::qt
