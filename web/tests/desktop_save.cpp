// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

// What the desktop writes for a walk: plays the phrases through the shared commands and
// saves to OUT with the disk writer the desktop uses. The page's test compares with it.
//   desktop_save OUT [PHRASE...]
#include "recording_window.hpp"
#include "scripted_dialogs.hpp"

int main(int argc, char** argv) {
    RecordingWindow window;
    ScriptedDialogs dialogs;
    quivra::DiskFiles files;
    quivra::Commands commands{window, dialogs, files};
    commands.Form_Load();
    for (int i = 2; i < argc; ++i) {
        window.entry = argv[i];
        commands.cmdIr_Click();
    }
    dialogs.files.emplace_back(argc > 1 ? argv[1] : "");
    commands.cmdSaveAs_Click();
    return argc > 1 && commands.currentFile() == argv[1] ? 0 : 1;
}
