// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

#include "dialogs.hpp"

#include "utf16.hpp"

#include <commctrl.h>
#include <commdlg.h>
#include <vector>

namespace quivra::win {

namespace {

// Esc, and the close command, reach a message box as IDCANCEL: Windows ignores it in a box
// without a Cancel button, and Wine closes the box. Here it answers No in a Yes/No question,
// and does nothing in the exit question, so that one key press cannot end the game.
LRESULT CALLBACK answerEscape(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR /*id*/,
                              DWORD_PTR buttons) {
    if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
        if (static_cast<quivra::Buttons>(buttons) != quivra::Buttons::YesNo) {
            return 0;
        }
        wParam = MAKEWPARAM(IDNO, BN_CLICKED);
        lParam = reinterpret_cast<LPARAM>(::GetDlgItem(box, IDNO));
    } else if (message == WM_NCDESTROY) {
        ::RemoveWindowSubclass(box, answerEscape, 0);
    }
    return ::DefSubclassProc(box, message, wParam, lParam);
}

// A message box's buttons carry the system's language; the game's are always Spanish.
// The hook relabels the box the moment it is activated, before it is first drawn, and gives
// a question its answer to Esc.
HHOOK relabelHook = nullptr;
quivra::Buttons askedButtons = quivra::Buttons::Ok;

LRESULT CALLBACK relabelMessageBox(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        auto* const box = reinterpret_cast<HWND>(wParam);
        ::SetDlgItemTextW(box, IDYES, L"&Sí");
        ::SetDlgItemTextW(box, IDNO, L"&No");
        ::SetDlgItemTextW(box, IDOK, L"Aceptar");
        if (askedButtons != quivra::Buttons::Ok) {
            ::SetWindowSubclass(box, answerEscape, 0, static_cast<DWORD_PTR>(askedButtons));
        }
        ::UnhookWindowsHookEx(relabelHook);
        relabelHook = nullptr;
        return 0;
    }
    return ::CallNextHookEx(relabelHook, code, wParam, lParam);
}

UINT iconStyle(quivra::Icon icon) {
    switch (icon) {
    case quivra::Icon::Exclamation:
        return MB_ICONEXCLAMATION;
    case quivra::Icon::Stop:
        return MB_ICONSTOP;
    case quivra::Icon::Information:
        return MB_ICONINFORMATION;
    case quivra::Icon::None:
        break;
    }
    return 0;
}

// "description\0pattern\0\0", as the common dialogs take a filter.
std::wstring filterString(const quivra::FileFilter& filter) {
    std::wstring joined = widen(filter.description);
    joined += L'\0';
    joined += widen(filter.pattern);
    joined += L'\0';
    return joined;
}

} // namespace

quivra::Answer Win32Dialogs::messageBox(std::string_view text, std::string_view title,
                                        quivra::Buttons buttons, quivra::Icon icon) {
    const bool yesNo = buttons != quivra::Buttons::Ok;
    const UINT style = (yesNo ? MB_YESNO | MB_DEFBUTTON1 : MB_OK) | iconStyle(icon);
    askedButtons = buttons;
    relabelHook = ::SetWindowsHookExW(WH_CBT, relabelMessageBox, nullptr, ::GetCurrentThreadId());
    const int pressed = ::MessageBoxW(owner_, widen(text).c_str(), widen(title).c_str(), style);
    if (relabelHook != nullptr) {
        ::UnhookWindowsHookEx(relabelHook);
        relabelHook = nullptr;
    }
    if (!yesNo) {
        return quivra::Answer::Ok;
    }
    return pressed == IDYES ? quivra::Answer::Yes : quivra::Answer::No;
}

// No overwrite prompt and no default extension: the game asks "¿Sobreescribir?" itself, and
// a progress file may have any name.
std::optional<std::string> Win32Dialogs::fileName(quivra::FileDialog dialog, std::string_view title,
                                                  const quivra::FileFilter& filter) {
    std::vector<wchar_t> path(32768, L'\0');
    lastChosen_.copy(path.data(), std::min(lastChosen_.size(), path.size() - 1));
    const std::wstring caption = widen(title);
    const std::wstring filters = filterString(filter);

    OPENFILENAMEW asked{};
    asked.lStructSize = sizeof asked;
    asked.hwndOwner = owner_;
    asked.lpstrFilter = filters.c_str();
    asked.nFilterIndex = 1;
    asked.lpstrFile = path.data();
    asked.nMaxFile = static_cast<DWORD>(path.size());
    asked.lpstrTitle = caption.c_str();
    asked.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    const BOOL chosen = dialog == quivra::FileDialog::Save ? ::GetSaveFileNameW(&asked)
                                                           : ::GetOpenFileNameW(&asked);
    if (chosen == FALSE) {
        return std::nullopt;
    }
    lastChosen_ = path.data();
    return narrow(lastChosen_);
}

void Win32Dialogs::beep() {
    ::MessageBeep(MB_OK);
}

void Win32Dialogs::quit() {
    ::DestroyWindow(owner_);
}

} // namespace quivra::win
