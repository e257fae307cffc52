// What the desktop writes for a walk: plays the phrases through the shared commands and
// saves to OUT with the disk writer the desktop uses. The page's test compares with it.
//   desktop_save OUT [PHRASE...]
#include "recording_window.hpp"
#include "scripted_dialogs.hpp"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs("usage: desktop_save OUT [PHRASE...]\n", stderr);
        return 2;
    }
    RecordingWindow window;
    ScriptedDialogs dialogs;
    quivra::DiskFiles files;
    quivra::Commands commands{window, dialogs, files};
    commands.Form_Load();
    for (int i = 2; i < argc; ++i) {
        window.entry = argv[i];
        commands.cmdIr_Click();
    }
    dialogs.files.emplace_back(argv[1]);
    commands.cmdSaveAs_Click();
    return commands.currentFile() == argv[1] ? 0 : 1;
}
