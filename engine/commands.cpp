// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

#include "commands.hpp"

#include "interpreter.hpp"
#include "progress_file.hpp"

namespace quivra {
namespace {

constexpr std::string_view kTitle = "Quivra";
constexpr std::string_view kOpenTitle = "Abrir archivo de progreso...";
constexpr std::string_view kSaveTitle = "Guardar progreso como...";
constexpr FileFilter kProgressFiles{"Documentos .txt (*.txt) ", "*.txt"};
constexpr std::string_view kCannotOpen = "No se abre el archivo...";
constexpr std::string_view kNotSaved = "No se ha guardado el archivo...";

// The last `count` characters of `utf8`, never cutting one in half.
std::string_view lastCharacters(std::string_view utf8, std::size_t count) {
    std::size_t start = utf8.size();
    while (start > 0 && count > 0) {
        --start;
        if ((static_cast<unsigned char>(utf8[start]) & 0xC0) != 0x80) {
            --count;
        }
    }
    return utf8.substr(start);
}

} // namespace

std::string captionFor(std::string_view path) {
    if (path.empty()) {
        return std::string{kTitle};
    }
    return "..." + std::string{lastCharacters(path, 50)} + " - " + std::string{kTitle};
}

void Commands::Screen::writeSceneText(std::string_view written) {
    text = written;
    changes.text = true;
    window_.writeSceneText(written);
}

void Commands::Screen::showSceneText(bool visible) {
    textShown = visible;
    window_.showSceneText(visible);
}

void Commands::Screen::writeVerdict(std::string_view verdict) {
    changes.verdict = verdict;
    window_.writeVerdict(verdict);
}

void Commands::Screen::showPicture(Picture shown, bool visible) {
    if (visible) {
        picture = shown;
        changes.picture = true;
    } else if (picture == shown) {
        picture.reset();
    }
    window_.showPicture(shown, visible);
}

Commands::Commands(Window& window, Dialogs& dialogs, Files& files)
    : window_(window), dialogs_(dialogs), files_(files), screen_(window) {}

// At start-up the opening picture is said once the face has announced its window.
void Commands::Form_Load() {
    reset();
    announceChanges();
}

void Commands::reset() {
    game_.strEstado = kFirstScene;
    game_.strComando.clear();
    window_.clearEntryText();
    game_.strRelato.clear();
    showOnly(screen_, Picture::pic_1_0);
    screen_.writeVerdict("");
    strArchivo_.clear();
    window_.setCaption(captionFor(strArchivo_));
    window_.resetSceneFont();
}

// The key code comes by reference, as the entry box's handler takes it, though it is never
// changed: the key still types.
// cppcheck-suppress constParameter
void Commands::txtComando_KeyPress(std::int16_t& KeyAscii) {
    pressKey(game_, screen_, KeyAscii);
    announceChanges();
}

void Commands::cmdIr_Click() {
    std::int16_t KeyAscii = kEnterKey;
    txtComando_KeyPress(KeyAscii);
}

void Commands::cmdNuevoJuego_Click() {
    if (dialogs_.messageBox("¿Desea reempezar todo?", "Nuevo juego", Buttons::YesNo,
                            Icon::Exclamation) == Answer::Yes) {
        Form_Load();
    }
}

// The reset comes first, whatever the dialog brings. A failed Open leaves no current
// progress file, so the next Save asks for a name instead of overwriting a file that never
// was a save of this game; its message box speaks for itself.
void Commands::cmdAbrirP_Click() {
    reset();
    const std::optional<std::string> chosen =
        dialogs_.fileName(FileDialog::Open, kOpenTitle, kProgressFiles);
    if (!chosen || !open(*chosen)) {
        screen_.changes = {};
        inform(kCannotOpen);
        return;
    }
    announceChanges();
}

// A current file that was opened but is not a save as the game writes it (a text file
// picked by mistake, say) is asked about before it is written over.
void Commands::cmdSave_Click() {
    if (strArchivo_.empty()) {
        cmdSaveAs_Click();
        return;
    }
    if (!currentIsSave_ && !overwriteAllowed(strArchivo_)) {
        return;
    }
    if (!saveTo(strArchivo_)) {
        inform(kNotSaved);
    }
}

// Declining the overwrite, or a write that fails, leaves the current file as it was, so a
// later Save cannot overwrite the file the player meant to protect.
void Commands::cmdSaveAs_Click() {
    const std::optional<std::string> chosen =
        dialogs_.fileName(FileDialog::Save, kSaveTitle, kProgressFiles);
    // A cancel ends here, and so does a folder or a pipe, before any question.
    const PathKind existing = chosen ? files_.whatIsAt(*chosen) : PathKind::Other;
    if (existing == PathKind::Other) {
        inform(kNotSaved);
        return;
    }
    blnExiste_ = existing == PathKind::RegularFile;
    if (blnExiste_ && !overwriteAllowed(*chosen)) {
        return;
    }
    if (!saveTo(*chosen)) {
        inform(kNotSaved);
        return;
    }
    strArchivo_ = *chosen;
    window_.setCaption(captionFor(strArchivo_));
}

// One key press must not lose the game: Esc leaves the question on screen.
void Commands::cmdSalir_Click() {
    if (dialogs_.messageBox("¿Desea guardar su progreso antes de salir?", "Salir de Quivra",
                            Buttons::YesNoOnly, Icon::Stop) == Answer::No) {
        dialogs_.quit();
        return;
    }
    dialogs_.messageBox("Por favor guarde su progreso Ud. mismo...", "Permanecer en el programa",
                        Buttons::Ok, Icon::Information);
}

void Commands::click(Command command) {
    switch (command) {
    case Command::Turn:
        return cmdIr_Click();
    case Command::NewGame:
        return cmdNuevoJuego_Click();
    case Command::Open:
        return cmdAbrirP_Click();
    case Command::Save:
        return cmdSave_Click();
    case Command::SaveAs:
        return cmdSaveAs_Click();
    case Command::Exit:
        return cmdSalir_Click();
    case Command::None:
        return;
    }
}

bool Commands::open(const std::string& path) {
    std::string bytes;
    if (files_.read(path, kMaxProgressBytes + 1, bytes) != FileError::None) {
        return false;
    }
    std::optional<Progress> progress = decodeProgress(bytes);
    if (!progress) {
        return false;
    }
    strArchivo_ = path;
    currentIsSave_ = encodeProgress(*progress) == bytes;
    window_.setCaption(captionFor(strArchivo_));
    restore(std::move(*progress));
    return true;
}

void Commands::restore(Progress progress) {
    game_.strEstado = std::move(progress.strEstado);
    game_.strRelato = std::move(progress.strRelato);
    restoreDisplay(game_, screen_);
}

std::string Commands::position() const {
    return encodeProgress({game_.strEstado, screen_.text});
}

bool Commands::resume(std::string_view kept) {
    std::optional<Progress> progress = decodeProgress(kept);
    if (!progress) {
        return false;
    }
    reset();
    restore(std::move(*progress));
    announceChanges();
    return true;
}

// The overwrite question; No beeps and writes nothing.
bool Commands::overwriteAllowed(const std::string& path) {
    if (dialogs_.messageBox("¿Sobreescribir?", lastCharacters(path, 60), Buttons::YesNo,
                            Icon::Exclamation) == Answer::Yes) {
        return true;
    }
    dialogs_.beep();
    return false;
}

// What is saved is the scene box's own text, shown or hidden, not the turn's narrative.
bool Commands::saveTo(const std::string& path) {
    game_.strRelato = screen_.text;
    if (files_.write(path, encodeProgress({game_.strEstado, game_.strRelato})) != FileError::None) {
        return false;
    }
    currentIsSave_ = true;
    return true;
}

void Commands::inform(std::string_view text) {
    dialogs_.messageBox(text, kTitle, Buttons::Ok, Icon::None);
}

// What a screen reader says of a command: its verdict, then the picture it brought up, or
// else the passage it wrote where the passage shows; nothing when it changed neither.
void Commands::announceChanges() {
    std::string said = screen_.changes.verdict;
    const auto add = [&said](std::string_view words) {
        said.append(said.empty() ? "" : ". ").append(words);
    };
    if (screen_.changes.picture && screen_.picture) {
        const ControlDesign& box = pictureBox(*screen_.picture);
        add(box.accessibleName);
        add(box.description);
    } else if (screen_.changes.text && screen_.textShown) {
        add(screen_.text);
    }
    screen_.changes = {};
    if (!said.empty()) {
        window_.announce(said);
    }
}

} // namespace quivra
