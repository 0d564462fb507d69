#ifndef SELV_MODEL_IDEVICECOMMANDS_H
#define SELV_MODEL_IDEVICECOMMANDS_H

#include <QString>

class CSelvantisDoc;

// What model objects need of the link to the unit: writing one command line
// and how much output still waits. The link implements it (IDeviceLink), so
// the model depends on nothing above it.
class IDeviceCommands {
 public:
  virtual ~IDeviceCommands() = default;

  // One command line; CR LF is appended. Written only when doc is null or is
  // the document the link serves. With bShorten, when the command's path
  // (the text before the first blank) equals the path written last, only the
  // part from the blank on is sent.
  virtual void SendDeviceCommand(const QString& command, const CSelvantisDoc* doc, bool bShorten) = 0;
  // Characters still waiting to be sent.
  virtual int OutBufferCount() const = 0;
};

// The installed link's commands; while none is installed, one that sends
// nothing and is never busy.
IDeviceCommands* GetDeviceCommands();
// Installs them (null: back to the one that sends nothing); returns the
// previous ones. The link installs itself here when it is installed.
IDeviceCommands* SetDeviceCommands(IDeviceCommands* commands);

#endif
