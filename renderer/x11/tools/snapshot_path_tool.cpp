// Prints where the show looks for the desktop snapshot, so that scripts
// write it exactly there. With --ensure it first makes the private folder.
#include <cstdio>
#include <cstring>

#include "snapshot_path.h"

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "--ensure") == 0 && !qg::EnsureSnapshotFolder()) {
    std::fprintf(stderr, "cannot use the snapshot folder %s\n", qg::SnapshotFolder().c_str());
    return 1;
  }
  std::printf("%s\n", qg::SnapshotFilePath().c_str());
  return 0;
}
