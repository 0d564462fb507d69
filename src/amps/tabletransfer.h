#ifndef SELV_AMPS_TABLETRANSFER_H
#define SELV_AMPS_TABLETRANSFER_H

#include "macros/rangelist.h"

#include <QString>

class CBaseDevice;

// What the transfers of the unit's fixed tables (the monitor table, the
// backup amplifiers) share: a download first clears the table; a query first
// asks the unit which entries are cleared, reads the reply's range list and
// then asks only for the others. Replies come as "MONI/TABLE3/SEL AMP_IN".
namespace TableTransfer {

// A table's reply line: the key runs from the first slash to the first blank
// ("/TABLE3/SEL"), the value is what follows the last blank ("AMP_IN").
struct Reply {
  QString key;
  QString value;
};

// False for a line without a key and a value and for the unit's echo of a
// question (value "?").
bool SplitReply(const QString& line, Reply* out);

// The decimal number right after prefix at the start of key, and the rest of
// the key after it; -1 when there is none.
int NumberAfter(const QString& key, const QString& prefix, QString* rest);

// Reads a clear reply's range list (bits wide) into *cleared. A list that
// cannot be read clears nothing: *cleared is left all clear, a line
// "<name> <id> : <key> <value> cannot be read; every <items> is queried"
// goes to the error file, and the result is false.
bool ReadClearList(const CBaseDevice& table, const QString& key, const QString& value, unsigned bits, BitSet* cleared,
                   const QString& errorFilePath, const QString& items);

// True when everything has left and the line has been silent both ways for
// timeoutMs: a clear reply asked for will not come any more. Callers wait
// less than a transfer's no-progress limit, so that on a silent unit the
// table gives up (and says so) before the transfer is stopped.
bool ClearReplyOverdue(int timeoutMs);

// Notes of a transfer go to its error file, which is shown when the transfer
// ends; without one (a project never saved) the user gets a box.
void TellUser(const QString& text);

}  // namespace TableTransfer

#endif
