#include "shelltestblock.h"

#include "model/ccmdui.h"
#include "model/commandids.h"
#include "model/cselvantisdoc.h"
#include "shell/cplaceobjectregistry.h"

#include <memory>

SELV_IMPLEMENT_SERIAL(ShellTestBlock, 1)

ShellTestBlock::ShellTestBlock() { SetType(DT_CONTROLPAD); }

void ShellTestBlock::OnUpdateCommandUI(CCmdUI& cmdUI) {
  if (cmdUI.GetID() == ID_DELETE_OBJECT || cmdUI.GetID() == ID_SHOW_PROPERTIES) cmdUI.Enable(true);
}

bool ShellTestBlock::ShowProperties() {
  ++m_properties;
  return true;
}

QString ShellTestBlock::GetToolTipText() const { return QStringLiteral("Block %1").arg(GetName()); }

int ShellTestBlock::GetReportColumns(std::vector<ReportColumn>& columns) const {
  // Two columns at the same position, as some classes report them.
  columns.push_back({2, 0});
  columns.push_back({30, 0});
  columns.push_back({30, 0});
  return 1;
}

int ShellTestBlock::GetReportLine(QStringList& cells, bool bHeader) const {
  if (bHeader)
    cells << QStringLiteral("Name") << QStringLiteral("ID") << QStringLiteral("Type");
  else
    cells << GetName() << GetIDString() << QStringLiteral("Test block");
  return static_cast<int>(cells.size());
}

ShellTestBlock* ShellTestBlock::Place(CSelvantisDoc& doc, const QPoint& topLeft, const QString& name) {
  auto block = std::make_unique<ShellTestBlock>();
  const QString shown = name.isEmpty() ? QStringLiteral("Block %1").arg(doc.GetObjectCount(CAT_ENTRIES) + 1) : name;
  if (!block->Create(0, 2, 2, shown, QRect(topLeft, QSize(kWidth, kHeight)), CAT_ENTRIES, 0,
                     CBaseDevice::TF_NAME | CBaseDevice::TF_BELOW, &doc))
    return nullptr;
  return static_cast<ShellTestBlock*>(doc.AddObject(std::move(block)));
}

void ShellTestBlock::RegisterPlacement() {
  static const bool registered = [] {
    CPlaceObjectRegistry::Entry entry;
    entry.text = QStringLiteral("Test block");
    entry.type = DT_CONTROLPAD;
    entry.make = [](CSelvantisDoc& doc, const QPoint& at) -> CBaseDevice* { return Place(doc, at); };
    return CPlaceObjectRegistry::Register(entry);
  }();
  (void)registered;
}
