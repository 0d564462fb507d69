#ifndef SELV_MODEL_CBASEDEVICE_H
#define SELV_MODEL_CBASEDEVICE_H

#include "model/cobject.h"
#include "model/connectionrecord.h"
#include "model/devicetype.h"

#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>

#include <functional>
#include <utility>
#include <vector>

class CArchive;
class CCmdUI;
class CMenuData;
class CSelvantisDoc;
class IPainter;

// One column of the printed object table: its position and a second value
// that the table reads as it is.
struct ReportColumn {
  int position = 0;
  int value = 0;
};

// Common base of every model object: identity (type code, kind, identifier,
// name, command path), canvas geometry and pins, and the two connection
// lists. The document owns the object; the object points back to it.
//
// Lifetime: an object is made with new/make_unique, set up with Create,
// CreateOnCanvas or CreateWithID (which enter it in its document's identifier
// pool and path map) and handed to the document (CSelvantisDoc::AddObject).
// Deleting an object that is still registered takes it out of the pool and
// the path map and removes its connections together with their mirrors, so an
// object given up after a failed Create leaves nothing behind.
class CBaseDevice : public CObject {
 public:
  // Characters in the link's output buffer from which downloads wait.
  static constexpr int kOutBufferLimit = 512;
  // Upper bound for pin counts read from files and set by callers.
  static constexpr int kMaxPins = 4096;
  // Size of a drawn pin square, in canvas units.
  static constexpr int kPinSize = 6;

  // Text flags: how the name is drawn.
  enum TextFlag : int {
    TF_NAME = 0x01,   // draw the name
    TF_BELOW = 0x02,  // under the picture (else inside it)
    TF_ID = 0x04,     // add the identifier
    TF_RIGHT = 0x08,  // right of the picture
    TF_ABOVE = 0x10,  // above the picture
  };

  CBaseDevice();
  ~CBaseDevice() override;

  // ---- Project file ----------------------------------------------------
  // Writes or reads the base record. Derived classes call it first. While
  // loading it keeps the record's schema (GetSchema) for the derived part.
  void Serialize(CArchive& ar) override;

  // ---- Creation ----------------------------------------------------------
  // Sets the object up and places it through CreateOnCanvas. False when the
  // type's pool is full (message 34207 shown).
  virtual bool Create(int kind, int nInputs, int nOutputs, const QString& name, const QRect& rect, int category,
                      int bitmapId, int textFlags, CSelvantisDoc* doc);
  // Takes the next free identifier of the type, names the object ("%s %d"
  // from its category's name, or from its kind text in mixed categories)
  // unless a name is given, lays out the pins, registers the command path
  // and marks the document modified. False with message 34207 when the pool
  // is full; the object then holds no identifier.
  virtual bool CreateOnCanvas(int kind, int nInputs, int nOutputs, const QString& name, const QRect& rect, int category,
                              int bitmapId, int textFlags, CSelvantisDoc* doc);
  // Sets the object up under a given identifier without canvas layout and
  // registers it. False, without a message, when the identifier is outside
  // the pool or taken.
  bool CreateWithID(int kind, const QString& name, int id, int category, CSelvantisDoc* doc);

  // Enters the object under its identifier in its type's pool, builds its
  // command path (BuildCommandPath) and enters the path in the document's
  // path map. False when the identifier cannot be taken. Overrides call the
  // base first and give up when it fails.
  virtual bool RegisterPath();
  // Removes the object's path from the document's path map (the pool entry
  // stays).
  void UnregisterPath();
  // Registers again after the identifier changed: the old path goes, the
  // new one comes.
  void RefreshPath();
  // Runs once after a project file was loaded, when every object has its
  // path and its connections; converts older records. Lists 1..16 in list
  // order.
  virtual int OnAfterLoad();

