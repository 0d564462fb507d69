// The drawing view driven with mouse events, as a user works on it.
#include "shell/cselvantisview.h"
#include "model/commandids.h"
#include "model/cselvantisdoc.h"
#include "shell/cbitmapmanager.h"
#include "shell/ccanvasrenderer.h"
#include "shell/cmenuresources.h"
#include "shell/cplaceobjectregistry.h"
#include "shelltestblock.h"
#include "support/popupdriver.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QImage>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QToolTip>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

// Offscreen there is no real pointer: events go straight to the viewport.
void Mouse(QWidget* target, QEvent::Type type, const QPoint& pos, Qt::MouseButton button, Qt::MouseButtons buttons) {
  QMouseEvent event(type, QPointF(pos), target->mapToGlobal(QPointF(pos)), button, buttons, Qt::NoModifier);
  QApplication::sendEvent(target, &event);
}

class CSelvantisViewTest : public testing::Test {
 protected:
  void SetUp() override {
    doc.OnNewDocument();
    view = std::make_unique<CSelvantisView>(doc, bitmaps);
    view->resize(900, 700);
    view->show();
    a = ShellTestBlock::Place(doc, QPoint(100, 100), QStringLiteral("A"));
    b = ShellTestBlock::Place(doc, QPoint(400, 140), QStringLiteral("B"));
    ASSERT_TRUE(a && b);
    // The view opened on the unit's blocks; the tests work near the origin.
    view->horizontalScrollBar()->setValue(0);
    view->verticalScrollBar()->setValue(0);
    ASSERT_EQ(view->ScrollOffset(), QPoint(0, 0));
  }

  QWidget* Port() { return view->viewport(); }
  QPoint At(const QPoint& canvas) { return view->CanvasToView(canvas); }

