// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

#pragma once

#include "commands.hpp"

#include <string>
#include <windows.h>

namespace quivra::win {

// The commands' questions asked with the system's own message boxes and file dialogs.
class Win32Dialogs : public quivra::Dialogs {
public:
    explicit Win32Dialogs(HWND owner) : owner_(owner) {}

    quivra::Answer messageBox(std::string_view text, std::string_view title,
                              quivra::Buttons buttons, quivra::Icon icon) override;
    std::optional<std::string> fileName(quivra::FileDialog dialog, std::string_view title,
                                        const quivra::FileFilter& filter) override;
    void beep() override;
    void quit() override;

private:
    HWND owner_;
    // Both dialogs offer the name chosen last in either, as the game's one dialog did.
    std::wstring lastChosen_;
};

} // namespace quivra::win
