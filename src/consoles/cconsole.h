#ifndef SELV_CONSOLES_CCONSOLE_H
#define SELV_CONSOLES_CCONSOLE_H

#include "consoles/cconsprop.h"
#include "consoles/keytarget.h"
#include "model/cbasedevice.h"

#include <QString>

#include <array>

class CConsKey;
class CSelvantisDoc;

// A call-station console on the drawing (type 7; identifiers 1..16 are its
// address on the unit, path "CONS/ADR<n>"). Owns its parameters and keys
// (CConsProp) and a table of 31 group slots filled by uploads; turns them
// into the lines of the command language and takes reply lines apart.
// A key's programming is an input connection of the console (see CConsKey).
class CConsole final : public CBaseDevice {
  SELV_DECLARE_SERIAL(CConsole)

 public:
  // Schema 2 dropped the extension models, 3 added nothing the file shows
  // but converts PRECHIME, 4 adds ON_PRIO.
  static constexpr int kSchema = 4;
  static constexpr int kMenuId = 214;
  static constexpr int kBitmap = 211;
  static constexpr int kGroupSlots = 31;
  // Download steps: 43 parameter steps (TYPE and PRIO silent), then the
  // programmable keys by number, then the twelve fixed keys.
  static constexpr int kParamSteps = 43;
  static constexpr int kFirstGroupStep = 12;
  // Projects saved before this program version lack the signal links of
  // ALARM, CHIME and TEXT keys.
  static constexpr int kSignalLinkFileVersion = 956;
  // The canvas limit AvoidOverlap keeps consoles within.
  static constexpr int kMaxRight = 1933;
  static constexpr int kOverlapStep = 10;
  // Group values longer than this are refused (no range list of 100 zones
  // comes near it).
  static constexpr int kMaxGroupValueLength = 1000;

  CConsole();
  ~CConsole() override;

  // Makes a console of the model at rect (one output pin), with its keys,
  // clear of the other consoles and audio devices, and adds it to the
  // document; null when the pool is full (the message was shown).
  static CConsole* CreateIn(CSelvantisDoc& doc, int model, const QRect& rect);

  CConsProp& GetProp() noexcept { return m_prop; }
  const CConsProp& GetProp() const noexcept { return m_prop; }
  CConsKey* FindKey(int number) const { return m_prop.FindKey(number); }
  int GetAddress() const noexcept { return m_nID; }
  // The unit input the console's output is wired to: an audio input slot s
  // holds inputs 2s-1 (pin 0) and 2s (pin 1), so its port base is s and the
  // port 2 * s + pin - 2 (0 = slot 1 input A). -1 for a console wired to
  // nothing or to something else.
  int GetUnitPort() const;

  // ---- Command language ----------------------------------------------------------
  static QString KeywordOf(int code);
  // The code of a keyword; -1 for an unknown one.
  static int CodeOf(const QString& keyword);
  static QString PttPrioText(int index);
  static QString ExtText(int index);
  // Builds one parameter line ("/CONS/ADR2/BUZZER ON", "/CONS/ADR2/GROUP5
  // 1-3"; code 255 carries the slot in its high 16 bits) and sends it for
  // the active document; out receives the line and is returned.
  const QString& SendSetting(QString& out, int code, bool bShorten, bool bQuery);
  // The value text of a parameter line.
  QString SettingValue(int code) const;
  // Step -1 clears the console's abort flag and returns 43 + K + 12.
  int Download(bool bQuery, int nStep) override;
  // Values are taken in LINKMODE_UPLOAD only (and never "?"); "CONSOLE NOT
  // CONNECTED" in any mode shows 34173 once per transfer and stops this
  // console's download.
  bool Upload(const QString& line, QString& errorFilePath, int mode) override;
  bool IsTransferAborted() const noexcept { return m_bAbort; }

  // "/CONS/ADR<n>/RELEASE ?": the console's software version.
  QString GetVersionQuery() const;
  // The version in what the unit sent back for the query (echo included):
  // the value of the line that carries the query's path and a value other
  // than "?", after its last blank. Empty when there is no such line or the
  // console is not connected.
  static QString ParseVersionReply(const QString& reply, const QString& query);

