#include "online/cremoteampstate.h"

#include "model/cstringtable.h"
#include "model/ctext.h"

#include <algorithm>

namespace {

const char* const kIdentityKeys[] = {"TYPE", "NAME", "VER", "CHANMAP", "RETROFIT/PILOT", "RETROFIT/GNDFLT", "208"};
// The first five keys are the amplifier's, the others the shown channel's.
const char* const kPollKeys[CRemoteAmpState::kPollKeyCount] = {
    "ERR", "POWER", "PLTGEN", "OVT", "READY", "VOL", "VCOFS", "MUTE", "PLTDET", "FLTDET", "OVT", "OUTCFG", "MEAS"};
constexpr int kAmpPollKeys = 5;

QString OnOff(bool on) { return on ? QStringLiteral(" ON") : QStringLiteral(" OFF"); }

}  // namespace

CRemoteAmpState::CRemoteAmpState(int address) : m_address(address) {
  m_view.volumeText = DbText(VolumeFromPosition(m_view.volumePos));
  m_view.offsetText = DbText(OffsetFromPosition(m_view.offsetPos));
}

void CRemoteAmpState::SelectTab(int index) {
  if (index >= 0 && index < m_view.tabCount) m_nChannel = index + 1;
}

QString CRemoteAmpState::TabTitle(int index) const {
  return FormatText(QStringLiteral("%s %d"), {LoadString(kStrChannel), index + 1});
}

QString CRemoteAmpState::Caption() const { return LoadString(kStrAddress) + Fmt("%x", unsigned(m_address)); }

QString CRemoteAmpState::AmpPrefix() const { return Fmt("/AMP/ADR%x/", unsigned(m_address)); }

QString CRemoteAmpState::ChannelPrefix() const { return AmpPrefix() + Fmt("CHAN%d/", m_nChannel); }

QStringList CRemoteAmpState::IdentityQueries() const {
  QStringList list;
  for (const char* key : kIdentityKeys) list << AmpPrefix() + QLatin1String(key) + QStringLiteral(" ?");
  return list;
}

QStringList CRemoteAmpState::MeterQueries() const {
  return {ChannelPrefix() + QStringLiteral("VUINP ?"), ChannelPrefix() + QStringLiteral("VUOUT ?")};
}

QStringList CRemoteAmpState::StatusPollList(int step) const {
  QStringList list;
  for (int i = std::max(step, 0); i < kPollKeyCount; ++i)
    list << (i < kAmpPollKeys ? AmpPrefix() : ChannelPrefix()) + QLatin1String(kPollKeys[i]) + QStringLiteral(" ?");
  return list;
}

int& CRemoteAmpState::PollStep() {
  static int step = 0;
  return step;
}

QStringList CRemoteAmpState::NextStatusPoll() const {
  int& step = PollStep();
  if (step < 0 || step >= kPollKeyCount) step = 0;
  QStringList list = StatusPollList(step);
  // Every key, the last error included, comes round once in each cycle of
  // 13 steps; the keys late in the list, which change most, more often.
  // The error is asked in every cycle, not only once after the program
  // starts: an error the amplifier reports later would never be shown.
  step = (step + 1) % kPollKeyCount;
  return list;
}

QString CRemoteAmpState::NameCommand(const QString& name) const { return AmpPrefix() + QStringLiteral("NAME ") + name; }

QString CRemoteAmpState::ResetGroundFaultCommand() const { return AmpPrefix() + QStringLiteral("FLTRES ON"); }

QString CRemoteAmpState::PilotGeneratorCommand(bool on) const {
  return AmpPrefix() + QStringLiteral("PLTGEN") + OnOff(on);
}

QString CRemoteAmpState::PowerSourceCommand(bool mainPower, bool battery) const {
  const char* source = mainPower ? (battery ? " BOTH" : " MAINS") : (battery ? " BATT" : " OFF");
  return AmpPrefix() + QStringLiteral("POWER") + QLatin1String(source);
}

QString CRemoteAmpState::MuteCommand(bool on) const { return ChannelPrefix() + QStringLiteral("MUTE") + OnOff(on); }

QString CRemoteAmpState::DbText(int value) { return Fmt("%d dB", value); }

QString CRemoteAmpState::VolumeScrolled(int position, bool held) {
  position = std::clamp(position, kVolumeMinPos, kVolumeMaxPos);
  m_bVolumeDragging = held;
  m_view.volumePos = position;
  const int value = VolumeFromPosition(position);
  m_view.volumeText = DbText(value);
  return ChannelPrefix() + Fmt("VOL %d", value);
}

QString CRemoteAmpState::OffsetScrolled(int position, bool held) {
  position = std::clamp(position, kOffsetMinPos, kOffsetMaxPos);
  m_bOffsetDragging = held;
  m_view.offsetPos = position;
  const int value = OffsetFromPosition(position);
  m_view.offsetText = DbText(value);
  return ChannelPrefix() + Fmt("VCOFS %d", value);
}

int CRemoteAmpState::Decayed(int position, int target) {
  if (position > target + kMeterDecayStep) return position - kMeterDecayStep;
  if (position > target) return target;
  return position;
}

