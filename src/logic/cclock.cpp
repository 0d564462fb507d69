#include "logic/cclock.h"

#include "logic/iclockwindow.h"
#include "macros/rangelist.h"
#include "model/carchive.h"

SELV_IMPLEMENT_SERIAL(CClock, 1)

namespace {

// "ON" or "OFF"; anything else the unit might say is taken as OFF.
QString NormalizeOnOff(const QString& text) {
  bool on = false;
  return OnOffText(ParseBoolText(text.trimmed(), &on) && on);
}

}  // namespace

CClock::CClock() { SetType(DT_CLOCK); }

void CClock::Serialize(CArchive& ar) {
  CBaseDevice::Serialize(ar);
  if (ar.IsStoring()) {
    ar << m_slaveInvert << m_slaveRun;
    return;
  }
  QString invert, run;
  ar >> invert >> run;
  m_slaveInvert = NormalizeOnOff(invert);
  m_slaveRun = NormalizeOnOff(run);
}

QString CClock::Path() { return QStringLiteral("/CLOCK"); }

QString CClock::BuildCommandPath() const { return Path(); }

void CClock::SetSlaveInvert(bool on) {
  m_slaveInvert = OnOffText(on);
  SetModified();
}

void CClock::SetSlaveRun(bool on) {
  m_slaveRun = OnOffText(on);
  SetModified();
}

int CClock::Download(bool bQuery, int nStep) {
  if (nStep < 0) return kStepCount;
  if (nStep >= kStepCount) return -1;
  return nStep == 0 ? SendStep(bQuery, nStep, Path(), QStringLiteral("/SLAVE/INVERT"), m_slaveInvert)
                    : SendStep(bQuery, nStep, Path(), QStringLiteral("/SLAVE/RUN"), m_slaveRun);
}

bool CClock::Upload(const QString& line, QString& errorFilePath, int mode) {
  (void)errorFilePath;
  (void)mode;
  if (m_window != nullptr) m_window->ParseClockReply(QLatin1Char('/') + line);
  QString key, value;
  if (!SplitUploadLine(line, &key, &value)) return m_window != nullptr;
  QString* setting = nullptr;
  if (key.compare(QLatin1String("/SLAVE/INVERT"), Qt::CaseInsensitive) == 0) setting = &m_slaveInvert;
  if (key.compare(QLatin1String("/SLAVE/RUN"), Qt::CaseInsensitive) == 0) setting = &m_slaveRun;
  if (setting == nullptr) return m_window != nullptr;
  // A garbled answer keeps the setting the project holds.
  bool on = false;
  if (!ParseBoolText(value.trimmed(), &on)) return m_window != nullptr;
  const QString text = OnOffText(on);
  if (*setting != text) {
    *setting = text;
    SetModified();
  }
  return true;
}
