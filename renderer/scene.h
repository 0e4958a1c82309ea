// The scene: two huge sheets carrying the snapshot (a floor and a slanted
// canopy), the texture sliding towards the eye, the whole scene turning about
// an axis that drifts at rates drawn every 500 frames.
#pragma once

#include <functional>

class PieceList;

// Viewport and perspective projection for the client size.
void ResizeScene(int width, int height);
// The fixed GL state, set once at the end of scene start-up.
void SetSceneGlState();
// Creates the piece list (capacity 500), starts the clock, ticks it once and
// copies it into ClockNow and FrameDelta.
void InitAnimation();
// Ticks the clock and copies it into ClockNow and FrameDelta; the loop calls it
// before each frame.
void TickClock();
// Draws one frame and ends it with the given buffer swap.
void DrawFrame(const std::function<void()>& swapBuffers);
// The two textured sheets (part of DrawFrame).
void DrawDesktopSheets();
// Destroys the piece list together with its pieces.
void DestroyAnimation();

// Frames between two draws of the drift rates.
constexpr int kDriftPeriodFrames = 500;
// Capacity of the piece list.
constexpr int kPieceCapacity = 500;

// Scene state. The accumulators are doubles so that a show that runs for a
// day still turns and slides smoothly; the values sent to GL are reduced
// (angle modulo 360, offset modulo 1), which shows the same picture.
extern double RotationAngle;      // degrees
extern double RotationAxis[3];    // x, y, z; starts at (0, 0, 5)
extern int FrameCounter;          // frames since the rates were last drawn
extern float DriftRates[4];       // per second: angle, axis x, axis y, axis z
extern double ScrollOffset;       // texture lengths the picture has slid
extern PieceList* ScenePieces;    // created by InitAnimation

// Back to the start values, destroying any piece list (tests only).
void ResetSceneState();
