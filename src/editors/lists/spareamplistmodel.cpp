#include "editors/lists/spareamplistmodel.h"

#include "amps/crelais.h"
#include "amps/crelaismanager.h"
#include "amps/cspareamp.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "model/ctext.h"
#include "unit/ccontrolpad.h"

#include <QRegularExpression>

namespace {

constexpr uint32_t kEntryTitleIds[SpareAmpListModel::kColumnCount] = {34370, 34244, 34386, 34387};
constexpr uint32_t kWatchTitleIds[SpareAmpListModel::kColumnCount] = {34244, 34383, 34384, 34385};
constexpr int kEntryWidths[SpareAmpListModel::kColumnCount] = {100, 30, 100, 60};
constexpr int kWatchWidths[SpareAmpListModel::kColumnCount] = {40, 210, 110, 110};

int ImageOf(int type) {
  return type == CSpareAmp::kTypeAmpChannel ? SpareAmpListModel::kAmpImage : SpareAmpListModel::kInputImage;
}

}  // namespace

CSpareAmp* SpareAmpListModel::SpareAmp(const CSelvantisDoc* doc) {
  if (!doc) return nullptr;
  return dynamic_cast<CSpareAmp*>(doc->GetIDManager().GetBaseDevice(1, DT_SPAREAMP));
}

QStringList SpareAmpListModel::EntryTitles(bool polling) {
  QStringList titles;
  for (uint32_t id : kEntryTitleIds) titles << LoadString(id);
  if (polling) titles[kReplaces] += QStringLiteral(" *");
  return titles;
}

QStringList SpareAmpListModel::WatchTitles() {
  QStringList titles;
  for (uint32_t id : kWatchTitleIds) titles << LoadString(id);
  return titles;
}

int SpareAmpListModel::EntryWidth(int column) {
  return column >= 0 && column < kColumnCount ? kEntryWidths[column] : 150;
}

int SpareAmpListModel::WatchWidth(int column) {
  return column >= 0 && column < kColumnCount ? kWatchWidths[column] : 150;
}

QString SpareAmpListModel::TargetText(const CSelvantisDoc& doc, int type, int value) {
  if (type == CSpareAmp::kTypeAmpChannel) return doc.GetIDManager().GetAmpChannelName(value);
  if (const CBaseDevice* input = doc.GetIDManager().FindBaseDevice(value, DT_READYINPUT)) return input->GetName();
  return Fmt("%d *", value);
}

QString SpareAmpListModel::RelayText(CSelvantisDoc& doc, int number, bool kcm208) {
  if (number == 0) return QString();
  const CRelaisManager* relays = CRelaisManager::Of(&doc);
  const CRelais* relay = nullptr;
  if (relays) {
    relay =
        kcm208 ? relays->GetRelayR(static_cast<uint32_t>(number)) : relays->GetRelayS(static_cast<uint32_t>(number));
  }
  if (!relay) return Fmt("%d *", number);
  const QString keyword = CControlPad::KeywordOfKind(kcm208 ? CControlPad::kKindKCM208 : CControlPad::kKindKCM209);
  if (const CBaseDevice* pad = doc.GetIDManager().FindControlPadByKeyword(keyword, number)) return pad->GetName();
  return relay->GetName();
}

std::vector<SpareAmpListModel::Row> SpareAmpListModel::EntryRows(const CSpareAmp& spare, const CSelvantisDoc& doc) {
  std::vector<Row> rows;
  for (int n = 0; n < CSpareAmp::kEntryCount; ++n) {
    QString name;
    int type = 0;
    int value = 0;
    if (!spare.GetEntry(n, &name, &type, &value, nullptr)) continue;
    rows.push_back(Row{{name, Fmt("%d", n + 1), TargetText(doc, type, value), QString()}, n, ImageOf(type)});
  }
  return rows;
}

std::vector<SpareAmpListModel::Row> SpareAmpListModel::WatchRows(const CSpareAmp& spare, CSelvantisDoc& doc,
                                                                 int entry) {
  std::vector<Row> rows;
  if (entry < 0) return rows;
  for (int w = 0; w < CSpareAmp::kWatchCount; ++w) {
    int type = 0;
    int value = 0;
    int outRelay = 0;
    int inRelay = 0;
    if (!spare.GetWatch(w, entry, &type, &value, &outRelay, &inRelay)) continue;
    rows.push_back(Row{{Fmt("%d", w + 1), TargetText(doc, type, value), RelayText(doc, outRelay, true),
                        RelayText(doc, inRelay, false)},
                       w,
                       ImageOf(type)});
  }
  return rows;
}

