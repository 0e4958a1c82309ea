#include "desktop_composer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace qg::show {

namespace {

// The largest side a desktop picture may have (an X11 screen's).
constexpr int64_t kMaxSide = 32767;

constexpr uint32_t FourCc(char a, char b, char c, char d) {
  return uint32_t(uint8_t(a)) | uint32_t(uint8_t(b)) << 8 | uint32_t(uint8_t(c)) << 16 | uint32_t(uint8_t(d)) << 24;
}

// A map of the plane: to = [xx xy; yx yy] * from + (x0, y0).
struct Affine {
  double xx = 1, xy = 0, yx = 0, yy = 1, x0 = 0, y0 = 0;

  // This map, then next.
  Affine Then(const Affine& next) const {
    Affine r;
    r.xx = next.xx * xx + next.xy * yx;
    r.xy = next.xx * xy + next.xy * yy;
    r.yx = next.yx * xx + next.yy * yx;
    r.yy = next.yx * xy + next.yy * yy;
    r.x0 = next.xx * x0 + next.xy * y0 + next.x0;
    r.y0 = next.yx * x0 + next.yy * y0 + next.y0;
    return r;
  }
  Affine Inverse() const {
    const double det = xx * yy - xy * yx;
    Affine r;
    r.xx = yy / det;
    r.xy = -xy / det;
    r.yx = -yx / det;
    r.yy = xx / det;
    r.x0 = -(r.xx * x0 + r.xy * y0);
    r.y0 = -(r.yx * x0 + r.yy * y0);
    return r;
  }
};

Affine Move(double dx, double dy) {
  Affine a;
  a.x0 = dx;
  a.y0 = dy;
  return a;
}

Affine Scale(double sx, double sy) {
  Affine a;
  a.xx = sx;
  a.yy = sy;
  return a;
}

// Where each point of an output's buffer shows on the desktop picture (whose
// top left is at left, top in the layout): rows put top first, the picture
// turned and mirrored about its centre as the output's transform says (a
// quarter turn takes the buffer's top left corner to the top right, as the
// compositor's own screenshots show it), scaled to the output's logical size
// and moved to its place. Positions are continuous: pixel (x, y) covers
// [x, x + 1) x [y, y + 1).
Affine BufferToDesktop(const OutputBuffer& o, int64_t left, int64_t top) {
  static constexpr int kCos[] = {1, 0, -1, 0}, kSin[] = {0, 1, 0, -1};
  const int turns = o.transform & 3;
  const double uprightWidth = (turns & 1) ? o.height : o.width;
  const double uprightHeight = (turns & 1) ? o.width : o.height;
  Affine turn;
  turn.xx = kCos[turns];
  turn.xy = -kSin[turns];
  turn.yx = kSin[turns];
  turn.yy = kCos[turns];
  const Affine topFirst = o.yInverted ? Scale(1, -1).Then(Move(0, o.height)) : Affine{};
  return topFirst.Then(Move(-o.width / 2.0, -o.height / 2.0))
      .Then(turn)
      .Then(Scale(o.transform >= 4 ? -1 : 1, 1))
      .Then(Scale(o.place.width / uprightWidth, o.place.height / uprightHeight))
      .Then(Move(double(o.place.x - left) + o.place.width / 2.0, double(o.place.y - top) + o.place.height / 2.0));
}

void PutBgrx(const uint8_t* s, BufferFormat format, uint8_t* d) {
  const uint32_t w = uint32_t(s[0]) | uint32_t(s[1]) << 8 | uint32_t(s[2]) << 16 | uint32_t(s[3]) << 24;
  uint32_t r = 0, g = 0, b = 0;
  switch (format) {
    case BufferFormat::kXrgb8888: r = w >> 16, g = w >> 8, b = w; break;
    case BufferFormat::kXbgr8888: b = w >> 16, g = w >> 8, r = w; break;
    // Ten bits a channel: their top eight.
    case BufferFormat::kXrgb2101010: r = w >> 22, g = w >> 12, b = w >> 2; break;
    case BufferFormat::kXbgr2101010: b = w >> 22, g = w >> 12, r = w >> 2; break;
  }
  d[0] = uint8_t(b);
  d[1] = uint8_t(g);
  d[2] = uint8_t(r);
  d[3] = 0;
}

size_t Clamped(double position, int32_t count) {
  const double f = std::floor(position);
  return f < 0 ? 0 : f >= count ? size_t(count - 1) : size_t(f);
}

// Every desktop pixel of the output's place takes the buffer pixel under its
// centre. A quarter-turned map makes each buffer coordinate follow one
// desktop axis alone, so the source's byte offset is a column's part plus a
// row's, each worked out once.
void Draw(const OutputBuffer& o, int64_t left, int64_t top, DesktopPicture& picture) {
  const Affine toBuffer = BufferToDesktop(o, left, top).Inverse();
  const int32_t x0 = int32_t(o.place.x - left), y0 = int32_t(o.place.y - top);
  const bool xByColumn = toBuffer.xy == 0, yByColumn = toBuffer.yy == 0;
  std::vector<size_t> column(size_t(o.place.width), 0), row(size_t(o.place.height), 0);
  for (int32_t u = 0; u < o.place.width; ++u) {
    const double x = x0 + u + 0.5;
    if (xByColumn) column[u] += Clamped(toBuffer.xx * x + toBuffer.x0, o.width) * 4;
    if (yByColumn) column[u] += Clamped(toBuffer.yx * x + toBuffer.y0, o.height) * o.stride;
  }
  for (int32_t v = 0; v < o.place.height; ++v) {
    const double y = y0 + v + 0.5;
    if (!xByColumn) row[v] += Clamped(toBuffer.xy * y + toBuffer.x0, o.width) * 4;
    if (!yByColumn) row[v] += Clamped(toBuffer.yy * y + toBuffer.y0, o.height) * o.stride;
  }
  // Upright rows at their own size in our layout are copied whole.
  bool plainRows = o.format == BufferFormat::kXrgb8888;
  for (int32_t u = 1; u < o.place.width && plainRows; ++u) plainRows = column[u] == column[0] + size_t(u) * 4;
  for (int32_t v = 0; v < o.place.height; ++v) {
    uint8_t* dst = picture.Row(y0 + v) + size_t(x0) * 4;
    const uint8_t* src = o.pixels.get() + row[v];
    if (plainRows) {
      std::memcpy(dst, src + column[0], size_t(o.place.width) * 4);
      continue;
    }
    for (int32_t u = 0; u < o.place.width; ++u) PutBgrx(src + column[u], o.format, dst + size_t(u) * 4);
  }
}

bool Readable(const OutputBuffer& o) {
  return o.pixels && o.width > 0 && o.height > 0 && o.stride >= size_t(o.width) * 4 && o.transform >= 0 &&
         o.transform < 8 && o.place.width > 0 && o.place.height > 0;
}

}  // namespace

