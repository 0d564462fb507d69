// The message-recorder window: what its lists and buttons send, the format
// command, the replies and the status panes.
#include "online/crecorderwindowstate.h"
#include "online/crecorderfrm.h"
#include "online/crecorderview.h"

#include "online/onlinetestsupport.h"
#include "shell/controls/cellipsisstatic.h"
#include "shell/controls/cframehostdialog.h"
#include "shell/controls/cvalueedit.h"
#include "support/messagerecorder.h"
#include "unit/cinternalmessagerec.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

using MR = CInternalMessageRec;

class RecorderTest : public OnlineTest {
 protected:
  void SetUp() override {
    OnlineTest::SetUp();
    m_rec = MR::EnsureIn(m_doc);
  }
  MR* m_rec = nullptr;
};

TEST_F(RecorderTest, ChoicesSendTheirCommands) {
  CRecorderWindowState state(&m_doc);
  EXPECT_EQ(state.ChooseDestination(0, true), QStringList{"/RECORDER/OUTPUT NONE"});
  EXPECT_EQ(state.ChooseDestination(3, true), QStringList{"/RECORDER/OUTPUT 3"});
  EXPECT_EQ(m_rec->GetParam(MR::P_OUTPUT), 3);
  EXPECT_EQ(state.ChooseSource(1, true), QStringList{"/RECORDER/INPUT 2"});
  EXPECT_EQ(state.ChooseMessage(4, true), (QStringList{"/RECORDER/FILE 5", "/RECORDER/INFO ?"}));
  EXPECT_EQ(state.MaxTimeFromText("400", true), QStringList{"/RECORDER/MAXTIME 360.4"});
  EXPECT_EQ(state.MaxTimeText(), "360.4");
  EXPECT_EQ(state.ChooseQuality(MR::QualityMuLaw(), true), QStringList{"/RECORDER/QUALITY " + MR::QualityMuLaw()});
  EXPECT_TRUE(state.ChooseQuality("LOUD", true).isEmpty());
  EXPECT_TRUE(state.ChooseSource(1, false).isEmpty());
  EXPECT_TRUE(state.RenameMessage("Fire"));
  EXPECT_EQ(m_rec->GetParamText(MR::NameCode(MR::P_NAME, 4)), "Fire");
}

TEST_F(RecorderTest, FormatNamesTheChosenBanks) {
  EXPECT_TRUE(CRecorderWindowState::FormatCommands({false, false, false, false}).isEmpty());
  EXPECT_EQ(CRecorderWindowState::FormatCommands({true, true, false, true}), QStringList{"/RECORDER/FORMAT 1-2,4"});
}

TEST_F(RecorderTest, Replies) {
  CRecorderWindowState state(&m_doc);
  state.ApplyReply({"/RECORDER/FILE OFF", "/RECORDER/TIME 12.5", "/RECORDER/FORMAT 1-2", "/RECORDER/INPUT x",
                    "/RECORDER/OUTPUT NONE", "/RECORDER/QUALITY BAD", "/RECORDER/FUNCTION ?"});
  EXPECT_EQ(m_rec->GetParam(MR::P_FILE), 0);
  EXPECT_EQ(state.MessageIndex(), -1);
  EXPECT_EQ(state.PaneText(2), "12.5 s");
  EXPECT_TRUE(state.IsBankOffered(0));
  EXPECT_TRUE(state.IsBankOffered(1));
  EXPECT_FALSE(state.IsBankOffered(2));
  EXPECT_EQ(m_rec->GetParam(MR::P_OUTPUT), 0);
  EXPECT_EQ(state.Quality(), MR::QualityLinear());
  state.ApplyReply({"/RECORDER/FORMAT 0"});
  for (int bank = 0; bank < 4; ++bank) EXPECT_FALSE(state.IsBankOffered(bank));
  // A very long value is taken whole and harmlessly.
  state.ApplyReply({"/RECORDER/FORMAT " + QString(2000, QLatin1Char('1'))});
  for (int bank = 0; bank < 4; ++bank) EXPECT_FALSE(state.IsBankOffered(bank));
}

