// Renaming objects through the labels of an object tree: the object decides,
// the label shows what the object is called afterwards.
#include "model/cbasedevice.h"
#include "model/cselvantisdoc.h"
#include "shell/controls/cobjecttreectrl.h"
#include "shell/controls/qstringprinter.h"
#include "support/messagerecorder.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidgetItem>

#include <gtest/gtest.h>

#include <memory>

namespace {

class TestDevice final : public CBaseDevice {
 public:
  explicit TestDevice(int type) { SetType(type); }
  const char* GetClassName() const override { return "ObjectTreeTestDevice"; }
};

CBaseDevice* AddDevice(CSelvantisDoc& doc, int type, int id, const QString& name) {
  auto device = std::make_unique<TestDevice>(type);
  if (!device->CreateWithID(0, name, id, CAT_ENTRIES, &doc)) {
    return nullptr;
  }
  return doc.AddObject(std::move(device));
}

class ObjectTreeTest : public testing::Test {
 protected:
  void SetUp() override {
    m_hall = AddDevice(m_doc, DT_ZONE, 1, "Hall");
    m_foyer = AddDevice(m_doc, DT_ZONE, 2, "Foyer");
    ASSERT_TRUE(m_hall && m_foyer);
    m_tree.SetDocument(&m_doc);
    m_hallItem = m_tree.AddObjectItem(m_hall);
    m_foyerItem = m_tree.AddObjectItem(m_foyer);
  }
  CSelvantisDoc m_doc;
  CObjectTreeCtrl m_tree;
  CBaseDevice* m_hall = nullptr;
  CBaseDevice* m_foyer = nullptr;
  QTreeWidgetItem* m_hallItem = nullptr;
  QTreeWidgetItem* m_foyerItem = nullptr;
};

TEST_F(ObjectTreeTest, ItemsShowTheirObjects) {
  EXPECT_EQ(m_hallItem->text(0), "Hall");
  EXPECT_EQ(CObjectTreeCtrl::ObjectOf(m_foyerItem), m_foyer);
  EXPECT_EQ(m_tree.FindObjectItem(m_foyer), m_foyerItem);
  EXPECT_EQ(CObjectTreeCtrl::ObjectOf(nullptr), nullptr);
}

TEST_F(ObjectTreeTest, AcceptedLabelRenamesTheObject) {
  MessageRecorder messages;
  EXPECT_TRUE(m_tree.RenameFromLabel(m_hallItem, "Main hall"));
  EXPECT_EQ(m_hall->GetName(), "Main hall");
  EXPECT_EQ(m_hallItem->text(0), "Main hall");
  EXPECT_TRUE(messages.Requests().empty());
}

TEST_F(ObjectTreeTest, RefusedLabelsKeepTheOldNameAndTellTheUser) {
  MessageRecorder messages;
  EXPECT_FALSE(m_tree.RenameFromLabel(m_hallItem, "Foyer"));  // another object's name
  EXPECT_TRUE(messages.Saw(34267));
  EXPECT_FALSE(m_tree.RenameFromLabel(m_hallItem, ""));
  EXPECT_TRUE(messages.Saw(34212));
  EXPECT_EQ(m_hall->GetName(), "Hall");
  EXPECT_EQ(m_hallItem->text(0), "Hall");
  // The unchanged name is no rename and no message.
  messages.Clear();
  EXPECT_FALSE(m_tree.RenameFromLabel(m_hallItem, "Hall"));
  EXPECT_TRUE(messages.Requests().empty());
}

TEST_F(ObjectTreeTest, EditingTheLabelInTheTreeRenames) {
  MessageRecorder messages;
  m_tree.show();
  m_tree.setCurrentItem(m_foyerItem);
  m_tree.editItem(m_foyerItem, 0);
  auto* editor = m_tree.findChild<QLineEdit*>();
  ASSERT_NE(editor, nullptr);
  editor->setText("Entrance");
  QTest::keyClick(editor, Qt::Key_Return);
  QApplication::processEvents();  // the item delegate commits on the next turn
  EXPECT_EQ(m_foyer->GetName(), "Entrance");
  EXPECT_EQ(m_foyerItem->text(0), "Entrance");

  // A refused name leaves the label as it was.
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // the first editor goes
  m_tree.editItem(m_foyerItem, 0);
  editor = m_tree.findChild<QLineEdit*>();
  ASSERT_NE(editor, nullptr);
  editor->setText("Hall");
  QTest::keyClick(editor, Qt::Key_Return);
  QApplication::processEvents();
  QApplication::processEvents();  // the item delegate commits on the next turn
  EXPECT_EQ(m_foyer->GetName(), "Entrance");
  EXPECT_EQ(m_foyerItem->text(0), "Entrance");
  EXPECT_TRUE(messages.Saw(34267));
}

TEST_F(ObjectTreeTest, ItemsOfADeletedObjectDisappear) {
  m_tree.AddObjectItem(m_foyer, m_hallItem);  // the foyer also shown under the hall
  m_tree.AddObjectItem(m_hall, m_hallItem);   // and the hall inside itself
  ASSERT_TRUE(m_doc.DeleteObject(m_hall));
  EXPECT_EQ(m_tree.FindObjectItem(m_hall), nullptr);
  ASSERT_EQ(m_tree.topLevelItemCount(), 1);
  EXPECT_EQ(m_tree.topLevelItem(0)->text(0), "Foyer");
}

}  // namespace