  // ---- Identity ------------------------------------------------------------
  int GetType() const noexcept { return m_nType; }
  int GetKind() const noexcept { return m_nKind; }
  virtual void SetKind(int kind);
  int GetID() const noexcept { return m_nID; }
  // Stores a new identifier. The identifier manager calls it when it moves
  // the object (MoveID, RemoveIDAndShift) and re-registers the path after it;
  // overrides renumber what depends on the identifier and call the base.
  virtual void SetID(int id);
  QString GetIDString() const;
  virtual QString GetName() const;
  // Sets the name as it is, without checks (loading, defaults).
  void SetName(const QString& name) { m_strName = name; }
  const QString& GetPath() const noexcept { return m_strPath; }
  CSelvantisDoc* GetDocument() const noexcept { return m_pDoc; }
  int GetCategory() const noexcept { return m_nCategory; }
  void SetCategory(int category) { m_nCategory = category; }
  // Schema of the record the object was loaded from; -1 for an object that
  // was not loaded.
  int GetSchema() const noexcept { return m_nSchema; }
  int GetMenuID() const noexcept { return m_nMenuID; }
  int GetBitmapID() const noexcept { return m_nBitmapID; }
  int GetTextFlags() const noexcept { return m_nTextFlags; }

  // Gives the object another identifier of its type when that one is free
  // (the old one is released, the path re-registered); returns the new
  // identifier, or 0 without a message when it is taken or outside the pool.
  int ChangeID(int newId);

  // Refuses an empty name (message 34212). A name another object of the
  // document has becomes "%s_%d" with the first free n from 1; with bMessage
  // the user is told (34213). True when a name was set. With a width the
  // name is cut to it, and "_%d" takes the place of its last characters, so
  // that a name the unit holds stays within its field there.
  bool SetUniqueName(const QString& name, bool bMessage, int width = 0);
  // Refuses an empty name (34212) or one another object has (34267); the
  // messages only with bMessage. Sets the name and redraws; true on success.
  bool Rename(const QString& name, bool bMessage = true);

  // ---- Canvas ------------------------------------------------------------
  const QRect& GetRect() const noexcept { return m_rect; }
  void SetRect(const QRect& rect);
  const QRect& GetBoundingRect() const noexcept { return m_boundRect; }
  int GetInputCount() const noexcept { return m_nInputs; }
  int GetOutputCount() const noexcept { return m_nOutputs; }
  // Sets the pin counts (clamped to 0..kMaxPins), resizes the pin points
  // and labels and lays the pins out again.
  void SetPinCount(int nInputs, int nOutputs);
  // Pin points; a pin without a drawn point (beyond the count) gives the
  // middle of the object's edge.
  QPoint GetInputPinPoint(int pin) const;
  QPoint GetOutputPinPoint(int pin) const;
  QString GetInputPinLabel(int pin) const;
  QString GetOutputPinLabel(int pin) const;
  void SetInputPinLabel(int pin, const QString& label);
  void SetOutputPinLabel(int pin, const QString& label);
  const QStringList& GetInputPinLabels() const noexcept { return m_inPinLabels; }
  const QStringList& GetOutputPinLabels() const noexcept { return m_outPinLabels; }
  int GetHighlightedInputPin() const noexcept { return m_nHiInPin; }
  int GetHighlightedOutputPin() const noexcept { return m_nHiOutPin; }
  // Each pin is taken when it lies in -1..count-1; the other stays.
  void SetHighlightedPins(int inputPin, int outputPin);
  bool IsMoveLocked() const noexcept { return m_bMoveLock; }
  void SetMoveLock(bool lock) { m_bMoveLock = lock; }
  bool ArePinsShown() const noexcept { return m_bPinsShown; }
  void ShowPins(bool show);
  bool IsSelected() const noexcept { return m_bSelected; }
  void SetSelected(bool selected);
  // Per-input values; 0 for a pin without a value. A pin outside
  // 0..kMaxPins-1 is refused.
  int GetInputValue(int pin) const;
  bool SetInputValue(int pin, int value);

