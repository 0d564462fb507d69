#ifndef SELV_LOGIC_CCLOCK_H
#define SELV_LOGIC_CCLOCK_H

#include "model/cbasedevice.h"

#include <QString>

class IClockWindow;

// The project's clock (one per project, ID 1, path "/CLOCK"): the slave
// clock's invert and run settings ("ON"/"OFF"), and the open clock window,
// to which it passes every clock reply line. The window registers itself
// and must unregister before it goes; the clock owns nothing.
class CClock final : public CBaseDevice {
  SELV_DECLARE_SERIAL(CClock)

 public:
  static constexpr int kStepCount = 2;

  CClock();

  void Serialize(CArchive& ar) override;
  // 0 the slave invert setting, 1 the slave run setting.
  int Download(bool bQuery, int nStep) override;
  // Stores "/SLAVE/INVERT" and "/SLAVE/RUN" answers and hands every line to
  // the registered window.
  bool Upload(const QString& line, QString& errorFilePath, int mode) override;

  const QString& GetSlaveInvert() const { return m_slaveInvert; }
  const QString& GetSlaveRun() const { return m_slaveRun; }
  void SetSlaveInvert(bool on);
  void SetSlaveRun(bool on);

  void SetClockWindow(IClockWindow* window) { m_window = window; }
  IClockWindow* GetClockWindow() const { return m_window; }

  static QString Path();

 protected:
  QString BuildCommandPath() const override;

 private:
  QString m_slaveInvert = QStringLiteral("OFF");
  QString m_slaveRun = QStringLiteral("OFF");
  IClockWindow* m_window = nullptr;
};

#endif
