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

PathKind DiskFiles::whatIsAt(const std::string& path) {
    return quivra::whatIsAt(pathFromUtf8(path));
}

FileError DiskFiles::read(const std::string& path, std::size_t limit, std::string& bytes) {
    return readFile(pathFromUtf8(path), limit, bytes);
}

FileError DiskFiles::write(const std::string& path, std::string_view bytes) {
    return writeFile(pathFromUtf8(path), bytes);
}

std::string captionFor(std::string_view path) {
    if (path.empty()) {
        return std::string{kTitle};
    }
    return "..." + std::string{lastCharacters(path, 50)} + " - " + std::string{kTitle};
}

Commands::Commands(Window& window, Dialogs& dialogs, Files& files)
    : window_(window), dialogs_(dialogs), files_(files) {}

void Commands::Form_Load() {
    game_.strEstado = kFirstScene;
    game_.strComando.clear();
    window_.clearEntryText();
    game_.strRelato.clear();
    showOnly(window_, Picture::pic_1_0);
    window_.writeVerdict("");
    strArchivo_.clear();
    window_.setCaption(captionFor(strArchivo_));
    window_.resetSceneFont();
}

// The key code comes by reference, as the entry box's handler takes it, though it is never
// changed: the key still types.
// cppcheck-suppress constParameter
void Commands::txtComando_KeyPress(std::int16_t& KeyAscii) {
    pressKey(game_, window_, KeyAscii);
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
// was a save of this game.
void Commands::cmdAbrirP_Click() {
    Form_Load();
    const std::optional<std::string> chosen = dialogs_.openFileName(kOpenTitle, kProgressFiles);
    if (!chosen || !open(*chosen)) {
        inform(kCannotOpen);
    }
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
    const std::optional<std::string> chosen = dialogs_.saveFileName(kSaveTitle, kProgressFiles);
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

void Commands::cmdSalir_Click() {
    if (dialogs_.messageBox("¿Desea guardar su progreso antes de salir?", "Salir de Quivra",
                            Buttons::YesNo, Icon::Stop) == Answer::No) {
        dialogs_.quit();
        return;
    }
    dialogs_.messageBox("Por favor guarde su progreso Ud. mismo...", "Permanecer en el programa",
                        Buttons::Ok, Icon::Information);
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
    game_.strEstado = std::move(progress->strEstado);
    game_.strRelato = std::move(progress->strRelato);
    window_.setCaption(captionFor(strArchivo_));
    restoreDisplay(game_, window_);
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
    game_.strRelato = window_.sceneText();
    if (files_.write(path, encodeProgress({game_.strEstado, game_.strRelato})) != FileError::None) {
        return false;
    }
    currentIsSave_ = true;
    return true;
}

void Commands::inform(std::string_view text) {
    dialogs_.messageBox(text, kTitle, Buttons::Ok, Icon::None);
}

} // namespace quivra
