#ifndef SELV_ONLINE_CONLINECOMMANDROUTE_H
#define SELV_ONLINE_CONLINECOMMANDROUTE_H

#include <cstdint>

class CSelvantisDoc;

// What an on-line window's frame does with a command of its bars. The
// windows of the pilot-tone generator, the message recorder, the event log
// and the line test exist only on larger projects and, while on line, only
// on a unit that is new enough; the fuse and power windows always open.
class COnlineCommandRoute final {
 public:
  enum class Action {
    Forward,          // hand the command to the host, which switches windows
    Refuse,           // message 34564 shown; the current window stays
    SaveVmxSettings,  // the unit keeps its settings ("/SERVICE/START FASTSAVE")
    SaveDocument,     // the main window saves the active project
    Default           // the frame's own handling
  };

  // Command ids of the window-switch bar.
  static constexpr uint32_t kFuseProperties = 33159;
  static constexpr uint32_t kPilotTone = 33162;
  static constexpr uint32_t kPowerManagement = 33163;
  static constexpr uint32_t kMessageRecorder = 33164;
  static constexpr uint32_t kEventLogger = 34589;
  static constexpr uint32_t kLineTest = 34590;
  static constexpr uint32_t kSaveVmxSettings = 32852;
  static constexpr uint32_t kFileSave = 57603;
  // "Not available in this device version !"
  static constexpr uint32_t kNotAvailableMessage = 34564;
  // Units from this device id on have every window, whatever their version.
  static constexpr unsigned kFullDeviceId = 10337;
  static constexpr const char* kFirstFullVersion = "V0.8";

  // The action for a command. For the guarded windows the device-version
  // test runs; a refusal shows its message here.
  static Action Decide(uint32_t command, const CSelvantisDoc* doc, bool online);
  // The test alone, without a message: on line, a unit below device id
  // 10337 must report "V0.8" or later (byte-wise comparison of the version
  // texts); and the project must be a large one.
  static bool DeviceVersionAllows(const CSelvantisDoc* doc, bool online);
};

#endif
