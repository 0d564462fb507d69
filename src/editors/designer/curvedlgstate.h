#ifndef SELV_EDITORS_DESIGNER_CURVEDLGSTATE_H
#define SELV_EDITORS_DESIGNER_CURVEDLGSTATE_H

#include <QString>

#include <optional>

class CVirtCtrlItem;

// What the properties dialog of a virtual-controller item shows and decides:
// the item's name, identifier and wiring texts, the live output value (kept
// in range and to one decimal) and the rename on OK. Holds the item without
// owning it; Forget() drops it when the item goes while the dialog is open.
class CurveDlgState final {
 public:
  static constexpr double kMinValue = 0.0;
  static constexpr double kMaxValue = 100.0;
  // The slider moves in tenths, so 0..1000 covers the value range.
  static constexpr int kSliderMax = 1000;

  enum class NameCheck { Ok, Unchanged, Empty, NotLatin1 };

  explicit CurveDlgState(CVirtCtrlItem* item);

  // Reads name, identifier and wiring from the project.
  void Load();
  void Forget() { m_item = nullptr; }
  bool HasItem() const noexcept { return m_item != nullptr; }

  int ItemId() const noexcept { return m_id; }
  const QString& Name() const noexcept { return m_name; }
  QString IdText() const;
  // What drives the item (items, shaft encoders, analog inputs) and what it
  // drives (an item, destinations); empty when nothing is wired.
  const QString& DrivenBy() const noexcept { return m_drivenBy; }
  const QString& Drives() const noexcept { return m_drives; }

  // Output value: NaN and values outside 0..100 are brought into range, and
  // the value is rounded to one decimal.
  static double ClampValue(double value);
  static int SliderPosition(double value);
  static double SliderValue(int position);
  double Value() const noexcept { return m_value; }
  // A change by the user: the value to send to the unit, or nothing when the
  // value (after clamping) is the one already sent.
  std::optional<double> ChangeValue(double value);

  // The name as it would be applied (surrounding blanks dropped) and whether
  // it can be.
  static QString CleanName(const QString& text);
  NameCheck CheckName(const QString& text) const;
  // OK: a changed name is made unique among the project's names (telling the
  // user when it had to be changed). A name that cannot be taken is refused
  // with a message and false; the item then keeps its name.
  bool ApplyName(const QString& text);
  // The item's name changed through ApplyName.
  bool Renamed() const noexcept { return m_renamed; }

 private:
  CVirtCtrlItem* m_item;
  int m_id = 0;
  QString m_name;
  QString m_drivenBy;
  QString m_drives;
  double m_value = kMinValue;
  bool m_renamed = false;
};

#endif
