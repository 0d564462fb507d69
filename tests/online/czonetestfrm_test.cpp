// The line-test window in the editor host: the zone list's polling, refresh
// chain, edits and measurement buttons through the recording link, and the
// zone test form's switches stored in the zone-test object.
#include "online/czonetestfrm.h"

#include "editors/lists/listmousesupport.h"
#include "macros/czonetestobject.h"
#include "macros/ui/clinetestdlg.h"
#include "model/cstringtable.h"
#include "model/ctext.h"
#include "online/czonelistview.h"
#include "online/czonetestpane.h"
#include "online/czonetestview.h"
#include "shell/controls/cframehostdialog.h"
#include "support/dialogdriver.h"
#include "support/messagerecorder.h"
#include "support/tempprofile.h"
#include "zonetestsupport.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTest>
#include <QTimeEdit>
#include <QTreeWidgetItem>

namespace {

class CZonetestFrmTest : public ZoneListTest {
 protected:
  CZonetestFrm* Open() {
    m_host = std::make_unique<CFrameHostDialog>(&m_doc, HostFrameKind::LineTest);
    m_host->show();
    return qobject_cast<CZonetestFrm*>(m_host->GetFrame());
  }
  void TearDown() override {
    if (m_host) m_host->reject();
    m_host.reset();
    ZoneListTest::TearDown();
  }
  template <typename T>
  T* Control(CZonetestFrm* frame, int id) {
    return qobject_cast<T*>(frame->FormView()->Control(id));
  }
  CZonetestObject* Object() { return CZonetestObject::Find(&m_doc); }

  TempProfile m_profile;
  MessageRecorder m_messages;
  std::unique_ptr<CFrameHostDialog> m_host;
};

TEST_F(CZonetestFrmTest, OffLineNothingPollsAndMeasurementStaysDisabled) {
  MakeZones(3, 2);
  Connect(false);
  CZonetestFrm* frame = Open();
  ASSERT_NE(frame, nullptr);
  CZoneListView* list = frame->ListView();
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->topLevelItemCount(), 2);
  EXPECT_FALSE(list->IsPolling());
  EXPECT_FALSE(frame->Action(34614)->isEnabled());
  EXPECT_FALSE(frame->Action(34611)->isEnabled());
  EXPECT_FALSE(frame->Action(34626)->isEnabled());
  EXPECT_FALSE(Control<QPushButton>(frame, 1551)->isEnabled());
  for (int id : {1693, 1694, 1695, 1696, 1724}) EXPECT_FALSE(Control<QWidget>(frame, id)->isEnabled()) << id;
}

TEST_F(CZonetestFrmTest, ZoneListPaneIsTwoHundredTwentyPixelsHigh) {
  MakeZones(3, 2);
  m_host = std::make_unique<CFrameHostDialog>(&m_doc, HostFrameKind::LineTest);
  m_host->resize(900, 700);
  m_host->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(m_host.get()));
  auto* frame = qobject_cast<CZonetestFrm*>(m_host->GetFrame());
  ASSERT_NE(frame, nullptr);
  ASSERT_GT(frame->Pane()->height(), CZonetestPane::kListHeight + 50);
  EXPECT_EQ(frame->ListView()->height(), CZonetestPane::kListHeight);
  // A taller window gives the room to the form.
  m_host->resize(900, 900);
  QTest::qWait(0);
  QCoreApplication::processEvents();
  EXPECT_EQ(frame->ListView()->height(), CZonetestPane::kListHeight);
}

// With the line test off the output and both console lists open disabled,
// even while the impedance test is on.
TEST_F(CZonetestFrmTest, ImpedanceTestAloneOpensWithTheListsDisabled) {
  Connect(false);
  CZonetestFrm* probe = Open();
  ASSERT_NE(probe, nullptr);
  ASSERT_NE(Object(), nullptr);
  m_host->reject();
  m_host.reset();
  Object()->SetParam(CZonetestObject::P_LINETEST, 0);
  Object()->SetParam(CZonetestObject::P_IMPTEST, 1);
  CZonetestFrm* frame = Open();
  ASSERT_NE(frame, nullptr);
  EXPECT_TRUE(Control<QCheckBox>(frame, 1214)->isChecked());
  EXPECT_FALSE(Control<QCheckBox>(frame, 1697)->isChecked());
  EXPECT_FALSE(Control<QComboBox>(frame, 1041)->isEnabled());
  EXPECT_FALSE(Control<QComboBox>(frame, 1040)->isEnabled());
  EXPECT_FALSE(Control<QComboBox>(frame, 1698)->isEnabled());
  // Switching the impedance test off and on again enables them as usual.
  Control<QCheckBox>(frame, 1214)->click();
  Control<QCheckBox>(frame, 1214)->click();
  EXPECT_TRUE(Control<QComboBox>(frame, 1041)->isEnabled());
  EXPECT_TRUE(Control<QComboBox>(frame, 1040)->isEnabled());
}

