#ifndef SELV_LINK_CMSCOMM_H
#define SELV_LINK_CMSCOMM_H

#include "link/iserialport.h"

#include <QByteArray>
#include <QString>

#include <memory>

class QSerialPort;

// The serial port: QSerialPort with the settings string of the profile
// ("19200,n,8,1") and software handshake (XON/XOFF). Owns the QSerialPort.
//
// Errors reach the error handler as texts such as "Framing error" or
// "TX full error". A read or resource error means the far end has gone
// (QSerialPort repeats it for every attempt to read), so the port is closed
// and the error reported once. Modem-line calls that a pseudo-terminal
// refuses are harmless and not reported.
class CMSComm final : public ISerialPort {
 public:
  // The most the output buffer holds; more is refused with "TX full error".
  static constexpr int kOutBufferSize = 16384;

  CMSComm();
  CMSComm(const CMSComm&) = delete;
  CMSComm& operator=(const CMSComm&) = delete;
  ~CMSComm() override;

  bool Open(const QString& portName, const QString& settings, QString* error) override;
  void Close() override;
  bool IsOpen() const override;
  bool Output(const QByteArray& bytes) override;
  QByteArray Input() override;
  int InBufferCount() const override;
  int OutBufferCount() const override;
  bool WaitForInput(int ms) override;
  bool WaitForOutput(int ms) override;
  void SetHandlers(ReceiveHandler onReceive, ErrorHandler onError) override;

  QString PortName() const;

  // Reads "19200,n,8,1"; false for a malformed or unsupported text.
  struct LineSettings {
    int baud = 19200;
    char parity = 'n';
    int dataBits = 8;
    int stopBits = 1;
  };
  static bool ParseSettings(const QString& text, LineSettings* out);

 private:
  void OnError(int error);
  void CheckLineErrors();
  void Report(const QString& text, bool closed);

  std::unique_ptr<QSerialPort> m_port;
  ReceiveHandler m_onReceive;
  ErrorHandler m_onError;
  bool m_txFullReported = false;
  bool m_closing = false;
  bool m_opening = false;
  // Line error counters of the driver, where it keeps them.
  int m_frame = 0;
  int m_parity = 0;
  int m_overrun = 0;
  int m_brk = 0;
};

#endif
