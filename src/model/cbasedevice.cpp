#include "model/cbasedevice.h"

#include "model/carchive.h"
#include "model/ccmdui.h"
#include "model/cfreeplace.h"
#include "model/cmenudata.h"
#include "model/cmessagesink.h"
#include "model/commandids.h"
#include "model/cselvantisdoc.h"
#include "model/ctext.h"
#include "model/idevicecommands.h"
#include "model/ipainter.h"
#include "model/modelstrings.h"
#include "model/replytext.h"

#include <QSet>

#include <algorithm>
#include <map>
#include <set>

namespace {

// Version of the base record itself (the derived part has the class schema).
constexpr uint16_t kBaseRecordVersion = 1;
// Limit for per-input values and pin points read from a file.
constexpr uint32_t kMaxListItems = CBaseDevice::kMaxPins;

std::map<int, CBaseDevice::PropertiesHandler>& PropertiesHandlers() {
  static std::map<int, CBaseDevice::PropertiesHandler> handlers;
  return handlers;
}

void WriteRect(CArchive& ar, const QRect& rect) {
  ar << int32_t(rect.left()) << int32_t(rect.top()) << int32_t(rect.width()) << int32_t(rect.height());
}

// Canvas coordinates read from a file are kept in a range where rectangle
// arithmetic cannot overflow, whatever a damaged file holds.
constexpr int32_t kMaxCoordinate = 1 << 24;

int32_t ClampCoordinate(int32_t v) { return std::clamp(v, -kMaxCoordinate, kMaxCoordinate); }

QRect ReadRect(CArchive& ar) {
  int32_t x = 0, y = 0, w = 0, h = 0;
  ar >> x >> y >> w >> h;
  return QRect(ClampCoordinate(x), ClampCoordinate(y), std::clamp(w, 0, kMaxCoordinate),
               std::clamp(h, 0, kMaxCoordinate));
}

void WritePoints(CArchive& ar, const std::vector<QPoint>& points) {
  ar.WriteCount(static_cast<uint32_t>(points.size()));
  for (const QPoint& p : points) ar << int32_t(p.x()) << int32_t(p.y());
}

std::vector<QPoint> ReadPoints(CArchive& ar) {
  const uint32_t count = ar.ReadCount(8);
  if (count > kMaxListItems)
    throw CArchiveException(CArchiveException::Cause::BadCount, QStringLiteral("Too many pin points."));
  std::vector<QPoint> points;
  points.reserve(count);
  for (uint32_t i = 0; i < count; ++i) {
    int32_t x = 0, y = 0;
    ar >> x >> y;
    points.emplace_back(ClampCoordinate(x), ClampCoordinate(y));
  }
  return points;
}

// Input pins of an object in the order their first record appears.
std::vector<int> DistinctInputPins(const std::vector<ConnectionRecord>& inputs) {
  std::vector<int> pins;
  for (const ConnectionRecord& r : inputs) {
    if (std::find(pins.begin(), pins.end(), r.nOwnPin) == pins.end()) pins.push_back(r.nOwnPin);
  }
  return pins;
}

QString WithLeadingSlash(const QString& path) {
  return path.startsWith(QLatin1Char('/')) ? path : QLatin1Char('/') + path;
}

}  // namespace

CBaseDevice::CBaseDevice() = default;

CBaseDevice::~CBaseDevice() {
  // Leave nothing behind that points at this object.
  RemoveAllInputConnections();
  RemoveAllOutputConnections();
  Unregister();
}

// ---- Project file --------------------------------------------------------------

void CBaseDevice::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar << kBaseRecordVersion;
    ar << int32_t(m_nType) << int32_t(m_nKind) << int32_t(m_nID) << int32_t(m_nCategory);
    ar << m_strName;
    ar << int32_t(m_nMenuID) << int32_t(m_nBitmapID) << int32_t(m_nTextFlags);
    WriteRect(ar, m_rect);
    WriteRect(ar, m_boundRect);
    ar << int32_t(m_nInputs) << int32_t(m_nOutputs);
    WritePoints(ar, m_inPinPoints);
    WritePoints(ar, m_outPinPoints);
    ar << m_inPinLabels << m_outPinLabels;
    ar << uint8_t((m_bMoveLock ? 1 : 0) | (m_bPinsShown ? 2 : 0));
    ar.WriteCount(static_cast<uint32_t>(m_inputValues.size()));
    for (int v : m_inputValues) ar << int32_t(v);
    return;
  }

  m_nSchema = ar.GetObjectSchema();
  uint16_t version = 0;
  ar >> version;
  if (version == 0 || version > kBaseRecordVersion)
    throw CArchiveException(CArchiveException::Cause::BadSchema,
                            Fmt("An object record has the unknown base version %u.", unsigned(version)));
  int32_t type = 0, kind = 0, id = 0, category = 0;
  ar >> type >> kind >> id >> category;
  if (type < 0 || type > DT_LAST)
    throw CArchiveException(CArchiveException::Cause::Generic, Fmt("An object has the invalid type code %d.", type));
  if (category < CAT_NONE || category > CAT_LAST)
    throw CArchiveException(CArchiveException::Cause::Generic, Fmt("An object has the invalid category %d.", category));
  m_nType = type;
  m_nKind = kind;
  m_nID = id;
  m_nCategory = category;
  ar >> m_strName;
  int32_t menu = 0, bitmap = 0, textFlags = 0;
  ar >> menu >> bitmap >> textFlags;
  m_nMenuID = menu;
  m_nBitmapID = bitmap;
  m_nTextFlags = textFlags;
  m_rect = ReadRect(ar);
  m_boundRect = ReadRect(ar);
  int32_t inputs = 0, outputs = 0;
  ar >> inputs >> outputs;
  if (inputs < 0 || inputs > kMaxPins || outputs < 0 || outputs > kMaxPins)
    throw CArchiveException(CArchiveException::Cause::BadCount,
                            Fmt("An object has %d inputs and %d outputs.", inputs, outputs));
  m_nInputs = inputs;
  m_nOutputs = outputs;
  m_inPinPoints = ReadPoints(ar);
  m_outPinPoints = ReadPoints(ar);
  ar >> m_inPinLabels >> m_outPinLabels;
  // Points and labels always cover the pin counts, whatever the file held.
  m_inPinPoints.resize(static_cast<size_t>(m_nInputs));
  m_outPinPoints.resize(static_cast<size_t>(m_nOutputs));
  while (m_inPinLabels.size() < m_nInputs) m_inPinLabels.append(QString());
  while (m_outPinLabels.size() < m_nOutputs) m_outPinLabels.append(QString());
  uint8_t flags = 0;
  ar >> flags;
  m_bMoveLock = (flags & 1) != 0;
  m_bPinsShown = (flags & 2) != 0;
  const uint32_t values = ar.ReadCount(4);
  if (values > kMaxListItems)
    throw CArchiveException(CArchiveException::Cause::BadCount, QStringLiteral("Too many input values."));
  m_inputValues.assign(values, 0);
  for (uint32_t i = 0; i < values; ++i) {
    int32_t v = 0;
    ar >> v;
    m_inputValues[i] = v;
  }
  m_bSelected = false;
  m_nHiInPin = m_nHiOutPin = -1;
}

