#include "linktestdevice.h"

#include "link/linkmode.h"
#include "model/carchive.h"
#include "model/cselvantisdoc.h"
#include "model/ctext.h"
#include "model/errorfile.h"

SELV_IMPLEMENT_SERIAL(CLinkTestDevice, 1)

QString CLinkTestDevice::BuildCommandPath() const { return Fmt("/TEST%d", m_nID); }

void CLinkTestDevice::Serialize(CArchive& ar) {
  CBaseDevice::Serialize(ar);
  if (ar.IsStoring())
    ar << m_values;
  else
    ar >> m_values;
}

int CLinkTestDevice::Download(bool bQuery, int nStep) {
  if (nStep < 0) return m_values.size();
  if (nStep >= m_values.size()) return -1;
  ++m_calls;
  if (m_beforeStep) m_beforeStep(nStep);
  if (bQuery && m_waitForAnswer && nStep == 0) {
    // Asked once; repeated until the answer came.
    if (m_answered) return 1;
    if (!m_asked) {
      m_asked = true;
      SendStep(true, nStep, GetPath(), Fmt("/V%d", nStep), QString());
    }
    return nStep;
  }
  return SendStep(bQuery, nStep, GetPath(), Fmt("/V%d", nStep), m_values[nStep], m_shorten);
}

bool CLinkTestDevice::Upload(const QString& line, QString& errorFilePath, int mode) {
  m_routed.append(line);
  QString key, value;
  if (!SplitUploadLine(line, &key, &value)) return false;
  if (mode != LINKMODE_UPLOAD) return true;
  int n = -1;
  if (!key.startsWith(QLatin1String("/V")) || !ScanInt(key.mid(2), &n) || n < 0 || n >= m_values.size()) return false;
  m_values[n] = value;
  // An answer the project does not expect is noted in the error file.
  if (value == QLatin1String("MISMATCH")) AppendErrorLine(errorFilePath, GetPath() + key + QStringLiteral(" mismatch"));
  if (n == 0) m_answered = true;
  return true;
}

CLinkTestDevice* AddLinkTestDevice(CSelvantisDoc& doc, int id, int count, int width) {
  auto object = std::make_unique<CLinkTestDevice>();
  for (int i = 0; i < count; ++i) {
    QString value = Fmt("v%d", i);
    if (width > value.size()) value += QString(width - value.size(), QLatin1Char('x'));
    object->m_values.append(value);
  }
  if (!object->CreateWithID(0, Fmt("Test %d", id), id, CAT_MISC, &doc)) return nullptr;
  return doc.Adopt(std::move(object));
}
