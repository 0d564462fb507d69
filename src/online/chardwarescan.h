#ifndef SELV_ONLINE_CHARDWARESCAN_H
#define SELV_ONLINE_CHARDWARESCAN_H

#include <QString>
#include <QStringList>

#include <vector>

class IDeviceLink;

// What the hardware window's tree shows and how it asks the unit: the
// devices present (slots, consoles, amplifiers, extension cards) as root
// items, and each device's details as child items filled in when the item
// is expanded. The exchanges are synchronous and started by the user; the
// slot scan may also run as a command list whose answers come later.
class CHardwareScan final {
 public:
  enum ScanKind { kAmplifiers = 0, kConsoles = 1, kCards = 2, kSlots = 3 };
  // Images of the window's bitmap.
  enum Image {
    kImageNone = -1,
    kImageCard = 1,
    kImageAmplifier = 2,
    kImageConsole = 3,
    kImageMessage = 4,
    kImageSlot = 6
  };

  struct Item {
    QString text;
    int image = kImageNone;
    int data = 0;  // amplifier address, console number, card number or slot index
    QStringList children;
  };

  explicit CHardwareScan(IDeviceLink* link = nullptr);

  // The one explanatory item shown while the unit is off line; the scan
  // kind stays as it was.
  void ShowOffline();
  void ScanAmplifiers();
  void ScanConsoles();
  void ScanCards();
  void ScanSlots();
  // The slot scan without waiting: StartSlotScan empties the tree, the
  // caller sends SlotQueries as a command list, and TakeSlotAnswers reads
  // the lines received so far (echoes included): false while an answer is
  // missing, else the slots are in the tree.
  void StartSlotScan();
  static QStringList SlotQueries();
  bool TakeSlotAnswers(const QStringList& lines);
  // Asks the unit for the details of root item index and puts the answers
  // into its children. False (and nothing changed) when the reply count
  // does not match, the index is out of range or the kind has no details.
  bool ExpandItem(int index);

  // The detail queries of a device of a scan kind (none for slots).
  static QStringList DetailQueries(int kind, int number);
  // The answer of an availability query with the query's path, " ?" and
  // line ends removed and the blanks at both ends trimmed.
  static QString CleanAnswer(const QString& answer, const QString& query);

  int GetScanKind() const { return m_nScanKind; }
  // Buttons, lines and root lines: off for the message items.
  bool HasTreeLines() const { return m_treeLines; }
  const std::vector<Item>& Items() const { return m_items; }

 private:
  void StartScan(int kind);
  // The slots of five answers, one a slot, in order.
  void AddSlotItems(const QStringList& replies);
  void ScanAvailable(int kind);
  IDeviceLink* Link() const;

  IDeviceLink* m_link;
  int m_nScanKind = kSlots;
  bool m_treeLines = true;
  std::vector<Item> m_items;
};

#endif
