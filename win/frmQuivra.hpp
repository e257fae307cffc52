// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

#pragma once

#include "commands.hpp"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>
#include <windows.h>

namespace quivra::win {

// The game's one window on Win32. It supplies the commands' window on native controls and
// turns window messages into the game's eight handlers; the game itself is quivra::Commands.
class frmQuivra final : private quivra::Window {
public:
    // Hands a screen reader what a command says, raised from the window's element.
    using Notifier = std::function<void(HWND element, std::wstring_view text)>;

    // Without `dialogs` the window asks the system's real dialogs; without `notify` it raises
    // UI Automation notifications.
    explicit frmQuivra(std::unique_ptr<quivra::Dialogs> dialogs = nullptr,
                       Notifier notify = nullptr);
    frmQuivra(const frmQuivra&) = delete;
    frmQuivra& operator=(const frmQuivra&) = delete;
    ~frmQuivra() override;

    // Centred on the screen where it opens, with the focus in the entry box; then the words
    // of the opening picture are said.
    void show(int how);
    // Tab, the access keys, Enter and Esc go to the dialog manager first; everything else is
    // translated and dispatched as usual. The message loop calls this for every message.
    void route(MSG& message);

    HWND hwnd() const { return window_; }
    // A control by the design's name, such as L"txtComando" or L"pic_2_0_2".
    HWND control(std::wstring_view name) const;
    const quivra::GameState& game() const { return commands_.game(); }

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK entryProc(HWND entry, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR id, DWORD_PTR window);
    static LRESULT CALLBACK multiLineProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR id, DWORD_PTR unused);
    // The window procedure's body, for the frmQuivra that windowProc found.
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void createControls();
    void addTooltips();
    void followTabIndices();
    void layOut(UINT dpi);
    void onCommand(int id, int code);
    std::size_t indexOf(HWND control) const;
    HBRUSH background(std::size_t index) const;
    void drawButton(const DRAWITEMSTRUCT& item);

    std::string_view readEntryText() override;
    void writeSceneText(std::string_view text) override;
    void showSceneText(bool visible) override;
    void writeVerdict(std::string_view verdict) override;
    void showPicture(quivra::Picture picture, bool visible) override;
    void clearEntryText() override;
    void resetSceneFont() override;
    void setCaption(std::string_view caption) override;
    void announce(std::string_view text) override;

    HWND window_ = nullptr;
    std::vector<HWND> controls_;
    HWND tooltips_ = nullptr;
    HWND lastFocus_ = nullptr;
    UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
    // The scene box's font: the design's until the first reset, which sets its own.
    quivra::Font sceneFont_;
    struct Fonts;
    std::unique_ptr<Fonts> fonts_;
    // Each control's background where the design gives its own colour; else none.
    std::vector<HBRUSH> ownBrushes_;
    struct ButtonPictures;
    std::unique_ptr<ButtonPictures> buttonPictures_;
    Notifier notify_;
    // Said once the window shows: the start-up reset runs before it does.
    std::string unsaid_;
    bool shown_ = false;
    std::unique_ptr<quivra::Dialogs> dialogs_;
    quivra::DiskFiles files_;
    quivra::Commands commands_;
    std::string entryText_;
};

} // namespace quivra::win
