#include "editors/designer/curvedlgstate.h"

#include "macros/cvirtctrl.h"
#include "macros/cvirtctrlitem.h"
#include "model/cidmanager.h"
#include "model/cmessagesink.h"
#include "model/cselvantisdoc.h"
#include "model/ctext.h"
#include "model/devicetype.h"
#include "model/modelstrings.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>
#include <cmath>

CurveDlgState::CurveDlgState(CVirtCtrlItem* item) : m_item(item) {}

void CurveDlgState::Load() {
  m_drivenBy.clear();
  m_drives.clear();
  if (!m_item) {
    m_id = 0;
    m_name.clear();
    return;
  }
  m_id = m_item->GetID();
  m_name = m_item->GetName();
  CSelvantisDoc* doc = m_item->GetDocument();
  const CVirtCtrl* block = doc ? CVirtCtrl::Find(doc) : nullptr;
  if (!block) return;
  m_drivenBy = block->SourcesText(m_id);
  // An item used as a source keeps the item it drives in its own record.
  QStringList drives;
  if (const int driven = block->GetLink(CVirtCtrl::G_ITEM, m_id - 1)) {
    if (CBaseDevice* other = doc->GetIDManager().FindBaseDevice(driven, DT_VIRTCTRLITEM)) drives << other->GetName();
  }
  const QString destinations = block->DestinationsText(m_id);
  if (!destinations.isEmpty()) drives << destinations;
  m_drives = drives.join(QLatin1Char(','));
}

QString CurveDlgState::IdText() const { return m_id > 0 ? Fmt("%d", m_id) : QString(); }

double CurveDlgState::ClampValue(double value) {
  if (std::isnan(value)) return kMinValue;
  const double clamped = std::clamp(value, kMinValue, kMaxValue);
  return std::round(clamped * 10.0) / 10.0;
}

int CurveDlgState::SliderPosition(double value) { return static_cast<int>(std::lround(ClampValue(value) * 10.0)); }

double CurveDlgState::SliderValue(int position) { return std::clamp(position, 0, kSliderMax) / 10.0; }

std::optional<double> CurveDlgState::ChangeValue(double value) {
  const double clamped = ClampValue(value);
  if (!m_item || clamped == m_value) return std::nullopt;
  m_value = clamped;
  return m_value;
}

QString CurveDlgState::CleanName(const QString& text) { return text.trimmed(); }

CurveDlgState::NameCheck CurveDlgState::CheckName(const QString& text) const {
  const QString name = CleanName(text);
  if (name.isEmpty()) return NameCheck::Empty;
  // Names are stored and sent as 8-bit text; anything beyond would be lost.
  for (const QChar c : name)
    if (c.unicode() > 0xFF) return NameCheck::NotLatin1;
  if (m_item && name == m_item->GetName()) return NameCheck::Unchanged;
  return NameCheck::Ok;
}

bool CurveDlgState::ApplyName(const QString& text) {
  switch (CheckName(text)) {
    case NameCheck::Empty:
      AfxMessageBox(ModelString(IDS_NAME_TOO_SHORT), MB_OK | MB_ICONEXCLAMATION, IDS_NAME_TOO_SHORT);
      return false;
    case NameCheck::NotLatin1:
      AfxMessageBox(QCoreApplication::translate("CurveDlgState",
                                                "The name contains characters that cannot be stored. "
                                                "Please use letters, digits and Western European characters only."),
                    MB_OK | MB_ICONEXCLAMATION);
      return false;
    case NameCheck::Unchanged: return true;
    case NameCheck::Ok: break;
  }
  if (!m_item) return false;
  const QString before = m_item->GetName();
  if (!m_item->SetUniqueName(CleanName(text), true)) return false;
  m_name = m_item->GetName();
  if (m_name != before) m_renamed = true;
  return true;
}
