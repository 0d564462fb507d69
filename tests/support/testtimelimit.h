#ifndef SELV_TESTS_SUPPORT_TESTTIMELIMIT_H
#define SELV_TESTS_SUPPORT_TESTTIMELIMIT_H

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

// A test's own time limit, so that it fails rather than hangs. It lies far
// beyond what the test needs on a loaded machine: it only catches a hang.
// When it passes, the test is marked failed and onExpiry runs on the
// watchdog's thread (it may only do what any thread may, such as hanging
// up the simulated unit, which ends whatever waits on the line); should the
// test still not end within kGrace, the test program ends at once with a
// message that names the test.
//
//   TestTimeLimit limit(std::chrono::seconds(120), [this] { sim.HangUp(); });
class TestTimeLimit final {
 public:
  static constexpr std::chrono::seconds kGrace{30};

  explicit TestTimeLimit(std::chrono::milliseconds limit, std::function<void()> onExpiry = nullptr);
  TestTimeLimit(const TestTimeLimit&) = delete;
  TestTimeLimit& operator=(const TestTimeLimit&) = delete;
  ~TestTimeLimit();

  bool Expired() const { return m_expired.load(); }

 private:
  void Watch(std::chrono::milliseconds limit);

  std::string m_test;
  std::function<void()> m_onExpiry;
  std::mutex m_mutex;
  std::condition_variable m_done;
  bool m_ended = false;
  std::atomic<bool> m_expired{false};
  std::thread m_thread;
};

#endif
