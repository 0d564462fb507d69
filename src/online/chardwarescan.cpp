#include "online/chardwarescan.h"

#include "link/idevicelink.h"
#include "macros/rangelist.h"
#include "model/cstringtable.h"
#include "model/ctext.h"

namespace {

struct AvailabilityScan {
  const char* query;
  int waitMs;
  char conv;
  int last;  // highest number shown
  uint32_t titleId;
  const char* format;
  int image;
  uint32_t noneId;
  std::vector<uint32_t> children;
};

const AvailabilityScan& ScanOf(int kind) {
  static const AvailabilityScan amps{
      "/AMP/AVLBL ?", 500, 'x', 63, 32782, "%s %02x", CHardwareScan::kImageAmplifier, 34526, {32805, 32804, 34548}};
  static const AvailabilityScan consoles{
      "/CONS/CONNECTED ?", 500, 'u', 15, 34063, "%s %d", CHardwareScan::kImageConsole, 34525, {32805, 32804, 34548}};
  static const AvailabilityScan cards{"/KCM/AVLBL ?",
                                      1500,
                                      'u',
                                      7,
                                      34262,
                                      "%s-%d",
                                      CHardwareScan::kImageCard,
                                      34527,
                                      {32805, 34548, 32796, 32797, 34136, 34263, 34549}};
  switch (kind) {
    case CHardwareScan::kAmplifiers: return amps;
    case CHardwareScan::kConsoles: return consoles;
    default: return cards;
  }
}

constexpr unsigned kRangeBits = 100;

}  // namespace

CHardwareScan::CHardwareScan(IDeviceLink* link) : m_link(link) {}

IDeviceLink* CHardwareScan::Link() const { return m_link ? m_link : GetDeviceLink(); }

void CHardwareScan::StartScan(int kind) {
  m_items.clear();
  m_nScanKind = kind;
}

void CHardwareScan::ShowOffline() {
  m_treeLines = false;
  m_items.clear();
  Item item;
  item.text = LoadString(34524);
  item.image = kImageMessage;
  m_items.push_back(item);
}

QString CHardwareScan::CleanAnswer(const QString& answer, const QString& query) {
  QString path = query;
  if (path.endsWith(QLatin1String(" ?"))) path.chop(2);
  QString text = answer;
  if (!path.isEmpty()) text.remove(path);
  text.remove(QLatin1String(" ?"));
  text.remove(QLatin1String("\r\n"));
  return text.trimmed();
}

void CHardwareScan::ScanAvailable(int kind) {
  const AvailabilityScan& scan = ScanOf(kind);
  StartScan(kind);
  const QString query = QString::fromLatin1(scan.query);
  const QString answer = CleanAnswer(Link()->SendAndRead(query, scan.waitMs), query);
  if (answer == QLatin1String("NONE")) {
    m_treeLines = false;
    Item item;
    item.text = LoadString(scan.noneId);
    item.image = kImageMessage;
    m_items.push_back(item);
    return;
  }
  m_treeLines = true;
  BitSet bits = MakeBitSet(kRangeBits);
  // A partly readable list still shows the numbers it named.
  ParseRangeListFmt(answer, bits, kRangeBits, 0, scan.conv);
  const QByteArray title = LoadString(scan.titleId).toLatin1();
  for (int n = 0; n <= scan.last; ++n) {
    if (!TestBit(bits, static_cast<unsigned>(n))) continue;
    Item item;
    item.text = Fmt(scan.format, title.constData(), n);
    item.image = scan.image;
    item.data = n;
    for (uint32_t id : scan.children) item.children << LoadString(id);
    m_items.push_back(item);
  }
}

void CHardwareScan::ScanAmplifiers() { ScanAvailable(kAmplifiers); }
void CHardwareScan::ScanConsoles() { ScanAvailable(kConsoles); }
void CHardwareScan::ScanCards() { ScanAvailable(kCards); }

