// Runs the real quivra.exe and answers it through the system's real dialogs: Save as into a
// new file, Save as onto it again (the game's own overwrite question, no other), Open, then
// Salir answered "Sí" (the reminder's "Aceptar") and "No", after which the program has ended.
// Usage: win_program_check PATH\quivra.exe
#include "game_state.hpp"
#include "progress_file.hpp"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <windows.h>
// After windows.h, which it needs.
#include <dlgs.h>

namespace {

int passes = 0;
int failures = 0;

void check(bool passed, const char* what) {
    std::printf("%s: %s\n", passed ? "ok" : "FAILED", what);
    (passed ? passes : failures) += 1;
    std::fflush(stdout); // a run that hangs later still shows how far it came
}

std::wstring textOf(HWND window) {
    wchar_t text[512] = {};
    ::SendMessageTimeoutW(window, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text),
                          SMTO_ABORTIFHUNG, 5000, nullptr);
    return text;
}

// Polls for up to twenty seconds: the program answers in its own time.
template <typename Condition>
bool waitFor(Condition condition) {
    for (int tries = 0; tries < 200; ++tries) {
        if (condition()) {
            return true;
        }
        ::Sleep(100);
    }
    return false;
}

HWND waitForWindow(const wchar_t* windowClass, const std::wstring& title) {
    HWND found = nullptr;
    waitFor([&] { return (found = ::FindWindowW(windowClass, title.c_str())) != nullptr; });
    return found;
}

bool hasStaticText(HWND box, const std::wstring& wanted) {
    for (HWND child = ::FindWindowExW(box, nullptr, L"Static", nullptr); child != nullptr;
         child = ::FindWindowExW(box, child, L"Static", nullptr)) {
        if (textOf(child) == wanted) {
            return true;
        }
    }
    return false;
}

void press(HWND window, const wchar_t* caption) {
    ::PostMessageW(::FindWindowExW(window, nullptr, L"Button", caption), BM_CLICK, 0, 0);
}

// Answers the file dialog titled `title` with `path`. The name is typed only once the dialog
// shows, with the game's filter, so that its own start-up cannot clear it again.
void chooseFile(const wchar_t* title, const std::filesystem::path& path) {
    HWND dialog = waitForWindow(L"#32770", title);
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
    ::PostMessageW(::GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    check(waitFor([&] { return ::IsWindow(dialog) == FALSE; }), "the dialog takes the name");
}

// "...", the last 50 characters of the path and " - Quivra", as the window shows a file.
std::wstring captionFor(const std::wstring& path) {
    return L"..." + path.substr(path.size() > 50 ? path.size() - 50 : 0) + L" - Quivra";
}

void checkFileCommands(HWND window, const std::filesystem::path& folder) {
    const std::filesystem::path saved = folder / L"partida del grumete sin extensión";
    std::filesystem::remove(saved);
    const std::wstring wide = saved.wstring();

    press(window, L"Guardar &como...");
    chooseFile(L"Guardar progreso como...", saved);
    check(waitFor([&] { return textOf(window) == captionFor(wide); }),
          "Save as names the file in the caption");
    std::ifstream file(saved, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(file), {}};
    check(bytes == quivra::encodeProgress({std::string{quivra::kFirstScene}, "Escenario 1\r\n"}),
          "the file holds the first scene, with no extension added to its name");

    press(window, L"Guardar &como...");
    chooseFile(L"Guardar progreso como...", saved);
    HWND overwrite = waitForWindow(L"#32770", wide.substr(wide.size() - 60));
    check(overwrite != nullptr && hasStaticText(overwrite, L"¿Sobreescribir?"),
          "onto an existing file the game asks its own question, titled with the path's end");
    ::PostMessageW(::GetDlgItem(overwrite, IDNO), BM_CLICK, 0, 0);

    press(window, L"Abrir progreso...");
    check(waitFor([&] { return textOf(window) == L"Quivra"; }), "Open starts again");
    chooseFile(L"Abrir archivo de progreso...", saved);
    check(waitFor([&] { return textOf(window) == captionFor(wide); }), "Open reads the file");
}

void checkExit(HWND window, HANDLE program) {
    press(window, L"Salir");
    HWND question = waitForWindow(L"#32770", L"Salir de Quivra");
    check(question != nullptr &&
              hasStaticText(question, L"¿Desea guardar su progreso antes de salir?"),
          "Salir asks its question in a message box");
    check(textOf(::GetDlgItem(question, IDYES)) == L"&Sí", "the Yes button reads \"Sí\"");
    check(textOf(::GetDlgItem(question, IDNO)) == L"&No", "the No button reads \"No\"");
    const LONG yesStyle = ::GetWindowLongW(::GetDlgItem(question, IDYES), GWL_STYLE);
    check((yesStyle & BS_TYPEMASK) == BS_DEFPUSHBUTTON, "Yes is the default button");
    ::PostMessageW(::GetDlgItem(question, IDYES), BM_CLICK, 0, 0);

    HWND reminder = waitForWindow(L"#32770", L"Permanecer en el programa");
    check(reminder != nullptr && textOf(::GetDlgItem(reminder, IDOK)) == L"Aceptar",
          "answered Yes, the reminder follows, with its button \"Aceptar\"");
    ::PostMessageW(::GetDlgItem(reminder, IDOK), BM_CLICK, 0, 0);
    check(::WaitForSingleObject(program, 1000) == WAIT_TIMEOUT,
          "after the reminder the game goes on");

    press(window, L"Salir");
    question = waitForWindow(L"#32770", L"Salir de Quivra");
    ::PostMessageW(::GetDlgItem(question, IDNO), BM_CLICK, 0, 0);
    DWORD exitCode = 1;
    check(::WaitForSingleObject(program, 20000) == WAIT_OBJECT_0 &&
              ::GetExitCodeProcess(program, &exitCode) != FALSE && exitCode == 0,
          "answered No, the program ends at once, with exit code 0");
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fputs("usage: win_program_check PATH\\quivra.exe\n", stderr);
        return 2;
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION program{};
    std::wstring commandLine = L"\"" + std::wstring{argv[1]} + L"\"";
    if (::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                         &startup, &program) == FALSE) {
        std::fputs("win_program_check: cannot start the program\n", stderr);
        return 1;
    }
    HWND window = waitForWindow(L"frmQuivra", L"Quivra");
    check(window != nullptr, "the window opens with the caption \"Quivra\"");
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / L"Quivra ñ";
    std::filesystem::create_directories(folder);
    if (window != nullptr) {
        checkFileCommands(window, folder);
        checkExit(window, program.hProcess);
    }
    if (::WaitForSingleObject(program.hProcess, 0) == WAIT_TIMEOUT) {
        ::TerminateProcess(program.hProcess, 1);
    }
    ::CloseHandle(program.hThread);
    ::CloseHandle(program.hProcess);
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    std::printf("%d passed, %d failed\n", passes, failures);
    return failures == 0 ? 0 : 1;
}
