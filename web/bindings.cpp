// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

// The page's side of the game: the window, its dialogs and its files, each forwarded to the
// page's script (Module.face in page.js). The dialogs answer through promises; Asyncify
// suspends the command meanwhile and resumes it where it stopped.
#include "commands.hpp"
#include "window_design.hpp"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <emscripten.h>
#include <optional>
#include <string>
#include <vector>

namespace {

// clang-format off
EM_JS(char*, js_read_entry, (), {
    const text = Module.face.readEntry();
    const size = lengthBytesUTF8(text) + 1;
    const copy = _malloc(size);
    stringToUTF8(text, copy, size);
    return copy;
});
EM_JS(void, js_write_scene, (const char* text, std::size_t size), {
    Module.face.writeScene(UTF8ToString(text, size));
});
EM_JS(void, js_show_scene, (bool visible), { Module.face.showScene(visible); });
EM_JS(void, js_write_verdict, (const char* text, std::size_t size), {
    Module.face.writeVerdict(UTF8ToString(text, size));
});
EM_JS(void, js_show_picture, (const char* name, std::size_t size, bool visible), {
    Module.face.showPicture(UTF8ToString(name, size), visible);
});
EM_JS(void, js_clear_entry, (), { Module.face.clearEntry(); });
EM_JS(void, js_reset_scene_font, (), { Module.face.resetSceneFont(); });
EM_JS(void, js_set_caption, (const char* text, std::size_t size), {
    Module.face.setCaption(UTF8ToString(text, size));
});
EM_ASYNC_JS(int, js_message_box, (const char* text, std::size_t textSize, const char* title,
                                   std::size_t titleSize, int buttons, int icon), {
    return await Module.face.messageBox(UTF8ToString(text, textSize),
                                        UTF8ToString(title, titleSize), buttons, icon);
});
// The chosen file's name in memory the caller frees, or null for a cancel.
EM_ASYNC_JS(char*, js_file_name, (bool save, const char* title, std::size_t titleSize,
                                  const char* description, std::size_t descriptionSize,
                                  const char* pattern, std::size_t patternSize), {
    const name = await Module.face.fileName(save, UTF8ToString(title, titleSize),
                                            UTF8ToString(description, descriptionSize),
                                            UTF8ToString(pattern, patternSize));
    if (name === null) {
        return 0;
    }
    const size = lengthBytesUTF8(name) + 1;
    const copy = _malloc(size);
    stringToUTF8(name, copy, size);
    return copy;
});
EM_JS(void, js_announce, (const char* text, std::size_t size), {
    Module.face.announce(UTF8ToString(text, size));
});
EM_JS(void, js_describe, (const char* name, std::size_t nameSize, const char* caption,
                         std::size_t captionSize, const char* tooltip, std::size_t tooltipSize,
                         const char* spoken, std::size_t spokenSize, const char* description,
                         std::size_t descriptionSize, int command), {
    Module.face.describe(UTF8ToString(name, nameSize), UTF8ToString(caption, captionSize),
                         UTF8ToString(tooltip, tooltipSize), UTF8ToString(spoken, spokenSize),
                         UTF8ToString(description, descriptionSize), command);
});
EM_JS(void, js_keep, (const char* bytes, std::size_t size), {
    Module.face.keep(HEAPU8.slice(bytes, bytes + size));
});
EM_JS(void, js_beep, (), { Module.face.beep(); });
EM_JS(void, js_quit, (), { Module.face.quit(); });
// The size of the file the page holds under `name`, or -1 when it holds none.
EM_JS(double, js_file_size, (const char* name), {
    const bytes = Module.face.readFile(UTF8ToString(name));
    return bytes === null ? -1 : bytes.length;
});
EM_JS(void, js_copy_file, (const char* name, char* out, std::size_t size), {
    HEAPU8.set(Module.face.readFile(UTF8ToString(name)).subarray(0, size), out);
});
EM_ASYNC_JS(bool, js_write_file, (const char* name, const char* bytes, std::size_t size), {
    return await Module.face.writeFile(UTF8ToString(name), HEAPU8.slice(bytes, bytes + size));
});
// clang-format on

// Takes over a string the page allocated.
std::string adopt(char* text) {
    std::string kept{text};
    std::free(text);
    return kept;
}

class PageWindow : public quivra::Window {
public:
    std::string_view readEntryText() override {
        entry_ = adopt(js_read_entry());
        return entry_;
    }
    void writeSceneText(std::string_view text) override {
        js_write_scene(text.data(), text.size());
    }
    void showSceneText(bool visible) override { js_show_scene(visible); }
    void writeVerdict(std::string_view verdict) override {
        js_write_verdict(verdict.data(), verdict.size());
    }
    void showPicture(quivra::Picture picture, bool visible) override {
        const std::string_view name = quivra::pictureBox(picture).name;
        js_show_picture(name.data(), name.size(), visible);
    }
    void clearEntryText() override { js_clear_entry(); }
    void resetSceneFont() override { js_reset_scene_font(); }
    void setCaption(std::string_view caption) override {
        js_set_caption(caption.data(), caption.size());
    }
    void announce(std::string_view text) override { js_announce(text.data(), text.size()); }

private:
    std::string entry_;
};

class PageDialogs : public quivra::Dialogs {
public:
    quivra::Answer messageBox(std::string_view text, std::string_view title,
                              quivra::Buttons buttons, quivra::Icon icon) override {
        return static_cast<quivra::Answer>(js_message_box(text.data(), text.size(), title.data(),
                                                          title.size(), static_cast<int>(buttons),
                                                          static_cast<int>(icon)));
    }
    std::optional<std::string> fileName(quivra::FileDialog dialog, std::string_view title,
                                        const quivra::FileFilter& filter) override {
        char* name = js_file_name(dialog == quivra::FileDialog::Save, title.data(), title.size(),
                                  filter.description.data(), filter.description.size(),
                                  filter.pattern.data(), filter.pattern.size());
        if (name == nullptr) {
            return std::nullopt;
        }
        return adopt(name);
    }
    void beep() override { js_beep(); }
    void quit() override { js_quit(); }
};

// The files the player picked or saved in this page, by name.
class PageFiles : public quivra::Files {
public:
    // A name comes from a picker or a download, and the browser itself asks before it
    // replaces a file there: to the game every chosen name is a new file.
    quivra::PathKind whatIsAt(const std::string& /*path*/) override {
        return quivra::PathKind::Nothing;
    }
    quivra::FileError read(const std::string& path, std::size_t limit,
                           std::string& bytes) override {
        const double size = js_file_size(path.c_str());
        if (size < 0) {
            return quivra::FileError::CannotRead;
        }
        bytes.resize(std::min(static_cast<std::size_t>(size), limit));
        js_copy_file(path.c_str(), bytes.data(), bytes.size());
        return quivra::FileError::None;
    }
    quivra::FileError write(const std::string& path, std::string_view bytes) override {
        return js_write_file(path.c_str(), bytes.data(), bytes.size())
                   ? quivra::FileError::None
                   : quivra::FileError::CannotWrite;
    }
};

PageWindow window;
PageDialogs dialogs;
PageFiles files;
quivra::Commands commands{window, dialogs, files};

} // namespace

