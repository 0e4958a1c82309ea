// Draws the artwork that ships with Quiverglide.scr's settings dialog and its
// Command buttons, and writes it as the files kept in assets/:
//   command_normal.bmp, command_highlight.bmp, command_highlightselect.bmp,
//   command_selected.bmp, command_pressed.bmp, command_disable.bmp  (64 x 25, 24-bit)
//   texture.bmp (556 x 20, 24-bit), mark_empty.bmp, mark_filled.bmp (12 x 12, 24-bit)
//   hand.cur (32 x 32, two colours, hot spot 12,10), quiverglide.ico (32 x 32, 32-bit)
// Usage: make_assets <output folder>. The output is the same on every run.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Rgb {
  int r = 0, g = 0, b = 0;
};

constexpr Rgb Hex(std::uint32_t v) { return Rgb{int(v >> 16) & 255, int(v >> 8) & 255, int(v) & 255}; }

Rgb Mix(Rgb a, Rgb b, double t) {  // t = share of a
  auto m = [t](int x, int y) { return int(std::lround(x * t + y * (1 - t))); };
  return Rgb{m(a.r, b.r), m(a.g, b.g), m(a.b, b.b)};
}

struct Picture {
  int w, h;
  std::vector<Rgb> px;
  Picture(int w_, int h_, Rgb fill = {}) : w(w_), h(h_), px(std::size_t(w_) * h_, fill) {}
  Rgb& at(int x, int y) { return px[std::size_t(y) * w + x]; }
};

