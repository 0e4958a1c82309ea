#include "cursor_counter.h"

#include <climits>

namespace qg {

int CursorCounter::ShowCursor(int flag) {
  if (flag != 0) {
    if (count_ == INT_MAX) return count_;
    ++count_;
    if (count_ == 0) vis_.Show();
  } else {
    if (count_ == INT_MIN) return count_;
    --count_;
    if (count_ == -1) vis_.Hide();
  }
  return count_;
}

}  // namespace qg