// ---- Creation ---------------------------------------------------------------------

void CBaseDevice::SetupFields(int kind, const QString& name, int category, CSelvantisDoc* doc) {
  m_nKind = kind;
  m_nCategory = category;
  m_pDoc = doc;
  m_strName = name;
}

bool CBaseDevice::Create(int kind, int nInputs, int nOutputs, const QString& name, const QRect& rect, int category,
                         int bitmapId, int textFlags, CSelvantisDoc* doc) {
  return CreateOnCanvas(kind, nInputs, nOutputs, name, rect, category, bitmapId, textFlags, doc);
}

bool CBaseDevice::CreateOnCanvas(int kind, int nInputs, int nOutputs, const QString& name, const QRect& rect,
                                 int category, int bitmapId, int textFlags, CSelvantisDoc* doc) {
  if (doc == nullptr) return false;
  const int id = doc->GetIDManager().GetNextID(m_nType);
  if (id == 0) {
    AfxMessageBox(ModelString(IDS_POOL_FULL), MB_OK | MB_ICONEXCLAMATION, IDS_POOL_FULL);
    return false;
  }
  Unregister();
  SetupFields(kind, name, category, doc);
  m_nID = id;
  m_nBitmapID = bitmapId;
  m_nTextFlags = textFlags;
  m_rect = rect;
  SetPinCount(nInputs, nOutputs);
  if (m_strName.isEmpty()) m_strName = DefaultName();
  if (!RegisterPath()) {
    Unregister();
    m_pDoc = nullptr;
    m_nID = 0;
    AfxMessageBox(ModelString(IDS_POOL_FULL), MB_OK | MB_ICONEXCLAMATION, IDS_POOL_FULL);
    return false;
  }
  CalcBoundingRect();
  SetModified();
  return true;
}

bool CBaseDevice::CreateWithID(int kind, const QString& name, int id, int category, CSelvantisDoc* doc) {
  if (doc == nullptr || !doc->GetIDManager().IsIDFree(m_nType, id)) return false;
  Unregister();
  SetupFields(kind, name, category, doc);
  m_nID = id;
  if (m_strName.isEmpty()) m_strName = DefaultName();
  if (!RegisterPath()) {
    Unregister();
    m_pDoc = nullptr;
    m_nID = 0;
    return false;
  }
  SetModified();
  return true;
}

QString CBaseDevice::DefaultName() const {
  QString base;
  if (IsMixedCategory(m_nCategory) || !IsValidCategory(m_nCategory)) {
    if (m_nKind > 0) base = ModelString(static_cast<uint32_t>(m_nKind));
  } else {
    base = GetCategoryName(m_nCategory);
  }
  if (base.isEmpty()) base = GetCategoryName(m_nCategory);
  if (base.isEmpty()) base = QStringLiteral("Object");
  return base + Fmt(" %d", m_nID);
}

bool CBaseDevice::RegisterPath() {
  if (m_pDoc == nullptr) return false;
  CIDManager& ids = m_pDoc->GetIDManager();
  if (m_bFreshID) {
    const int id = ids.GetNextID(m_nType);
    if (id == 0) return false;
    m_nID = id;
    m_bFreshID = false;
  }
  if (!ids.AddID(this, m_nType, m_nID)) return false;
  SetCommandPath(BuildCommandPath());
  return true;
}

void CBaseDevice::UnregisterPath() {
  if (m_pDoc != nullptr && !m_strPath.isEmpty()) m_pDoc->UnregisterObjectPath(m_strPath, this);
}

void CBaseDevice::RefreshPath() {
  UnregisterPath();
  m_strPath.clear();
  RegisterPath();
}

void CBaseDevice::Unregister() {
  if (m_pDoc == nullptr) return;
  m_pDoc->ForgetObject(this);
}

