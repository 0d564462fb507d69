#ifndef SELV_LOGIC_CCONDITION_H
#define SELV_LOGIC_CCONDITION_H

#include "logic/cpadreference.h"
#include "logic/logicstrings.h"
#include "model/cbasedevice.h"

#include <QString>
#include <QStringList>

#include <vector>

// A plain condition: true while its source (a control input, a console, a
// memo flag, ...) is at the chosen level. The condition type is the object's
// kind. The source is kept as a number, so that a reference to an object that
// is not (or no longer) in the project survives; while the object exists it
// is also linked on input pin 0.
class CCondition : public CBaseDevice {
  SELV_DECLARE_SERIAL(CCondition)

 public:
  // Condition types (kinds). kKindCondition is the untyped condition that
  // other objects create as a placeholder.
  static constexpr int kKindCondition = IDS_CONDITION;
  static constexpr int kKindInput = IDS_COND_INPUT;
  static constexpr int kKindConsole = IDS_COND_CONSOLE;
  static constexpr int kKindMemoFlag = IDS_COND_MEMO_FLAG;
  static constexpr int kKindAmplifierError = IDS_AMPLIFIER_ERROR;
  static constexpr int kKindZoneFault = IDS_COND_ZONE_FAULT;
  static constexpr int kKindFault = IDS_COND_FAULT;
  static constexpr int kKindAnalog = IDS_COND_ANALOG;
  static constexpr int kKindBusy = IDS_COND_BUSY;
  static constexpr int kKindCombine = IDS_COND_COMBINE;
  static constexpr int kKindReadyInput = IDS_COND_READY_INPUT;
  static constexpr int kKindMacro = IDS_COND_MACRO;
  // Source value of a new "Amplifier Error" condition: every amplifier.
  static constexpr int kAllAmplifiers = 255;
  static constexpr int kPinSource = 0;

  CCondition();

  void Serialize(CArchive& ar) override;

  // 2 "ON"/"OFF" of the level, 3 "", 4 the source's name, or "%d *" of the
  // source number when that object is missing ("" without a source).
  void GetColumnText(QString& out, int column) const;
  // 2 the level flag, 4 the source number, 5 the condition type.
  int GetValue(int column) const;
  // 2 level; 4 source by number (linked when the object exists); 5 type (a
  // kind that is no condition type is refused; a type whose sources are of
  // another kind drops the old source).
  void SetValue(int column, int value, const QString& text = QString());
  // The selection kind of the objects the condition type refers to, 0 for a
  // type without source objects.
  int GetSourceObjectKind() const { return GetSourceObjectKind(GetKind()); }
  static int GetSourceObjectKind(int conditionKind);
  // The type code of the source objects, 0 for none.
  static int GetSourceObjectType(int conditionKind);

  // The condition types in the order the selection offers them.
  static std::vector<int> ConditionTypes();
  static bool IsConditionType(int kind);
  // The unit's keyword of a type ("INPUT", ...), and back (0 when unknown).
  static QString TypeKeyword(int kind);
  static int TypeOfKeyword(const QString& keyword);

  bool GetLevel() const { return m_level; }
  // The source object while it exists, else null.
  CBaseDevice* GetSourceObject() const;

  // Lines of this condition for the condition block (path, the entry's key
  // and the value; the query form with bQuery).
  QStringList GetLines(const QString& prefix, bool bQuery) const;
  // The lines that mark entry n unused on the unit, and the queries of an
  // entry whose object the project does not hold.
  static QStringList UnusedLines(const QString& prefix);
  static QStringList QueryLines(const QString& prefix);
  // One field of an uploaded entry ("TYPE", "LEVEL", "INPUT", "SOURCE").
  // False when the field is unknown or the value unusable.
  bool ParseField(const QString& field, const QString& value, const QString& errorFilePath);

 private:
  void Relink();

  bool m_level = true;
  int m_source = 0;
  // An input condition's pad keyword from an upload, until its number arrives.
  CPadReference m_pad;
};

#endif
