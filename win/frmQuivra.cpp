// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

#include "frmQuivra.hpp"

#include "accessibility.hpp"
#include "buttons.hpp"
#include "dialogs.hpp"
#include "pictures.hpp"
#include "utf16.hpp"
#include "window_design.hpp"

#include <algorithm>
#include <cmath>
#include <commctrl.h>
#include <map>
#include <optional>
#include <span>
#include <utility>

namespace quivra::win {

namespace {

constexpr const wchar_t* kWindowClass = L"frmQuivra";
using Kind = quivra::ControlKind;

// A control of the game's design with the texts Win32 takes, in UTF-16.
struct Control {
    const quivra::ControlDesign* designed;
    std::wstring name;
    std::wstring text; // caption, or a picture's title
    // cppcheck-suppress unusedStructMember ; read through controls()
    std::wstring tooltip; // empty for none
    // cppcheck-suppress unusedStructMember ; read through controls()
    std::wstring spokenName; // what a screen reader calls it
    // cppcheck-suppress unusedStructMember ; read through controls()
    std::wstring description; // a picture's
    // cppcheck-suppress unusedStructMember ; read through controls()
    std::wstring image; // a button's picture, its file name made a C identifier
};

// The game's design, in its stored order, which is the order of creation.
const std::vector<Control>& controls() {
    static const std::vector<Control> built = [] {
        std::vector<Control> all;
        for (const quivra::ControlDesign& designed : quivra::windowDesign()) {
            std::wstring image = widen(designed.image.name);
            std::ranges::replace(image, L'-', L'_');
            const bool picture = designed.kind == Kind::PictureBox;
            all.push_back({&designed, widen(designed.name),
                           widen(picture ? designed.accessibleName : designed.caption),
                           widen(designed.tooltip), widen(designed.accessibleName),
                           widen(designed.description), image});
        }
        return all;
    }();
    return built;
}

const quivra::ControlDesign& design(std::size_t index) {
    return *controls()[index].designed;
}

constexpr int kFirstControlId = 100; // clear of IDOK and IDCANCEL, which the dialog keys send
// Posted by show(), so that what the start-up reset said follows the window's appearance.
constexpr UINT kSayUnsaid = WM_APP + 10;

std::wstring textOf(HWND box) {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(box)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        ::GetWindowTextW(box, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::size_t indexNamed(std::wstring_view name) {
    return static_cast<std::size_t>(std::ranges::find(controls(), name, &Control::name) -
                                    controls().begin());
}

struct WindowStyle {
    const wchar_t* windowClass;
    DWORD style;
    DWORD extended;
};

// Sunken edges where the design has them, a one-pixel line where it draws flat boxes.
WindowStyle styleOf(Kind kind) {
    constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
    constexpr DWORD kMultiLine = ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP;
    switch (kind) {
    case Kind::Entry:
        return {WC_EDITW, kChild | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case Kind::Verdict:
        return {WC_EDITW,
                kChild | WS_TABSTOP | ES_CENTER | ES_READONLY | ES_AUTOHSCROLL | WS_BORDER, 0};
    case Kind::Scene:
        return {WC_EDITW, kChild | kMultiLine | ES_READONLY | WS_BORDER, 0};
    case Kind::Hints:
        return {WC_EDITW, kChild | kMultiLine | ES_WANTRETURN, WS_EX_CLIENTEDGE};
    case Kind::Button:
        return {WC_BUTTONW, kChild | WS_TABSTOP | BS_OWNERDRAW, 0};
    case Kind::PictureBox:
        return {kPictureBoxClass, kChild | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case Kind::Label:
        break;
    }
    return {WC_STATICW, kChild | SS_CENTER | SS_NOPREFIX, 0};
}

int scaled(int pixels, UINT dpi) {
    return ::MulDiv(pixels, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI);
}

template <typename Function>
Function systemFunction(const wchar_t* module, const char* name) {
    return reinterpret_cast<Function>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(module), name)));
}

// Per-monitor DPI came with Windows 10; earlier systems have one DPI for every window.
UINT dpiOf(HWND window) {
    using GetDpiForWindow = UINT(WINAPI*)(HWND);
    static const auto perWindow = systemFunction<GetDpiForWindow>(L"user32.dll", "GetDpiForWindow");
    if (perWindow != nullptr) {
        return perWindow(window);
    }
    HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    return static_cast<UINT>(dpi);
}

RECT frameAround(SIZE client, DWORD style, UINT dpi) {
    using AdjustForDpi = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    static const auto adjustForDpi =
        systemFunction<AdjustForDpi>(L"user32.dll", "AdjustWindowRectExForDpi");
    RECT frame{0, 0, client.cx, client.cy};
    if (adjustForDpi != nullptr) {
        adjustForDpi(&frame, style, FALSE, 0, dpi);
    } else {
        ::AdjustWindowRectEx(&frame, style, FALSE, 0);
    }
    return frame;
}

int CALLBACK noteOutlineFont(const LOGFONTW* /*font*/, const TEXTMETRICW* /*metrics*/, DWORD type,
                             LPARAM found) {
    *reinterpret_cast<bool*>(found) = (type & RASTER_FONTTYPE) == 0;
    return *reinterpret_cast<bool*>(found) ? 0 : 1;
}

// The first of the design's faces this computer has as an outline font: MS Sans Serif is a
// bitmap font with a few sizes, so its TrueType twin, next in the list, scales to any DPI in
// its place; under Wine the Liberation fonts of the same widths stand in.
const std::wstring& installed(std::span<const std::string_view> families) {
    static std::map<const std::string_view*, std::wstring> chosen;
    const auto [known, added] = chosen.try_emplace(families.data(), widen(families.front()));
    if (added) {
        HDC screen = ::GetDC(nullptr);
        for (const std::string_view family : families) {
            LOGFONTW wanted{};
            wanted.lfCharSet = DEFAULT_CHARSET;
            ::lstrcpynW(wanted.lfFaceName, widen(family).c_str(), LF_FACESIZE);
            bool found = false;
            ::EnumFontFamiliesExW(screen, &wanted, noteOutlineFont,
                                  reinterpret_cast<LPARAM>(&found), 0);
            if (found) {
                known->second = wanted.lfFaceName;
                break;
            }
        }
        ::ReleaseDC(nullptr, screen);
    }
    return known->second;
}

HFONT makeFont(const quivra::Font& font, UINT dpi) {
    const auto height = -static_cast<int>(std::lround(font.points * dpi / 72.0));
    return ::CreateFontW(height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                         DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                         DEFAULT_PITCH | FF_DONTCARE, installed(font.families).c_str());
}

// COLOR_WINDOWTEXT and the like for the desktop's own colours; none for the design's.
std::optional<int> systemColour(quivra::SystemColour colour) {
    switch (colour) {
    case quivra::SystemColour::WindowText:
        return COLOR_WINDOWTEXT;
    case quivra::SystemColour::Window:
        return COLOR_WINDOW;
    case quivra::SystemColour::ButtonText:
        return COLOR_BTNTEXT;
    case quivra::SystemColour::ButtonFace:
        return COLOR_BTNFACE;
    case quivra::SystemColour::None:
        break;
    }
    return std::nullopt;
}

COLORREF colourOf(const quivra::Colour& colour) {
    const std::optional<int> system = systemColour(colour.system);
    return system ? ::GetSysColor(*system) : RGB(colour.red, colour.green, colour.blue);
}

// The window's classes are registered once, with the first window.
HWND createMainWindow(WNDPROC procedure) {
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    static const ATOM windowClass = [&] {
        registerPictureBox(instance);
        WNDCLASSEXW main{};
        main.cbSize = sizeof main;
        main.lpfnWndProc = procedure;
        main.hInstance = instance;
        main.hIcon = ::LoadIconW(instance, L"IDI_QUIVRA"); // from the version resource
        main.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        main.hbrBackground = ::GetSysColorBrush(COLOR_BTNFACE);
        main.lpszClassName = kWindowClass;
        return ::RegisterClassExW(&main);
    }();
    // The reset gives the window its caption.
    return ::CreateWindowExW(0, MAKEINTATOM(windowClass), L"", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                             instance, nullptr);
}

} // namespace

// Each control's font from the design, made for the window's current DPI.
struct frmQuivra::Fonts {
    std::vector<HFONT> of;