QString CBaseDevice::BuildCommandPath() const {
  if (m_nCategory == CAT_ENTRIES) return QString();
  switch (m_nType) {
    case DT_GROUP: return m_nID == 0 ? QStringLiteral("/VMX/CLEAR") : Fmt("/GROUP%d", m_nID);
    case DT_LANGROUP: return Fmt("/VMX/LANGRP%d", m_nID);
    case DT_COLLCALL: return ModelString(IDS_COLLCALL_PATH) + Fmt("%d", m_nID);
    case DT_FUSE: return QStringLiteral("/FUSE");
    case DT_MONITOR: return ModelString(IDS_MONI_PATH);
    case DT_SPAREAMP: return ModelString(IDS_SPAREAMP_PATH);
    case DT_MESSAGEREC: return QStringLiteral("/RECORDER");
    case DT_PILOTTONEGEN: return QStringLiteral("/PILOT");
    case DT_POWERMANAGEMENT: return QStringLiteral("/POWER");
    case DT_CLOCK: return QStringLiteral("/CLOCK");
    case DT_MISCAUDIO: return ModelString(IDS_AUDIO_PATH);
    case DT_CONSOLEOBJECT: return QStringLiteral("/CONS");
    case DT_INTERNALSLOT:
      if (m_nKind == 33087) return ModelString(IDS_SERVICE_PATH);
      return QString();
    default: break;
  }
  switch (m_nCategory) {
    case CAT_AMPLIFIERS: return Fmt("/AMP%d", m_nID);
    case CAT_ZONES: return Fmt("/VMX/ZONE%d", m_nID);
    case CAT_CONSOLES: return Fmt("CONS/ADR%d", m_nID);
    default: return QString();
  }
}

void CBaseDevice::SetCommandPath(const QString& path) {
  UnregisterPath();
  m_strPath = path;
  if (m_pDoc != nullptr && !m_strPath.isEmpty()) m_pDoc->RegisterObjectPath(m_strPath, this);
}

int CBaseDevice::OnAfterLoad() { return 1; }

// ---- Identity ------------------------------------------------------------------------

void CBaseDevice::SetKind(int kind) { m_nKind = kind; }

void CBaseDevice::SetID(int id) { m_nID = id; }

QString CBaseDevice::GetIDString() const { return Fmt("%d", m_nID); }

QString CBaseDevice::GetName() const { return m_strName; }

int CBaseDevice::ChangeID(int newId) {
  if (m_pDoc == nullptr) return 0;
  if (newId == m_nID) return m_pDoc->GetIDManager().FindBaseDevice(m_nID, m_nType) == this ? newId : 0;
  if (!m_pDoc->GetIDManager().MoveID(this, newId)) return 0;
  SetModified();
  Invalidate();
  return newId;
}

bool CBaseDevice::NameClashes(const QString& name) const {
  return m_pDoc != nullptr && m_pDoc->FindObjectByName(name, this) != nullptr;
}

bool CBaseDevice::SetUniqueName(const QString& wanted, bool bMessage, int width) {
  const QString name = width > 0 ? wanted.left(width) : wanted;
  if (name.isEmpty()) {
    AfxMessageBox(ModelString(IDS_NAME_TOO_SHORT), MB_OK | MB_ICONEXCLAMATION, IDS_NAME_TOO_SHORT);
    return false;
  }
  QString unique = name;
  if (NameClashes(name)) {
    QSet<QString> used;
    for (CBaseDevice* other : m_pDoc->GetAllObjects()) {
      if (other != this) used.insert(other->GetName());
    }
    for (int n = 1;; ++n) {
      const QString suffix = Fmt("_%d", n);
      unique = (width > 0 ? name.left(qMax(0, width - suffix.size())) : name) + suffix;
      if (!used.contains(unique)) break;
    }
    if (bMessage)
      AfxMessageBox(FormatText(ModelString(IDS_NAME_CHANGED), {name, unique}), MB_OK | MB_ICONINFORMATION,
                    IDS_NAME_CHANGED);
  }
  if (unique != m_strName) {
    m_strName = unique;
    SetModified();
    Invalidate();
  }
  return true;
}

bool CBaseDevice::Rename(const QString& name, bool bMessage) {
  if (name.isEmpty()) {
    if (bMessage) AfxMessageBox(ModelString(IDS_NAME_TOO_SHORT), MB_OK | MB_ICONEXCLAMATION, IDS_NAME_TOO_SHORT);
    return false;
  }
  if (NameClashes(name)) {
    if (bMessage)
      AfxMessageBox(FormatText(ModelString(IDS_NAME_EXISTS), {name}), MB_OK | MB_ICONEXCLAMATION, IDS_NAME_EXISTS);
    return false;
  }
  if (name != m_strName) {
    m_strName = name;
    SetModified();
  }
  Invalidate();
  return true;
}

// ---- Canvas --------------------------------------------------------------------------

void CBaseDevice::SetRect(const QRect& rect) {
  m_rect = rect;
  LayoutPins();
  CalcBoundingRect();
}

void CBaseDevice::SetPinCount(int nInputs, int nOutputs) {
  m_nInputs = std::clamp(nInputs, 0, kMaxPins);
  m_nOutputs = std::clamp(nOutputs, 0, kMaxPins);
  m_inPinPoints.resize(static_cast<size_t>(m_nInputs));
  m_outPinPoints.resize(static_cast<size_t>(m_nOutputs));
  while (m_inPinLabels.size() < m_nInputs) m_inPinLabels.append(QString());
  while (m_outPinLabels.size() < m_nOutputs) m_outPinLabels.append(QString());
  while (m_inPinLabels.size() > m_nInputs) m_inPinLabels.removeLast();
  while (m_outPinLabels.size() > m_nOutputs) m_outPinLabels.removeLast();
  if (m_nHiInPin >= m_nInputs) m_nHiInPin = -1;
  if (m_nHiOutPin >= m_nOutputs) m_nHiOutPin = -1;
  LayoutPins();
}

