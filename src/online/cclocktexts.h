#ifndef SELV_ONLINE_CCLOCKTEXTS_H
#define SELV_ONLINE_CCLOCKTEXTS_H

#include <QString>

#include <array>

// The last value the unit reported for each clock key, in this order: main
// time, main date, radio-clock time, radio-clock date, radio-clock
// reception, slave time, slave run, slave invert, slave overload.
struct CClockTexts {
  enum Key : int {
    MainTime = 0,
    MainDate,
    DcfTime,
    DcfDate,
    DcfReceive,
    SlaveTime,
    SlaveRun,
    SlaveInvert,
    SlaveOverload,
    KeyCount
  };
  std::array<QString, KeyCount> texts;

  void Clear() {
    for (QString& text : texts) text.clear();
  }
  const QString& operator[](int key) const { return texts[static_cast<size_t>(key)]; }
  QString& operator[](int key) { return texts[static_cast<size_t>(key)]; }
};

#endif