    Fonts(UINT dpi, const quivra::Font& scene) {
        for (const Control& each : controls()) {
            const bool isScene = each.designed->kind == Kind::Scene;
            of.push_back(makeFont(isScene ? scene : each.designed->font, dpi));
        }
    }
    Fonts(const Fonts&) = delete;
    Fonts& operator=(const Fonts&) = delete;
    ~Fonts() {
        for (HFONT font : of) {
            ::DeleteObject(font);
        }
    }
};

// The buttons' pictures, decoded for the window's current DPI.
struct frmQuivra::ButtonPictures {
    std::vector<Bitmap> pictures;
    explicit ButtonPictures(UINT dpi) : pictures(controls().size()) {
        for (std::size_t i = 0; i < controls().size(); ++i) {
            if (!controls()[i].image.empty()) {
                pictures[i] = loadPicture(controls()[i].image.c_str(), L"png", dpi);
            }
        }
    }
};

frmQuivra::frmQuivra(std::unique_ptr<quivra::Dialogs> dialogs, Notifier notify)
    : window_(createMainWindow(windowProc)), sceneFont_(design(indexNamed(L"txtEscenario")).font),
      notify_(notify ? std::move(notify) : raiseNotification),
      dialogs_(dialogs ? std::move(dialogs) : std::make_unique<Win32Dialogs>(window_)),
      commands_(*this, *dialogs_, files_) {
    ::SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    dpi_ = dpiOf(window_);
    createControls();
    layOut(dpi_);
    commands_.Form_Load();
    // The scene box comes first in tab order but the reset hid it: the entry box is next.
    lastFocus_ = control(L"txtComando");
    ::SetFocus(lastFocus_);
}

frmQuivra::~frmQuivra() {
    if (::IsWindow(window_) != FALSE) {
        ::SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        ::DestroyWindow(window_);
    }
    for (HBRUSH brush : ownBrushes_) {
        ::DeleteObject(brush);
    }
}

void frmQuivra::show(int how) {
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(window_, GWL_STYLE));
    const RECT frame = frameAround(
        {scaled(quivra::kClientSize.width, dpi_), scaled(quivra::kClientSize.height, dpi_)}, style,
        dpi_);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    ::GetMonitorInfoW(::MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    ::SetWindowPos(window_, nullptr, (work.left + work.right - width) / 2,
                   (work.top + work.bottom - height) / 2, width, height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    ::ShowWindow(window_, how);
    ::SetFocus(lastFocus_);
    ::PostMessageW(window_, kSayUnsaid, 0, 0);
}

// Typed characters skip the dialog manager, which would take a plain letter for an access
// key whenever a button had the focus: in this window only Alt with the letter presses one.
void frmQuivra::route(MSG& message) {
    if (message.message == WM_CHAR || ::IsDialogMessageW(window_, &message) == FALSE) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

HWND frmQuivra::control(std::wstring_view name) const {
    const std::size_t index = indexNamed(name);
    return index < controls_.size() ? controls_[index] : nullptr;
}

std::size_t frmQuivra::indexOf(HWND control) const {
    return static_cast<std::size_t>(std::ranges::find(controls_, control) - controls_.begin());
}

void frmQuivra::createControls() {
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    for (std::size_t i = 0; i < controls().size(); ++i) {
        const Control& each = controls()[i];
        const WindowStyle style = styleOf(each.designed->kind);
        // A picture box is told the name of its JPEG, which is its own name.
        controls_.push_back(::CreateWindowExW(
            style.extended, style.windowClass, each.text.c_str(), style.style, 0, 0, 0, 0, window_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + static_cast<int>(i))),
            instance, const_cast<wchar_t*>(each.name.c_str())));
        if (each.designed->kind == Kind::PictureBox) {
            nameForScreenReaders(controls_[i], each.text.c_str(), each.description.c_str());
        } else if (each.designed->kind != Kind::Button && each.designed->kind != Kind::Label) {
            nameForScreenReaders(controls_[i], each.spokenName.c_str());
        }
        const quivra::Colour& paper = each.designed->colours.background;
        ownBrushes_.push_back(systemColour(paper.system) ? nullptr
                                                         : ::CreateSolidBrush(colourOf(paper)));
    }
    HWND entry = control(L"txtComando");
    ::SetWindowSubclass(entry, entryProc, 0, reinterpret_cast<DWORD_PTR>(this));
    for (const wchar_t* multiLine : {L"txtEscenario", L"txtHints"}) {
        ::SetWindowSubclass(control(multiLine), multiLineProc, 0, 0);
    }
    // No length limit, as the design's boxes have none.
    for (const wchar_t* box : {L"txtComando", L"txtEscenario", L"txtHints", L"txtOkOrNot"}) {
        ::SendMessageW(control(box), EM_SETLIMITTEXT, 0, 0);
    }
    ::SetWindowTextW(control(L"txtHints"), widen(quivra::hintList()).c_str());
    ::SetWindowTextW(control(L"txtEscenario"), widen(quivra::kInitialSceneText).c_str());
    addTooltips();
    followTabIndices();
}

void frmQuivra::addTooltips() {
    tooltips_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                  window_, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    for (std::size_t i = 0; i < controls().size(); ++i) {
        if (controls()[i].tooltip.empty()) {
            continue;
        }
        TOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = window_;
        tool.uId = reinterpret_cast<UINT_PTR>(controls_[i]);
        tool.lpszText = const_cast<wchar_t*>(controls()[i].tooltip.c_str());
        ::SendMessageW(tooltips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    ::SendMessageW(tooltips_, TTM_SETMAXTIPWIDTH, 0, 400);
}

// The dialog manager walks the controls in z-order, so the z-order is made the tab order.
// Only one control of the scene area is ever visible, so the stacking shows nowhere.
void frmQuivra::followTabIndices() {
    std::vector<std::size_t> byTabIndex(controls_.size());
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        byTabIndex.at(static_cast<std::size_t>(design(i).tabIndex)) = i;
    }
    HWND previous = HWND_TOP;
    for (const std::size_t index : byTabIndex) {
        ::SetWindowPos(controls_[index], previous, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        previous = controls_[index];
    }
}

void frmQuivra::layOut(UINT dpi) {
    dpi_ = dpi;
    // The old fonts are deleted only once no control uses them any more.
    auto fonts = std::make_unique<Fonts>(dpi, sceneFont_);
    buttonPictures_ = std::make_unique<ButtonPictures>(dpi);
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        const auto [left, top, width, height] = design(i).bounds;
        ::SetWindowPos(controls_[i], nullptr, scaled(left, dpi), scaled(top, dpi),
                       scaled(width, dpi), scaled(height, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
        if (design(i).kind == Kind::PictureBox) {
            ::SendMessageW(controls_[i], kSetPictureDpi, dpi, 0);
        }
        ::SendMessageW(controls_[i], WM_SETFONT, reinterpret_cast<WPARAM>(fonts->of[i]), TRUE);
    }
    fonts_ = std::move(fonts);
}

void frmQuivra::resetSceneFont() {
    sceneFont_ = quivra::kResetSceneFont;
    const std::size_t scene = indexNamed(L"txtEscenario");
    HFONT old = std::exchange(fonts_->of[scene], makeFont(sceneFont_, dpi_));
    ::SendMessageW(controls_[scene], WM_SETFONT, reinterpret_cast<WPARAM>(fonts_->of[scene]), TRUE);
    ::DeleteObject(old);
}

LRESULT CALLBACK frmQuivra::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<frmQuivra*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    return self->onMessage(message, wParam, lParam);
}

LRESULT frmQuivra::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        onCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_DRAWITEM:
        drawButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    // Read-only boxes would take the dialog's colours, and edit boxes the window's: every
    // control takes the design's.
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        if (const std::size_t index = indexOf(reinterpret_cast<HWND>(lParam));
            index < controls_.size()) {
            auto* dc = reinterpret_cast<HDC>(wParam);
            ::SetTextColor(dc, colourOf(design(index).colours.text));
            ::SetBkColor(dc, colourOf(design(index).colours.background));
            return reinterpret_cast<LRESULT>(background(index));
        }
        break;
    // The focus comes back to the control that had it when the window is active again.
    case WM_ACTIVATE:
        if (HWND focus = ::GetFocus(); LOWORD(wParam) == WA_INACTIVE) {
            lastFocus_ = ::IsChild(window_, focus) != FALSE ? focus : lastFocus_;
        } else if (lastFocus_ != nullptr) {
            ::SetFocus(lastFocus_);
            return 0;
        }
        break;
    case kSayUnsaid:
        shown_ = true;
        if (!unsaid_.empty()) {
            announce(std::exchange(unsaid_, {}));
        }
        return 0;
    case WM_DPICHANGED: {
        const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
        ::SetWindowPos(window_, nullptr, suggested.left, suggested.top,
                       suggested.right - suggested.left, suggested.bottom - suggested.top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
        layOut(HIWORD(wParam));
        ::InvalidateRect(window_, nullptr, TRUE);
        return 0;
    }
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return ::DefWindowProcW(window_, message, wParam, lParam);
}

HBRUSH frmQuivra::background(std::size_t index) const {
    const std::optional<int> system = systemColour(design(index).colours.background.system);
    return system ? ::GetSysColorBrush(*system) : ownBrushes_[index];
}

// A click, Space, or the access key sends BN_CLICKED. Enter on a focused button comes as
// IDOK, since the window has no default button; Esc comes as IDCANCEL and presses nothing.
void frmQuivra::onCommand(int id, int code) {
    const auto runs = [this](std::size_t index) {
        return index < controls_.size() ? design(index).command : quivra::Command::None;
    };
    if (id == IDOK) {
        HWND focus = ::GetFocus();
        if (runs(indexOf(focus)) != quivra::Command::None) {
            ::SendMessageW(focus, BM_CLICK, 0, 0);
        }
    } else if (id >= kFirstControlId && code == BN_CLICKED) {
        commands_.click(runs(static_cast<std::size_t>(id - kFirstControlId)));
    }
}

void frmQuivra::drawButton(const DRAWITEMSTRUCT& item) {
    const std::size_t index = item.CtlID - kFirstControlId;
    if (index >= controls_.size()) {
        return;
    }
    const quivra::ButtonImage& natural = design(index).image;
    drawCommandButton(item, buttonPictures_->pictures[index],
                      {scaled(natural.width, dpi_), scaled(natural.height, dpi_)},
                      colourOf(design(index).colours.text), background(index));
}

// Enter reaches the entry box's key handler as character 13 and types nothing; every other
// character goes to the handler and then into the box.
LRESULT CALLBACK frmQuivra::entryProc(HWND entry, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR /*id*/, DWORD_PTR window) {
    if (message == WM_GETDLGCODE && lParam != 0) {
        const auto* key = reinterpret_cast<const MSG*>(lParam);
        if (key->message == WM_KEYDOWN && key->wParam == VK_RETURN) {
            return ::DefSubclassProc(entry, message, wParam, lParam) | DLGC_WANTMESSAGE;
        }
    }
    if (message == WM_CHAR) {
        auto KeyAscii = static_cast<std::int16_t>(wParam);
        reinterpret_cast<frmQuivra*>(window)->commands_.txtComando_KeyPress(KeyAscii);
        if (wParam == VK_RETURN) {
            return 0;
        }
    }
    return ::DefSubclassProc(entry, message, wParam, lParam);
}

// A multi-line box wants every key, Tab and Esc too; here Tab moves on, as in the design,
// and Esc goes to the window, which presses nothing.
LRESULT CALLBACK frmQuivra::multiLineProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR /*id*/, DWORD_PTR /*unused*/) {
    LRESULT code = ::DefSubclassProc(box, message, wParam, lParam);
    if (message == WM_GETDLGCODE && lParam != 0) {
        const auto* key = reinterpret_cast<const MSG*>(lParam);
        if (key->message == WM_KEYDOWN && (key->wParam == VK_TAB || key->wParam == VK_ESCAPE)) {
            code &= ~(DLGC_WANTALLKEYS | DLGC_WANTTAB | DLGC_WANTMESSAGE);
        }
    }
    return code;
}

std::string_view frmQuivra::readEntryText() {
    entryText_ = narrow(textOf(control(L"txtComando")));
    return entryText_;
}

void frmQuivra::writeSceneText(std::string_view text) {
    ::SetWindowTextW(control(L"txtEscenario"), widen(text).c_str());
}

void frmQuivra::showSceneText(bool visible) {
    ::ShowWindow(control(L"txtEscenario"), visible ? SW_SHOWNA : SW_HIDE);
}

void frmQuivra::writeVerdict(std::string_view verdict) {
    ::SetWindowTextW(control(L"txtOkOrNot"), widen(verdict).c_str());
}

void frmQuivra::showPicture(quivra::Picture picture, bool visible) {
    ::ShowWindow(control(widen(quivra::pictureBox(picture).name)), visible ? SW_SHOWNA : SW_HIDE);
}

void frmQuivra::clearEntryText() {
    ::SetWindowTextW(control(L"txtComando"), L"");
}

void frmQuivra::setCaption(std::string_view caption) {
    ::SetWindowTextW(window_, widen(caption).c_str());
}

// One notification per command, from the window the player is in; before the window shows
// there is no one to hear it, so the reset's words wait for show().
void frmQuivra::announce(std::string_view text) {
    if (!shown_) {
        unsaid_ = text;
        return;
    }
    notify_(window_, widen(text));
}

} // namespace quivra::win
