#include "amps/tabletransfer.h"

#include "link/idevicelink.h"
#include "model/cbasedevice.h"
#include "model/cmessagesink.h"
#include "model/ctext.h"
#include "model/errorfile.h"

#include <cstdint>

namespace TableTransfer {

bool SplitReply(const QString& line, Reply* out) {
  const QString text = line.trimmed();
  const int slash = text.indexOf(QLatin1Char('/'));
  const int blank = text.indexOf(QLatin1Char(' '));
  if (slash < 0 || blank < 0 || slash > blank) return false;
  const QString value = text.mid(text.lastIndexOf(QLatin1Char(' ')) + 1);
  if (value == QLatin1String("?")) return false;
  out->key = text.mid(slash, blank - slash);
  out->value = value;
  return true;
}

int NumberAfter(const QString& key, const QString& prefix, QString* rest) {
  if (!key.startsWith(prefix)) return -1;
  int i = prefix.size();
  int64_t value = 0;
  // Reading stops past any table's size, long before the number could wrap.
  while (i < key.size() && key.at(i).isDigit() && value <= 100000) value = value * 10 + key.at(i++).digitValue();
  if (i == prefix.size()) return -1;
  if (rest != nullptr) *rest = key.mid(i);
  return static_cast<int>(value);
}

bool ReadClearList(const CBaseDevice& table, const QString& key, const QString& value, unsigned bits, BitSet* cleared,
                   const QString& errorFilePath, const QString& items) {
  *cleared = MakeBitSet(bits);
  if (ParseRangeList(value, *cleared, bits)) return true;
  *cleared = MakeBitSet(bits);
  AppendErrorLine(errorFilePath, table.GetName() + Fmt(" %d : ", table.GetID()) + key + QLatin1Char(' ') + value +
                                     QStringLiteral(" cannot be read; every ") + items + QStringLiteral(" is queried"));
  return false;
}

bool ClearReplyOverdue(int timeoutMs) {
  // Counted from the last sign of life of the line: on a slow line the
  // reply trails a backlog of other answers, and while they come it is
  // still on its way.
  const IDeviceLink* link = GetDeviceLink();
  return link->OutBufferCount() == 0 && link->GetTimeSinceLastOutput() >= timeoutMs &&
         link->GetTimeSinceLastInput() >= timeoutMs;
}

void TellUser(const QString& text) {
  if (!AppendErrorLine(GetDeviceLink()->ErrorFilePath(), text)) AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace TableTransfer
