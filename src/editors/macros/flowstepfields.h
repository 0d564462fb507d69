#ifndef SELV_EDITORS_MACROS_FLOWSTEPFIELDS_H
#define SELV_EDITORS_MACROS_FLOWSTEPFIELDS_H

#include <QString>

class CMacro;

// What the control-flow step editors (repeat, sequence, memo flag, slave
// clocks, line test) show and write, as plain functions.
namespace FlowStepFields {

// The repeat interval in seconds is kept in 0..300, the repeat count in
// 0..65535 (0 repeats without end).
int ClampRepeatTime(int seconds);
int ClampRepeatCount(int count);

// The sequence list: five rows, columns 0 step number, 1 macro name,
// 2 delay ("%.1f" s), 3 condition name. Empty for a cell out of range.
constexpr int kSequenceRows = 5;
QString SequenceCell(const CMacro& macro, int row, int column);
// Stores a typed delay of a row (parsed and kept in 0..300 s by the macro);
// false for a row out of range or an empty text (nothing stored).
bool SetSequenceDelay(CMacro& macro, int row, const QString& text);
// Stores the macro (column 1) or condition (column 3) of a row; false for
// another column or a row out of range.
bool SetSequenceObject(CMacro& macro, int row, int column, int id);
// Only the macro and condition columns open a chooser, only the delay
// column is edited in place.
bool SequenceColumnChooses(int column);
bool SequenceColumnEdits(int column);

// Memo flag: the flag, and clears the partner's pairing when one exists.
void SetMemoFlag(CMacro& macro, int flagId);

// Slave clocks: the three commands, and the one an editor shows (-1 none).
enum SlaveClock { kClockStart = 0, kClockStop = 1, kClockSet = 2 };
void ChooseSlaveClock(CMacro& macro, SlaveClock choice);
// Reading the choice drops a stale time setting under a run command.
int SlaveClockChoice(CMacro& macro);
// The shown time (minutes since midnight, local time, as the unit gets it)
// and a picked one written back on the date already stored.
int SlaveClockMinutes(const CMacro& macro);
void SetSlaveClockMinutes(CMacro& macro, int minutesOfDay);

// Line test: 0 stop (keeps the mode), 1 line test, 2 impedance.
enum LineTest { kTestStop = 0, kTestLine = 1, kTestImpedance = 2 };
void ChooseLineTest(CMacro& macro, LineTest choice);
LineTest LineTestChoice(const CMacro& macro);

}  // namespace FlowStepFields

#endif