QStringList CHardwareScan::SlotQueries() {
  QStringList queries;
  for (int i = 1; i <= 5; ++i) queries << Fmt("/SLOT%d/MODULE ?", i);
  return queries;
}

void CHardwareScan::StartSlotScan() {
  StartScan(kSlots);
  m_treeLines = true;
}

void CHardwareScan::ScanSlots() {
  StartSlotScan();
  const QStringList queries = SlotQueries();
  QStringList replies;
  if (!Link()->SendListAndWait(queries, &replies) || replies.size() != queries.size()) return;
  AddSlotItems(replies);
}

bool CHardwareScan::TakeSlotAnswers(const QStringList& lines) {
  const QStringList queries = SlotQueries();
  QStringList answers;
  int answered = 0;
  for (const QString& query : queries) {
    const QString path = query.left(query.size() - 2);  // without " ?"
    QString answer;
    for (const QString& line : lines) {
      // The echo of the query is no answer; a bare path is an empty one;
      // "ERROR path" answers the query without naming a module.
      const bool own = line != query && (line == path || line.startsWith(path + QLatin1Char(' ')));
      if (own || (line.startsWith(QLatin1String("ERROR")) && line.contains(path))) {
        answer = line;
        break;
      }
    }
    if (!answer.isEmpty()) ++answered;
    answers << answer;
  }
  // Every query answered, or as many answer lines as queries (some of them
  // for other paths, which leave their slot unknown).
  int answerLines = 0;
  for (const QString& line : lines)
    if (!queries.contains(line)) ++answerLines;
  if (answered < queries.size() && answerLines < queries.size()) return false;
  AddSlotItems(answers);
  return true;
}

void CHardwareScan::AddSlotItems(const QStringList& replies) {
  const QStringList queries = SlotQueries();
  for (int i = 0; i < replies.size() && i < queries.size(); ++i) {
    // Only the answer to this slot's own query names its module: "ERROR
    // path", an echo or an answer for another path leaves the module
    // unknown, as a slot without an answer.
    const QString path = queries[i].left(queries[i].size() - 2);
    const QString& reply = replies[i];
    if (!reply.startsWith(path + QLatin1Char(' '))) continue;
    const QString module = reply.mid(path.size() + 1);
    if (module.trimmed().isEmpty() || module == QLatin1String("?")) continue;
    Item item;
    item.text = Fmt("Slot%d: ", i + 1) + module;
    item.image = kImageSlot;
    item.data = i;
    m_items.push_back(item);
  }
}

QStringList CHardwareScan::DetailQueries(int kind, int number) {
  switch (kind) {
    case kAmplifiers: {
      const QString base = Fmt("/AMP/ADR%x", static_cast<unsigned>(number));
      return {base + "/NAME ?", base + "/TYPE ?", base + "/VER ?"};
    }
    case kConsoles: {
      const QString base = Fmt("/CONS/ADR%d", number);
      return {base + "/NAME ?", base + "/TYPE ?", base + "/RELEASE ?"};
    }
    case kCards: {
      const QString base = Fmt("/KCM/ADR%d", number);
      return {base + "/NAME ?", base + "/VER ?", base + "/208 ?",    base + "/209 ?",
              base + "/212 ?",  base + "/216 ?", base + "/220/VOL ?"};
    }
    default: return {};
  }
}

bool CHardwareScan::ExpandItem(int index) {
  if (index < 0 || index >= static_cast<int>(m_items.size())) return false;
  Item& item = m_items[static_cast<size_t>(index)];
  const QStringList queries = DetailQueries(m_nScanKind, item.data);
  if (queries.isEmpty() || item.children.isEmpty()) return false;
  QStringList replies;
  if (!Link()->SendListAndWait(queries, &replies) || replies.size() != queries.size()) return false;
  int child = 0;
  for (const QString& reply : replies) {
    if (child >= item.children.size()) break;
    const int blank = reply.indexOf(QLatin1Char(' '));
    if (blank < 0) continue;
    item.children[child++] = reply.mid(blank + 1);
  }
  return true;
}
