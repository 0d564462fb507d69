// The fault window: what it stores for the source, latch and console
// controls, what its buttons send, how the poll reads the unit's answers,
// and its transfers.
#include "online/cfaultdlgfrm.h"

#include "consoles/cconsole.h"
#include "consoles/cconsprop.h"
#include "logic/cfault.h"
#include "online/cfaultdlgview.h"
#include "online/cfaultwindowstate.h"
#include "online/cstatuslamp.h"
#include "online/onlinetestsupport.h"
#include "shell/controls/cframehostdialog.h"
#include "support/messagerecorder.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRect>
#include <QToolBar>

namespace {

class CFaultDlgFrmTest : public OnlineTest {
 protected:
  CFaultDlgFrm* Open() {
    m_host = std::make_unique<CFrameHostDialog>(&m_doc, HostFrameKind::Faults);
    m_host->show();
    return qobject_cast<CFaultDlgFrm*>(m_host->GetFrame());
  }
  void TearDown() override {
    if (m_host) m_host->reject();
    m_host.reset();
    OnlineTest::TearDown();
  }
  CFault* Fault() { return dynamic_cast<CFault*>(m_doc.GetIDManager().FindBaseDevice(1, DT_FAULT)); }
  // The answers of a poll, as the unit sends them after the echo.
  void Answer(const QString& active, const QString& state, const QString& manual) {
    m_link.SetAnswer("/FAULT/ACTIVE ?", active);
    m_link.SetAnswer("/FAULT/STATE ?", state);
    m_link.SetAnswer("/FAULT/MANUAL ?", manual);
  }