TEST_F(CZonetestFrmTest, PollSendsTheFourStatusQueries) {
  MakeZones(1, 1);
  Connect();
  CZonetestFrm* frame = Open();
  ASSERT_NE(frame, nullptr);
  EXPECT_TRUE(frame->ListView()->IsPolling());
  m_link.Clear();
  frame->ListView()->OnTimer(CZoneListView::kTimerId);
  EXPECT_EQ(m_link.Lines(), (QStringList{"/SERVICE/ZONETEST/MODE ?", "/SERVICE/ZONETEST/ACTIVE ?",
                                         "/SERVICE/ZONETEST/FAULT ?", "/SERVICE/ZONETEST/GNDFLT ?"}));
  ASSERT_TRUE(m_link.DeliverReply(
      {"/SERVICE/ZONETEST/MODE TEST", "/SERVICE/ZONETEST/ACTIVE 1-3", "/SERVICE/ZONETEST/FAULT 1"}));
  EXPECT_EQ(frame->ModePane()->text(), LoadString(34577) + " (1-3 )");
  EXPECT_EQ(frame->ListView()->topLevelItem(0)->text(11), LoadString(34565));
}

TEST_F(CZonetestFrmTest, RefreshDisplayQueriesRowByRowThenReenablesTheButtons) {
  MakeZones(3, 3);
  Connect();
  CZonetestFrm* frame = Open();
  ASSERT_NE(frame, nullptr);
  CZoneListView* list = frame->ListView();
  m_link.Clear();
  frame->Action(34626)->trigger();
  EXPECT_FALSE(frame->Action(34626)->isEnabled());
  EXPECT_FALSE(frame->Action(34614)->isEnabled());
  EXPECT_FALSE(list->IsPolling());
  ASSERT_EQ(m_link.Lines().size(), 9);
  EXPECT_EQ(m_link.Lines().first(), "/VMX/ZONE1/TEST/MEAS ?");
  for (int zone = 1; zone <= 3; ++zone) {
    m_link.Clear();
    ASSERT_TRUE(m_link.DeliverReply({Fmt("/VMX/ZONE%d/TEST/REF 4.5", zone), Fmt("/VMX/ZONE%d/IMP/REF 8", zone)}));
    if (zone < 3) {
      ASSERT_EQ(m_link.Lines().size(), 9);
      EXPECT_EQ(m_link.Lines().first(), Fmt("/VMX/ZONE%d/TEST/MEAS ?", zone + 1));
    }
  }
  EXPECT_TRUE(m_link.Lines().isEmpty());
  EXPECT_EQ(list->topLevelItem(2)->text(7), "4.5");
  EXPECT_EQ(list->topLevelItem(2)->text(9), "8");
  EXPECT_TRUE(frame->Action(34626)->isEnabled());
  EXPECT_TRUE(frame->Action(34614)->isEnabled());
  EXPECT_TRUE(list->IsPolling());
}

TEST_F(CZonetestFrmTest, EditingNegativeToleranceOfSelectedRowsClampsAndShows) {
  MakeZones(3, 3);
  Connect();
  CZonetestFrm* frame = Open();
  ASSERT_NE(frame, nullptr);
  CZoneListView* list = frame->ListView();
  list->SelectAllRows();
  list->OnDblClk(1, 4);
  ASSERT_NE(list->ActiveEditor(), nullptr);
  list->OnEndLabelEdit(1, 4, "150", false);
  for (int r = 0; r < 3; ++r) {
    EXPECT_EQ(m_zones[r]->GetNegativeTolerance(), 100);
    EXPECT_EQ(list->topLevelItem(r)->text(4), "100");
  }
  list->OnEndLabelEdit(1, 4, "7", true);
  EXPECT_EQ(m_zones[0]->GetNegativeTolerance(), 100);
}

// The user's double click on a cell of one of several selected rows: the
// clicks narrow the selection to that row, the edit still goes to all.
TEST_F(CZonetestFrmTest, DoubleClickKeepsTheSelectedRowsForTheEdit) {
  MakeZones(3, 3);
  Connect();
  CZonetestFrm* frame = Open();
  ASSERT_NE(frame, nullptr);
  CZoneListView* list = frame->ListView();
  ListMouse mouse(list);
  ASSERT_TRUE(mouse.Ready());
  list->SelectAllRows();
  mouse.DoubleClick(1, 4);
  ASSERT_NE(list->ActiveEditor(), nullptr);
  EXPECT_EQ(list->SelectedRows(), (std::vector<int>{0, 1, 2}));
  list->OnEndLabelEdit(1, 4, "42", false);
  for (int r = 0; r < 3; ++r) EXPECT_EQ(m_zones[r]->GetNegativeTolerance(), 42) << r;
  EXPECT_FALSE(list->IsRenamePending());
}

