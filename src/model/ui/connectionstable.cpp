#include "model/ui/connectionstable.h"

#include "model/cbasedevice.h"
#include "model/ctext.h"

#include <QCoreApplication>

namespace {

ConnectionsTable::Row MakeRow(const ConnectionRecord& record, bool input) {
  ConnectionsTable::Row row;
  row.input = input;
  row.ownPin = record.nOwnPin;
  row.peerPin = record.nPeerPin;
  row.peerCategory = record.nPeerCategory;
  if (record.pPeer) {
    row.peerName = record.pPeer->GetName();
    row.peerType = record.pPeer->GetType();
    row.peerId = record.pPeer->GetID();
  } else {
    row.peerName = QStringLiteral("-");
  }
  return row;
}

}  // namespace

QStringList ConnectionsTable::Row::Cells() const {
  return {input ? QCoreApplication::translate("CConnectionsDlg", "Input")
                : QCoreApplication::translate("CConnectionsDlg", "Output"),
          Fmt("%d", ownPin), peerName, Fmt("%d", peerPin), Fmt("%d", peerCategory)};
}

QStringList ConnectionsTable::Titles() {
  return {QCoreApplication::translate("CConnectionsDlg", "Direction"),
          QCoreApplication::translate("CConnectionsDlg", "Pin"),
          QCoreApplication::translate("CConnectionsDlg", "Connected to"),
          QCoreApplication::translate("CConnectionsDlg", "Its pin"),
          QCoreApplication::translate("CConnectionsDlg", "Category")};
}

std::vector<ConnectionsTable::Row> ConnectionsTable::Build(const CBaseDevice* object) {
  std::vector<Row> rows;
  if (!object) {
    return rows;
  }
  for (const ConnectionRecord& r : object->GetInputConnections()) {
    rows.push_back(MakeRow(r, true));
  }
  for (const ConnectionRecord& r : object->GetOutputConnections()) {
    rows.push_back(MakeRow(r, false));
  }
  return rows;
}
