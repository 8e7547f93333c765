// A program the Windows shell tests start: "exit N" ends at once with code
// N, "sleep MS" waits that long first.

#include <windows.h>

#include <cstdlib>
#include <cstring>

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "exit") == 0)
        return std::atoi(argv[2]);
    if (argc == 3 && std::strcmp(argv[1], "sleep") == 0) {
        Sleep(DWORD(std::atoi(argv[2])));
        return 0;
    }
    return 100;
}
