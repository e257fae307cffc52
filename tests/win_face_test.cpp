// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

// The Windows face driven in-process through its window messages: keys routed as the message
// loop routes them, BM_CLICK on buttons, texts read back, the dialogs scripted through the
// seam and the files on the real disk. The commands and the design have tests of their own;
// these check that the native window carries them out, and that what the commands say reaches
// the screen reader's notifier once, from the window, only once the window shows.
#include "frmQuivra.hpp"
#include "memory_files.hpp"
#include "pictures.hpp"
#include "recording_window.hpp"
#include "scripted_dialogs.hpp"
#include "story.hpp"
#include "utf16.hpp"
#include "window_design.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <commctrl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <oleacc.h>

namespace {

using namespace quivra::win; // NOLINT(google-build-using-namespace): the face under test
using quivra::Answer;
using quivra::Commands;
using enum quivra::ControlKind;

COLORREF colourOf(const quivra::Colour& colour) {
    // In the order quivra::SystemColour lists them.
    constexpr int kSystem[] = {-1, COLOR_WINDOWTEXT, COLOR_WINDOW, COLOR_BTNTEXT, COLOR_BTNFACE};
    const int system = kSystem[static_cast<int>(colour.system)];
    return system < 0 ? RGB(colour.red, colour.green, colour.blue) : ::GetSysColor(system);
}

std::string textOf(HWND window) {
    std::array<wchar_t, 8192> text{}; // more than any scene's text
    ::GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    return narrow(text.data());
}

// What a screen reader calls the control.
std::string spokenName(HWND control) {
    IAccessible* accessible = nullptr;
    BSTR name = nullptr;
    if (::AccessibleObjectFromWindow(control, OBJID_CLIENT, IID_IAccessible,
                                     reinterpret_cast<void**>(&accessible)) == S_OK) {
        accessible->get_accName(VARIANT{{{VT_I4, 0, 0, 0, {CHILDID_SELF}}}}, &name);
        accessible->Release();
    }
    std::string spoken = narrow(name != nullptr ? name : L"");
    ::SysFreeString(name);
    return spoken;
}

class WinFaceTest : public testing::Test {
protected:
    WinFaceTest() {
        saidBeforeShown = said.size();
        window->show(SW_SHOWNORMAL);
        key(WM_NULL, 0);
        reference.Form_Load();
        std::filesystem::create_directories(folder);
    }
    ~WinFaceTest() override { std::filesystem::remove_all(folder); }

    // A key as the message loop would get it, sent to the control with the focus; then every
    // message that follows.
    void key(UINT message, WPARAM code, LPARAM flags = 1) {
        MSG routed{::GetFocus(), message, code, flags, 0, {}};
        do {
            window->route(routed);
        } while (::PeekMessageW(&routed, nullptr, 0, 0, PM_REMOVE) != FALSE);
    }
    // Types the phrase into the entry box and presses Enter, or clicks "Ir", here and in the
    // reference game.
    void enter(const std::string& phrase, bool clickIr = false) {
        ::SetFocus(control("txtComando"));
        for (const wchar_t typed : widen(phrase)) {
            key(WM_CHAR, typed);
        }
        clickIr ? void(::SendMessageW(control("cmdIr"), BM_CLICK, 0, 0))
                : key(WM_KEYDOWN, VK_RETURN);
        recording.entry = phrase;
        reference.cmdIr_Click();
        ::SetWindowTextW(control("txtComando"), L"");
    }
    // Clicks the button here and in the reference game, both given the same answers.
    void click(const char* button, Answer answer, std::string file = "") {
        dialogs->answers = referenceDialogs.answers = {answer};
        dialogs->files = referenceDialogs.files = {file};
        ::SendMessageW(control(button), BM_CLICK, 0, 0);
        key(WM_NULL, 0);
        reference.click(quivra::controlNamed(button).command);
    }
    HWND control(std::string_view name) const { return window->control(widen(name)); }
    bool shows(std::string_view name) const { return ::IsWindowVisible(control(name)) != FALSE; }
    // The window shows what the shared game over a recording window shows.
    void expectMirrorsReference(const std::string& step) const {
        const std::optional<quivra::Picture> picture = recording.onlyPicture();
        std::string shown = shows("txtEscenario") ? "txtEscenario" : "";
        for (const quivra::Picture each : quivra::kAllPictures) {
            shown += shows(quivra::pictureBox(each).name) ? quivra::pictureBox(each).name : "";
        }
        EXPECT_EQ(shown, picture ? quivra::pictureBox(*picture).name : "txtEscenario") << step;
        EXPECT_EQ(textOf(control("txtOkOrNot")), recording.verdict) << step;
        EXPECT_EQ(textOf(control("txtEscenario")), recording.scene) << step;
        EXPECT_EQ(textOf(window->hwnd()), recording.caption) << step;
        EXPECT_EQ(window->game().strEstado, reference.game().strEstado) << step;
        EXPECT_EQ(said, recording.said) << step;
        EXPECT_EQ(std::ranges::count(saidFrom, window->hwnd()), std::ssize(saidFrom)) << step;
    }

