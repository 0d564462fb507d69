#ifndef SELV_ONLINE_CREMOTEAMPSTATE_H
#define SELV_ONLINE_CREMOTEAMPSTATE_H

#include <QString>
#include <QStringList>

#include <cstdint>

// What the remote amplifier dialog shows and sends, without widgets: the
// command texts for one amplifier on the amplifier bus, the status poll
// steps, the reply parsing into the shown values, the slider scales and the
// level meters with their decay. The dialog copies View into its controls.
//
// The sliders are vertical with their minimum at the top, so the value is
// the mirror of the position: volume = -78 - position (top 0 dB, bottom
// -78 dB), offset = -1 - position (top 127, bottom -128).
class CRemoteAmpState final {
 public:
  static constexpr int kVolumeMinPos = -78;
  static constexpr int kVolumeMaxPos = 0;
  static constexpr int kOffsetMinPos = -128;
  static constexpr int kOffsetMaxPos = 127;
  static constexpr int kOutMeterMax = 60;
  static constexpr int kInMeterMax = 50;
  static constexpr int kOutMeterOffset = 40;
  static constexpr int kInMeterOffset = 30;
  static constexpr int kMeterDecayStep = 10;
  static constexpr int kMaxChannels = 4;
  static constexpr int kPollKeyCount = 13;
  static constexpr int kNoMeterValue = -128;

  static constexpr int kStatusTimerId = 3000;
  static constexpr int kMeterTimerId = 1000;
  static constexpr int kDecayTimerId = 500;
  static constexpr int kStatusPeriodMs = 2000;
  static constexpr int kMeterPeriodMs = 1000;
  static constexpr int kDecayPeriodMs = 500;

  static constexpr uint32_t kStrChannel = 34371;
  static constexpr uint32_t kStrAddress = 34550;
  static constexpr uint32_t kStrNotPresent = 34561;
  static constexpr uint32_t kStrOn = 34562;
  static constexpr uint32_t kStrOff = 34563;

  // Everything the dialog shows that comes from the unit or the user.
  struct View {
    QString type, name, firmware, lastError, relayMapping, channelMapping;
    QString overtemperature, ready, outputConfig, measurement;
    QString volumeText, offsetText;
    bool pilotDetection = false, groundDetection = false;
    bool mainPower = false, battery = false, pilotGenerator = false, faultReset = false;
    bool mute = false, channelPilot = false, channelGround = false, channelOvertemp = false;
    int volumePos = kVolumeMaxPos;
    int offsetPos = kOffsetMaxPos;
    int inMeter = 0, outMeter = 0;
    int tabCount = 0;
    bool tabsVisible = false;
    // Grows whenever a reply sets the name, so the edit is written only then
    // and the user's typing is left alone otherwise.
    int nameRevision = 0;
  };

  // address: the amplifier's bus address (negative: none).
  explicit CRemoteAmpState(int address);

  int Address() const noexcept { return m_address; }
  bool HasAddress() const noexcept { return m_address >= 0; }
  int Channel() const noexcept { return m_nChannel; }
  // The channel of a tab (counted from 0); no tab keeps the channel shown.
  void SelectTab(int index);
  QString TabTitle(int index) const;
  const View& GetView() const noexcept { return m_view; }
  bool IsVolumeDragging() const noexcept { return m_bVolumeDragging; }
  bool IsOffsetDragging() const noexcept { return m_bOffsetDragging; }
  int VuIn() const noexcept { return m_nVuIn; }
  int VuOut() const noexcept { return m_nVuOut; }
  // True once the unit said the amplifier is missing: replies change nothing
  // afterwards.
  bool IsAmplifierMissing() const noexcept { return m_missing; }

  // "Address" followed by the address in lower-case hexadecimal.
  QString Caption() const;
  // "/AMP/ADR%x/" and "/AMP/ADR%x/CHAN%d/".
  QString AmpPrefix() const;
  QString ChannelPrefix() const;
  QStringList IdentityQueries() const;
  QStringList MeterQueries() const;
  // The status poll of a step: the 13 keys from position step on.
  QStringList StatusPollList(int step) const;
  // The step the next poll of any amplifier dialog uses; it runs on from
  // one opening to the next.
  static int& PollStep();
  // The list of the current step; advances the step (0 .. 12, then 0).
  QStringList NextStatusPoll() const;

  QString NameCommand(const QString& name) const;
  QString ResetGroundFaultCommand() const;
  QString PilotGeneratorCommand(bool on) const;
  QString PowerSourceCommand(bool mainPower, bool battery) const;
  QString MuteCommand(bool on) const;

  // A scroll notification of a slider at position; held: the user holds the
  // slider with the mouse (replies then leave it alone until released).
  // Returns the command to send.
  QString VolumeScrolled(int position, bool held);
  QString OffsetScrolled(int position, bool held);
  void VolumeReleased() { m_bVolumeDragging = false; }
  void OffsetReleased() { m_bOffsetDragging = false; }
  static int VolumeFromPosition(int position) { return -78 - position; }
  static int OffsetFromPosition(int position) { return -1 - position; }
  static QString DbText(int value);

  // One tick of the meter decay.
  void DecayMeters();
  // A meter position falling toward its reading plus offset: by at most the
  // decay step, never below the target.
  static int Decayed(int position, int target);

  // Applies the reply lines in order. False when the unit reported the
  // amplifier missing ("amp not available"); the lines after it are not
  // applied.
  bool ApplyReply(const QStringList& lines);

 private:
  void ApplyAmpKey(const QString& key, const QString& value, bool* handled);
  void ApplyChannelKey(const QString& key, const QString& value);

  int m_address;
  int m_nChannel = 1;
  int m_nVuIn = kNoMeterValue;
  int m_nVuOut = kNoMeterValue;
  bool m_bOffsetDragging = false;
  bool m_bVolumeDragging = false;
  bool m_missing = false;
  View m_view;
};

#endif
