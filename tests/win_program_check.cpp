// Runs the real quivra.exe and answers its exit questions through the real message boxes:
// Salir, "Sí", the reminder's "Aceptar", Salir again, "No", and the program has ended.
// Usage: win_program_check PATH\quivra.exe
#include <cstdio>
#include <string>
#include <windows.h>

namespace {

int passes = 0;
int failures = 0;

void check(bool passed, const char* what) {
    std::printf("%s: %s\n", passed ? "ok" : "FAILED", what);
    (passed ? passes : failures) += 1;
}

std::wstring textOf(HWND window) {
    wchar_t text[256] = {};
    ::SendMessageTimeoutW(window, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text),
                          SMTO_ABORTIFHUNG, 5000, nullptr);
    return text;
}

// Polls for a top-level window for up to twenty seconds: the program starts in its own time.
HWND waitForWindow(const wchar_t* windowClass, const wchar_t* title) {
    for (int tries = 0; tries < 200; ++tries) {
        if (HWND found = ::FindWindowW(windowClass, title); found != nullptr) {
            return found;
        }
        ::Sleep(100);
    }
    return nullptr;
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

void pressExit(HWND window) {
    ::PostMessageW(::FindWindowExW(window, nullptr, L"Button", L"Salir"), BM_CLICK, 0, 0);
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
    if (window == nullptr) {
        ::TerminateProcess(program.hProcess, 1);
        return 1;
    }

    pressExit(window);
    HWND question = waitForWindow(L"#32770", L"Salir de Quivra");
    check(question != nullptr, "Salir asks its question in a message box");
    check(hasStaticText(question, L"¿Desea guardar su progreso antes de salir?"),
          "the question's text");
    check(textOf(::GetDlgItem(question, IDYES)) == L"&Sí", "the Yes button reads \"Sí\"");
    check(textOf(::GetDlgItem(question, IDNO)) == L"&No", "the No button reads \"No\"");
    const LONG yesStyle = ::GetWindowLongW(::GetDlgItem(question, IDYES), GWL_STYLE);
    check((yesStyle & BS_TYPEMASK) == BS_DEFPUSHBUTTON, "Yes is the default button");
    ::PostMessageW(::GetDlgItem(question, IDYES), BM_CLICK, 0, 0);

    HWND reminder = waitForWindow(L"#32770", L"Permanecer en el programa");
    check(reminder != nullptr, "answered Yes, the reminder follows");
    check(textOf(::GetDlgItem(reminder, IDOK)) == L"Aceptar", "its button reads \"Aceptar\"");
    ::PostMessageW(::GetDlgItem(reminder, IDOK), BM_CLICK, 0, 0);
    check(::WaitForSingleObject(program.hProcess, 1000) == WAIT_TIMEOUT,
          "after the reminder the game goes on");

    pressExit(window);
    question = waitForWindow(L"#32770", L"Salir de Quivra");
    ::PostMessageW(::GetDlgItem(question, IDNO), BM_CLICK, 0, 0);
    DWORD exitCode = 1;
    const bool ended = ::WaitForSingleObject(program.hProcess, 20000) == WAIT_OBJECT_0 &&
                       ::GetExitCodeProcess(program.hProcess, &exitCode) != FALSE && exitCode == 0;
    check(ended, "answered No, the program ends at once, with exit code 0");
    if (!ended) {
        ::TerminateProcess(program.hProcess, 1);
    }
    ::CloseHandle(program.hThread);
    ::CloseHandle(program.hProcess);
    std::printf("%d passed, %d failed\n", passes, failures);
    return failures == 0 ? 0 : 1;
}