  // The parameter text a key gets when the key dialog gives it another
  // function: ALARM, CHIME and TEXT take the lowest signal of their type
  // that exists (with its priority), or name signal 1 when there is none;
  // TALK and TALKEXT take the console's priority (TALKEXT moved by PTTPRIO).
  QString DefaultKeyParamText(int type) const;

  // ---- Group slots and keys -----------------------------------------------------------
  // The group of the slot table (filled by uploads), or null.
  CBaseDevice* GetGroupSlot(int slot) const;
  void SetGroupSlot(int slot, CBaseDevice* group);
  // The group a key parameter 100 + slot names: slot 0 is the root group;
  // other slots come from the table, else from the key links.
  CBaseDevice* ResolveGroupSlot(int slot) const;
  // True when an input connection's own pin carries the port in its low 16
  // bits.
  bool HasLinkOnPort(int port) const;
  // The group linked with the slot in its pin's high 16 bits, or null.
  CBaseDevice* FindGroupInSlot(int slot) const;
  // The group whose zones (upstream, each zone once) are exactly the zones
  // of the range list; null for a list that cannot be read or no match.
  CBaseDevice* FindGroupByZoneList(const QString& rangeText) const;
  // The zones upstream of a group as a set of 100 zone bits.
  static void CollectGroupZones(const CBaseDevice& group, std::vector<uint8_t>& bits);

  // Keys first..last (by number, existing keys only) become SEL keys of
  // the zones firstZone, firstZone + 1, ...; a zone that is missing leaves
  // its key as it was but still counts. last < first removes every key link
  // first and runs to K. The fixed keys get their defaults afterwards.
  void ProgramKeyRange(int first, int last, int firstZone);
  // Every key DISABLED without links, then no input connection left.
  void ClearAllKeys();
  // Copies this console's key links (ports the target has), the keys'
  // edited functions (stored there) and PRECHIME and EXT onto target, which
  // the caller has cleared.
  void CopyKeyProgrammingTo(CConsole* target);
  // Brings EXT in line with the model (an "X" model has the extension on
  // EXT) and the AUX/PTT keys.
  void CheckExtension();
  // Walks each key array up to its first TALKEXT or AUX key; returns bit 0
  // for a TALKEXT key, bit 1 for an AUX key. Unless bQuiet, the keys
  // visited take their stored function as edited one and EXT is set (or the
  // clash with an extension reported).
  int CheckExtConnectorKeys(bool bExtension, bool bQuiet);

  // The keys' targets from the links: the links of each port become the
  // first and second targets; links to the console itself and, in projects
  // older than 956, signal keys linked to an object are resolved from the
  // key parameters. Returns the number of keys that show a group; with
  // bMessages, 32 or more warn.
  int RefreshKeysFromLinks(bool bMessages);
  // The target a key linked to its own console stands for (see
  // RefreshKeysFromLinks); may set the key's second target.
  KeyTarget ResolveKeyTarget(CConsKey& key, bool bMessages);
  // The links from the keys' targets: every key link is made again; groups
  // get slots 1, 2, ... in key order (the root group 0). A group beyond
  // slot 30 stays unlinked and the user is warned once, with the numbers
  // of the keys concerned. Returns the number of groups that found no slot.
  int StoreKeyLinks();

  // ---- Base operations ---------------------------------------------------------------
  void Serialize(CArchive& ar) override;
  bool RegisterPath() override;
  int OnAfterLoad() override;
  void LayoutPins() override;
  void CalcBoundingRect() override;
  bool OnCommand(int id) override;
  void OnUpdateCommandUI(CCmdUI& cmdUI) override;
  void AvoidOverlap() override;
  int GetReportColumns(std::vector<ReportColumn>& columns) const override;
  int GetReportLine(QStringList& cells, bool bHeader) const override;
  // CreateOnCanvas, then AvoidOverlap.
  bool CreateAndPlace(int kind, int nInputs, int nOutputs, const QString& name, const QRect& rect, int category,
                      int bitmapId, int textFlags, CSelvantisDoc* doc);

 private:
  void UploadValue(const QString& keyword, int index, const QString& value);
  void ShowNotConnected();

  CConsProp m_prop;
  // Group identifiers by slot (-1: none); identifiers, not pointers, so a
  // deleted group can never be reached through the table.
  std::array<int, kGroupSlots> m_groupSlots;
  bool m_bAbort = false;
  bool m_bNotConnectedShown = false;
};

#endif