class RecorderFrameTest : public RecorderTest {
 protected:
  CRecorderFrm* Open() {
    m_host = std::make_unique<CFrameHostDialog>(&m_doc, HostFrameKind::Recorder);
    m_host->show();
    return qobject_cast<CRecorderFrm*>(m_host->GetFrame());
  }
  void TearDown() override {
    if (m_host) m_host->reject();
    m_host.reset();
    RecorderTest::TearDown();
  }
  MessageRecorder m_messages;
  std::unique_ptr<CFrameHostDialog> m_host;
};

TEST_F(RecorderFrameTest, OnLineQueriesPollsAndShowsReplies) {
  Connect();
  m_link.Clear();
  CRecorderFrm* frame = Open();
  ASSERT_NE(frame, nullptr);
  CRecorderView* view = frame->GetRecorderView();
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(m_link.TakeLines(), CRecorderWindowState::QueryCommands());
  EXPECT_TRUE(view->IsPolling());
  EXPECT_EQ(view->PollTimerId(), COnlineView::IDT_SECOND_TICK);
  EXPECT_EQ(view->PollPeriod(), 1000);
  EXPECT_TRUE(view->Button(CRecorderView::kPlayId)->isEnabled());
  EXPECT_EQ(view->MessageList()->count(), MR::kMessageCount);

  ASSERT_TRUE(m_link.DeliverReply({"/RECORDER/FORMAT 1-2", "/RECORDER/TIME 12.5", "/RECORDER/FUNCTION PLAY",
                                   "/RECORDER/INFO Hello", "/RECORDER/FREE 80"}));
  EXPECT_EQ(frame->PaneText(0), "Hello");
  EXPECT_EQ(frame->PaneText(1), "PLAY");
  EXPECT_EQ(frame->PaneText(2), "12.5 s");
  EXPECT_EQ(frame->PaneText(3), "80");
  EXPECT_TRUE(view->BankBox(1)->isEnabled() && view->BankBox(1)->isChecked());
  EXPECT_FALSE(view->BankBox(2)->isEnabled());
  view->BankBox(1)->setChecked(false);
  view->Button(CRecorderView::kFormatId)->click();
  EXPECT_EQ(m_link.TakeLines(), QStringList{"/RECORDER/FORMAT 1"});
  view->Button(CRecorderView::kRecordId)->click();
  EXPECT_EQ(m_link.TakeLines(), QStringList{"/RECORDER/FUNCTION EASYREC"});
  view->OnDestinationChosen(0);
  EXPECT_EQ(m_link.TakeLines(), QStringList{"/RECORDER/OUTPUT NONE"});
  view->RecordTimeEdit()->setText("400");
  view->OnRecordTimeEdited();
  EXPECT_EQ(view->RecordTimeEdit()->text(), "360.4");
  EXPECT_EQ(m_link.TakeLines(), QStringList{"/RECORDER/MAXTIME 360.4"});
}

