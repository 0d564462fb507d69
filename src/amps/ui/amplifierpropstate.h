#ifndef SELV_AMPS_UI_AMPLIFIERPROPSTATE_H
#define SELV_AMPS_UI_AMPLIFIERPROPSTATE_H

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

class CAmplifier;
class CAudioOutputSlot;
class CBaseDevice;
class CSelvantisDoc;

// What the amplifier properties dialog shows and what its Apply writes: the
// unit's audio outputs that may feed the amplifier's inputs, the model, the
// source chosen for each input and the bus address. Holds plain pointers into
// the document; the dialog calls Forget when the document removes an object.
class AmplifierPropState final {
 public:
  static constexpr int kChannels = 4;
  // The unit has two audio output slots of two outputs each.
  static constexpr int kMaxSources = 4;
  // No source chosen ("Not used").
  static constexpr int kNone = -1;

  // One audio output of the unit.
  struct Source {
    CAudioOutputSlot* slot = nullptr;
    int pin = 0;
    QString name;
  };
  struct ChannelView {
    bool shown = false;
    QString power;       // "%d W"
    int choice = kNone;  // index into Sources(), or kNone
  };
  struct View {
    bool hasAmplifier = false;
    int modelRow = -1;  // row of the amplifier-type table
    bool addressEnabled = false;
    QString addressText;
    bool advancedEnabled = false;
    std::array<ChannelView, kChannels> channels;
  };

  explicit AmplifierPropState(CSelvantisDoc* doc);

  CSelvantisDoc* GetDocument() const noexcept { return m_doc; }
  const std::vector<Source>& Sources() const noexcept { return m_sources; }
  // The texts of a channel list: the sources, then "Not used".
  QStringList ChannelTexts() const;
  // The model texts, one per row of the amplifier-type table.
  static QStringList ModelTexts();
  // The amplifiers of the project in identifier order.
  std::vector<CAmplifier*> Amplifiers() const;
  // The tree image of an amplifier: its model's output count + 1.
  static int TreeImage(const CAmplifier* amp);

  CAmplifier* GetAmplifier() const noexcept { return m_amp; }
  // Makes amp the edited amplifier and takes its model and sources as the
  // choices (null: nothing is edited).
  void SetAmplifier(CAmplifier* amp);
  // Takes the amplifier's model and sources again, dropping pending choices.
  void Reload();
  View GetView() const;

  // The user's choices; Apply writes them.
  void SelectModel(int row);
  // entry: index into Sources(), or kNone ("Not used"); other values count
  // as "Not used".
  void SelectSource(int channel, int entry);
  int GetSelectedModel() const noexcept { return m_modelRow; }
  int GetSelectedSource(int channel) const;
  bool IsModified() const noexcept { return m_modified; }

  // Writes model and sources to the amplifier. A model change removes every
  // input connection first; then each input whose choice changed loses the
  // connection from its old source and is connected to the new one.
  void Apply();

  // "Adr. %02x" for an addressable model, else the text of "Address".
  QString AddressText() const;
  // The address preset of the selection dialog ("%x").
  QString AddressSelection() const;
  // Stores the chosen address; false (nothing changed) outside 0..63.
  bool SetAddress(int address);

  // The document removes object: drop every pointer to it.
  void Forget(const CBaseDevice* object);

 private:
  int FindSource(const CBaseDevice* slot, int pin) const;
  int ModelRowOfAmplifier() const;
  static int PinCountOfModel(int row);

  CSelvantisDoc* m_doc;
  CAmplifier* m_amp = nullptr;
  std::vector<Source> m_sources;
  std::array<int, kChannels> m_remembered{};
  std::array<int, kChannels> m_selected{};
  int m_modelRow = -1;
  bool m_modified = false;
};

#endif