QPoint CBaseDevice::GetInputPinPoint(int pin) const {
  if (pin >= 0 && static_cast<size_t>(pin) < m_inPinPoints.size()) return m_inPinPoints[static_cast<size_t>(pin)];
  return QPoint(m_rect.left(), m_rect.center().y());
}

QPoint CBaseDevice::GetOutputPinPoint(int pin) const {
  if (pin >= 0 && static_cast<size_t>(pin) < m_outPinPoints.size()) return m_outPinPoints[static_cast<size_t>(pin)];
  return QPoint(m_rect.left() + m_rect.width(), m_rect.center().y());
}

QString CBaseDevice::GetInputPinLabel(int pin) const { return m_inPinLabels.value(pin); }

QString CBaseDevice::GetOutputPinLabel(int pin) const { return m_outPinLabels.value(pin); }

void CBaseDevice::SetInputPinLabel(int pin, const QString& label) {
  if (pin >= 0 && pin < m_inPinLabels.size()) m_inPinLabels[pin] = label;
}

void CBaseDevice::SetOutputPinLabel(int pin, const QString& label) {
  if (pin >= 0 && pin < m_outPinLabels.size()) m_outPinLabels[pin] = label;
}

void CBaseDevice::SetHighlightedPins(int inputPin, int outputPin) {
  if (inputPin >= -1 && inputPin < m_nInputs) m_nHiInPin = inputPin;
  if (outputPin >= -1 && outputPin < m_nOutputs) m_nHiOutPin = outputPin;
}

void CBaseDevice::ShowPins(bool show) {
  if (m_bPinsShown == show) return;
  m_bPinsShown = show;
  Invalidate();
}

void CBaseDevice::SetSelected(bool selected) {
  if (m_bSelected == selected) return;
  m_bSelected = selected;
  Invalidate();
}

int CBaseDevice::GetInputValue(int pin) const {
  if (pin < 0 || static_cast<size_t>(pin) >= m_inputValues.size()) return 0;
  return m_inputValues[static_cast<size_t>(pin)];
}

bool CBaseDevice::SetInputValue(int pin, int value) {
  if (pin < 0 || pin >= kMaxPins) return false;
  if (static_cast<size_t>(pin) >= m_inputValues.size()) m_inputValues.resize(static_cast<size_t>(pin) + 1, 0);
  m_inputValues[static_cast<size_t>(pin)] = value;
  return true;
}

void CBaseDevice::Move(int dx, int dy, bool bByUser) {
  if (m_bMoveLock && bByUser) return;
  if (dx == 0 && dy == 0) return;
  const QPoint offset(dx, dy);
  m_rect.translate(offset);
  for (QPoint& p : m_inPinPoints) p += offset;
  for (QPoint& p : m_outPinPoints) p += offset;
  Invalidate();
  SetModified();
}

void CBaseDevice::Invalidate() {
  CalcBoundingRect();
  if (m_pDoc != nullptr) m_pDoc->NotifyObjectChanged(this);
}

void CBaseDevice::LayoutPins() {
  const int top = m_rect.top();
  const int height = m_rect.height();
  for (int k = 0; k < m_nInputs; ++k)
    m_inPinPoints[static_cast<size_t>(k)] =
        QPoint(m_rect.left() - kPinSize / 2, top + (k + 1) * height / (m_nInputs + 1));
  for (int k = 0; k < m_nOutputs; ++k)
    m_outPinPoints[static_cast<size_t>(k)] =
        QPoint(m_rect.left() + m_rect.width() + kPinSize / 2, top + (k + 1) * height / (m_nOutputs + 1));
}

QRect CBaseDevice::GetLabelRect() const {
  // Without a painter the label is measured with an average character cell.
  const int width = std::max(1, static_cast<int>(m_strName.size())) * 7 + 4;
  const int height = 14;
  if (m_nTextFlags & TF_BELOW) return QRect(m_rect.center().x() - width / 2, m_rect.bottom() + 2, width, height);
  if (m_nTextFlags & TF_ABOVE) return QRect(m_rect.center().x() - width / 2, m_rect.top() - height - 2, width, height);
  if (m_nTextFlags & TF_RIGHT)
    return QRect(m_rect.right() + kPinSize + 2, m_rect.center().y() - height / 2, width, height);
  return QRect(m_rect.center().x() - width / 2, m_rect.center().y() - height / 2, width, height);
}

void CBaseDevice::CalcBoundingRect() {
  QRect bound = m_rect;
  if (m_nInputs > 0) bound.setLeft(bound.left() - kPinSize);
  if (m_nOutputs > 0) bound.setRight(bound.right() + kPinSize);
  if (m_nTextFlags & TF_NAME) bound = bound.united(GetLabelRect());
  m_boundRect = bound;
}

