#pragma once

// Files watched for windows on the Linux machine. The kernel (inotify) is
// asked about their folders, not the files themselves: editors save by
// writing another file and renaming it over the old one, and a file that is
// missing now can still appear. A change to a watched file starts its
// watch's settling anew; only when the files have stayed as they are for
// kSettleTime is the watch's message due, once, however many changes came.

#include "platform/Types.h"
#include "platform/window/MessageQueue.h"
#include "platform/window/TimerTable.h"

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace platform {

class HostFileWatch {
public:
    static constexpr uint32_t kSettleTime = 200;

    // None, with the reason in `error`, when the system gives no watch.
    static std::unique_ptr<HostFileWatch> Open(std::string& error);
    ~HostFileWatch();
    HostFileWatch(HostFileWatch const&) = delete;
    HostFileWatch& operator=(HostFileWatch const&) = delete;

    // Readable when the kernel has noticed something: then ReadChanges.
    int FileDescriptor() const { return notifier_; }

    // Replaces the files watched for (window, id); an empty list ends that
    // watch. A change already settling stays due. Returns why a folder
    // cannot be watched, or nothing when all can.
    std::string Watch(WindowHandle window, WParam id, uint32_t message, std::vector<std::string> const& hostPaths);
    void Forget(WindowHandle window);

    // Takes what the kernel noticed; `now` is the tick it arrived at.
    void ReadChanges(uint32_t now);
    // The tick at which the next watch settles; none while nothing changed.
    std::optional<uint32_t> NextDue(uint32_t now) const;
    // The message of a watch that has settled by `now`, taken once.
    std::optional<Message> TakeSettled(uint32_t now);

private:
    explicit HostFileWatch(int notifier);

    struct Watched {
        WindowHandle window;
        WParam id = 0;
        uint32_t message = 0;
        // Absolute, without "." and "..", and for a link also its target.
        std::set<std::string> files;
    };
    Watched* Find(WindowHandle window, WParam id);
    void Changed(std::string const& file, uint32_t now);
    void DropUnusedFolders();

    int notifier_;
    std::vector<Watched> watches_;
    std::map<std::string, int> folders_;
    std::map<int, std::string> folderOf_;
    // One-shot: a settled watch's timer is killed when it is taken.
    TimerTable settling_;
};

}
