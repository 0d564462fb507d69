#include "model/idevicecommands.h"

namespace {

class NullDeviceCommands final : public IDeviceCommands {
 public:
  void SendDeviceCommand(const QString&, const CSelvantisDoc*, bool) override {}
  int OutBufferCount() const override { return 0; }
};

NullDeviceCommands g_nullCommands;
IDeviceCommands* g_commands = nullptr;

}  // namespace

IDeviceCommands* GetDeviceCommands() { return g_commands ? g_commands : &g_nullCommands; }

IDeviceCommands* SetDeviceCommands(IDeviceCommands* commands) {
  IDeviceCommands* previous = g_commands;
  g_commands = commands;
  return previous;
}