void CBaseDevice::Draw(IPainter& painter) {
  const bool printing = painter.IsPrinting();
  painter.Save();
  if (m_nBitmapID != 0 && !painter.BitmapSize(m_nBitmapID).isEmpty()) {
    painter.DrawBitmap(m_nBitmapID, m_rect.topLeft());
  } else {
    painter.SetPen(PaintColors::kBlack, 1);
    painter.SetBrush(PaintColors::kWhite);
    painter.DrawRect(m_rect);
  }
  if (m_bSelected && !printing) {
    painter.SetPen(PaintColors::kBlue, 2, PenStyle::Dot);
    painter.SetBrush(PaintColors::kTransparent);
    painter.DrawRect(m_rect.adjusted(-2, -2, 2, 2));
  }
  // Pins, the one under the cursor in red: inputs hollow, outputs filled,
  // so that the direction of a wire shows.
  painter.SetPen(PaintColors::kBlack, 1);
  for (int k = 0; k < m_nInputs; ++k) {
    const QPoint p = m_inPinPoints[static_cast<size_t>(k)];
    painter.SetBrush(k == m_nHiInPin && !printing ? PaintColors::kRed : PaintColors::kWhite);
    painter.DrawRect(QRect(p.x() - kPinSize / 2, p.y() - kPinSize / 2, kPinSize, kPinSize));
  }
  for (int k = 0; k < m_nOutputs; ++k) {
    const QPoint p = m_outPinPoints[static_cast<size_t>(k)];
    painter.SetBrush(k == m_nHiOutPin && !printing ? PaintColors::kRed : PaintColors::kBlack);
    painter.DrawRect(QRect(p.x() - kPinSize / 2, p.y() - kPinSize / 2, kPinSize, kPinSize));
  }
  if (m_bPinsShown) {
    painter.SetTextColor(PaintColors::kDarkBlue);
    for (int k = 0; k < m_nInputs; ++k) {
      const QString label = m_inPinLabels.value(k);
      if (!label.isEmpty()) painter.DrawText(m_inPinPoints[static_cast<size_t>(k)] + QPoint(kPinSize, 4), label);
    }
    for (int k = 0; k < m_nOutputs; ++k) {
      const QString label = m_outPinLabels.value(k);
      if (label.isEmpty()) continue;
      const QSize size = painter.TextExtent(label);
      painter.DrawText(m_outPinPoints[static_cast<size_t>(k)] - QPoint(kPinSize + size.width(), -4), label);
    }
  }
  if (m_nTextFlags & TF_NAME) {
    QString text = m_strName;
    if (m_nTextFlags & TF_ID) text += QLatin1Char(' ') + GetIDString();
    painter.SetTextColor(PaintColors::kBlack);
    painter.DrawText(GetLabelRect(), text, PT_CENTER);
  }
  // Connection lines are drawn once, from the output end, and only between
  // objects on the canvas: a peer without a rectangle (a card, an entry of a
  // list) has no pins to draw to. A record pointing back at this object (a
  // console key acting on its own console) is no wire either.
  painter.SetPen(PaintColors::kBlack, 1);
  for (const ConnectionRecord& r : m_outputs) {
    if (r.pPeer == nullptr || r.pPeer == this || m_rect.isEmpty() || r.pPeer->GetRect().isEmpty()) continue;
    painter.DrawLine(GetOutputPinPoint(r.nOwnPin), r.pPeer->GetInputPinPoint(r.nPeerPin));
  }
  painter.Restore();
}

bool CBaseDevice::HitTestLabel(const QPoint& point) const { return GetLabelRect().contains(point); }

void CBaseDevice::AvoidOverlap() {
  if (m_pDoc == nullptr || m_rect.isEmpty()) return;
  // Every block on the canvas counts, with its pins and name: a new block
  // that hid another one, or its label, made the drawing unreadable.
  CFreePlace::MoveToFree(*this, CFreePlace::Direction::Right);
}

// ---- Commands -------------------------------------------------------------------------

bool CBaseDevice::OnCommand(int id) {
  switch (id) {
    case ID_DELETE_OBJECT:
      if (m_pDoc == nullptr) return false;
      return m_pDoc->DeleteObject(this);
    case ID_SHOW_PROPERTIES: ShowProperties(); return true;
    default: return false;
  }
}

void CBaseDevice::OnUpdateCommandUI(CCmdUI& cmdUI) {
  if (cmdUI.GetID() == ID_DELETE_OBJECT || cmdUI.GetID() == ID_SHOW_PROPERTIES) cmdUI.Enable(false);
}

void CBaseDevice::BuildContextMenu(CMenuData& menu) { (void)menu; }

void CBaseDevice::UpdateMenu(CMenuData& menu) {
  std::function<void(std::vector<CMenuItem>&)> update = [&](std::vector<CMenuItem>& items) {
    for (CMenuItem& item : items) {
      if (item.IsSubmenu()) {
        update(item.submenu);
      } else if (!item.separator && item.id != 0) {
        CCmdUI ui(item.id);
        OnUpdateCommandUI(ui);
        ui.ApplyTo(item);
      }
    }
  };
  update(menu.Items());
}

bool CBaseDevice::ShowProperties() {
  auto it = PropertiesHandlers().find(m_nType);
  if (it == PropertiesHandlers().end() || !it->second) return false;
  return it->second(*this);
}

CBaseDevice::PropertiesHandler CBaseDevice::SetPropertiesHandler(int type, PropertiesHandler handler) {
  PropertiesHandler previous = std::move(PropertiesHandlers()[type]);
  PropertiesHandlers()[type] = std::move(handler);
  return previous;
}

bool CBaseDevice::HasPropertiesHandler(int type) {
  auto it = PropertiesHandlers().find(type);
  return it != PropertiesHandlers().end() && static_cast<bool>(it->second);
}

QString CBaseDevice::GetToolTipText() const { return QString(); }

QString CBaseDevice::SettingInWords(const QString& path, const QString& value) const {
  (void)path;
  (void)value;
  return QString();
}

int CBaseDevice::GetReportColumns(std::vector<ReportColumn>& columns) const {
  (void)columns;
  return 0;
}

