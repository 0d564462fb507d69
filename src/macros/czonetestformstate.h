#ifndef SELV_MACROS_CZONETESTFORMSTATE_H
#define SELV_MACROS_CZONETESTFORMSTATE_H

#include "model/cselvantisdoc.h"

#include <QPointer>
#include <QString>

#include <vector>

class CSelvantisDoc;
class CZonetestObject;

// What the zone-test settings offer and how they are stored, without
// widgets: the console lists, the output list, the daily line test and
// impedance test switches and which controls they enable. Shared by the
// lower pane of the line-test window (which stores every change at once)
// and the line test properties dialog (which stores on OK). Everything goes
// into the project's zone-test object (looked up anew each time); nothing
// is sent to the unit here.
class CZonetestFormState final {
 public:
  struct Entry {
    QString text;
    int data = 0;  // console ID (0 "OFF", -1 all) or control pad ID (0 "OFF")
  };
  // What a switch leaves the form showing.
  struct Effects {
    bool outputEnabled = false;
    bool resetOutput = false;  // output list back to "OFF"
    bool consolesEnabled = false;
    bool resetConsoles = false;  // the switch's console list back to "OFF"
    bool timeEnabled = false;
  };
  // Which controls the two switches enable.
  struct Enables {
    bool output = false;
    bool time = false;
    bool lineConsoles = false;
    bool impedanceConsoles = false;
  };

  explicit CZonetestFormState(CSelvantisDoc* doc);

  CZonetestObject* Object() const;
  int Param(int index) const;

  // "OFF", "All Consoles", then the consoles in ID order.
  std::vector<Entry> ConsoleEntries() const;
  // "OFF", then the digital slot outputs, KCM208 and KCM209 pads, each kind
  // in ID order.
  std::vector<Entry> OutputEntries() const;
  // The entry whose data equals value; 0 ("OFF") when none does.
  static int IndexOfData(const std::vector<Entry>& entries, int value);
  // The output entry of the pad the zone-test output switches ("OFF" also
  // when that pad is not among the listed kinds).
  int OutputSelection(const std::vector<Entry>& entries) const;

  // The output is needed while either test is on; the time and the line
  // console only with the line test, the impedance console only with the
  // impedance test.
  static Enables EnablesFor(bool lineOn, bool impedanceOn);
  // What the zone test window enables when it opens: everything as above
  // with the line test on; with it off the output and both console lists
  // stay disabled, the impedance test notwithstanding, until a test is
  // switched on in the window.
  static Enables OpeningEnables(bool lineOn, bool impedanceOn);
  // What switching a test leaves the form showing; no store.
  static Effects LineTestEffects(bool checked, bool impedanceChecked);
  static Effects ImpedanceTestEffects(bool checked, bool lineChecked);

  // "Line test" clicked; secondsOfDay is the picker's time.
  Effects LineTestClicked(bool checked, bool impedanceChecked, int secondsOfDay);
  // "Impedance test" clicked.
  Effects ImpedanceTestClicked(bool checked, bool lineChecked);
  void StoreTime(int secondsOfDay);
  void StoreLineConsole(int data);
  void StoreImpedanceConsole(int data);
  void StoreOutput(int padId);

 private:
  void Set(int index, int value);

  QPointer<CSelvantisDoc> m_doc;
};

#endif