std::optional<BufferFormat> BufferFormatOfCode(uint32_t code) {
  switch (code) {
    case 0:  // ARGB8888 in Wayland's own numbering
    case 1:  // XRGB8888
    case FourCc('A', 'R', '2', '4'):
    case FourCc('X', 'R', '2', '4'):
      return BufferFormat::kXrgb8888;
    case FourCc('A', 'B', '2', '4'):
    case FourCc('X', 'B', '2', '4'):
      return BufferFormat::kXbgr8888;
    case FourCc('A', 'R', '3', '0'):
    case FourCc('X', 'R', '3', '0'):
      return BufferFormat::kXrgb2101010;
    case FourCc('A', 'B', '3', '0'):
    case FourCc('X', 'B', '3', '0'):
      return BufferFormat::kXbgr2101010;
  }
  return std::nullopt;
}

DesktopPicture ComposeDesktop(const std::vector<OutputBuffer>& outputs) {
  if (outputs.empty()) return {};
  int64_t left = INT64_MAX, top = INT64_MAX, right = INT64_MIN, bottom = INT64_MIN;
  for (const OutputBuffer& o : outputs) {
    if (!Readable(o)) return {};
    left = std::min<int64_t>(left, o.place.x);
    top = std::min<int64_t>(top, o.place.y);
    right = std::max<int64_t>(right, int64_t(o.place.x) + o.place.width);
    bottom = std::max<int64_t>(bottom, int64_t(o.place.y) + o.place.height);
  }
  if (right - left > kMaxSide || bottom - top > kMaxSide) return {};
  const OutputBuffer& first = outputs.front();
  if (outputs.size() == 1 && first.transform == 0 && !first.yInverted && first.format == BufferFormat::kXrgb8888 &&
      first.place.width == first.width && first.place.height == first.height) {
    // One output, upright, at its own size and in our layout: its buffer is
    // the picture as it stands, not copied.
    DesktopPicture picture;
    picture.width = first.width;
    picture.height = first.height;
    picture.stride = first.stride;
    picture.pixels = first.pixels;
    return picture;
  }
  DesktopPicture picture = DesktopPicture::Allocate(int32_t(right - left), int32_t(bottom - top));
  if (picture.empty()) return picture;
  // Outputs of several sizes leave parts of the rectangle that none covers.
  if (outputs.size() > 1) std::memset(picture.Row(0), 0, picture.stride * size_t(picture.height));
  for (const OutputBuffer& o : outputs) Draw(o, left, top, picture);
  return picture;
}

std::vector<OutputBuffer> CutForOutputs(const OutputBuffer& whole, const std::vector<DesktopRect>& places) {
  OutputBuffer upright = whole;
  upright.transform = 0;
  upright.yInverted = false;
  upright.place = {0, 0, whole.width, whole.height};
  if (places.empty() || !whole.pixels || whole.width <= 0 || whole.height <= 0) return {upright};
  int64_t left = INT64_MAX, top = INT64_MAX, right = INT64_MIN, bottom = INT64_MIN;
  for (const DesktopRect& p : places) {
    left = std::min<int64_t>(left, p.x);
    top = std::min<int64_t>(top, p.y);
    right = std::max<int64_t>(right, int64_t(p.x) + p.width);
    bottom = std::max<int64_t>(bottom, int64_t(p.y) + p.height);
  }
  if (right <= left || bottom <= top) return {upright};
  const double sx = double(whole.width) / double(right - left), sy = double(whole.height) / double(bottom - top);
  auto at = [](double position, int32_t low, int32_t high) {
    return std::clamp<int32_t>(int32_t(std::lround(position)), low, high);
  };
  std::vector<OutputBuffer> parts;
  for (const DesktopRect& p : places) {
    const int32_t x = at(double(p.x - left) * sx, 0, whole.width - 1);
    const int32_t y = at(double(p.y - top) * sy, 0, whole.height - 1);
    OutputBuffer part = upright;
    part.width = at(double(p.x + int64_t(p.width) - left) * sx, x + 1, whole.width) - x;
    part.height = at(double(p.y + int64_t(p.height) - top) * sy, y + 1, whole.height) - y;
    part.pixels = std::shared_ptr<uint8_t>(whole.pixels, whole.pixels.get() + size_t(y) * whole.stride + size_t(x) * 4);
    part.place = p;
    parts.push_back(part);
  }
  return parts;
}

}  // namespace qg::show
