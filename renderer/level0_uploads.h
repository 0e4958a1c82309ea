// GLU builds every mipmap level of the snapshot's texture, but the show
// samples level 0 alone (its minifying filter is linear, without mipmaps).
// Where the platform sees GLU's uploads, a Level0Uploads scope passes level 0
// on to GL, drops the levels past it, and lets the caller's picture go as
// soon as GLU uploads from a scaled copy of its own: the build then holds the
// scaled copy and the texture, not the picture and the whole chain as well.
#pragma once

#include <cstddef>
#include <functional>

class Level0Uploads {
 public:
  // Whether this build sees GLU's uploads; without it the whole chain is
  // built and the picture is kept until the build returns.
  static bool Available();

  // release runs at most once, when level 0 arrives from a buffer outside
  // [picture, picture + size): GLU has then read all it needs of the picture.
  Level0Uploads(const void* picture, std::size_t size, std::function<void()> release);
  ~Level0Uploads();
  Level0Uploads(const Level0Uploads&) = delete;
  Level0Uploads& operator=(const Level0Uploads&) = delete;
};
