#ifndef SELV_TESTS_LINK_TESTTIMELIMIT_H
#define SELV_TESTS_LINK_TESTTIMELIMIT_H

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

// A test's own time limit: a test that runs past it ends the test program
// with its name on the error output, so that a transfer or an ending that
// hangs fails at once instead of waiting for the entry's limit. Like
// kHangLimitMs, the limit only catches a hang: it lies far beyond what the
// test needs on a loaded machine.
//
//   TEST_F(CTransferTest, ...) {
//     const TestTimeLimit limit(120);
class TestTimeLimit final {
 public:
  explicit TestTimeLimit(int seconds);
  ~TestTimeLimit();
  TestTimeLimit(const TestTimeLimit&) = delete;
  TestTimeLimit& operator=(const TestTimeLimit&) = delete;

 private:
  std::mutex m_mutex;
  std::condition_variable m_ended;
  bool m_done = false;
  std::thread m_watch;
};

#endif
