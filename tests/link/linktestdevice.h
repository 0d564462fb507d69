#ifndef SELV_TESTS_LINK_LINKTESTDEVICE_H
#define SELV_TESTS_LINK_LINKTESTDEVICE_H

#include "model/cbasedevice.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class CSelvantisDoc;

// A model object with a list of values under "/TEST<id>": it downloads
// "/TEST<id>/V<n> value" for each and takes "/TEST<id>/V<n> value" back in
// LINKMODE_UPLOAD (the value "MISMATCH" also adds a line to the error
// file). With m_waitForAnswer its first query step is repeated
// until the answer has been routed to it, as the two-phase uploads do.
// m_beforeStep runs at the start of each step, before its line goes (an
// object that asks the user something in the middle of a transfer).
class CLinkTestDevice final : public CBaseDevice {
  SELV_DECLARE_SERIAL(CLinkTestDevice)
 public:
  CLinkTestDevice() { m_nType = DT_MEMOFLAG; }
  QString BuildCommandPath() const override;
  void Serialize(CArchive& ar) override;
  int Download(bool bQuery, int nStep) override;
  bool Upload(const QString& line, QString& errorFilePath, int mode) override;

  QStringList m_values;
  bool m_shorten = false;
  bool m_waitForAnswer = false;
  bool m_answered = false;
  bool m_asked = false;
  std::function<void(int step)> m_beforeStep;
  QStringList m_routed;  // every line routed here
  int m_calls = 0;       // Download calls for a step
};

// A test object with count values "v0".."v<count-1>" (of width characters
// each when width > 2) added to doc under id.
CLinkTestDevice* AddLinkTestDevice(CSelvantisDoc& doc, int id, int count, int width = 0);

#endif
