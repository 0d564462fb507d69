// The drawing view's behaviour without the widget: selection, moving,
// wiring, deleting through the context command, menus and tool tips.
#include "shell/ccanvascontroller.h"
#include "model/commandids.h"
#include "model/cselvantisdoc.h"
#include "shell/ccanvashittest.h"
#include "shell/cmenuresources.h"
#include "shell/icanvashost.h"
#include "shelltestblock.h"
#include "support/messagerecorder.h"

#include <QCoreApplication>
#include <QObject>

#include <gtest/gtest.h>

namespace {

// An object with the base's command states: delete and properties disabled.
class PlainBlock final : public CBaseDevice {
  SELV_DECLARE_SERIAL(PlainBlock)
 public:
  PlainBlock() { SetType(DT_CONTROLPAD); }
};

class FakeHost final : public ICanvasHost {
 public:
  int invalidations = 0;
  std::vector<CBaseDevice*> currents;
  void InvalidateCanvas(const QRect&) override { ++invalidations; }
  void CurrentObjectChanged(CBaseDevice* object) override { currents.push_back(object); }
};

class CCanvasControllerTest : public testing::Test {
 protected:
  void SetUp() override {
    doc.OnNewDocument();
    a = ShellTestBlock::Place(doc, QPoint(100, 100), QStringLiteral("A"));
    b = ShellTestBlock::Place(doc, QPoint(400, 100), QStringLiteral("B"));
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    // The controller learns of removals the way the view wires it.
    QObject::connect(&doc, &CSelvantisDoc::objectAboutToBeRemoved,
                     [this](CBaseDevice* o) { controller.ObjectRemoved(o); });
    doc.SetModifiedFlag(false);
  }

