#include "online/ceventlogstate.h"

#include "macros/ceventlog.h"
#include "model/cbasedevice.h"
#include "model/cidmanager.h"
#include "model/cselvantisdoc.h"
#include "model/ctext.h"
#include "model/devicetype.h"

#include <QDir>
#include <QStandardPaths>

namespace {

const QString kRoot = QStringLiteral("/EVENT/LOG/");

struct MaskKey {
  const char* key;
  int index;
};
// Reply keys of the settings and the mask each one fills.
const MaskKey kMaskKeys[] = {{"MASK/ON", CEventLog::I_GENERAL},           {"MASK/AUDIO/ON", CEventLog::I_AUDIO},
                             {"MASK/FAULT/ON", CEventLog::I_FAULT},       {"MASK/MACRO/ON", CEventLog::I_MACRO},
                             {"MASK/READYINP/ON", CEventLog::I_READYINP}, {"MASK/VIRTCTRL/ON", CEventLog::I_VIRTCTRL}};

// The transfer order of the masks.
const MaskKey kTransferOrder[] = {
    {"MASK/ON", CEventLog::I_GENERAL},           {"MASK/AUDIO/ON", CEventLog::I_AUDIO},
    {"MASK/MACRO/ON", CEventLog::I_MACRO},       {"MASK/FAULT/ON", CEventLog::I_FAULT},
    {"MASK/READYINP/ON", CEventLog::I_READYINP}, {"MASK/VIRTCTRL/ON", CEventLog::I_VIRTCTRL}};

struct NameRule {
  const char* keyword;
  int type;
  const char* prefix;
};
const NameRule kRulesBeforeFault[] = {{" from cons", DT_CONSOLE, " from console "},
                                      {" from macro", DT_MACRO, " from macro "},
                                      {"MACRO ", DT_MACRO, "macro "},
                                      {"MACRO", DT_MACRO, "macro "},
                                      {"VIRTCTRL#", DT_VIRTCTRLITEM, "virtual controller "},
                                      {"VIRTCTRL", DT_VIRTCTRLITEM, "virtual controller "},
                                      {"console #", DT_CONSOLE, "console "}};
const NameRule kRulesAfterFault[] = {{"READYINP", DT_READYINPUT, "readyinput "},
                                     {"readyinp", DT_READYINPUT, "readyinput "}};

QStringList MaskItems(const QString& mask) { return mask.split(QLatin1Char(','), Qt::SkipEmptyParts); }

// Replaces the number after the rule's keyword (its first occurrence) by
// the object's name.
void ApplyNameRule(const NameRule& rule, const CSelvantisDoc* doc, QString& body) {
  const QString keyword = QLatin1String(rule.keyword);
  const int at = body.indexOf(keyword);
  if (at < 0) return;
  const QString after = body.mid(at + keyword.size());
  int number = 0;
  if (!ScanInt(after, &number)) return;
  int end = 0;
  while (end < after.size() && after[end] != QLatin1Char(' ') && after[end] != QLatin1Char(',')) ++end;
  const QString numberText = after.left(end);
  const CBaseDevice* object = doc ? doc->GetIDManager().FindBaseDevice(number, rule.type) : nullptr;
  const QString prefix = QLatin1String(rule.prefix);
  const QString replacement =
      object ? prefix + QLatin1Char('"') + object->GetName() + QLatin1Char('"') : prefix + numberText;
  body.replace(keyword + numberText, replacement);
}

}  // namespace

const CEventLogState::Category CEventLogState::kCategories[kCategoryCount] = {
    {"AUDIO", 1551, 1686, 1683, CEventLog::I_AUDIO_TEXT},
    {"FAULT", 1552, 1687, 1539, CEventLog::I_FAULT_TEXT},
    {"POWER", 1553, 0, 0, 0},
    {"ZONETEST", 1554, 0, 0, 0},
    {"TIMEEDIT", 1555, 0, 0, 0},
    {"MACRO", 1545, 1688, 1682, CEventLog::I_MACRO_TEXT},
    {"RESET", 1557, 0, 0, 0},
    {"SPAREAMP", 1217, 0, 0, 0},
    {"READYINP", 1685, 1691, 1681, CEventLog::I_READYINP_TEXT},
    {"RECORDER", 1560, 0, 0, 0},
    {"DCF", 1558, 0, 0, 0},
    {"CONFIG", 1725, 0, 0, 0},
    {"VIRTCTRL", 1726, 1727, 1728, CEventLog::I_VIRTCTRL_TEXT},
};

CEventLogState::CEventLogState(CSelvantisDoc* doc) : m_doc(doc) {}

CEventLog* CEventLogState::EventLog() const { return CEventLog::Find(m_doc.data()); }

const CEventLogState::Category* CEventLogState::CategoryOfBox(int boxId) {
  for (const Category& category : kCategories)
    if (category.boxId == boxId) return &category;
  return nullptr;
}

bool CEventLogState::HasCategory(const QString& mask, const QString& keyword) {
  // Whole items: a keyword inside a longer one does not count.
  return MaskItems(mask).contains(keyword);
}

QString CEventLogState::WithCategory(const QString& mask, const QString& keyword, bool on) {
  QStringList items = MaskItems(mask);
  // "NONE" goes wherever it stands, not only as the whole mask: a mask read
  // from a unit or a file ("NONE,POWER") would otherwise keep it beside a
  // keyword and say "nothing" and "power" at once.
  items.removeAll(QStringLiteral("NONE"));
  if (on) {
    if (!items.contains(keyword)) items << keyword;
  } else {
    items.removeAll(keyword);
  }
  return items.isEmpty() ? QStringLiteral("NONE") : items.join(QLatin1Char(','));
}

