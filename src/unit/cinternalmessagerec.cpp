#include "unit/cinternalmessagerec.h"

#include "model/carchive.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "model/ctext.h"

#include <algorithm>
#include <cmath>
#include <memory>

SELV_IMPLEMENT_SERIAL(CInternalMessageRec, 2)

namespace {

constexpr int kProviderOrder = 202;

const bool kRegistered = [] {
  CSelvantisDoc::RegisterFixedObjectProvider(kProviderOrder,
                                             [](CSelvantisDoc& doc) { CInternalMessageRec::EnsureIn(doc); });
  return true;
}();

}  // namespace

QString CInternalMessageRec::QualityLinear() { return QStringLiteral("20KHZ LINEAR"); }

QString CInternalMessageRec::QualityMuLaw() { return QString::fromLatin1("10KHZ \xB5-LAW"); }

QString CInternalMessageRec::DefaultName(int message) {
  QString text = LoadString(kPlayMessageText);
  if (text.isEmpty()) text = QStringLiteral("Play message");
  return text + Fmt(" %d", message);
}

CInternalMessageRec::CInternalMessageRec() : m_quality(QualityLinear()) {
  SetType(DT_MESSAGEREC);
  for (int n = 1; n <= kMessageCount; ++n) m_names.append(DefaultName(n));
}

void CInternalMessageRec::TakeNames(const QStringList& loaded) {
  // Appending to the defaults would push the user's names to positions 25
  // and up, where nobody looks for them.
  for (int i = 0; i < kMessageCount; ++i) m_names[i] = i < loaded.size() ? loaded.at(i) : DefaultName(i + 1);
}

void CInternalMessageRec::Serialize(CArchive& ar) {
  CBaseDevice::Serialize(ar);
  if (ar.IsStoring()) {
    ar << m_names << int32_t(m_input) << int32_t(m_output) << int32_t(m_file) << m_maxTime << m_quality;
    return;
  }
  // A schema-1 record has no fields of its own: the defaults stay.
  if (GetSchema() < 2) return;
  QStringList names;
  int32_t input = 0;
  int32_t output = 0;
  int32_t file = 0;
  float maxTime = 0.0f;
  QString quality;
  ar >> names >> input >> output >> file >> maxTime >> quality;
  TakeNames(names);
  m_input = input;
  m_output = output;
  m_file = file;
  m_maxTime = 0.0f;
  SetParamFloat(P_MAXTIME, maxTime);
  // Anything but the two known texts (a damaged record) keeps the default.
  m_quality = QualityLinear();
  SetParamText(P_QUALITY, quality);
}

bool CInternalMessageRec::Upload(const QString& line, QString& /*errorFilePath*/, int /*mode*/) {
  // The recorder's settings travel only through the on-line window.
  Q_UNUSED(line);
  return false;
}

int CInternalMessageRec::Download(bool /*bQuery*/, int nStep) { return nStep == -1 ? 0 : nStep; }

int CInternalMessageRec::GetParam(int code) const {
  switch (code) {
    case P_INPUT: return m_input;
    case P_FILE: return m_file;
    case P_OUTPUT: return m_output;
    default: return 0;
  }
}

void CInternalMessageRec::SetParam(int code, int value) {
  int* field = nullptr;
  switch (code) {
    case P_INPUT: field = &m_input; break;
    case P_FILE: field = &m_file; break;
    case P_OUTPUT: field = &m_output; break;
    default: return;
  }
  if (*field == value) return;
  *field = value;
  SetModified();
}

float CInternalMessageRec::GetParamFloat(int code) const { return code == P_MAXTIME ? m_maxTime : 0.0f; }

void CInternalMessageRec::SetParamFloat(int code, float value) {
  if (code != P_MAXTIME || !std::isfinite(value)) return;
  value = std::clamp(value, 0.0f, kMaxTime);
  if (m_maxTime == value) return;
  m_maxTime = value;
  SetModified();
}

QString CInternalMessageRec::GetParamText(int code) const {
  switch (code & 0xFFFF) {
    case P_INPUT: return Fmt("IN%d", m_input);
    case P_NAME: {
      const int position = PositionOf(code);
      return position < kMessageCount && position < m_names.size() ? m_names.at(position) : QString();
    }
    case P_OUTPUT: return Fmt("%d", m_output);
    case P_QUALITY: return m_quality;
    case P_MAXTIME: return Fmt("%3.1f", static_cast<double>(m_maxTime));
    default: return QString();
  }
}

bool CInternalMessageRec::SetParamText(int code, const QString& text) {
  switch (code & 0xFFFF) {
    case P_QUALITY:
      // Exact texts only, case included.
      if (text != QualityLinear() && text != QualityMuLaw()) return false;
      if (m_quality != text) {
        m_quality = text;
        SetModified();
      }
      return true;
    case P_SET_NAME: {
      const int position = PositionOf(code);
      if (position >= kMessageCount || position >= m_names.size()) return false;
      if (m_names.at(position) != text) {
        m_names[position] = text;
        SetModified();
      }
      return true;
    }
    default: return false;
  }
}

int CInternalMessageRec::ListChoices(int code, QStringList* list) const {
  if (list == nullptr) return 0;
  if (code == P_NAME) {
    for (int i = 0; i < kMessageCount && i < m_names.size(); ++i) list->append(m_names.at(i));
  }
  return static_cast<int>(list->size());
}

CInternalMessageRec* CInternalMessageRec::Find(const CSelvantisDoc* doc) {
  return doc != nullptr ? dynamic_cast<CInternalMessageRec*>(doc->GetIDManager().FindBaseDevice(1, DT_MESSAGEREC))
                        : nullptr;
}

CInternalMessageRec* CInternalMessageRec::EnsureIn(CSelvantisDoc& doc) {
  if (CInternalMessageRec* existing = Find(&doc)) return existing;
  if (doc.GetIDManager().FindBaseDevice(1, DT_MESSAGEREC) != nullptr) return nullptr;
  auto recorder = std::make_unique<CInternalMessageRec>();
  QString name = LoadString(kKind);
  if (name.isEmpty()) name = QStringLiteral("Internal message recorder");
  if (!recorder->CreateWithID(kKind, name, 1, CAT_MODULES, &doc)) return nullptr;
  return doc.Adopt(std::move(recorder));
}
