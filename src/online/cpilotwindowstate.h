#ifndef SELV_ONLINE_CPILOTWINDOWSTATE_H
#define SELV_ONLINE_CPILOTWINDOWSTATE_H

#include <QPointer>
#include <QString>
#include <QStringList>

class CInternalPilottoneGen;
class CSelvantisDoc;
class IDeviceLink;
class QObject;

// What the pilot-tone window shows and sends, without widgets: the
// generator's switch, frequency and four output levels as the project holds
// them, the output the level slider works on, and whether the user holds a
// slider (replies for that quantity are then ignored, so a late reply does
// not move a control under the mouse). User changes always go into the
// project; the returned command lines are what goes to the unit, empty while
// off line. The generator is looked up anew each time: a project without one
// shows defaults and sends nothing.
class CPilotWindowState final {
 public:
  static constexpr const char* kPathRoot = "/PILOT/";
  static constexpr int kOutputCount = 4;
  static constexpr int kPollPeriodMs = 1500;
  static constexpr int kFrequencySliderMin = 10;
  static constexpr int kFrequencySliderMax = 19000;
  static constexpr int kLevelSliderMin = -150;
  static constexpr int kLevelSliderMax = 0;
  static constexpr int kLevelBarMax = 150;

  // What a reply changed.
  struct Changes {
    bool on = false;
    bool frequency = false;
    bool levels[kOutputCount] = {false, false, false, false};
  };

  explicit CPilotWindowState(CSelvantisDoc* doc);

  // Back to the opening state: no output selected, no slider held.
  void Reset();
  CInternalPilottoneGen* Generator() const;

  bool IsOn() const;
  float Frequency() const;
  QString FrequencyText() const;   // "%.1f"
  int FrequencySliderPos() const;  // whole Hz, within the slider's range
  float Level(int output) const;
  QString LevelText(int output) const;  // "%.1f"
  int LevelBarPos(int output) const;    // level + 150
  // The level slider position of a level: -150 - level (top is 0 dB).
  static int LevelSliderPosOf(float level);

  int SelectedOutput() const { return m_selected; }
  bool IsFrequencyDragged() const { return m_frequencyDrag; }
  bool IsLevelDragged() const { return m_levelDrag; }

  // ---- User actions (the lines to send while online, else none) ----------
  QStringList SetOn(bool on, bool online);
  // A slider move; dragging tells whether the user still holds it.
  QStringList FrequencyFromSlider(int position, bool dragging, bool online);
  // The edit's text; text that is no number keeps the stored frequency.
  QStringList FrequencyFromText(const QString& text, bool online);
  // Selects output 0..3; false (nothing changed) for another index.
  bool SelectOutput(int output);
  // Works on the selected output; nothing without one.
  QStringList LevelFromSlider(int position, bool dragging, bool online);
  // The edit of output; taken only when it is the selected (writable) one.
  QStringList LevelFromText(int output, const QString& text, bool online);
  void ReleaseFrequencySlider() { m_frequencyDrag = false; }
  void ReleaseLevelSlider() { m_levelDrag = false; }

  static QStringList PollCommands();
  // Upload: the five queries; download: frequency and levels ("%f").
  QStringList TransferCommands(bool bUpload) const;
  bool Transfer(IDeviceLink& link, QObject* replyTarget, bool bUpload) const;

  // Takes the reply lines of a command list; echoes, unknown keys and
  // values that are no number change nothing.
  Changes ApplyReply(const QStringList& lines);

 private:
  QPointer<CSelvantisDoc> m_doc;
  int m_selected = -1;
  bool m_frequencyDrag = false;
  bool m_levelDrag = false;
};

#endif
