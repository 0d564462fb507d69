// Writes a small example project: test equipment for screenshots and for a
// first look at the program, not part of the product.
//   demo-project OUT.sxm
// The project is a new one (the unit's slots and the root group) with an
// amplifier fed by an audio output, a relay topology with three zones, a
// group of two of them and a call-station console on an audio input, all
// wired on the canvas.
#include "amps/camplifier.h"
#include "amps/cgroup.h"
#include "amps/crelaistopology.h"
#include "amps/czone.h"
#include "consoles/cconsole.h"
#include "consoles/cconsprop.h"
#include "model/cbasedevice.h"
#include "model/cfilename.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "model/devicetype.h"

#include <QCoreApplication>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kZoneCount = 3;
constexpr int kZoneGapY = 28;
constexpr QSize kConsoleSize(64, 48);

int Fail(const char* what) {
  std::fprintf(stderr, "demo-project: %s\n", what);
  return 1;
}

// Moves object so that its rectangle's top-left corner is at.
void MoveTo(CBaseDevice& object, const QPoint& at) {
  const QPoint by = at - object.GetRect().topLeft();
  object.Move(by.x(), by.y(), false);
}

// The first amplifier model on the unit's bus with two outputs, else the
// first model of the table.
int AmplifierKind() {
  for (int index = 0; const AmpTypeInfo* row = CAmplifier::GetTypeRow(index); ++index)
    if (row->addressable != 0 && row->outputs == 2) return row->kind;
  const AmpTypeInfo* first = CAmplifier::GetTypeRow(0);
  return first != nullptr ? first->kind : 0;
}

// The first object of a type in a category, or null.
CBaseDevice* FirstOf(const CSelvantisDoc& doc, int category, int type) {
  for (CBaseDevice* object : doc.GetObjectList(category))
    if (object->GetType() == type) return object;
  return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  // The output name as the system gave it: a name in Latin-1 is written
  // under its own bytes.
  QStringList args;
  for (int i = 0; i < argc; ++i) args << CFileName::FromSystem(argv[i]);
  if (args.size() != 2 || args[1].startsWith(QLatin1Char('-'))) {
    std::fprintf(stderr, "usage: demo-project OUT.sxm\n");
    return 2;
  }
  CStringTable::SetLanguage(CStringTable::Language::English);

  CSelvantisDoc doc;
  if (!doc.OnNewDocument()) return Fail("cannot start a new project");

  // The blocks gather just above the unit's slots (where every new project
  // has them), so that the wires stay short and one window shows it all:
  // the console left of the audio inputs, the amplifier right of the first
  // audio output, then its topology, the zones and the groups.
  CBaseDevice* input = FirstOf(doc, CAT_INPUTSLOTS, DT_AUDIOINPUTSLOT);
  CBaseDevice* output = FirstOf(doc, CAT_OUTPUTSLOTS, DT_AUDIOOUTPUTSLOT);
  const QPoint inPin = input != nullptr ? input->GetInputPinPoint(0) : QPoint(930, 2520);
  const QPoint outPin = output != nullptr ? output->GetOutputPinPoint(0) : QPoint(1670, 2520);
  const int top = std::min(inPin.y(), outPin.y()) - 300;

  CAmplifier* amp = doc.Adopt(CAmplifier::Make(doc, AmplifierKind(), QPoint(0, 0)));
  if (amp == nullptr) return Fail("cannot make an amplifier");
  MoveTo(*amp, QPoint(outPin.x() + 24, top + 40));
  if (output != nullptr) CBaseDevice::Connect(output, 0, amp, 0);

  auto* topology = dynamic_cast<CRelaisTopology*>(doc.CreateObject(DT_RELAYTOPOLOGY, CRelaisTopology::KIND_DIRECT));
  if (topology == nullptr) return Fail("cannot make a relay topology");
  MoveTo(*topology, QPoint(amp->GetRect().right() + 40, top + 20));
  // Zones are made at the topology's pins, so it is placed first.
  topology->ChangeKind(CRelaisTopology::KIND_DIRECT, kZoneCount);
  CBaseDevice::Connect(amp, 0, topology, 0);
  const std::vector<CZone*> zones = topology->GetZones();
  if (static_cast<int>(zones.size()) != kZoneCount) return Fail("the topology did not make its zones");
  const QStringList zoneNames = {QStringLiteral("Lobby"), QStringLiteral("Hall"), QStringLiteral("Office")};
  const int zoneX = topology->GetRect().right() + 40;
  for (int i = 0; i < kZoneCount; ++i) {
    CZone* zone = zones[static_cast<size_t>(i)];
    zone->SetName(zoneNames[i]);
    zone->Invalidate();  // the label's width follows the name
    MoveTo(*zone, QPoint(zoneX, top + i * (zone->GetRect().height() + kZoneGapY)));
  }

  // Every zone is a member of the root group (all zones); two of them also
  // of a group of their own.
  const int groupX = zoneX + 90;
  if (CGroup* root = CGroup::FindRoot(doc)) MoveTo(*root, QPoint(groupX, top - 20));
  auto* group = dynamic_cast<CGroup*>(zones[0]->AddNewGroup());
  if (group == nullptr) return Fail("cannot make a group");
  group->SetName(QStringLiteral("Ground floor"));
  group->Invalidate();
  MoveTo(*group, QPoint(groupX, top + 90));
  CBaseDevice::Connect(zones[1], CZone::kGroupPin, group, 0);

  CConsole* console = CConsole::CreateIn(doc, CConsProp::RCX6010, QRect(QPoint(0, 0), kConsoleSize));
  if (console == nullptr) return Fail("cannot make a console");
  MoveTo(*console, QPoint(inPin.x() - kConsoleSize.width() - 20, top + 60));
  // The console speaks into the unit's first audio input.
  if (input != nullptr) CBaseDevice::Connect(console, 0, input, 0);

  if (!doc.OnSaveDocument(args[1])) return Fail("cannot save the project");
  std::printf("%s\n", CFileName::ToSystem(args[1]).constData());
  return 0;
}
