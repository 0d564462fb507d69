// The info slot: the block every new project has, the connected picture the
// link switches on and off (never stored), the document's connected state
// read through it, and its properties (the project data of its own
// document) with delete always disabled.
#include "unit/cinfoslot.h"
#include "model/ccmdui.h"
#include "model/cmenudata.h"
#include "model/commandids.h"
#include "model/cselvantisdoc.h"
#include "picturerecorder.h"
#include "shell/cmenuresources.h"
#include "shell/cprojectdatadlg.h"
#include "support/dialogdriver.h"
#include "support/projectbytes.h"

#include <QLineEdit>
#include <QList>
#include <QWidget>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

class CInfoSlotTest : public ::testing::Test {
 protected:
  void SetUp() override {
    doc.OnNewDocument();
    info = CInfoSlot::Find(&doc);
    ASSERT_NE(info, nullptr);
  }
  void TearDown() override { SetActiveDoc(nullptr); }

  std::vector<int> Pictures() {
    PictureRecorder painter;
    info->Draw(painter);
    std::vector<int> ids;
    for (const auto& drawn : painter.bitmaps) ids.push_back(drawn.first);
    return ids;
  }

  CSelvantisDoc doc;
  CInfoSlot* info = nullptr;
};

TEST_F(CInfoSlotTest, ANewProjectStartsWithTheUnitsInfoBlock) {
  EXPECT_EQ(info->GetName(), "VMX 7000");
  EXPECT_EQ(info->GetID(), 1);
  EXPECT_EQ(info->GetMenuID(), 110);
  EXPECT_TRUE(info->IsMoveLocked());
  EXPECT_FALSE(info->IsConnected());
  ASSERT_FALSE(doc.GetObjectList(CAT_SLOTS).empty());
  EXPECT_EQ(doc.GetObjectList(CAT_SLOTS).front(), info);
}

TEST_F(CInfoSlotTest, ConnectingShowsThePictureAndDisconnectingRemovesIt) {
  EXPECT_TRUE(Pictures().empty());
  int redraws = 0;
  QObject::connect(&doc, &CSelvantisDoc::objectChanged, [&](CBaseDevice* object) {
    if (object == info) ++redraws;
  });
  doc.SetConnected(true);
  EXPECT_TRUE(info->IsConnected());
  EXPECT_EQ(redraws, 1);
  PictureRecorder painter;
  info->Draw(painter);
  ASSERT_EQ(painter.bitmaps.size(), 1u);
  EXPECT_EQ(painter.bitmaps[0].first, 140);
  // Left edge + 2, centred for a 32-unit picture.
  const QRect& r = info->GetRect();
  EXPECT_EQ(painter.bitmaps[0].second, QPoint(r.left() + 2, r.top() + (r.height() - 32) / 2));
  doc.SetConnected(false);
  EXPECT_TRUE(Pictures().empty());
  EXPECT_EQ(redraws, 2);
}

TEST_F(CInfoSlotTest, TheDocumentsConnectedStateIsTheInfoSlots) {
  SetActiveDoc(&doc);
  EXPECT_FALSE(IsOnline());
  doc.SetConnected(true);
  EXPECT_TRUE(doc.IsConnected());
  EXPECT_TRUE(IsOnline());
  info->SetConnected(false);
  EXPECT_FALSE(doc.IsConnected());
  EXPECT_FALSE(IsOnline());
}

TEST_F(CInfoSlotTest, AProjectWithoutInfoSlotKeepsTheLinkStateItself) {
  CSelvantisDoc bare;
  ASSERT_EQ(CInfoSlot::Find(&bare), nullptr);
  bare.SetConnected(true);
  EXPECT_TRUE(bare.IsConnected());
  bare.SetConnected(false);
  EXPECT_FALSE(bare.IsConnected());
}

TEST_F(CInfoSlotTest, TheStateIsNotStoredButABlockMadeWhileOnlineShowsIt) {
  doc.SetConnected(true);
  const QByteArray bytes = SaveProject(doc);
  auto offline = LoadProject(bytes);
  ASSERT_NE(offline, nullptr);
  ASSERT_NE(CInfoSlot::Find(offline.get()), nullptr);
  EXPECT_FALSE(CInfoSlot::Find(offline.get())->IsConnected());
  // Loading or starting a new project while the link is up.
  ASSERT_TRUE(LoadProject(doc, bytes));
  EXPECT_TRUE(CInfoSlot::Find(&doc)->IsConnected());
  doc.OnNewDocument();
  EXPECT_TRUE(CInfoSlot::Find(&doc)->IsConnected());
  EXPECT_TRUE(doc.IsConnected());
}

TEST_F(CInfoSlotTest, DeleteIsAlwaysDisabled) {
  CMenuData menu = CMenuResources::Load(info->GetMenuID());
  info->BuildContextMenu(menu);
  info->UpdateMenu(menu);
  const CMenuItem* remove = menu.FindItem(ID_DELETE_OBJECT);
  ASSERT_NE(remove, nullptr);
  EXPECT_EQ(remove->text, "Delete device");
  EXPECT_FALSE(remove->enabled);
  ASSERT_NE(menu.FindItem(ID_SHOW_PROPERTIES), nullptr);
  EXPECT_TRUE(menu.FindItem(ID_SHOW_PROPERTIES)->enabled);
  EXPECT_FALSE(info->OnCommand(ID_DELETE_OBJECT));
  EXPECT_TRUE(doc.Contains(info));
}

TEST_F(CInfoSlotTest, PropertiesOpenTheProjectDataOfItsOwnDocument) {
  CSelvantisDoc active;
  active.OnNewDocument();
  SetActiveDoc(&active);
  bool ran = false;
  DriveNextModal([&](QWidget* w) {
    auto* dialog = qobject_cast<CProjectDataDlg*>(w);
    ASSERT_NE(dialog, nullptr);
    const QList<QLineEdit*> edits = dialog->findChildren<QLineEdit*>();
    ASSERT_FALSE(edits.isEmpty());
    edits.front()->setText(QStringLiteral("Harbour"));
    dialog->accept();
    ran = true;
  });
  EXPECT_TRUE(info->OnCommand(ID_SHOW_PROPERTIES));
  EXPECT_TRUE(ran);
  EXPECT_TRUE(doc.GetProjectDataList().contains(QStringLiteral("Harbour")));
  EXPECT_FALSE(active.GetProjectDataList().contains(QStringLiteral("Harbour")));
}

}  // namespace