  void Drag(const QPoint& fromCanvas, const QPoint& toCanvas) {
    const QPoint from = At(fromCanvas);
    const QPoint to = At(toCanvas);
    Mouse(Port(), QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    // In steps, as a hand moves the mouse.
    for (int i = 1; i <= 4; ++i)
      Mouse(Port(), QEvent::MouseMove, from + (to - from) * i / 4, Qt::NoButton, Qt::LeftButton);
    Mouse(Port(), QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
  }

  CSelvantisDoc doc;
  CBitmapManager bitmaps;
  std::unique_ptr<CSelvantisView> view;
  ShellTestBlock* a = nullptr;
  ShellTestBlock* b = nullptr;
};

TEST_F(CSelvantisViewTest, PlacesAnObjectFromTheRegistryWhereTheUserClicked) {
  ShellTestBlock::RegisterPlacement();
  int index = -1;
  const auto entries = CPlaceObjectRegistry::Entries();
  for (int i = 0; i < static_cast<int>(entries.size()); ++i)
    if (entries[static_cast<size_t>(i)].text == QStringLiteral("Test block")) index = i;
  ASSERT_GE(index, 0);

  std::unique_ptr<QMenu> menu(view->CreatePlaceMenu(nullptr, QPoint(600, 400)));
  QAction* place = nullptr;
  for (QAction* action : menu->actions())
    if (action->text() == QStringLiteral("Test block")) place = action;
  ASSERT_NE(place, nullptr);
  const int before = doc.GetObjectCount(CAT_ENTRIES);
  place->trigger();
  EXPECT_EQ(doc.GetObjectCount(CAT_ENTRIES), before + 1);
  CBaseDevice* placed = view->GetCurrentObject();
  ASSERT_NE(placed, nullptr);
  EXPECT_EQ(placed->GetRect().topLeft(), QPoint(600, 400));
  EXPECT_TRUE(placed->IsSelected());
}

// A right click on the empty canvas: the press, then the context menu event
// the window system sends after it.
void RightClick(QWidget* port, const QPoint& pos) {
  Mouse(port, QEvent::MouseButtonPress, pos, Qt::RightButton, Qt::RightButton);
  Mouse(port, QEvent::MouseButtonRelease, pos, Qt::RightButton, Qt::NoButton);
  QContextMenuEvent event(QContextMenuEvent::Mouse, pos, port->mapToGlobal(pos));
  QApplication::sendEvent(port, &event);
}

TEST_F(CSelvantisViewTest, ABlockFromThePlaceMenuLandsWhereTheUserRightClicked) {
  // Every amplifier model is made 270 units right of the point it is given,
  // which put it where the menu's entry had been, far from the click.
  const QPoint click(600, 450);
  const QPoint canvas = view->ViewToCanvas(click);
  const std::vector<CPlaceObjectRegistry::Entry> entries = CPlaceObjectRegistry::Entries();
  const auto amplifier = std::find_if(entries.begin(), entries.end(),
                                      [](const CPlaceObjectRegistry::Entry& e) { return e.type == DT_AMPLIFIER; });
  ASSERT_NE(amplifier, entries.end());
  const QString model = CPlaceObjectRegistry::TextOf(*amplifier);
  const QString chosen = ChooseFromPopup([&] { RightClick(Port(), click); },
                                         [&](const QAction* action) { return action->text() == model; });
  ASSERT_EQ(chosen, model);
  CBaseDevice* placed = view->GetCurrentObject();
  ASSERT_NE(placed, nullptr);
  EXPECT_EQ(placed->GetType(), DT_AMPLIFIER);
  EXPECT_EQ(placed->GetRect().topLeft(), canvas) << "the place was free";

  // On a taken place, the nearest free place beside it.
  const QPoint onB = At(b->GetRect().topLeft());
  ChooseFromPopup([&] { RightClick(Port(), onB + QPoint(-30, -20)); },
                  [&](const QAction* action) { return action->text() == model; });
  CBaseDevice* second = view->GetCurrentObject();
  ASSERT_NE(second, placed);
  EXPECT_FALSE(second->GetBoundingRect().intersects(b->GetBoundingRect()));
  EXPECT_LT((second->GetRect().topLeft() - view->ViewToCanvas(onB + QPoint(-30, -20))).manhattanLength(), 200);
}

TEST_F(CSelvantisViewTest, DraggingFromAnOutputPinToAnInputPinWiresBothEnds) {
  Drag(a->GetOutputPinPoint(0), b->GetInputPinPoint(1));
  ASSERT_EQ(a->GetOutputConnections().size(), 1u);
  ASSERT_EQ(b->GetInputConnections().size(), 1u);
  EXPECT_EQ(a->GetOutputConnections()[0].pPeer, b);
  EXPECT_EQ(a->GetOutputConnections()[0].nPeerPin, 1);
  EXPECT_EQ(b->GetInputConnections()[0].pPeer, a);
  EXPECT_EQ(b->GetInputConnections()[0].nPeerPin, 0);
  EXPECT_TRUE(doc.IsModified());
}

TEST_F(CSelvantisViewTest, DraggingTheBodyMovesTheObject) {
  Drag(a->GetRect().center(), a->GetRect().center() + QPoint(60, 40));
  EXPECT_EQ(a->GetRect().topLeft(), QPoint(160, 140));
  EXPECT_EQ(view->GetCurrentObject(), a);
}

TEST_F(CSelvantisViewTest, MouseWorksInCanvasUnitsAtAnyZoom) {
  view->SetZoomPercent(200);
  EXPECT_EQ(view->ZoomPercent(), 200);
  EXPECT_EQ(view->CanvasToView(QPoint(100, 100)), QPoint(200, 200) - view->ScrollOffset());
  // Zooming keeps the middle of the window; B may now cross an edge, and a
  // drag there scrolls. Bring B to the middle so that this drag does not.
  const QPoint shift = At(b->GetRect().center()) - Port()->rect().center();
  view->horizontalScrollBar()->setValue(view->horizontalScrollBar()->value() + shift.x());
  view->verticalScrollBar()->setValue(view->verticalScrollBar()->value() + shift.y());
  ASSERT_TRUE(Port()->rect().adjusted(10, 10, -10, -10).contains(QRect(At(b->GetRect().topLeft()), QSize(160, 120))));
  Drag(b->GetRect().center(), b->GetRect().center() + QPoint(20, 10));
  EXPECT_EQ(b->GetRect().topLeft(), QPoint(420, 150)) << "20 units are 40 pixels at 200 %";
  view->ZoomOut();
  EXPECT_EQ(view->ZoomPercent(), 150);
  view->ZoomToFit();
  EXPECT_LE(view->ZoomPercent(), 100);
}

TEST_F(CSelvantisViewTest, ContextCommandDeleteRemovesTheObjectAndClearsTheCurrentOne) {
  CBaseDevice::Connect(a, 1, b, 0);
  Mouse(Port(), QEvent::MouseButtonPress, At(b->GetRect().center()), Qt::RightButton, Qt::RightButton);
  Mouse(Port(), QEvent::MouseButtonRelease, At(b->GetRect().center()), Qt::RightButton, Qt::NoButton);
  ASSERT_EQ(view->GetCurrentObject(), b);
  std::unique_ptr<QMenu> menu(view->CreateContextMenu(nullptr));
  ASSERT_NE(menu, nullptr);
  QAction* del = nullptr;
  for (QAction* action : menu->actions())
    if (action->data().toInt() == ID_DELETE_OBJECT) del = action;
  ASSERT_NE(del, nullptr);
  EXPECT_TRUE(del->isEnabled());
  del->trigger();
  EXPECT_FALSE(doc.Contains(b));
  EXPECT_EQ(view->GetCurrentObject(), nullptr);
  EXPECT_TRUE(a->GetOutputConnections().empty());
  QApplication::processEvents();  // the document frees the object; painting must not touch it
  view->grab();
}

TEST_F(CSelvantisViewTest, FrameCommandsOfAContextMenuGoToTheMainWindow) {
  // An object menu may hold a command of the main window (the project data).
  CMenuResources::Register(4720, [](CMenuData& menu) {
    menu.AddItem(32876, QStringLiteral("Project..."));
    menu.AddItem(ID_DELETE_OBJECT, QStringLiteral("Delete"));
  });
  ShellTestBlock* c = ShellTestBlock::Place(doc, QPoint(100, 400), QStringLiteral("C"));
  // The menu id is a field the object's class sets; the block uses the common menu.
  view->SetCurrentObject(c);
  QSignalSpy spy(view.get(), &CSelvantisView::commandRequested);
  view->ExecuteMenuCommand(32876);
  ASSERT_EQ(spy.count(), 1);
  EXPECT_EQ(spy.at(0).at(0).toInt(), 32876);
  EXPECT_TRUE(doc.Contains(c));
  view->ExecuteMenuCommand(ID_DELETE_OBJECT);
  EXPECT_EQ(spy.count(), 1) << "object commands stay with the object";
  EXPECT_FALSE(doc.Contains(c));
}

TEST_F(CSelvantisViewTest, ShowsTheObjectsToolTip) {
  const QPoint at = At(a->GetRect().center());
  QHelpEvent help(QEvent::ToolTip, at, view->viewport()->mapToGlobal(at));
  QApplication::sendEvent(view->viewport(), &help);
  EXPECT_EQ(QToolTip::text(), QStringLiteral("Block A"));
  QToolTip::hideText();
}

TEST_F(CSelvantisViewTest, DoubleClickOpensTheProperties) {
  Mouse(Port(), QEvent::MouseButtonDblClick, At(a->GetRect().center()), Qt::LeftButton, Qt::LeftButton);
  EXPECT_EQ(a->PropertiesCalls(), 1);
}

TEST_F(CSelvantisViewTest, PaintsObjectsAndTheWireBetweenThem) {
  CBaseDevice::Connect(a, 0, b, 0);
  const QImage image = view->viewport()->grab().toImage();
  auto dark = [&](const QPoint& p) { return qGray(image.pixel(p)) < 100; };
  EXPECT_TRUE(dark(At(QPoint(100, 130)))) << "the block's left edge";
  const QPoint from = a->GetOutputPinPoint(0);
  const QPoint to = b->GetInputPinPoint(0);
  EXPECT_TRUE(dark(At((from + to) / 2))) << "the middle of the wire";
  EXPECT_FALSE(dark(At(QPoint(300, 400)))) << "empty canvas";
}

// The view keeps a picture of the drawing for plain repaints; a change,
// a scroll or a zoom must never show an old picture.
TEST_F(CSelvantisViewTest, RepaintsShowChangesScrollsAndZoomsNeverAnOldPicture) {
  auto dark = [&](const QImage& image, const QPoint& canvas) { return qGray(image.pixel(At(canvas))) < 100; };
  QImage image = view->viewport()->grab().toImage();
  ASSERT_TRUE(dark(image, QPoint(100, 130)));
  a->Move(0, 200, false);  // the block's left edge now at y 300..360
  image = view->viewport()->grab().toImage();
  EXPECT_FALSE(dark(image, QPoint(100, 130))) << "the old place is empty";
  EXPECT_TRUE(dark(image, QPoint(100, 330))) << "the new place";
  view->verticalScrollBar()->setValue(view->verticalScrollBar()->value() + 40);
  image = view->viewport()->grab().toImage();
  EXPECT_TRUE(dark(image, QPoint(100, 330))) << "scrolled";
  EXPECT_FALSE(dark(image, QPoint(100, 130)));
  view->SetZoomPercent(200);
  const QPoint shift = At(QPoint(100, 330)) - Port()->rect().center();
  view->horizontalScrollBar()->setValue(view->horizontalScrollBar()->value() + shift.x());
  view->verticalScrollBar()->setValue(view->verticalScrollBar()->value() + shift.y());
  ASSERT_TRUE(Port()->rect().contains(At(QPoint(100, 330))));
  image = view->viewport()->grab().toImage();
  EXPECT_TRUE(dark(image, QPoint(100, 330))) << "zoomed";
}

TEST_F(CSelvantisViewTest, ScrollsWhenAnObjectIsDraggedToTheEdge) {
  view->resize(400, 300);
  QApplication::processEvents();
  const int before = view->horizontalScrollBar()->value();
  const QPoint grab = a->GetRect().center();
  const QPoint press = At(grab);
  Mouse(Port(), QEvent::MouseButtonPress, press, Qt::LeftButton, Qt::LeftButton);
  const QPoint nearEdge(view->viewport()->width() - 5, press.y());
  Mouse(Port(), QEvent::MouseMove, nearEdge, Qt::NoButton, Qt::LeftButton);
  Mouse(Port(), QEvent::MouseButtonRelease, nearEdge, Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(view->horizontalScrollBar()->value(), before + 10);
}

TEST_F(CSelvantisViewTest, FindsTheViewOfADocument) {
  EXPECT_EQ(CSelvantisView::FindView(&doc), view.get());
  CSelvantisDoc other;
  EXPECT_EQ(CSelvantisView::FindView(&other), nullptr);
  view->SetCurrentObject(a);
  EXPECT_EQ(view->GetCurrentObject(), a);
  view.reset();
  EXPECT_EQ(CSelvantisView::FindView(&doc), nullptr);
}

// A project whose drawing lies far from the origin: every object of a new
// project moved 2000 units right and 1500 down, and a block beside them.
void MoveDrawingAway(CSelvantisDoc& doc) {
  for (CBaseDevice* object : doc.GetAllObjects())
    if (object->GetRect() != QRect()) object->Move(2000, 1500, false);
  ShellTestBlock::Place(doc, QPoint(2600, 1700), QStringLiteral("Far"));
}

std::vector<QRect> Rects(const CSelvantisDoc& doc) {
  std::vector<QRect> rects;
  for (CBaseDevice* object : doc.GetAllObjects()) rects.push_back(object->GetRect());
  return rects;
}

QRect DrawingBounds(const CSelvantisDoc& doc) {
  QRect bounds;
  for (CBaseDevice* object : doc.GetAllObjects())
    if (object->GetRect() != QRect()) bounds = bounds.united(object->GetBoundingRect());
  return bounds;
}

// The part of the drawing the window shows, in canvas units.
QRect Visible(const CSelvantisView& view) {
  return QRect(view.ViewToCanvas(QPoint(0, 0)), view.ViewToCanvas(view.viewport()->rect().bottomRight()));
}

// A new project in a view of the given size on the screen.
struct ShownNewProject {
  explicit ShownNewProject(const QSize& size) : view(New(doc), bitmaps) {
    view.resize(size);
    view.show();
    QApplication::processEvents();
  }
  static CSelvantisDoc& New(CSelvantisDoc& doc) {
    doc.OnNewDocument();
    return doc;
  }
  CSelvantisDoc doc;
  CBitmapManager bitmaps;
  CSelvantisView view;
};

TEST(CSelvantisViewShowTest, AViewOnAFarDrawingShowsTheUnitWithoutMovingIt) {
  CSelvantisDoc doc;
  doc.OnNewDocument();
  MoveDrawingAway(doc);
  const std::vector<QRect> before = Rects(doc);
  const QRect unit = CCanvasRenderer::UnitBounds(doc);
  ASSERT_GT(unit.x(), 2000);
  CBitmapManager bitmaps;
  CSelvantisView view(doc, bitmaps);
  view.resize(900, 700);
  view.show();
  QApplication::processEvents();
  // The unit is wider than the window: its left end lies 20 units inside
  // the left edge, and its height stands in the middle.
  EXPECT_EQ(Visible(view).left(), unit.left() - 20);
  EXPECT_TRUE(Visible(view).contains(QRect(unit.topLeft(), QSize(400, unit.height()))));
  EXPECT_EQ(Rects(doc), before) << "the project's positions stay as they are";

  // A larger window (maximised) still shows it, until the user scrolls.
  view.resize(1400, 900);
  QApplication::processEvents();
  EXPECT_EQ(Visible(view).left(), unit.left() - 20);
  EXPECT_TRUE(Visible(view).contains(QRect(unit.topLeft(), QSize(400, unit.height()))));
  view.verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  const QPoint scrolled = view.ScrollOffset();
  view.resize(1300, 800);
  QApplication::processEvents();
  EXPECT_EQ(view.ScrollOffset(), scrolled) << "the user's own position is kept";
}

TEST(CSelvantisViewShowTest, ANewOrOpenedProjectShowsTheUnitsBlocks) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("far.sxm"));
  {
    CSelvantisDoc far;
    far.OnNewDocument();
    MoveDrawingAway(far);
    ASSERT_TRUE(far.OnSaveDocument(path));
  }
  ShownNewProject shown(QSize(1200, 800));
  CSelvantisDoc& doc = shown.doc;
  CSelvantisView& view = shown.view;
  // Not the empty top left beside the root group: the unit, far below.
  const QRect unit = CCanvasRenderer::UnitBounds(doc);
  ASSERT_GT(unit.y(), 1000);
  EXPECT_TRUE(Visible(view).contains(unit.topLeft())) << unit.x() << "," << unit.y();
  EXPECT_TRUE(Visible(view).contains(QPoint(unit.left() + 600, unit.bottom())));
  view.SetZoomPercent(50);
  ASSERT_TRUE(doc.OnOpenDocument(path));
  const QRect visible = Visible(view);
  const QRect opened = CCanvasRenderer::UnitBounds(doc);
  EXPECT_TRUE(visible.contains(opened)) << "at 50 % the whole unit fits: " << opened.x() << "," << opened.y();
}

// The canvas point in the middle of the window.
QPoint Middle(const CSelvantisView& view) { return view.ViewToCanvas(view.viewport()->rect().center()); }

// Near enough for a zoom: rounding to whole pixels moves a point by up to
// two pixels of the smaller zoom.
void ExpectNear(const QPoint& actual, const QPoint& expected, int units, const char* what) {
  EXPECT_LE(std::abs(actual.x() - expected.x()), units) << what << ": " << actual.x() << " for " << expected.x();
  EXPECT_LE(std::abs(actual.y() - expected.y()), units) << what << ": " << actual.y() << " for " << expected.y();
}

TEST(CSelvantisViewShowTest, ZoomingKeepsTheMiddleOfTheWindowOrThePointUnderTheWheel) {
  ShownNewProject shown(QSize(1000, 700));
  CSelvantisDoc& doc = shown.doc;
  CSelvantisView& view = shown.view;
  const QRect bounds = CCanvasRenderer::DrawingBounds(doc);

  // Fitted, the drawing stands in the middle of the window, not in its
  // top-left corner with empty canvas beside it.
  view.ZoomToFit();
  ASSERT_LT(view.ZoomPercent(), 100);
  ExpectNear(Middle(view), bounds.center(), 4, "fitted");
  EXPECT_TRUE(Visible(view).contains(bounds));

  // Actual size and a typed zoom look at the same place.
  view.SetZoomPercent(100);
  ExpectNear(Middle(view), bounds.center(), 4, "actual size after fit");
  view.horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  view.verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  const QPoint looked = Middle(view);
  view.SetZoomPercent(150);
  ExpectNear(Middle(view), looked, 2, "150 %");
  view.SetZoomPercent(60);
  ExpectNear(Middle(view), looked, 4, "60 %");

  // The wheel keeps the point under the mouse.
  view.SetZoomPercent(100);
  const QPoint mouse(200, 150);
  const QPoint under = view.ViewToCanvas(mouse);
  QWheelEvent wheel(QPointF(mouse), QPointF(view.viewport()->mapToGlobal(mouse)), QPoint(), QPoint(0, 120),
                    Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(view.viewport(), &wheel);
  EXPECT_GT(view.ZoomPercent(), 100);
  ExpectNear(view.ViewToCanvas(mouse), under, 2, "wheel");
}

TEST(CSelvantisViewShowTest, TheScrollBarsCoverTheDrawingAndMoveTheWayTheyPoint) {
  CSelvantisDoc doc;
  doc.OnNewDocument();
  ShellTestBlock::Place(doc, QPoint(-900, -600), QStringLiteral("West"));
  ShellTestBlock::Place(doc, QPoint(4000, 3200), QStringLiteral("East"));
  CBitmapManager bitmaps;
  CSelvantisView view(doc, bitmaps);
  view.resize(900, 700);
  view.show();
  QApplication::processEvents();
  const QRect bounds = DrawingBounds(doc);
  const QRect area = view.ScrollArea();
  EXPECT_TRUE(area.contains(bounds));
  EXPECT_EQ(area, bounds.adjusted(-100, -100, 100, 100)) << "the bounding box and a margin";

  QScrollBar* h = view.horizontalScrollBar();
  QScrollBar* v = view.verticalScrollBar();
  // The thumb at the far left and top shows the drawing's left and top end.
  h->setValue(h->minimum());
  v->setValue(v->minimum());
  EXPECT_EQ(Visible(view).topLeft(), area.topLeft());
  EXPECT_TRUE(Visible(view).contains(QPoint(-900, -600)));
  // The right arrow moves the view right, the down arrow down.
  const QPoint before = view.ViewToCanvas(QPoint(0, 0));
  h->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  v->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_GT(view.ViewToCanvas(QPoint(0, 0)).x(), before.x());
  EXPECT_GT(view.ViewToCanvas(QPoint(0, 0)).y(), before.y());
  // The far right and bottom show the drawing's right and bottom end.
  h->setValue(h->maximum());
  v->setValue(v->maximum());
  EXPECT_TRUE(Visible(view).contains(bounds.bottomRight()));
  // Fitted, the whole drawing is in view from the bars' start.
  view.ZoomToFit();
  EXPECT_EQ(h->value(), h->minimum());
  EXPECT_TRUE(Visible(view).contains(bounds));
}

}  // namespace
