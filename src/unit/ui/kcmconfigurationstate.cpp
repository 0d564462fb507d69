#include "unit/ui/kcmconfigurationstate.h"

#include "amps/crelais.h"
#include "amps/crelaistopology.h"
#include "model/cselvantisdoc.h"
#include "model/ctext.h"
#include "model/modelstrings.h"
#include "unit/ccontrolpad.h"
#include "unit/ckcm.h"

#include <QCoreApplication>

#include <algorithm>
#include <functional>

namespace {

QString Tr(const char* text) { return QCoreApplication::translate("KCMConfigurationState", text); }

constexpr int kZoneBackgroundOutput = 1;
constexpr int kZonePageOutput = 2;

CBaseDevice* PadOnInput(const CBaseDevice& device, int pin) {
  for (const ConnectionRecord& r : device.GetInputConnections())
    if (r.nOwnPin == pin && r.pPeer != nullptr && r.pPeer->GetType() == DT_CONTROLPAD) return r.pPeer;
  return nullptr;
}

int CardImage(int type) {
  switch (type) {
    case DT_KCM208: return KCMConfigurationState::IMG_KCM208;
    case DT_KCM209: return KCMConfigurationState::IMG_KCM209;
    case DT_KCM212: return KCMConfigurationState::IMG_KCM212;
    case DT_KCM216: return KCMConfigurationState::IMG_KCM216;
    default: return KCMConfigurationState::IMG_BUS;
  }
}

CCardBusEditor::EntryRole RoleOfImage(int image) {
  switch (image) {
    case KCMConfigurationState::IMG_ZONE: return CCardBusEditor::EntryRole::Zone;
    case KCMConfigurationState::IMG_PRIORITY_ZONE: return CCardBusEditor::EntryRole::PriorityZone;
    case KCMConfigurationState::IMG_CONTROL_ZONE: return CCardBusEditor::EntryRole::ControlZone;
    default: return CCardBusEditor::EntryRole::Other;
  }
}

bool IsObjectImage(int image) {
  return image == KCMConfigurationState::IMG_ZONE || image == KCMConfigurationState::IMG_OTHER ||
         image == KCMConfigurationState::IMG_PRIORITY_ZONE || image == KCMConfigurationState::IMG_CONTROL_ZONE;
}

}  // namespace

KCMConfigurationState::KCMConfigurationState(CSelvantisDoc& doc) : m_doc(doc), m_editor(doc) {}

// ---- Building the tree ------------------------------------------------------------

std::unique_ptr<KCMConfigurationState::Node> KCMConfigurationState::MakeNode(Role role, const QString& text, int image,
                                                                             bool hasOpen, CBaseDevice* object,
                                                                             Node* parent) const {
  auto node = std::make_unique<Node>();
  node->role = role;
  node->text = text;
  node->image = image;
  node->hasOpenImage = hasOpen;
  node->object = object;
  node->parent = parent;
  return node;
}

KCMConfigurationState::Node* KCMConfigurationState::AddChild(Node* parent, std::unique_ptr<Node> child) const {
  child->parent = parent;
  parent->children.push_back(std::move(child));
  return parent->children.back().get();
}

void KCMConfigurationState::Fill() {
  m_selected = nullptr;
  m_offers.clear();
  m_multiSelect = false;
  m_root = MakeNode(Role::Root, Tr(QT_TRANSLATE_NOOP("KCMConfigurationState", "KCM Modules")), IMG_BUS, true, nullptr,
                    nullptr);
  std::vector<CBaseDevice*> buses;
  m_doc.GetIDManager().GetBaseDeviceList(buses, DT_KCM201);
  std::sort(buses.begin(), buses.end(),
            [](const CBaseDevice* a, const CBaseDevice* b) { return a->GetID() < b->GetID(); });
  for (CBaseDevice* bus : buses)
    if (auto* card = dynamic_cast<CKCM*>(bus)) AddBusCardNode(m_root.get(), *card);
}

