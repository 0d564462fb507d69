// The amplifier properties and relay topologies dialogs, driven offscreen:
// OK applies, Cancel leaves the model alone, switching the tree with pending
// changes asks first, and refused relay numbers keep the dialog open.

#include "amps/camplifier.h"
#include "amps/crelaistopology.h"
#include "amps/czone.h"
#include "amps/ui/camplifierpropdlg.h"
#include "amps/ui/crelaytopologiesdlg.h"
#include "model/commandids.h"
#include "model/cselvantisdoc.h"
#include "support/dialogdriver.h"
#include "support/messagerecorder.h"
#include "unit/caudiooutputslot.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr int kAmv5410x4 = 33079;
constexpr int kAmv5120 = 33007;

CAmplifier* AddAmp(CSelvantisDoc& doc, int kind) {
  auto amp = std::make_unique<CAmplifier>();
  if (!amp->Create(kind, 1, 1, QString(), QRect(0, 0, 60, 80), CAT_AMPLIFIERS, 0, CBaseDevice::TF_NAME, &doc))
    return nullptr;
  return doc.Adopt(std::move(amp));
}

CRelaisTopology* AddTopology(CSelvantisDoc& doc, int kind, int zones) {
  auto topology = std::make_unique<CRelaisTopology>();
  if (!topology->Create(kind, CRelaisTopology::InputCountOfKind(kind), zones, QString(), QRect(10, 20, 0, 0),
                        CAT_TOPOLOGIES, 0, 3, &doc))
    return nullptr;
  return doc.Adopt(std::move(topology));
}

// Chooses an item the way the user does (activated fires only for the user).
void Choose(QComboBox* combo, int index) {
  ASSERT_NE(combo, nullptr);
  combo->setCurrentIndex(index);
  emit combo->activated(index);
}

void Type(QLineEdit* edit, const QString& text) {
  ASSERT_NE(edit, nullptr);
  edit->setText(text);
  emit edit->textEdited(text);
}

QTreeWidgetItem* TreeItem(QTreeWidget* tree, int child) { return tree->topLevelItem(0)->child(child); }

class AmplifierDialogsTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(m_doc.OnNewDocument()); }
  CSelvantisDoc m_doc;
};

}  // namespace

TEST_F(AmplifierDialogsTest, AmplifierPropertiesOkWiresTheChosenOutput) {
  CAmplifier* amp = AddAmp(m_doc, kAmv5410x4);
  ASSERT_TRUE(CBaseDevice::HasPropertiesHandler(DT_AMPLIFIER));
  bool ran = false;
  DriveNextModal([&](QWidget* w) {
    auto* dlg = qobject_cast<CAmplifierPropDlg*>(w);
    ASSERT_NE(dlg, nullptr);
    EXPECT_FALSE(dlg->IsApplyEnabled());
    auto* model = dlg->findChild<QComboBox*>("model");
    EXPECT_EQ(model->currentIndex(), 12);
    EXPECT_EQ(dlg->findChild<QPushButton*>("address")->text(), "Address");
    EXPECT_FALSE(dlg->findChild<QPushButton*>("address")->isEnabled());
    EXPECT_FALSE(dlg->findChild<QPushButton*>("advanced")->isEnabled());
    EXPECT_EQ(dlg->findChild<QLabel*>("power4")->text(), "100 W");
    auto* channel = dlg->findChild<QComboBox*>("channel2");
    EXPECT_EQ(channel->currentText(), "Not used");
    Choose(channel, 2);
    EXPECT_TRUE(dlg->IsApplyEnabled());
    dlg->findChild<QPushButton*>("ok")->click();
    ran = true;
  });
  EXPECT_TRUE(amp->OnCommand(ID_SHOW_PROPERTIES));
  EXPECT_TRUE(ran);
  const ConnectionRecord* in = amp->FindInputConnection(1);
  ASSERT_NE(in, nullptr);
  EXPECT_EQ(in->pPeer, m_doc.GetIDManager().FindBaseDevice(2, DT_AUDIOOUTPUTSLOT));
  EXPECT_EQ(in->nPeerPin, 0);
}

