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
#include "shell/cbitmapmanager.h"
#include "support/dialogdriver.h"
#include "support/messagerecorder.h"
#include "unit/caudiooutputslot.h"

#include <QComboBox>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr int kDialogsAmv5410x4 = 33079;
constexpr int kDialogsAmv5120 = 33007;

CAmplifier* DialogsAddAmp(CSelvantisDoc& doc, int kind) {
  auto amp = std::make_unique<CAmplifier>();
  if (!amp->Create(kind, 1, 1, QString(), QRect(0, 0, 60, 80), CAT_AMPLIFIERS, 0, CBaseDevice::TF_NAME, &doc))
    return nullptr;
  return doc.Adopt(std::move(amp));
}

CRelaisTopology* DialogsAddTopology(CSelvantisDoc& doc, int kind, int zones) {
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
  CAmplifier* amp = DialogsAddAmp(m_doc, kDialogsAmv5410x4);
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
  CAmplifier* amp = DialogsAddAmp(m_doc, kDialogsAmv5410x4);
  DriveNextModal([&](QWidget* w) {
    auto* dlg = qobject_cast<CAmplifierPropDlg*>(w);
    ASSERT_NE(dlg, nullptr);
    Choose(dlg->findChild<QComboBox*>("model"), 0);
    // Not applied: the rows still show the amplifier's own model.
    EXPECT_TRUE(dlg->findChild<QComboBox*>("channel2")->isVisibleTo(dlg));
    Choose(dlg->findChild<QComboBox*>("channel1"), 0);
    dlg->findChild<QPushButton*>("cancel")->click();
  });
  EXPECT_FALSE(amp->ShowProperties());
  EXPECT_EQ(amp->GetKind(), kDialogsAmv5410x4);
  EXPECT_TRUE(amp->GetInputConnections().empty());
}

TEST_F(AmplifierDialogsTest, AmplifierTreeAsksBeforeLeavingChangesAndKeepsOffTheRoot) {
  CAmplifier* first = DialogsAddAmp(m_doc, kDialogsAmv5410x4);
  CAmplifier* second = DialogsAddAmp(m_doc, kDialogsAmv5120);
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
  CRelaisTopology* mine = DialogsAddTopology(m_doc, CRelaisTopology::KIND_1INN, 2);
  DialogsAddTopology(m_doc, CRelaisTopology::KIND_1INN, 2);  // relays 3 and 4
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
  CRelaisTopology* topology = DialogsAddTopology(m_doc, CRelaisTopology::KIND_DIRECT, 1);
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
  CRelaisTopology* first = DialogsAddTopology(m_doc, CRelaisTopology::KIND_1INN, 1);
  CRelaisTopology* second = DialogsAddTopology(m_doc, CRelaisTopology::KIND_1INN, 1);
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

namespace {

QImage Picture(const QIcon& icon) {
  return icon.pixmap(QSize(16, 16)).toImage().convertToFormat(QImage::Format_ARGB32);
}

// Picks the item of a list with the keyboard, as the user does.
void PickWithKeys(QComboBox* combo, int index) {
  combo->setFocus();
  QTest::keyClick(combo, Qt::Key_Home);
  for (int i = 0; i < index; ++i) QTest::keyClick(combo, Qt::Key_Down);
}

class AmplifierPropertiesTest : public AmplifierDialogsTest {
 protected:
  void Open(CAmplifier* amp) {
    m_dlg = std::make_unique<CAmplifierPropDlg>(amp);
    m_dlg->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_dlg.get()));
  }
  void TearDown() override {
    if (m_dlg) m_dlg->reject();
    m_dlg.reset();
  }
  template <typename T>
  T* Find(const char* name) const {
    return m_dlg->findChild<T*>(QLatin1String(name));
  }
  bool RowShown(int channel) const {
    return Find<QComboBox>(qPrintable(QStringLiteral("channel%1").arg(channel)))->isVisibleTo(m_dlg.get());
  }

  MessageRecorder m_messages;
  std::unique_ptr<CAmplifierPropDlg> m_dlg;
};

