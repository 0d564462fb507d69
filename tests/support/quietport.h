#ifndef SELV_TESTS_SUPPORT_QUIETPORT_H
#define SELV_TESTS_SUPPORT_QUIETPORT_H

#include "link/iserialport.h"

#include <utility>

// A port in memory where nothing happens: it takes every byte and keeps
// none, nothing comes in, and its output has always left. It is open from
// Open() to Close(), or from the start when made open. The in-memory ports
// of the tests and benchmarks derive from it and do only what they are
// about; it keeps the handlers the link gives it for them.
class QuietPort : public ISerialPort {
 public:
  explicit QuietPort(bool open = false) : m_open(open) {}

  bool Open(const QString&, const QString&, QString*) override { return m_open = true; }
  void Close() override { m_open = false; }
  bool IsOpen() const override { return m_open; }
  bool Output(const QByteArray&) override { return true; }
  QByteArray Input() override { return {}; }
  int InBufferCount() const override { return 0; }
  int OutBufferCount() const override { return 0; }
  bool WaitForInput(int) override { return false; }
  bool WaitForOutput(int) override { return false; }
  void SetHandlers(ReceiveHandler onReceive, ErrorHandler onError) override {
    m_onReceive = std::move(onReceive);
    m_onError = std::move(onError);
  }

 protected:
  bool m_open;
  ReceiveHandler m_onReceive;
  ErrorHandler m_onError;
};

#endif
