// The built tachora without a display: a clear line and status 1 rather than a program
// running with no window, and the two questions it answers without one.
#include <gtest/gtest.h>

#include "generated/Version.h"
#include "tests/support/ChildProcess.h"

namespace {

using testsupport::ChildOptions;
using testsupport::ChildRun;
using testsupport::Stdout;

ChildRun RunTachora(const std::vector<std::string>& args, ChildOptions options) {
  options.limit = std::chrono::seconds(10);
  return testsupport::RunChild(TACHORA_PATH, args, options);
}

// No video driver but the one the test names, so the outcome does not depend on the
// machine (a Wayland session, a console).
ChildOptions WithDisplay(const char* display) {
  ChildOptions options;
  options.unset = {"WAYLAND_DISPLAY", "WAYLAND_SOCKET", "SDL_VIDEODRIVER"};
  if (display) {
    options.set = {{"DISPLAY", display}};
  } else {
    options.unset.push_back("DISPLAY");
  }
  return options;
}

TEST(NoDisplay, IsOneClearLineAndStatusOne) {
  const ChildRun unset = RunTachora({}, WithDisplay(nullptr));
  EXPECT_FALSE(unset.killed) << "still running without a display";
  EXPECT_EQ(unset.status, 1);
  EXPECT_EQ(unset.err, "tachora: cannot open a window: no display (DISPLAY is not set)\n");
  EXPECT_EQ(unset.out, "");
  const ChildRun empty = RunTachora({}, WithDisplay(""));
  EXPECT_EQ(empty.status, 1);
  EXPECT_EQ(empty.err, unset.err);
  const ChildRun nowhere = RunTachora({}, WithDisplay(":250"));
  EXPECT_FALSE(nowhere.killed) << "still running without a display";
  EXPECT_EQ(nowhere.status, 1);
  EXPECT_EQ(nowhere.err,
            "tachora: cannot open a window: no display (cannot connect to "
            "DISPLAY=:250)\n");
}

TEST(NoDisplay, ADriverAskedForIsUsedOrItsReasonGiven) {
  ChildOptions x11 = WithDisplay(nullptr);
  x11.set.emplace_back("SDL_VIDEODRIVER", "x11");
  const ChildRun refused = RunTachora({}, x11);
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(refused.err.rfind("tachora: cannot open a window: ", 0), 0u) << refused.err;
  EXPECT_EQ(std::count(refused.err.begin(), refused.err.end(), '\n'), 1) << refused.err;
  // The invisible driver runs when asked for: the program is still going at the limit.
  ChildOptions offscreen = WithDisplay(nullptr);
  offscreen.set.emplace_back("SDL_VIDEODRIVER", "offscreen");
  offscreen.limit = std::chrono::seconds(3);
  const ChildRun running = testsupport::RunChild(TACHORA_PATH, {}, offscreen);
  EXPECT_TRUE(running.killed) << running.err;
}

TEST(CommandLine, HelpAndVersionNeedNoWindow) {
  const ChildRun version = RunTachora({"--version"}, WithDisplay(nullptr));
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, TACHORA_VERSION_TEXT "\n");
  EXPECT_EQ(version.err, "");
  const ChildRun help = RunTachora({"--help"}, WithDisplay(nullptr));
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out.rfind("Usage: tachora", 0), 0u) << help.out;
  EXPECT_EQ(help.err, "");
}

TEST(CommandLine, AnOutputThatCannotBeWrittenIsOneLineAndStatusOne) {
  ChildOptions full = WithDisplay(nullptr);
  full.stdoutTo = Stdout::DevFull;
  ChildOptions closed = WithDisplay(nullptr);
  closed.stdoutTo = Stdout::ClosedPipe;
  for (const char* option : {"--help", "--version"}) {
    const ChildRun onFull = RunTachora({option}, full);
    EXPECT_EQ(onFull.status, 1) << option;
    EXPECT_EQ(onFull.err, "tachora: cannot write to standard output (No space left on device)\n");
    const ChildRun onClosed = RunTachora({option}, closed);
    EXPECT_EQ(onClosed.status, 1) << option;
    EXPECT_EQ(onClosed.err, "tachora: cannot write to standard output (Broken pipe)\n");
  }
}

}  // namespace
