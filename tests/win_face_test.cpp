// The Windows face driven in-process through its window messages: keys routed as the message
// loop routes them, BM_CLICK on buttons, texts read back from the controls, the dialogs
// scripted through the seam and the files on the real disk. What the shared commands decide
// is their own tests' business; these check that the native window carries it out.
#include "frmQuivra.hpp"
#include "interpreter.hpp"
#include "memory_files.hpp"
#include "pictures.hpp"
#include "recording_window.hpp"
#include "scripted_dialogs.hpp"
#include "story.hpp"
#include "text.hpp"

#include <algorithm>
#include <commctrl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <objbase.h>
#include <oleacc.h>
#include <set>
#include <vector>

namespace {

// Every test runs on the thread that made the window, in one COM apartment.
const struct Apartment {
    Apartment() {
        ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
        ::InitCommonControlsEx(&controls);
    }
} kApartment;

// The eight controls of the scene area, the pictures in quivra::kAllPictures order.
const std::wstring kPictureBoxes[] = {L"pic_1_0", L"pic_2_0_2", L"pic_2_2", L"pic_4_0",
                                      L"pic_4_2", L"pic_4_4",   L"pic_4_6"};

// clang-format off
const std::vector<std::string> kLongestPlay = {"zarpar", "navegar hacia la balsa", "subir a la balsa",
    "navegar", "saltar al agua", "descansar", "acampar", "estudiar las conchas", "subir a la balsa",
    "", "", "", "", ""};
// clang-format on

std::wstring textOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        ::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::string bytesOf(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

RECT placeOf(HWND control) {
    RECT place;
    ::GetWindowRect(control, &place);
    ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&place), 2);
    return place;
}

class WinFaceTest : public testing::Test {
protected:
    WinFaceTest() {
        auto scripted = std::make_unique<ScriptedDialogs>();
        dialogs = scripted.get();
        window = std::make_unique<frmQuivra>(std::move(scripted));
        window->show(SW_SHOWNORMAL);
        ::SetForegroundWindow(window->handle());
        pump();
        reference.Form_Load();
    }
    ~WinFaceTest() override {
        window.reset();
        pump();
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    void pump() {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
            if (message.message != WM_QUIT) {
                window->route(message);
            }
        }
    }
    // A key as the message loop would get it, sent to the control with the focus.
    void key(UINT message, WPARAM code, LPARAM flags = 1) {
        MSG routed{::GetFocus(), message, code, flags, 0, {}};
        window->route(routed);
        pump();
    }
    // Types the phrase into the entry box and presses Enter, here and in the reference game.
    void enter(const std::string& phrase) {
        ::SetFocus(control(L"txtComando"));
        for (const wchar_t typed : widen(phrase)) {
            key(WM_CHAR, typed);
        }
        key(WM_KEYDOWN, VK_RETURN);
        recording.entry = phrase;
        reference.cmdIr_Click();
        ::SetWindowTextW(control(L"txtComando"), L"");
    }
    void click(const wchar_t* button) {
        ::SendMessageW(control(button), BM_CLICK, 0, 0);
        pump();
    }
    HWND control(const std::wstring& name) const { return window->control(name); }
    std::wstring shownInSceneArea() const {
        std::wstring shown;
        for (const std::wstring& name : kPictureBoxes) {
            shown += ::IsWindowVisible(control(name)) != FALSE ? name : L"";
        }
        return shown +
               (::IsWindowVisible(control(L"txtEscenario")) != FALSE ? L"txtEscenario" : L"");
    }
    // The window shows what the shared game over a recording window shows.
    void expectMirrorsReference(const std::string& step) const {
        const std::optional<quivra::Picture> picture = recording.onlyPicture();
        const std::wstring expected =
            picture ? kPictureBoxes[static_cast<std::size_t>(*picture)] : L"txtEscenario";
        EXPECT_EQ(shownInSceneArea(), expected) << step;
        EXPECT_EQ(narrow(textOf(control(L"txtOkOrNot"))), recording.verdict) << step;
        EXPECT_EQ(narrow(textOf(control(L"txtEscenario"))), recording.scene) << step;
        EXPECT_EQ(window->game().strEstado, reference.game().strEstado) << step;
    }
    std::filesystem::path newFolder() {
        folder = std::filesystem::temp_directory_path() / L"Quivra prueba ñandú";
        std::filesystem::create_directories(folder);
        return folder;
    }

    ScriptedDialogs* dialogs = nullptr;
    std::unique_ptr<frmQuivra> window;
    RecordingWindow recording;
    ScriptedDialogs referenceDialogs;
    MemoryFiles referenceFiles;
    quivra::Commands reference{recording, referenceDialogs, referenceFiles};
    std::filesystem::path folder;
};

