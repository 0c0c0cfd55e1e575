#include "platform/Browser.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// A fake opener first on PATH writes its argument count and arguments, one a line, to
// the file named by TACHORA_OPENER_RECORD, then renames it into place so a reader never
// sees half a record.
class OpenInBrowserTest : public testing::Test {
 protected:
  void SetUp() override {
    directory_ = fs::temp_directory_path() / ("tachora-opener-" + std::to_string(::getpid()));
    fs::create_directories(directory_);
    record_ = directory_ / "record";
    const fs::path opener = directory_ / "xdg-open";
    std::ofstream(opener) << "#!/bin/sh\n"
                             "printf '%s\\n' \"$#\" \"$@\" > \"$TACHORA_OPENER_RECORD.part\"\n"
                             "mv \"$TACHORA_OPENER_RECORD.part\" \"$TACHORA_OPENER_RECORD\"\n";
    fs::permissions(opener, fs::perms::owner_all);
    const char* path = std::getenv("PATH");
    old_path_ = path != nullptr ? path : "";
    ::setenv("PATH", (directory_.string() + ":" + old_path_).c_str(), 1);
    ::setenv("TACHORA_OPENER_RECORD", record_.c_str(), 1);
  }

  void TearDown() override {
    ::setenv("PATH", old_path_.c_str(), 1);
    ::unsetenv("TACHORA_OPENER_RECORD");
    fs::remove_all(directory_);
  }

  // The opener's arguments once it has run; empty if it never did within a generous wait.
  std::vector<std::string> RecordedArguments() {
    for (int attempt = 0; attempt < 1000 && !fs::exists(record_); ++attempt) {
      std::this_thread::sleep_for(10ms);
    }
    std::ifstream file(record_);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) lines.push_back(line);
    return lines;
  }

  fs::path directory_;
  fs::path record_;
  std::string old_path_;
};

// Children of this process that have exited but were not reaped.
int ZombieChildren() {
  int zombies = 0;
  for (const auto& entry : fs::directory_iterator("/proc")) {
    std::ifstream stat(entry.path() / "stat");
    std::string text;
    if (!std::getline(stat, text)) continue;
    // Fields after the parenthesised command: state, parent id.
    std::istringstream rest(text.substr(text.rfind(')') + 1));
    char state = 0;
    pid_t parent = 0;
    rest >> state >> parent;
    if (parent == ::getpid() && state == 'Z') ++zombies;
  }
  return zombies;
}

TEST_F(OpenInBrowserTest, PassesTheAddressAsOneArgument) {
  const std::string address = "https://www.example.test/p.php?a=1&b=two words;c=$(x)`y`|z";
  platform::OpenInBrowser(address);
  EXPECT_EQ(RecordedArguments(), (std::vector<std::string>{"1", address}));
}

TEST_F(OpenInBrowserTest, NoShellInterpretsTheAddress) {
  const fs::path marker = directory_ / "marker";
  platform::OpenInBrowser("https://x.test/?q=;touch " + marker.string());
  ASSERT_EQ(RecordedArguments().size(), 2u);
  EXPECT_FALSE(fs::exists(marker));
}

TEST_F(OpenInBrowserTest, LeavesNoZombieBehind) {
  platform::OpenInBrowser("https://x.test/");
  ASSERT_EQ(RecordedArguments().size(), 2u);
  int zombies = ZombieChildren();
  for (int attempt = 0; attempt < 500 && zombies > 0; ++attempt) {
    std::this_thread::sleep_for(10ms);
    zombies = ZombieChildren();
  }
  EXPECT_EQ(zombies, 0);
}

TEST_F(OpenInBrowserTest, AMissingOpenerIsNotAnError) {
  ::setenv("PATH", directory_.c_str(), 1);
  fs::remove(directory_ / "xdg-open");
  platform::OpenInBrowser("https://x.test/");
  EXPECT_FALSE(fs::exists(record_));
}

}  // namespace
