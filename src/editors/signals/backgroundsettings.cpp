#include "editors/signals/backgroundsettings.h"

#include "editors/signals/volumescale.h"
#include "model/cselvantisdoc.h"
#include "model/ctext.h"
#include "unit/cmiscaudio.h"

#include <algorithm>

BackgroundSettings::BackgroundSettings(CMiscAudio* audio, std::function<bool()> online, std::function<void(int)> send)
    : m_audio(audio), m_online(std::move(online)), m_send(std::move(send)) {
  if (!m_online) m_online = [] { return IsOnline(); };
  if (!m_send)
    m_send = [this](int code) {
      if (m_audio) m_audio->SendSetting(code, false, false);
    };
}

double BackgroundSettings::ClampVolume(int volume, double level) {
  return std::clamp(level, VolumeScale::kSilentDb, VolumeScale::MaxLevel(IsPanic(volume)));
}

int BackgroundSettings::ClampAttenuation(int value) { return std::clamp(value, kMinAttenuation, kMaxAttenuation); }

BackgroundSettings::State BackgroundSettings::Load() const {
  State state;
  if (!m_audio) return state;
  auto whole = [this](int code, int lo, int hi) {
    int value = 0;
    return ScanInt(m_audio->GetParamText(code), &value) ? std::clamp(value, lo, hi) : lo;
  };
  for (int i = 0; i < 4; ++i) {
    double level = VolumeScale::kSilentDb;
    ScanDouble(m_audio->GetParamText(i), &level);
    state.volume[i] = ClampVolume(i, level);
  }
  state.attenuation = whole(CMiscAudio::BACK_ATT, kMinAttenuation, kMaxAttenuation);
  state.extAlarmInput = whole(CMiscAudio::EXT_ALARM_INP, 0, CMiscAudio::kMaxInput);
  state.extTextInput = whole(CMiscAudio::EXT_MSG_INP, 0, CMiscAudio::kMaxInput);
  state.programInput = whole(CMiscAudio::BACK_INP, 0, CMiscAudio::kMaxInput);
  return state;
}

void BackgroundSettings::SendNow(int code) {
  if (m_audio && m_online()) m_send(code);
}

double BackgroundSettings::ChangeVolume(int volume, double level) {
  if (volume < 0 || volume > 3) return level;
  const double kept = ClampVolume(volume, level);
  if (m_audio) m_audio->SetParamText(volume, Fmt("%f", kept));
  SendNow(volume);
  return kept;
}

int BackgroundSettings::ChangeAttenuation(int value) {
  const int kept = ClampAttenuation(value);
  if (m_audio) m_audio->SetParamText(CMiscAudio::BACK_ATT, Fmt("%d", kept));
  SendNow(CMiscAudio::BACK_ATT);
  return kept;
}

void BackgroundSettings::Save(const State& state) {
  if (!m_audio) return;
  m_audio->SetParamText(CMiscAudio::EXT_ALARM_INP, Fmt("%d", std::clamp(state.extAlarmInput, 0, 3)));
  m_audio->SetParamText(CMiscAudio::EXT_MSG_INP, Fmt("%d", std::clamp(state.extTextInput, 0, 3)));
  m_audio->SetParamText(CMiscAudio::BACK_INP, Fmt("%d", std::clamp(state.programInput, 0, 3)));
  m_audio->SetParamText(CMiscAudio::BACK_ATT, Fmt("%d", ClampAttenuation(state.attenuation)));
  for (int i = 0; i < 4; ++i) m_audio->SetParamText(i, Fmt("%f", ClampVolume(i, state.volume[i])));
}