  CSelvantisDoc doc;
  FakeHost host;
  CCanvasController controller{doc, host};
  ShellTestBlock* a = nullptr;
  ShellTestBlock* b = nullptr;
};

TEST_F(CCanvasControllerTest, HitTestFindsPinsBodyAndNothing) {
  const CanvasHit outPin = CCanvasHitTest::HitTest(doc, a->GetOutputPinPoint(1), 3);
  EXPECT_EQ(outPin.object, a);
  EXPECT_EQ(outPin.part, CanvasHit::Part::OutputPin);
  EXPECT_EQ(outPin.pin, 1);
  const CanvasHit inPin = CCanvasHitTest::HitTest(doc, b->GetInputPinPoint(0) + QPoint(2, -2), 3);
  EXPECT_EQ(inPin.object, b);
  EXPECT_EQ(inPin.part, CanvasHit::Part::InputPin);
  EXPECT_EQ(inPin.pin, 0);
  EXPECT_EQ(CCanvasHitTest::HitTest(doc, a->GetRect().center(), 3).part, CanvasHit::Part::Body);
  EXPECT_EQ(CCanvasHitTest::HitTest(doc, QPoint(5, 5), 3).object, nullptr);
}

TEST_F(CCanvasControllerTest, PressSelectsAndMakesCurrentPressOnEmptyClears) {
  controller.MousePress(a->GetRect().center(), CCanvasController::Button::Left);
  EXPECT_EQ(controller.GetCurrentObject(), a);
  EXPECT_TRUE(a->IsSelected());
  controller.MouseRelease(a->GetRect().center(), CCanvasController::Button::Left);
  controller.MousePress(b->GetRect().center(), CCanvasController::Button::Right);
  EXPECT_EQ(controller.GetCurrentObject(), b);
  EXPECT_FALSE(a->IsSelected());
  controller.MousePress(QPoint(5, 5), CCanvasController::Button::Left);
  EXPECT_EQ(controller.GetCurrentObject(), nullptr);
  EXPECT_FALSE(b->IsSelected());
  EXPECT_EQ(host.currents, (std::vector<CBaseDevice*>{a, b, nullptr}));
}

TEST_F(CCanvasControllerTest, DragMovesTheObjectAndMarksTheDocument) {
  const QPoint start = a->GetRect().center();
  const QPoint pin = a->GetInputPinPoint(1);
  controller.MousePress(start, CCanvasController::Button::Left);
  controller.MouseMove(start + QPoint(1, 1), true);  // below the drag threshold: no move
  EXPECT_EQ(a->GetRect().topLeft(), QPoint(100, 100));
  controller.MouseMove(start + QPoint(30, 20), true);
  controller.MouseRelease(start + QPoint(30, 20), CCanvasController::Button::Left);
  EXPECT_EQ(a->GetRect().topLeft(), QPoint(130, 120));
  EXPECT_EQ(a->GetInputPinPoint(1), pin + QPoint(30, 20)) << "the pins travel along";
  EXPECT_TRUE(doc.IsModified());
}

TEST_F(CCanvasControllerTest, TheMoveLockHoldsAgainstTheUserOnly) {
  a->SetMoveLock(true);
  const QPoint start = a->GetRect().center();
  controller.MousePress(start, CCanvasController::Button::Left);
  controller.MouseMove(start + QPoint(50, 50), true);
  controller.MouseRelease(start + QPoint(50, 50), CCanvasController::Button::Left);
  EXPECT_EQ(a->GetRect().topLeft(), QPoint(100, 100));
  a->Move(10, 0, false);  // the program still moves it
  EXPECT_EQ(a->GetRect().topLeft(), QPoint(110, 100));
}

TEST_F(CCanvasControllerTest, ObjectsCannotBeDraggedOffTheCanvasOrigin) {
  const QPoint start = a->GetRect().center();
  controller.MousePress(start, CCanvasController::Button::Left);
  controller.MouseMove(start - QPoint(500, 500), true);
  controller.MouseRelease(start - QPoint(500, 500), CCanvasController::Button::Left);
  EXPECT_GE(a->GetBoundingRect().left(), 0);
  EXPECT_GE(a->GetBoundingRect().top(), 0);
}

TEST_F(CCanvasControllerTest, EscapeDuringAMoveBringsTheObjectBack) {
  const QPoint start = a->GetRect().center();
  controller.MousePress(start, CCanvasController::Button::Left);
  controller.MouseMove(start + QPoint(40, 0), true);
  controller.CancelDrag();
  EXPECT_EQ(a->GetRect().topLeft(), QPoint(100, 100));
}

TEST_F(CCanvasControllerTest, DraggingFromAnOutputToAnInputConnectsBothEnds) {
  controller.MousePress(a->GetOutputPinPoint(1), CCanvasController::Button::Left);
  EXPECT_EQ(controller.GetDragMode(), CCanvasController::DragMode::Connect);
  controller.MouseMove(b->GetInputPinPoint(0), true);
  EXPECT_TRUE(controller.ConnectTargetValid());
  EXPECT_EQ(b->GetHighlightedInputPin(), 0) << "the target pin lights up";
  controller.MouseRelease(b->GetInputPinPoint(0), CCanvasController::Button::Left);

  ASSERT_EQ(a->GetOutputConnections().size(), 1u);
  ASSERT_EQ(b->GetInputConnections().size(), 1u);
  const ConnectionRecord& out = a->GetOutputConnections()[0];
  const ConnectionRecord& in = b->GetInputConnections()[0];
  EXPECT_EQ(out.pPeer, b);
  EXPECT_EQ(out.nOwnPin, 1);
  EXPECT_EQ(out.nPeerPin, 0);
  EXPECT_EQ(in.pPeer, a);
  EXPECT_EQ(in.nOwnPin, 0);
  EXPECT_EQ(in.nPeerPin, 1);
  EXPECT_EQ(a->GetRect().topLeft(), QPoint(100, 100)) << "wiring does not move the source";
  EXPECT_EQ(b->GetHighlightedInputPin(), -1);

  // The same wire again is refused.
  controller.MousePress(a->GetOutputPinPoint(1), CCanvasController::Button::Left);
  controller.MouseMove(b->GetInputPinPoint(0), true);
  EXPECT_FALSE(controller.ConnectTargetValid());
  controller.MouseRelease(b->GetInputPinPoint(0), CCanvasController::Button::Left);
  EXPECT_EQ(a->GetOutputConnections().size(), 1u);
}

TEST_F(CCanvasControllerTest, ReleasingAWireElsewhereConnectsNothing) {
  for (const QPoint& end : {QPoint(5, 5), b->GetOutputPinPoint(0), a->GetInputPinPoint(0), b->GetRect().center()}) {
    controller.MousePress(a->GetOutputPinPoint(0), CCanvasController::Button::Left);
    controller.MouseMove(end, true);
    controller.MouseRelease(end, CCanvasController::Button::Left);
  }
  EXPECT_TRUE(a->GetOutputConnections().empty());
  EXPECT_TRUE(b->GetInputConnections().empty());
  EXPECT_TRUE(a->GetInputConnections().empty()) << "no wire from an object to itself";
}

TEST_F(CCanvasControllerTest, HoverHighlightsThePinUnderTheCursor) {
  controller.MouseMove(a->GetOutputPinPoint(0), false);
  EXPECT_EQ(a->GetHighlightedOutputPin(), 0);
  EXPECT_EQ(a->GetHighlightedInputPin(), -1);
  controller.MouseMove(b->GetInputPinPoint(1), false);
  EXPECT_EQ(a->GetHighlightedOutputPin(), -1) << "leaving clears the old highlight";
  EXPECT_EQ(b->GetHighlightedInputPin(), 1);
  controller.MouseLeave();
  EXPECT_EQ(b->GetHighlightedInputPin(), -1);
}

TEST_F(CCanvasControllerTest, ContextCommandDeletesAndClearsTheCurrentObject) {
  CBaseDevice::Connect(a, 0, b, 0);
  controller.MousePress(b->GetRect().center(), CCanvasController::Button::Right);
  const CMenuData menu = controller.BuildContextMenu();
  const CMenuItem* del = menu.FindItem(ID_DELETE_OBJECT);
  ASSERT_NE(del, nullptr);
  EXPECT_TRUE(del->enabled);
  EXPECT_TRUE(controller.RouteCommand(ID_DELETE_OBJECT));
  EXPECT_EQ(controller.GetCurrentObject(), nullptr);
  EXPECT_FALSE(doc.Contains(b));
  EXPECT_TRUE(a->GetOutputConnections().empty()) << "the mirror at the peer goes too";
  EXPECT_EQ(host.currents.back(), nullptr);
  EXPECT_FALSE(controller.RouteCommand(ID_DELETE_OBJECT)) << "nothing current any more";
}

TEST_F(CCanvasControllerTest, CommandsTheObjectDisablesAreNotRouted) {
  auto plain = std::make_unique<PlainBlock>();
  ASSERT_TRUE(plain->Create(0, 1, 1, QStringLiteral("P"), QRect(100, 300, 40, 40), CAT_ENTRIES, 0, 0, &doc));
  CBaseDevice* p = doc.AddObject(std::move(plain));
  controller.SetCurrentObject(p);
  const CMenuData menu = controller.BuildContextMenu();
  ASSERT_NE(menu.FindItem(ID_DELETE_OBJECT), nullptr);
  EXPECT_FALSE(menu.FindItem(ID_DELETE_OBJECT)->enabled);
  EXPECT_FALSE(controller.RouteCommand(ID_DELETE_OBJECT));
  EXPECT_TRUE(doc.Contains(p));
  EXPECT_FALSE(controller.RouteCommand(32852)) << "outside the object range";
}

TEST_F(CCanvasControllerTest, RegisteredMenuResourcesAreUsedAndAdjusted) {
  CMenuResources::Register(4711, [](CMenuData& menu) {
    menu.AddItem(33050, QStringLiteral("Special"));
    menu.AddItem(ID_DELETE_OBJECT, QStringLiteral("Remove"));
  });
  EXPECT_TRUE(CMenuResources::Has(4711));
  const CMenuData menu = CMenuResources::Load(4711);
  ASSERT_EQ(menu.Items().size(), 2u);
  EXPECT_EQ(menu.Items()[0].text, QStringLiteral("Special"));
  const CMenuData common = CMenuResources::Load(4712);
  EXPECT_NE(common.FindItem(ID_DELETE_OBJECT), nullptr);
  EXPECT_NE(common.FindItem(ID_SHOW_PROPERTIES), nullptr);
}

TEST_F(CCanvasControllerTest, DoubleClickOpensPropertiesAndToolTipsComeFromTheObject) {
  EXPECT_TRUE(controller.DoubleClick(a->GetRect().center()));
  EXPECT_EQ(a->PropertiesCalls(), 1);
  EXPECT_FALSE(controller.DoubleClick(QPoint(5, 5)));
  EXPECT_EQ(controller.ToolTipAt(b->GetRect().center()), QStringLiteral("Block B"));
  EXPECT_TRUE(controller.ToolTipAt(QPoint(5, 5)).isEmpty());
}

TEST_F(CCanvasControllerTest, AnObjectDeletedElsewhereStopsADrag) {
  controller.MousePress(a->GetRect().center(), CCanvasController::Button::Left);
  controller.MouseMove(a->GetRect().center() + QPoint(20, 0), true);
  doc.DeleteObject(a);
  EXPECT_EQ(controller.GetDragMode(), CCanvasController::DragMode::None);
  EXPECT_EQ(controller.GetCurrentObject(), nullptr);
  controller.MouseMove(QPoint(300, 300), true);  // must not touch the deleted object
  controller.MouseRelease(QPoint(300, 300), CCanvasController::Button::Left);
  QCoreApplication::processEvents();
}

TEST_F(CCanvasControllerTest, SetCurrentObjectRefusesForeignObjects) {
  CSelvantisDoc other;
  other.OnNewDocument();
  ShellTestBlock* foreign = ShellTestBlock::Place(other, QPoint(0, 0), QStringLiteral("F"));
  controller.SetCurrentObject(foreign);
  EXPECT_EQ(controller.GetCurrentObject(), nullptr);
}

}  // namespace
