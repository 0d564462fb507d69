#include "macros/ceventlog.h"

#include "link/linkmode.h"
#include "macros/rangelist.h"
#include "model/carchive.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "model/ctext.h"
#include "model/replytext.h"

#include <QStringList>

#include <memory>

SELV_IMPLEMENT_SERIAL(CEventLog, 1)

namespace {

constexpr uint32_t kStrNoEntry = 34421;
constexpr uint32_t kStrAll = 34487;
constexpr int kProviderOrder = 571;

struct BitWord {
  uint32_t bit;
  const char* word;
};

const BitWord kAudioWords[] = {{CEventLog::AB_ALARM, "ALARM"},     {CEventLog::AB_CHIME, "CHIME"},
                               {CEventLog::AB_MESSAGE, "MESSAGE"}, {CEventLog::AB_PAGE1, "PAGE1"},
                               {CEventLog::AB_PAGE2, "PAGE2"},     {CEventLog::AB_PAGE3, "PAGE3"},
                               {CEventLog::AB_PAGE4, "PAGE4"},     {CEventLog::AB_BPROG, "BPROG"}};

const BitWord kFaultWords[] = {{CEventLog::kFaultLan, "LAN"},
                               {0x400, "ZONEGNDFLT"},
                               {0x200, "ZONEMEAS"},
                               {0x100, "ANYGNDFLT"},
                               {0x080, "MANUAL"},
                               {0x040, "SPAREAMP"},
                               {0x020, "CONS"},
                               {0x010, "VMXINT"},
                               {0x008, "AMP"},
                               {0x004, "KCM"},
                               {0x002, "RDYINP"},
                               {0x001, "UNKNOWN"}};

template <size_t N>
QString WordsOf(uint32_t bits, const BitWord (&table)[N]) {
  QStringList words;
  for (const BitWord& w : table)
    if (bits & w.bit) words << QString::fromLatin1(w.word);
  return words.isEmpty() ? QStringLiteral("NONE") : words.join(QLatin1Char(','));
}

template <size_t N>
uint32_t BitsOf(const QString& text, const BitWord (&table)[N]) {
  uint32_t bits = 0;
  for (const QString& word : text.split(QLatin1Char(','))) {
    const QString w = word.trimmed().toUpper();
    for (const BitWord& entry : table)
      if (w == QLatin1String(entry.word)) bits |= entry.bit;
  }
  return bits;
}

QString CleanMask(const QString& text) {
  QString out = text;
  for (QChar& c : out)
    if (c.unicode() < 0x20 || c.unicode() == 0x7F) c = QLatin1Char(' ');
  out = out.trimmed();
  return out.isEmpty() ? QStringLiteral("NONE") : out;
}

QString DisplayOf(const QString& mask) {
  if (mask.compare(QLatin1String("NONE"), Qt::CaseInsensitive) == 0) return LoadString(kStrNoEntry);
  if (mask.compare(QLatin1String("ALL"), Qt::CaseInsensitive) == 0) return LoadString(kStrAll);
  return mask;
}

struct LineSpec {
  const char* key;
  int index;
};
// The order in which the unit is given the masks.
const LineSpec kLines[CEventLog::kStepCount] = {
    {"/MASK/ON", CEventLog::I_GENERAL},           {"/MASK/AUDIO/ON", CEventLog::I_AUDIO},
    {"/MASK/MACRO/ON", CEventLog::I_MACRO},       {"/MASK/FAULT/ON", CEventLog::I_FAULT},
    {"/MASK/READYINP/ON", CEventLog::I_READYINP}, {"/MASK/VIRTCTRL/ON", CEventLog::I_VIRTCTRL}};

const bool kProviderRegistered = [] {
  CSelvantisDoc::RegisterFixedObjectProvider(kProviderOrder, [](CSelvantisDoc& doc) {
    if (CEventLog::Find(&doc)) return;
    auto log = std::make_unique<CEventLog>();
    if (log->CreateWithID(0, QStringLiteral("Event log"), 1, CAT_LOGIC, &doc)) doc.AddObject(std::move(log));
  });
  return true;
}();

}  // namespace

CEventLog::CEventLog() {
  m_nType = DT_EVENTLOG;
  m_masks.fill(QStringLiteral("NONE"));
}

QString CEventLog::BuildCommandPath() const { return QStringLiteral("/EVENT/LOG"); }

CEventLog* CEventLog::Find(const CSelvantisDoc* doc) {
  return doc ? dynamic_cast<CEventLog*>(doc->GetIDManager().FindBaseDevice(1, DT_EVENTLOG)) : nullptr;
}