TEST_F(WinFaceTest, StartsInTheFirstSceneWithTheFocusInTheEntryBox) {
    EXPECT_EQ(textOf(window->handle()), L"Quivra");
    EXPECT_EQ(::GetFocus(), control(L"txtComando"));
    expectMirrorsReference("start");
    RECT client;
    ::GetClientRect(window->handle(), &client);
    EXPECT_EQ(client.right, 600);
    EXPECT_EQ(client.bottom, 486);
}

// At 200 % every control is twice as large and as far, and every picture box draws its 2x
// picture, which is twice the size of the one it draws at 96 DPI.
TEST_F(WinFaceTest, ScalesEveryControlAndPictureAtTwoHundredPercent) {
    std::vector<std::pair<HWND, RECT>> before;
    for (HWND child = ::GetWindow(window->handle(), GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        before.emplace_back(child, placeOf(child));
    }
    std::vector<LRESULT> drawn;
    for (const std::wstring& name : kPictureBoxes) {
        drawn.push_back(::SendMessageW(control(name), kGetDrawnSize, 0, 0));
    }
    RECT suggested;
    ::GetWindowRect(window->handle(), &suggested);
    ::SendMessageW(window->handle(), WM_DPICHANGED, MAKEWPARAM(192, 192),
                   reinterpret_cast<LPARAM>(&suggested));
    ASSERT_EQ(before.size(), frmQuivra::kControlCount);
    for (const auto& [child, place] : before) {
        const RECT doubled{2 * place.left, 2 * place.top, 2 * place.right, 2 * place.bottom};
        const RECT after = placeOf(child);
        EXPECT_TRUE(::EqualRect(&after, &doubled)) << narrow(textOf(child));
    }
    for (std::size_t i = 0; i < std::size(kPictureBoxes); ++i) {
        const LRESULT sharp = ::SendMessageW(control(kPictureBoxes[i]), kGetDrawnSize, 0, 0);
        EXPECT_NE(drawn[i], 0) << "every picture decodes: " << narrow(kPictureBoxes[i]);
        EXPECT_EQ(sharp, MAKELRESULT(2 * LOWORD(drawn[i]), 2 * HIWORD(drawn[i])));
    }
}

// First a wrong phrase played with "Ir", which only says "Equivocado"; then a walk typed into
// the entry box, Enter after each phrase, to an ending.
TEST_F(WinFaceTest, AWalkToAnEndingShowsWhatTheSharedGameShows) {
    ::SetWindowTextW(control(L"txtComando"), L"navegar");
    click(L"cmdIr");
    recording.entry = "navegar";
    reference.cmdIr_Click();
    EXPECT_EQ(narrow(textOf(control(L"txtOkOrNot"))), quivra::kEquivocado);
    expectMirrorsReference("a wrong phrase");
    ::SetWindowTextW(control(L"txtComando"), L"");
    for (const std::string& phrase : kLongestPlay) {
        enter(phrase);
        expectMirrorsReference(phrase);
    }
    EXPECT_EQ(recording.verdict, quivra::kFin);
}

TEST_F(WinFaceTest, NewGameStartsAgainOnlyWhenAnsweredYes) {
    for (const quivra::Answer answer : {quivra::Answer::No, quivra::Answer::Yes}) {
        enter("zarpar");
        dialogs->answers = {answer};
        referenceDialogs.answers = {answer};
        click(L"cmdNuevoJuego");
        reference.cmdNuevoJuego_Click();
        expectMirrorsReference(answer == quivra::Answer::Yes ? "yes" : "no");
    }
}

// Save as writes the bytes the shared game writes for the same play, to a path with letters
// beyond ASCII; Open reads them back; the caption ends with the path's last 50 characters.
TEST_F(WinFaceTest, SaveAsAndOpenKeepEveryByteAndNameTheFile) {
    const std::filesystem::path saved = newFolder() / L"partida del grumete, año 1790 — ñ.txt";
    const std::filesystem::path again = folder / L"otra.txt";
    const std::wstring wide = saved.wstring();
    for (const char* phrase : {"zarpar", "navegar hacia la balsa"}) {
        enter(phrase);
    }
    dialogs->files = {narrow(wide)};
    referenceDialogs.files = {"reference.txt"};
    click(L"cmdSaveAs");
    reference.cmdSaveAs_Click();
    ASSERT_EQ(bytesOf(saved), referenceFiles.files["reference.txt"]);
    EXPECT_EQ(textOf(window->handle()), L"..." + wide.substr(wide.size() - 50) + L" - Quivra");

    dialogs->answers = {quivra::Answer::Yes};
    referenceDialogs.answers = {quivra::Answer::Yes};
    click(L"cmdNuevoJuego");
    reference.cmdNuevoJuego_Click();
    EXPECT_EQ(textOf(window->handle()), L"Quivra") << "a new game forgets the file";
    dialogs->files = {narrow(wide), narrow(again.wstring())};
    referenceDialogs.files = {"reference.txt"};
    click(L"cmdAbrirP");
    reference.cmdAbrirP_Click();
    EXPECT_EQ(textOf(window->handle()), L"..." + wide.substr(wide.size() - 50) + L" - Quivra");
    expectMirrorsReference("opened");
    click(L"cmdSaveAs");
    EXPECT_EQ(bytesOf(again), bytesOf(saved));
    EXPECT_TRUE(dialogs->boxes.size() == 1) << "only the New game question was asked";
}

// Alt+G is Save and Alt+C is Save as, wherever the focus is; Save writes the current file
// without a dialog, Save as always asks. A letter without Alt presses nothing, even where a
// dialog box would take it for the access key.
TEST_F(WinFaceTest, AccessKeysPressSaveAndSaveAsWhereverTheFocusIs) {
    const std::filesystem::path current = newFolder() / L"actual.txt";
    dialogs->files = {narrow(current.wstring())};
    click(L"cmdSaveAs");
    const struct {
        const wchar_t* focus;
        UINT message;
        wchar_t letter;
        std::size_t fileQuestions;
        bool saved;
    } presses[] = {
        {L"txtComando", WM_SYSCHAR, L'g', 1, true}, {L"txtHints", WM_SYSCHAR, L'G', 1, true},
        {L"cmdSalir", WM_SYSCHAR, L'c', 2, false},  {L"txtComando", WM_SYSCHAR, L'c', 3, false},
        {L"cmdSalir", WM_CHAR, L'g', 3, false},     {L"pic_1_0", WM_CHAR, L'c', 3, false}};
    for (const auto& press : presses) {
        std::filesystem::remove(current);
        ::SetFocus(control(press.focus));
        key(press.message, press.letter, press.message == WM_SYSCHAR ? 1 | (1 << 29) : 1);
        EXPECT_EQ(dialogs->fileQuestions.size(), press.fileQuestions) << char(press.letter);
        EXPECT_EQ(std::filesystem::exists(current), press.saved) << char(press.letter);
    }
}

TEST_F(WinFaceTest, TabFollowsTheTabIndicesAndSkipsWhatIsHidden) {
    const std::vector<std::wstring> expected = {
        L"cmdSave",   L"cmdSaveAs", L"txtOkOrNot", L"pic_1_0",  L"cmdNuevoJuego",
        L"cmdAbrirP", L"cmdSalir",  L"cmdIr",      L"txtHints", L"txtComando"};
    for (const std::wstring& next : expected) {
        key(WM_KEYDOWN, VK_TAB);
        EXPECT_EQ(::GetFocus(), control(next)) << "expected " << narrow(next);
    }
}

// What a screen reader calls each button and picture. (The edit boxes' names are dynamic
// annotations, which Wine does not keep; see the README.)
TEST_F(WinFaceTest, ButtonsAndPicturesHaveDistinctSpokenNames) {
    std::vector<std::wstring> boxes = {L"cmdIr",         L"cmdSalir",  L"cmdAbrirP",
                                       L"cmdNuevoJuego", L"cmdSaveAs", L"cmdSave"};
    boxes.insert(boxes.end(), std::begin(kPictureBoxes), std::end(kPictureBoxes));
    std::set<std::wstring> names;
    for (const std::wstring& box : boxes) {
        IAccessible* accessible = nullptr;
        ASSERT_EQ(::AccessibleObjectFromWindow(control(box), OBJID_CLIENT, IID_IAccessible,
                                               reinterpret_cast<void**>(&accessible)),
                  S_OK);
        VARIANT self;
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        BSTR name = nullptr;
        accessible->get_accName(self, &name);
        const std::wstring spoken = name != nullptr ? name : L"";
        ::SysFreeString(name);
        accessible->Release();
        EXPECT_FALSE(spoken.empty() || spoken == box || spoken.find(L'&') != std::wstring::npos)
            << narrow(box) << " is called \"" << narrow(spoken) << '"';
        names.insert(spoken);
    }
    EXPECT_EQ(names.size(), boxes.size()) << "no two are called alike";
}

// Enter presses the button that has the focus and Esc presses none, not even from the
// multi-line boxes, which would otherwise take both keys.
TEST_F(WinFaceTest, EnterPressesTheFocusedButtonAndEscPressesNothing) {
    for (const wchar_t* focus : {L"txtComando", L"txtHints", L"cmdSalir", L"pic_1_0"}) {
        ::SetFocus(control(focus));
        key(WM_KEYDOWN, VK_ESCAPE);
    }
    EXPECT_TRUE(dialogs->boxes.empty());
    EXPECT_TRUE(::IsWindow(window->handle()));
    ::SetFocus(control(L"cmdNuevoJuego"));
    key(WM_KEYDOWN, VK_RETURN);
    ASSERT_EQ(dialogs->boxes.size(), 1U);
    EXPECT_EQ(dialogs->boxes[0].title, "Nuevo juego");
}

} // namespace