  // A locked object moves only when bByUser is clear.
  void Move(int dx, int dy, bool bByUser);
  // Recomputes the bounding rectangle and asks the views to redraw.
  void Invalidate();
  virtual void LayoutPins();
  virtual void CalcBoundingRect();
  virtual void Draw(IPainter& painter);
  virtual bool HitTestLabel(const QPoint& point) const;
  // Moves the object to the nearest free place on its right, clear of every
  // other block on the canvas (picture, pins and name).
  virtual void AvoidOverlap();
  // The rectangle of the drawn name.
  virtual QRect GetLabelRect() const;

  // ---- Commands and user interface -----------------------------------------
  // 33001 deletes the object (connections with their mirrors, list, pool,
  // path; the document announces the removal and frees the object later, so
  // the caller may still read members after the call); 33002 shows the
  // properties. True when the command was handled.
  virtual bool OnCommand(int id);
  // The base disables 33001 and 33002.
  virtual void OnUpdateCommandUI(CCmdUI& cmdUI);
  // Adjusts the context menu the shell filled from GetMenuID(); the base
  // leaves it as it is.
  virtual void BuildContextMenu(CMenuData& menu);
  // Runs OnUpdateCommandUI for every item of the menu.
  void UpdateMenu(CMenuData& menu);
  // Runs the object's properties dialog through the handler registered for
  // its type; false when there is none or the dialog was cancelled.
  virtual bool ShowProperties();
  virtual QString GetToolTipText() const;
  // A value of one of the object's settings (its command path, the value
  // as a command line carries it) in the words of the object's dialog; ""
  // where the setting's general form holds (a comparison shows it).
  virtual QString SettingInWords(const QString& path, const QString& value) const;
  // Appends the column records of the printed object table; returns 1 when
  // the class has a table, 0 otherwise.
  virtual int GetReportColumns(std::vector<ReportColumn>& columns) const;
  // Appends the titles (bHeader) or this object's cells; returns the
  // list's count afterwards.
  virtual int GetReportLine(QStringList& cells, bool bHeader) const;

  // Dialogs live in the widget library: it registers one handler per type.
  using PropertiesHandler = std::function<bool(CBaseDevice&)>;
  // Returns the handler registered before, if any.
  static PropertiesHandler SetPropertiesHandler(int type, PropertiesHandler handler);
  // Whether objects of the type have a properties dialog to show.
  static bool HasPropertiesHandler(int type);

  // ---- Transfers -----------------------------------------------------------
  // One reply line routed to this object, without its leading "/", with the
  // project's error-file path and the link mode. True when the line was
  // taken. The base takes nothing.
  virtual bool Upload(const QString& line, QString& errorFilePath, int mode);
  // nStep -1: the number of steps (0: the object takes no part). Other
  // steps send one line and return the next step, or the same step while the
  // link's output buffer is full (see SendStep).
  virtual int Download(bool bQuery, int nStep);

  // ---- Connections ---------------------------------------------------------
  const std::vector<ConnectionRecord>& GetInputConnections() const noexcept { return m_inputs; }
  const std::vector<ConnectionRecord>& GetOutputConnections() const noexcept { return m_outputs; }

  // Connects output pin outPin of from to input pin inPin of to, recording
  // both ends. False for a null object.
  static bool Connect(CBaseDevice* from, int outPin, CBaseDevice* to, int inPin);
  // As Connect, but both records carry category instead of the peers' own
  // (a link whose kind the records name, not the objects' lists).
  static bool Connect(CBaseDevice* from, int outPin, CBaseDevice* to, int inPin, int category);
  // Removes every connection from outPin of from to inPin of to, both ends.
  // Returns the number removed.
  static int Disconnect(CBaseDevice* from, int outPin, CBaseDevice* to, int inPin);
  // An input record whose peer is the "no object" mark (no mirror).
  void AddNoObjectInput(int ownPin, int peerPin, int peerCategory);

