// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

#include "dialogs.hpp"

#include "text.hpp"

#include <commdlg.h>
#include <vector>

namespace {

// A message box's buttons carry the system's language; the game's are always Spanish.
// The hook relabels the box the moment it is activated, before it is first drawn.
HHOOK relabelHook = nullptr;

LRESULT CALLBACK relabelMessageBox(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        auto* const box = reinterpret_cast<HWND>(wParam);
        ::SetDlgItemTextW(box, IDYES, L"&Sí");
        ::SetDlgItemTextW(box, IDNO, L"&No");
        ::SetDlgItemTextW(box, IDOK, L"Aceptar");
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
    const bool yesNo = buttons == quivra::Buttons::YesNo;
    const UINT style = (yesNo ? MB_YESNO | MB_DEFBUTTON1 : MB_OK) | iconStyle(icon);
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

std::optional<std::string> Win32Dialogs::openFileName(std::string_view title,
                                                      const quivra::FileFilter& filter) {
    return askFileName(title, filter, false);
}

std::optional<std::string> Win32Dialogs::saveFileName(std::string_view title,
                                                      const quivra::FileFilter& filter) {
    return askFileName(title, filter, true);
}

// No overwrite prompt and no default extension: the game asks "¿Sobreescribir?" itself, and
// a progress file may have any name.
std::optional<std::string> Win32Dialogs::askFileName(std::string_view title,
                                                     const quivra::FileFilter& filter, bool save) {
    std::vector<wchar_t> path(32768, L'\0');
    lastChosen_.copy(path.data(), std::min(lastChosen_.size(), path.size() - 1));
    const std::wstring caption = widen(title);
    const std::wstring filters = filterString(filter);

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner_;
    dialog.lpstrFilter = filters.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.lpstrTitle = caption.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    const BOOL chosen = save ? ::GetSaveFileNameW(&dialog) : ::GetOpenFileNameW(&dialog);
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
