// The internal slots: the nine functions every new project has, what each
// draws (the hidden ones nothing at all), what its properties open and for
// which document, the replies under "/SERVICE" that reach the open service
// window only, and delete always disabled.
#include "unit/cinternalslot.h"
#include "link/linkmode.h"
#include "model/ccmdui.h"
#include "model/cmenudata.h"
#include "model/commandids.h"
#include "model/cselvantisdoc.h"
#include "picturerecorder.h"
#include "shell/cmenuresources.h"
#include "support/projectbytes.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

namespace {

class ServiceWindow final : public CInternalSlot::IServiceWindow {
 public:
  void ParseReply(const QString& line) override { lines.append(line); }
  QStringList lines;
};

class CInternalSlotTest : public ::testing::Test {
 protected:
  void SetUp() override { doc.OnNewDocument(); }
  void TearDown() override {
    CInternalSlot::SetFrameHostHook(nullptr);
    CInternalSlot::SetAudioEditorHook(nullptr);
    CInternalSlot::SetServiceDialogHook(nullptr);
    SetActiveDoc(nullptr);
  }

  CInternalSlot* Slot(int kind) {
    CInternalSlot* slot = CInternalSlot::FindByKind(&doc, kind);
    EXPECT_NE(slot, nullptr) << kind;
    return slot;
  }
  bool Route(const QString& line) {
    QString errorFile;
    return doc.RouteReplyLine(line, errorFile, LINKMODE_NORMAL);
  }

