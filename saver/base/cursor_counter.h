// The platform's cursor display counter, emulated where the platform only
// offers "hide" and "show": the cursor is hidden while the count is below 0,
// and the platform is asked only when the count crosses between -1 and 0
// (an unmatched "show" would be an error on X11).
#pragma once

namespace qg {

class CursorVisibility {
 public:
  virtual ~CursorVisibility() = default;
  virtual void Hide() = 0;
  virtual void Show() = 0;
};

class CursorCounter {
 public:
  explicit CursorCounter(CursorVisibility& visibility, int initial = 0) : vis_(visibility), count_(initial) {}
  // A nonzero flag adds one, zero takes one away; returns the new count.
  int ShowCursor(int flag);
  int count() const { return count_; }

 private:
  CursorVisibility& vis_;
  int count_;
};

}  // namespace qg