int CEventLog::Slot(int index) {
  switch (index) {
    case I_GENERAL: return 0;
    case I_AUDIO: return 1;
    case I_FAULT: return 2;
    case I_MACRO: return 3;
    case I_READYINP: return 4;
    case I_VIRTCTRL: return 5;
    default: return -1;
  }
}

QString CEventLog::GetParamText(int index) const {
  QString text;
  GetParamText(&text, index);
  return text;
}

void CEventLog::GetParamText(QString* out, int index) const {
  if (!out) return;
  out->clear();
  const int slot = Slot(index);
  if (slot >= 0) {
    *out = m_masks[static_cast<size_t>(slot)];
    return;
  }
  switch (index) {
    case I_AUDIO_TEXT: *out = DisplayOf(m_masks[1]); break;
    case I_FAULT_TEXT: *out = DisplayOf(m_masks[2]); break;
    case I_MACRO_TEXT: *out = DisplayOf(m_masks[3]); break;
    case I_READYINP_TEXT: *out = DisplayOf(m_masks[4]); break;
    case I_VIRTCTRL_TEXT: *out = DisplayOf(m_masks[5]); break;
    default: break;
  }
}

void CEventLog::SetParamText(int index, const QString& text, int) {
  const int slot = Slot(index);
  if (slot >= 0) {
    m_masks[static_cast<size_t>(slot)] = CleanMask(ReplyText::Field(text, ReplyText::TextField::RangeList));
    SetModified();
    return;
  }
  int target = -1;
  unsigned count = 0;
  switch (index) {
    case I_MACRO_TEXT:
      target = 3;
      count = static_cast<unsigned>(CIDManager::GetPoolMaxID(DT_MACRO));
      break;
    case I_READYINP_TEXT:
      target = 4;
      count = static_cast<unsigned>(CIDManager::GetPoolMaxID(DT_READYINPUT));
      break;
    case I_VIRTCTRL_TEXT:
      target = 5;
      count = static_cast<unsigned>(CIDManager::GetPoolMaxID(DT_VIRTCTRLITEM));
      break;
    default: return;
  }
  const QString t = text.trimmed();
  QString mask;
  if (t == LoadString(kStrAll) || t.compare(QLatin1String("ALL"), Qt::CaseInsensitive) == 0) {
    mask = QStringLiteral("ALL");
  } else if (t.isEmpty() || t == LoadString(kStrNoEntry) ||
             t.compare(QLatin1String("NONE"), Qt::CaseInsensitive) == 0) {
    mask = QStringLiteral("NONE");
  } else {
    BitSet bits;
    if (!ParseRangeList(t, bits, count)) return;
    const QString list = FormatRangeList(bits, count);
    mask = list == QLatin1String("0") ? QStringLiteral("NONE") : list;
  }
  m_masks[static_cast<size_t>(target)] = mask;
  SetModified();
}

void CEventLog::SetMaskBits(int which, uint32_t bits, int) {
  if (which == 1)
    m_masks[1] = WordsOf(bits, kAudioWords);
  else if (which == 2)
    m_masks[2] = WordsOf(bits, kFaultWords);
  else
    return;
  SetModified();
}

uint32_t CEventLog::GetMaskBits(int which) const {
  if (which == 1) return BitsOf(m_masks[1], kAudioWords);
  if (which == 2) return BitsOf(m_masks[2], kFaultWords);
  return 0;
}

int CEventLog::Download(bool bQuery, int nStep) {
  if (nStep < 0) return kStepCount;
  if (nStep >= kStepCount) return -1;
  const LineSpec& line = kLines[nStep];
  // A mask of an older project file may be longer than the unit takes.
  return SendStep(bQuery, nStep, m_strPath, QLatin1String(line.key),
                  ReplyText::Field(GetParamText(line.index), ReplyText::TextField::RangeList));
}

bool CEventLog::Upload(const QString& line, QString&, int mode) {
  QString key, value;
  if (mode != LINKMODE_UPLOAD || !SplitUploadLine(line, &key, &value)) return false;
  for (const LineSpec& spec : kLines) {
    if (key == QLatin1String(spec.key)) {
      SetParamText(spec.index, value);
      return true;
    }
  }
  return false;
}

void CEventLog::Serialize(CArchive& ar) {
  CBaseDevice::Serialize(ar);
  if (ar.IsStoring()) {
    for (const QString& mask : m_masks) ar << mask;
    return;
  }
  for (QString& mask : m_masks) {
    QString text;
    ar >> text;
    mask = CleanMask(text);
  }
}