void Put16(std::vector<std::uint8_t>& out, unsigned v) {
  out.push_back(v & 255);
  out.push_back((v >> 8) & 255);
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

std::vector<std::uint8_t> Bmp24(Picture& p) {
  const int stride = (p.w * 3 + 3) & ~3;
  std::vector<std::uint8_t> out;
  out.push_back('B');
  out.push_back('M');
  Put32(out, 54 + stride * p.h);
  Put32(out, 0);
  Put32(out, 54);
  Put32(out, 40);
  Put32(out, p.w);
  Put32(out, p.h);
  Put16(out, 1);
  Put16(out, 24);
  Put32(out, 0);
  Put32(out, stride * p.h);
  Put32(out, 3780);  // 96 dots per inch
  Put32(out, 3780);
  Put32(out, 0);
  Put32(out, 0);
  for (int y = p.h - 1; y >= 0; --y) {
    for (int x = 0; x < p.w; ++x) {
      out.push_back(p.at(x, y).b);
      out.push_back(p.at(x, y).g);
      out.push_back(p.at(x, y).r);
    }
    for (int k = p.w * 3; k < stride; ++k) out.push_back(0);
  }
  return out;
}

bool WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

// ---- the six state pictures ----------------------------------------------

const Rgb kFrameBlue = Hex(0x003C74);

// One look in the common layout: margin, frame, then a two-pixel band.
struct Look {
  Rgb top_margin, top_band2, top_band3;
  Rgb bottom_band21, bottom_band22, bottom_margin;
  Rgb left_margin, left_from, left_to;
  Rgb right60_from, right60_to, right61_from, right61_to, right_margin;
};

Rgb Along(Rgb from, Rgb to, int y) {  // side bands run from row 4 to row 20
  double t = std::clamp((y - 4) / 16.0, 0.0, 1.0);
  return Mix(to, from, t);
}

// Rounds one corner: `flip_x`/`flip_y` mirror the top-left template. `ring` is
// the frame's distance from the outside (1, or 2 for the pressed look).
void RoundCorner(Picture& p, bool flip_x, bool flip_y, int ring, Rgb frame) {
  auto X = [&](int c) { return flip_x ? p.w - 1 - c : c; };
  auto Y = [&](int r) { return flip_y ? p.h - 1 - r : r; };
  auto at = [&](int r, int c) -> Rgb& { return p.at(X(c), Y(r)); };
  const Rgb margin_row = at(ring - 1, ring + 3 < 4 ? 3 : ring + 1);  // the margin just outside the frame
  const Rgb margin_col = at(ring + 1 < 4 ? 3 : ring + 1, ring - 1);
  const int in = ring + 1;  // first band pixel
  const Rgb band_row = at(std::min(in, 3), 3 < in ? in : 3);
  const Rgb band = Mix(band_row, at(3, std::min(in, 3)), 0.5);
  at(ring, ring) = Mix(margin_row, margin_col, 0.5);
  if (ring + 1 < 4) {
    at(ring, ring + 1) = Mix(frame, margin_row, 0.45);
    at(ring + 1, ring) = Mix(frame, margin_col, 0.45);
    at(ring + 1, ring + 1) = Mix(frame, band, 0.65);
  }
  if (ring + 2 < 4) {
    at(ring, ring + 2) = Mix(frame, band, 0.85);
    at(ring + 2, ring) = Mix(frame, band, 0.85);
    at(ring + 1, ring + 2) = Mix(frame, band, 0.25);
    at(ring + 2, ring + 1) = Mix(frame, band, 0.25);
  }
  for (int k = 0; k < ring; ++k) at(k, k) = Mix(Rgb{255, 255, 255}, at(k, k + 1), 0.3);
}

void FillInside(Picture& p, int from, Rgb top, Rgb bottom) {
  // Never copied onto a face; kept close to the face gradient so the picture
  // reads well on its own.
  for (int y = from; y < p.h - from; ++y)
    for (int x = from; x < p.w - from; ++x) p.at(x, y) = Mix(bottom, top, double(y - from) / (p.h - 2 * from - 1));
}

Picture MakeCommon(const Look& k) {
  Picture p(64, 25);
  FillInside(p, 4, Hex(0xFFFFFF), Hex(0xC6C5D7));
  for (int y = 0; y < 25; ++y) {
    p.at(0, y) = k.left_margin;
    p.at(1, y) = kFrameBlue;
    p.at(2, y) = p.at(3, y) = Along(k.left_from, k.left_to, y);
    p.at(60, y) = Along(k.right60_from, k.right60_to, y);
    p.at(61, y) = Along(k.right61_from, k.right61_to, y);
    p.at(62, y) = kFrameBlue;
    p.at(63, y) = k.right_margin;
  }
  for (int x = 0; x < 64; ++x) {
    p.at(x, 0) = k.top_margin;
    p.at(x, 24) = k.bottom_margin;
    if (x >= 1 && x <= 62) {
      p.at(x, 1) = kFrameBlue;
      p.at(x, 23) = kFrameBlue;
    }
    if (x >= 2 && x <= 61) {
      p.at(x, 2) = k.top_band2;
      p.at(x, 3) = k.top_band3;
      p.at(x, 21) = k.bottom_band21;
      p.at(x, 22) = k.bottom_band22;
    }
  }
  for (bool fx : {false, true})
    for (bool fy : {false, true}) RoundCorner(p, fx, fy, 1, kFrameBlue);
  return p;
}

Picture MakeNormal() {
  Picture p = MakeCommon({Hex(0xE0DCC9), Hex(0xF3F3EE), Hex(0xF3F3EE), Hex(0xE2DFD6), Hex(0xD6D0C5), Hex(0xF8F7F0),
                          Hex(0xE2DECB), Hex(0xFDFDFC), Hex(0xECEBE6), Hex(0xFBFBFA), Hex(0xE4E2DA), Hex(0xF6F4F2),
                          Hex(0xE0DDD4), Hex(0xF0EEE0)});
  // The top-left corner as drawn by hand; the other corners follow its scheme.
  const std::uint32_t corner[4][4] = {{0xE9E7D5, 0xE4DFCE, 0xE1DDCA, 0xE0DCC9},
                                      {0xE4DFCE, 0xE6E1D0, 0x7A95A8, 0x255783},
                                      {0xE2DECB, 0x7A95A8, 0x557DA2, 0xC0CFDD},
                                      {0xE2DECB, 0x255783, 0xBFCEDC, 0xFEFEFE}};
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) p.at(c, r) = Hex(corner[r][c]);
  return p;
}

Picture MakeHighLight() {
  return MakeCommon({Hex(0xE0DCC9), Hex(0xFFF0CF), Hex(0xFDD889), Hex(0xF8B330), Hex(0xE59700), Hex(0xF8F7F0),
                     Hex(0xE2DECB), Hex(0xFEDF9A), Hex(0xF9B435), Hex(0xFCD279), Hex(0xF8B535), Hex(0xFCD279),
                     Hex(0xF8B535), Hex(0xF0EEE0)});
}

Picture MakeSelected() {
  return MakeCommon({Hex(0xE0DCC9), Hex(0xCEE7FF), Hex(0xCEE7FF), Hex(0x6982EE), Hex(0x6982EE), Hex(0xF8F7F0),
                     Hex(0xE2DECB), Hex(0xB7D0F4), Hex(0x8BADE4), Hex(0xB1CCF2), Hex(0x8BAFE5), Hex(0xB1CCF2),
                     Hex(0x8BAFE5), Hex(0xF0EEE0)});
}

