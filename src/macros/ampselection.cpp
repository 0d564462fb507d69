#include "macros/ampselection.h"

#include "macros/rangelist.h"
#include "model/cbasedevice.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "model/ctext.h"

#include <QStringList>

#include <algorithm>
#include <vector>

namespace AmpSelection {

namespace {

constexpr uint32_t kStrAmplifier = 32782;  // "Amplifier"
constexpr uint32_t kStrChannel = 34371;    // "Channel"
constexpr uint32_t kStrNoEntry = 34421;    // "No entry"
constexpr uint32_t kStrAll = 34487;        // "All"
constexpr uint32_t kStrAddress = 34550;    // "Address"
// Bus addresses 0..63.
constexpr unsigned kAddressCount = 64;
// More global channels than any bus can hold, for reading a stored list.
constexpr unsigned kMaxChannels = 1024;

QString Text(uint32_t id, const char* fallback) {
  const QString text = LoadString(id);
  return text.isEmpty() ? QString::fromLatin1(fallback) : text;
}

bool IsAllText(const QString& text) {
  return text.compare(QLatin1String("ALL"), Qt::CaseInsensitive) == 0 || text == Text(kStrAll, "All");
}

bool IsNoneText(const QString& text) {
  return text.isEmpty() || text.compare(QLatin1String("NONE"), Qt::CaseInsensitive) == 0 ||
         text == Text(kStrNoEntry, "No entry");
}

// Sorted distinct numbers as a range list, runs of two or more as a-b.
QString RunsText(std::vector<int> numbers, bool hex) {
  std::sort(numbers.begin(), numbers.end());
  numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
  const char* format = hex ? "%x" : "%d";
  QStringList parts;
  for (size_t i = 0; i < numbers.size();) {
    size_t end = i;
    while (end + 1 < numbers.size() && numbers[end + 1] == numbers[end] + 1) ++end;
    QString part = Fmt(format, numbers[i]);
    if (end > i) part += QLatin1Char('-') + Fmt(format, numbers[end]);
    parts << part;
    i = end + 1;
  }
  return parts.join(QLatin1Char(','));
}

// "ALL" when the "All" row is chosen, "NONE" when nothing is, else the
// range list of the chosen numbers.
std::function<QString(const std::vector<const SelectionChoice*>&)> Formatter(bool hex) {
  return [hex](const std::vector<const SelectionChoice*>& chosen) {
    std::vector<int> numbers;
    for (const SelectionChoice* choice : chosen) {
      if (choice->number == kAllNumber) return QStringLiteral("ALL");
      numbers.push_back(choice->number);
    }
    return numbers.empty() ? QStringLiteral("NONE") : RunsText(numbers, hex);
  };
}

SelectionList StartList(const QString& title, const QString& numberTitle, bool hex, bool presetAll) {
  SelectionList list;
  list.multiple = true;
  list.titles << title << numberTitle;
  list.noneText = QStringLiteral("NONE");
  list.formatSelection = Formatter(hex);
  SelectionChoice all;
  all.columns << Text(kStrAll, "All") << QString();
  all.number = kAllNumber;
  all.text = QStringLiteral("ALL");
  all.preselected = presetAll;
  list.choices.push_back(all);
  return list;
}

std::vector<CBaseDevice*> Amplifiers(const CSelvantisDoc* doc) {
  std::vector<CBaseDevice*> amps;
  if (doc != nullptr) doc->GetIDManager().GetAmplifiersByTableRow(amps);
  return amps;
}

}  // namespace

SelectionList ListAmplifiers(const CSelvantisDoc* doc, const SelectionRequest& request) {
  const QString preset = request.selection.trimmed();
  const bool all = IsAllText(preset);
  BitSet wanted;
  const bool listed = !all && !IsNoneText(preset) && ParseRangeListFmt(preset, wanted, kAddressCount, 0, 'x');
  SelectionList list = StartList(Text(kStrAmplifier, "Amplifier"), Text(kStrAddress, "Address"), true, all);
  for (const CBaseDevice* amp : Amplifiers(doc)) {
    const int address = amp->GetAmplifierBusAddress();
    if (address < 0 || address >= static_cast<int>(kAddressCount)) continue;
    SelectionChoice choice;
    choice.columns << amp->GetName() << Fmt("%x", address);
    choice.number = address;
    choice.type = DT_AMPLIFIER;
    choice.value = address;
    choice.text = Fmt("%x", address);
    choice.preselected = listed && TestBit(wanted, static_cast<unsigned>(address));
    list.choices.push_back(choice);
  }
  return list;
}

SelectionList ListAmpChannels(const CSelvantisDoc* doc, const SelectionRequest& request) {
  const QString preset = request.selection.trimmed();
  const bool all = IsAllText(preset);
  BitSet wanted;
  const bool listed = !all && !IsNoneText(preset) && ParseRangeList(preset, wanted, kMaxChannels);
  SelectionList list =
      StartList(Text(kKindAmpChannels, "Amplifier Channels"), Text(kStrChannel, "Channel"), false, all);
  int global = 0;
  for (const CBaseDevice* amp : Amplifiers(doc)) {
    const int channels = std::max(0, amp->GetAmplifierChannelCount());
    for (int channel = 1; channel <= channels; ++channel) {
      ++global;
      SelectionChoice choice;
      choice.columns << amp->GetName() + Fmt(" CH%d", channel) << Fmt("%d", global);
      choice.number = global;
      choice.type = DT_AMPLIFIER;
      choice.value = amp->GetAmplifierBusAddress();
      choice.channel = channel;
      choice.text = Fmt("%d", global);
      choice.preselected = listed && TestBit(wanted, static_cast<unsigned>(global - 1));
      list.choices.push_back(choice);
    }
  }
  return list;
}

}  // namespace AmpSelection

SELV_REGISTER_SELECTION(AmpSelection::kKindAmplifiers, AmpSelection::ListAmplifiers)
SELV_REGISTER_SELECTION(AmpSelection::kKindAmpChannels, AmpSelection::ListAmpChannels)
