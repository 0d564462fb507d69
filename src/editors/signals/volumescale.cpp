#include "editors/signals/volumescale.h"

#include "model/ctext.h"

#include <algorithm>
#include <cmath>

int VolumeScale::Knee() {
  static const int knee = static_cast<int>(kBottom * std::log10(13.0) / std::log10(double(kBottom)) + 0.5);
  return knee;
}

double VolumeScale::LevelOf(int position) {
  const int p = std::clamp(position, 0, kBottom);
  if (p <= Knee()) return 6.0 - 12.0 * p / Knee();
  return 7.0 - std::pow(double(kBottom), p / double(kBottom));
}

int VolumeScale::PositionOf(double level, bool bPanic) {
  // Out-of-range levels would take the logarithm of a non-positive number or
  // land above the top; keep them on the travel instead.
  const double l = std::clamp(level, kSilentDb, MaxLevel(bPanic));
  int position;
  if (l < -6.0)
    position = static_cast<int>(kBottom * std::log10(7.0 - l) / std::log10(double(kBottom)) + 0.5);
  else
    position = static_cast<int>((6.0 - l) * Knee() / 12.0 + 0.5);
  return std::clamp(position, TopPosition(bPanic), int(kBottom));
}

int VolumeScale::TopPosition(bool bPanic) { return bPanic ? 0 : PositionOf(0.0, true); }

int VolumeScale::ClampSpin(int value, bool bPanic) { return std::clamp(value, 0, kBottom - TopPosition(bPanic)); }

std::vector<int> VolumeScale::TickPositions(bool bPanic) {
  const int knee = Knee();
  std::vector<int> ticks{knee / 4, knee / 2, 3 * knee / 4, knee};
  for (double level : {-20.0, -40.0, -60.0}) ticks.push_back(PositionOf(level, true));
  const int top = TopPosition(bPanic);
  ticks.erase(std::remove_if(ticks.begin(), ticks.end(), [top](int position) { return position < top; }), ticks.end());
  return ticks;
}

QString VolumeScale::Text(double level) {
  if (level <= kSilentDb) return QStringLiteral("OFF");
  return Fmt("%.1f", level);
}
