// Paints a full hex view of a 1 GiB buffer and the same view of a 64-byte
// buffer (the main window's settings: 8 bytes per row, "Courier New" -15),
// offscreen, and prints both times and their ratio. The view is sized so
// that 64 bytes fill it; painting touches only the visible cells, so the
// ratio should stay near 1 (goal: at most 1.2).
//
// Usage: hexview_bench [size-in-MiB] (default 1024)
#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "framework/forms.h"
#include "hexview/hexviewex.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kWarmup = 20;
constexpr int kRounds = 300;

double Ms(Clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

void ApplyRomSettings(THexViewEx& v) {
  v.SetBytesPerRow(8);
  v.SetBytesPerColumn(1);
  v.SetOffsetFormat("-!10:0x|");
  v.Font().SetName("Courier New");
  v.Font().SetHeight(-15);
  THVColors& c = v.Colors();
  c.SetChangedBackground(11075583);
  c.SetChangedText(clMaroon);
}

struct Bench {
  std::unique_ptr<TForm> form;
  THexViewEx* view = nullptr;
  QImage target;

  Bench(Integer size, int width, int height) {
    form = std::make_unique<TForm>();
    form->SetBounds(0, 0, width + 20, height + 20);
    view = new THexViewEx(form.get());
    view->SetBounds(10, 10, width, height);
    ApplyRomSettings(*view);
    view->SetDataSize(size);
    for (Integer i = 0; i < 64; ++i) view->SetDataAt(i, static_cast<Byte>(i * 7 + 0x30));
    view->SetChanged(10, true);
    view->NewSelection(17, 21);
    form->ShowForm();
    QApplication::processEvents();
    target = QImage(view->size(), QImage::Format_RGB32);
  }

  // One full paint of the view itself (its scroll bars, Qt children, are
  // left out: only one of the two views needs them).
  double OwnPaintMs() {
    const auto t0 = Clock::now();
    view->render(&target, QPoint(), QRegion(), QWidget::DrawWindowBackground);
    return Ms(Clock::now() - t0);
  }
  // One full repaint on the (offscreen) screen, children included.
  double ScreenPaintMs() {
    const auto t0 = Clock::now();
    view->repaint();
    return Ms(Clock::now() - t0);
  }
};

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// Alternates the two views so that load on the machine hits both alike.
template <typename F>
void Compare(const char* what, const char* smallName, Bench& small, Bench& big, F paint) {
  for (int i = 0; i < kWarmup; ++i) paint(small), paint(big);
  std::vector<double> s, b;
  for (int i = 0; i < kRounds; ++i) {
    s.push_back(paint(small));
    b.push_back(paint(big));
  }
  const double sm = Median(s), bm = Median(b);
  std::printf("  %-28s %-5s %7.3f ms   big %7.3f ms   ratio %.3f\n", what, smallName, sm, bm,
              bm / sm);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const long long mib = argc > 1 ? std::atoll(argv[1]) : 1024;
  const Integer bigSize = static_cast<Integer>(std::min<long long>(mib << 20, 0x7FFFFFF8));

  // Tall enough for the eight rows of 64 bytes, wide enough for the long
  // offsets of the big buffer; the same size for every run.
  Bench probe(64, 100, 100);
  const int rowHeight = probe.view->RowHeight();
  const int width = 480;
  const int height = 8 * rowHeight + 4;

  Bench small(64, width, height);
  const auto t0 = Clock::now();
  Bench big(bigSize, width, height);
  const double setupMs = Ms(Clock::now() - t0);
  std::printf(
      "view %d x %d px, %d x %d cells visible; big buffer %lld MiB, %d rows (setup %.0f ms)\n",
      small.view->ClientWidth(), small.view->ClientHeight(), small.view->VisibleColCount() + 2,
      small.view->VisibleRowCount(), mib, big.view->RowCount(), setupMs);
  std::printf("median of %d full paints (goal: ratio <= 1.2)\n", kRounds);
  auto own = [](Bench& b) { return b.OwnPaintMs(); };
  auto screen = [](Bench& b) { return b.ScreenPaintMs(); };
  Compare("view paint, start of data", "64 B", small, big, own);
  big.view->SetTopRow(big.view->RowCount() / 2);
  Compare("view paint, middle of data", "64 B", small, big, own);
  // On screen the big view also repaints its vertical scroll bar (a Qt
  // child the 64-byte view does not need); a 4 KiB view has one too.
  Compare("on screen, 64 B has no bar", "64 B", small, big, screen);
  Bench withBar(4096, width, height);
  Compare("on screen, both with a bar", "4 KiB", withBar, big, screen);
  return 0;
}
