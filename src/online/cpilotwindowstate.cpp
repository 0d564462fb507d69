#include "online/cpilotwindowstate.h"

#include "link/idevicelink.h"
#include "model/cselvantisdoc.h"
#include "model/ctext.h"
#include "online/conlinereplyparser.h"
#include "unit/cinternalpilottonegen.h"

#include <algorithm>
#include <cmath>

namespace {

QString Path(const char* key) { return QString::fromLatin1(CPilotWindowState::kPathRoot) + QString::fromLatin1(key); }

QString VolumeKey(int output) { return Fmt("VOL%d", output + 1); }

bool IsOutput(int output) { return output >= 0 && output < CPilotWindowState::kOutputCount; }

}  // namespace

CPilotWindowState::CPilotWindowState(CSelvantisDoc* doc) : m_doc(doc) {}

void CPilotWindowState::Reset() {
  m_selected = -1;
  m_frequencyDrag = false;
  m_levelDrag = false;
}

CInternalPilottoneGen* CPilotWindowState::Generator() const { return CInternalPilottoneGen::Find(m_doc.data()); }

bool CPilotWindowState::IsOn() const {
  const CInternalPilottoneGen* gen = Generator();
  return gen && gen->GetParam(CInternalPilottoneGen::P_ON) != 0;
}

float CPilotWindowState::Frequency() const {
  const CInternalPilottoneGen* gen = Generator();
  return gen ? gen->GetParamFloat(CInternalPilottoneGen::P_FREQUENCY) : CInternalPilottoneGen::kMinFrequency;
}

QString CPilotWindowState::FrequencyText() const { return Fmt("%.1f", static_cast<double>(Frequency())); }

int CPilotWindowState::FrequencySliderPos() const {
  const int hz = static_cast<int>(Frequency());
  return std::clamp(hz, kFrequencySliderMin, kFrequencySliderMax);
}

float CPilotWindowState::Level(int output) const {
  const CInternalPilottoneGen* gen = Generator();
  if (!gen || !IsOutput(output)) return CInternalPilottoneGen::kMinVolume;
  return gen->GetParamFloat(CInternalPilottoneGen::VolumeCode(output));
}

QString CPilotWindowState::LevelText(int output) const { return Fmt("%.1f", static_cast<double>(Level(output))); }

int CPilotWindowState::LevelBarPos(int output) const {
  return std::clamp(static_cast<int>(std::lround(Level(output) + 150.0f)), 0, kLevelBarMax);
}

int CPilotWindowState::LevelSliderPosOf(float level) {
  return std::clamp(static_cast<int>(std::lround(-150.0f - level)), kLevelSliderMin, kLevelSliderMax);
}

QStringList CPilotWindowState::SetOn(bool on, bool online) {
  CInternalPilottoneGen* gen = Generator();
  if (!gen) return {};
  gen->SetParam(CInternalPilottoneGen::P_ON, on ? 1 : 0);
  if (!online) return {};
  return {Path("GEN ") + (on ? QStringLiteral("ON") : QStringLiteral("OFF"))};
}

QStringList CPilotWindowState::FrequencyFromSlider(int position, bool dragging, bool online) {
  m_frequencyDrag = dragging;
  CInternalPilottoneGen* gen = Generator();
  if (!gen) return {};
  gen->SetParamFloat(CInternalPilottoneGen::P_FREQUENCY, static_cast<float>(position));
  if (!online) return {};
  return {Path("FREQU ") + FrequencyText()};
}

QStringList CPilotWindowState::FrequencyFromText(const QString& text, bool online) {
  CInternalPilottoneGen* gen = Generator();
  if (!gen) return {};
  float value = 0.0f;
  if (ScanFloat(text.trimmed(), &value)) gen->SetParamFloat(CInternalPilottoneGen::P_FREQUENCY, value);
  if (!online) return {};
  return {Path("FREQU ") + FrequencyText()};
}

bool CPilotWindowState::SelectOutput(int output) {
  if (!IsOutput(output)) return false;
  m_selected = output;
  return true;
}

QStringList CPilotWindowState::LevelFromSlider(int position, bool dragging, bool online) {
  CInternalPilottoneGen* gen = Generator();
  if (!IsOutput(m_selected) || !gen) return {};
  m_levelDrag = dragging;
  gen->SetParamFloat(CInternalPilottoneGen::VolumeCode(m_selected), -150.0f - static_cast<float>(position));
  if (!online) return {};
  return {Path("") + VolumeKey(m_selected) + QLatin1Char(' ') + LevelText(m_selected)};
}

QStringList CPilotWindowState::LevelFromText(int output, const QString& text, bool online) {
  // Only the selected output's edit is writable; a read-only edit losing
  // the focus must not write its value anywhere.
  CInternalPilottoneGen* gen = Generator();
  if (!gen || !IsOutput(output) || output != m_selected) return {};
  float value = 0.0f;
  if (ScanFloat(text.trimmed(), &value)) gen->SetParamFloat(CInternalPilottoneGen::VolumeCode(output), value);
  if (!online) return {};
  return {Path("") + VolumeKey(output) + QLatin1Char(' ') + LevelText(output)};
}

QStringList CPilotWindowState::PollCommands() { return {Path("GEN ?")}; }

QStringList CPilotWindowState::TransferCommands(bool bUpload) const {
  QStringList lines;
  if (bUpload) {
    lines.append(Path("FREQU ?"));
    for (int n = 0; n < kOutputCount; ++n) lines.append(Path("") + VolumeKey(n) + QStringLiteral(" ?"));
    return lines;
  }
  lines.append(Path("FREQU ") + Fmt("%f", static_cast<double>(Frequency())));
  for (int n = 0; n < kOutputCount; ++n)
    lines.append(Path("") + VolumeKey(n) + QLatin1Char(' ') + Fmt("%f", static_cast<double>(Level(n))));
  return lines;
}

bool CPilotWindowState::Transfer(IDeviceLink& link, QObject* replyTarget, bool bUpload) const {
  // A download needs the project's values.
  if (!bUpload && !Generator()) return false;
  return link.SendCommandList(TransferCommands(bUpload), true, 0, replyTarget, 0);
}

CPilotWindowState::Changes CPilotWindowState::ApplyReply(const QStringList& lines) {
  Changes changes;
  CInternalPilottoneGen* gen = Generator();
  if (!gen) return changes;
  for (const COnlineReplyParser::Item& item : COnlineReplyParser::Parse(lines, QString::fromLatin1(kPathRoot))) {
    if (item.key == QLatin1String("GEN")) {
      gen->SetParam(CInternalPilottoneGen::P_ON, item.value == QLatin1String("ON") ? 1 : 0);
      changes.on = true;
      continue;
    }
    float value = 0.0f;
    if (item.key == QLatin1String("FREQU")) {
      if (m_frequencyDrag || !ScanFloat(item.value.trimmed(), &value)) continue;
      gen->SetParamFloat(CInternalPilottoneGen::P_FREQUENCY, value);
      changes.frequency = true;
      continue;
    }
    for (int n = 0; n < kOutputCount; ++n) {
      if (item.key != VolumeKey(n)) continue;
      if (m_levelDrag || !ScanFloat(item.value.trimmed(), &value)) break;
      gen->SetParamFloat(CInternalPilottoneGen::VolumeCode(n), value);
      changes.levels[n] = true;
      break;
    }
  }
  return changes;
}
