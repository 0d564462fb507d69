#ifndef SELV_LINK_IDEVICELINK_H
#define SELV_LINK_IDEVICELINK_H

#include "link/linkmode.h"

#include <QString>

#include <cstdint>

class CSelvantisDoc;

// What model objects, editors and transfers use of the serial link: the
// services the main window offers (SendDeviceCommand, SendQuery,
// GetTimeSinceLastOutput, the message pump) and the link's output buffer and
// mode. The application installs the real link; tests install a recording
// fake or the real link on a simulated unit. Without an installed link a null
// link is used that sends nothing and reports an empty output buffer.
class IDeviceLink {
 public:
  virtual ~IDeviceLink() = default;

  // One command line; CR LF is appended. Written only when doc is null or is
  // the document the link serves. With bShorten, when the command's path
  // (the text before the first blank) equals the path written last, only the
  // part from the blank on is sent.
  virtual void SendDeviceCommand(const QString& command, const CSelvantisDoc* doc, bool bShorten) = 0;
  // Characters still waiting to be sent.
  virtual int OutBufferCount() const = 0;
  virtual int GetLinkMode() const = 0;
  virtual void SetLinkMode(int mode) = 0;
  // Milliseconds since the last output, on a monotonic clock.
  virtual int64_t GetTimeSinceLastOutput() const = 0;
  // Sends the command and returns the unit's reply without the echo, empty
  // when nothing came in time.
  virtual QString SendQuery(const QString& command) = 0;
  // Sends the command, waits delayMs and returns what arrived (echo
  // included), bypassing the reply routing.
  virtual QString SendAndRead(const QString& command, int delayMs) = 0;
  virtual bool IsConnected() const = 0;
  // Processes pending events; called inside transfer loops.
  virtual void PumpMessages() = 0;
  // The project's error file for the current transfer ("" when none).
  virtual QString ErrorFilePath() const = 0;
};

// The installed link, never null.
IDeviceLink* GetDeviceLink();
// Installs a link (null: back to the null link); returns the previous one.
IDeviceLink* SetDeviceLink(IDeviceLink* link);

#endif
