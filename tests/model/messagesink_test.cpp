// Message boxes pass through the installed sink: texts, styles, scripted
// answers, and the default button when nobody can answer.
#include "model/cmessagesink.h"
#include "model/cstringtable.h"
#include "support/messagerecorder.h"

#include <gtest/gtest.h>

TEST(CMessageSinkTest, DefaultAnswerIsTheDefaultButton) {
  struct Row {
    uint32_t style;
    int answer;
  };
  const Row rows[] = {
      {MB_OK, IDOK},
      {MB_OK | MB_ICONSTOP, IDOK},
      {MB_OKCANCEL, IDOK},
      {MB_OKCANCEL | MB_DEFBUTTON2, IDCANCEL},
      {MB_YESNO | MB_ICONQUESTION, IDYES},
      {MB_YESNO | MB_DEFBUTTON2, IDNO},
      {MB_YESNOCANCEL | MB_DEFBUTTON3, IDCANCEL},
      {MB_RETRYCANCEL, IDRETRY},
      {MB_ABORTRETRYIGNORE | MB_DEFBUTTON2, IDRETRY},
      {MB_YESNO | MB_DEFBUTTON3, IDYES},  // no third button: the first
      {MB_OK | MB_DEFBUTTON2, IDOK},
  };
  for (const Row& row : rows) EXPECT_EQ(CMessageSink::DefaultAnswer(row.style), row.answer) << row.style;
}

TEST(CMessageSinkTest, RecorderSeesIdTextAndStyle) {
  MessageRecorder messages;
  EXPECT_EQ(AfxMessageBox(34207), IDOK);
  ASSERT_EQ(messages.Requests().size(), 1u);
  const MessageRequest& r = messages.Requests().front();
  EXPECT_EQ(r.id, 34207u);
  EXPECT_EQ(r.text, LoadString(34207));
  EXPECT_EQ(r.style, uint32_t(MB_OK | MB_ICONEXCLAMATION));
  EXPECT_TRUE(messages.Saw(34207));
  EXPECT_FALSE(messages.Saw(34212));
  EXPECT_TRUE(messages.SawText(QStringLiteral("maximum number of devices")));
}

TEST(CMessageSinkTest, RecorderAnswersInOrderThenTheDefault) {
  MessageRecorder messages;
  messages.QueueAnswer(IDNO);
  messages.QueueAnswer(IDCANCEL);
  EXPECT_EQ(AfxMessageBox(QStringLiteral("first"), MB_YESNOCANCEL), IDNO);
  EXPECT_EQ(AfxMessageBox(QStringLiteral("second"), MB_YESNOCANCEL), IDCANCEL);
  EXPECT_EQ(AfxMessageBox(QStringLiteral("third"), MB_YESNOCANCEL | MB_DEFBUTTON2), IDNO);
  EXPECT_EQ(messages.Requests().size(), 3u);
  EXPECT_EQ(messages.Requests()[1].id, 0u);
  messages.Clear();
  EXPECT_TRUE(messages.Requests().empty());
}

TEST(CMessageSinkTest, RecordersNestAndRestoreThePreviousSink) {
  MessageRecorder outer;
  {
    MessageRecorder inner;
    AfxMessageBox(QStringLiteral("inner"));
    EXPECT_EQ(inner.Requests().size(), 1u);
  }
  EXPECT_TRUE(outer.Requests().empty());
  AfxMessageBox(QStringLiteral("outer"));
  EXPECT_EQ(outer.Requests().size(), 1u);
  EXPECT_EQ(CMessageSink::Current(), &outer);
}

TEST(CMessageSinkTest, UnknownIdStillShowsSomething) {
  MessageRecorder messages;
  AfxMessageBox(1u);
  ASSERT_EQ(messages.Requests().size(), 1u);
  EXPECT_FALSE(messages.Requests().front().text.isEmpty());
  EXPECT_TRUE(messages.Requests().front().text.contains(QStringLiteral("1")));
}

TEST(CMessageSinkTest, NullSinkFallsBackToTheDefault) {
  IMessageSink* previous = CMessageSink::Install(nullptr);
  ASSERT_NE(CMessageSink::Current(), nullptr);
  EXPECT_EQ(AfxMessageBox(QStringLiteral("nobody can click"), MB_YESNO | MB_DEFBUTTON2), IDNO);
  CMessageSink::Install(previous);
}