TEST_F(CZonetestFrmTest, IgnoreChoiceGoesToTheSelectedRows) {
  MakeZones(2, 2);
  CZonetestFrm* frame = Open();
  ASSERT_NE(frame, nullptr);
  CZoneListView* list = frame->ListView();
  ListChoiceRequest asked;
  list->SetChooser([&](const ListChoiceRequest& request) {
    asked = request;
    return std::optional<ListChoice>(ListChoice{CZone::IGN_NEGTOL, QString()});
  });
  list->SelectAllRows();
  list->OnDblClk(0, 2);
  EXPECT_EQ(asked.kind, 34600u);
  EXPECT_TRUE(asked.multiple);
  EXPECT_EQ(m_zones[1]->GetIgnoreText(), m_zones[0]->GetIgnoreText());
  EXPECT_EQ(list->topLevelItem(1)->text(2), m_zones[1]->GetColumnText(CZone::COL_IGNORE_DISPLAY));
}

TEST_F(CZonetestFrmTest, MeasurementButtonsSendTheSelectedZones) {
  MakeZones(7, 7);
  Connect();
  CZonetestFrm* frame = Open();
  ASSERT_NE(frame, nullptr);
  auto* activate = Control<QPushButton>(frame, 1551);
  ASSERT_TRUE(activate->isEnabled());
  activate->click();
  EXPECT_TRUE(Control<QWidget>(frame, 1694)->isEnabled());
  CZoneListView* list = frame->ListView();
  for (int r : {0, 1, 2, 6}) list->topLevelItem(r)->setSelected(true);
  m_link.Clear();
  Control<QPushButton>(frame, 1694)->click();
  Control<QPushButton>(frame, 1695)->click();
  EXPECT_EQ(m_link.Lines(), (QStringList{"/SERVICE/ZONETEST/TEST/MEAS 1-3,7", "/SERVICE/ZONETEST/IMP/REF 1-3,7"}));
  Control<QPushButton>(frame, 1724)->click();
  EXPECT_EQ(list->SelectedRows().size(), 7u);
  activate->click();
  EXPECT_FALSE(Control<QWidget>(frame, 1694)->isEnabled());
}

TEST_F(CZonetestFrmTest, SwitchingTheLineTestOffResetsOutputAndConsoles) {
  CZonetestFrm* frame = Open();
  ASSERT_NE(frame, nullptr);
  ASSERT_NE(Object(), nullptr);
  auto* line = Control<QCheckBox>(frame, 1697);
  auto* consoles = Control<QComboBox>(frame, 1698);
  line->click();
  EXPECT_TRUE(line->isChecked());
  EXPECT_EQ(Object()->GetParam(CZonetestObject::P_LINETEST), 1);
  EXPECT_TRUE(consoles->isEnabled());
  ASSERT_GE(consoles->count(), 2);
  emit consoles->activated(1);
  EXPECT_EQ(Object()->GetParam(CZonetestObject::P_LINE_CONS), -1);
  line->click();
  EXPECT_EQ(Object()->GetParam(CZonetestObject::P_LINETEST), 0);
  EXPECT_EQ(Object()->GetParam(CZonetestObject::P_LINE_CONS), 0);
  EXPECT_EQ(Object()->GetParam(CZonetestObject::P_TIME), 0);
  EXPECT_EQ(consoles->currentIndex(), 0);
  EXPECT_FALSE(consoles->isEnabled());
  EXPECT_FALSE(Control<QComboBox>(frame, 1041)->isEnabled());
}

TEST_F(CZonetestFrmTest, ChangingTheTimeStoresItWithoutLeavingThePicker) {
  CZonetestFrm* frame = Open();
  ASSERT_NE(frame, nullptr);
  ASSERT_NE(Object(), nullptr);
  Control<QCheckBox>(frame, 1697)->click();
  auto* time = Control<QTimeEdit>(frame, 1644);
  ASSERT_TRUE(time->isEnabled());
  const int before = Object()->GetParam(CZonetestObject::P_TIME) % CZonetestObject::kSecondsPerDay;
  // One hour up with the arrow key, the picker keeping the focus: a window
  // closed now must not lose the change.
  time->setCurrentSection(QDateTimeEdit::HourSection);
  QTest::keyClick(time, Qt::Key_Up);
  const int expected = (before + 3600) % CZonetestObject::kSecondsPerDay;
  EXPECT_EQ(time->time().msecsSinceStartOfDay() / 1000, expected);
  EXPECT_EQ(Object()->GetParam(CZonetestObject::P_TIME) % CZonetestObject::kSecondsPerDay, expected);
}

}  // namespace

