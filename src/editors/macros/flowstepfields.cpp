#include "editors/macros/flowstepfields.h"

#include "macros/cmacro.h"
#include "model/ctext.h"

#include <QDateTime>
#include <QTime>

#include <algorithm>

namespace FlowStepFields {

int ClampRepeatTime(int seconds) { return std::clamp(seconds, 0, 300); }

int ClampRepeatCount(int count) { return std::clamp(count, 0, 65535); }

QString SequenceCell(const CMacro& macro, int row, int column) {
  if (row < 0 || row >= kSequenceRows) return {};
  switch (column) {
    case 0: return Fmt("%d", row + 1);
    case 1: return macro.GetParamText(CMacro::P_STEP_MACRO + row);
    case 2: return macro.GetParamText(CMacro::P_STEP_DELAY + row);
    case 3: return macro.GetParamText(CMacro::P_STEP_CONDITION + row);
    default: return {};
  }
}

bool SetSequenceDelay(CMacro& macro, int row, const QString& text) {
  if (row < 0 || row >= kSequenceRows || text.trimmed().isEmpty()) return false;
  macro.SetParamText(CMacro::P_STEP_DELAY + row, text.trimmed());
  return true;
}

bool SetSequenceObject(CMacro& macro, int row, int column, int id) {
  if (row < 0 || row >= kSequenceRows) return false;
  if (column == 1)
    macro.SetParam(CMacro::P_STEP_MACRO + row, id);
  else if (column == 3)
    macro.SetParam(CMacro::P_STEP_CONDITION + row, id);
  else
    return false;
  return true;
}

bool SequenceColumnChooses(int column) { return column == 1 || column == 3; }

bool SequenceColumnEdits(int column) { return column == 2; }

void SetMemoFlag(CMacro& macro, int flagId) {
  macro.SetParam(CMacro::P_MEMO_FLAG, flagId);
  if (CMacro* partner = macro.GetPartner()) partner->SetParam(CMacro::P_PARTNER, 0);
}

void ChooseSlaveClock(CMacro& macro, SlaveClock choice) {
  macro.SetParam(CMacro::P_SET_RUN, choice == kClockSet ? 0 : 1);
  macro.SetParam(CMacro::P_SWITCH, choice == kClockStart ? 1 : 0);
  macro.SetParam(CMacro::P_SET_TIME, choice == kClockSet ? 1 : 0);
}

int SlaveClockChoice(CMacro& macro) {
  if (macro.GetParam(CMacro::P_SET_RUN) != 0) {
    macro.SetParam(CMacro::P_SET_TIME, 0);
    return macro.GetParam(CMacro::P_SWITCH) != 0 ? kClockStart : kClockStop;
  }
  return macro.GetParam(CMacro::P_SET_TIME) != 0 ? kClockSet : -1;
}

// The unit gets the time of day in local time ("/PARAM/TIME HH:MM"), so the
// editor shows and picks local time too: what the user picks is what the
// unit gets, in every time zone.
int SlaveClockMinutes(const CMacro& macro) {
  const QTime t = QDateTime::fromSecsSinceEpoch(macro.GetParamTime()).time();
  return t.hour() * 60 + t.minute();
}

void SetSlaveClockMinutes(CMacro& macro, int minutesOfDay) {
  const int minutes = std::clamp(minutesOfDay, 0, 24 * 60 - 1);
  QDateTime dt = QDateTime::fromSecsSinceEpoch(macro.GetParamTime());
  dt.setTime(QTime(minutes / 60, minutes % 60));
  macro.SetParamTime(dt.toSecsSinceEpoch());
}

void ChooseLineTest(CMacro& macro, LineTest choice) {
  if (choice == kTestStop) {
    macro.SetParam(CMacro::P_SWITCH, 0);
    return;
  }
  macro.SetParam(CMacro::P_TEST_MODE, choice == kTestLine ? 1 : 0);
  macro.SetParam(CMacro::P_SWITCH, 1);
}

LineTest LineTestChoice(const CMacro& macro) {
  if (macro.GetParam(CMacro::P_SWITCH) == 0) return kTestStop;
  return macro.GetParam(CMacro::P_TEST_MODE) != 0 ? kTestLine : kTestImpedance;
}

}  // namespace FlowStepFields