TEST_F(AmplifierDialogsTest, AmplifierPropertiesCancelLeavesTheAmplifier) {
  CAmplifier* amp = AddAmp(m_doc, kAmv5410x4);
  DriveNextModal([&](QWidget* w) {
    auto* dlg = qobject_cast<CAmplifierPropDlg*>(w);
    ASSERT_NE(dlg, nullptr);
    Choose(dlg->findChild<QComboBox*>("model"), 0);
    EXPECT_FALSE(dlg->findChild<QComboBox*>("channel2")->isVisibleTo(dlg));
    Choose(dlg->findChild<QComboBox*>("channel1"), 0);
    dlg->findChild<QPushButton*>("cancel")->click();
  });
  EXPECT_FALSE(amp->ShowProperties());
  EXPECT_EQ(amp->GetKind(), kAmv5410x4);
  EXPECT_TRUE(amp->GetInputConnections().empty());
}

TEST_F(AmplifierDialogsTest, AmplifierTreeAsksBeforeLeavingChangesAndKeepsOffTheRoot) {
  CAmplifier* first = AddAmp(m_doc, kAmv5410x4);
  CAmplifier* second = AddAmp(m_doc, kAmv5120);
  MessageRecorder messages;
  CAmplifierPropDlg dlg(first);
  dlg.show();
  auto* tree = dlg.findChild<QTreeWidget*>("tree");
  ASSERT_EQ(tree->topLevelItem(0)->childCount(), 2);
  EXPECT_EQ(tree->currentItem(), TreeItem(tree, 0));

  Choose(dlg.findChild<QComboBox*>("channel1"), 0);
  messages.QueueAnswer(IDNO);
  tree->setCurrentItem(TreeItem(tree, 1));
  EXPECT_TRUE(messages.Saw(32791));
  EXPECT_EQ(dlg.State().GetAmplifier(), second);
  EXPECT_FALSE(dlg.IsApplyEnabled());
  EXPECT_TRUE(first->GetInputConnections().empty());  // "No" drops the change
  EXPECT_TRUE(dlg.findChild<QComboBox*>("model")->isVisibleTo(&dlg));
  EXPECT_FALSE(dlg.findChild<QComboBox*>("channel2")->isVisibleTo(&dlg));

  tree->setCurrentItem(tree->topLevelItem(0));
  EXPECT_EQ(tree->currentItem(), TreeItem(tree, 1));
  EXPECT_EQ(dlg.State().GetAmplifier(), second);

  Choose(dlg.findChild<QComboBox*>("channel1"), 3);
  messages.Clear();
  messages.QueueAnswer(IDYES);
  tree->setCurrentItem(TreeItem(tree, 0));
  EXPECT_TRUE(messages.Saw(32791));
  ASSERT_NE(second->FindInputConnection(0), nullptr);
  EXPECT_EQ(second->FindInputConnection(0)->nPeerPin, 1);
  dlg.reject();
}

TEST_F(AmplifierDialogsTest, TopologyRefusesAnotherTopologysRelayAndStaysOpen) {
  CRelaisTopology* mine = AddTopology(m_doc, CRelaisTopology::KIND_1INN, 2);
  AddTopology(m_doc, CRelaisTopology::KIND_1INN, 2);  // relays 3 and 4
  CRelayTopologiesDlg dlg(mine);
  dlg.show();
  auto* first = dlg.findChild<QLineEdit*>("firstRelay");
  EXPECT_EQ(first->text(), "1");
  EXPECT_FALSE(dlg.findChild<QLineEdit*>("pageRelay")->isVisibleTo(&dlg));
  EXPECT_FALSE(dlg.findChild<QComboBox*>("input2")->isVisibleTo(&dlg));

  Type(first, "3");
  EXPECT_EQ(first->palette().color(QPalette::Text), QColor(Qt::red));
  EXPECT_TRUE(dlg.IsApplyEnabled());
  dlg.findChild<QPushButton*>("ok")->click();
  EXPECT_TRUE(dlg.isVisible());
  EXPECT_EQ(first->selectedText(), "3");
  EXPECT_EQ(mine->GetZoneOnPin(0)->GetRelayNumber(1), 1);

  Type(first, "8");
  EXPECT_EQ(first->palette().color(QPalette::Text), QColor(Qt::black));
  dlg.findChild<QPushButton*>("apply")->click();
  EXPECT_FALSE(dlg.IsApplyEnabled());
  EXPECT_EQ(mine->GetZoneOnPin(0)->GetRelayNumber(1), 8);
  EXPECT_EQ(mine->GetZoneOnPin(1)->GetRelayNumber(1), 9);
  dlg.reject();
}