void KCMConfigurationState::AddBusCardNode(Node* root, CKCM& bus) {
  Node* busNode = AddChild(root, MakeNode(Role::BusCard, CCardBusEditor::BusCardText(bus), IMG_BUS, true, &bus, root));
  Node* output =
      AddChild(busNode, MakeNode(Role::OutputGroup, Tr(QT_TRANSLATE_NOOP("KCMConfigurationState", "Output modules")),
                                 IMG_GROUP, true, nullptr, busNode));
  Node* input =
      AddChild(busNode, MakeNode(Role::InputGroup, Tr(QT_TRANSLATE_NOOP("KCMConfigurationState", "Input modules")),
                                 IMG_GROUP, true, nullptr, busNode));
  Node* analog =
      AddChild(busNode, MakeNode(Role::AnalogGroup, Tr(QT_TRANSLATE_NOOP("KCMConfigurationState", "Analog modules")),
                                 IMG_GROUP, true, nullptr, busNode));
  for (int pin = 0; pin < bus.GetInputCount(); ++pin) {
    for (const ConnectionRecord& r : bus.GetInputConnections()) {
      if (r.nOwnPin != pin) continue;
      auto* card = dynamic_cast<CKCM*>(r.pPeer);
      if (card == nullptr) continue;
      switch (card->GetType()) {
        case DT_KCM208:
        case DT_KCM209: AddCardNode(output, *card); break;
        case DT_KCM212: AddCardNode(input, *card); break;
        case DT_KCM216: AddCardNode(analog, *card); break;
        default: break;
      }
    }
  }
}

void KCMConfigurationState::AddCardNode(Node* group, CKCM& card) {
  const int type = card.GetType();
  Node* cardNode = AddChild(group, MakeNode(Role::Card, m_editor.CardText(card), CardImage(type), true, &card, group));
  if (type == DT_KCM208 || type == DT_KCM209) {
    for (int pin = 0; pin < CRelais::kRelaysPerCard; ++pin) AddRelayNode(cardNode, card, pin);
    return;
  }
  int first = 0;
  if (!CCardBusEditor::ChannelRange(card, &first, nullptr)) return;
  const bool analog = type == DT_KCM216;
  const int width = analog ? CCardBusEditor::kKCM216Channels : CCardBusEditor::kKCM212Channels;
  for (int side = 0; side < (analog ? 2 : 1); ++side) {
    const bool da = side == 1;
    for (int i = 0; i < width; ++i) {
      const int pin = i + (da ? CCardBusEditor::kDAPinBase : 0);
      Node* node = AddChild(cardNode, MakeNode(Role::FreeChannel, QString(), IMG_CHANNEL, false, nullptr, cardNode));
      node->place = &card;
      node->channel = first + i;
      node->da = da;
      if (CBaseDevice* pad = PadOnInput(card, pin)) {
        node->role = Role::Label;
        node->text = pad->GetName();
        node->image = IMG_LABEL;
        node->object = pad;
      } else {
        ShowFreeChannel(node);
      }
    }
  }
}

void KCMConfigurationState::AddRelayNode(Node* cardNode, CKCM& card, int pin) {
  CRelais* relay = nullptr;
  if (const ConnectionRecord* r = card.FindInputConnection(pin)) relay = dynamic_cast<CRelais*>(r->pPeer);
  if (relay == nullptr) {
    AddChild(cardNode, MakeNode(Role::EmptyPlace, QStringLiteral(" "), IMG_RELAY, false, nullptr, cardNode));
    return;
  }
  Node* node = AddChild(cardNode, MakeNode(Role::Relay, QString(), IMG_RELAY, false, relay, cardNode));
  ShowRelay(node, *relay);
  const ConnectionRecord* in = relay->FindInputConnection(0);
  CBaseDevice* driver = in != nullptr ? in->pPeer : nullptr;
  if (driver != nullptr && driver->GetType() == DT_CONTROLPAD) {
    node->role = Role::Label;
    node->text = driver->GetName();
    node->image = IMG_LABEL;
    node->hasOpenImage = false;
    node->object = driver;
    return;
  }
  if (relay->GetKind() == CRelais::KIND_COLLCALL && driver != nullptr && driver->GetType() == DT_COLLCALL) {
    node->text = driver->GetName();
    node->object = driver;
    AddAssignedChildren(node, *driver);
    return;
  }
  AddAssignedChildren(node, *relay);
}

