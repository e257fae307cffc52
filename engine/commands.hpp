// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

#pragma once

#include "files.hpp"
#include "game_state.hpp"
#include "progress_file.hpp"
#include "view.hpp"
#include "window_design.hpp"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quivra {

// The window around a turn's view: what the commands do to it besides playing turns.
class Window : public View {
public:
    virtual void clearEntryText() = 0;                     // txtComando
    virtual void resetSceneFont() = 0;                     // txtEscenario: kResetSceneFont
    virtual void setCaption(std::string_view caption) = 0; // the window's title
    // What a screen reader says of the command just run, once, in these words: the face
    // hands it to its platform and decides nothing of it.
    virtual void announce(std::string_view text) = 0;
};

// YesNo boxes take Esc for No; in a YesNoOnly box Esc does nothing.
enum class Buttons { Ok, YesNo, YesNoOnly };
enum class Icon { None, Exclamation, Stop, Information };
enum class Answer { Ok, Yes, No };
enum class FileDialog { Open, Save };

// A file dialog offers one filter: a description shown as it is and a pattern.
struct FileFilter {
    std::string_view description;
    std::string_view pattern;
};

// Everything modal or final the commands ask of the platform. Each call returns once the
// player has answered; a face whose dialogs answer later suspends the command meanwhile.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // Yes is the default button of every Yes/No box.
    virtual Answer messageBox(std::string_view text, std::string_view title, Buttons buttons,
                              Icon icon) = 0;
    // The chosen full path in UTF-8, or nullopt when the player cancels.
    virtual std::optional<std::string> fileName(FileDialog dialog, std::string_view title,
                                                const FileFilter& filter) = 0;
    virtual void beep() = 0;
    // Closes the window and ends the program.
    virtual void quit() = 0;
};

// "Quivra", or the end of the current progress file's path before " - Quivra".
std::string captionFor(std::string_view path);

// The game as every face plays it: the window's eight handlers with the game state and the
// current progress file. A face turns its events into these calls and nothing more.
class Commands {
public:
    Commands(Window& window, Dialogs& dialogs, Files& files);

    void Form_Load();
    void txtComando_KeyPress(std::int16_t& KeyAscii);
    void cmdIr_Click();
    void cmdNuevoJuego_Click();
    void cmdAbrirP_Click();
    void cmdSave_Click();
    void cmdSaveAs_Click();
    void cmdSalir_Click();
    // The handler of the button the design gives `command`.
    void click(Command command);

    const GameState& game() const { return game_; }
    const std::string& currentFile() const { return strArchivo_; }
    // The scene box's text exactly as written, shown or hidden.
    const std::string& sceneText() const { return screen_.text; }
    // Where the player is, as a progress file keeps it: a face that outlives its game (a
    // reloaded page) keeps this and gives it back to resume(). Resuming restores the scene as
    // Open does, with no current file; a position that cannot be read changes nothing.
    std::string position() const;
    bool resume(std::string_view kept);

private:
    // The scene area as the commands left it, and what the command under way changed there;
    // everything is passed on to the window as it happens.
    class Screen : public View {
    public:
        explicit Screen(Window& window) : window_(window) {}

        std::string_view readEntryText() override { return window_.readEntryText(); }
        void writeSceneText(std::string_view written) override;
        void showSceneText(bool visible) override;
        void writeVerdict(std::string_view verdict) override;
        void showPicture(Picture shown, bool visible) override;

        std::string text{kInitialSceneText};
        bool textShown = true;
        std::optional<Picture> picture;
        struct Changes {
            std::string verdict;
            bool text = false;
            bool picture = false;
        } changes;

    private:
        Window& window_;
    };

    void reset();
    bool open(const std::string& path);
    void restore(Progress progress);
    bool overwriteAllowed(const std::string& path);
    bool saveTo(const std::string& path);
    void inform(std::string_view text);
    void announceChanges();

    Window& window_;
    Dialogs& dialogs_;
    Files& files_;
    Screen screen_;
    GameState game_;
    std::string strArchivo_;
    bool blnExiste_ = false;
    // The current file held, byte for byte, what Save would write for its two fields.
    bool currentIsSave_ = false;
};

} // namespace quivra
