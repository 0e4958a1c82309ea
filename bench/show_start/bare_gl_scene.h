// What the bare GL programs of the start benchmarks draw once their context is
// current, on either display system: the snapshot's texture built as the show
// builds it (gluBuild2DMipmaps from RGB rows, bottom row first), and a frame
// of two textured sheets with the dark distance between them at 1024 x 768.
#pragma once

#include <cstddef>
#include <vector>

namespace qgbench {

// The show's snapshot size, for the programs that make their own picture.
constexpr int kBarePictureWidth = 1920, kBarePictureHeight = 1080;

// RGB rows bottom first, as GL takes them, from a screen's copy: rows top
// first of B, G, R, X, each stride bytes long.
std::vector<unsigned char> RgbFromScreen(const unsigned char* pixels, int width, int height, std::size_t stride);
// A made-up desktop of that size in the same form, every byte written.
std::vector<unsigned char> MadeUpRgb(int width, int height);
// How the minifying filter stands while GLU uploads the levels. Linear alone
// (the floors' way) lets Mesa size the texture for level 0, then move it when
// level 1 comes, holding both for a moment; a mipmapping filter makes room for
// every level from the start, as the show does where it keeps them all. The
// filter is linear once built, either way.
enum class Levels { kLevel0First, kRoomForAll };
// The texture from the picture, bound, with every mipmap level GLU builds.
void BuildTexture(const std::vector<unsigned char>& rgb, int width, int height, Levels levels);
// One frame (clear and the two sheets), to be swapped by the caller.
void DrawSheets();

}  // namespace qgbench
