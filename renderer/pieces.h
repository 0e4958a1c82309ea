// Floating pieces: small textured squares that drift, change colour, grow or
// shrink, fade in and, after their lifetime, fade out and disappear. They live
// in one bounded list that owns them.
#pragma once

class PieceList;

class Piece {
 public:
  explicit Piece(PieceList* owner);
  virtual ~Piece();

  void Configure(const float position[3], const float velocity[3], const float colour[4],
                 const float colourRate[4], float halfSize, float growth, float lifetime,
                 float fadeOutRate);
  // One frame's step, reading FrameDelta and the clock.
  void Update();
  // One triangle strip of four vertices in the piece's colour.
  void Draw() const;

  float position[3] = {0.0f, 0.0f, 0.0f};
  float velocity[3] = {0.0f, 0.0f, 0.0f};
  float colour[4] = {1.0f, 1.0f, 1.0f, 0.001f};
  float halfSize = 1.0f;
  double birthTime;           // seconds on the renderer clock, full precision
  float lifetime = 5.0f;
  bool alive = true;
  float growth = 0.0f;        // added to halfSize per update (per frame)
  bool growthEnabled = true;
  float maxHalfSize = 17.0f;
  float colourRate[4] = {0.0f, 0.0f, 0.0f, 0.0f};
  bool fadingIn = true;
  bool fadingOut = false;
  float fadeOutRate = 0.0f;
  float fadeInRate = 1.0f;
  PieceList* owner;
  Piece* next = nullptr;
};

class PieceList {
 public:
  explicit PieceList(int capacity);
  // Destroys every piece still in the chain.
  virtual ~PieceList();
  PieceList(const PieceList&) = delete;
  PieceList& operator=(const PieceList&) = delete;

  // Takes ownership and returns true, or returns false with nothing changed
  // when the list is full (the caller then still owns the piece).
  bool Add(Piece* piece);
  // Updates every piece, oldest first, draws the live ones and removes and
  // destroys the dead ones.
  void UpdateAndDraw();

  Piece* Head() const { return head_; }
  Piece* Tail() const { return tail_; }
  int Count() const { return count_; }
  int Capacity() const { return capacity_; }

 private:
  Piece* head_ = nullptr;
  Piece* tail_ = nullptr;
  int count_ = 0;
  int capacity_;
};

// Makes a burst of 5 to 9 random pieces; those a full list refuses are destroyed.
void SpawnPieceBurst(PieceList& list);
