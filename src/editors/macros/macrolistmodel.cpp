#include "editors/macros/macrolistmodel.h"

#include "macros/cmacro.h"
#include "model/cselvantisdoc.h"
#include "model/ctext.h"
#include "model/devicetype.h"

#include <QCoreApplication>

namespace MacroListModel {

namespace {

struct EditorEntry {
  int kind;
  Editor editor;
  const char* className;
};

constexpr EditorEntry kEditors[] = {
    {CMacro::kKindMonitor, Editor::Monitor, "CMonitorMacroView"},
    {CMacro::kKindMemoFlag, Editor::MemoFlag, "CMemoFlagMacroView"},
    {CMacro::kKindPower, Editor::Power, "CPowerMacroView"},
    {CMacro::kKindBackground, Editor::Background, "CBackgroundMacroView"},
    {CMacro::kKindPage, Editor::Page, "CPageMacroView"},
    {CMacro::kKindChime, Editor::Chime, "CChimeMacroView"},
    {CMacro::kKindAlarm, Editor::Alarm, "CAlarmMacroView"},
    {CMacro::kKindDigitalIO, Editor::DigitalIO, "CDIGIOMacroView"},
    {CMacro::kKindVolume, Editor::Volume, "CVolumeMacroView"},
    {CMacro::kKindAuxSwitch, Editor::AuxSwitch, "CInselMacroView"},
    {CMacro::kKindLCDText, Editor::LCDText, "CLCDTextMacroView"},
    {CMacro::kKindSequence, Editor::Sequence, "CSequenceMacroView"},
    {CMacro::kKindMessage, Editor::Message, "CMessageMacroView"},
    {CMacro::kKindVirtCtrl, Editor::VirtCtrl, "CVirtCtrlMacroView"},
    {CMacro::kKindStop, Editor::Stop, "CStopMacroView"},
    {CMacro::kKindAmpSupply, Editor::AmpSupply, "CAmpMacroView"},
    {CMacro::kKindAmpMute, Editor::AmpMute, "CAmpMuteMacroView"},
    {CMacro::kKindRecord, Editor::Record, "CRecordMacroView"},
    {CMacro::kKindErase, Editor::Erase, "CEraseMacroView"},
    {CMacro::kKindRepeat, Editor::Repeat, "CRepeatMacroView"},
    {CMacro::kKindSlaveClock, Editor::SlaveClock, "CSlaveClockMacroView"},
    {CMacro::kKindLineTest, Editor::LineTest, "CZonetestMacroView"},
    {CMacro::kKindBuzzer, Editor::Buzzer, "CBuzzerMacroView"},
};

// Pairs of these kinds are told apart by priority, ON one below OFF.
int PairPriority(int kind) {
  switch (kind) {
    case CMacro::kKindAlarm: return 90;
    case CMacro::kKindMessage: return 40;
    case CMacro::kKindBackground: return 10;
    default: return 0;
  }
}

}  // namespace

Editor EditorFor(int kind) {
  for (const EditorEntry& entry : kEditors) {
    if (entry.kind == kind) return entry.editor;
  }
  return Editor::Empty;
}

const char* EditorClassName(Editor editor) {
  for (const EditorEntry& entry : kEditors) {
    if (entry.editor == editor) return entry.className;
  }
  return "CEmptyMacroView";
}

std::vector<Row> Rows(const CSelvantisDoc& doc) {
  std::vector<CBaseDevice*> objects;
  doc.GetIDManager().GetBaseDeviceList(objects, DT_MACRO);
  std::vector<Row> rows;
  rows.reserve(objects.size());
  for (CBaseDevice* object : objects) {
    auto* macro = dynamic_cast<CMacro*>(object);
    if (!macro) continue;
    rows.push_back({macro, {macro->GetName(), macro->GetParamText(CMacro::P_KIND), macro->GetIDString()}});
  }
  return rows;
}

int RowOfId(const std::vector<Row>& rows, int currentId) {
  for (size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].macro->GetID() == currentId) return static_cast<int>(i);
  }
  return 0;
}

