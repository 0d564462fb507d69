#include "logic/cfault.h"

#include "link/linkmode.h"
#include "macros/rangelist.h"
#include "model/carchive.h"
#include "model/cselvantisdoc.h"
#include "model/ctext.h"

#include <QRegularExpression>

SELV_IMPLEMENT_SERIAL(CFault, 1)

namespace {

const char* const kKeywords[CFault::kSourceCount] = {"UNKNOWN",  "RDYINP", "KCM",       "AMP",      "VMXINT",    "CONS",
                                                     "SPAREAMP", "MANUAL", "ANYGNDFLT", "ZONEMEAS", "ZONEGNDFLT"};

}  // namespace

CFault::CFault() { SetType(DT_FAULT); }

void CFault::Serialize(CArchive& ar) {
  CBaseDevice::Serialize(ar);
  if (ar.IsStoring()) {
    for (int value : m_values) ar << static_cast<int32_t>(value);
    return;
  }
  int32_t values[5] = {0, 0, kDisplayNone, 0, 0};
  for (int32_t& value : values) ar >> value;
  m_values[0] = values[0] & static_cast<int>(kAllSources);
  m_values[1] = values[1] != 0 ? 1 : 0;
  m_values[2] = values[2] < kDisplayNone ? kDisplayNone : values[2];
  m_values[3] = values[3];
  m_values[4] = values[4] & static_cast<int>(kAllSources);
}

QString CFault::Path() { return QStringLiteral("/FAULT"); }

QString CFault::BuildCommandPath() const { return Path(); }

QString CFault::SourceKeyword(int index) {
  return index >= 0 && index < kSourceCount ? QString::fromLatin1(kKeywords[index]) : QString();
}

QString CFault::FormatSources(uint32_t bits) {
  QStringList names;
  for (int i = 0; i < kSourceCount; ++i) {
    if (bits & (1u << i)) names << SourceKeyword(i);
  }
  return names.join(QLatin1Char(','));
}

uint32_t CFault::ParseSources(const QString& text) {
  // Whole keywords only: "SPAREAMP" must not also count as "AMP".
  static const QRegularExpression kSeparators(QStringLiteral("[\\s,;+]+"));
  uint32_t bits = 0;
  for (const QString& word : text.split(kSeparators, Qt::SkipEmptyParts)) {
    for (int i = 0; i < kSourceCount; ++i) {
      if (word.compare(QLatin1String(kKeywords[i]), Qt::CaseInsensitive) == 0) bits |= 1u << i;
    }
  }
  return bits;
}

void CFault::GetColumnText(QString& out, int column) const {
  switch (column) {
    case 0: out = FormatSources(static_cast<uint32_t>(m_values[0])); return;
    case 4: out = FormatSources(static_cast<uint32_t>(m_values[4])); return;
    case 6: {
      const int console = m_values[2];
      if (console == kDisplayNone) {
        out.clear();
      } else if (console == kDisplayAll) {
        out = LogicString(IDS_ALL_CONSOLES);
      } else {
        const CBaseDevice* object =
            GetDocument() != nullptr ? GetDocument()->GetIDManager().FindBaseDevice(console, DT_CONSOLE) : nullptr;
        out = object != nullptr ? object->GetName() : Fmt("%d *", console);
      }
      return;
    }
    default: out.clear(); return;
  }
}

int CFault::GetValue(int column) const { return column >= 0 && column <= 4 ? m_values[column] : 0; }

void CFault::SetColumnText(int column, const QString& text, int reserved) {
  (void)reserved;
  if (column != 4) return;
  m_values[4] = static_cast<int>(ParseSources(text));
}

void CFault::SetValue(int column, int value, const QString& text) {
  (void)text;
  switch (column) {
    case 0: m_values[0] = value & static_cast<int>(kAllSources); break;
    case 1: m_values[1] = value != 0 ? 1 : 0; break;
    case 2: m_values[2] = value < kDisplayNone ? kDisplayNone : value; break;
    case 3: m_values[3] = value; break;
    default: return;
  }
  SetModified();
}

int CFault::Download(bool bQuery, int nStep) {
  if (nStep < 0) return kStepCount;
  if (nStep >= kStepCount) return -1;
  QString key, value;
  switch (nStep) {
    case 0: {
      key = QStringLiteral("/SOURCES");
      const QString sources = FormatSources(static_cast<uint32_t>(m_values[0]));
      value = sources.isEmpty() ? AllNoneText(false) : sources;
      break;
    }
    case 1:
      key = QStringLiteral("/LATCH");
      value = OnOffText(m_values[1] != 0);
      break;
    default:
      key = QStringLiteral("/DISPLAY");
      value = m_values[2] == kDisplayNone  ? QStringLiteral("OFF")
              : m_values[2] == kDisplayAll ? QStringLiteral("ALL")
                                           : Fmt("%d", m_values[2]);
      break;
  }
  return SendStep(bQuery, nStep, Path(), key, value);
}

bool CFault::Upload(const QString& line, QString& errorFilePath, int mode) {
  (void)errorFilePath;
  QString key, value;
  if (!SplitUploadLine(line, &key, &value)) return false;
  const QString v = value.trimmed();
  if (key.compare(QLatin1String("/ACTIVE"), Qt::CaseInsensitive) == 0) {
    SetColumnText(4, v);
    return true;
  }
  if (mode != LINKMODE_UPLOAD) return false;
  if (key.compare(QLatin1String("/SOURCES"), Qt::CaseInsensitive) == 0) {
    SetValue(0, static_cast<int>(ParseSources(v)));
    return true;
  }
  if (key.compare(QLatin1String("/LATCH"), Qt::CaseInsensitive) == 0) {
    bool on = false;
    if (!ParseBoolText(v, &on)) return false;
    SetValue(1, on ? 1 : 0);
    return true;
  }
  if (key.compare(QLatin1String("/DISPLAY"), Qt::CaseInsensitive) == 0) {
    int console = 0;
    if (v.compare(QLatin1String("OFF"), Qt::CaseInsensitive) == 0 ||
        v.compare(QLatin1String("NONE"), Qt::CaseInsensitive) == 0) {
      console = kDisplayNone;
    } else if (v.compare(QLatin1String("ALL"), Qt::CaseInsensitive) == 0) {
      console = kDisplayAll;
    } else if (!ScanInt(v, &console)) {
      return false;
    }
    SetValue(2, console);
    return true;
  }
  return false;
}
