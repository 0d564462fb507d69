#ifndef SELV_LINK_CUNITINFO_H
#define SELV_LINK_CUNITINFO_H

#include <QString>

#include <vector>

// What the link learns of the unit when it connects, and where it keeps it:
// the profile section "VMX7000" with "Device Id", "OS Version" and the
// "_CLR" values that tell which clear tokens the unit understands.
class CUnitInfo final {
 public:
  // The unit's identity queries and their answers ("/SERVICE/VER V0.8").
  static constexpr const char* kDeviceIdPath = "/SERVICE/DEVID";
  static constexpr const char* kVersionPath = "/SERVICE/VER";

  struct ClearCapability {
    const char* key;      // profile value, e.g. "MONI_CLR"
    double firstVersion;  // the operating system that understands it
  };
  // Every "_CLR" value with the first operating-system version that knows
  // its clear token.
  static const std::vector<ClearCapability>& ClearCapabilities();

  // "V0.8" -> 0.8, "V1.10" -> 1.1 (the part after the point is a decimal
  // fraction, so versions compare as the unit's version texts do). False for
  // a text that is not a version.
  static bool ParseVersion(const QString& text, double* version);
  // The value in a reply for path: of the first line "path value" whose
  // value is not "?", the value trimmed; empty when there is none.
  static QString ReplyValue(const QString& reply, const QString& path);

  // Writes "Device Id", "OS Version" and every "_CLR" value (1 when the
  // version knows the token, 0 otherwise or when the version is unreadable).
  static void Store(int deviceId, const QString& osVersion);
};

#endif
