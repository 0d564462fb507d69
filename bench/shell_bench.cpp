// Drawing speed of the canvas: a full repaint of a drawing with 500 objects
// and 2,000 connections offscreen (target under 16 ms, one frame), and
// opening a maximal project (every identifier pool of the drawn kinds full,
// about 3,000 objects and 12,000 connections) until its window is painted
// (target under 300 ms).
#include "model/cbasedevice.h"
#include "model/cselvantisdoc.h"
#include "shell/cbitmapmanager.h"
#include "shell/ccanvasrenderer.h"
#include "shell/cchildframe.h"
#include "shell/cdocmanager.h"
#include "shell/cmainframe.h"
#include "shell/cqtpainter.h"
#include "shell/cselvantisview.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

// A drawn block with four inputs and four outputs and its name below.
class CBenchBlock final : public CBaseDevice {
  SELV_DECLARE_SERIAL(CBenchBlock)
 public:
  CBenchBlock() { SetType(DT_CONTROLPAD); }
  explicit CBenchBlock(int type) { SetType(type); }
};
SELV_IMPLEMENT_SERIAL(CBenchBlock, 1)

namespace {

constexpr int kObjects = 500;
constexpr int kPins = 4;  // 500 objects x 4 outputs = 2,000 connections

struct Pool {
  int type;
  int count;
};
// The kinds a large installation draws in their hundreds, each pool full.
const std::vector<Pool> kMaximal = {{DT_RELAY, 960},    {DT_CONTROLPAD, 512}, {DT_MACRO, 250}, {DT_CONDITION, 250},
                                    {DT_LOGICOUT, 250}, {DT_MEMOFLAG, 200},   {DT_ZONE, 100},  {DT_TRIGGER, 100},
                                    {DT_AMPLIFIER, 64}, {DT_LANGROUP, 64},    {DT_CONSOLE, 16}};

void Fill(CSelvantisDoc& doc, const std::vector<Pool>& pools) {
  doc.OnNewDocument();
  std::vector<CBaseDevice*> blocks;
  const int columns = 40;
  int i = 0;
  for (const Pool& pool : pools) {
    for (int k = 0; k < pool.count; ++k, ++i) {
      auto block = std::make_unique<CBenchBlock>(pool.type);
      const QRect rect(40 + (i % columns) * 150, 40 + (i / columns) * 110, 80, 60);
      if (!block->Create(0, kPins, kPins, QStringLiteral("Block %1").arg(i + 1), rect, CAT_ENTRIES, 0,
                         CBaseDevice::TF_NAME | CBaseDevice::TF_BELOW, &doc))
        break;
      blocks.push_back(doc.AddObject(std::move(block)));
    }
  }
  const int n = static_cast<int>(blocks.size());
  for (int i = 0; i < n; ++i)
    for (int k = 0; k < kPins; ++k) CBaseDevice::Connect(blocks[i], k, blocks[(i + 1 + k * 7) % n], k);
  doc.SetModifiedFlag(false);
}

int Connections(const CSelvantisDoc& doc) {
  int count = 0;
  for (const CBaseDevice* o : doc.GetAllObjects()) count += static_cast<int>(o->GetOutputConnections().size());
  return count;
}

// The drawing as the view paints it, into an image of a large screen with
// the whole drawing visible.
void BM_RenderDrawing(benchmark::State& state) {
  CSelvantisDoc doc;
  Fill(doc, {{DT_CONTROLPAD, kObjects}});
  CBitmapManager bitmaps;
  QImage image(1920, 1080, QImage::Format_ARGB32_Premultiplied);
  const QRect bounds = CCanvasRenderer::DrawingBounds(doc);
  const double scale = std::min(1920.0 / (bounds.right() + 20), 1080.0 / (bounds.bottom() + 20));
  for (auto _ : state) {
    image.fill(Qt::white);
    QPainter p(&image);
    p.scale(scale, scale);
    CQtPainter painter(p, &bitmaps, false);
    benchmark::DoNotOptimize(CCanvasRenderer::Draw(doc, painter));
  }
  state.counters["objects"] = doc.GetTotalObjectCount();
  state.counters["connections"] = Connections(doc);
}
BENCHMARK(BM_RenderDrawing)->Unit(benchmark::kMillisecond);

// Repaints of the drawing view (grid, objects, wires) fitted to a large
// window. With redrawAll every object is drawn anew, as after a zoom: the
// difference is what the view's kept picture saves a plain repaint.
void RepaintView(benchmark::State& state, bool redrawAll) {
  CSelvantisDoc doc;
  Fill(doc, {{DT_CONTROLPAD, kObjects}});
  CBitmapManager bitmaps;
  CSelvantisView view(doc, bitmaps);
  view.resize(1920, 1080);
  view.show();
  view.ZoomToFit();
  QApplication::processEvents();
  for (auto _ : state) {
    if (redrawAll) view.InvalidateCanvas(QRect());
    view.viewport()->repaint();
  }
  state.counters["zoom"] = view.ZoomPercent();
  state.counters["objects"] = doc.GetTotalObjectCount();
  state.counters["connections"] = Connections(doc);
}

void BM_ViewRepaint(benchmark::State& state) { RepaintView(state, false); }
BENCHMARK(BM_ViewRepaint)->Unit(benchmark::kMillisecond);

void BM_ViewRenderAfterChange(benchmark::State& state) { RepaintView(state, true); }
BENCHMARK(BM_ViewRenderAfterChange)->Unit(benchmark::kMillisecond);

// From the file to a painted window: read the project, make its child
// frame and view, paint it once; then close it again (not timed).
void BM_OpenMaximalProject(benchmark::State& state) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("maximal.sxm"));
  int objects = 0;
  int connections = 0;
  {
    CSelvantisDoc doc;
    Fill(doc, kMaximal);
    objects = doc.GetTotalObjectCount();
    connections = Connections(doc);
    if (!doc.OnSaveDocument(path)) {
      state.SkipWithError("the project could not be written");
      return;
    }
  }
  CMainFrame frame;
  frame.resize(1920, 1080);
  frame.show();
  QApplication::processEvents();
  for (auto _ : state) {
    CSelvantisDoc* doc = frame.DocManager().OpenDocumentFile(path);
    if (!doc) {
      state.SkipWithError("the project could not be read");
      break;
    }
    frame.GetActiveView()->viewport()->repaint();
    state.PauseTiming();
    frame.DocManager().CloseDocument(*doc, false);
    QApplication::processEvents();
    state.ResumeTiming();
  }
  state.counters["objects"] = objects;
  state.counters["connections"] = connections;
}
BENCHMARK(BM_OpenMaximalProject)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
