// Files watched through their folders on this machine, with a clock of the
// test's own: which changes count, and how they settle into one message.

#include "platform/host/HostFileWatch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <poll.h>
#include <unistd.h>

using namespace platform;

namespace {

namespace fs = std::filesystem;

constexpr WindowHandle kWindow { 7 };
constexpr WindowHandle kOtherWindow { 8 };
constexpr uint32_t kMessage = 0x8003;
constexpr WParam kId = 1;

class HostFileWatchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder_ = fs::temp_directory_path()
            / ("file-watch-" + std::to_string(getpid()) + "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_ / "other");
        std::string error;
        watch_ = HostFileWatch::Open(error);
        ASSERT_NE(watch_, nullptr) << error;
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string Path(std::string const& name) const { return (folder_ / name).string(); }

    void Write(std::string const& name, std::string const& text) const { std::ofstream(folder_ / name) << text; }

    // As editors save: a new file renamed over the old one.
    void SaveByRename(std::string const& name, std::string const& text) const
    {
        Write(name + ".new", text);
        fs::rename(folder_ / (name + ".new"), folder_ / name);
    }

    // What the kernel noticed so far, taken at tick `now`.
    void Notice(uint32_t now)
    {
        pollfd ready { watch_->FileDescriptor(), POLLIN, 0 };
        poll(&ready, 1, 200);
        watch_->ReadChanges(now);
    }

    using Messages = std::vector<std::pair<uint32_t, WParam>>;

    // Every message due by `now`, each as (window, id), in that order.
    Messages Settled(uint32_t now)
    {
        Messages messages;
        while (auto message = watch_->TakeSettled(now)) {
            EXPECT_EQ(message->message, kMessage);
            messages.emplace_back(message->window.value, message->wParam);
        }
        std::sort(messages.begin(), messages.end());
        return messages;
    }

    fs::path folder_;
    std::unique_ptr<HostFileWatch> watch_;
};

TEST_F(HostFileWatchTest, ChangesInQuickSuccessionSettleIntoOneMessage)
{
    Write("layout.ini", "1");
    watch_->Watch(kWindow, kId, kMessage, { Path("layout.ini") });
    EXPECT_EQ(watch_->NextDue(1000), std::nullopt) << "nothing changed yet";

    Write("layout.ini", "2");
    Notice(1000);
    SaveByRename("layout.ini", "3");
    Notice(1150);
    Write("layout.ini", "4");
    Notice(1300);
    // Each change starts the settling anew: 200 ms after the last one.
    EXPECT_EQ(watch_->NextDue(1300), std::optional<uint32_t>(1500));
    EXPECT_EQ(Settled(1499), Messages {});
    EXPECT_EQ(Settled(1500), (Messages { { kWindow.value, kId } }));
    EXPECT_EQ(Settled(5000), Messages {}) << "a settled change is told once";
    EXPECT_EQ(watch_->NextDue(5000), std::nullopt);
}

TEST_F(HostFileWatchTest, EveryKindOfChangeToAWatchedFileCountsAndOtherFilesDoNot)
{
    Write("layout.ini", "1");
    Write("notes.txt", "1");
    watch_->Watch(kWindow, kId, kMessage, { Path("layout.ini"), Path("missing.bmp"), Path("other/../icon.ico") });

    uint32_t now = 1000;
    auto counts = [&](std::function<void()> const& change) {
        change();
        Notice(now);
        bool told = Settled(now + HostFileWatch::kSettleTime) == Messages { { kWindow.value, kId } };
        now += 1000;
        return told;
    };
    EXPECT_FALSE(counts([&] { Write("notes.txt", "2"); })) << "a file it does not watch";
    EXPECT_FALSE(counts([&] { SaveByRename("notes.txt", "3"); }));
    EXPECT_FALSE(counts([&] { Write("other/icon.ico", "1"); })) << "the same name in another folder";
    EXPECT_TRUE(counts([&] { Write("layout.ini", "2"); })) << "written in place";
    EXPECT_TRUE(counts([&] { SaveByRename("layout.ini", "3"); })) << "renamed over it";
    EXPECT_TRUE(counts([&] { fs::permissions(folder_ / "layout.ini", fs::perms::owner_write, fs::perm_options::remove); }))
        << "its mode changed";
    EXPECT_TRUE(counts([&] { fs::remove(folder_ / "layout.ini"); })) << "deleted";
    EXPECT_TRUE(counts([&] { Write("missing.bmp", "now there"); })) << "a file missing at first, made later";
    EXPECT_TRUE(counts([&] { Write("icon.ico", "1"); })) << "named through another folder";
}

TEST_F(HostFileWatchTest, WatchesAreReplacedEndedAndForgottenWithTheirWindow)
{
    Write("a.ini", "1");
    Write("b.ini", "1");
    Write("other/c.ini", "1");
    watch_->Watch(kWindow, kId, kMessage, { Path("a.ini") });
    watch_->Watch(kWindow, 2, kMessage, { Path("b.ini") });
    watch_->Watch(kOtherWindow, kId, kMessage, { Path("a.ini") });

    // One file, two watches: both are told.
    Write("a.ini", "2");
    Notice(1000);
    EXPECT_EQ(Settled(1200), (Messages { { kWindow.value, kId }, { kOtherWindow.value, kId } }));

    // A new list for the same watch replaces the old.
    watch_->Watch(kWindow, kId, kMessage, { Path("other/c.ini") });
    Write("a.ini", "3");
    Write("other/c.ini", "2");
    Notice(2000);
    EXPECT_EQ(Settled(2200), (Messages { { kWindow.value, kId }, { kOtherWindow.value, kId } }));

    // A change still settling goes with the window; an empty list ends one watch.
    Write("b.ini", "2");
    Write("a.ini", "4");
    Notice(3000);
    watch_->Forget(kOtherWindow);
    watch_->Watch(kWindow, 2, kMessage, {});
    EXPECT_EQ(Settled(3200), Messages {});
    Write("a.ini", "5");
    Write("b.ini", "3");
    Write("other/c.ini", "3");
    Notice(4000);
    EXPECT_EQ(Settled(4200), (Messages { { kWindow.value, kId } }));
}

TEST_F(HostFileWatchTest, ALinkIsWatchedWhereItLeadsAndAMissingFolderIsTold)
{
    Write("other/real.ini", "1");
    fs::create_symlink(folder_ / "other" / "real.ini", folder_ / "link.ini");
    EXPECT_EQ(watch_->Watch(kWindow, kId, kMessage, { Path("link.ini") }), "");
    Write("other/real.ini", "2");
    Notice(1000);
    EXPECT_EQ(Settled(1200), (Messages { { kWindow.value, kId } }));

    std::string problem = watch_->Watch(kWindow, 2, kMessage, { Path("nowhere/layout.ini") });
    EXPECT_NE(problem.find("cannot watch the folder '" + Path("nowhere") + "'"), std::string::npos) << problem;
}

}