    // The window is made, and every test runs, on one thread in one COM apartment, with the
    // common controls ready; the window owns its dialogs.
    ScriptedDialogs* dialogs = (::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED),
                                ::InitCommonControls(), new ScriptedDialogs);
    std::vector<std::string> said; // what the window's notifier was given, in order
    std::vector<HWND> saidFrom;
    std::size_t saidBeforeShown = 0;
    std::unique_ptr<frmQuivra> window = std::make_unique<frmQuivra>(
        std::unique_ptr<quivra::Dialogs>(dialogs), [this](HWND element, std::wstring_view text) {
            said.push_back(narrow(text));
            saidFrom.push_back(element);
        });
    RecordingWindow recording;
    ScriptedDialogs referenceDialogs;
    MemoryFiles referenceFiles;
    Commands reference{recording, referenceDialogs, referenceFiles};
    std::filesystem::path folder = std::filesystem::temp_directory_path() / L"Quivra prueba ñandú";
};

// At 96 DPI, then at 200 %, every control stands where the design puts it, scaled, in its font
// and colours; buttons and pictures are spoken of by name, and pictures drawn twice as large.
TEST_F(WinFaceTest, AppliesTheDesignAtOneAndTwoHundredPercent) {
    RECT place;
    ::GetClientRect(window->hwnd(), &place);
    EXPECT_EQ(place.right, quivra::kClientSize.width);
    EXPECT_EQ(place.bottom, quivra::kClientSize.height);
    std::map<std::string_view, LRESULT> drawn;
    for (const int s : {1, 2}) { // the scale
        ::GetWindowRect(window->hwnd(), &place);
        ::SendMessageW(window->hwnd(), WM_DPICHANGED, MAKEWPARAM(96 * s, 96 * s),
                       reinterpret_cast<LPARAM>(&place));
        for (const quivra::ControlDesign& designed : quivra::windowDesign()) {
            HWND box = control(designed.name);
            const auto [left, top, width, height] = designed.bounds;
            ::GetWindowRect(box, &place);
            ::MapWindowPoints(nullptr, window->hwnd(), reinterpret_cast<POINT*>(&place), 2);
            const RECT expected{s * left, s * top, s * (left + width), s * (top + height)};
            EXPECT_TRUE(::EqualRect(&place, &expected)) << designed.name << " at " << s;
            // A picture box writes nothing, so it has no font.
            const quivra::Font& font =
                designed.kind == Scene ? quivra::kResetSceneFont : designed.font;
            LOGFONTW made{};
            // NOLINTNEXTLINE(performance-no-int-to-ptr): WM_GETFONT answers with a handle
            ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(box, WM_GETFONT, 0, 0)),
                         sizeof made, &made);
            EXPECT_TRUE(designed.kind == PictureBox ||
                        (made.lfHeight == -std::lround(font.points * 96 * s / 72) &&
                         made.lfWeight == (font.bold ? FW_BOLD : FW_NORMAL) &&
                         std::ranges::count(font.families, narrow(made.lfFaceName)) == 1))
                << designed.name << " in " << narrow(made.lfFaceName) << " " << made.lfHeight;
            HDC dc = ::CreateCompatibleDC(nullptr);
            ::SendMessageW(window->hwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                           reinterpret_cast<LPARAM>(box));
            EXPECT_EQ(::GetTextColor(dc), colourOf(designed.colours.text)) << designed.name;
            EXPECT_EQ(::GetBkColor(dc), colourOf(designed.colours.background)) << designed.name;
            ::DeleteDC(dc);
            if (designed.kind == Button || designed.kind == PictureBox) {
                EXPECT_EQ(spokenName(box), designed.accessibleName) << designed.name;
            }
            const LRESULT size = ::SendMessageW(box, kGetDrawnSize, 0, 0);
            const LRESULT before = std::exchange(drawn[designed.name], size);
            EXPECT_TRUE(designed.kind != PictureBox ||
                        (size != 0 &&
                         (s == 1 || size == MAKELRESULT(2 * LOWORD(before), 2 * HIWORD(before)))))
                << designed.name << " draws " << LOWORD(size) << "x" << HIWORD(size);
        }
    }
}

