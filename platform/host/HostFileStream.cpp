#include "platform/host/HostFileStream.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

std::unique_ptr<HostFileStream> HostFileStream::Open(std::string const& hostPath)
{
    int descriptor = ::open(hostPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        return nullptr;
    struct stat info {};
    if (::fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(descriptor);
        return nullptr;
    }
    return std::unique_ptr<HostFileStream>(new HostFileStream(descriptor));
}

HostFileStream::~HostFileStream()
{
    ::close(int(file_));
}

size_t HostFileStream::Read(void* buffer, size_t bytes)
{
    for (;;) {
        ssize_t count = ::pread(int(file_), buffer, bytes, off_t(position_));
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return 0;
        position_ += uint64_t(count);
        return size_t(count);
    }
}

uint64_t HostFileStream::Size() const
{
    struct stat info {};
    return ::fstat(int(file_), &info) == 0 ? uint64_t(info.st_size) : 0;
}

bool HostFileExists(std::string const& hostPath)
{
    struct stat info {};
    return ::stat(hostPath.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}
