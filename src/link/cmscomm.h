#ifndef SELV_LINK_CMSCOMM_H
#define SELV_LINK_CMSCOMM_H

#include "link/cportlock.h"
#include "link/iserialport.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QString>

#include <cmath>
#include <memory>

class QSerialPort;
class QTimer;

// The serial port: QSerialPort with the settings string of the profile
// ("19200,n,8,1") and software handshake (XON/XOFF). Owns the QSerialPort.
//
// The program handles the unit's XON/XOFF itself, so that it holds the same
// way on every driver: the driver's own output flow control is off (no
// IXON, no IXANY, with which any character from the unit, an echo, would
// restart the output), and the reader takes XOFF (0x13) and XON (0x11) out
// of the input. An XOFF holds the output at once, whatever characters come
// after it, until an XON or a release; the driver is told to stop sending
// too (a UART then stops within its FIFO). The driver still sends XOFF/XON
// for the program's own input (IXOFF).
//
// Output is metered at the line's rate (from the settings), in small
// slices: never more than kSliceMs of the line, and never more than
// kMaxInFlight characters, is written to the driver and not yet on the wire,
// whatever the driver reports, so that after the unit's XOFF at most that
// much still reaches it (a unit's receive buffer is counted in characters,
// whatever the line's speed), and the output count, the progress built on it
// and a cancel tell the truth. The rest waits in the port's own buffer and
// is offered to the driver in rounds, every kPumpIntervalMs (on a line so
// fast that a slice leaves sooner, as often as half a slice takes, counted
// in microseconds), and whenever input came.
// While the unit holds the line the meter pauses, and nothing is written
// while input that has come has not been read yet: it may hold an XOFF.
//
// One program at a time: the device is locked (CPortLock) before the port
// is opened, by the device and not by its name.
//
// Errors reach the error handler as texts such as "Framing error" or
// "TX full error". Only a port that has really gone (a read error, a
// hang-up, a removed device) is closed and reported as lost, once; EAGAIN and
// other passing conditions are retried. Modem-line calls that a
// pseudo-terminal refuses are harmless and not reported.
class CMSComm final : public ISerialPort {
 public:
  // The most the output buffer holds; more is refused with "TX full error".
  static constexpr int kOutBufferSize = 16384;
  // The most written and not yet on the wire, at any line speed: what a
  // unit must take beyond its XOFF mark (25 ms of 19200 baud is 48).
  static constexpr int kMaxInFlight = 64;
  static constexpr int kSliceMs = 25;
  // How often queued output is offered to the driver at the most, and at
  // the least (microseconds).
  static constexpr int kPumpIntervalMs = 2;
  static constexpr int kShortestRoundUs = 500;

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
  bool IsHeld() const override { return m_held; }
  void SetHoldHandler(HoldHandler onHold) override { m_onHold = std::move(onHold); }
  void ReleaseLine() override;
  int DiscardQueued() override;

  QString PortName() const;
  // Characters a second on the line (baud / 10 for 8N1).
  double CharsPerSecond() const { return m_charsPerMs * 1000.0; }
  // The most written to the driver and not yet on the wire.
  int MeterBudget() const { return m_budget; }
  // Written to the driver and, by the meter, not yet on the wire now.
  int MeteredInFlight() const { return static_cast<int>(std::ceil(InFlight())); }

  // Reads "19200,n,8,1"; false for a malformed or unsupported text.
  struct LineSettings {
    int baud = 19200;
    char parity = 'n';
    int dataBits = 8;
    int stopBits = 1;
  };
  static bool ParseSettings(const QString& text, LineSettings* out);

 private:
  class Rounds;

  void OnError(int error);
  void OnReadyRead();
  // Takes what the port has received: flow characters act on the output,
  // the rest is kept for Input(). True when data (not only flow
  // characters) came.
  bool TakeReceived();
  // Tells the driver to stop or resume sending.
  void DriverFlow(bool stop);
  void CheckLineErrors();
  void Report(const QString& text, bool closed);
  // Writes what the meter allows; false when the port had to be closed.
  bool Pump();
  // Characters written and not yet on the wire, by the meter.
  double InFlight() const;
  void SetHeld(bool held);
  bool PortGone() const;
  void Lost(const QString& text);
  // The system's reason the port went, in the user's language.
  QString LostReason() const;

  std::unique_ptr<QSerialPort> m_port;
  CPortLock m_lock;
  QByteArray m_input;  // received, flow characters taken out
  ReceiveHandler m_onReceive;
  HoldHandler m_onHold;
  QByteArray m_pending;    // not yet written to the driver
  bool m_midLine = false;  // the driver has the start of m_pending's first line
  std::unique_ptr<Rounds> m_pump;
  double m_charsPerMs = 1.92;
  int m_budget = 960;
  double m_inFlight = 0;  // at m_meterTime
  QElapsedTimer m_clock;
  qint64 m_meterTime = 0;
  bool m_held = false;
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
