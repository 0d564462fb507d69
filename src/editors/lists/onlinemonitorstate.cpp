#include "editors/lists/onlinemonitorstate.h"

#include "link/linkprofile.h"
#include "model/cprofile.h"
#include "model/ctext.h"

namespace {

const char* const kKeywords[OnlineMonitorState::kSourceCount] = {"OFF", "IN", "OUT", "EXT", "REL", "AMP_IN", "AMP_OUT"};

const QString kVolumePath = QStringLiteral("/MONI/VOL ");
const QString kSelectPath = QStringLiteral("/MONI/SEL ");
const QString kIndexPath = QStringLiteral("/MONI/IDX ");
const QString kTablePath = QStringLiteral("/MONI/TABSLCT ");

// The rest of a reply line after its path; nothing when the line answers
// another query (a line out of order or an error text).
std::optional<QString> ValueOf(const QString& line, const QString& path) {
  const QString trimmed = line.trimmed();
  if (!trimmed.startsWith(path)) return std::nullopt;
  return trimmed.mid(path.size()).trimmed();
}

}  // namespace

OnlineMonitorState::Range OnlineMonitorState::VolumeRange(int deviceId) {
  return deviceId < kWideRangeDeviceId ? Range{-78, 0} : Range{-72, 6};
}

int OnlineMonitorState::StoredDeviceId() {
  return CProfile::GetInt(QLatin1String(LinkProfile::kUnitSection), QLatin1String(LinkProfile::kDeviceId), 0);
}

QString OnlineMonitorState::Keyword(int position) {
  if (position < 0 || position >= kSourceCount) return QString();
  return QString::fromLatin1(kKeywords[position]);
}

std::optional<QString> OnlineMonitorState::SelectCommand(int position) {
  if (position < 0 || position >= kSourceCount) return std::nullopt;
  return kSelectPath + Keyword(position);
}

QString OnlineMonitorState::VolumeCommand(int position) { return Fmt("/MONI/VOL %d", position); }

std::optional<QString> OnlineMonitorState::TableEntryCommand(const QString& text) {
  int number = 0;
  if (!ScanInt(text, &number)) return std::nullopt;
  // The number as read: trailing characters would be refused by the unit.
  return kTablePath + Fmt("%d", number);
}

std::optional<QString> OnlineMonitorState::IndexCommand(const QString& text, int position) {
  // The number as read, never the typed text, goes onto the unit's line.
  if (position == kAmpIn || position == kAmpOut) {
    unsigned address = 0;
    if (!ScanHex(text, &address)) return std::nullopt;
    return kIndexPath + Fmt("%X", address);
  }
  int number = 0;
  if (!ScanInt(text, &number)) return std::nullopt;
  return kIndexPath + Fmt("%d", number);
}

QStringList OnlineMonitorState::RefreshQueries() {
  return {QStringLiteral("/MONI/VOL ?"), QStringLiteral("/MONI/SEL ?"), QStringLiteral("/MONI/IDX ?"),
          QStringLiteral("/MONI/TABSLCT ?")};
}

std::optional<OnlineMonitorState::Reading> OnlineMonitorState::ParseReplies(const QStringList& lines) {
  if (lines.size() != 4) return std::nullopt;
  Reading reading;
  if (const std::optional<QString> volume = ValueOf(lines.at(0), kVolumePath)) {
    reading.volumeText = *volume;
    int db = 0;
    if (ScanInt(*volume, &db)) reading.volume = db;
  }
  if (const std::optional<QString> source = ValueOf(lines.at(1), kSelectPath)) {
    for (int position = 0; position < kSourceCount; ++position) {
      if (*source == Keyword(position)) {
        reading.source = position;
        break;
      }
    }
  }
  reading.index = ValueOf(lines.at(2), kIndexPath);
  reading.tableEntry = ValueOf(lines.at(3), kTablePath);
  return reading;
}