void KCMConfigurationState::AddAssignedChildren(Node* node, const CBaseDevice& target) {
  for (const ConnectionRecord& r : target.GetInputConnections()) {
    if (r.nOwnPin != 0 || r.pPeer == nullptr || r.pPeer->GetType() == DT_CONTROLPAD) continue;
    const int image = r.pPeer->GetType() == DT_ZONE ? IMG_ZONE : IMG_OTHER;
    AddChild(node, MakeNode(Role::Assigned, AssignedText(*r.pPeer, r.nPeerPin), image, false, r.pPeer, node));
  }
}

QString KCMConfigurationState::AssignedText(const CBaseDevice& object, int peerPin) const {
  QString text = object.GetName();
  if (object.GetType() != DT_ZONE) return text;
  // A zone of a relay topology switches the relay for background program
  // or for pages.
  const ConnectionRecord* in = object.FindInputConnection(0);
  if (in == nullptr || in->pPeer == nullptr || in->pPeer->GetKind() != CRelaisTopology::KIND_PROGPAGE) return text;
  if (peerPin == kZoneBackgroundOutput)
    return text + QLatin1Char(' ') + Tr(QT_TRANSLATE_NOOP("KCMConfigurationState", "Background"));
  if (peerPin == kZonePageOutput)
    return text + QLatin1Char(' ') + Tr(QT_TRANSLATE_NOOP("KCMConfigurationState", "Page"));
  return text;
}

void KCMConfigurationState::ShowRelay(Node* node, CRelais& relay) {
  node->text = relay.GetName();
  node->object = &relay;
  node->place = &relay;
  node->children.clear();
  node->expanded = false;
  switch (relay.GetKind()) {
    case CRelais::KIND_PRELAY:
      node->role = Role::PRelay;
      node->image = IMG_PRELAY;
      node->hasOpenImage = true;
      break;
    case CRelais::KIND_CONTROL:
      node->role = Role::ControlRelay;
      node->image = IMG_CONTROL;
      node->hasOpenImage = true;
      break;
    case CRelais::KIND_COLLCALL:
      node->role = Role::CollectionCall;
      node->image = IMG_COLLCALL;
      node->hasOpenImage = false;
      break;
    default:
      node->role = Role::Relay;
      node->image = IMG_RELAY;
      node->hasOpenImage = false;
      break;
  }
}

QString KCMConfigurationState::ChannelText(int channel, bool da, bool analog) {
  if (!analog) return Fmt("%d", channel);
  return Fmt(da ? "DA Channel%d" : "AD Channel%d", channel);
}

void KCMConfigurationState::ShowFreeChannel(Node* node) {
  node->role = Role::FreeChannel;
  node->object = nullptr;
  node->image = IMG_CHANNEL;
  node->hasOpenImage = false;
  node->expanded = false;
  node->children.clear();
  const bool analog = node->place != nullptr && node->place->GetType() == DT_KCM216;
  node->text = ChannelText(node->channel, node->da, analog);
}

void KCMConfigurationState::UpdateCardText(Node* node) {
  for (Node* n = node; n != nullptr; n = n->parent) {
    if (n->role != Role::Card) continue;
    if (auto* card = dynamic_cast<CKCM*>(n->object)) n->text = m_editor.CardText(*card);
    return;
  }
}

