#ifndef SELV_MACROS_CVIRTCTRLITEM_H
#define SELV_MACROS_CVIRTCTRLITEM_H

#include "model/cbasedevice.h"

#include <QString>

class CSelvantisDoc;

// A virtual-controller item (identifiers 1..40, kind 34365): a named value
// on the unit that sources drive and destinations follow. Its wiring lives in
// the virtual-controller block (CVirtCtrl); the item has no lines of its own.
class CVirtCtrlItem final : public CBaseDevice {
  SELV_DECLARE_SERIAL(CVirtCtrlItem)

 public:
  static constexpr int kKind = 34365;  // "Virtual controller", also its selection kind
  // The live value the unit is given while the item's properties are open.
  static constexpr const char* kValueCommand = "/VIRTCTRL/ENTRY%d/VALUE %lf";

  CVirtCtrlItem();

  void Serialize(CArchive& ar) override;

  // A new item named "Virtual controller <id>"; null when all 40 are taken.
  static CVirtCtrlItem* CreateItem(CSelvantisDoc& doc);
  // The live-value command for an entry.
  static QString ValueCommand(int entry, double value);

  // Name, identifier, what it drives and what drives it, one per line.
  QString GetToolTipText() const override;
  // Deleting the item clears its rows in the block first.
  bool OnCommand(int id) override;
  // The block's rows follow the item to a new identifier.
  void SetID(int id) override;

 protected:
  QString BuildCommandPath() const override { return QString(); }
};

#endif
