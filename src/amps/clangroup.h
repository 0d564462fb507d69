#ifndef SELV_AMPS_CLANGROUP_H
#define SELV_AMPS_CLANGROUP_H

#include "model/cbasedevice.h"

#include <QString>

#include <functional>
#include <vector>

class CSelvantisDoc;

// A numbered set of zones the unit knows as "/VMX/LANGRP<id>". The zone it
// was added from is linked to input pin 0; its members (zones and groups)
// are linked from their output pin 0 to input pin 1. The member text, the
// range list of member zones ("ALL" with the root group, "0" for none), is
// what the unit gets and what an upload sets.
class CLANGroup final : public CBaseDevice {
  SELV_DECLARE_SERIAL(CLANGroup)

 public:
  static constexpr int kSchema = 2;
  static constexpr int kKind = 34575;  // "LAN group"
  static constexpr int kMenuId = 295;
  static constexpr int kBitmap = 530;
  static constexpr int kOwnerPin = 0;
  static constexpr int kMemberPin = 1;
  static constexpr int kPlaceOffsetX = 100;
  static constexpr int kLevelValue = 0;

  enum Command : int {
    ID_LANGROUP_PROPERTIES = 33006,
    ID_CHANGE_ID = 33182,
  };

  CLANGroup();

  // Creates a LAN group at rect in the miscellaneous list and adds it to the
  // document; null when the pool is full (nothing is left behind).
  static CLANGroup* CreateIn(CSelvantisDoc& doc, const QRect& rect);

  // which 0: the stored text; 1: for display ("ALL" -> "All", "NONE" and
  // "0" -> "No entry"); other values: "".
  QString GetMemberText(int which) const;
  // Stores the text when which is 0.
  void SetMemberText(int which, const QString& text);
  // Builds the range list of the member zones (a group gives its zones and
  // those of its groups); with bStore it becomes the member text. Returns
  // true when the root group is a member ("all zones").
  bool BuildMemberText(bool bStore);
  // The member text from the members: the range list, or "ALL".
  void RefreshMemberText();

  // Added from a zone, a LAN group is connected as a group added from a
  // zone is, with its level (1) in the base record's per-input value 0.
  int GetLevel() const { return GetInputValue(kLevelValue); }
  void SetLevel(int level);

  // The zones and groups linked to an input pin other than 0.
  std::vector<CBaseDevice*> GetMembers() const;
  // Takes a chosen set of zones and groups as the members: the new ones are
  // linked to pin 1, those no longer chosen unlinked; then the member text
  // is rebuilt.
  void ApplyMembers(const std::vector<CBaseDevice*>& chosen);

  // Gives the LAN group another free identifier; its command path follows.
  // False when the identifier is taken or outside 1..64.
  bool ChangeLanGroupID(int newId);
  // "Change ID" asks the user for the identifier through this handler (the
  // widget library installs it): it returns the chosen identifier, or 0.
  // Returns the handler installed before.
  using IdChooser = std::function<int(CLANGroup& group)>;
  static IdChooser SetIdChooser(IdChooser chooser);

  // ---- Base operations -------------------------------------------------------
  void Serialize(CArchive& ar) override;
  bool CreateOnCanvas(int kind, int nInputs, int nOutputs, const QString& name, const QRect& rect, int category,
                      int bitmapId, int textFlags, CSelvantisDoc* doc) override;
  bool OnCommand(int id) override;
  void OnUpdateCommandUI(CCmdUI& cmdUI) override;
  QString GetToolTipText() const override;
  int GetReportColumns(std::vector<ReportColumn>& columns) const override;
  int GetReportLine(QStringList& cells, bool bHeader) const override;
  // One step with the upgrade flag: "/VMX/LANGRP<id> <member text>".
  // Without it the group takes no part (0 steps, and step 0 sends nothing).
  int Download(bool bQuery, int nStep) override;
  // "VMX/LANGRP<id> <text>" outside a download sets the member text.
  bool Upload(const QString& line, QString& errorFilePath, int mode) override;

 private:
  QString m_strMembers;
};

#endif
