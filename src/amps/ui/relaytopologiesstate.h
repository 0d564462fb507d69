#ifndef SELV_AMPS_UI_RELAYTOPOLOGIESSTATE_H
#define SELV_AMPS_UI_RELAYTOPOLOGIESSTATE_H

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

class CBaseDevice;
class CRelaisTopology;
class CSelvantisDoc;

// What the relay topologies dialog shows and what its Apply writes for the
// edited topology: kind, zone count, first relay and first page relay, and
// the amplifier outputs feeding its inputs. Relay numbers are checked before
// anything changes: a relay that switches a zone of another topology, or too
// few free relays from the first number on, refuse the Apply.
class RelayTopologiesState final {
 public:
  static constexpr int kInputs = 4;
  static constexpr int kMinZones = 1;
  static constexpr int kMaxZones = 100;
  static constexpr int kNone = -1;

  // One amplifier output connection that may feed an input.
  struct InputEntry {
    CBaseDevice* amplifier = nullptr;
    int pin = 0;  // the amplifier's output pin
    CBaseDevice* peer = nullptr;
    int peerPin = 0;
    QString text;
  };
  struct KindEntry {
    int kind = 0;
    QString caption;
    int picture = 0;
  };
  // Which controls a kind shows.
  struct KindLayout {
    bool firstRelayShown = false;
    bool pageRelayShown = false;
    bool background = false;  // "First background relay" in place of "First relay"
    int inputs = 0;
  };
  struct View {
    bool hasTopology = false;
    int kindRow = -1;
    QString zoneCount;
    QString firstRelay;
    QString pageRelay;
    KindLayout layout;
    std::array<int, kInputs> inputs{};  // index into InputEntries(), or kNone
  };
  enum class ApplyResult {
    Ok,
    BadZoneCount,     // not 1..100
    BadFirstRelay,    // not a relay number; the text was put back
    FirstRelayTaken,  // a zone of another topology, or too few free relays
    BadPageRelay,
    PageRelayTaken,
  };

  explicit RelayTopologiesState(CSelvantisDoc* doc);

  static std::vector<KindEntry> Kinds();
  static KindLayout LayoutOf(int kind);
  // The picture of a topology's kind in the tree's image strip.
  static int PictureOf(const CRelaisTopology* topology);
  std::vector<CRelaisTopology*> Topologies() const;
  const std::vector<InputEntry>& InputEntries() const noexcept { return m_entries; }
  // The texts of an input list: the entries, then "Not used".
  QStringList InputTexts() const;

  CRelaisTopology* GetTopology() const noexcept { return m_topology; }
  // Makes topology the edited one and takes its values as the edits.
  void SetTopology(CRelaisTopology* topology);
  void Reload();
  View GetView() const;

  // The user's edits.
  void SelectKind(int row);
  void SetZoneCountText(const QString& text);
  void SetFirstRelayText(const QString& text);
  void SetPageRelayText(const QString& text);
  void SelectInput(int input, int entry);
  int GetSelectedKind() const;
  const QString& GetFirstRelayText() const noexcept { return m_firstRelay; }
  const QString& GetPageRelayText() const noexcept { return m_pageRelay; }
  bool IsFirstRelayValid() const noexcept { return m_firstValid; }
  bool IsPageRelayValid() const noexcept { return m_pageValid; }

  // False when the text names relay "r" n that switches a zone fed by
  // another topology than the edited one.
  bool IsRelayFree(const QString& text) const;

  // Checks and writes the edits; nothing changes unless Ok.
  ApplyResult Apply();

  // The relay numbers of the first zone's pins 1 and 2; empty without a zone
  // on pin 0, else the number or fallback when the pin has none.
  QString FirstZoneRelayText(int pin, const QString& fallback) const;

  // The document removes object: drop every pointer to it.
  void Forget(const CBaseDevice* object);

 private:
  void BuildInputEntries();
  int MatchInput(int input) const;
  bool ReadRelay(const QString& text, int* number) const;

  CSelvantisDoc* m_doc;
  CRelaisTopology* m_topology = nullptr;
  std::vector<InputEntry> m_entries;
  int m_kindRow = -1;
  QString m_zoneCount;
  QString m_firstRelay;
  QString m_pageRelay;
  bool m_firstValid = true;
  bool m_pageValid = true;
  std::array<int, kInputs> m_inputs{};
};

#endif
