#ifndef SELV_LINK_ISERIALPORT_H
#define SELV_LINK_ISERIALPORT_H

#include <QByteArray>
#include <QString>

#include <functional>

// The serial port as the link uses it. CMSComm is the real one; a test or a
// benchmark may put an in-memory port in its place.
class ISerialPort {
 public:
  virtual ~ISerialPort() = default;

  // settings as "19200,n,8,1". On failure *error says why.
  virtual bool Open(const QString& portName, const QString& settings, QString* error) = 0;
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;
  // Queues bytes for sending. False when the port is closed or its output
  // buffer has no room for them (nothing is queued then).
  virtual bool Output(const QByteArray& bytes) = 0;
  // Takes everything received so far.
  virtual QByteArray Input() = 0;
  virtual int InBufferCount() const = 0;
  // Characters queued and not yet on the line.
  virtual int OutBufferCount() const = 0;
  // Drive the port without the event loop (for synchronous exchanges): wait
  // up to ms for input, sending queued output meanwhile; true when input
  // came. The receive handler runs for what comes.
  virtual bool WaitForInput(int ms) = 0;
  // Send queued output for up to ms; true when some was sent.
  virtual bool WaitForOutput(int ms) = 0;

  // onReceive runs after input arrived; onError with the error's text and
  // whether the port had to be closed.
  using ReceiveHandler = std::function<void()>;
  using ErrorHandler = std::function<void(const QString& text, bool closed)>;
  virtual void SetHandlers(ReceiveHandler onReceive, ErrorHandler onError) = 0;

  // Flow control. The unit holds the line with XOFF while its receive
  // buffer is full; a held line is normal traffic, not a fault.
  // True while the far end holds the line.
  virtual bool IsHeld() const { return false; }
  // Called with true the moment the far end starts holding the line and
  // with false when output may flow again.
  using HoldHandler = std::function<void(bool held)>;
  virtual void SetHoldHandler(HoldHandler onHold) { (void)onHold; }
  // Lets output flow again after an XOFF that no XON followed (a stray
  // XOFF must not block the line for good).
  virtual void ReleaseLine() {}
  // Drops the queued output that has not been handed to the driver yet,
  // except the rest of a line already begun (the unit must never get half a
  // line followed by the next one). Returns the characters dropped.
  virtual int DiscardQueued() { return 0; }
};

#endif