// All four lists are drop-down lists with a text field. A text typed in
// the source, destination or quality field that names an entry chooses it
// with Enter and sends the choice; any other text changes nothing and gives
// way to the chosen entry. In the message field the text renames the
// current message and nothing is sent.
TEST_F(RecorderFrameTest, TheFourListsHaveATextField) {
  Connect();
  CRecorderFrm* frame = Open();
  ASSERT_NE(frame, nullptr);
  CRecorderView* view = frame->GetRecorderView();
  ASSERT_NE(view, nullptr);
  ASSERT_TRUE(m_link.DeliverReply({"/RECORDER/INPUT 1", "/RECORDER/OUTPUT 1", "/RECORDER/FILE 2",
                                   "/RECORDER/QUALITY " + MR::QualityLinear()}));
  m_link.Clear();
  const struct {
    QComboBox* list;
    QString typed;
    bool enter;
    QStringList sent;
    QString shown;  // the field afterwards
  } cases[] = {
      {view->DestinationList(), "OUT3", true, {"/RECORDER/OUTPUT 3"}, "OUT3"},
      {view->DestinationList(), "OUT9", true, {}, "OUT3"},
      {view->DestinationList(), "no output", true, {"/RECORDER/OUTPUT NONE"}, "No output"},
      {view->SourceList(), "IN4", true, {"/RECORDER/INPUT 4"}, "IN4"},
      {view->SourceList(), "line", true, {}, "IN4"},
      {view->QualityList(), MR::QualityMuLaw(), true, {"/RECORDER/QUALITY " + MR::QualityMuLaw()}, MR::QualityMuLaw()},
      {view->QualityList(), "LOUD", true, {}, MR::QualityMuLaw()},
      {view->MessageList(), "Fire", false, {}, "Fire"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.list->objectName().toStdString() + " " + c.typed.toStdString());
    ASSERT_TRUE(c.list->isEditable());
    QLineEdit* field = c.list->lineEdit();
    ASSERT_NE(field, nullptr);
    field->selectAll();
    QTest::keyClicks(field, c.typed);
    if (c.enter) QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(m_link.TakeLines(), c.sent);
    EXPECT_EQ(field->text(), c.shown);
  }
  EXPECT_EQ(m_rec->GetParam(MR::P_OUTPUT), 0);
  EXPECT_EQ(m_rec->GetParam(MR::P_INPUT), 4);
  EXPECT_EQ(m_rec->GetParamText(MR::P_QUALITY), MR::QualityMuLaw());
  EXPECT_EQ(m_rec->GetParamText(MR::NameCode(MR::P_NAME, 1)), "Fire");
}

TEST_F(RecorderFrameTest, OffLineButtonsStayDisabled) {
  CRecorderFrm* frame = Open();
  ASSERT_NE(frame, nullptr);
  CRecorderView* view = frame->GetRecorderView();
  EXPECT_FALSE(view->IsPolling());
  EXPECT_FALSE(view->Button(CRecorderView::kPlayId)->isEnabled());
  EXPECT_FALSE(view->Button(CRecorderView::kInfoId)->isEnabled());
  EXPECT_TRUE(m_link.Lines().isEmpty());
}

// Each function button shows its picture and the caption below it names
// it: every caption is on screen once.
TEST_F(RecorderFrameTest, FunctionCaptionsAppearOnce) {
  CRecorderFrm* frame = Open();
  ASSERT_NE(frame, nullptr);
  CRecorderView* view = frame->GetRecorderView();
  ASSERT_NE(view, nullptr);
  const struct {
    int button;
    const char* caption;
  } functions[] = {{CRecorderView::kPlayId, "Play"},
                   {CRecorderView::kStopId, "Stop"},
                   {CRecorderView::kRecordId, "Record"},
                   {CRecorderView::kEraseId, "Erase"},
                   {CRecorderView::kFormatId, "Format"}};
  for (const auto& function : functions) {
    int shown = 0;
    for (const QAbstractButton* button : view->findChildren<QAbstractButton*>())
      shown += button->isVisible() && button->text() == function.caption;
    for (const QLabel* label : view->findChildren<QLabel*>()) {
      const auto* ellipsis = qobject_cast<const CEllipsisStatic*>(label);
      const QString text = ellipsis ? ellipsis->GetWindowText() : label->text();
      shown += label->isVisible() && text == function.caption;
    }
    EXPECT_EQ(shown, 1) << function.caption;
    QPushButton* button = view->Button(function.button);
    ASSERT_NE(button, nullptr);
    EXPECT_FALSE(button->icon().isNull()) << function.caption;
    EXPECT_EQ(button->toolTip(), function.caption);
  }
}

}  // namespace
