#pragma once

#include "disk_files.hpp"
#include "game_state.hpp"
#include "view.hpp"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quivra {

// The window around a turn's view: what the commands do to it besides playing turns.
class Window : public View {
public:
    virtual void clearEntryText() = 0;                     // txtComando
    virtual void resetSceneFont() = 0;                     // txtEscenario: Times New Roman 11
    virtual std::string_view sceneText() = 0;              // txtEscenario, exactly as written
    virtual void setCaption(std::string_view caption) = 0; // the window's title
};

enum class Buttons { Ok, YesNo };
enum class Icon { None, Exclamation, Stop, Information };
enum class Answer { Ok, Yes, No };

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
    virtual std::optional<std::string> openFileName(std::string_view title,
                                                    const FileFilter& filter) = 0;
    virtual std::optional<std::string> saveFileName(std::string_view title,
                                                    const FileFilter& filter) = 0;
    virtual void beep() = 0;
    // Closes the window and ends the program.
    virtual void quit() = 0;
};

// Progress files, by the paths the dialogs give.
class Files {
public:
    virtual ~Files() = default;

    virtual PathKind whatIsAt(const std::string& path) = 0;
    // The first `limit` bytes of the file at most.
    virtual FileError read(const std::string& path, std::size_t limit, std::string& bytes) = 0;
    // All of `bytes` in place of the file's content, or, on failure, the old file untouched.
    virtual FileError write(const std::string& path, std::string_view bytes) = 0;
};

// The files of this computer's disk.
class DiskFiles : public Files {
public:
    PathKind whatIsAt(const std::string& path) override;
    FileError read(const std::string& path, std::size_t limit, std::string& bytes) override;
    FileError write(const std::string& path, std::string_view bytes) override;
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

    const GameState& game() const { return game_; }
    const std::string& currentFile() const { return strArchivo_; }

private:
    bool open(const std::string& path);
    bool overwriteAllowed(const std::string& path);
    bool saveTo(const std::string& path);
    void inform(std::string_view text);

    Window& window_;
    Dialogs& dialogs_;
    Files& files_;
    GameState game_;
    std::string strArchivo_;
    bool blnExiste_ = false;
    // The current file held, byte for byte, what Save would write for its two fields.
    bool currentIsSave_ = false;
};

} // namespace quivra
