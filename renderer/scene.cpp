#include "scene.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>
#include <cstdlib>

#include "frame_timer.h"
#include "pieces.h"
#include "snapshot_loader.h"

double RotationAngle = 0.0;
double RotationAxis[3] = {0.0, 0.0, 5.0};
int FrameCounter = 0;
float DriftRates[4] = {0.0f, 0.0f, 0.0f, 0.0f};
double ScrollOffset = 0.0;
PieceList* ScenePieces = nullptr;

namespace {

// Both sheets reach from 300 units ahead of the eye to 500 behind it and
// carry the picture three times across and three times along.
constexpr float kFar = -300.0f;
constexpr float kNear = 500.0f;
constexpr float kHalfWidth = 300.0f;
constexpr float kFloorY = -15.5f;
constexpr float kCanopyFarY = -10.5f;
constexpr float kCanopyNearY = 80.5f;
constexpr float kRepeats = 3.0f;
// Texture lengths the picture slides per second.
constexpr double kScrollSpeed = 0.08;

void DrawSheet(float farY, float nearY, float offset) {
  glBegin(GL_QUADS);
  glTexCoord2f(0.0f, kRepeats + offset);
  glVertex3f(-kHalfWidth, farY, kFar);
  glTexCoord2f(kRepeats, kRepeats + offset);
  glVertex3f(kHalfWidth, farY, kFar);
  glTexCoord2f(kRepeats, offset);
  glVertex3f(kHalfWidth, nearY, kNear);
  glTexCoord2f(0.0f, offset);
  glVertex3f(-kHalfWidth, nearY, kNear);
  glEnd();
}

}  // namespace

void ResizeScene(int width, int height) {
  if (height == 0) height = 1;
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(45.0, static_cast<double>(width) / static_cast<double>(height),
                 static_cast<double>(0.01f), 5000.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

void SetSceneGlState() {
  glShadeModel(GL_SMOOTH);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  glHint(GL_POINT_SMOOTH_HINT, GL_NICEST);
  glClearDepth(1.0);
  glDisable(GL_DEPTH_TEST);
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glEnable(GL_TEXTURE_2D);
}

void InitAnimation() {
  delete ScenePieces;
  ScenePieces = new PieceList(kPieceCapacity);
  TheFrameTimer.Start();
  TickClock();
}

void TickClock() {
  TheFrameTimer.Tick();
  ClockNow = TheFrameTimer.Elapsed();
  FrameDelta = TheFrameTimer.Delta();
  ClockNowSeconds = TheFrameTimer.ElapsedSeconds();
  FrameDeltaSeconds = TheFrameTimer.DeltaSeconds();
}

void DrawDesktopSheets() {
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  glDisable(GL_BLEND);
  glBindTexture(GL_TEXTURE_2D, SceneTextures[0]);
  ScrollOffset += TheFrameTimer.DeltaSeconds() * kScrollSpeed;
  // The texture repeats, so only the fraction of the offset matters; sending
  // just that keeps the coordinates precise however long the show runs.
  const float offset = static_cast<float>(ScrollOffset - std::floor(ScrollOffset));
  DrawSheet(kFloorY, kFloorY, offset);
  DrawSheet(kCanopyFarY, kCanopyNearY, offset);
}

void DrawFrame(const std::function<void()>& swapBuffers) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glLoadIdentity();
  if (++FrameCounter == kDriftPeriodFrames) {
    for (float& rate : DriftRates) rate = static_cast<float>(std::rand() % 50);
    FrameCounter = 0;
  }
  const double d = TheFrameTimer.DeltaSeconds();
  RotationAngle += DriftRates[0] * d;
  RotationAxis[0] += DriftRates[1] * d;
  RotationAxis[1] += DriftRates[2] * d;
  RotationAxis[2] += DriftRates[3] * d;
  // A full turn shows the same picture; the reduced angle keeps its precision.
  glRotatef(static_cast<float>(std::fmod(RotationAngle, 360.0)),
            static_cast<float>(RotationAxis[0]), static_cast<float>(RotationAxis[1]),
            static_cast<float>(RotationAxis[2]));
  DrawDesktopSheets();
  if (ScenePieces) ScenePieces->UpdateAndDraw();
  if (swapBuffers) swapBuffers();
}

void DestroyAnimation() {
  delete ScenePieces;
  ScenePieces = nullptr;
}

void ResetSceneState() {
  DestroyAnimation();
  RotationAngle = 0.0;
  RotationAxis[0] = 0.0;
  RotationAxis[1] = 0.0;
  RotationAxis[2] = 5.0;
  FrameCounter = 0;
  for (float& rate : DriftRates) rate = 0.0f;
  ScrollOffset = 0.0;
  TheFrameTimer.Reset();
  ClockNow = FrameDelta = 0.0f;
  ClockNowSeconds = FrameDeltaSeconds = 0.0;
}