namespace {

TEST_F(CZonetestFrmTest, DownloadZoneDataSendsEveryListedZoneAndTheZonetestObject) {
  MakeZones(2, 2);
  Connect();
  CZonetestFrm* frame = Open();
  ASSERT_NE(frame, nullptr);
  m_link.Clear();
  frame->Action(34614)->trigger();
  const QStringList lines = m_link.Lines();
  EXPECT_TRUE(lines.filter("/VMX/ZONE1/").size() > 0);
  EXPECT_TRUE(lines.filter("/VMX/ZONE2/").size() > 0);
  EXPECT_TRUE(lines.filter("/SERVICE/ZONETEST/").size() > 0);
  EXPECT_EQ(m_link.GetLinkMode(), LINKMODE_NORMAL);
  EXPECT_TRUE(frame->ListView()->IsPolling());
  EXPECT_TRUE(m_messages.Requests().empty());
}

}  // namespace

namespace {

TEST_F(CZonetestFrmTest, LineTestPropertiesOpensTheDialogAndTheFormShowsItsValues) {
  CZonetestFrm* frame = Open();
  ASSERT_NE(frame, nullptr);
  ASSERT_NE(Object(), nullptr);
  auto* line = Control<QCheckBox>(frame, 1697);
  auto* consoles = Control<QComboBox>(frame, 1698);
  auto* time = Control<QTimeEdit>(frame, 1644);
  ASSERT_FALSE(line->isChecked());
  ASSERT_FALSE(consoles->isEnabled());
  bool ran = false;
  DriveNextModal([&](QWidget* w) {
    auto* dlg = qobject_cast<CLineTestDlg*>(w);
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(dlg->parentWidget(), frame);
    dlg->findChild<QCheckBox*>("lineTest")->click();
    dlg->findChild<QTimeEdit*>("time")->setTime(QTime(4, 20));
    auto* dlgConsoles = dlg->findChild<QComboBox*>("lineConsoles");
    dlgConsoles->setCurrentIndex(1);
    emit dlgConsoles->activated(1);
    // The form stores at once, the dialog only on OK.
    EXPECT_EQ(Object()->GetParam(CZonetestObject::P_LINETEST), 0);
    dlg->findChild<QDialogButtonBox*>("buttons")->button(QDialogButtonBox::Ok)->click();
    ran = true;
  });
  frame->Action(CZonetestFrm::kLineTestProperties)->trigger();
  EXPECT_TRUE(ran);
  EXPECT_EQ(Object()->GetParam(CZonetestObject::P_LINETEST), 1);
  EXPECT_EQ(Object()->GetParam(CZonetestObject::P_LINE_CONS), -1);
  EXPECT_TRUE(line->isChecked());
  EXPECT_TRUE(consoles->isEnabled());
  EXPECT_EQ(consoles->currentIndex(), 1);
  EXPECT_TRUE(time->isEnabled());
  EXPECT_EQ(time->time(), QTime(4, 20));
  EXPECT_TRUE(Control<QComboBox>(frame, 1041)->isEnabled());
}

TEST_F(CZonetestFrmTest, LineTestPropertiesCancelledLeavesObjectAndForm) {
  MakeZones(1, 1);
  Connect();
  CZonetestFrm* frame = Open();
  ASSERT_NE(frame, nullptr);
  // A measurement under way is not interrupted by the dialog.
  auto* activate = Control<QPushButton>(frame, 1551);
  activate->click();
  ASSERT_TRUE(Control<QWidget>(frame, 1694)->isEnabled());
  DriveNextModal([&](QWidget* w) {
    w->findChild<QCheckBox*>("lineTest")->click();
    qobject_cast<CLineTestDlg*>(w)->reject();
  });
  frame->Action(CZonetestFrm::kLineTestProperties)->trigger();
  EXPECT_EQ(Object()->GetParam(CZonetestObject::P_LINETEST), 0);
  EXPECT_FALSE(Control<QCheckBox>(frame, 1697)->isChecked());
  EXPECT_TRUE(activate->isChecked());
  EXPECT_TRUE(Control<QWidget>(frame, 1694)->isEnabled());
  EXPECT_TRUE(m_messages.Requests().empty());
}

}  // namespace
