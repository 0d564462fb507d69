#ifndef SELV_UNIT_CINFOSLOT_H
#define SELV_UNIT_CINFOSLOT_H

#include "model/cbasedevice.h"

class CSelvantisDoc;

// The central unit's info block ("VMX 7000" on the canvas): shows whether the
// program is connected to the unit and opens the project data. One per
// project, identifier 1; fixed in place. The connected state is not stored
// in the project: the document hands it over from the link.
class CInfoSlot final : public CBaseDevice {
  SELV_DECLARE_SERIAL(CInfoSlot)

 public:
  static constexpr int kMenuId = 110;
  // The picture shown while connected, and its height.
  static constexpr int kConnectedIcon = 140;
  static constexpr int kIconSize = 32;

  CInfoSlot();

  void Serialize(CArchive& ar) override;

  // Stores the state and redraws the block when it changed.
  void SetConnected(bool connected);
  bool IsConnected() const noexcept { return m_bConnected; }
  void OnLinkStateChanged(bool connected) override;
  int GetConnectedFlag() const override { return m_bConnected ? 1 : 0; }

  // The base drawing; while connected the connection picture at the left
  // edge, vertically centred.
  void Draw(IPainter& painter) override;
  // Where the connection picture goes.
  QPoint ConnectedIconPos() const;

  // 33002 opens the project data (through the properties handler the widget
  // library registers for the type); every other command does nothing.
  bool OnCommand(int id) override;
  // Only 33002 is enabled (while a properties handler is registered): the
  // block cannot be deleted.
  void OnUpdateCommandUI(CCmdUI& cmdUI) override;

  // The project's info slot, or null.
  static CInfoSlot* Find(const CSelvantisDoc* doc);
  // Creates it when the project has none ("VMX 7000", left of the slots)
  // and gives it the link state the document holds.
  static CInfoSlot* EnsureIn(CSelvantisDoc& doc);
  // The block's place on a new project's canvas.
  static QRect DefaultRect();

 private:
  bool m_bConnected = false;
};

#endif
