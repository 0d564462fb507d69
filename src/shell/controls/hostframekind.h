#ifndef SELV_SHELL_CONTROLS_HOSTFRAMEKIND_H
#define SELV_SHELL_CONTROLS_HOSTFRAMEKIND_H

#include <array>
#include <cstdint>

// The frames that the editor host dialog shows, one at a time. The values are
// fixed: callers and stored settings use the numbers.
enum class HostFrameKind : int {
  VirtualControllers = 1,
  BackupAmplifiers = 2,
  Reserved3 = 3,
  Reserved4 = 4,
  Triggers = 5,
  MonitorEntries = 6,
  Macros = 7,
  Appointments = 8,
  DayPrograms = 9,
  Holidays = 10,
  WeekPrograms = 11,
  Conditions = 12,
  AnalogConditions = 13,
  CombineConditions = 14,
  BusyConditions = 15,
  ReadyInputs = 16,
  LogicOutputs = 17,
  MemoFlags = 18,
  Faults = 19,
  Hardware = 20,
  Fuses = 21,
  Recorder = 22,
  PilotTone = 23,
  PowerManagement = 24,
  Clock = 25,
  Volumes = 26,
  EventLog = 27,
  LineTest = 28,
};

constexpr int kFirstHostFrameKind = 1;
constexpr int kLastHostFrameKind = 28;

// One switch command of the frames' switch bars: the command id (which is
// also the string id of the window title), the kind it shows, the frame
// class that registers for the kind, and the English title used when the
// string table lacks the id.
struct HostFrameSwitch {
  uint32_t command;
  HostFrameKind kind;
  const char* frameClass;
  const char* title;
};

inline constexpr std::array<HostFrameSwitch, 26> kHostFrameSwitches{{
    {32992, HostFrameKind::MonitorEntries, "CMonitorDlgFrm", "Edit Monitor Entries"},
    {32993, HostFrameKind::Macros, "CMacroDlgFrm", "Edit Macro Entries"},
    {32994, HostFrameKind::MemoFlags, "CMemoFlagFrm", "Edit Memo Flags"},
    {32995, HostFrameKind::Appointments, "CAppointDlgFrm", "Edit Appointment Entries"},
    {32997, HostFrameKind::DayPrograms, "CDayprogDlgFrm", "Edit Daily Program Entries"},
    {32998, HostFrameKind::Holidays, "CHolidayDlgFrm", "Edit Holiday Entries"},
    {32999, HostFrameKind::WeekPrograms, "CWeekDlgFrm", "Edit Weekly Entries"},
    {33106, HostFrameKind::Conditions, "CConditionDlgFrm", "Edit condition Entries"},
    {33107, HostFrameKind::AnalogConditions, "CAnalogDlgFrm", "Edit analog Entries"},
    {33108, HostFrameKind::CombineConditions, "CCombineDlgFrm", "Edit combine Entries"},
    {33109, HostFrameKind::BusyConditions, "CBusyDlgFrm", "Edit busy Entries"},
    {33110, HostFrameKind::Triggers, "CTriggerDlgFrm", "Edit trigger Entries"},
    {33111, HostFrameKind::ReadyInputs, "CReadyInpDlgFrm", "Edit Ready Input Entries"},
    {33112, HostFrameKind::LogicOutputs, "CLogicOutDlgFrm", "Edit Logic Out Entries"},
    {33113, HostFrameKind::VirtualControllers, "CObjectFrm", "Edit virtual controller Entries"},
    {33114, HostFrameKind::BackupAmplifiers, "CSpareAmpFrm", "Edit Backup Amplifier Entries"},
    {33157, HostFrameKind::Faults, "CFaultDlgFrm", "Edit FAULT properties"},
    {33159, HostFrameKind::Fuses, "CFuseFrm", "Fuse properties"},
    {33162, HostFrameKind::PilotTone, "CPilotFrm", "Pilot tone generator"},
    {33163, HostFrameKind::PowerManagement, "CPowerFrm", "Internal power management"},
    {33164, HostFrameKind::Recorder, "CRecorderFrm", "Internal message recorder"},
    {34519, HostFrameKind::Hardware, "CHardwareDlgFrm", "Hardware"},
    {34584, HostFrameKind::Volumes, "CVolumeFrm", "Volume setup"},
    {34585, HostFrameKind::Clock, "CClkFrm", "Clock setup"},
    {34589, HostFrameKind::EventLog, "CEventLogFrm", "Event logger"},
    {34590, HostFrameKind::LineTest, "CZonetestFrm", "Line test"},
}};

constexpr bool IsValidHostFrameKind(int kind) { return kind >= kFirstHostFrameKind && kind <= kLastHostFrameKind; }

// The switch entry of a command, or null for any other command.
constexpr const HostFrameSwitch* FindHostFrameSwitchByCommand(uint32_t command) {
  for (const HostFrameSwitch& s : kHostFrameSwitches) {
    if (s.command == command) {
      return &s;
    }
  }
  return nullptr;
}

// The switch entry that shows a kind, or null (kinds 3 and 4 have none).
constexpr const HostFrameSwitch* FindHostFrameSwitchByKind(HostFrameKind kind) {
  for (const HostFrameSwitch& s : kHostFrameSwitches) {
    if (s.kind == kind) {
      return &s;
    }
  }
  return nullptr;
}

#endif
