#ifndef SELV_TESTS_SHELL_SHELLTESTBLOCK_H
#define SELV_TESTS_SHELL_SHELLTESTBLOCK_H

#include "model/cbasedevice.h"

#include <QPoint>
#include <QString>

class CSelvantisDoc;

// A plain drawing block for the shell's tests: two inputs, two outputs, a
// white box with its name below. It enables delete and properties in its
// menu, counts properties calls, names itself in its tool tip and reports
// one row to the printed object table.
class ShellTestBlock final : public CBaseDevice {
  SELV_DECLARE_SERIAL(ShellTestBlock)
 public:
  static constexpr int kWidth = 80;
  static constexpr int kHeight = 60;

  ShellTestBlock();

  void OnUpdateCommandUI(CCmdUI& cmdUI) override;
  bool ShowProperties() override;
  QString GetToolTipText() const override;
  int GetReportColumns(std::vector<ReportColumn>& columns) const override;
  int GetReportLine(QStringList& cells, bool bHeader) const override;

  int PropertiesCalls() const { return m_properties; }

  // Makes a block at topLeft in doc and hands it to the document; null
  // when the pool is full.
  static ShellTestBlock* Place(CSelvantisDoc& doc, const QPoint& topLeft, const QString& name = QString());
  // Registers the block in the "place new object" menu (once).
  static void RegisterPlacement();

 private:
  int m_properties = 0;
};

#endif
