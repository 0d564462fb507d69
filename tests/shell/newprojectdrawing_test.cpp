// A new user's first drawing, made as the user makes it (File > New, right
// clicks, the place menu, the amplifier's menu, the topology's dialog):
// fitted into the window it must be readable, and so must its PDF.
#include "amps/camplifier.h"
#include "amps/cgroup.h"
#include "amps/crelaistopology.h"
#include "model/cselvantisdoc.h"
#include "scriptedfilechooser.h"
#include "shell/ccanvasrenderer.h"
#include "shell/cmainframe.h"
#include "shell/cplaceobjectregistry.h"
#include "shell/cselvantisapp.h"
#include "shell/cselvantisview.h"
#include "shell/cshellsettings.h"
#include "shell/shellcommands.h"
#include "support/dialogdriver.h"
#include "support/popupdriver.h"
#include "support/tempprofile.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDialog>
#include <QImage>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

void DrawingRightClick(QWidget* port, const QPoint& pos) {
  for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    QMouseEvent event(type, QPointF(pos), port->mapToGlobal(QPointF(pos)), Qt::RightButton,
                      type == QEvent::MouseButtonPress ? Qt::RightButton : Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(port, &event);
  }
  QContextMenuEvent event(QContextMenuEvent::Mouse, pos, port->mapToGlobal(pos));
  QApplication::sendEvent(port, &event);
}

QString FirstEntryText(int type) {
  for (const CPlaceObjectRegistry::Entry& entry : CPlaceObjectRegistry::Entries())
    if (entry.type == type) return CPlaceObjectRegistry::TextOf(entry);
  return QString();
}

CBaseDevice* FirstOf(const CSelvantisDoc& doc, int category, int type) {
  for (CBaseDevice* object : doc.GetObjectList(category))
    if (object->GetType() == type) return object;
  return nullptr;
}

bool IsDark(QRgb pixel) { return qGray(pixel) < 128; }

// The drawing on a rendered first page: the frame around it is the first
// pair of the page's longest rows (the frame's and the title block's lines;
// the drawing lies inside the frame, so none of its rows is as long).
struct PageDrawing {
  QRect inner;      // inside the frame
  QRect ink;        // bounding box of everything drawn inside
  int rowSpan = 0;  // from the first to the last dark pixel of the most inked row
};

PageDrawing MeasureDrawing(const QImage& page) {
  PageDrawing result;
  auto darkInRow = [&](int y, int left, int right) {
    int n = 0;
    for (int x = left; x <= right; ++x) n += IsDark(page.pixel(x, y)) ? 1 : 0;
    return n;
  };
  std::vector<int> rowInk;
  for (int y = 0; y < page.height(); ++y) rowInk.push_back(darkInRow(y, 0, page.width() - 1));
  const int longest = *std::max_element(rowInk.begin(), rowInk.end());
  std::vector<int> fullRows;
  for (int y = 0; y < page.height(); ++y)
    if (rowInk[static_cast<size_t>(y)] * 100 >= longest * 97) fullRows.push_back(y);
  // Thick lines give several neighbouring rows: the frame's top and bottom
  // are the first two runs.
  std::vector<int> edges;
  for (size_t i = 0; i < fullRows.size(); ++i)
    if (i == 0 || fullRows[i] != fullRows[i - 1] + 1) edges.push_back(fullRows[i]);
  if (edges.size() < 2) return result;
  const int top = edges[0];
  const int bottom = edges[1];
  int left = -1;
  int right = -1;
  for (int x = 0; x < page.width(); ++x) {
    int n = 0;
    for (int y = top; y <= bottom; ++y) n += IsDark(page.pixel(x, y)) ? 1 : 0;
    if (n > (bottom - top) * 8 / 10) {
      if (left < 0) left = x;
      right = x;
    }
  }
  if (left < 0 || right - left < 10) return result;
  result.inner = QRect(QPoint(left + 3, top + 3), QPoint(right - 3, bottom - 3));
  int most = 0;
  for (int y = result.inner.top(); y <= result.inner.bottom(); ++y) {
    int first = -1;
    int last = -1;
    int n = 0;
    for (int x = result.inner.left(); x <= result.inner.right(); ++x) {
      if (!IsDark(page.pixel(x, y))) continue;
      ++n;
      if (first < 0) first = x;
      last = x;
      result.ink |= QRect(x, y, 1, 1);
    }
    if (n > most) {
      most = n;
      result.rowSpan = last - first + 1;
    }
  }
  return result;
}

class NewProjectDrawingTest : public testing::Test {
 protected:
  void SetUp() override {
    CShellSettings::SetLanguage(CStringTable::Language::English);
    CShellSettings::SetStartupAction(CShellSettings::kStartNew);
  }
  void TearDown() override { app.reset(); }

  TempProfile profile;
  QTemporaryDir dir;
  ScriptedFileChooser chooser;
  std::unique_ptr<CSelvantisApp> app;
};