bool SpareAmpListModel::SetTarget(CSpareAmp& spare, int n, const Target& target) {
  QString name;
  if (n < 0 || n >= CSpareAmp::kEntryCount) return false;
  spare.GetEntry(n, &name, nullptr, nullptr, nullptr);
  return spare.SetEntry(n, name, true, target.type, target.value, target.channel);
}

bool SpareAmpListModel::Rename(CSpareAmp& spare, const CSelvantisDoc& doc, int n, const QString& name) {
  if (name.isEmpty() || n < 0 || n >= CSpareAmp::kEntryCount) return false;
  int type = 0;
  int value = 0;
  spare.GetEntry(n, nullptr, &type, &value, nullptr);
  if (type != CSpareAmp::kTypeAmpChannel) return spare.SetEntry(n, name, true, type, value, 0);
  // The entry holds a global channel, but SetEntry takes an amplifier and
  // its channel index: translate, or the target would be lost or moved.
  int channelInAmp = 0;
  const CBaseDevice* amp = doc.GetIDManager().FindAmpChannel(value, &channelInAmp);
  // Without the amplifier no channel resolves, and SetEntry keeps the target.
  return spare.SetEntry(n, name, true, type, amp ? amp->GetID() : 0, amp ? channelInAmp - 1 : -1);
}

int SpareAmpListModel::NewEntry(CSpareAmp& spare, const Target& target) {
  for (int n = 0; n < CSpareAmp::kEntryCount; ++n) {
    if (spare.GetEntry(n, nullptr, nullptr, nullptr, nullptr)) continue;
    const QString name = LoadString(kSelectEntry) + Fmt(" %d", n + 1);
    spare.SetEntry(n, name, true, target.type, target.value, target.channel);
    return n;
  }
  return -1;
}

bool SpareAmpListModel::DeleteEntry(CSpareAmp& spare, int n) { return spare.SetEntry(n, QString(), false, 0, 0, 0); }

bool SpareAmpListModel::SetWatchTarget(CSpareAmp& spare, int w, int n, const Target& target) {
  return spare.SetWatch(w, n, 1, target.type, target.value, target.channel);
}

int SpareAmpListModel::NewWatch(CSpareAmp& spare, int n, const Target& target) {
  if (n < 0 || n >= CSpareAmp::kEntryCount) return -1;
  for (int w = 0; w < CSpareAmp::kWatchCount; ++w) {
    if (spare.GetWatch(w, n, nullptr, nullptr)) continue;
    spare.SetWatch(w, n, 1, target.type, target.value, target.channel);
    return w;
  }
  return -1;
}

bool SpareAmpListModel::DeleteWatch(CSpareAmp& spare, int w, int n) {
  if (n < 0 || w < 0) return false;
  // Any type but 2 and 38 frees the item, relays included.
  return spare.SetWatch(w, n, 0, 0, 0, 0);
}

bool SpareAmpListModel::SetWatchRelay(CSpareAmp& spare, const CSelvantisDoc& doc, int w, int n, bool kcm208,
                                      int padId) {
  int outRelay = 0;
  int inRelay = 0;
  if (n < 0 || w < 0) return false;
  spare.GetWatch(w, n, nullptr, nullptr, &outRelay, &inRelay);
  const auto* pad = dynamic_cast<const CControlPad*>(doc.GetIDManager().FindBaseDevice(padId, DT_CONTROLPAD));
  const int number = pad ? pad->GetNumber() : 0;
  if (kcm208) {
    outRelay = number;
  } else {
    inRelay = number;
  }
  return spare.SetWatchRelays(w, n, outRelay, inRelay);
}

QString SpareAmpListModel::PollCommand(int n) { return Fmt("/SPAREAMP/ENTRY%d/REPLACE ?", n + 1); }

std::optional<QString> SpareAmpListModel::ParsePollReply(const QString& reply, int n) {
  const QString path = Fmt("/SPAREAMP/ENTRY%d/REPLACE ", n + 1);
  // The read holds the echo of the query too: take the last line that
  // answers it, never the echo itself.
  const QStringList lines = reply.split(QRegularExpression(QStringLiteral("[\r\n]+")), Qt::SkipEmptyParts);
  for (auto it = lines.crbegin(); it != lines.crend(); ++it) {
    const QString line = it->trimmed();
    if (!line.startsWith(path)) continue;
    const QString value = line.mid(line.lastIndexOf(QLatin1Char(' ')) + 1);
    // "OFF" leaves the cell as it was.
    if (value == QLatin1String("?") || value == QLatin1String("OFF")) return std::nullopt;
    return value;
  }
  return std::nullopt;
}
