// Tells what Windows itself knows of a top-level window, found by its title,
// for the tests under Wine that cannot see it from the X server: one line
// each, UTF-8, of its rectangle, client size, visibility, the desktop's work
// area and caption height, and the text of each child window (a message
// box's text is one), line breaks written as \n.
//   window_reader TITLE      exit status 1 when no such window exists
#include <windows.h>

#include <shellapi.h>

#include <cstdio>
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

std::string Escaped(std::string const& text)
{
    std::string escaped;
    for (char c : text) {
        if (c == '\n')
            escaped += "\\n";
        else if (c != '\r')
            escaped += c;
    }
    return escaped;
}

BOOL CALLBACK PrintChildText(HWND child, LPARAM)
{
    int const length = GetWindowTextLengthW(child);
    if (length > 0) {
        std::wstring text(size_t(length) + 1, L'\0');
        text.resize(size_t(GetWindowTextW(child, text.data(), length + 1)));
        std::printf("text=%s\n", Escaped(Utf8(text)).c_str());
    }
    return TRUE;
}

}

int main()
{
    int count = 0;
    wchar_t** words = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!words || count != 2)
        return 2;
    HWND window = FindWindowW(nullptr, words[1]);
    LocalFree(words);
    if (!window)
        return 1;
    RECT place {};
    RECT client {};
    RECT work {};
    GetWindowRect(window, &place);
    GetClientRect(window, &client);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    std::printf("rect=%ld,%ld,%ld,%ld\n", place.left, place.top, place.right, place.bottom);
    std::printf("client=%ld,%ld\n", client.right, client.bottom);
    std::printf("visible=%d\n", IsWindowVisible(window) ? 1 : 0);
    std::printf("workarea=%ld,%ld,%ld,%ld\n", work.left, work.top, work.right, work.bottom);
    std::printf("caption=%d\n", GetSystemMetrics(SM_CYCAPTION));
    EnumChildWindows(window, PrintChildText, 0);
    return 0;
}
