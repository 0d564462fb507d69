#ifndef SELV_TESTS_SUPPORT_MESSAGERECORDER_H
#define SELV_TESTS_SUPPORT_MESSAGERECORDER_H

#include "model/cmessagesink.h"

#include <QString>

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <vector>

// Records every message box the code under test shows and answers from a
// script. Installs itself while it lives and puts the previous sink back when
// it goes:
//
//   MessageRecorder messages;
//   messages.QueueAnswer(IDNO);          // the first box is answered "No"
//   doc.OnCloseDocument();
//   EXPECT_TRUE(messages.Saw(34213));
//
// Boxes beyond the queued answers get their default button.
class MessageRecorder final : public IMessageSink {
 public:
  MessageRecorder();
  MessageRecorder(const MessageRecorder&) = delete;
  MessageRecorder& operator=(const MessageRecorder&) = delete;
  ~MessageRecorder() override;

  int Show(const MessageRequest& request) override;
  // A notice is recorded among the requests as well, and kept under its
  // key until it is withdrawn or replaced.
  void ShowNotice(const QString& key, const MessageRequest& request) override;
  void WithdrawNotice(const QString& key) override;

  const std::vector<MessageRequest>& Requests() const { return m_requests; }
  // Answers the next boxes in this order, then the default button.
  void QueueAnswer(int answer);
  // Forgets the recorded requests and the queued answers.
  void Clear();
  // A box with this string id was shown.
  bool Saw(uint32_t id) const;
  // A box whose text contains part was shown.
  bool SawText(const QString& part) const;
  // The notices on the screen now, by key, and the keys withdrawn so far.
  const std::map<QString, MessageRequest>& Notices() const { return m_notices; }
  bool NoticeShown(const QString& key) const { return m_notices.count(key) != 0; }
  const std::vector<QString>& Withdrawn() const { return m_withdrawn; }
  // Runs for every box as it is shown, to look at the screen behind it.
  void SetOnShow(std::function<void(const MessageRequest&)> onShow) { m_onShow = std::move(onShow); }

 private:
  IMessageSink* m_previous;
  std::vector<MessageRequest> m_requests;
  std::deque<int> m_answers;
  std::function<void(const MessageRequest&)> m_onShow;
  std::map<QString, MessageRequest> m_notices;
  std::vector<QString> m_withdrawn;
};

#endif