KCMConfigurationState::Node* KCMConfigurationState::FindNode(const CBaseDevice* object) const {
  std::function<Node*(Node*)> walk = [&](Node* n) -> Node* {
    if (n->object == object) return n;
    for (auto& child : n->children)
      if (Node* hit = walk(child.get())) return hit;
    return nullptr;
  };
  return m_root && object != nullptr ? walk(m_root.get()) : nullptr;
}

KCMConfigurationState::Node* KCMConfigurationState::FindNodeByText(const QString& text) const {
  std::function<Node*(Node*)> walk = [&](Node* n) -> Node* {
    if (n->text == text) return n;
    for (auto& child : n->children)
      if (Node* hit = walk(child.get())) return hit;
    return nullptr;
  };
  return m_root ? walk(m_root.get()) : nullptr;
}

// ---- Offer list ---------------------------------------------------------------------

void KCMConfigurationState::Select(Node* node) {
  m_selected = node;
  m_offers.clear();
  m_multiSelect = false;
  if (node == nullptr) return;
  auto offer = [this](const QString& text, int image, CBaseDevice* object = nullptr) {
    m_offers.push_back(Offer{text, image, object});
  };
  auto kindText = [](int kind) { return ModelString(static_cast<uint32_t>(kind)); };
  std::vector<CBaseDevice*> zones;
  m_doc.GetIDManager().GetBaseDeviceList(zones, DT_ZONE);

  switch (node->role) {
    case Role::Root: offer(kindText(CKCM::KIND_KCM201), IMG_BUS); break;
    case Role::OutputGroup:
      offer(kindText(CKCM::KIND_KCM208), IMG_KCM208);
      offer(kindText(CKCM::KIND_KCM209), IMG_KCM209);
      break;
    case Role::InputGroup: offer(kindText(CKCM::KIND_KCM212), IMG_KCM212); break;
    case Role::AnalogGroup: offer(kindText(CKCM::KIND_KCM216), IMG_KCM216); break;
    case Role::FreeChannel:
      // A labelled channel takes no second label.
      if (node->place != nullptr && node->place->GetType() == DT_KCM212)
        offer(Tr(QT_TRANSLATE_NOOP("KCMConfigurationState", "Label")), IMG_LABEL);
      if (node->place != nullptr && node->place->GetType() == DT_KCM216)
        offer(Tr(QT_TRANSLATE_NOOP("KCMConfigurationState", "Channel")), IMG_LABEL);
      break;
    case Role::Relay: {
      auto* relay = dynamic_cast<CRelais*>(node->object);
      if (relay == nullptr || relay->FindInputConnection(0) != nullptr) break;
      if (relay->GetKind() == CRelais::KIND_ZONE) {
        offer(kindText(CRelais::KIND_PRELAY), IMG_PRELAY);
        offer(kindText(CRelais::KIND_COLLCALL), IMG_COLLCALL);
        offer(kindText(CRelais::KIND_CONTROL), IMG_CONTROL);
        offer(Tr(QT_TRANSLATE_NOOP("KCMConfigurationState", "Label")), IMG_LABEL);
      } else if (relay->GetKind() == CRelais::KIND_KCM209) {
        offer(kindText(CRelais::KIND_PRELAY), IMG_PRELAY);
        offer(kindText(CRelais::KIND_CONTROL), IMG_CONTROL);
        offer(Tr(QT_TRANSLATE_NOOP("KCMConfigurationState", "Label")), IMG_LABEL);
      }
      break;
    }
    case Role::PRelay:
    case Role::ControlRelay: {
      const int output =
          node->role == Role::PRelay ? CCardBusEditor::kZonePriorityOutput : CCardBusEditor::kZoneControlOutput;
      for (CBaseDevice* zone : zones)
        if (zone->FindOutputConnection(output) == nullptr) offer(zone->GetName(), IMG_ZONE, zone);
      m_multiSelect = true;
      break;
    }
    case Role::CollectionCall: {
      if (node->object == nullptr || node->object->GetType() != DT_COLLCALL) break;
      for (CBaseDevice* zone : zones) offer(zone->GetName(), IMG_ZONE, zone);
      std::vector<CBaseDevice*> groups;
      m_doc.GetIDManager().GetBaseDeviceList(groups, DT_GROUP);
      for (CBaseDevice* group : groups) offer(group->GetName(), IMG_OTHER, group);
      m_multiSelect = true;
      break;
    }
    default: break;
  }
}

