#ifndef SELV_TESTS_LINK_TESTTIMELIMIT_H
#define SELV_TESTS_LINK_TESTTIMELIMIT_H

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

// A test's own time limit: a test that runs past it ends the test program
// with its name on the error output, so that a transfer or an ending that
// hangs fails at once instead of waiting for the entry's limit. Like
// kHangLimitMs, the limit only catches a hang: it lies far beyond what the
// test needs on a loaded machine. Header only: test programs of other
// folders use it too.
//
//   TEST_F(CTransferTest, ...) {
//     const TestTimeLimit limit(120);
class TestTimeLimit final {
 public:
  explicit TestTimeLimit(int seconds) {
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
  ~TestTimeLimit() {
    {
      const std::lock_guard<std::mutex> lock(m_mutex);
      m_done = true;
    }
    m_ended.notify_one();
    m_watch.join();
  }
  TestTimeLimit(const TestTimeLimit&) = delete;
  TestTimeLimit& operator=(const TestTimeLimit&) = delete;

 private:
  std::mutex m_mutex;
  std::condition_variable m_ended;
  bool m_done = false;
  std::thread m_watch;
};

#endif
