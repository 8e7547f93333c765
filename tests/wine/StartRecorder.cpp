// A program that notes every start of it, for the tests that see what the
// panel, the daemon and the launcher start under Wine. Each start adds one
// line, UTF-8, to the file beside the program named as the program with
// ".started" added: the show state it was given, its working folder and its
// arguments, separated by tabs. A copy under another name notes its starts
// in a file of its own. A windows program, as those the programs start
// usually are: no console is made for it.
#include <windows.h>

#include <shellapi.h>

#include <string>

namespace {

std::string Utf8(std::wstring const& text)
{
    if (text.empty())
        return {};
    int const size = WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(size_t(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), bytes.data(), size, nullptr, nullptr);
    return bytes;
}

// The show state the starter asked for, or "none" when it left it to the program.
std::string ShowState()
{
    STARTUPINFOW start {};
    start.cb = sizeof start;
    GetStartupInfoW(&start);
    return (start.dwFlags & STARTF_USESHOWWINDOW) ? std::to_string(start.wShowWindow) : "none";
}

std::wstring OwnPath()
{
    std::wstring path(32768, L'\0');
    DWORD const length = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
    path.resize(length);
    return path;
}

std::wstring WorkingFolder()
{
    std::wstring folder(32768, L'\0');
    folder.resize(GetCurrentDirectoryW(DWORD(folder.size()), folder.data()));
    return folder;
}

}

int main()
{
    std::string line = "show=";
    line.append(ShowState()).append("\tcwd=").append(Utf8(WorkingFolder()));
    int count = 0;
    wchar_t** words = CommandLineToArgvW(GetCommandLineW(), &count);
    for (int i = 1; words && i < count; ++i)
        line.append("\t").append(Utf8(words[i]));
    LocalFree(words);
    line += "\n";

    // Appended, so that two starts are two lines.
    HANDLE file = CreateFileW((OwnPath() + L".started").c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
        nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 2;
    DWORD written = 0;
    bool const whole = WriteFile(file, line.data(), DWORD(line.size()), &written, nullptr) && written == line.size();
    CloseHandle(file);
    return whole ? 0 : 2;
}