void CRemoteAmpState::DecayMeters() {
  m_view.outMeter = std::clamp(Decayed(m_view.outMeter, m_nVuOut + kOutMeterOffset), 0, kOutMeterMax);
  m_view.inMeter = std::clamp(Decayed(m_view.inMeter, m_nVuIn + kInMeterOffset), 0, kInMeterMax);
}

bool CRemoteAmpState::ApplyReply(const QStringList& lines) {
  if (m_missing) return false;
  const QString ampPrefix = Fmt("/AMP/ADR%X/", unsigned(m_address));
  const QString channelPrefix = Fmt("CHAN%d/", m_nChannel);
  for (const QString& line : lines) {
    const int blank = line.indexOf(QLatin1Char(' '));
    if (blank < 0) continue;
    const QString value = line.mid(blank + 1);
    if (value == QLatin1String("?")) continue;
    QString key = line.left(blank);
    key.remove(ampPrefix);
    if (value == QLatin1String("amp not available")) {
      m_missing = true;
      return false;
    }
    bool handled = false;
    ApplyAmpKey(key, value, &handled);
    if (!handled && key.contains(channelPrefix)) ApplyChannelKey(key.remove(channelPrefix), value);
  }
  return true;
}

void CRemoteAmpState::ApplyAmpKey(const QString& key, const QString& value, bool* handled) {
  *handled = true;
  const bool on = value == QLatin1String("ON");
  if (key == QLatin1String("TYPE")) {
    m_view.type = value;
  } else if (key == QLatin1String("NAME")) {
    m_view.name = value;
    ++m_view.nameRevision;
  } else if (key == QLatin1String("ERR")) {
    m_view.lastError = value;
  } else if (key == QLatin1String("VER")) {
    m_view.firmware = value;
  } else if (key == QLatin1String("208")) {
    m_view.relayMapping = value;
  } else if (key == QLatin1String("CHANMAP")) {
    int count = 0;
    // A repeated answer gives the same tabs, not a second set of them.
    if (ScanInt(value, &count) && count >= 1 && count <= kMaxChannels) {
      m_view.tabCount = count;
      if (m_nChannel > count) m_nChannel = 1;
    }
    m_view.tabsVisible = true;
    m_view.channelMapping = value;
  } else if (key == QLatin1String("RETROFIT/PILOT")) {
    m_view.pilotDetection = value == QLatin1String("YES");
  } else if (key == QLatin1String("RETROFIT/GNDFLT")) {
    m_view.groundDetection = value == QLatin1String("YES");
  } else if (key == QLatin1String("POWER")) {
    if (value == QLatin1String("OFF")) {
      m_view.mainPower = false, m_view.battery = false;
    } else if (value == QLatin1String("MAINS")) {
      m_view.mainPower = true, m_view.battery = false;
    } else if (value == QLatin1String("BATT")) {
      m_view.mainPower = false, m_view.battery = true;
    } else if (value == QLatin1String("BOTH")) {
      m_view.mainPower = true, m_view.battery = true;
    }
  } else if (key == QLatin1String("PLTGEN")) {
    m_view.pilotGenerator = on;
  } else if (key == QLatin1String("FLTRES")) {
    m_view.faultReset = on;
  } else if (key == QLatin1String("OVT")) {
    m_view.overtemperature = LoadString(on ? kStrOn : kStrOff);
  } else if (key == QLatin1String("READY")) {
    m_view.ready = LoadString(on ? kStrOn : kStrOff);
  } else {
    *handled = false;
  }
}

void CRemoteAmpState::ApplyChannelKey(const QString& key, const QString& value) {
  const bool yes = value == QLatin1String("YES");
  int number = 0;
  if (key == QLatin1String("VUINP")) {
    if (!ScanInt(value, &number)) return;
    m_nVuIn = number;
    if (number + kInMeterOffset > m_view.inMeter) m_view.inMeter = std::clamp(number + kInMeterOffset, 0, kInMeterMax);
  } else if (key == QLatin1String("VUOUT")) {
    if (!ScanInt(value, &number)) return;
    m_nVuOut = number;
    if (number + kOutMeterOffset > m_view.outMeter)
      m_view.outMeter = std::clamp(number + kOutMeterOffset, 0, kOutMeterMax);
  } else if (key == QLatin1String("VOL")) {
    if (m_bVolumeDragging || !ScanInt(value, &number)) return;
    m_view.volumePos = std::clamp(-78 - number, kVolumeMinPos, kVolumeMaxPos);
    m_view.volumeText = DbText(number);
  } else if (key == QLatin1String("VCOFS")) {
    if (m_bOffsetDragging || !ScanInt(value, &number)) return;
    m_view.offsetPos = std::clamp(-1 - number, kOffsetMinPos, kOffsetMaxPos);
    m_view.offsetText = DbText(number);
  } else if (key == QLatin1String("MUTE")) {
    m_view.mute = value == QLatin1String("ON");
  } else if (key == QLatin1String("PLTDET")) {
    m_view.channelPilot = yes;
  } else if (key == QLatin1String("FLTDET")) {
    m_view.channelGround = yes;
  } else if (key == QLatin1String("OVT")) {
    m_view.channelOvertemp = yes;
  } else if (key == QLatin1String("OUTCFG")) {
    m_view.outputConfig = value;
  } else if (key == QLatin1String("MEAS")) {
    m_view.measurement = value;
  }
}
