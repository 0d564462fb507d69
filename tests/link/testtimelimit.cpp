#include "link/testtimelimit.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

TestTimeLimit::TestTimeLimit(int seconds) {
  const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
  const std::string name = info ? std::string(info->test_suite_name()) + "." + info->name() : std::string("a test");
  m_watch = std::thread([this, seconds, name] {
    std::unique_lock<std::mutex> lock(m_mutex);
    if (m_ended.wait_for(lock, std::chrono::seconds(seconds), [this] { return m_done; })) return;
    std::fprintf(stderr, "%s ran past its time limit of %d s: it hangs\n", name.c_str(), seconds);
    std::fflush(stderr);
    std::abort();
  });
}

TestTimeLimit::~TestTimeLimit() {
  {
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_done = true;
  }
  m_ended.notify_one();
  m_watch.join();
}
