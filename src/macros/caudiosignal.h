#ifndef SELV_MACROS_CAUDIOSIGNAL_H
#define SELV_MACROS_CAUDIOSIGNAL_H

#include "model/cbasedevice.h"

#include <QString>
#include <QStringList>

#include <memory>

class CSelvantisDoc;

// Base of the audio signals (alarm, chime, prerecorded text message and the
// internal text message): a priority (value 1, 1..10), a message number
// (value 2) and the objects it is wired to. Input pin 0 carries the source
// (alarm generator, gong or message) and the start macro, input pin 1 the
// stop macro; output pin 0 leads to the macros that play the signal
// (their parameter 32, 33, 34 or 5).
class CAudioSignal : public CBaseDevice {
 public:
  static constexpr int kKindAlarm = 32822;
  static constexpr int kKindChime = 32823;
  static constexpr int kKindMessage = 32824;  // "Prerecorded text message"
  static constexpr int kKindText = 34538;     // the internal text message
  static constexpr int kMinPriority = 1;
  static constexpr int kMaxPriority = 10;
  static constexpr int kPinSource = 0;
  static constexpr int kPinStartMacro = 0;
  static constexpr int kPinStopMacro = 1;
  // A signal fed on this input by a message sequence is not the editor's.
  static constexpr int kPinSequence = 2;

  ~CAudioSignal() override;

  void Serialize(CArchive& ar) override;

  // which 1: the priority, 2: the message number, as "%d"; empty otherwise.
  void GetValueText(QString* out, int which) const;
  QString GetValueText(int which) const;
  // which 1: the priority, forced to 1 outside 1..10 (and for a text that is
  // no number); 2: the message number (0..255; a text that is no number
  // leaves it as it was).
  void SetValueText(int which, const QString& text);
  int GetPriority() const { return m_priority; }
  int GetMessageNumber() const { return m_messageNumber; }

  // The type of the objects that produce this signal (1 alarm generators,
  // 11 gongs, 25 messages).
  virtual int GetSourceType() const = 0;
  CBaseDevice* GetSource() const;
  // Wires the source on pin 0 of both (null: none).
  void SetSource(CBaseDevice* source);
  CBaseDevice* GetStartMacro() const;
  CBaseDevice* GetStopMacro() const;
  void SetStartMacro(CBaseDevice* macro);
  void SetStopMacro(CBaseDevice* macro);
  // Removes the source and the start and stop macros. The macros that play
  // the signal stay linked: an editor that rewrites the signal's own wiring
  // must not unlink every macro that uses it.
  void RemoveOwnConnections();
  // True when a message sequence feeds the signal (the editor hides it).
  bool IsFedBySequence() const;

  // Priority, source, message number and macros as command lines.
  int Download(bool bQuery, int nStep) override;
  bool Upload(const QString& line, QString& errorFilePath, int mode) override;
  QString GetToolTipText() const override;

  // Creates a signal of the kind through the document's factories (types
  // 28, 29, 30, 60); null when the pool is full or the kind is no signal
  // kind.
  static CAudioSignal* CreateSignal(int kind, CSelvantisDoc& doc);
  static int TypeOfKind(int kind);
  static bool IsSignalKind(int kind);

  // What each signal class registers from its source file: the document's
  // factory for type (make gives a blank object; a kind of another type is
  // replaced by kind) and the selection of the signals of type under kind
  // (name and ID, chosen by ID). Returns true, for a static initialiser.
  using Maker = std::unique_ptr<CAudioSignal> (*)();
  static bool RegisterSignalType(int type, int kind, Maker make);

 protected:
  CAudioSignal(int type, int defaultPriority);
  QString BuildCommandPath() const override;
  // "ALARM", "CHIME", "MESSAGE", "TEXT": the path is "/SIGNAL/<word><id>".
  virtual const char* PathWord() const = 0;
  virtual bool HasMacros() const { return true; }
  virtual bool HasMessageNumber() const { return false; }

 private:
  struct Line {
    const char* key;
    int field;
  };
  std::vector<Line> Lines() const;
  CBaseDevice* InputOfType(int pin, int type) const;
  void SetInputOfType(int pin, int type, CBaseDevice* peer);

  int m_priority = kMinPriority;
  int m_messageNumber = 0;
};

#endif
