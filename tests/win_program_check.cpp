// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

// Runs the real quivra.exe and answers it through the system's real dialogs: Save as into a
// new file, Save as onto it again (the game's own overwrite question, no other), Open, Esc in
// "Nuevo juego", then Salir answered "Sí" (the reminder's "Aceptar"), Esc, and "No", after
// which the program has ended.
// First it reads back the version resource and icon that Explorer shows for the program.
// Usage: win_program_check PATH\quivra.exe
#include "quivra/version.hpp"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>
#include <vector>
#include <windows.h>
// After windows.h, which it needs.
#include <dlgs.h>

namespace {

using Bytes = std::vector<unsigned char>;
int failures = 0;

void check(bool passed, const char* what) {
    std::printf("%s: %s\n", passed ? "ok" : "FAILED", what);
    failures += passed ? 0 : 1;
    std::fflush(stdout); // a run that hangs later still shows how far it came
}

std::wstring textOf(HWND window) {
    wchar_t text[512] = {}; // a hung window gives up, instead of hanging the check
    ::SendMessageTimeoutW(window, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text),
                          SMTO_ABORTIFHUNG, 5000, nullptr);
    return text;
}

// Polls for up to twenty seconds: the program answers in its own time.
bool waitFor(auto condition) {
    for (int tries = 0; tries < 200 && !condition(); ++tries) {
        ::Sleep(100);
    }
    return condition();
}

HWND waitForWindow(const std::wstring& title, const wchar_t* windowClass = L"#32770") {
    HWND found = nullptr;
    waitFor([&] { return (found = ::FindWindowW(windowClass, title.c_str())) != nullptr; });
    return found;
}

// Presses the button with the caption, or else the one with the id.
void press(HWND box, const wchar_t* caption, int id = 0) {
    ::PostMessageW(caption != nullptr ? ::FindWindowExW(box, nullptr, L"Button", caption)
                                      : ::GetDlgItem(box, id),
                   BM_CLICK, 0, 0);
}

// The control with the focus in the box, once the box has it.
HWND focusIn(HWND box) {
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    waitFor([&] {
        return ::GetGUIThreadInfo(::GetWindowThreadProcessId(box, nullptr), &thread) != FALSE &&
               ::IsChild(box, thread.hwndFocus) != FALSE;
    });
    return thread.hwndFocus;
}

// Keys as the box's own message loop takes them from its queue, in order.
void pressKeys(HWND box, std::initializer_list<WPARAM> keys) {
    HWND focus = focusIn(box);
    for (const WPARAM key : keys) {
        ::PostMessageW(focus, WM_KEYDOWN, key, 1);
    }
}

// A resource in Spanish (Spain). windows.h spells RT_ICON and RT_GROUP_ICON as narrow strings
// unless UNICODE is defined.
Bytes resource(HMODULE module, const wchar_t* name, WORD type) {
    HRSRC found = ::FindResourceExW(module, MAKEINTRESOURCEW(type), name,
                                    MAKELANGID(LANG_SPANISH, SUBLANG_SPANISH_MODERN));
    const auto* data = static_cast<const unsigned char*>(
        found != nullptr ? ::LockResource(::LoadResource(module, found)) : nullptr);
    return data != nullptr ? Bytes(data, data + ::SizeofResource(module, found)) : Bytes{};
}