Picture MakePressed() {
  Picture p(64, 25);
  FillInside(p, 4, Hex(0xE6E4DC), Hex(0xF0EFEA));
  const Rgb outer = Hex(0xECE9D8);
  for (int y = 0; y < 25; ++y) {
    p.at(0, y) = p.at(63, y) = outer;
    p.at(1, y) = Hex(0xE2DECB);
    p.at(62, y) = Hex(0xF0EEE0);
    if (y >= 2 && y <= 22) p.at(2, y) = p.at(61, y) = kFrameBlue;
    if (y >= 3 && y <= 21) {
      p.at(3, y) = Hex(0xD7D4CA);
      p.at(60, y) = Hex(0xE4E3DB);
    }
  }
  for (int x = 0; x < 64; ++x) {
    p.at(x, 0) = p.at(x, 24) = outer;
    if (x >= 1 && x <= 62) {
      p.at(x, 1) = Hex(0xE0DCC9);
      p.at(x, 23) = Hex(0xF8F7F0);
    }
    if (x >= 2 && x <= 61) p.at(x, 2) = p.at(x, 22) = kFrameBlue;
    if (x >= 3 && x <= 60) {
      p.at(x, 3) = Hex(0xD1CCC1);
      p.at(x, 21) = Hex(0xF2F1EE);
    }
  }
  for (bool fx : {false, true})
    for (bool fy : {false, true}) RoundCorner(p, fx, fy, 2, kFrameBlue);
  return p;
}

Picture MakeDisable() {
  Picture p(64, 25, Hex(0xF5F4EA));
  const Rgb margin = Hex(0xECE9D8), frame = Hex(0xC9C7BA);
  for (int y = 0; y < 25; ++y) {
    p.at(0, y) = p.at(63, y) = margin;
    if (y >= 1 && y <= 23) p.at(1, y) = p.at(62, y) = frame;
  }
  for (int x = 0; x < 64; ++x) {
    p.at(x, 0) = p.at(x, 24) = margin;
    if (x >= 1 && x <= 62) p.at(x, 1) = p.at(x, 23) = frame;
  }
  for (bool fx : {false, true})
    for (bool fy : {false, true}) RoundCorner(p, fx, fy, 1, frame);
  return p;
}

// ---- texture, marks -------------------------------------------------------

std::uint32_t Next(std::uint32_t& s) {  // small fixed generator: same output everywhere
  s = s * 1664525u + 1013904223u;
  return s >> 8;
}

Picture MakeTexture() {
  Picture p(556, 20);
  std::uint32_t seed = 0x5EED1234u;
  for (int y = 0; y < 20; ++y) {
    const double row_shift = int(Next(seed) % 13) - 6;  // each row its own streak level
    double wander = 0;
    for (int x = 0; x < 556; ++x) {
      if (x % 9 == 0) wander = (int(Next(seed) % 9) - 4) * 0.6;  // short runs along the row
      const double base = 219.0 - 40.0 * x / 555.0;
      const int v = int(std::lround(std::clamp(base + row_shift + wander, 163.0, 224.0)));
      p.at(x, y) = Rgb{v, std::max(160, v - 3), std::max(160, v - 9)};
    }
  }
  return p;
}

Picture MakeMark(bool filled) {
  Picture p(12, 12, filled ? Hex(0x2050D8) : Hex(0xFFFFFF));
  const Rgb frame = filled ? Hex(0x10307C) : Hex(0x808080);
  for (int i = 0; i < 12; ++i) p.at(i, 0) = p.at(i, 11) = p.at(0, i) = p.at(11, i) = frame;
  return p;
}

// ---- the pointing hand and the icon ---------------------------------------

// '#' black, '.' white, ' ' transparent; placed with its top-left at (8, 10)
// so that the fingertip is the hot spot (12, 10).
const char* const kHand[] = {
    "    ##           ", "   #..#          ", "   #..#          ", "   #..#          ", "   #..#          ",
    "   #..###        ", "   #..#..###     ", "   #..#..#..##   ", " ###..#..#..#.#  ", "#..#..........#  ",
    "#..#..........#  ", " #............#  ", "  #...........#  ", "  #...........#  ", "   #.........#   ",
    "   #.........#   ", "    #.......#    ", "    #.......#    ", "    #########    ",
};
constexpr int kHandLeft = 8, kHandTop = 10, kHotX = 12, kHotY = 10;

char HandAt(int x, int y) {
  const int r = y - kHandTop, c = x - kHandLeft;
  if (r < 0 || r >= int(sizeof kHand / sizeof kHand[0]) || c < 0 || c >= 17) return ' ';
  return kHand[r][c];
}

