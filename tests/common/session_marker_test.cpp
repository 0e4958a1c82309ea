// The per-session mark, between real processes: one holder however many race
// for it, gone with its holder's death, never taken by a look.
#include "session_marker.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "process.h"

namespace {

const char kSession[] = "x11:7";

TEST(SessionMarker, RacingClaimsLeaveOneHolderALookTakesNothingAndTheMarkDiesWithItsHolder) {
  qgtest::TempDir dir;
  setenv("XDG_RUNTIME_DIR", dir.path().c_str(), 1);
  EXPECT_EQ(qg::SessionOfX11Display(":7.0"), kSession);
  EXPECT_EQ(qg::SessionOfX11Display(":7"), kSession);

  // Twelve processes claim at one moment (released by one pipe write); each
  // that wins stays until killed, so a late winner would be a second holder.
  int go[2], report[2];
  ASSERT_EQ(pipe(go), 0);
  ASSERT_EQ(pipe(report), 0);
  std::vector<pid_t> children;
  for (int i = 0; i < 12; ++i) {
    const pid_t pid = fork();
    if (pid == 0) {
      char c;
      close(go[1]);
      if (read(go[0], &c, 1) < 0) _exit(2);  // returns at end of file
      qg::SessionMarker mark;
      const char won = mark.Claim(kSession, "<Quiverglide>") ? 'W' : 'L';
      if (write(report[1], &won, 1) != 1) _exit(2);
      if (won == 'W') pause();
      _exit(0);
    }
    children.push_back(pid);
  }
  close(go[0]);
  close(report[1]);
  close(go[1]);  // end of file: every child reads at once
  int winners = 0;
  char c;
  for (int i = 0; i < 12 && read(report[0], &c, 1) == 1; ++i) winners += c == 'W';
  EXPECT_EQ(winners, 1);

  EXPECT_TRUE(qg::SessionMarkerHeld(kSession, "<Quiverglide>"));
  EXPECT_TRUE(qg::SessionMarkerHeld(kSession, "<Quiverglide>"));  // the first look took nothing
  EXPECT_FALSE(qg::SessionMarkerHeld("x11:8", "<Quiverglide>"));
  qg::SessionMarker mine;
  EXPECT_FALSE(mine.Claim(kSession, "<Quiverglide>"));

  for (pid_t pid : children) kill(pid, SIGKILL);
  for (pid_t pid : children) waitpid(pid, nullptr, 0);
  EXPECT_FALSE(qg::SessionMarkerHeld(kSession, "<Quiverglide>"));
  ASSERT_TRUE(mine.Claim(kSession, "<Quiverglide>"));
  EXPECT_TRUE(qg::SessionMarkerHeld(kSession, "<Quiverglide>"));
  mine.Release();
  EXPECT_FALSE(qg::SessionMarkerHeld(kSession, "<Quiverglide>"));
}

}  // namespace
