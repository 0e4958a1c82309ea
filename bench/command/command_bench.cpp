// The Command button's two recurring costs, each next to a reference doing
// the least the platform must do anyway:
//  - a full face repaint (clear, gradient, eight picture copies) against one
//    plain fill of the same surface;
//  - one pointer-timer decision against reading the pointer position alone.
// Compare the pairs as ratios; absolute times depend on the machine.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCursor>

#include <cstdlib>
#include <memory>

#include "command.h"
#include "forms/form.h"

namespace {

class BenchForm : public qgf::Form {
 public:
  BenchForm() : cmd(*this) {
    SetScaleMode(qgf::ScaleMode::Pixels);
    Move(0, 0, 200 * 15, 100 * 15);
    cmd.Move(10, 10, 81, 25);  // the dialog's 設定 button
  }
  Wobblevista::Command cmd;
};

BenchForm& Form() {
  static std::unique_ptr<BenchForm> form = [] {
    auto f = std::make_unique<BenchForm>();
    f->cmd.Initialize();
    f->cmd.ReadProperties(qgf::PropertyBag{});  // enabled, as placed on a form
    f->Show();
    return f;
  }();
  return *form;
}

void BM_FaceRepaint(benchmark::State& state) {
  BenchForm& f = Form();
  const int before = f.cmd.logic().paint_count();
  // Every read of Enabled repaints the whole face with the Normal picture.
  for (auto _ : state) benchmark::DoNotOptimize(f.cmd.Enabled());
  if (f.cmd.logic().paint_count() - before < int(state.iterations())) state.SkipWithError("the face was not repainted");
}
BENCHMARK(BM_FaceRepaint);

void BM_PlainFillReference(benchmark::State& state) {
  BenchForm& f = Form();
  for (auto _ : state) {
    f.cmd.FillRect(0, 0, f.cmd.ScaleWidth(), f.cmd.ScaleHeight(), qgf::Colour::Rgb(1, 2, 3));
    f.cmd.qgf::Canvas::Refresh();
  }
}
BENCHMARK(BM_PlainFillReference);

void BM_PointerDecision(benchmark::State& state) {
  BenchForm& f = Form();
  for (auto _ : state) benchmark::DoNotOptimize(Wobblevista::PointerOverCommand(f.cmd, f.cmd.caption_label()));
}
BENCHMARK(BM_PointerDecision);

void BM_PointerPositionReference(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(QCursor::pos());
}
BENCHMARK(BM_PointerPositionReference);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  unsetenv("DISPLAY");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  Form().cmd.SetCaption("x");  // keep the form alive until here
  return 0;
}
