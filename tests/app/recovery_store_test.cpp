#include "app/recovery_store.h"
#include "folder_tools.h"
#include "formats/file_io.h"
#include "temp_dir.h"

#include <algorithm>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace korvex;

namespace {

// Sets an environment variable for the life of the object.
class EnvironmentValue {
public:
    EnvironmentValue(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name))
            old_ = old;
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~EnvironmentValue() {
        if (old_)
            ::setenv(name_, old_->c_str(), 1);
        else
            ::unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

// A run of the editor in a process of its own that takes a slot, writes `copy`
// into it (unless empty) with the given age, and dies without ending normally.
void runThatDies(const std::string& folder, const std::string& copy, int ageSeconds = 0) {
    const pid_t child = ::fork();
    if (child == 0) {
        auto slot = RecoverySlot::claim(folder);
        if (!slot)
            ::_exit(1);
        if (!copy.empty()) {
            if (!writeFileAtomic(slot->copyPath(), copy))
                ::_exit(2);
            const timespec when[2] = {{::time(nullptr) - ageSeconds, 0},
                                      {::time(nullptr) - ageSeconds, 0}};
            ::utimensat(AT_FDCWD, slot->copyPath().c_str(), when, 0);
        }
        ::_exit(0);
    }
    int status = -1;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

TEST(RecoveryStore, FolderFollowsTheStateHomeAndIntervalOnlyShortens) {
    {
        EnvironmentValue state("XDG_STATE_HOME", "/var/tmp/state");
        EXPECT_EQ(recoveryFolder(), "/var/tmp/state/korvex");
    }
    EnvironmentValue home("HOME", "/home/someone");
    for (const char* unusable : {static_cast<const char*>(nullptr), "", "relative/state"}) {
        EnvironmentValue state("XDG_STATE_HOME", unusable);
        EXPECT_EQ(recoveryFolder(), "/home/someone/.local/state/korvex");
    }

    EXPECT_EQ(recoveryInterval(), std::chrono::milliseconds(30000));
    {
        EnvironmentValue shorter("KORVEX_RECOVERY_INTERVAL_MS", "250");
        EXPECT_EQ(recoveryInterval(), std::chrono::milliseconds(250));
    }
    for (const char* ignored : {"0", "-5", "12abc", "30000", "99999", "99999999999999999999"}) {
        EnvironmentValue value("KORVEX_RECOVERY_INTERVAL_MS", ignored);
        EXPECT_EQ(recoveryInterval(), std::chrono::milliseconds(30000)) << ignored;
    }
}

TEST(RecoveryStore, RunningEditorsHaveTheirOwnSlotsAndAreNeverOrphans) {
    test::TempDir dir;
    const std::string folder = dir.filePath("state/korvex");
    auto first = RecoverySlot::claim(folder);
    auto second = RecoverySlot::claim(folder);
    ASSERT_TRUE(first && second);
    // The folder was made, private to the user.
    struct stat info {};
    ASSERT_EQ(::stat(folder.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    EXPECT_NE(first->copyPath(), second->copyPath());
    ASSERT_TRUE(writeFileAtomic(first->copyPath(), std::string("first")));
    ASSERT_TRUE(writeFileAtomic(second->copyPath(), std::string("second")));

    // Another run looking for orphans finds none and touches nothing.
    const auto before = test::folderEntries(folder);
    EXPECT_TRUE(findRecoveryOrphans(folder).empty());
    EXPECT_EQ(test::folderEntries(folder), before);

    // A normal end removes that run's files only.
    first->endNormally();
    EXPECT_EQ(test::folderEntries(folder).size(), 2u);
    EXPECT_EQ(test::fileText(second->copyPath()), "second");
    second->endNormally();
    EXPECT_TRUE(test::folderEntries(folder).empty());
}

TEST(RecoveryStore, CopiesOfRunsThatDiedAreOrphansNewestFirst) {
    test::TempDir dir;
    const std::string folder = dir.path();
    runThatDies(folder, "older", 100);
    runThatDies(folder, "newer", 10);
    // A run that died before writing a copy leaves a lock file, which is cleared.
    runThatDies(folder, "");
    EXPECT_EQ(test::folderEntries(folder).size(), 5u);

    auto orphans = findRecoveryOrphans(folder);
    ASSERT_EQ(orphans.size(), 2u);
    EXPECT_EQ(test::fileText(orphans[0].copyPath()), "newer");
    EXPECT_EQ(test::fileText(orphans[1].copyPath()), "older");
    EXPECT_EQ(test::folderEntries(folder).size(), 4u);
    // While this run holds them, another starting run is not offered them.
    EXPECT_TRUE(findRecoveryOrphans(folder).empty());

    const std::string olderPath = orphans[1].copyPath();
    orphans[1].discard();
    EXPECT_FALSE(std::filesystem::exists(olderPath));
    EXPECT_EQ(test::folderEntries(folder).size(), 2u);

    // Adopted, the copy becomes this run's copy, no longer an orphan.
    auto slot = RecoverySlot::claim(folder);
    ASSERT_TRUE(slot);
    ASSERT_TRUE(orphans[0].adoptInto(*slot));
    EXPECT_EQ(test::fileText(slot->copyPath()), "newer");
    orphans.clear();
    EXPECT_TRUE(findRecoveryOrphans(folder).empty());
    slot->endNormally();
    EXPECT_TRUE(test::folderEntries(folder).empty());
}

TEST(RecoveryStore, OrphanLeftUnansweredStaysForALaterRun) {
    test::TempDir dir;
    const std::string folder = dir.path();
    runThatDies(folder, "work");
    EXPECT_EQ(findRecoveryOrphans(folder).size(), 1u);
    // Released unanswered: still there next time.
    auto again = findRecoveryOrphans(folder);
    ASSERT_EQ(again.size(), 1u);
    EXPECT_EQ(test::fileText(again[0].copyPath()), "work");
}

TEST(RecoveryStore, CopyWithoutItsLockFileIsAnOrphanToo) {
    test::TempDir dir;
    const std::string folder = dir.path();
    ASSERT_TRUE(writeFileAtomic(folder + "/run-1-abc.proj2", std::string("by hand")));
    auto orphans = findRecoveryOrphans(folder);
    ASSERT_EQ(orphans.size(), 1u);
    EXPECT_EQ(test::fileText(orphans[0].copyPath()), "by hand");
    orphans[0].discard();
    EXPECT_TRUE(test::folderEntries(folder).empty());
}

TEST(RecoveryStore, UnusableFolderGivesNoSlotAndAReason) {
    test::TempDir dir;
    const std::string file = dir.filePath("plain");
    ASSERT_TRUE(writeFileAtomic(file, std::string("x")));
    std::string error;
    EXPECT_FALSE(RecoverySlot::claim(file + "/korvex", &error));
    EXPECT_NE(error.find(file), std::string::npos) << error;
    EXPECT_FALSE(RecoverySlot::claim(""));
    EXPECT_TRUE(findRecoveryOrphans(file + "/korvex").empty());
}

// A run killed while writing its copy leaves the write's temporary file; a damaged
// copy moved aside is kept a week. Start-up clears both, and nothing a live run uses.
TEST(RecoveryStore, TidyingClearsKilledWritesAndDamagedCopiesAfterAWeek) {
    test::TempDir dir;
    const std::string folder = dir.path();
    const std::string killedWrite = ".run-1-aa.proj2.korvex-save-0123456789ab~";
    const std::string olderForm = ".run-2-bb.proj2.0123456789ab~";
    const std::string liveWrite = ".run-3-cc.proj2.korvex-save-0123456789ab~";
    for (const std::string& name : {killedWrite, olderForm, liveWrite})
        ASSERT_TRUE(writeFileAtomic(folder + "/" + name, std::string("part")));
    const int held = ::open((folder + "/" + liveWrite).c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);

    runThatDies(folder, "garbage, no copy");
    auto orphans = findRecoveryOrphans(folder);
    ASSERT_EQ(orphans.size(), 1u);
    const std::string name = orphans[0].copyPath().substr(folder.size() + 1);
    ASSERT_TRUE(orphans[0].moveToDamaged());
    orphans.clear();
    EXPECT_TRUE(findRecoveryOrphans(folder).empty());
    const std::string damaged = folder + "/damaged/";
    EXPECT_EQ(test::fileText(damaged + name), "garbage, no copy");
    ASSERT_TRUE(writeFileAtomic(damaged + "old.proj2", std::string("from last month")));
    const time_t aWeekAgo = ::time(nullptr) - 7 * 24 * 3600 - 60;
    const timespec when[2] = {{aWeekAgo, 0}, {aWeekAgo, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, (damaged + "old.proj2").c_str(), when, 0), 0);

    EXPECT_EQ(tidyRecoveryFolder(folder), 3);
    EXPECT_EQ(test::folderEntries(folder), (std::vector<std::string>{liveWrite, "damaged"}));
    EXPECT_EQ(test::folderEntries(damaged), std::vector<std::string>{name});
    ::close(held);
    EXPECT_EQ(tidyRecoveryFolder(folder), 1);
}

} // namespace
