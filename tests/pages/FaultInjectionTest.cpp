// Fault injection through the database pages: every file operation of a
// compaction in place and of a backup is made to fail, and the process is
// killed just before and just after it. Each run happens in a child process
// on fresh files; the parent then checks that the whole database is still
// found at D or at O, and that an earlier backup is never lost.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <set>

#include "BackupPage.h"
#include "CompactRepairPage.h"
#include "support/DaoPageSuite.h"

namespace {

using namespace tarnex::daotest;
using platform::FileEvent;
using platform::FileOperation;
using platform::FilePhase;
using platform::testing::ScriptedDesktop;

enum class Mode { Fail, KillBefore, KillAfter };

const char* ModeName(Mode mode) {
    switch (mode) {
        case Mode::Fail:
            return "fail";
        case Mode::KillBefore:
            return "kill before";
        case Mode::KillAfter:
            return "kill after";
    }
    return "?";
}

using EventMatch = std::function<bool(const FileEvent&)>;

// One fault point: an operation of the run, and what must happen first to
// reach it (another operation failing), if anything.
struct FaultPoint {
    std::string name;
    EventMatch at;
    EventMatch failFirst = {};  // empty: nothing
};

struct Tally {
    std::set<std::string> points;
    int runs = 0;
};

Tally& CompactionTally() {
    static Tally tally;
    return tally;
}
Tally& BackupTally() {
    static Tally tally;
    return tally;
}

// The plan a child installs: fail or kill at the point. `reached` tells
// whether the run came to the point at all.
platform::FileFaultHook PlanFor(const FaultPoint& point, Mode mode, bool& reached) {
    return [point, mode, &reached](const FileEvent& e) -> int {
        if (point.failFirst && e.phase == FilePhase::Before && point.failFirst(e)) return EIO;
        if (!point.at(e)) return 0;
        reached = true;
        if (mode == Mode::Fail && e.phase == FilePhase::Before) return EIO;
        if ((mode == Mode::KillBefore && e.phase == FilePhase::Before) ||
            (mode == Mode::KillAfter && e.phase == FilePhase::After)) {
            ::kill(::getpid(), SIGKILL);
        }
        return 0;
    };
}

// Runs `work` in a child process and returns how it ended: the exit code, or
// 128 + the signal that ended it. A child whose own checks failed exits with
// 3; one that never came to its fault point with 4.
int InChild(const std::function<void()>& work) {
    // A fork copies only the calling thread: nothing else may run meanwhile.
    EXPECT_EQ(std::distance(fs::directory_iterator("/proc/self/task"), fs::directory_iterator()), 1)
        << "the test process runs other threads";
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        work();
        ::_exit(::testing::Test::HasFailure() ? 3 : 0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
}

// Shows a new page of the program on fresh files in a child process, with the
// plan for the point installed, and works it with `click`; how the child ended.
template <class Page>
int ClickAtFaultPoint(const DaoSuiteFiles& files, const FaultPoint& point, Mode mode,
                      const std::function<void(Page&, ScriptedDesktop&)>& click) {
    return InChild([&] {
        ScriptedDesktop desktop;
        LoggedInApp app(files);
        Page page;
        bool reached = false;
        platform::SetFileFaultHook(PlanFor(point, mode, reached));
        WithPage(page, [&] { click(page, desktop); });
        if (!reached) ::_exit(4);
    });
}

std::string Describe(const FaultPoint& point, Mode mode) {
    return point.name + ": " + ModeName(mode);
}

TEST(FaultInjection, CompactionNeverLosesTheDatabase) {
    const std::vector<FaultPoint> points = [] {
        auto D = [](const FileEvent& e) { return fs::path(e.path).filename() == "suite.mdb"; };
        auto named = [](const std::string& s, const char* name) {
            return fs::path(s).filename() == name;
        };
        auto renameTtoD = [named](const FileEvent& e) {
            return e.operation == FileOperation::Rename && named(e.path, "temp.mdb");
        };
        return std::vector<FaultPoint>{
            {"compact D into T",
             [D](const FileEvent& e) { return e.operation == FileOperation::Compact && D(e); }},
            {"rename D to O",
             [D](const FileEvent& e) { return e.operation == FileOperation::Rename && D(e); }},
            {"rename T to D", renameTtoD},
            {"restore O to D",
             [named](const FileEvent& e) {
                 return e.operation == FileOperation::Rename && named(e.path, "ORGTALVERON.mdb");
             },
             renameTtoD},
            {"delete O",
             [named](const FileEvent& e) {
                 return e.operation == FileOperation::Remove && named(e.path, "ORGTALVERON.mdb");
             }},
        };
    }();

    for (const FaultPoint& point : points) {
        for (Mode mode : {Mode::Fail, Mode::KillBefore, Mode::KillAfter}) {
            SCOPED_TRACE(Describe(point, mode));
            DaoSuiteFiles files;
            const int ended = ClickAtFaultPoint<CCompactRepairPage>(
                files, point, mode, [](CCompactRepairPage& page, ScriptedDesktop&) {
                    Click(page, IDC_COMPACT_REPAIR);
                });
            EXPECT_EQ(ended, mode == Mode::Fail ? 0 : 128 + SIGKILL);
            const fs::path o = files.folder / "ORGTALVERON.mdb";
            EXPECT_TRUE(files.HoldsWholeDatabase(files.database) || files.HoldsWholeDatabase(o))
                << "left: " << ::testing::PrintToString(files.OtherFiles());
            CompactionTally().points.insert(point.name);
            ++CompactionTally().runs;
        }
    }

    // The profile write: made to fail for real (the profile's name is taken by
    // a folder), and the process killed once it is written, at the success
    // message. Just before it the state is that after the delete of O.
    for (Mode mode : {Mode::Fail, Mode::KillAfter}) {
        SCOPED_TRACE(std::string("profile write: ") + ModeName(mode));
        DaoSuiteFiles files;
        if (mode == Mode::Fail) fs::create_directory(files.profile);
        const int ended = InChild([&] {
            ScriptedDesktop desktop;
            desktop.onMessageBox = [](const platform::testing::MessageBoxCall&) {
                ::kill(::getpid(), SIGKILL);
            };
            if (mode == Mode::Fail) desktop.onMessageBox = nullptr;
            LoggedInApp app(files);
            CCompactRepairPage page;
            WithPage(page, [&] { Click(page, IDC_COMPACT_REPAIR); });
            EXPECT_EQ(desktop.messageBoxes.size(), 1u);
        });
        EXPECT_EQ(ended, mode == Mode::Fail ? 0 : 128 + SIGKILL);
        EXPECT_TRUE(files.HoldsWholeDatabase(files.database));
        if (mode == Mode::KillAfter) {
            EXPECT_EQ(files.ProfileDbSize(), static_cast<int>(fs::file_size(files.database)));
        }
        CompactionTally().points.insert("write DB_SIZE");
        ++CompactionTally().runs;
    }
    std::printf("[ FAULTS   ] compaction: %zu fault points, %d runs\n",
                CompactionTally().points.size(), CompactionTally().runs);
}

TEST(FaultInjection, BackupNeverLosesTheEarlierBackup) {
    const std::string earlier = "earlier backup";
    auto named = [](const std::string& s, const char* name) {
        return fs::path(s).filename() == name;
    };
    auto isCopy = [](const std::string& s) {
        const std::string name = fs::path(s).filename().string();
        return name.starts_with(".backup.mdb~") && name.ends_with(".tmp");
    };
    auto replace = [named](const FileEvent& e) {
        return e.operation == FileOperation::Replace && named(e.target, "backup.mdb");
    };
    const std::vector<FaultPoint> points{
        {"check that B can be deleted",
         [named](const FileEvent& e) {
             return e.operation == FileOperation::DeleteCheck && named(e.path, "backup.mdb");
         }},
        {"compact D into the new copy",
         [isCopy](const FileEvent& e) {
             return e.operation == FileOperation::Compact && isCopy(e.target);
         }},
        {"replace B with the new copy", replace},
        {"delete the new copy",
         [isCopy](const FileEvent& e) {
             return e.operation == FileOperation::Remove && isCopy(e.path);
         },
         replace},
    };

    for (const FaultPoint& point : points) {
        for (Mode mode : {Mode::Fail, Mode::KillBefore, Mode::KillAfter}) {
            SCOPED_TRACE(Describe(point, mode));
            DaoSuiteFiles files;
            const fs::path b = files.folder / "backup.mdb";
            std::ofstream(b) << earlier;
            const std::string database = ReadFile(files.database);
            const int ended = ClickAtFaultPoint<CBackupPage>(
                files, point, mode, [&b](CBackupPage& page, ScriptedDesktop& desktop) {
                    desktop.AnswerFileDialog(b.string());
                    Click(page, IDC_BROWSE_BACKUP);
                    Click(page, IDC_CREATE_BACKUP);
                });
            EXPECT_EQ(ended, mode == Mode::Fail ? 0 : 128 + SIGKILL);
            EXPECT_EQ(ReadFile(files.database), database);
            EXPECT_TRUE(ReadFile(b) == earlier || files.HoldsWholeDatabase(b))
                << "the backup file holds neither the earlier nor a whole new backup";
            BackupTally().points.insert(point.name);
            ++BackupTally().runs;
        }
    }
    std::printf("[ FAULTS   ] backup: %zu fault points, %d runs\n", BackupTally().points.size(),
                BackupTally().runs);
}

}  // namespace
