#include "support/testtimelimit.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <utility>

TestTimeLimit::TestTimeLimit(std::chrono::milliseconds limit, std::function<void()> onExpiry)
    : m_onExpiry(std::move(onExpiry)) {
  if (const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info())
    m_test = std::string(info->test_suite_name()) + "." + info->name();
  m_thread = std::thread([this, limit] { Watch(limit); });
}

TestTimeLimit::~TestTimeLimit() {
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_ended = true;
  }
  m_done.notify_all();
  if (m_thread.joinable()) m_thread.join();
}

void TestTimeLimit::Watch(std::chrono::milliseconds limit) {
  std::unique_lock<std::mutex> lock(m_mutex);
  if (m_done.wait_for(lock, limit, [this] { return m_ended; })) return;
  m_expired = true;
  ADD_FAILURE() << m_test << " ran past its time limit of " << limit.count() << " ms";
  std::fprintf(stderr, "%s: time limit of %lld ms passed\n", m_test.c_str(), static_cast<long long>(limit.count()));
  if (m_onExpiry) {
    lock.unlock();
    m_onExpiry();
    lock.lock();
  }
  if (m_done.wait_for(lock, kGrace, [this] { return m_ended; })) return;
  std::fprintf(stderr, "%s: still running %lld s after its time limit; the test program ends\n", m_test.c_str(),
               static_cast<long long>(kGrace.count()));
  std::fflush(stderr);
  std::_Exit(3);
}