TEST_F(AmplifierPropertiesTest, TheChannelRowsFollowANewModelOnlyAfterApply) {
  CAmplifier* amp = DialogsAddAmp(m_doc, kDialogsAmv5120);
  Open(amp);
  ASSERT_TRUE(RowShown(1));
  ASSERT_FALSE(RowShown(2));
  const QString power = Find<QLabel>("power1")->text();
  // A four-output model picked in the list: the rows still show the
  // amplifier as it is.
  PickWithKeys(Find<QComboBox>("model"), 12);
  ASSERT_EQ(Find<QComboBox>("model")->currentIndex(), 12);
  EXPECT_TRUE(m_dlg->IsApplyEnabled());
  EXPECT_FALSE(RowShown(2));
  EXPECT_EQ(Find<QLabel>("power1")->text(), power);
  QTest::mouseClick(Find<QPushButton>("apply"), Qt::LeftButton);
  EXPECT_EQ(amp->GetKind(), kDialogsAmv5410x4);
  for (int channel = 1; channel <= 4; ++channel) EXPECT_TRUE(RowShown(channel)) << channel;
  EXPECT_EQ(Find<QLabel>("power4")->text(), "100 W");
}

TEST_F(AmplifierPropertiesTest, NotUsedWithApplyKeepsTheStoredSourceNumber) {
  CAmplifier* amp = DialogsAddAmp(m_doc, kDialogsAmv5410x4);
  Open(amp);
  auto* channel = Find<QComboBox>("channel1");
  PickWithKeys(channel, 1);  // OUT2
  QTest::mouseClick(Find<QPushButton>("apply"), Qt::LeftButton);
  ASSERT_NE(amp->FindInputConnection(0), nullptr);
  ASSERT_EQ(amp->GetInputValue(0), 2);
  QTest::keyClick(channel, Qt::Key_End);
  ASSERT_EQ(channel->currentText(), "Not used");
  QTest::mouseClick(Find<QPushButton>("apply"), Qt::LeftButton);
  EXPECT_EQ(amp->FindInputConnection(0), nullptr);
  EXPECT_EQ(amp->GetInputValue(0), 2);
}

TEST_F(AmplifierPropertiesTest, TheTreeShowsClosedAndOpenPictures) {
  DialogsAddAmp(m_doc, kDialogsAmv5120);
  Open(DialogsAddAmp(m_doc, kDialogsAmv5410x4));
  auto* tree = Find<QTreeWidget>("tree");
  QTreeWidgetItem* root = tree->topLevelItem(0);
  ASSERT_TRUE(root->isExpanded());
  const QImage open = Picture(CBitmapManager::Icon(CAmplifierPropDlg::kImageStrip, 1));
  const QImage closed = Picture(CBitmapManager::Icon(CAmplifierPropDlg::kImageStrip, 0));
  EXPECT_EQ(Picture(root->icon(0)), open);
  // The user closes and opens the root with its mark.
  const QPoint mark(tree->indentation() / 2, tree->visualItemRect(root).center().y());
  QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, mark);
  ASSERT_FALSE(root->isExpanded());
  EXPECT_EQ(Picture(root->icon(0)), closed);
  QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, mark);
  ASSERT_TRUE(root->isExpanded());
  EXPECT_EQ(Picture(root->icon(0)), open);
  // Folder pictures, as the other object trees show them, and none of the
  // amplifiers' own.
  EXPECT_EQ(closed, Picture(CBitmapManager::Icon(CRelayTopologiesDlg::kImageStrip, 0)));
  EXPECT_EQ(open, Picture(CBitmapManager::Icon(CRelayTopologiesDlg::kImageStrip, 1)));
  for (int outputs = 1; outputs <= 4; ++outputs) {
    const QImage amp = Picture(CBitmapManager::Icon(CAmplifierPropDlg::kImageStrip, outputs + 1));
    EXPECT_NE(amp, open) << outputs;
    EXPECT_NE(amp, closed) << outputs;
  }
}

}  // namespace