QString CEventLogState::GeneralMask() const {
  const CEventLog* log = EventLog();
  return log ? log->GetParamText(CEventLog::I_GENERAL) : QString();
}

bool CEventLogState::SetCategory(const QString& keyword, bool on) {
  CEventLog* log = EventLog();
  if (!log) return false;
  log->SetParamText(CEventLog::I_GENERAL, WithCategory(log->GetParamText(CEventLog::I_GENERAL), keyword, on));
  return true;
}

QStringList CEventLogState::UploadCommands() {
  QStringList lines;
  for (const MaskKey& key : kTransferOrder) lines << kRoot + QLatin1String(key.key) + QStringLiteral(" ?");
  return lines;
}

QStringList CEventLogState::DownloadCommands() const {
  const CEventLog* log = EventLog();
  if (!log) return {};
  QStringList lines;
  for (const MaskKey& key : kTransferOrder)
    lines << kRoot + QLatin1String(key.key) + QLatin1Char(' ') + log->GetParamText(key.index);
  return lines;
}

std::vector<QStringList> CEventLogState::SplitForLink(const QStringList& commands, int limit) {
  std::vector<QStringList> pieces;
  QStringList piece;
  int length = 0;
  for (const QString& line : commands) {
    const int size = static_cast<int>(line.size()) + 2;  // CR LF
    if (size > limit) return {};
    if (length + size > limit) {
      pieces.push_back(piece);
      piece.clear();
      length = 0;
    }
    piece << line;
    length += size;
  }
  if (!piece.isEmpty()) pieces.push_back(piece);
  return pieces;
}

QStringList CEventLogState::PollCommands(int outBufferCount) const {
  if (m_waiting <= 0) return {kRoot + QStringLiteral("ENTRIES ?")};
  QStringList lines;
  for (int i = 0; i < m_waiting && outBufferCount + kReadQueryLength * i <= kOutBufferLimit; ++i)
    lines << kRoot + QStringLiteral("READ ?");
  return lines;
}

CEventLogState::ReplyResult CEventLogState::ApplyReply(const QStringList& lines) {
  ReplyResult result;
  for (const QString& raw : lines) {
    QString line = raw;
    while (line.endsWith(QLatin1Char('\r')) || line.endsWith(QLatin1Char('\n'))) line.chop(1);
    const int blank = static_cast<int>(line.indexOf(QLatin1Char(' ')));
    if (blank < 0) continue;
    const QString value = line.mid(blank + 1);
    if (value == QLatin1String("?")) continue;
    if (value.contains(QLatin1String("empty"))) continue;
    if (!line.startsWith(kRoot)) continue;
    const QString key = line.left(blank).mid(kRoot.size());
    if (key == QLatin1String("READ")) {
      result.entries << value;
      if (m_waiting > 0) --m_waiting;
      continue;
    }
    if (key == QLatin1String("ENTRIES")) {
      int count = 0;
      if (ScanInt(value, &count)) m_waiting = count > 0 ? count : 0;
      continue;
    }
    for (const MaskKey& mask : kMaskKeys) {
      if (key != QLatin1String(mask.key)) continue;
      if (CEventLog* log = EventLog()) {
        log->SetParamText(mask.index, value);
        result.settingsChanged = true;
      }
      break;
    }
  }
  return result;
}

QString CEventLogState::ReplaceNames(const QString& entry, const CSelvantisDoc* doc) {
  int blank = 0;
  int from = 1;
  for (int n = 0; n < 4; ++n) {
    blank = static_cast<int>(entry.indexOf(QLatin1Char(' '), from));
    if (blank < 0) return entry;
    from = blank + 1;
  }
  const QString head = entry.left(blank);
  QString body = entry.mid(blank + 1);
  if (body.startsWith(QLatin1String("VMX#"))) return entry;

  for (const NameRule& rule : kRulesBeforeFault) ApplyNameRule(rule, doc, body);
  bool faultWords = false;
  if (body.contains(QLatin1String("FAULT ON "))) {
    body.remove(body.indexOf(QLatin1String("FAULT ON")), 8);
    body += QLatin1String(" FAILURE");
    faultWords = true;
  }
  if (body.contains(QLatin1String("FAULT OFF"))) {
    body.remove(body.indexOf(QLatin1String("FAULT OFF")), 9);
    body += QLatin1String(" NORMAL");
    faultWords = true;
  }
  for (const NameRule& rule : kRulesAfterFault) ApplyNameRule(rule, doc, body);
  // Removing the fault words at the start of the body leaves its blank, so
  // the head follows directly. Where they stood later in the body the head
  // still gets its blank: head and body are never run together.
  if (faultWords && body.startsWith(QLatin1Char(' '))) return head + body;
  return head + QLatin1Char(' ') + body;
}

QString CEventLogState::EventFilePath(const QString& projectPath) {
  // A project without a name keeps its events in the user's data folder,
  // never in whatever folder the program was started from.
  if (projectPath.isEmpty()) {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    QDir().mkpath(folder);
    return folder + QStringLiteral("/unsaved-project.events");
  }
  return projectPath + QStringLiteral(".events");
}

QString CEventLogState::TrimField(const QString& text) {
  if (text.size() < kFieldLimit) return text;
  // Keep whole lines from the top (the newest) within kFieldKeep.
  const int cut = static_cast<int>(text.lastIndexOf(QLatin1Char('\n'), kFieldKeep - 1));
  return cut < 0 ? QString() : text.left(cut + 1);
}

bool CEventLogState::PageFull(int lineHeight, int pageHeight, int waitingLines) {
  return static_cast<long long>(lineHeight + 5) * (waitingLines + 1) > pageHeight;
}
