#include "support/messagerecorder.h"

MessageRecorder::MessageRecorder() : m_previous(CMessageSink::Install(this)) {}

MessageRecorder::~MessageRecorder() { CMessageSink::Install(m_previous); }

int MessageRecorder::Show(const MessageRequest& request) {
  m_requests.push_back(request);
  if (m_onShow) m_onShow(request);
  if (m_answers.empty()) return CMessageSink::DefaultAnswer(request.style);
  const int answer = m_answers.front();
  m_answers.pop_front();
  return answer;
}

void MessageRecorder::ShowNotice(const QString& key, const MessageRequest& request) {
  m_requests.push_back(request);
  m_notices[key] = request;
  if (m_onShow) m_onShow(request);
}

void MessageRecorder::WithdrawNotice(const QString& key) {
  if (m_notices.erase(key) != 0) m_withdrawn.push_back(key);
}

void MessageRecorder::QueueAnswer(int answer) { m_answers.push_back(answer); }

void MessageRecorder::Clear() {
  m_requests.clear();
  m_answers.clear();
  m_notices.clear();
  m_withdrawn.clear();
}

bool MessageRecorder::Saw(uint32_t id) const {
  for (const MessageRequest& r : m_requests)
    if (r.id == id) return true;
  return false;
}

bool MessageRecorder::SawText(const QString& part) const {
  for (const MessageRequest& r : m_requests)
    if (r.text.contains(part)) return true;
  return false;
}