std::vector<std::uint8_t> Cursor() {
  std::vector<std::uint8_t> out;
  Put16(out, 0);
  Put16(out, 2);  // cursor
  Put16(out, 1);
  const std::uint32_t bytes = 40 + 8 + 32 * 4 * 2;
  out.push_back(32);
  out.push_back(32);
  out.push_back(2);
  out.push_back(0);
  Put16(out, kHotX);
  Put16(out, kHotY);
  Put32(out, bytes);
  Put32(out, 22);
  Put32(out, 40);
  Put32(out, 32);
  Put32(out, 64);  // colour and mask bitmaps together
  Put16(out, 1);
  Put16(out, 1);
  for (int i = 0; i < 6; ++i) Put32(out, 0);
  Put32(out, 0x000000);  // palette: black, white
  Put32(out, 0xFFFFFF);
  for (int pass = 0; pass < 2; ++pass)  // colour bits, then the transparency mask
    for (int y = 31; y >= 0; --y)
      for (int byte = 0; byte < 4; ++byte) {
        std::uint8_t v = 0;
        for (int bit = 0; bit < 8; ++bit) {
          const char c = HandAt(byte * 8 + bit, y);
          const bool set = pass == 0 ? c == '.' : c == ' ';
          if (set) v |= 0x80 >> bit;
        }
        out.push_back(v);
      }
  return out;
}

std::vector<std::uint8_t> Icon() {
  // A dark sky over a tiled floor and a slanted tiled canopy that meet towards
  // a pale horizon: the show in miniature.
  std::vector<std::array<std::uint8_t, 4>> bgra(32 * 32);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      const double b = std::fabs(std::sin(y / (32 / 3.142))) * 220;
      Rgb c{int(b), int(b), std::min(255, int(b) + 30)};
      const double d = std::fabs(y - 15.5);
      if (d > 3) {  // the two sheets, in perspective
        const double depth = 16.0 / d;
        const int u = int(std::floor((x - 15.5) / d * 3 + 16)), v = int(std::floor(depth * 4));
        const bool light = ((u + v) & 1) == 0;
        const Rgb tile = light ? Hex(0xD8D2C4) : Hex(0x8C96B4);
        c = Mix(tile, c, std::min(1.0, (d - 3) / 6));
      }
      const bool edge = x == 0 || y == 0 || x == 31 || y == 31;
      if (edge) c = Hex(0x10203C);
      bgra[std::size_t(y) * 32 + x] = {std::uint8_t(c.b), std::uint8_t(c.g), std::uint8_t(c.r), 255};
    }
  std::vector<std::uint8_t> out;
  Put16(out, 0);
  Put16(out, 1);  // icon
  Put16(out, 1);
  const std::uint32_t bytes = 40 + 32 * 32 * 4 + 32 * 4;
  out.push_back(32);
  out.push_back(32);
  out.push_back(0);
  out.push_back(0);
  Put16(out, 1);
  Put16(out, 32);
  Put32(out, bytes);
  Put32(out, 22);
  Put32(out, 40);
  Put32(out, 32);
  Put32(out, 64);
  Put16(out, 1);
  Put16(out, 32);
  for (int i = 0; i < 6; ++i) Put32(out, 0);
  for (int y = 31; y >= 0; --y)
    for (int x = 0; x < 32; ++x)
      for (std::uint8_t v : bgra[std::size_t(y) * 32 + x]) out.push_back(v);
  for (int i = 0; i < 32 * 4; ++i) out.push_back(0);  // opaque everywhere
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
    return 2;
  }
  const std::string dir = std::string(argv[1]) + "/";
  Picture normal = MakeNormal(), highlight = MakeHighLight(), selected = MakeSelected(), pressed = MakePressed(),
          disable = MakeDisable(), texture = MakeTexture(), empty = MakeMark(false), filled = MakeMark(true);
  bool ok = WriteFile(dir + "command_normal.bmp", Bmp24(normal)) &&
            WriteFile(dir + "command_highlight.bmp", Bmp24(highlight)) &&
            WriteFile(dir + "command_highlightselect.bmp", Bmp24(highlight)) &&
            WriteFile(dir + "command_selected.bmp", Bmp24(selected)) &&
            WriteFile(dir + "command_pressed.bmp", Bmp24(pressed)) &&
            WriteFile(dir + "command_disable.bmp", Bmp24(disable)) && WriteFile(dir + "texture.bmp", Bmp24(texture)) &&
            WriteFile(dir + "mark_empty.bmp", Bmp24(empty)) && WriteFile(dir + "mark_filled.bmp", Bmp24(filled)) &&
            WriteFile(dir + "hand.cur", Cursor()) && WriteFile(dir + "quiverglide.ico", Icon());
  if (!ok) {
    std::fprintf(stderr, "make_assets: cannot write into %s\n", argv[1]);
    return 1;
  }
  return 0;
}