TEST_F(NewProjectDrawingTest, ANewInstallationFitsTheWindowAndFillsItsPage) {
  app = std::make_unique<CSelvantisApp>(&chooser);
  ASSERT_TRUE(app->InitInstance({}));
  CMainFrame& frame = *app->MainFrame();
  // The main window as on a 1600 x 1000 screen.
  frame.showNormal();
  frame.resize(1600, 1000);
  QApplication::processEvents();
  CSelvantisView* view = frame.GetActiveView();
  ASSERT_NE(view, nullptr);
  CSelvantisDoc& doc = view->GetDocument();
  QWidget* port = view->viewport();

  // The new project's root group stands beside the unit's blocks.
  const CGroup* root = CGroup::FindRoot(doc);
  ASSERT_NE(root, nullptr);
  const QRect unit = CCanvasRenderer::UnitBounds(doc);
  EXPECT_TRUE(unit.adjusted(-400, -400, 400, 400).contains(root->GetRect()))
      << root->GetRect().x() << "," << root->GetRect().y();

  // An amplifier right-clicked in above the first audio output, as the
  // window shows it.
  const CBaseDevice* output = FirstOf(doc, CAT_OUTPUTSLOTS, DT_AUDIOOUTPUTSLOT);
  const CBaseDevice* input = FirstOf(doc, CAT_INPUTSLOTS, DT_AUDIOINPUTSLOT);
  ASSERT_TRUE(output != nullptr && input != nullptr);
  const QPoint ampAt(output->GetOutputPinPoint(0).x() + 24, output->GetRect().top() - 260);
  ASSERT_TRUE(port->rect().contains(view->CanvasToView(ampAt)));
  const QString ampModel = FirstEntryText(DT_AMPLIFIER);
  ChooseFromPopup([&] { DrawingRightClick(port, view->CanvasToView(ampAt)); },
                  [&](const QAction* action) { return action->text() == ampModel; });
  auto* amp = dynamic_cast<CAmplifier*>(view->GetCurrentObject());
  ASSERT_NE(amp, nullptr);

  // Its 1-in-N topology with three zones, from the amplifier's own menu and
  // the topology's dialog.
  DriveNextModal([](QWidget* w) {
    auto* zones = w->findChild<QLineEdit*>(QStringLiteral("zones"));
    ASSERT_NE(zones, nullptr);
    zones->setText(QStringLiteral("3"));
    emit zones->textEdited(zones->text());
    w->findChild<QPushButton*>(QStringLiteral("ok"))->click();
  });
  ChooseFromPopup([&] { DrawingRightClick(port, view->CanvasToView(amp->GetRect().center())); },
                  [](const QAction* action) { return action->data().toInt() == CAmplifier::ID_TOPOLOGY_1INN; });
  std::vector<CBaseDevice*> topologies;
  doc.GetIDManager().GetBaseDeviceList(topologies, DT_RELAYTOPOLOGY);
  ASSERT_EQ(topologies.size(), 1u);
  auto* topology = dynamic_cast<CRelaisTopology*>(topologies.front());
  ASSERT_NE(topology, nullptr);
  ASSERT_EQ(topology->GetZones().size(), 3u);

  // A console above the first audio input.
  view->SetCurrentObject(nullptr);
  const QPoint consoleAt(input->GetInputPinPoint(0).x() - 100, input->GetRect().top() - 260);
  const QString consoleModel = FirstEntryText(DT_CONSOLE);
  ChooseFromPopup([&] { DrawingRightClick(port, view->CanvasToView(consoleAt)); },
                  [&](const QAction* action) { return action->text() == consoleModel; });
  ASSERT_EQ(doc.GetObjectCount(CAT_CONSOLES), 1);

  // View > Fit to window shows it at a readable size.
  frame.Action(ShellCmd::kZoomFit)->trigger();
  EXPECT_GE(view->ZoomPercent(), 60);

  // The PDF: the drawing fills the page's width, not a small cluster with
  // long wires across the page.
  const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
  if (pdftoppm.isEmpty()) GTEST_SKIP() << "pdftoppm is not installed";
  const QString pdf = dir.filePath(QStringLiteral("drawing.pdf"));
  ASSERT_TRUE(frame.ExportPdf(pdf));
  const QString prefix = dir.filePath(QStringLiteral("page"));
  QProcess process;
  process.start(pdftoppm, {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("60"), QStringLiteral("-f"),
                           QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"),
                           QStringLiteral("-singlefile"), pdf, prefix});
  ASSERT_TRUE(process.waitForFinished(kHangLimitMs));
  ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
  const QImage page(prefix + QStringLiteral(".png"));
  ASSERT_FALSE(page.isNull());
  const PageDrawing drawing = MeasureDrawing(page);
  ASSERT_FALSE(drawing.inner.isEmpty()) << "the drawing's frame was not found";
  ASSERT_FALSE(drawing.ink.isEmpty()) << "nothing is drawn";
  // The most inked line runs along the edges of the unit's blocks: a long
  // wire cannot make a small drawing look wide there.
  EXPECT_GE(drawing.rowSpan * 2, page.width()) << drawing.rowSpan << " of " << page.width() << " pixels";
  EXPECT_GE(drawing.ink.width() * 2, page.width()) << drawing.ink.width() << " of " << page.width() << " pixels";
  RecordProperty("FitPercent", view->ZoomPercent());
  RecordProperty("PageWidthPermille", drawing.rowSpan * 1000 / page.width());
  RecordProperty("PageAreaPermille",
                 drawing.ink.width() * drawing.ink.height() * 1000 / (page.width() * page.height()));
}

}  // namespace
