#include "platform/host/HostFileStream.h"

#include "platform/HostFilePath.h"

#include <windows.h>

#include <filesystem>

namespace platform {

namespace {

HANDLE HandleOf(std::intptr_t file)
{
    return reinterpret_cast<HANDLE>(file);
}

// The name as it stands, as on other hosts: a path with the \\?\ prefix
// keeps its trailing blanks and dots, which Windows otherwise drops.
// Such a path takes no "." or ".." either, so it is made absolute and
// normal here, by its text: the system's way would drop the blanks too.
std::wstring WidePath(std::string const& hostPath)
{
    std::filesystem::path path = HostFileSystemPath(hostPath);
    if (!path.is_absolute()) {
        std::error_code error;
        std::filesystem::path here = std::filesystem::current_path(error);
        if (error)
            return path.wstring();
        path = here / path;
    }
    std::wstring text = path.lexically_normal().make_preferred().wstring();
    if (text.starts_with(L"\\\\?\\"))
        return text;
    if (text.starts_with(L"\\\\"))
        return L"\\\\?\\UNC\\" + text.substr(2);
    return L"\\\\?\\" + text;
}

bool IsRegularFile(DWORD attributes)
{
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) == 0;
}

}

std::unique_ptr<HostFileStream> HostFileStream::Open(std::string const& hostPath)
{
    std::wstring path = WidePath(hostPath);
    // Others may go on writing, renaming or deleting the file while it is read.
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return nullptr;
    BY_HANDLE_FILE_INFORMATION information {};
    if (!GetFileInformationByHandle(file, &information) || !IsRegularFile(information.dwFileAttributes)
        || GetFileType(file) != FILE_TYPE_DISK) {
        ::CloseHandle(file);
        return nullptr;
    }
    return std::unique_ptr<HostFileStream>(new HostFileStream(reinterpret_cast<std::intptr_t>(file)));
}

HostFileStream::~HostFileStream()
{
    ::CloseHandle(HandleOf(file_));
}

size_t HostFileStream::Read(void* buffer, size_t bytes)
{
    OVERLAPPED at {};
    at.Offset = DWORD(position_);
    at.OffsetHigh = DWORD(position_ >> 32);
    DWORD const asked = bytes > 0x7FFFFFFF ? 0x7FFFFFFF : DWORD(bytes);
    DWORD count = 0;
    if (!ReadFile(HandleOf(file_), buffer, asked, &count, &at))
        return 0;
    position_ += count;
    return count;
}

uint64_t HostFileStream::Size() const
{
    LARGE_INTEGER size {};
    return GetFileSizeEx(HandleOf(file_), &size) ? uint64_t(size.QuadPart) : 0;
}

bool HostFileExists(std::string const& hostPath)
{
    return IsRegularFile(GetFileAttributesW(WidePath(hostPath).c_str()));
}

}