  // Primitives: one record in one list. Callers add or remove the mirror at
  // the peer themselves; new code uses Connect/Disconnect.
  void AddInputConnection(int ownPin, CBaseDevice* peer, int peerPin, int peerCategory);
  void AddOutputConnection(int ownPin, CBaseDevice* peer, int peerPin, int peerCategory);
  bool RemoveInputConnection(int ownPin, const CBaseDevice* peer, int peerPin, int peerCategory);
  bool RemoveOutputConnection(int ownPin, const CBaseDevice* peer, int peerPin, int peerCategory);

  // These keep both ends in step: each removes the records and their mirrors.
  void RemoveAllInputConnections();
  void RemoveAllOutputConnections();
  void DisconnectInputPin(int ownPin);
  void DisconnectOutputPin(int ownPin);
  // One connection equal to the record, and its mirror.
  bool DisconnectInput(const ConnectionRecord& record);
  bool DisconnectOutput(const ConnectionRecord& record);
  void DisconnectOutputsTo(const CBaseDevice* peer);
  void DisconnectInputsFrom(const CBaseDevice* peer);

  // The first record at that pin, or null. The pointer is valid until the
  // list changes.
  ConnectionRecord* FindInputConnection(int ownPin);
  const ConnectionRecord* FindInputConnection(int ownPin) const;
  ConnectionRecord* FindOutputConnection(int ownPin);
  const ConnectionRecord* FindOutputConnection(int ownPin) const;
  // The first output record at that pin whose peer has the type, or null.
  ConnectionRecord* FindOutputConnectionOfType(int ownPin, int type);
  ConnectionRecord* FindInputConnectionExact(int ownPin, const CBaseDevice* peer, int peerPin, int peerCategory);
  // Moves the peer end of the output connection at ownPin from its peer pin
  // to newPeerPin, in both records. False when there is no such connection.
  bool MoveOutputPeerPin(int ownPin, int newPeerPin);

  // Collects, in the order met, the input records upstream of input pin
  // ownPin: each record at the pin, then (unless its peer is of the
  // category) the records upstream of the peer. Through an amplifier only
  // the input with the number of the amplifier output is followed. With bAll
  // clear the trace ends at the first record whose peer is of the category;
  // with bAll set every branch is followed. Cyclic wiring is walked once.
  void TraceInputPin(int ownPin, int category, std::vector<ConnectionRecord>& records, bool bAll = true) const;
  // The same over every input pin.
  void CollectUpstream(int category, std::vector<ConnectionRecord>& records, bool bAll = true) const;
  // Identifier (0 when none) and name ("" when none) of the object at the
  // first connection of that input pin.
  int GetInputSourceID(int pin) const;
  QString GetInputSourceName(int pin) const;
  CBaseDevice* GetInputSource(int pin) const;
  // The zones and groups connected to the inputs, each once, in list order.
  void GetInputZonesAndGroups(std::vector<CBaseDevice*>& out) const;

  // ---- Hooks of the identifier manager ---------------------------------------
  // Amplifiers on the amplifier bus number their outputs as global channels.
  virtual bool IsAddressableAmplifier() const;
  virtual int GetAmplifierBusAddress() const;
  virtual int GetAmplifierChannelCount() const;
  // Control pads: true when the pad is of a source kind and its keyword and
  // number match.
  virtual bool MatchesPadKeyword(const QString& keyword, int number) const;
  // The link connected or disconnected (the info slot shows it).
  virtual void OnLinkStateChanged(bool connected);
  // The connected state an object shows for its project (the info slot):
  // 0 or 1; -1 for the objects that keep none.
  virtual int GetConnectedFlag() const;

  // Marks the object's document modified.
  void SetModified();

