// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

#include "frmQuivra.hpp"

#include "accessibility.hpp"
#include "dialogs.hpp"
#include "interpreter.hpp"
#include "pictures.hpp"
#include "text.hpp"
#include "window_design.hpp"

#include <algorithm>
#include <commctrl.h>
#include <iterator>
#include <utility>
#include <vector>

namespace {

constexpr const wchar_t* kWindowClass = L"frmQuivra";
using Kind = quivra::ControlKind;

// One control of the game's design, as the Win32 face uses it: its texts in UTF-16, and the
// command its click runs.
struct ControlDesign {
    std::wstring name;
    Kind kind;
    RECT pixels; // left, top, width, height
    // cppcheck-suppress unusedStructMember ; read through design()
    int tabIndex;
    std::wstring text; // caption, or a picture's title
    // cppcheck-suppress unusedStructMember ; read through design()
    std::wstring tooltip;    // empty for none
    std::wstring spokenName; // what a screen reader calls it
    // cppcheck-suppress unusedStructMember ; read through design()
    std::wstring image; // a button's picture, its file name made a C identifier
    SIZE imageSize;
    std::wstring description; // a picture's, for screen readers
    // cppcheck-suppress unusedStructMember ; read through design()
    void (quivra::Commands::*click)();
};

void (quivra::Commands::*clickOf(std::string_view name))() {
    const std::pair<std::string_view, void (quivra::Commands::*)()> clicks[] = {
        {"cmdIr", &quivra::Commands::cmdIr_Click},
        {"cmdNuevoJuego", &quivra::Commands::cmdNuevoJuego_Click},
        {"cmdAbrirP", &quivra::Commands::cmdAbrirP_Click},
        {"cmdSave", &quivra::Commands::cmdSave_Click},
        {"cmdSaveAs", &quivra::Commands::cmdSaveAs_Click},
        {"cmdSalir", &quivra::Commands::cmdSalir_Click}};
    for (const auto& [button, click] : clicks) {
        if (button == name) {
            return click;
        }
    }
    return nullptr;
}

// The game's design, in its stored order, which is the order of creation.
const std::vector<ControlDesign>& design() {
    static const std::vector<ControlDesign> controls = [] {
        std::vector<ControlDesign> built;
        for (const quivra::ControlDesign& control : quivra::windowDesign()) {
            const auto [left, top, width, height] = control.pixels;
            std::wstring image = widen(control.image);
            std::ranges::replace(image, L'-', L'_');
            const bool picture = control.kind == Kind::PictureBox;
            built.push_back({widen(control.name),
                             control.kind,
                             {left, top, width, height},
                             control.tabIndex,
                             widen(picture ? control.accessibleName : control.caption),
                             widen(control.tooltip),
                             widen(control.accessibleName),
                             image,
                             {control.imageWidth, control.imageHeight},
                             widen(control.description),
                             clickOf(control.name)});
        }
        return built;
    }();
    return controls;
}

constexpr int kFirstControlId = 100; // clear of IDOK and IDCANCEL, which the dialog keys send

std::wstring textOf(HWND box) {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(box)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        ::GetWindowTextW(box, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::size_t indexOf(std::wstring_view name) {
    return static_cast<std::size_t>(std::ranges::find(design(), name, &ControlDesign::name) -
                                    design().begin());
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

// Sizes in hundredths of a point, as the design gives them (8.25, 9.75, 11.25).
HFONT makeFont(const wchar_t* face, int hundredths, UINT dpi, bool bold = false) {
    const int height = -::MulDiv(hundredths, static_cast<int>(dpi), 7200);
    return ::CreateFontW(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                         DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                         DEFAULT_PITCH | FF_DONTCARE, face);
}

int CALLBACK noteFound(const LOGFONTW* /*font*/, const TEXTMETRICW* /*metrics*/, DWORD /*type*/,
                       LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

// The first of `faces` this computer has. Windows has the design's fonts; elsewhere, as under
// Wine, the Liberation fonts of the same widths stand in, as they do on Linux.
const wchar_t* installed(std::initializer_list<const wchar_t*> faces) {
    HDC screen = ::GetDC(nullptr);
    const wchar_t* chosen = *faces.begin();
    for (const wchar_t* face : faces) {
        LOGFONTW wanted{};
        wanted.lfCharSet = DEFAULT_CHARSET;
        ::lstrcpynW(wanted.lfFaceName, face, LF_FACESIZE);
        bool found = false;
        ::EnumFontFamiliesExW(screen, &wanted, noteFound, reinterpret_cast<LPARAM>(&found), 0);
        if (found) {
            chosen = face;
            break;
        }
    }
    ::ReleaseDC(nullptr, screen);
    return chosen;
}

// MS Sans Serif is a bitmap font with a few sizes; its TrueType twin scales to any DPI.
const wchar_t* sansSerif() {
    static const wchar_t* const face = installed({L"Microsoft Sans Serif", L"Liberation Sans"});
    return face;
}

const wchar_t* serif() {
    static const wchar_t* const face = installed({L"Times New Roman", L"Liberation Serif"});
    return face;
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
    return ::CreateWindowExW(0, MAKEINTATOM(windowClass), L"Quivra", WS_OVERLAPPEDWINDOW,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                             nullptr, instance, nullptr);
}

} // namespace

struct frmQuivra::Fonts {
    HFONT dialog = nullptr;
    HFONT bold = nullptr;
    HFONT entry = nullptr;
    HFONT verdict = nullptr;
    HFONT scene = nullptr;

    Fonts(UINT dpi, int sceneSize)
        : dialog(makeFont(sansSerif(), 825, dpi)), bold(makeFont(sansSerif(), 825, dpi, true)),
          entry(makeFont(sansSerif(), 975, dpi)), verdict(makeFont(serif(), 1200, dpi)),
          scene(makeFont(serif(), sceneSize, dpi)) {}
    Fonts(const Fonts&) = delete;
    Fonts& operator=(const Fonts&) = delete;
    ~Fonts() {
        for (HFONT font : {dialog, bold, entry, verdict, scene}) {
            ::DeleteObject(font);
        }
    }
    HFONT of(Kind kind) const {
        switch (kind) {
        case Kind::Entry:
            return entry;
        case Kind::Verdict:
            return verdict;
        case Kind::Scene:
            return scene;
        case Kind::Label:
            return bold;
        default:
            return dialog;
        }
    }
};

// The buttons' pictures, decoded for the window's current DPI.
struct frmQuivra::ButtonPictures {
    std::array<Bitmap, kControlCount> pictures;
    explicit ButtonPictures(UINT dpi) {
        for (std::size_t i = 0; i < kControlCount; ++i) {
            if (!design()[i].image.empty()) {
                pictures[i] = loadPicture(design()[i].image.c_str(), L"png", dpi);
            }
        }
    }
};

frmQuivra::frmQuivra(std::unique_ptr<quivra::Dialogs> dialogs)
    : window_(createMainWindow(windowProc)),
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
}

void frmQuivra::show(int how) {
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(window_, GWL_STYLE));
    const RECT frame = frameAround({scaled(600, dpi_), scaled(486, dpi_)}, style, dpi_);
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
    const std::size_t index = indexOf(name);
    return index < kControlCount ? controls_[index] : nullptr;
}

void frmQuivra::createControls() {
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    for (std::size_t i = 0; i < kControlCount; ++i) {
        const ControlDesign& designed = design()[i];
        const WindowStyle style = styleOf(designed.kind);
        // A picture box is told the name of its JPEG, which is its own name.
        controls_[i] = ::CreateWindowExW(
            style.extended, style.windowClass, designed.text.c_str(), style.style, 0, 0, 0, 0,
            window_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + static_cast<int>(i))),
            instance, const_cast<wchar_t*>(designed.name.c_str()));
        if (designed.kind == Kind::PictureBox) {
            nameForScreenReaders(controls_[i], designed.text.c_str(), designed.description.c_str());
        } else if (designed.kind != Kind::Button && designed.kind != Kind::Label) {
            nameForScreenReaders(controls_[i], designed.spokenName.c_str());
        }
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
    for (std::size_t i = 0; i < kControlCount; ++i) {
        if (design()[i].tooltip.empty()) {
            continue;
        }
        TOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = window_;
        tool.uId = reinterpret_cast<UINT_PTR>(controls_[i]);
        tool.lpszText = const_cast<wchar_t*>(design()[i].tooltip.c_str());
        ::SendMessageW(tooltips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    ::SendMessageW(tooltips_, TTM_SETMAXTIPWIDTH, 0, 400);
}

// The dialog manager walks the controls in z-order, so the z-order is made the tab order.
// Only one control of the scene area is ever visible, so the stacking shows nowhere.
void frmQuivra::followTabIndices() {
    std::array<std::size_t, kControlCount> byTabIndex{};
    for (std::size_t i = 0; i < kControlCount; ++i) {
        byTabIndex[static_cast<std::size_t>(design()[i].tabIndex)] = i;
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
    auto fonts = std::make_unique<Fonts>(dpi, sceneFontSize_);
    buttonPictures_ = std::make_unique<ButtonPictures>(dpi);
    for (std::size_t i = 0; i < kControlCount; ++i) {
        const RECT& pixels = design()[i].pixels;
        ::SetWindowPos(controls_[i], nullptr, scaled(pixels.left, dpi), scaled(pixels.top, dpi),
                       scaled(pixels.right, dpi), scaled(pixels.bottom, dpi),
                       SWP_NOZORDER | SWP_NOACTIVATE);
        if (design()[i].kind == Kind::PictureBox) {
            ::SendMessageW(controls_[i], kSetPictureDpi, dpi, 0);
        }
        ::SendMessageW(controls_[i], WM_SETFONT,
                       reinterpret_cast<WPARAM>(fonts->of(design()[i].kind)), TRUE);
    }
    fonts_ = std::move(fonts);
}

void frmQuivra::resetSceneFont() {
    sceneFontSize_ = 1100;
    HFONT old = std::exchange(fonts_->scene, makeFont(serif(), sceneFontSize_, dpi_));
    ::SendMessageW(control(L"txtEscenario"), WM_SETFONT, reinterpret_cast<WPARAM>(fonts_->scene),
                   TRUE);
    ::DeleteObject(old);
}

LRESULT CALLBACK frmQuivra::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<frmQuivra*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    return self->handle(message, wParam, lParam);
}

LRESULT frmQuivra::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        onCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_DRAWITEM:
        drawButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        return colours(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam));
    // The focus comes back to the control that had it when the window is active again.
    case WM_ACTIVATE:
        if (HWND focus = ::GetFocus(); LOWORD(wParam) == WA_INACTIVE) {
            lastFocus_ = ::IsChild(window_, focus) != FALSE ? focus : lastFocus_;
        } else if (lastFocus_ != nullptr) {
            ::SetFocus(lastFocus_);
            return 0;
        }
        break;
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

// A click, Space, or the access key sends BN_CLICKED. Enter on a focused button comes as
// IDOK, since the window has no default button; Esc comes as IDCANCEL and presses nothing.
void frmQuivra::onCommand(int id, int code) {
    const auto index = static_cast<std::size_t>(id - kFirstControlId);
    if (id == IDOK) {
        HWND focus = ::GetFocus();
        const auto* button = std::ranges::find(controls_, focus);
        if (button != controls_.end() && design()[button - controls_.begin()].click != nullptr) {
            ::SendMessageW(focus, BM_CLICK, 0, 0);
        }
    } else if (id >= kFirstControlId && index < kControlCount && code == BN_CLICKED &&
               design()[index].click != nullptr) {
        (commands_.*design()[index].click)();
    }
}

LRESULT frmQuivra::colours(HWND control, HDC dc) const {
    static const HBRUSH lightGrey = ::CreateSolidBrush(RGB(224, 224, 224));
    if (control == this->control(L"txtComando")) {
        ::SetTextColor(dc, RGB(255, 255, 255));
        ::SetBkColor(dc, RGB(0, 0, 0));
        return reinterpret_cast<LRESULT>(::GetStockObject(BLACK_BRUSH));
    }
    if (control == this->control(L"txtHints")) {
        ::SetTextColor(dc, RGB(0, 128, 128));
        ::SetBkColor(dc, RGB(224, 224, 224));
        return reinterpret_cast<LRESULT>(lightGrey);
    }
    // Read-only boxes would take the dialog's colour; the design gives them the window's.
    if (control == this->control(L"txtEscenario") || control == this->control(L"txtOkOrNot")) {
        ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
        ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
        return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_WINDOW));
    }
    ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
    ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE));
}

void frmQuivra::drawButton(const DRAWITEMSTRUCT& item) {
    const std::size_t index = item.CtlID - kFirstControlId;
    if (index >= kControlCount) {
        return;
    }
    const SIZE natural = design()[index].imageSize;
    drawCommandButton(item, buttonPictures_->pictures[index],
                      {scaled(natural.cx, dpi_), scaled(natural.cy, dpi_)});
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

// The edit box keeps CR LF as it is given, so the text read back is the text written.
void frmQuivra::writeSceneText(std::string_view text) {
    const std::wstring shown = widen(text);
    HWND scene = control(L"txtEscenario");
    ::SetWindowTextW(scene, shown.c_str());
    announce(scene, shown);
}

std::string_view frmQuivra::sceneText() {
    sceneText_ = narrow(textOf(control(L"txtEscenario")));
    return sceneText_;
}

void frmQuivra::showSceneText(bool visible) {
    ::ShowWindow(control(L"txtEscenario"), visible ? SW_SHOWNA : SW_HIDE);
}

void frmQuivra::writeVerdict(std::string_view verdict) {
    const std::wstring shown = widen(verdict);
    HWND box = control(L"txtOkOrNot");
    ::SetWindowTextW(box, shown.c_str());
    announce(box, shown);
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
