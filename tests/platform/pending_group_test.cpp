// The result and its map under a fault at every step of their writing: a
// failed step, or an uncatchable kill there, leaves the old pair or the new
// one, and the next run that writes beside them finds no leftovers.

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "platform/file_faults.h"
#include "platform/pending_group.h"
#include "platform/temporaries.h"
#include "support/temp_folder.h"
#include "text/utf8.h"

namespace {

namespace fs = std::filesystem;
using testing_support::TempFolder;

struct Pair {
  std::string result;
  std::string map;
  bool operator==(const Pair&) const = default;
};

const Pair kOld{"old program", "old map"};
const Pair kNew{std::string(300000, 'n'), "new map"};

Pair pairIn(const TempFolder& folder) { return {folder.read("X/p.bas"), folder.read("DATA/lineno.txt")}; }

// Writes and commits the new pair; true when the group took its places.
bool commitNewPair(const TempFolder& folder, platform::FileFaultPlan plan) {
  platform::planFileFaults(plan);
  platform::PendingGroup pair;
  const bool written = pair.add(text::u16((folder / "X/p.bas").string())).write(kNew.result) &&
                       pair.add(text::u16((folder / "DATA/lineno.txt").string())).write(kNew.map);
  return written && pair.commit() == nullptr;
}

std::unique_ptr<TempFolder> folderWithOldPair() {
  auto folder = std::make_unique<TempFolder>();
  folder->write("X/p.bas", kOld.result);
  folder->write("DATA/lineno.txt", kOld.map);
  return folder;
}

bool leftovers(const TempFolder& folder) {
  for (const char* sub : {"X", "DATA"}) {
    for (const auto& entry : fs::directory_iterator(folder / sub)) {
      if (platform::temporaryOwner(text::u16(entry.path().filename().string()))) return true;
    }
  }
  return false;
}

int stepsOfACommit() {
  auto folder = folderWithOldPair();
  commitNewPair(*folder, {});
  return platform::fileStepsTaken();
}

TEST(PendingGroup, AFailedStepLeavesTheOldPairAndNothingElse) {
  const int steps = stepsOfACommit();
  ASSERT_GT(steps, 8);
  for (int step = 0; step < steps; ++step) {
    auto folder = folderWithOldPair();
    const bool placed = commitNewPair(*folder, {.failAt = step});
    // Only the flushes of the folders may fail after the pair is in place.
    EXPECT_EQ(pairIn(*folder), placed ? kNew : kOld) << "step " << step;
    EXPECT_FALSE(leftovers(*folder)) << "step " << step;
  }
}

TEST(PendingGroup, AKillAtAnyStepLeavesAWholePairOnceTheNextRunHasLooked) {
  const int steps = stepsOfACommit();
  for (int step = 0; step < steps; ++step) {
    auto folder = folderWithOldPair();
    const pid_t child = ::fork();
    if (child == 0) {
      commitNewPair(*folder, {.killAt = step});
      ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status)) << "step " << step;
    // Between the renames only the dead run's record can tell the pair apart;
    // the next run writing beside either file finishes it.
    platform::removeStaleTemporariesBeside(text::u16((*folder / (step % 2 ? "X/p.bas" : "DATA/lineno.txt")).string()));
    platform::removeStaleTemporariesBeside(text::u16((*folder / "X/p.bas").string()));
    platform::removeStaleTemporariesBeside(text::u16((*folder / "DATA/lineno.txt").string()));
    const Pair left = pairIn(*folder);
    EXPECT_TRUE(left == kOld || left == kNew) << "step " << step;
    EXPECT_FALSE(leftovers(*folder)) << "step " << step;
  }
}

// "-o /dev/null" and a pipe: the bytes go into the device, which stays one; a
// rename over it would have replaced it with a file.
TEST(PendingGroup, ADeviceOrPipeIsWrittenIntoAndStaysOne) {
  auto folder = folderWithOldPair();
  const fs::path pipe = *folder / "X/pipe";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  const int reader = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  platform::PendingGroup pair;
  ASSERT_TRUE(pair.add(text::u16(pipe.string())).write("to the pipe"));
  ASSERT_TRUE(pair.add(text::u16((*folder / "DATA/lineno.txt").string())).write(kNew.map));
  EXPECT_EQ(pair.commit(), nullptr);
  char got[32] = {};
  EXPECT_EQ(::read(reader, got, sizeof got), 11);
  ::close(reader);
  EXPECT_EQ(std::string(got), "to the pipe");
  struct stat info {};
  ASSERT_EQ(::stat(pipe.c_str(), &info), 0);
  EXPECT_TRUE(S_ISFIFO(info.st_mode));
  EXPECT_EQ(folder->read("DATA/lineno.txt"), kNew.map);
  EXPECT_FALSE(leftovers(*folder));
}

}  // namespace
