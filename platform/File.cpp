#include "platform/File.h"

#include "platform/Backend.h"
#include "platform/FileWatch.h"

namespace platform {

File::File(std::unique_ptr<FileStream> stream)
    : stream_(std::move(stream))
{
}

File File::OpenForReading(std::u16string_view path)
{
    FileReadLog::Note(path);
    File file(CurrentBackend().Services().OpenForReading(path));
    file.path_ = path;
    return file;
}

std::u16string UserPathOf(std::u16string_view path)
{
    return CurrentBackend().Services().UserPath(path);
}

size_t File::Read(void* buffer, size_t bytes)
{
    return stream_ ? stream_->Read(buffer, bytes) : 0;
}

bool File::SeekRelative(int64_t delta)
{
    return stream_ && stream_->SeekRelative(delta);
}

uint64_t File::Position() const
{
    return stream_ ? stream_->Position() : 0;
}

uint64_t File::Size() const
{
    return stream_ ? stream_->Size() : 0;
}

std::optional<std::u16string> ProgramPath()
{
    return CurrentBackend().Services().ProgramPath();
}

}
