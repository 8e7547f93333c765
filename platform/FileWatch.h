#pragma once

// Files a program read, and watching them for changes on disk: a panel or a
// daemon started to reload while its files are being written can note what
// it opened and ask to hear when any of it changes.

#include "platform/Types.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Notes, while it lives, every path this thread opens for reading or tries
// to (a file that is missing now may be written later), in order and each
// once. Logs nest: a path goes to the innermost one only.
class FileReadLog {
public:
    FileReadLog();
    ~FileReadLog();
    FileReadLog(FileReadLog const&) = delete;
    FileReadLog& operator=(FileReadLog const&) = delete;

    std::vector<std::u16string> const& Paths() const { return paths_; }

    // Called by the file layer for every open.
    static void Note(std::u16string_view path);

private:
    FileReadLog* outer_;
    std::vector<std::u16string> paths_;
};

// Once one of the files has changed on disk and then stayed as it is for a
// moment, `message` is posted to `window` with `id` as its first parameter.
// A later call for the same window and id replaces the list; an empty list
// ends the watch, and so does the window's end. False where files are not
// watched: only on the desktop, and only when the user asked for it.
bool WatchFiles(WindowHandle window, uint32_t message, WParam id, std::span<std::u16string const> paths);

}
