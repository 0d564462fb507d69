#pragma once

#include <functional>

class CMiscAudio;

// What the common audio settings page reads and writes: the volumes, the
// program attenuation and the three inputs of the unit's audio object.
// Volume and attenuation changes are stored at once and, while the unit is
// connected, sent at once; Apply stores everything and sends nothing.
class BackgroundSettings final {
 public:
  static constexpr int kMinAttenuation = -41;
  static constexpr int kMaxAttenuation = 0;

  struct State {
    double volume[4] = {0.0, 0.0, 0.0, 0.0};  // alarm, chime, text, panic
    int attenuation = 0;
    int extAlarmInput = 0;
    int extTextInput = 0;
    int programInput = 0;
  };

  // online tells whether the unit is connected; send puts one setting on the
  // line. By default: the active document's link and the object's own sending.
  explicit BackgroundSettings(CMiscAudio* audio, std::function<bool()> online = {},
                              std::function<void(int code)> send = {});

  CMiscAudio* Audio() const noexcept { return m_audio; }
  static bool IsPanic(int volume) { return volume == 3; }
  // The level a volume control may take.
  static double ClampVolume(int volume, double level);
  static int ClampAttenuation(int value);

  State Load() const;
  // Stores one volume (0..3) or the attenuation and sends it when online.
  // Returns the value kept.
  double ChangeVolume(int volume, double level);
  int ChangeAttenuation(int value);
  void Save(const State& state);

 private:
  void SendNow(int code);

  CMiscAudio* m_audio;
  std::function<bool()> m_online;
  std::function<void(int)> m_send;
};
