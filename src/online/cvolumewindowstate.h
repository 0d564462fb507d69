#ifndef SELV_ONLINE_CVOLUMEWINDOWSTATE_H
#define SELV_ONLINE_CVOLUMEWINDOWSTATE_H

#include <QPointer>
#include <QString>
#include <QStringList>

#include <array>
#include <vector>

class CSelvantisDoc;
class IDeviceLink;
class QObject;

// What the volume window shows, stores and sends, without widgets: the six
// channels (inputs IN1 to IN4, chime, messages) with their slider scales,
// limits, project storage and command paths. Slider positions grow
// downwards: an input slider runs from 0 dB (position -150) to -150 dB
// (position 0), the chime and message sliders from +6 dB (-150) to -150 dB
// (6). The project objects are looked up anew each time.
class CVolumeWindowState final {
 public:
  enum Channel : int { IN1 = 0, IN2, IN3, IN4, Chime, Messages, kChannelCount };
  static constexpr double kMinLevel = -150.0;
  static constexpr double kDefaultLowerLimit = -40.0;

  struct ChannelInfo {
    int sliderId;
    int editId;
    const char* commandPath;  // followed by the level
    const char* replyKey;     // the reply path without "/AUDIO/"
    const char* profileKey;   // lower limit of chime and messages, else null
  };
  static const ChannelInfo kChannels[kChannelCount];

  explicit CVolumeWindowState(CSelvantisDoc* doc);

  static bool IsChannel(int channel) { return channel >= 0 && channel < kChannelCount; }
  static bool IsInput(int channel) { return channel >= IN1 && channel <= IN4; }
  // The channel of a slider or edit id, -1 for another id.
  static int ChannelOfSlider(int sliderId);
  static int ChannelOfEdit(int editId);

  static int SliderMin(int channel) { return -150; }
  static int SliderMax(int channel) { return IsInput(channel) ? 0 : 6; }
  // Tick positions: every 10 from the top (0, -10, ..., -140 dB).
  static std::vector<int> TickPositions(int channel);
  // The level of a slider position (not limited).
  static double ValueFromPosition(int channel, int position);
  // The position for a level (truncated toward zero), kept on the slider.
  static int PositionFor(int channel, double value);
  // Lowest level a slider gives: -150 for the inputs; for chime and messages
  // the profile's "MinChimeVol" / "MinMessageVol" (-40.0 when missing, not a
  // number, or outside -150 .. 6).
  static double LowerLimit(int channel);
  // The level a slider position gives, raised to the lower limit.
  static double SliderLevel(int channel, int position);
  // Highest level a confirmed value keeps: +6 dB on every channel (the
  // sliders of chime and messages reach it, and the project keeps it).
  static double UpperLimit(int channel) { return 6.0; }
  // A confirmed level kept within -150 and the upper limit.
  static double Clamp(int channel, double value);
  // "%4.1f" (while scrolling) and "%.1f" (confirmed).
  static QString TrackText(double value);
  static QString ConfirmedText(double value);
  static QString Command(int channel, const QString& text);

  // The level texts the project holds ("" when the object is missing).
  QString ProjectText(int channel) const;
  // Hands the six texts to the project objects (which keep their own
  // limits). Missing objects are skipped.
  void StoreLevels(const std::array<QString, kChannelCount>& texts);
  void SetModified();

  static QStringList QueryLines();
  bool QueryLevels(IDeviceLink& link, QObject* replyTarget) const;
  // Sends one channel's level line (only while on line).
  void SendLevel(IDeviceLink& link, int channel, const QString& text) const;

  struct ReplyItem {
    int channel;
    QString value;
  };
  // The level replies among the lines, in order; other lines, echoed queries
  // and lines without a blank are skipped.
  static std::vector<ReplyItem> ParseReply(const QStringList& lines);

 private:
  QPointer<CSelvantisDoc> m_doc;
};

#endif