// The opening words are said once the window shows, not before; "Ir" with a wrong phrase says
// only "Equivocado", each time; Enter after each phrase walks to an ending, then says nothing.
TEST_F(WinFaceTest, AWalkToAnEndingShowsAndSaysWhatTheSharedGameDoes) {
    EXPECT_EQ(::GetFocus(), control("txtComando"));
    EXPECT_EQ(saidBeforeShown, 0U);
    ASSERT_EQ(recording.said.size(), 1U);
    expectMirrorsReference("start");
    for (const char* wrong : {"navegar", "navegar"}) {
        enter(wrong, true);
        EXPECT_EQ(recording.verdict, quivra::kEquivocado);
        expectMirrorsReference("a wrong phrase");
    }
    for (const char* phrase :
         {"zarpar", "navegar hacia la balsa", "subir a la balsa", "navegar", "saltar al agua",
          "descansar", "acampar", "estudiar las conchas", "subir a la balsa", "", "", "", "", ""}) {
        enter(phrase);
        expectMirrorsReference(phrase);
    }
    EXPECT_EQ(recording.verdict, quivra::kFin);
}

TEST_F(WinFaceTest, TabFollowsTheTabIndicesSkippingWhatIsHidden) {
    for (const char* next : {"cmdSave", "cmdSaveAs", "txtOkOrNot", "pic_1_0", "cmdNuevoJuego",
                             "cmdAbrirP", "cmdSalir", "cmdIr", "txtHints", "txtComando"}) {
        key(WM_KEYDOWN, VK_TAB);
        EXPECT_EQ(::GetFocus(), control(next)) << "expected " << next;
    }
}

// Alt+G is Save, which writes the current file unasked, and Alt+C Save as, which asks, from
// any control; a plain letter and Esc press nothing, not even from the multi-line boxes.
TEST_F(WinFaceTest, AccessKeysEscAndEnterPressButtonsAsDesigned) {
    const std::string current = narrow((folder / L"actual.txt").wstring());
    click("cmdSaveAs", Answer::No, current);
    // clang-format off
    const struct { const char* focus; UINT message; WPARAM key; std::size_t fileQuestions, boxes; bool saved; } presses[] = {
        {"txtComando", WM_SYSCHAR, 'g', 1, 0, true}, {"txtHints", WM_SYSCHAR, 'G', 1, 0, true},
        {"cmdSalir", WM_SYSCHAR, 'c', 2, 1, false}, {"txtComando", WM_SYSCHAR, 'c', 3, 2, false},
        {"cmdSalir", WM_CHAR, 'g', 3, 2, false}, {"pic_1_0", WM_CHAR, 'c', 3, 2, false},
        {"txtComando", WM_KEYDOWN, VK_ESCAPE, 3, 2, false}, {"txtHints", WM_KEYDOWN, VK_ESCAPE, 3, 2, false},
        {"cmdSalir", WM_KEYDOWN, VK_ESCAPE, 3, 2, false}, {"cmdNuevoJuego", WM_KEYDOWN, VK_RETURN, 3, 3, false}};
    // clang-format on
    for (const auto& press : presses) {
        std::filesystem::remove(widen(current));
        ::SetFocus(control(press.focus));
        key(press.message, press.key, press.message == WM_SYSCHAR ? 1 | (1 << 29) : 1);
        EXPECT_EQ(dialogs->fileQuestions.size(), press.fileQuestions) << press.key;
        EXPECT_EQ(dialogs->boxes.size(), press.boxes) << press.key;
        EXPECT_EQ(std::filesystem::exists(widen(current)), press.saved) << press.key;
    }
    EXPECT_EQ(dialogs->boxes.back().title, "Nuevo juego");
}

} // namespace
