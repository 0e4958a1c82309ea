#include "wayland/wayland_cursor.h"

namespace qg {
namespace wayland {

namespace {

class CountOnly final : public CursorVisibility {
 public:
  void Hide() override {}
  void Show() override {}
};

}  // namespace

CursorCounter& HostCursorCounter() {
  static CountOnly visibility;
  static CursorCounter counter(visibility);
  return counter;
}

}  // namespace wayland
}  // namespace qg