  MessageRecorder m_messages;
  std::unique_ptr<CFrameHostDialog> m_host;
};

TEST_F(CFaultDlgFrmTest, AnswerValueIsTheTextAfterTheLastBlank) {
  EXPECT_EQ(CFaultWindowState::AnswerValue("/FAULT/ACTIVE AMP,CONS \r\n"), "AMP,CONS");
  EXPECT_EQ(CFaultWindowState::AnswerValue("TRUE"), "TRUE");
  EXPECT_EQ(CFaultWindowState::AnswerValue("/FAULT/STATE ?\r\n/FAULT/STATE TRUE\r\n"), "TRUE");
  EXPECT_EQ(CFaultWindowState::AnswerValue(""), "");
}

TEST_F(CFaultDlgFrmTest, OffLineShowsTheSettingsAndDisablesTheLiveButtons) {
  ASSERT_NE(Fault(), nullptr);
  Fault()->SetValue(0, CFault::kAmplifier | CFault::kManual);
  Fault()->SetValue(1, 1);
  Fault()->SetValue(2, CFault::kDisplayAll);
  CFaultDlgFrm* frame = Open();
  ASSERT_NE(frame, nullptr);
  CFaultDlgView* view = frame->GetView();
  EXPECT_TRUE(frame->findChild<QCheckBox*>("1214")->isChecked());
  EXPECT_TRUE(frame->findChild<QCheckBox*>("1219")->isChecked());
  EXPECT_FALSE(frame->findChild<QCheckBox*>("1220")->isChecked());
  EXPECT_TRUE(frame->findChild<QCheckBox*>("1529")->isChecked());
  EXPECT_EQ(view->DisplayBox()->currentText(), "All Consoles");
  EXPECT_EQ(view->DisplayBox()->itemText(0), "OFF");
  EXPECT_EQ(view->DisplayBox()->itemData(0).toInt(), -1);
  EXPECT_FALSE(view->RelayButton()->isEnabled());
  EXPECT_FALSE(view->ManualButton()->isEnabled());
  EXPECT_EQ(CStatusLamp::IconOf(view->RelayButton()), 245);
  EXPECT_FALSE(view->IsPolling());
  EXPECT_FALSE(frame->Action(CFaultDlgFrm::kUploadFault)->isEnabled());
  EXPECT_FALSE(frame->Action(CFaultDlgFrm::kDownloadFault)->isEnabled());
  ASSERT_NE(m_host->GetSwitchColumn(), nullptr);
  EXPECT_EQ(m_host->GetSwitchColumn()->objectName(), "editorBar");
  EXPECT_NE(frame->Action(33157), nullptr);
  EXPECT_TRUE(m_link.Lines().isEmpty());
}

TEST_F(CFaultDlgFrmTest, CheckingManualAndGroundFaultStoresTheirBits) {
  ASSERT_NE(Fault(), nullptr);
  Fault()->SetValue(0, 0);
  CFaultDlgFrm* frame = Open();
  ASSERT_NE(frame, nullptr);
  frame->findChild<QCheckBox*>("1219")->click();
  frame->findChild<QCheckBox*>("1221")->click();
  EXPECT_EQ(Fault()->GetValue(0), 0x180);
  frame->findChild<QCheckBox*>("1529")->click();
  EXPECT_EQ(Fault()->GetValue(1), 1);
  EXPECT_TRUE(m_doc.IsModified());
  EXPECT_TRUE(m_link.Lines().isEmpty());  // stays in the project until a download
}

TEST_F(CFaultDlgFrmTest, LineSourcesHiddenOnASmallProjectKeepTheirBits) {
  Fault()->SetValue(0, CFault::kZoneMeasurement | CFault::kZoneGroundFault);
  CFaultDlgFrm* frame = Open();
  ASSERT_NE(frame, nullptr);
  auto* measurement = frame->findChild<QCheckBox*>("1222");
  EXPECT_TRUE(measurement->isHidden());
  EXPECT_TRUE(frame->findChild<QCheckBox*>("1223")->isHidden());
  frame->findChild<QCheckBox*>("1214")->click();
  EXPECT_EQ(Fault()->GetValue(0), 0x608);
}

TEST_F(CFaultDlgFrmTest, LineSourcesShownOnALargeProject) {
  m_doc.SetUpgradeFlag(1);
  CFaultDlgFrm* frame = Open();
  ASSERT_NE(frame, nullptr);
  EXPECT_FALSE(frame->findChild<QCheckBox*>("1222")->isHidden());
  EXPECT_FALSE(frame->findChild<QCheckBox*>("1223")->isHidden());
}

TEST_F(CFaultDlgFrmTest, ConsolesAreOfferedAndAGoneConsoleIsAddedWithAStar) {
  CConsole* console = CConsole::CreateIn(m_doc, CConsProp::RCX6010, QRect(1000, 600, 64, 48));
  ASSERT_NE(console, nullptr);
  console->SetName("Desk");
  Fault()->SetValue(2, 77);  // no such console
  CFaultDlgFrm* frame = Open();
  ASSERT_NE(frame, nullptr);
  QComboBox* box = frame->GetView()->DisplayBox();
  EXPECT_EQ(box->count(), 4);
  EXPECT_EQ(box->itemText(2), "Desk");
  EXPECT_EQ(box->itemData(2).toInt(), console->GetID());
  EXPECT_EQ(box->currentText(), "77 *");
  // Choosing the console stores its ID.
  box->activated(2);
  EXPECT_EQ(Fault()->GetValue(2), console->GetID());
  box->activated(0);
  EXPECT_EQ(Fault()->GetValue(2), -1);
}

TEST_F(CFaultDlgFrmTest, PollShowsActiveSourcesRelayAndManualError) {
  Connect();
  CFaultDlgFrm* frame = Open();
  ASSERT_NE(frame, nullptr);
  CFaultDlgView* view = frame->GetView();
  EXPECT_TRUE(view->IsPolling());
  EXPECT_TRUE(view->RelayButton()->isEnabled());
  Answer("/FAULT/ACTIVE AMP,CONS", "/FAULT/STATE TRUE", "/FAULT/MANUAL ON");
  m_link.Clear();
  view->OnTimer(CFaultDlgView::IDT_STATUS_POLL);
  EXPECT_EQ(m_link.Lines(), (QStringList{"/FAULT/ACTIVE ?", "/FAULT/STATE ?", "/FAULT/MANUAL ?"}));
  for (int i = 0; i < CFaultWindowState::kSourceCount; ++i) {
    const bool expected = i == 3 || i == 5;  // "Amplifier", "Console fault"
    EXPECT_EQ(!view->ActiveMarker(i)->isHidden(), expected) << i;
  }
  EXPECT_EQ(CStatusLamp::IconOf(view->RelayButton()), 251);
  EXPECT_TRUE(view->ManualButton()->isChecked());
  EXPECT_EQ(Fault()->GetValue(4), static_cast<int>(CFault::kAmplifier | CFault::kConsole));

  // A backup amplifier fault is not also an amplifier fault.
  Answer("/FAULT/ACTIVE SPAREAMP", "/FAULT/STATE FALSE", "/FAULT/MANUAL OFF");
  view->OnTimer(CFaultDlgView::IDT_STATUS_POLL);
  EXPECT_TRUE(view->ActiveMarker(3)->isHidden());
  EXPECT_FALSE(view->ActiveMarker(6)->isHidden());
  EXPECT_EQ(CStatusLamp::IconOf(view->RelayButton()), 245);
  EXPECT_FALSE(view->ManualButton()->isChecked());

  // No answer clears every indicator.
  Answer("/FAULT/ACTIVE AMP", "/FAULT/STATE TRUE", "/FAULT/MANUAL ON");
  view->OnTimer(CFaultDlgView::IDT_STATUS_POLL);
  Answer("", "", "");
  view->OnTimer(CFaultDlgView::IDT_STATUS_POLL);
  for (int i = 0; i < CFaultWindowState::kSourceCount; ++i) EXPECT_TRUE(view->ActiveMarker(i)->isHidden());
  EXPECT_EQ(CStatusLamp::IconOf(view->RelayButton()), 245);
  EXPECT_FALSE(view->ManualButton()->isChecked());

  // Other timer ids do nothing.
  m_link.Clear();
  view->OnTimer(99);
  EXPECT_TRUE(m_link.Lines().isEmpty());
}

TEST_F(CFaultDlgFrmTest, ButtonsSendManualErrorAndRelayAcknowledge) {
  Connect();
  CFaultDlgFrm* frame = Open();
  ASSERT_NE(frame, nullptr);
  CFaultDlgView* view = frame->GetView();
  m_link.Clear();
  view->ManualButton()->click();
  view->ManualButton()->click();
  view->RelayButton()->click();
  EXPECT_EQ(m_link.Lines(), (QStringList{"/FAULT/MANUAL ON", "/FAULT/MANUAL OFF", "/FAULT/STATE QUIT"}));
}

TEST_F(CFaultDlgFrmTest, DownloadSendsTheFaultSettingsAndUploadShowsTheAnswers) {
  Connect();
  Fault()->SetValue(0, CFault::kAmplifier);
  CFaultDlgFrm* frame = Open();
  ASSERT_NE(frame, nullptr);
  m_link.Clear();
  frame->Action(CFaultDlgFrm::kDownloadFault)->trigger();
  EXPECT_EQ(frame->Progress(), nullptr);
  const QStringList sent = m_link.Lines();
  ASSERT_FALSE(sent.isEmpty());
  EXPECT_TRUE(sent.join('\n').contains("/FAULT/SOURCES AMP")) << sent.join('\n').toStdString();
  EXPECT_EQ(m_link.GetLinkMode(), LINKMODE_NORMAL);

  // The unit answers the upload's queries with other sources.
  m_link.SetResponder(
      [](const QString& line) {
        if (line.startsWith("/FAULT/SOURCES")) return QStringList{"/FAULT/SOURCES CONS,KCM"};
        return QStringList{};
      },
      &m_doc);
  frame->Action(CFaultDlgFrm::kUploadFault)->trigger();
  EXPECT_EQ(Fault()->GetValue(0), static_cast<int>(CFault::kConsole | CFault::kKCM));
  EXPECT_TRUE(frame->findChild<QCheckBox*>("1216")->isChecked());
  EXPECT_TRUE(frame->findChild<QCheckBox*>("1528")->isChecked());
  EXPECT_FALSE(frame->findChild<QCheckBox*>("1214")->isChecked());
  EXPECT_EQ(m_link.GetLinkMode(), LINKMODE_NORMAL);
  EXPECT_TRUE(frame->GetView()->IsPolling());
}

}  // namespace
