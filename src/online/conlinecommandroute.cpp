#include "online/conlinecommandroute.h"

#include "link/linkprofile.h"
#include "model/cmessagesink.h"
#include "model/cprofile.h"
#include "model/cselvantisdoc.h"

#include <QByteArray>

#include <cstring>

COnlineCommandRoute::Action COnlineCommandRoute::Decide(uint32_t command, const CSelvantisDoc* doc, bool online) {
  switch (command) {
    case kFuseProperties:
    case kPowerManagement: return Action::Forward;
    case kPilotTone:
    case kMessageRecorder:
    case kEventLogger:
    case kLineTest:
      if (DeviceVersionAllows(doc, online)) return Action::Forward;
      AfxMessageBox(kNotAvailableMessage, MB_OK);
      return Action::Refuse;
    case kSaveVmxSettings: return Action::SaveVmxSettings;
    case kFileSave: return Action::SaveDocument;
    default: return Action::Default;
  }
}

bool COnlineCommandRoute::DeviceVersionAllows(const CSelvantisDoc* doc, bool online) {
  if (online) {
    const QString section = QString::fromLatin1(LinkProfile::kUnitSection);
    const int deviceId = CProfile::GetInt(section, QString::fromLatin1(LinkProfile::kDeviceId), 0);
    // The id is compared unsigned: a negative stored value counts as a very
    // large id.
    if (static_cast<unsigned>(deviceId) < kFullDeviceId) {
      const QByteArray version =
          CProfile::GetString(section, QString::fromLatin1(LinkProfile::kOsVersion), QString()).toLatin1();
      if (std::strcmp(version.constData(), kFirstFullVersion) < 0) return false;
    }
  }
  return doc != nullptr && doc->IsBigProject();
}