  CSelvantisDoc doc;
};

TEST_F(CInternalSlotTest, ANewProjectHasTheNineFunctions) {
  std::vector<CBaseDevice*> found;
  doc.GetIDManager().GetBaseDeviceList(found, DT_INTERNALSLOT);
  QStringList names;
  std::vector<int> kinds;
  for (CBaseDevice* slot : found) {
    names.append(slot->GetName());
    kinds.push_back(slot->GetKind());
    EXPECT_TRUE(slot->IsMoveLocked());
    EXPECT_EQ(slot->GetMenuID(), 110);
  }
  EXPECT_EQ(names,
            (QStringList{"Macro", "Clock", "Trigger", "Calendar", "Audio", "System", "Fuse", "Monitor", "Service"}));
  EXPECT_EQ(kinds, (std::vector<int>{32806, 33011, 33085, 33088, 34077, 34078, 33084, 33086, 33087}));
  // Fuse and monitor take no place on the canvas; the service functions an
  // undrawn one right of the visible row, so that they can be opened.
  EXPECT_TRUE(Slot(CInternalSlot::KIND_FUSE)->GetRect().isNull());
  EXPECT_TRUE(Slot(CInternalSlot::KIND_MONITOR)->GetRect().isNull());
  const QRect system = Slot(CInternalSlot::KIND_SYSTEM)->GetRect();
  EXPECT_EQ(Slot(CInternalSlot::KIND_SERVICE)->GetRect(), system.translated(160, 0));
  EXPECT_FALSE(Slot(CInternalSlot::KIND_MACRO)->GetRect().isEmpty());
  EXPECT_EQ(doc.FindObjectByPath(QStringLiteral("/SERVICE")), Slot(CInternalSlot::KIND_SERVICE));
  EXPECT_TRUE(Slot(CInternalSlot::KIND_MACRO)->GetPath().isEmpty());
}

TEST_F(CInternalSlotTest, IconKindsDrawTheirPictureHiddenKindsNothing) {
  const std::vector<std::pair<int, int>> icons = {
      {CInternalSlot::KIND_MACRO, 340},    {CInternalSlot::KIND_CLOCK, 335}, {CInternalSlot::KIND_TRIGGER, 338},
      {CInternalSlot::KIND_CALENDAR, 334}, {CInternalSlot::KIND_AUDIO, 336}, {CInternalSlot::KIND_SYSTEM, 339}};
  for (const auto& [kind, icon] : icons) {
    CInternalSlot* slot = Slot(kind);
    PictureRecorder painter;
    slot->Draw(painter);
    ASSERT_EQ(painter.bitmaps.size(), 1u) << kind;
    EXPECT_EQ(painter.bitmaps[0].first, icon);
    const QRect& r = slot->GetRect();
    EXPECT_EQ(painter.bitmaps[0].second, QPoint(r.left() + 6, r.top() + (r.height() - 32) / 2));
    EXPECT_GT(painter.others, 0);  // the base drawing came first
  }
  for (int kind : {CInternalSlot::KIND_FUSE, CInternalSlot::KIND_MONITOR, CInternalSlot::KIND_SERVICE}) {
    PictureRecorder painter;
    Slot(kind)->Draw(painter);
    EXPECT_TRUE(painter.bitmaps.empty());
    EXPECT_EQ(painter.others, 0);
  }
}

TEST_F(CInternalSlotTest, EachKindOpensItsEditorForItsOwnDocument) {
  CSelvantisDoc active;
  SetActiveDoc(&active);
  std::vector<int> frames;
  int audio = 0;
  CInternalSlot::SetFrameHostHook([&](CSelvantisDoc& d, int frameKind) {
    EXPECT_EQ(&d, &doc);
    frames.push_back(frameKind);
    return true;
  });
  CInternalSlot::SetAudioEditorHook([&](CSelvantisDoc& d) {
    EXPECT_EQ(&d, &doc);
    ++audio;
    return true;
  });
  for (int kind : CInternalSlot::kKinds) {
    if (kind != CInternalSlot::KIND_SERVICE) {
      EXPECT_TRUE(Slot(kind)->OnCommand(ID_SHOW_PROPERTIES));
    }
  }
  // Macro, clock, trigger, calendar, system, fuse, monitor.
  EXPECT_EQ(frames, (std::vector<int>{7, 25, 5, 9, 21, 21, 6}));
  EXPECT_EQ(audio, 1);
}

TEST_F(CInternalSlotTest, WithoutItsEditorPropertiesAreDisabledAndOpenNothing) {
  CInternalSlot* macro = Slot(CInternalSlot::KIND_MACRO);
  CCmdUI state(ID_SHOW_PROPERTIES);
  macro->OnUpdateCommandUI(state);
  EXPECT_FALSE(state.IsEnabled());
  EXPECT_FALSE(macro->ShowProperties());
  CInternalSlot::SetFrameHostHook([](CSelvantisDoc&, int) { return true; });
  CCmdUI enabled(ID_SHOW_PROPERTIES);
  macro->OnUpdateCommandUI(enabled);
  EXPECT_TRUE(enabled.IsEnabled());
  // The audio slot still has no editor.
  CCmdUI audio(ID_SHOW_PROPERTIES);
  Slot(CInternalSlot::KIND_AUDIO)->OnUpdateCommandUI(audio);
  EXPECT_FALSE(audio.IsEnabled());
}

TEST_F(CInternalSlotTest, ServiceRepliesReachTheOpenWindowOnly) {
  CInternalSlot* service = Slot(CInternalSlot::KIND_SERVICE);
  EXPECT_FALSE(Route(QStringLiteral("/SERVICE/VER V1.0")));  // no window: dropped

  ServiceWindow window;
  bool routedWhileOpen = false;
  CInternalSlot::SetServiceDialogHook([&](CInternalSlot& slot) {
    EXPECT_EQ(&slot, service);
    slot.SetServiceWindow(&window);  // as the dialog announces itself
    routedWhileOpen = Route(QStringLiteral("/SERVICE/VER V1.0"));
    return true;
  });
  EXPECT_TRUE(service->ShowProperties());
  EXPECT_TRUE(routedWhileOpen);
  EXPECT_EQ(window.lines, (QStringList{"SERVICE/VER V1.0"}));
  // The dialog is gone: the slot holds no window, replies are dropped.
  EXPECT_EQ(service->GetServiceWindow(), nullptr);
  EXPECT_FALSE(Route(QStringLiteral("/SERVICE/VER V1.1")));
  EXPECT_EQ(window.lines.size(), 1);
}

TEST_F(CInternalSlotTest, OnlyTheServiceSlotTakesReplies) {
  ServiceWindow window;
  CInternalSlot* calendar = Slot(CInternalSlot::KIND_CALENDAR);
  calendar->SetServiceWindow(&window);
  QString errorFile;
  EXPECT_FALSE(calendar->Upload(QStringLiteral("SERVICE/VER V1.0"), errorFile, LINKMODE_NORMAL));
  EXPECT_TRUE(window.lines.isEmpty());
}

TEST_F(CInternalSlotTest, DeleteIsAlwaysDisabled) {
  CInternalSlot::SetFrameHostHook([](CSelvantisDoc&, int) { return true; });
  CInternalSlot* clock = Slot(CInternalSlot::KIND_CLOCK);
  CMenuData menu = CMenuResources::Load(clock->GetMenuID());
  clock->UpdateMenu(menu);
  ASSERT_NE(menu.FindItem(ID_DELETE_OBJECT), nullptr);
  EXPECT_FALSE(menu.FindItem(ID_DELETE_OBJECT)->enabled);
  EXPECT_TRUE(menu.FindItem(ID_SHOW_PROPERTIES)->enabled);
  EXPECT_FALSE(clock->OnCommand(ID_DELETE_OBJECT));
  EXPECT_TRUE(doc.Contains(clock));
}

TEST_F(CInternalSlotTest, AProjectFileKeepsThemAndOneWithoutGetsThem) {
  const QByteArray bytes = SaveProject(doc);
  auto back = LoadProject(bytes);
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(SaveProject(*back), bytes);
  EXPECT_EQ(back->GetIDManager().GetCount(DT_INTERNALSLOT), CInternalSlot::kKindCount);

  // A project saved without them (an older file) gets all nine on loading.
  for (int kind : CInternalSlot::kKinds) ASSERT_TRUE(doc.DeleteObject(Slot(kind)));
  doc.PurgeDeleted();
  auto old = LoadProject(SaveProject(doc));
  ASSERT_NE(old, nullptr);
  EXPECT_EQ(old->GetIDManager().GetCount(DT_INTERNALSLOT), CInternalSlot::kKindCount);
  ASSERT_NE(CInternalSlot::FindByKind(old.get(), CInternalSlot::KIND_SERVICE), nullptr);
  EXPECT_EQ(old->FindObjectByPath(QStringLiteral("/SERVICE")),
            CInternalSlot::FindByKind(old.get(), CInternalSlot::KIND_SERVICE));
}

TEST_F(CInternalSlotTest, AServiceSlotSavedWithoutAPlaceGetsOneOnLoading) {
  CInternalSlot* service = Slot(CInternalSlot::KIND_SERVICE);
  const QRect place = service->GetRect();
  service->SetRect(QRect());
  auto back = LoadProject(SaveProject(doc));
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(CInternalSlot::FindByKind(back.get(), CInternalSlot::KIND_SERVICE)->GetRect(), place);
  EXPECT_TRUE(CInternalSlot::FindByKind(back.get(), CInternalSlot::KIND_FUSE)->GetRect().isNull());
}

TEST_F(CInternalSlotTest, AnUnknownKindDrawsAndOpensNothing) {
  CInternalSlot::SetFrameHostHook([](CSelvantisDoc&, int) { return true; });
  auto odd = std::make_unique<CInternalSlot>();
  ASSERT_TRUE(odd->Create(12345, 0, 0, QStringLiteral("Odd"), QRect(0, 0, 150, 48), CAT_MODULES, 0, 1, &doc));
  CInternalSlot* slot = doc.Adopt(std::move(odd));
  PictureRecorder painter;
  slot->Draw(painter);
  EXPECT_EQ(painter.others, 0);
  EXPECT_FALSE(slot->ShowProperties());
}

}  // namespace