std::array<int, 3> ParseColumnWidths(const QString& text) {
  std::array<int, 3> widths = kDefaultColumnWidths;
  const QStringList parts = text.split(QLatin1Char(','));
  for (int i = 0; i < 3 && i < parts.size(); ++i) {
    int value = 0;
    // A width outside the screen's reach is a damaged setting, not a wish.
    if (ScanInt(parts.at(i).trimmed(), &value) && value > 0 && value < 10000) widths[i] = value;
  }
  return widths;
}

QString FormatColumnWidths(const std::array<int, 3>& widths) {
  return Fmt("%d,%d,%d", widths[0], widths[1], widths[2]);
}

Shape ShapeOf(int kind) {
  switch (kind) {
    case CMacro::kKindBackground:
    case CMacro::kKindPage:
    case CMacro::kKindAlarm:
    case CMacro::kKindDigitalIO:
    case CMacro::kKindMessage:
    case CMacro::kKindRecord:
    case CMacro::kKindPower: return Shape::OnOff;
    case CMacro::kKindMonitor:
    case CMacro::kKindVolume:
    case CMacro::kKindVirtCtrl: return Shape::UpDown;
    case CMacro::kKindMemoFlag:
    case CMacro::kKindChime:
    case CMacro::kKindAuxSwitch:
    case CMacro::kKindLCDText:
    case CMacro::kKindSequence:
    case CMacro::kKindStop:
    case CMacro::kKindAmpSupply:
    case CMacro::kKindAmpMute:
    case CMacro::kKindNoEntry:
    case CMacro::kKindErase:
    case CMacro::kKindRepeat:
    case CMacro::kKindSlaveClock:
    case CMacro::kKindLineTest:
    case CMacro::kKindBuzzer: return Shape::Single;
    default: return Shape::None;
  }
}

NewResult NewMacro(CSelvantisDoc& doc, int kind) {
  NewResult result;
  const Shape shape = ShapeOf(kind);
  if (shape == Shape::None) return result;
  if (kind == CMacro::kKindPower) {
    std::vector<CBaseDevice*> existing;
    doc.GetIDManager().GetBaseDeviceListByKind(existing, DT_MACRO, kind);
    if (!existing.empty()) {
      result.message = QCoreApplication::translate("MacroListModel", "A macro of this type exists already !");
      return result;
    }
  }
  CMacro* first = CMacro::CreateMacro(kind, doc);
  if (!first) return result;
  result.created.push_back(first);
  if (shape == Shape::Single) {
    first->SetParam(CMacro::P_SWITCH, 1);
    first->SetParam(CMacro::P_PARTNER, 0);
    return result;
  }
  CMacro* second = CMacro::CreateMacro(kind, doc);
  if (!second) {
    // The first half stays a step of its own rather than half of a pair.
    first->SetParam(CMacro::P_SWITCH, 1);
    return result;
  }
  result.created.push_back(second);
  first->SetParam(CMacro::P_SWITCH, 1);
  second->SetParam(CMacro::P_SWITCH, 0);
  CMacro::MakePair(*first, *second);
  const bool onOff = shape == Shape::OnOff;
  first->SetUniqueName(first->GetName() + (onOff ? QStringLiteral(" ON") : QStringLiteral(" UP")), true);
  second->SetUniqueName(second->GetName() + (onOff ? QStringLiteral(" OFF") : QStringLiteral(" DOWN")), true);
  if (const int prio = PairPriority(kind)) {
    first->SetParam(CMacro::P_PRIO, prio);
    second->SetParam(CMacro::P_PRIO, prio + 1);
  }
  return result;
}

bool CanCreate(const CSelvantisDoc& doc) {
  // Below the limit rather than "not at it": a project loaded with more
  // macros than the limit must not offer New either.
  const int limit = doc.GetMaxDevices(DT_MACRO);
  return limit <= 0 || doc.GetIDManager().GetCount(DT_MACRO) < limit;
}

bool CanDelete(const CSelvantisDoc& doc) { return doc.GetIDManager().GetCount(DT_MACRO) > 0; }

QString ExecuteLine(int id) { return Fmt("/MACRO/START %d", id); }

}  // namespace MacroListModel
