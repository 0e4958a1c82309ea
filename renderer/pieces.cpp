#include "pieces.h"

#include <GL/gl.h>

#include <cstdlib>

#include "frame_timer.h"

Piece::Piece(PieceList* ownerList) : birthTime(ClockNowSeconds), owner(ownerList) {}

Piece::~Piece() = default;

void Piece::Configure(const float pos[3], const float vel[3], const float col[4],
                      const float colRate[4], float half, float grow, float life, float fadeOut) {
  for (int i = 0; i < 3; ++i) {
    position[i] = pos[i];
    velocity[i] = vel[i];
  }
  for (int i = 0; i < 4; ++i) {
    colour[i] = col[i];
    colourRate[i] = colRate[i];
  }
  halfSize = half;
  growth = grow;
  lifetime = life;
  fadeOutRate = fadeOut;
}

void Piece::Update() {
  const float d = FrameDelta;
  if (fadingIn) {
    colour[3] += d * fadeInRate;
    if (colour[3] >= 0.99f) {
      colour[3] = 1.0f;
      fadingIn = false;
    }
  } else if (fadingOut) {
    colour[3] -= d * fadeOutRate;
    if (colour[3] < 0.0f) alive = false;
  } else if (ClockNowSeconds - birthTime > lifetime) {
    fadingOut = true;
  }
  for (int i = 0; i < 3; ++i) position[i] += d * velocity[i];
  for (int i = 0; i < 3; ++i) colour[i] += d * colourRate[i];
  if (growthEnabled && halfSize <= maxHalfSize) {
    halfSize += growth;
    if (halfSize < 0.0f) halfSize = 0.0f;
  }
}

void Piece::Draw() const {
  const float x = position[0], y = position[1], z = position[2], h = halfSize;
  glColor4fv(colour);
  glBegin(GL_TRIANGLE_STRIP);
  glTexCoord2i(1, 1);
  glVertex3f(x + h, y + h, z);
  glTexCoord2i(0, 1);
  glVertex3f(x - h, y + h, z);
  glTexCoord2i(1, 0);
  glVertex3f(x + h, y - h, z);
  glTexCoord2i(0, 0);
  glVertex3f(x - h, y - h, z);
  glEnd();
}

PieceList::PieceList(int capacity) : capacity_(capacity) {}

PieceList::~PieceList() {
  Piece* piece = head_;
  while (piece) {
    Piece* following = piece->next;
    delete piece;
    piece = following;
  }
  head_ = tail_ = nullptr;
  count_ = 0;
}

bool PieceList::Add(Piece* piece) {
  if (count_ >= capacity_) return false;
  piece->next = nullptr;
  if (!head_) {
    head_ = tail_ = piece;
  } else {
    tail_->next = piece;
    tail_ = piece;
  }
  ++count_;
  return true;
}

void PieceList::UpdateAndDraw() {
  if (!head_) return;
  // Pieces fade, so they are drawn blended with the factors set at start-up
  // (source alpha, one); the sheets are drawn without, so blending goes off
  // again afterwards.
  glEnable(GL_BLEND);
  Piece* kept = nullptr;
  Piece* piece = head_;
  while (piece) {
    piece->Update();
    if (piece->alive) {
      piece->Draw();
      kept = piece;
      piece = piece->next;
      continue;
    }
    Piece* following = piece->next;
    if (kept) {
      kept->next = following;
    } else {
      head_ = following;
    }
    if (tail_ == piece) tail_ = kept;
    delete piece;
    --count_;
    piece = following;
  }
  glDisable(GL_BLEND);
}

void SpawnPieceBurst(PieceList& list) {
  // The draws and their order are fixed, so a seeded generator gives the same
  // burst every time.
  int made = 0;
  while (made < std::rand() % 5 + 5) {
    Piece* piece = new Piece(&list);
    float position[3], velocity[3], colour[4], colourRate[4];
    position[0] = static_cast<float>(std::rand() % 80 - 50);
    position[1] = static_cast<float>(std::rand() % 80 - 50);
    position[2] = static_cast<float>(std::rand() % 20 - 160);
    velocity[0] = static_cast<float>(std::rand() % 10 - 0.005);
    velocity[1] = static_cast<float>(std::rand() % 10 - 0.005);
    velocity[2] = static_cast<float>(std::rand() % 20 - 0.001);
    colour[0] = static_cast<float>((std::rand() % 100 + 1) * 0.02);
    colour[1] = static_cast<float>((std::rand() % 100 + 1) * 0.02);
    colour[2] = 0.0f;
    colour[3] = 1.0f;
    colourRate[0] = static_cast<float>((std::rand() % 16 - 8) * 0.1);
    colourRate[1] = static_cast<float>((std::rand() % 12 - 5) * 0.1);
    colourRate[2] = 0.0f;
    colourRate[3] = 0.0f;
    const float fadeOut = static_cast<float>(std::rand() % 5 * 0.1 + 0.5);
    const float lifetime = static_cast<float>(std::rand() % 15 * 0.1 + 4.5);
    const float halfSize = static_cast<float>((std::rand() % 10 - 5) * 0.1 + 0.1);
    const float growth = static_cast<float>((std::rand() % 6 - 3) * 0.1);
    piece->Configure(position, velocity, colour, colourRate, halfSize, growth, lifetime, fadeOut);
    ++made;
    if (!list.Add(piece)) delete piece;
  }
}