// What the page calls: the start, a key typed in the entry box, a click on a button, and the
// position it keeps for the tab.
extern "C" {

// The window's words and each button's command come from the game's design, as on the
// desktop, control by control in the design's tab order, which is the order the page keeps
// them in; then the game starts.
EMSCRIPTEN_KEEPALIVE void quivra_start() {
    std::vector<const quivra::ControlDesign*> controls;
    for (const quivra::ControlDesign& control : quivra::windowDesign()) {
        controls.push_back(&control);
    }
    std::sort(controls.begin(), controls.end(), [](const auto* one, const auto* other) {
        return one->tabIndex < other->tabIndex;
    });
    for (const quivra::ControlDesign* control : controls) {
        const std::string caption =
            control->kind == quivra::ControlKind::Hints ? quivra::hintList()
                                                        : std::string{control->caption};
        js_describe(control->name.data(), control->name.size(), caption.data(), caption.size(),
                    control->tooltip.data(), control->tooltip.size(),
                    control->accessibleName.data(), control->accessibleName.size(),
                    control->description.data(), control->description.size(),
                    static_cast<int>(control->command));
    }
    window.writeSceneText(quivra::kInitialSceneText);
    commands.Form_Load();
}

EMSCRIPTEN_KEEPALIVE void quivra_key(int code) {
    auto KeyAscii = static_cast<std::int16_t>(code);
    commands.txtComando_KeyPress(KeyAscii);
}

// A click on a button that runs `command`, as the design gives it to the page.
EMSCRIPTEN_KEEPALIVE void quivra_click(int command) {
    commands.click(static_cast<quivra::Command>(command));
}

// The position, handed to the page to keep across a reload of the tab.
EMSCRIPTEN_KEEPALIVE void quivra_keep() {
    const std::string position = commands.position();
    js_keep(position.data(), position.size());
}

// The position the page kept, as the player left it before the reload.
EMSCRIPTEN_KEEPALIVE void quivra_resume(const char* kept, int size) {
    commands.resume({kept, static_cast<std::size_t>(size)});
}
}
