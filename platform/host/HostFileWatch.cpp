#include "platform/host/HostFileWatch.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sys/inotify.h>
#include <unistd.h>

namespace platform {

namespace fs = std::filesystem;

namespace {

// Written and closed, renamed in or away, made, deleted, its mode changed.
constexpr uint32_t kChanges = IN_CLOSE_WRITE | IN_MOVED_TO | IN_MOVED_FROM | IN_CREATE | IN_DELETE | IN_ATTRIB;

// The names the kernel's reports may give the file: its folder as the
// folder really is (a link to a folder is followed), and for a link to a
// file, the file it leads to as well.
std::vector<std::string> NamesOf(std::string const& hostPath)
{
    std::error_code error;
    fs::path path = fs::absolute(hostPath, error).lexically_normal();
    if (error || !path.has_filename())
        return {};
    fs::path folder = fs::weakly_canonical(path.parent_path(), error);
    if (error)
        folder = path.parent_path();
    std::vector<std::string> names { (folder / path.filename()).string() };
    if (fs::is_symlink(path, error)) {
        fs::path target = fs::weakly_canonical(path, error);
        if (!error)
            names.push_back(target.string());
    }
    return names;
}

}

std::unique_ptr<HostFileWatch> HostFileWatch::Open(std::string& error)
{
    int notifier = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (notifier < 0) {
        error = std::string("cannot watch files: ") + std::strerror(errno);
        return nullptr;
    }
    return std::unique_ptr<HostFileWatch>(new HostFileWatch(notifier));
}

HostFileWatch::HostFileWatch(int notifier)
    : notifier_(notifier)
{
}

HostFileWatch::~HostFileWatch()
{
    ::close(notifier_);
}

HostFileWatch::Watched* HostFileWatch::Find(WindowHandle window, WParam id)
{
    for (Watched& watched : watches_) {
        if (watched.window == window && watched.id == id)
            return &watched;
    }
    return nullptr;
}

std::string HostFileWatch::Watch(WindowHandle window, WParam id, uint32_t message, std::vector<std::string> const& hostPaths)
{
    std::set<std::string> files;
    for (std::string const& path : hostPaths) {
        for (std::string& name : NamesOf(path))
            files.insert(std::move(name));
    }
    if (files.empty()) {
        std::erase_if(watches_, [&](Watched const& w) { return w.window == window && w.id == id; });
        settling_.Kill(window, id);
        DropUnusedFolders();
        return {};
    }

    std::string problem;
    for (std::string const& file : files) {
        std::string folder = fs::path(file).parent_path().string();
        if (folders_.contains(folder))
            continue;
        int descriptor = inotify_add_watch(notifier_, folder.c_str(), kChanges | IN_ONLYDIR);
        if (descriptor < 0) {
            if (problem.empty())
                problem = "cannot watch the folder '" + folder + "': " + std::strerror(errno);
            continue;
        }
        folders_[folder] = descriptor;
        folderOf_.emplace(descriptor, folder);
    }
    Watched* watched = Find(window, id);
    if (!watched)
        watched = &watches_.emplace_back(Watched { .window = window, .id = id, .message = message, .files = {} });
    watched->message = message;
    watched->files = std::move(files);
    DropUnusedFolders();
    return problem;
}

void HostFileWatch::Forget(WindowHandle window)
{
    std::erase_if(watches_, [&](Watched const& w) { return w.window == window; });
    settling_.KillAll(window);
    DropUnusedFolders();
}

void HostFileWatch::DropUnusedFolders()
{
    std::set<std::string> used;
    for (Watched const& watched : watches_) {
        for (std::string const& file : watched.files)
            used.insert(fs::path(file).parent_path().string());
    }
    for (auto folder = folders_.begin(); folder != folders_.end();) {
        if (used.contains(folder->first)) {
            ++folder;
            continue;
        }
        inotify_rm_watch(notifier_, folder->second);
        folderOf_.erase(folder->second);
        folder = folders_.erase(folder);
    }
}

void HostFileWatch::Changed(std::string const& file, uint32_t now)
{
    for (Watched const& watched : watches_) {
        if (watched.files.contains(file))
            settling_.Set(watched.window, watched.id, kSettleTime, now);
    }
}

void HostFileWatch::ReadChanges(uint32_t now)
{
    alignas(inotify_event) char buffer[16 * 1024];
    for (;;) {
        ssize_t length = ::read(notifier_, buffer, sizeof buffer);
        if (length < 0 && errno == EINTR)
            continue;
        if (length <= 0)
            return;
        for (char const* at = buffer; at < buffer + length;) {
            inotify_event event;
            std::memcpy(&event, at, sizeof event);
            char const* name = at + sizeof event;
            at += sizeof event + event.len;
            if (event.mask & IN_Q_OVERFLOW) {
                // Changes were lost: any watched file may have been among them.
                for (Watched const& watched : watches_)
                    settling_.Set(watched.window, watched.id, kSettleTime, now);
            } else if (event.mask & IN_IGNORED) {
                // The folder itself went away.
                if (auto folder = folderOf_.find(event.wd); folder != folderOf_.end()) {
                    folders_.erase(folder->second);
                    folderOf_.erase(folder);
                }
            } else if (event.len > 0) {
                if (auto folder = folderOf_.find(event.wd); folder != folderOf_.end())
                    Changed((fs::path(folder->second) / std::string(name, ::strnlen(name, event.len))).string(), now);
            }
        }
    }
}

std::optional<uint32_t> HostFileWatch::NextDue(uint32_t now) const
{
    return settling_.NextDue(now);
}

std::optional<Message> HostFileWatch::TakeSettled(uint32_t now)
{
    while (auto due = settling_.TakeDue(now)) {
        settling_.Kill(due->window, due->id);
        if (Watched* watched = Find(due->window, due->id))
            return Message { watched->window, watched->message, watched->id, 0 };
    }
    return std::nullopt;
}

}
