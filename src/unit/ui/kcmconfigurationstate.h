#ifndef SELV_UNIT_UI_KCMCONFIGURATIONSTATE_H
#define SELV_UNIT_UI_KCMCONFIGURATIONSTATE_H

#include "unit/ccardbuseditor.h"

#include <QString>

#include <memory>
#include <vector>

class CBaseDevice;
class CKCM;
class CRelais;
class CSelvantisDoc;

// What the card configuration dialog shows and does: the tree of the
// project's card bus (bus cards, module groups, cards, relays, channels,
// labels and what is assigned to relays), the offer list of the selected
// item, and what a drop, the Delete key, expanding and a label edit change.
// The document's objects change at once through CCardBusEditor; the nodes
// only point at them. The dialog mirrors the nodes into its tree widget.
class KCMConfigurationState final {
 public:
  // Pictures of the image strip.
  enum Image : int {
    IMG_BUS = 0,
    IMG_GROUP = 2,
    IMG_KCM208 = 4,
    IMG_ZONE = 6,
    IMG_LABEL = 7,
    IMG_RELAY = 8,
    IMG_COLLCALL = 9,
    IMG_SLOT_LABEL = 10,
    IMG_PRELAY = 11,
    IMG_CONTROL = 13,
    IMG_KCM209 = 15,
    IMG_OTHER = 17,
    IMG_KCM212 = 18,
    IMG_CHANNEL = 20,
    IMG_PRIORITY_ZONE = 21,
    IMG_CONTROL_ZONE = 22,
    IMG_KCM216 = 23,
  };

  enum class Role {
    Root,
    BusCard,
    OutputGroup,
    InputGroup,
    AnalogGroup,
    Card,        // KCM208, KCM209, KCM212 or KCM216
    EmptyPlace,  // a relay-card input without a relay
    Relay,       // a relay with its default function
    PRelay,
    ControlRelay,
    CollectionCall,  // a relay switched by a collection call
    Label,           // a control pad on a channel or relay
    FreeChannel,
    Assigned,  // a zone or group under a relay or collection call
  };

  struct Node {
    Role role = Role::Root;
    QString text;
    // The picture while collapsed; items with an open picture show the
    // next one while expanded.
    int image = IMG_BUS;
    // Only pictures that come as a closed and an open pair switch: the
    // picture after a single one is another item's (a relay's 8 is
    // followed by the collection call's 9), so an expanded relay would
    // pass for a collection call.
    bool hasOpenImage = false;
    bool expanded = false;
    // What the item stands for (null for the root, the groups, free
    // channels and empty places).
    CBaseDevice* object = nullptr;
    // The relay or card whose pin the item shows (relays, labels,
    // channels).
    CBaseDevice* place = nullptr;
    int channel = 0;
    bool da = false;
    Node* parent = nullptr;
    std::vector<std::unique_ptr<Node>> children;

    int Image() const { return image + (hasOpenImage && expanded ? 1 : 0); }
  };

  struct Offer {
    QString text;
    int image = 0;
    CBaseDevice* object = nullptr;
  };

  explicit KCMConfigurationState(CSelvantisDoc& doc);
  KCMConfigurationState(const KCMConfigurationState&) = delete;
  KCMConfigurationState& operator=(const KCMConfigurationState&) = delete;

  // Builds the tree from the document; nothing is selected afterwards.
  void Fill();
  Node* Root() const { return m_root.get(); }
  // The first node, in tree order, that stands for object; null if none.
  Node* FindNode(const CBaseDevice* object) const;
  // The first node, in tree order, with that text; null if none.
  Node* FindNodeByText(const QString& text) const;

  // Selecting an item fills the offer list for it; null empties it.
  void Select(Node* node);
  Node* Selected() const { return m_selected; }
  const std::vector<Offer>& Offers() const { return m_offers; }
  // Entries that offer objects may be dropped several at once.
  bool IsMultiSelect() const { return m_multiSelect; }

  // Drops the offer entry draggedRow (with the other selected rows, for
  // entries that offer objects) on the selected item. True when the project
  // changed. The offer list is filled again for the selected item.
  bool Drop(int draggedRow, const std::vector<int>& selectedRows);
  // The Delete key on the selected item. True when the project changed;
  // a removed card fills the tree again (nothing selected afterwards).
  bool DeleteSelected();

  void SetExpanded(Node* node, bool expanded);

  // Only labels (control pads) are renamed in the tree.
  static bool CanEditLabel(const Node* node);
  // The pad takes the text as a unique name (a clash gives it a numeric
  // suffix and tells the user); the node shows the name the pad has.
  bool EndLabelEdit(Node* node, const QString& text);

  // Relay and channel texts.
  static QString ChannelText(int channel, bool da, bool analog);

 private:
  std::unique_ptr<Node> MakeNode(Role role, const QString& text, int image, bool hasOpen, CBaseDevice* object,
                                 Node* parent) const;
  Node* AddChild(Node* parent, std::unique_ptr<Node> child) const;
  void AddBusCardNode(Node* root, CKCM& bus);
  void AddCardNode(Node* group, CKCM& card);
  void AddRelayNode(Node* cardNode, CKCM& card, int pin);
  void AddAssignedChildren(Node* node, const CBaseDevice& target);
  void ShowRelay(Node* node, CRelais& relay);
  void ShowFreeChannel(Node* node);
  void UpdateCardText(Node* node);
  bool DropObjects(Node* target, const std::vector<int>& rows);
  QString AssignedText(const CBaseDevice& object, int peerPin) const;

  CSelvantisDoc& m_doc;
  CCardBusEditor m_editor;
  std::unique_ptr<Node> m_root;
  Node* m_selected = nullptr;
  std::vector<Offer> m_offers;
  bool m_multiSelect = false;
};

#endif