// ---- Drops --------------------------------------------------------------------------

bool KCMConfigurationState::Drop(int draggedRow, const std::vector<int>& selectedRows) {
  Node* target = m_selected;
  if (target == nullptr || draggedRow < 0 || draggedRow >= static_cast<int>(m_offers.size())) return false;
  const Offer entry = m_offers[static_cast<size_t>(draggedRow)];
  bool changed = false;

  switch (entry.image) {
    case IMG_BUS: {
      if (target->role != Role::Root) break;
      CKCM* bus = m_editor.AddBusCard();
      if (bus == nullptr) break;
      AddBusCardNode(target, *bus);
      target->children.back()->expanded = true;
      target->expanded = true;
      changed = true;
      break;
    }
    case IMG_KCM208:
    case IMG_KCM209:
    case IMG_KCM212:
    case IMG_KCM216: {
      auto* bus = target->parent != nullptr ? dynamic_cast<CKCM*>(target->parent->object) : nullptr;
      if (bus == nullptr) break;
      const int kind = entry.image == IMG_KCM208   ? CKCM::KIND_KCM208
                       : entry.image == IMG_KCM209 ? CKCM::KIND_KCM209
                       : entry.image == IMG_KCM212 ? CKCM::KIND_KCM212
                                                   : CKCM::KIND_KCM216;
      CKCM* card = m_editor.AddCard(*bus, kind);
      if (card == nullptr) break;
      AddCardNode(target, *card);
      target->children.back()->expanded = true;
      target->expanded = true;
      changed = true;
      break;
    }
    case IMG_LABEL: {
      CBaseDevice* pad = nullptr;
      if (target->role == Role::FreeChannel) {
        if (auto* card = dynamic_cast<CKCM*>(target->place))
          pad = m_editor.AddChannelLabel(*card, target->channel, target->da);
      } else if (target->role == Role::Relay) {
        if (auto* relay = dynamic_cast<CRelais*>(target->object)) pad = m_editor.AddRelayLabel(*relay);
      }
      if (pad == nullptr) break;
      target->role = Role::Label;
      target->image = IMG_LABEL;
      target->hasOpenImage = false;
      target->text = pad->GetName();
      target->object = pad;
      UpdateCardText(target);
      changed = true;
      break;
    }
    case IMG_PRELAY:
    case IMG_CONTROL: {
      auto* relay = target->role == Role::Relay ? dynamic_cast<CRelais*>(target->object) : nullptr;
      const int kind = entry.image == IMG_PRELAY ? CRelais::KIND_PRELAY : CRelais::KIND_CONTROL;
      if (relay == nullptr || !m_editor.SetRelayFunction(*relay, kind)) break;
      ShowRelay(target, *relay);
      UpdateCardText(target);
      changed = true;
      break;
    }
    case IMG_COLLCALL: {
      auto* relay = target->role == Role::Relay ? dynamic_cast<CRelais*>(target->object) : nullptr;
      if (relay == nullptr) break;
      CBaseDevice* call = m_editor.AssignCollectionCall(*relay);
      if (call == nullptr) break;
      ShowRelay(target, *relay);
      target->text = call->GetName();
      target->object = call;
      UpdateCardText(target);
      changed = true;
      break;
    }
    default:
      if (!IsObjectImage(entry.image)) break;
      {
        std::vector<int> rows = selectedRows;
        if (std::find(rows.begin(), rows.end(), draggedRow) == rows.end()) rows.push_back(draggedRow);
        changed = DropObjects(target, rows);
      }
      break;
  }
  Select(target);
  return changed;
}