TEST_F(AmplifierDialogsTest, TopologyKindChoiceShowsItsControlsAndOkApplies) {
  CRelaisTopology* topology = AddTopology(m_doc, CRelaisTopology::KIND_DIRECT, 1);
  bool ran = false;
  DriveNextModal([&](QWidget* w) {
    auto* dlg = qobject_cast<CRelayTopologiesDlg*>(w);
    ASSERT_NE(dlg, nullptr);
    EXPECT_FALSE(dlg->findChild<QLineEdit*>("firstRelay")->isVisibleTo(dlg));
    Choose(dlg->findChild<QComboBox*>("kind"), 2);
    EXPECT_TRUE(dlg->findChild<QLineEdit*>("firstRelay")->isVisibleTo(dlg));
    EXPECT_TRUE(dlg->findChild<QLineEdit*>("pageRelay")->isVisibleTo(dlg));
    EXPECT_TRUE(dlg->findChild<QComboBox*>("input2")->isVisibleTo(dlg));
    EXPECT_EQ(dlg->findChild<QLabel*>("firstRelayLabel")->text(), "First background relay");
    Type(dlg->findChild<QLineEdit*>("zones"), "2");
    Type(dlg->findChild<QLineEdit*>("firstRelay"), "20");
    Type(dlg->findChild<QLineEdit*>("pageRelay"), "30");
    dlg->findChild<QPushButton*>("ok")->click();
    ran = true;
  });
  EXPECT_TRUE(topology->ShowProperties());
  EXPECT_TRUE(ran);
  EXPECT_EQ(topology->GetKind(), CRelaisTopology::KIND_PROGPAGE);
  ASSERT_EQ(topology->GetZoneCount(), 2);
  EXPECT_EQ(topology->GetZoneOnPin(1)->GetRelayNumber(1), 21);
  EXPECT_EQ(topology->GetZoneOnPin(1)->GetRelayNumber(2), 31);
}

TEST_F(AmplifierDialogsTest, TopologyTreeNoDropsChangesAndRootKeepsSelection) {
  CRelaisTopology* first = AddTopology(m_doc, CRelaisTopology::KIND_1INN, 1);
  CRelaisTopology* second = AddTopology(m_doc, CRelaisTopology::KIND_1INN, 1);
  MessageRecorder messages;
  CRelayTopologiesDlg dlg(first);
  dlg.show();
  auto* tree = dlg.findChild<QTreeWidget*>("tree");
  EXPECT_EQ(tree->topLevelItem(0)->text(0), "Topology");
  Type(dlg.findChild<QLineEdit*>("zones"), "3");
  messages.QueueAnswer(IDNO);
  tree->setCurrentItem(TreeItem(tree, 1));
  EXPECT_TRUE(messages.Saw(32791));
  EXPECT_EQ(dlg.State().GetTopology(), second);
  EXPECT_EQ(first->GetZoneCount(), 1);
  tree->setCurrentItem(tree->topLevelItem(0));
  EXPECT_EQ(tree->currentItem(), TreeItem(tree, 1));

  // "Yes" with a refused edit stays on the topology to correct it.
  Type(dlg.findChild<QLineEdit*>("zones"), "0");
  messages.QueueAnswer(IDYES);
  tree->setCurrentItem(TreeItem(tree, 0));
  EXPECT_EQ(dlg.State().GetTopology(), second);
  EXPECT_EQ(tree->currentItem(), TreeItem(tree, 1));
  dlg.reject();
}
