#include "online/cvolumewindowstate.h"

#include "link/idevicelink.h"
#include "model/cidmanager.h"
#include "model/cprofile.h"
#include "model/cselvantisdoc.h"
#include "model/ctext.h"
#include "model/devicetype.h"
#include "unit/caudioinputslot.h"
#include "unit/cmiscaudio.h"

#include <cmath>

const CVolumeWindowState::ChannelInfo CVolumeWindowState::kChannels[kChannelCount] = {
    {1703, 1674, "/AUDIO/IN1/VOL ", "IN1/VOL", nullptr},
    {1053, 1006, "/AUDIO/IN2/VOL ", "IN2/VOL", nullptr},
    {1054, 1007, "/AUDIO/IN3/VOL ", "IN3/VOL", nullptr},
    {1056, 1008, "/AUDIO/IN4/VOL ", "IN4/VOL", nullptr},
    {1057, 1013, "/AUDIO/CHIME_VOL ", "CHIME_VOL", "MinChimeVol"},
    {1058, 1015, "/AUDIO/MESSAGE_VOL ", "MESSAGE_VOL", "MinMessageVol"},
};

namespace {

// Input slot and input of an input channel.
int SlotOf(int channel) { return channel <= CVolumeWindowState::IN2 ? 1 : 2; }
int InputOf(int channel) { return channel % 2; }
int MiscCodeOf(int channel) {
  return channel == CVolumeWindowState::Chime ? CMiscAudio::CHIME_VOL : CMiscAudio::MESSAGE_VOL;
}

}  // namespace

CVolumeWindowState::CVolumeWindowState(CSelvantisDoc* doc) : m_doc(doc) {}

int CVolumeWindowState::ChannelOfSlider(int sliderId) {
  for (int c = 0; c < kChannelCount; ++c) {
    if (kChannels[c].sliderId == sliderId) return c;
  }
  return -1;
}

int CVolumeWindowState::ChannelOfEdit(int editId) {
  for (int c = 0; c < kChannelCount; ++c) {
    if (kChannels[c].editId == editId) return c;
  }
  return -1;
}

std::vector<int> CVolumeWindowState::TickPositions(int channel) {
  std::vector<int> ticks;
  const int top = SliderMin(channel) + (IsInput(channel) ? 0 : 6);
  for (int i = 0; i < 15; ++i) ticks.push_back(top + 10 * i);
  return ticks;
}

double CVolumeWindowState::ValueFromPosition(int channel, int position) {
  return (IsInput(channel) ? -150.0 : -144.0) - position;
}

int CVolumeWindowState::PositionFor(int channel, double value) {
  if (!std::isfinite(value)) value = kMinLevel;
  value = std::max(-1000.0, std::min(1000.0, value));
  const int whole = static_cast<int>(std::trunc(value));
  const int position = (IsInput(channel) ? -150 : -144) - whole;
  return std::max(SliderMin(channel), std::min(SliderMax(channel), position));
}

double CVolumeWindowState::LowerLimit(int channel) {
  if (!IsChannel(channel) || !kChannels[channel].profileKey) return kMinLevel;
  const QString text = CProfile::GetString(QStringLiteral("Settings"),
                                           QString::fromLatin1(kChannels[channel].profileKey), QStringLiteral("-40.0"));
  double limit = 0.0;
  if (!ScanDouble(text.trimmed(), &limit) || !std::isfinite(limit) || limit < -150.0 || limit > 6.0)
    return kDefaultLowerLimit;
  return limit;
}

double CVolumeWindowState::SliderLevel(int channel, int position) {
  const double value = ValueFromPosition(channel, position);
  if (IsInput(channel)) return value;
  return std::max(value, LowerLimit(channel));
}

double CVolumeWindowState::Clamp(int channel, double value) {
  if (std::isnan(value)) return kMinLevel;
  return std::max(kMinLevel, std::min(UpperLimit(channel), value));
}

QString CVolumeWindowState::TrackText(double value) { return Fmt("%4.1f", value); }

QString CVolumeWindowState::ConfirmedText(double value) { return Fmt("%.1f", value); }

QString CVolumeWindowState::Command(int channel, const QString& text) {
  return IsChannel(channel) ? QString::fromLatin1(kChannels[channel].commandPath) + text : QString();
}

QString CVolumeWindowState::ProjectText(int channel) const {
  if (!m_doc || !IsChannel(channel)) return QString();
  QString text;
  if (IsInput(channel)) {
    const auto* slot =
        dynamic_cast<const CAudioInputSlot*>(m_doc->GetIDManager().FindBaseDevice(SlotOf(channel), DT_AUDIOINPUTSLOT));
    if (slot) slot->GetParamText(text, CAudioInputSlot::kParamLevel, InputOf(channel));
  } else if (const CMiscAudio* misc = CMiscAudio::Find(m_doc.data())) {
    text = misc->GetParamText(MiscCodeOf(channel));
  }
  return text;
}

void CVolumeWindowState::StoreLevels(const std::array<QString, kChannelCount>& texts) {
  if (!m_doc) return;
  for (int c = 0; c < kChannelCount; ++c) {
    if (IsInput(c)) {
      auto* slot = dynamic_cast<CAudioInputSlot*>(m_doc->GetIDManager().FindBaseDevice(SlotOf(c), DT_AUDIOINPUTSLOT));
      if (slot) slot->SetParamText(CAudioInputSlot::kParamLevel, InputOf(c), texts[c]);
    } else if (CMiscAudio* misc = CMiscAudio::Find(m_doc.data())) {
      misc->SetParamText(MiscCodeOf(c), texts[c]);
    }
  }
}

void CVolumeWindowState::SetModified() {
  if (m_doc) m_doc->SetModifiedFlag(true);
}

QStringList CVolumeWindowState::QueryLines() {
  const char* const keys[] = {"CHIME_VOL ?", "MESSAGE_VOL ?", "IN1/VOL ?", "IN2/VOL ?", "IN3/VOL ?", "IN4/VOL ?"};
  QStringList lines;
  for (const char* key : keys) lines.append(QStringLiteral("/AUDIO/") + QString::fromLatin1(key));
  return lines;
}

bool CVolumeWindowState::QueryLevels(IDeviceLink& link, QObject* replyTarget) const {
  return link.SendCommandList(QueryLines(), true, 0, replyTarget, 0);
}

void CVolumeWindowState::SendLevel(IDeviceLink& link, int channel, const QString& text) const {
  if (!IsChannel(channel) || !IsOnline()) return;
  link.SendCommand(Command(channel, text), m_doc.data());
}

std::vector<CVolumeWindowState::ReplyItem> CVolumeWindowState::ParseReply(const QStringList& lines) {
  std::vector<ReplyItem> items;
  for (const QString& line : lines) {
    const int blank = line.indexOf(QLatin1Char(' '));
    if (blank < 0) continue;
    const QString value = line.mid(blank + 1);
    if (value == QLatin1String("?")) continue;
    QString key = line.left(blank);
    key.remove(QStringLiteral("/AUDIO/"));
    for (int c = 0; c < kChannelCount; ++c) {
      if (key == QLatin1String(kChannels[c].replyKey)) {
        items.push_back({c, value});
        break;
      }
    }
  }
  return items;
}