bool KCMConfigurationState::DropObjects(Node* target, const std::vector<int>& rows) {
  if (target->object == nullptr) return false;
  // Zones and groups go only where offered: a pin 0 to pin 0 link elsewhere would tie a zone to a card or plain relay.
  const bool fits = (target->role == Role::PRelay || target->role == Role::ControlRelay) ||
                    (target->role == Role::CollectionCall && target->object->GetType() == DT_COLLCALL);
  if (!fits) return false;
  std::vector<int> sorted = rows;
  std::sort(sorted.begin(), sorted.end());
  sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
  bool changed = false;
  for (int row : sorted) {
    if (row < 0 || row >= static_cast<int>(m_offers.size())) continue;
    const Offer& entry = m_offers[static_cast<size_t>(row)];
    if (entry.object == nullptr || !IsObjectImage(entry.image)) continue;
    if (!m_editor.AssignObject(*target->object, *entry.object, RoleOfImage(entry.image))) continue;
    int p = 0;
    CCardBusEditor::AssignmentPins(*target->object, RoleOfImage(entry.image), &p, nullptr);
    AddChild(target,
             MakeNode(Role::Assigned, AssignedText(*entry.object, p), entry.image, false, entry.object, target));
    changed = true;
  }
  if (changed) target->expanded = true;
  return changed;
}

// ---- Delete key -----------------------------------------------------------------------

bool KCMConfigurationState::DeleteSelected() {
  Node* node = m_selected;
  if (node == nullptr) return false;
  switch (node->role) {
    case Role::BusCard:
    case Role::Card: {
      auto* card = dynamic_cast<CKCM*>(node->object);
      if (card == nullptr || !m_editor.RemoveCard(*card)) return false;
      Fill();
      return true;
    }
    case Role::PRelay:
    case Role::ControlRelay:
    case Role::CollectionCall: {
      auto* relay = dynamic_cast<CRelais*>(node->place);
      if (relay == nullptr) return false;
      m_editor.ResetRelayFunction(*relay);
      ShowRelay(node, *relay);
      UpdateCardText(node);
      Select(node);
      return true;
    }
    case Role::Label: {
      auto* pad = dynamic_cast<CControlPad*>(node->object);
      if (pad == nullptr || !m_editor.RemoveLabel(*pad)) return false;
      if (auto* relay = dynamic_cast<CRelais*>(node->place))
        ShowRelay(node, *relay);
      else
        ShowFreeChannel(node);
      UpdateCardText(node);
      Select(node);
      return true;
    }
    case Role::Assigned: {
      Node* parent = node->parent;
      if (parent == nullptr || parent->object == nullptr || node->object == nullptr) return false;
      const int type = parent->object->GetType();
      if (type != DT_RELAY && type != DT_CONTROLPAD && type != DT_COLLCALL) return false;
      m_editor.RemoveAssignment(*parent->object, *node->object);
      auto it = std::find_if(parent->children.begin(), parent->children.end(),
                             [node](const std::unique_ptr<Node>& child) { return child.get() == node; });
      if (it != parent->children.end()) parent->children.erase(it);
      // The parent stays selected, so the freed object is offered again.
      Select(parent);
      return true;
    }
    default: return false;
  }
}

// ---- Expanding and label editing ---------------------------------------------------------

void KCMConfigurationState::SetExpanded(Node* node, bool expanded) {
  if (node != nullptr) node->expanded = expanded;
}

bool KCMConfigurationState::CanEditLabel(const Node* node) {
  return node != nullptr && node->object != nullptr && node->object->GetType() == DT_CONTROLPAD;
}

bool KCMConfigurationState::EndLabelEdit(Node* node, const QString& text) {
  if (!CanEditLabel(node)) return false;
  const bool taken = node->object->SetUniqueName(text, true);
  node->text = node->object->GetName();
  return taken;
}