int CBaseDevice::GetReportLine(QStringList& cells, bool bHeader) const {
  (void)bHeader;
  return static_cast<int>(cells.size());
}

// ---- Transfers -----------------------------------------------------------------------

bool CBaseDevice::Upload(const QString& line, QString& errorFilePath, int mode) {
  (void)line;
  (void)errorFilePath;
  (void)mode;
  return false;
}

int CBaseDevice::Download(bool bQuery, int nStep) {
  (void)bQuery;
  if (nStep == -1) return 0;
  return nStep + 1;
}

bool CBaseDevice::IsLinkBusy() { return GetDeviceCommands()->OutBufferCount() >= kOutBufferLimit; }

void CBaseDevice::SendCommandLine(const QString& line, bool bShorten) const {
  GetDeviceCommands()->SendDeviceCommand(line, m_pDoc, bShorten);
}

int CBaseDevice::SendStep(bool bQuery, int nStep, const QString& path, const QString& key, const QString& value,
                          bool bShorten) {
  if (path.isEmpty()) return nStep + 1;
  if (IsLinkBusy()) return nStep;
  SendCommandLine(WithLeadingSlash(path) + key + QLatin1Char(' ') + (bQuery ? QStringLiteral("?") : value), bShorten);
  return nStep + 1;
}

bool CBaseDevice::SplitUploadLine(const QString& line, QString* key, QString* value) const {
  return SplitUploadLine(line, m_strPath, key, value);
}

bool CBaseDevice::SplitUploadLine(const QString& line, const QString& path, QString* key, QString* value) {
  QString own = path;
  while (own.startsWith(QLatin1Char('/'))) own.remove(0, 1);
  QString text = line;
  while (text.startsWith(QLatin1Char('/'))) text.remove(0, 1);
  if (own.isEmpty() || !text.startsWith(own)) return false;
  const QString rest = text.mid(own.size());
  // "VMX/ZONE5" does not own "VMX/ZONE50/...".
  if (!rest.isEmpty() && rest[0] != QLatin1Char('/') && rest[0] != QLatin1Char(' ')) return false;
  const int blank = rest.indexOf(QLatin1Char(' '));
  const QString k = blank < 0 ? rest : rest.left(blank);
  const QString v = blank < 0 ? QString() : rest.mid(blank + 1);
  if (v == QLatin1String("?")) return false;
  if (key != nullptr) *key = k;
  // No control character of a damaged reply reaches the project.
  if (value != nullptr) *value = ReplyText::Clean(v);
  return true;
}

// ---- Connections ---------------------------------------------------------------------

bool CBaseDevice::RemoveMirror(std::vector<ConnectionRecord>& list, const CBaseDevice* peer, int ownPin, int peerPin) {
  for (auto it = list.begin(); it != list.end(); ++it) {
    if (it->pPeer == peer && it->nOwnPin == ownPin && it->nPeerPin == peerPin) {
      list.erase(it);
      return true;
    }
  }
  return false;
}

void CBaseDevice::AddInputConnection(int ownPin, CBaseDevice* peer, int peerPin, int peerCategory) {
  m_inputs.push_back(ConnectionRecord{peer, peerPin, this, ownPin, peerCategory});
  SetModified();
}

void CBaseDevice::AddOutputConnection(int ownPin, CBaseDevice* peer, int peerPin, int peerCategory) {
  m_outputs.push_back(ConnectionRecord{peer, peerPin, this, ownPin, peerCategory});
}

bool CBaseDevice::RemoveInputConnection(int ownPin, const CBaseDevice* peer, int peerPin, int peerCategory) {
  for (auto it = m_inputs.begin(); it != m_inputs.end(); ++it) {
    if (it->nOwnPin == ownPin && it->pPeer == peer && it->nPeerPin == peerPin && it->nPeerCategory == peerCategory) {
      m_inputs.erase(it);
      SetModified();
      return true;
    }
  }
  return false;
}

bool CBaseDevice::RemoveOutputConnection(int ownPin, const CBaseDevice* peer, int peerPin, int peerCategory) {
  for (auto it = m_outputs.begin(); it != m_outputs.end(); ++it) {
    if (it->nOwnPin == ownPin && it->pPeer == peer && it->nPeerPin == peerPin && it->nPeerCategory == peerCategory) {
      m_outputs.erase(it);
      SetModified();
      return true;
    }
  }
  return false;
}

bool CBaseDevice::Connect(CBaseDevice* from, int outPin, CBaseDevice* to, int inPin) {
  if (from == nullptr || to == nullptr) return false;
  from->AddOutputConnection(outPin, to, inPin, to->m_nCategory);
  to->AddInputConnection(inPin, from, outPin, from->m_nCategory);
  return true;
}

bool CBaseDevice::Connect(CBaseDevice* from, int outPin, CBaseDevice* to, int inPin, int category) {
  if (from == nullptr || to == nullptr) return false;
  from->AddOutputConnection(outPin, to, inPin, category);
  to->AddInputConnection(inPin, from, outPin, category);
  return true;
}

int CBaseDevice::Disconnect(CBaseDevice* from, int outPin, CBaseDevice* to, int inPin) {
  if (from == nullptr || to == nullptr) return 0;
  int removed = 0;
  for (auto it = from->m_outputs.begin(); it != from->m_outputs.end();) {
    if (it->pPeer == to && it->nOwnPin == outPin && it->nPeerPin == inPin) {
      it = from->m_outputs.erase(it);
      ++removed;
    } else {
      ++it;
    }
  }
  while (RemoveMirror(to->m_inputs, from, inPin, outPin)) {
  }
  if (removed > 0) from->SetModified();
  return removed;
}

