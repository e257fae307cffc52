// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

#include "frmQuivra.hpp"

#include <commctrl.h>
#include <objbase.h>

// NOLINTNEXTLINE(readability-inconsistent-declaration-parameter-name): none of them is used
int WINAPI wWinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int show) {
    // WIC, the accessibility annotations and the file dialogs are COM objects.
    if (FAILED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {
        return 1;
    }
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                        ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);

    int exitCode = 0;
    {
        quivra::win::frmQuivra window;
        window.show(show);
        MSG message;
        while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
            window.route(message);
        }
        exitCode = static_cast<int>(message.wParam);
    }
    ::CoUninitialize();
    return exitCode;
}
