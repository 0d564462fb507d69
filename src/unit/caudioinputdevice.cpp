#include "unit/caudioinputdevice.h"

#include "model/carchive.h"
#include "model/ccmdui.h"
#include "model/commandids.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "model/ipainter.h"

#include <memory>

SELV_IMPLEMENT_SERIAL(CAudioInputDevice, 1)

namespace {

// Pictures and name placement of the devices the interface slot attaches.
constexpr int kBitmapPC = 233;
constexpr int kBitmapMonitor = 212;
constexpr int kBitmapPowerSupply = 458;
constexpr uint32_t kStrPowerSupply = 34291;  // "Power Supply"

const bool kFactoryRegistered = [] {
  CSelvantisDoc::RegisterObjectFactory(
      DT_AUDIOINPUTDEVICE, [](CSelvantisDoc& doc, int kind) -> std::unique_ptr<CBaseDevice> {
        auto device = std::make_unique<CAudioInputDevice>();
        bool ok = false;
        if (CAudioInputDevice::IsPowerSupplyKind(kind)) {
          const QString name = LoadString(kStrPowerSupply);
          ok = device->Create(kind, CAudioInputDevice::kPowerSupplyPins, CAudioInputDevice::kPowerSupplyPins,
                              name.isEmpty() ? QStringLiteral("Power Supply") : name, QRect(), CAT_AUDIODEVICES,
                              kBitmapPowerSupply, CBaseDevice::TF_ABOVE, &doc);
        } else if (kind == CAudioInputDevice::kKindMonitor) {
          ok = device->Create(kind, 1, 1, CAudioInputDevice::KindText(kind), QRect(), CAT_AUDIODEVICES, kBitmapMonitor,
                              CBaseDevice::TF_NAME | CBaseDevice::TF_BELOW, &doc);
        } else {
          ok = device->Create(CAudioInputDevice::kKindPC, 1, 1, CAudioInputDevice::KindText(CAudioInputDevice::kKindPC),
                              QRect(), CAT_AUDIODEVICES, kBitmapPC, CBaseDevice::TF_NAME, &doc);
        }
        if (!ok) return nullptr;
        return device;
      });
  return true;
}();

}  // namespace

CAudioInputDevice::CAudioInputDevice() { SetType(DT_AUDIOINPUTDEVICE); }

void CAudioInputDevice::Serialize(CArchive& ar) {
  // The kind says what the device is; a power supply's settings live in its
  // auxiliary objects and connections, which are stored with them.
  CBaseDevice::Serialize(ar);
}

QString CAudioInputDevice::KindText(int kind) {
  switch (kind) {
    case kKindPC: return QStringLiteral("PC");
    case kKindMonitor: return LoadString(kKindMonitor);
    case kKindRTP3004: return QStringLiteral("RTP3004");
    case kKindRTP3012: return QStringLiteral("RTP3012");
    default: return QString();
  }
}

void CAudioInputDevice::Draw(IPainter& painter) {
  CBaseDevice::Draw(painter);
  if (!IsPowerSupply()) return;
  // The two power-supply models share one picture; the model is written under it.
  const QRect& rect = GetRect();
  const QRect below(rect.left(), rect.bottom() + 2, rect.width(), 14);
  painter.SetTextColor(PaintColors::kDarkBlue);
  painter.DrawText(below, KindText(GetKind()), PT_HCENTER | PT_TOP);
}

QString CAudioInputDevice::GetToolTipText() const {
  const QString kind = KindText(GetKind());
  if (kind.isEmpty() || kind == GetName()) return GetName();
  return GetName() + QLatin1Char('\n') + kind;
}

bool CAudioInputDevice::ShowProperties() {
  if (!IsPowerSupply()) return CBaseDevice::ShowProperties();
  ShowPowerSupplyDialog();
  return true;
}

void CAudioInputDevice::OnUpdateCommandUI(CCmdUI& cmdUI) {
  CBaseDevice::OnUpdateCommandUI(cmdUI);
  if (cmdUI.GetID() == ID_SHOW_PROPERTIES && IsPowerSupply()) cmdUI.Enable(true);
}
