#ifndef SELV_AMPS_CGROUP_H
#define SELV_AMPS_CGROUP_H

#include "macros/rangelist.h"
#include "model/cbasedevice.h"

class CSelvantisDoc;

// A group of zones and sub-groups (its members are connected to its input).
// The group with identifier 0 is the project's root group: it stands for
// "all zones", cannot be deleted, and sends the unit's clear commands
// ("/VMX/CLEAR"). Groups sit at one of three levels: 3 the root, 1 a group
// added from a zone, 2 a group added below a level-1 group. The level is
// kept in the base object's per-input value 0.
class CGroup final : public CBaseDevice {
  SELV_DECLARE_SERIAL(CGroup)

 public:
  static constexpr int kSchema = 1;
  static constexpr int kMenuId = 111;
  static constexpr int kBitmap = 313;
  static constexpr int kRootId = 0;
  static constexpr int kLevelFromZone = 1;
  static constexpr int kLevelAdded = 2;
  static constexpr int kLevelRoot = 3;
  // New groups are placed this far right of the point asked for.
  static constexpr int kPlaceOffsetX = 100;

  enum Command : int {
    ID_ADD_GROUP = 33004,
    ID_GROUP_PROPERTIES = 33006,
  };

  CGroup();

  // Creates a group (kind 0, one input and output) at rect and adds it to
  // the document with the level; null when the pool is full (the message
  // has been shown, nothing is left behind).
  static CGroup* CreateIn(CSelvantisDoc& doc, const QRect& rect, int level);
  // The document's root group, created (first in the group list) when
  // missing.
  static CGroup* EnsureRoot(CSelvantisDoc& doc);
  // Places the root group of a new project above the right end of the
  // unit's blocks, where the column of zones made beside the amplifiers
  // grows, so that the zones' wires to it stay short.
  static void PlaceRootBesideUnit(CSelvantisDoc& doc);
  static CGroup* FindRoot(const CSelvantisDoc& doc);

  bool IsRoot() const noexcept { return m_nID == kRootId; }
  int GetLevel() const;
  void SetLevel(int level);
  // False for the root group and for a group that already has a group
  // among its members.
  bool CanAddGroup() const;
  // 33004: a level-2 group below this one; null (with the message "You
  // cannot add an additional group level !" on a level-2 group) when none
  // is made.
  CGroup* AddSubGroup();

  // Sets the bit (identifier - 1) of every zone among the group's members
  // and, for depth 2, of the zones of the groups among them.
  static void AddZonesOf(const CBaseDevice& group, BitSet& zones, int depth = 2);

  // ---- Base operations -------------------------------------------------------
  void Serialize(CArchive& ar) override;
  bool CreateOnCanvas(int kind, int nInputs, int nOutputs, const QString& name, const QRect& rect, int category,
                      int bitmapId, int textFlags, CSelvantisDoc* doc) override;
  int OnAfterLoad() override;
  bool OnCommand(int id) override;
  void OnUpdateCommandUI(CCmdUI& cmdUI) override;
  // The root group: "/VMX/CLEAR/ZONE ALL", "/VMX/CLEAR/COLLCALL ALL" and,
  // with the upgrade flag, "/VMX/CLEAR/LANGRP ALL" (queries leave "ALL"
  // out). Other groups send nothing.
  int Download(bool bQuery, int nStep) override;
  // Replies change nothing.
  bool Upload(const QString& line, QString& errorFilePath, int mode) override;
};

#endif