// Version 3.4.5 reads 3.04.0005, in Spanish (Spain) and Windows-1252; the program's icon, in
// Spanish (Spain) as every resource, holds every image of quivra.ico: the file gives each a
// 16-byte entry with its size and offset, the icon group a 14-byte one with its resource id.
void checkResources(const wchar_t* program) {
    Bytes block(::GetFileVersionInfoSizeW(program, nullptr) + 1); // never empty
    ::GetFileVersionInfoW(program, 0, static_cast<DWORD>(block.size()), block.data());
    UINT size = 0;
    const auto query = [&](const std::wstring& path) {
        void* value = nullptr;
        return ::VerQueryValueW(block.data(), path.c_str(), &value, &size) != FALSE ? value
                                                                                    : nullptr;
    };
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(query(L"\\"));
    const auto high = static_cast<DWORD>(MAKELONG(QUIVRA_VERSION_MINOR, QUIVRA_VERSION_MAJOR));
    const DWORD versions[] = {high, QUIVRA_VERSION_PATCH, high, QUIVRA_VERSION_PATCH};
    check(fixed != nullptr && std::equal(versions, versions + 4, &fixed->dwFileVersionMS) &&
              fixed->dwFileType == VFT_APP && (fixed->dwFileFlags & fixed->dwFileFlagsMask) == 0,
          "the file and product version of an application, no debug or pre-release flag");
    const auto* language = static_cast<const WORD*>(query(L"\\VarFileInfo\\Translation"));
    check(size == 4 && language[0] == 0x0C0A && language[1] == 1252,
          "one language: Spanish (Spain), Windows-1252");
    wchar_t version[16];
    std::swprintf(version, std::size(version), L"%d.%02d.%04d", QUIVRA_VERSION_MAJOR,
                  QUIVRA_VERSION_MINOR, QUIVRA_VERSION_PATCH);
    // clang-format off
    const std::wstring strings[] = {L"FileVersion", version, L"ProductVersion", version, L"ProductName",
        L"Quivra", L"FileDescription", L"Quivra, un relato interactivo del mar", L"OriginalFilename",
        L"quivra.exe"};
    // clang-format on
    for (std::size_t i = 0; i < std::size(strings); i += 2) {
        const auto* value =
            static_cast<const wchar_t*>(query(L"\\StringFileInfo\\0C0A04E4\\" + strings[i]));
        check(value != nullptr && value == strings[i + 1], "a version string, in Spanish (Spain)");
    }
    HMODULE module = ::LoadLibraryExW(program, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    // Little-endian numbers, as resources and .ico files store them.
    const auto u16 = [](const Bytes& b, unsigned i) { return b.at(i) | b.at(i + 1) << 8U; };
    const auto u32 = [&](const Bytes& b, unsigned i) { return u16(b, i) | u16(b, i + 2) << 16U; };
    std::ifstream file(QUIVRA_ICON_FILE, std::ios::binary);
    const Bytes ico{std::istreambuf_iterator<char>(file), {}};
    const Bytes group = resource(module, L"IDI_QUIVRA", 14);
    bool same = group.size() >= 6 && u16(group, 4) == u16(ico, 4);
    for (int i = 0; same && i < u16(ico, 4); ++i) {
        const auto image = ico.begin() + u32(ico, 18 + 16 * i);
        same = resource(module, MAKEINTRESOURCEW(u16(group, 18 + 14 * i)), 3) ==
               Bytes(image, image + u32(ico, 14 + 16 * i));
    }
    check(same, "the icon, in Spanish (Spain), holds every image of quivra.ico");
}

// Answers the file dialog titled `title` with `path`. The name is typed only once the dialog
// shows, with the game's filter, so that its own start-up cannot clear it again.
void chooseFile(const wchar_t* title, const std::filesystem::path& path) {
    HWND dialog = waitForWindow(title);
    check(waitFor([&] {
              return ::IsWindowVisible(dialog) != FALSE &&
                     textOf(::GetDlgItem(dialog, cmb1)) == L"Documentos .txt (*.txt) ";
          }),
          "the file dialog has its title and the game's one filter");
    HWND name = ::GetDlgItem(dialog, cmb13) != nullptr ? ::GetDlgItem(dialog, cmb13)
                                                       : ::GetDlgItem(dialog, edt1);
    waitFor([&] {
        ::SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
        return textOf(name) == path.wstring();
    });
    press(dialog, nullptr, IDOK);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    checkResources(argv[argc - 1]);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION program{};
    std::wstring commandLine = L"\"" + std::wstring{argv[argc - 1]} + L"\"";
    ::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                     &startup, &program);
    HWND window = waitForWindow(L"Quivra", L"frmQuivra");
    check(window != nullptr, "the window opens with the caption \"Quivra\"");
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / L"Quivra ñ";
    std::filesystem::create_directories(folder);
    const std::wstring saved = (folder / L"partida del grumete sin extensión").wstring();

    // Save as, then Save as onto the same file, then Open. The window shows a file as "...",
    // the path's last 50 characters and " - Quivra".
    const std::wstring caption = L"..." + saved.substr(saved.size() - 50) + L" - Quivra";
    press(window, L"Guardar &como...");
    chooseFile(L"Guardar progreso como...", saved);
    check(waitFor([&] { return textOf(window) == caption; }),
          "Save as names the file, with no extension added, in the caption");
    press(window, L"Guardar &como...");
    chooseFile(L"Guardar progreso como...", saved);
    HWND box = waitForWindow(saved.substr(saved.size() - 60));
    check(::FindWindowExW(box, nullptr, L"Static", L"¿Sobreescribir?") != nullptr,
          "onto an existing file the game asks its own question, titled with the path's end");
    press(box, nullptr, IDNO);
    press(window, L"Abrir progreso...");
    chooseFile(L"Abrir archivo de progreso...", saved);
    check(waitFor([&] { return textOf(window) == caption; }), "Open reads the file");

    // Esc in "Nuevo juego" answers No: the game goes on, still with its file.
    press(window, L"Nuevo juego");
    box = waitForWindow(L"Nuevo juego");
    pressKeys(box, {VK_ESCAPE});
    check(waitFor([&] { return ::IsWindow(box) == FALSE; }) && textOf(window) == caption,
          "Esc in \"Nuevo juego\" answers No");
    if (::IsWindow(box) != FALSE) {
        press(box, nullptr, IDNO);
    }

    // Salir, answered Yes, then the reminder's Aceptar; Salir again, answered No.
    press(window, L"Salir");
    box = waitForWindow(L"Salir de Quivra");
    check(::FindWindowExW(box, nullptr, L"Static", L"¿Desea guardar su progreso antes de salir?") !=
                  nullptr &&
              textOf(::GetDlgItem(box, IDYES)) == L"&Sí" &&
              textOf(::GetDlgItem(box, IDNO)) == L"&No" &&
              (::GetWindowLongW(::GetDlgItem(box, IDYES), GWL_STYLE) & BS_TYPEMASK) ==
                  BS_DEFPUSHBUTTON,
          "Salir asks in a message box, \"Sí\" the default and \"No\"");
    press(box, nullptr, IDYES);
    box = waitForWindow(L"Permanecer en el programa");
    check(textOf(::GetDlgItem(box, IDOK)) == L"Aceptar", "then a reminder, with \"Aceptar\"");
    press(box, nullptr, IDOK);
    check(::WaitForSingleObject(program.hProcess, 1000) == WAIT_TIMEOUT, "and the game goes on");
    // In the exit question Esc does nothing: Tab, behind it, still moves to "No".
    press(window, L"Salir");
    box = waitForWindow(L"Salir de Quivra");
    pressKeys(box, {VK_ESCAPE, VK_TAB});
    check(waitFor([&] { return focusIn(box) == ::GetDlgItem(box, IDNO); }) &&
              ::IsWindowVisible(box) != FALSE,
          "Esc leaves the exit question on screen");
    press(box, nullptr, IDNO);
    DWORD exitCode = 1;
    check(::WaitForSingleObject(program.hProcess, 20000) == WAIT_OBJECT_0 &&
              ::GetExitCodeProcess(program.hProcess, &exitCode) != FALSE && exitCode == 0,
          "answered No, the program ends at once, with exit code 0");
    ::TerminateProcess(program.hProcess, 1); // if it has not ended
    std::filesystem::remove_all(folder);
    return failures == 0 ? 0 : 1;
}