void CBaseDevice::AddNoObjectInput(int ownPin, int peerPin, int peerCategory) {
  AddInputConnection(ownPin, kNoObjectMark, peerPin, peerCategory);
}

void CBaseDevice::RemoveAllInputConnections() {
  if (m_inputs.empty()) return;
  std::vector<ConnectionRecord> records;
  records.swap(m_inputs);
  for (const ConnectionRecord& r : records) {
    if (r.pPeer != nullptr) RemoveMirror(r.pPeer->m_outputs, this, r.nPeerPin, r.nOwnPin);
  }
  SetModified();
}

void CBaseDevice::RemoveAllOutputConnections() {
  if (m_outputs.empty()) return;
  std::vector<ConnectionRecord> records;
  records.swap(m_outputs);
  for (const ConnectionRecord& r : records) {
    if (r.pPeer != nullptr) RemoveMirror(r.pPeer->m_inputs, this, r.nPeerPin, r.nOwnPin);
  }
  SetModified();
}

void CBaseDevice::DisconnectInputPin(int ownPin) {
  std::vector<ConnectionRecord> removed;
  for (auto it = m_inputs.begin(); it != m_inputs.end();) {
    if (it->nOwnPin == ownPin) {
      removed.push_back(*it);
      it = m_inputs.erase(it);
    } else {
      ++it;
    }
  }
  for (const ConnectionRecord& r : removed) {
    if (r.pPeer != nullptr) RemoveMirror(r.pPeer->m_outputs, this, r.nPeerPin, r.nOwnPin);
  }
  if (!removed.empty()) SetModified();
}

void CBaseDevice::DisconnectOutputPin(int ownPin) {
  std::vector<ConnectionRecord> removed;
  for (auto it = m_outputs.begin(); it != m_outputs.end();) {
    if (it->nOwnPin == ownPin) {
      removed.push_back(*it);
      it = m_outputs.erase(it);
    } else {
      ++it;
    }
  }
  for (const ConnectionRecord& r : removed) {
    if (r.pPeer != nullptr) RemoveMirror(r.pPeer->m_inputs, this, r.nPeerPin, r.nOwnPin);
  }
  if (!removed.empty()) SetModified();
}

bool CBaseDevice::DisconnectInput(const ConnectionRecord& record) {
  const ConnectionRecord r = record;  // the argument may live in the list
  for (auto it = m_inputs.begin(); it != m_inputs.end(); ++it) {
    if (it->pPeer == r.pPeer && it->nPeerPin == r.nPeerPin && it->nOwnPin == r.nOwnPin &&
        it->nPeerCategory == r.nPeerCategory) {
      m_inputs.erase(it);
      if (r.pPeer != nullptr) RemoveMirror(r.pPeer->m_outputs, this, r.nPeerPin, r.nOwnPin);
      SetModified();
      return true;
    }
  }
  return false;
}

bool CBaseDevice::DisconnectOutput(const ConnectionRecord& record) {
  const ConnectionRecord r = record;
  for (auto it = m_outputs.begin(); it != m_outputs.end(); ++it) {
    if (it->pPeer == r.pPeer && it->nPeerPin == r.nPeerPin && it->nOwnPin == r.nOwnPin &&
        it->nPeerCategory == r.nPeerCategory) {
      m_outputs.erase(it);
      if (r.pPeer != nullptr) RemoveMirror(r.pPeer->m_inputs, this, r.nPeerPin, r.nOwnPin);
      SetModified();
      return true;
    }
  }
  return false;
}

void CBaseDevice::DisconnectOutputsTo(const CBaseDevice* peer) {
  if (peer == nullptr) return;
  std::vector<ConnectionRecord> removed;
  for (auto it = m_outputs.begin(); it != m_outputs.end();) {
    if (it->pPeer == peer) {
      removed.push_back(*it);
      it = m_outputs.erase(it);
    } else {
      ++it;
    }
  }
  for (const ConnectionRecord& r : removed) RemoveMirror(r.pPeer->m_inputs, this, r.nPeerPin, r.nOwnPin);
  if (!removed.empty()) SetModified();
}

void CBaseDevice::DisconnectInputsFrom(const CBaseDevice* peer) {
  if (peer == nullptr) return;
  std::vector<ConnectionRecord> removed;
  for (auto it = m_inputs.begin(); it != m_inputs.end();) {
    if (it->pPeer == peer) {
      removed.push_back(*it);
      it = m_inputs.erase(it);
    } else {
      ++it;
    }
  }
  for (const ConnectionRecord& r : removed) RemoveMirror(r.pPeer->m_outputs, this, r.nPeerPin, r.nOwnPin);
  if (!removed.empty()) SetModified();
}

void CBaseDevice::DropConnectionsUnchecked() {
  m_inputs.clear();
  m_outputs.clear();
}

ConnectionRecord* CBaseDevice::FindInputConnection(int ownPin) {
  for (ConnectionRecord& r : m_inputs)
    if (r.nOwnPin == ownPin) return &r;
  return nullptr;
}

const ConnectionRecord* CBaseDevice::FindInputConnection(int ownPin) const {
  return const_cast<CBaseDevice*>(this)->FindInputConnection(ownPin);
}

ConnectionRecord* CBaseDevice::FindOutputConnection(int ownPin) {
  for (ConnectionRecord& r : m_outputs)
    if (r.nOwnPin == ownPin) return &r;
  return nullptr;
}

