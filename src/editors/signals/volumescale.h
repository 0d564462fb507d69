#pragma once

#include <QString>

#include <vector>

// The volume sliders' scale: positions 0 (top, +6 dB) to 87 (bottom, silent).
// Linear from the top down to the knee position (-6 dB), logarithmic below
// it. Also the limits of each volume control (panic may go above 0 dB).
class VolumeScale final {
 public:
  static constexpr int kBottom = 87;
  static constexpr double kSilentDb = -80.0;
  static int Knee();
  static double LevelOf(int position);
  // The position of a level, kept within the slider's travel.
  static int PositionOf(double level, bool bPanic);
  // The highest slider position a control reaches (0 panic, 25 = 0 dB else).
  static int TopPosition(bool bPanic);
  static double MaxLevel(bool bPanic) { return bPanic ? 6.0 : 0.0; }
  // Spin value (counted from the bottom) kept within the control's range.
  static int ClampSpin(int value, bool bPanic);
  static int SpinOf(int position) { return kBottom - position; }
  // The tick marks of a control's slider: a quarter, a half, three quarters
  // and the whole of the knee (+3, 0, -3, -6 dB), then -20, -40 and -60 dB;
  // only those on the control's travel.
  static std::vector<int> TickPositions(bool bPanic);
  // "%.1f" of the level, "OFF" at the silent level.
  static QString Text(double level);
};