 protected:
  // The command path the base registers: fixed paths by type, "/VMX/CLEAR"
  // for the root group, "/GROUP%d", "/VMX/LANGRP%d", "/VMX/COLLCALL%d",
  // "/AMP%d" (category 1), "/VMX/ZONE%d" (category 3), "CONS/ADR%d"
  // (category 14); empty (no path) for category 12 and everything else.
  virtual QString BuildCommandPath() const;
  // Sets the command path and enters it in the document's path map in
  // place of the old one; an empty path only removes the old one.
  void SetCommandPath(const QString& path);
  void SetType(int type) { m_nType = type; }
  // The next RegisterPath takes a fresh identifier from the pool instead of
  // the stored one (records whose identifier must not be reused).
  void RequestFreshID() { m_bFreshID = true; }

  // Sends one step of a download or query. While the link's output buffer
  // holds kOutBufferLimit characters or more nothing is sent and nStep is
  // returned, so the caller repeats the step. Otherwise the line
  // "/" + path + key + " " + value (with "?" as the value when bQuery) goes
  // out through the installed link for this object's own document, and
  // nStep + 1 is returned. path may be given with or without its leading
  // "/"; an empty path sends nothing (an object without a path has nothing to
  // send) and also returns nStep + 1.
  int SendStep(bool bQuery, int nStep, const QString& path, const QString& key, const QString& value,
               bool bShorten = false);
  // True while the link's output buffer holds kOutBufferLimit or more.
  static bool IsLinkBusy();
  // Sends one command line for this object's document.
  void SendCommandLine(const QString& line, bool bShorten = false) const;
  // Splits a routed reply line (without its leading "/") under this
  // object's own path: key is the text after the path up to the first
  // blank, with its leading slash; value is the text after the key and one
  // blank. False when the line is not under the path, or its value is
  // exactly "?" (an echoed query).
  bool SplitUploadLine(const QString& line, QString* key, QString* value) const;
  // The same under any path.
  static bool SplitUploadLine(const QString& line, const QString& path, QString* key, QString* value);

  // Clears both connection lists without touching the peers: only for
  // tearing down a whole set of objects at once.
  void DropConnectionsUnchecked();

  // Fields (derived classes read and set them as the Parts name them).
  int m_nType = DT_NONE;
  int m_nKind = 0;
  int m_nID = 0;
  QString m_strName;
  QString m_strPath;
  CSelvantisDoc* m_pDoc = nullptr;
  int m_nCategory = CAT_NONE;
  int m_nSchema = -1;
  int m_nMenuID = 0;
  int m_nBitmapID = 0;
  int m_nTextFlags = 0;
  QRect m_rect;
  QRect m_boundRect;
  int m_nInputs = 0;
  int m_nOutputs = 0;
  std::vector<QPoint> m_inPinPoints;
  std::vector<QPoint> m_outPinPoints;
  QStringList m_inPinLabels;
  QStringList m_outPinLabels;
  int m_nHiInPin = -1;
  int m_nHiOutPin = -1;
  bool m_bMoveLock = false;
  bool m_bPinsShown = false;
  bool m_bSelected = false;
  std::vector<int> m_inputValues;
  std::vector<ConnectionRecord> m_inputs;
  std::vector<ConnectionRecord> m_outputs;

 private:
  friend class CSelvantisDoc;
  friend class CProjectFile;

  void SetupFields(int kind, const QString& name, int category, CSelvantisDoc* doc);
  QString DefaultName() const;
  bool NameClashes(const QString& name) const;
  // Removes the first record of list whose peer, own pin and peer pin
  // match (the mirror of a record at the peer).
  static bool RemoveMirror(std::vector<ConnectionRecord>& list, const CBaseDevice* peer, int ownPin, int peerPin);
  static void TraceUpstream(const std::vector<std::pair<const CBaseDevice*, int>>& start, int category,
                            std::vector<ConnectionRecord>& records, bool bAll);
  // Takes the object out of the pool and the path map of its document.
  void Unregister();

  bool m_bFreshID = false;
};

#endif