const ConnectionRecord* CBaseDevice::FindOutputConnection(int ownPin) const {
  return const_cast<CBaseDevice*>(this)->FindOutputConnection(ownPin);
}

ConnectionRecord* CBaseDevice::FindOutputConnectionOfType(int ownPin, int type) {
  for (ConnectionRecord& r : m_outputs)
    if (r.nOwnPin == ownPin && r.pPeer != nullptr && r.pPeer->m_nType == type) return &r;
  return nullptr;
}

ConnectionRecord* CBaseDevice::FindInputConnectionExact(int ownPin, const CBaseDevice* peer, int peerPin,
                                                        int peerCategory) {
  for (ConnectionRecord& r : m_inputs)
    if (r.nOwnPin == ownPin && r.pPeer == peer && r.nPeerPin == peerPin && r.nPeerCategory == peerCategory) return &r;
  return nullptr;
}

bool CBaseDevice::MoveOutputPeerPin(int ownPin, int newPeerPin) {
  ConnectionRecord* r = FindOutputConnection(ownPin);
  if (r == nullptr || r->pPeer == nullptr) return false;
  for (ConnectionRecord& m : r->pPeer->m_inputs) {
    if (m.pPeer == this && m.nOwnPin == r->nPeerPin && m.nPeerPin == ownPin) {
      m.nOwnPin = newPeerPin;
      break;
    }
  }
  r->nPeerPin = newPeerPin;
  SetModified();
  return true;
}

void CBaseDevice::TraceUpstream(const std::vector<std::pair<const CBaseDevice*, int>>& start, int category,
                                std::vector<ConnectionRecord>& records, bool bAll) {
  struct Frame {
    const CBaseDevice* object;
    int pin;
    size_t next;
    bool started;
  };
  std::vector<Frame> stack;
  for (auto it = start.rbegin(); it != start.rend(); ++it) stack.push_back(Frame{it->first, it->second, 0, false});
  std::set<std::pair<const CBaseDevice*, int>> visited;
  // Iterative depth-first walk: long chains cannot exhaust the stack, and
  // each (object, pin) is walked once however the wiring loops.
  while (!stack.empty()) {
    Frame& frame = stack.back();
    if (!frame.started) {
      if (!visited.insert({frame.object, frame.pin}).second) {
        stack.pop_back();
        continue;
      }
      frame.started = true;
    }
    const std::vector<ConnectionRecord>& inputs = frame.object->m_inputs;
    while (frame.next < inputs.size() && inputs[frame.next].nOwnPin != frame.pin) ++frame.next;
    if (frame.next >= inputs.size()) {
      stack.pop_back();
      continue;
    }
    const ConnectionRecord record = inputs[frame.next++];
    records.push_back(record);
    const CBaseDevice* peer = record.pPeer;
    if (peer == nullptr) continue;
    if (peer->m_nCategory == category) {
      if (!bAll) return;
      continue;
    }
    if (peer->m_nType == DT_AMPLIFIER) {
      // An amplifier output k is fed by its input k only.
      stack.push_back(Frame{peer, record.nPeerPin, 0, false});
    } else {
      const std::vector<int> pins = DistinctInputPins(peer->m_inputs);
      for (auto it = pins.rbegin(); it != pins.rend(); ++it) stack.push_back(Frame{peer, *it, 0, false});
    }
  }
}

void CBaseDevice::TraceInputPin(int ownPin, int category, std::vector<ConnectionRecord>& records, bool bAll) const {
  TraceUpstream({{this, ownPin}}, category, records, bAll);
}

void CBaseDevice::CollectUpstream(int category, std::vector<ConnectionRecord>& records, bool bAll) const {
  std::vector<std::pair<const CBaseDevice*, int>> start;
  for (int pin : DistinctInputPins(m_inputs)) start.emplace_back(this, pin);
  TraceUpstream(start, category, records, bAll);
}

CBaseDevice* CBaseDevice::GetInputSource(int pin) const {
  for (const ConnectionRecord& r : m_inputs)
    if (r.nOwnPin == pin && r.pPeer != nullptr) return r.pPeer;
  return nullptr;
}

int CBaseDevice::GetInputSourceID(int pin) const {
  const CBaseDevice* source = GetInputSource(pin);
  return source != nullptr ? source->m_nID : 0;
}

QString CBaseDevice::GetInputSourceName(int pin) const {
  const CBaseDevice* source = GetInputSource(pin);
  return source != nullptr ? source->GetName() : QString();
}

void CBaseDevice::GetInputZonesAndGroups(std::vector<CBaseDevice*>& out) const {
  for (const ConnectionRecord& r : m_inputs) {
    if (r.pPeer == nullptr) continue;
    if (r.pPeer->m_nType != DT_ZONE && r.pPeer->m_nType != DT_GROUP) continue;
    if (std::find(out.begin(), out.end(), r.pPeer) == out.end()) out.push_back(r.pPeer);
  }
}

// ---- Hooks -----------------------------------------------------------------------------

bool CBaseDevice::IsAddressableAmplifier() const { return false; }

int CBaseDevice::GetAmplifierBusAddress() const { return -1; }

int CBaseDevice::GetAmplifierChannelCount() const { return 0; }

bool CBaseDevice::MatchesPadKeyword(const QString& keyword, int number) const {
  (void)keyword;
  (void)number;
  return false;
}

void CBaseDevice::OnLinkStateChanged(bool connected) { (void)connected; }

int CBaseDevice::GetConnectedFlag() const { return -1; }

void CBaseDevice::SetModified() {
  if (m_pDoc != nullptr) m_pDoc->SetModifiedFlag(true);
}
