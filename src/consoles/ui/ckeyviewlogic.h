#pragma once
#include "consoles/keybox.h"

#include <QString>

#include <functional>
#include <vector>

class CBaseDevice;
class CConsKey;
class CConsProp;
class CConsole;
class IDeviceLink;

// What the key view's page offers the view's commands: the dialogs of the
// range and copy commands and the page's modified state. The page (or a
// test fake) implements it.
class IKeyViewHost {
 public:
  virtual ~IKeyViewHost() = default;
  // First key, stop key and start line; false when cancelled.
  virtual bool AskKeyRange(int* first, int* stop, int* startLine) = 0;
  // The destination console among consoles (caption names source); false
  // when cancelled, true with null when no console was chosen.
  virtual bool AskCopyDestination(const std::vector<CBaseDevice*>& consoles, CConsole* source,
                                  const QString& sourceText, CConsole** destination) = 0;
  // Stores the page's pending changes.
  virtual void ApplyPage() {}
  // The change is in the model already: modified cleared, Cancel reads Close.
  virtual void SetModelCommitted() {}
  virtual void SetModified() {}
  virtual void CheckGroups() {}
};

// The decisions of the key view, without a window: the geometry of the
// housing, hit testing, the key programming commands, the console transfer
// and the version query. Holds nothing.
class CKeyViewLogic final {
 public:
  static constexpr int kExtensionKeyCount = 50;
  static constexpr int kMaxNameChars = 20;
  static constexpr int kVersionReadMs = 500;
  static constexpr const char* kMakerName = "VELMORIX";
  static constexpr const char* kExtensionModel = "RCX6350";

  // The housing for a client area and key 108's rectangle.
  static KeyBox DrawingRect(const KeyBox& client, const KeyBox& key108);
  // The total scroll width SetLayout needs; 0 when the client is wide enough.
  static int ScrollWidth(int clientWidth, const KeyBox& key108);
  static bool HasExtension(int programmableKeys) { return programmableKeys > kExtensionKeyCount; }
  // With an extension: the main housing's left edge and the extension's
  // housing, from key 1's rectangle.
  static int MainLeftWithExtension(const KeyBox& key1);
  static KeyBox ExtensionRect(const KeyBox& drawing, const KeyBox& key1);
  // The name display from keys 103 and 105.
  static KeyBox NameRect(const KeyBox& key103, const KeyBox& key105);
  // Models with a display (the model flag) show the console's name in it.
  static bool HasNameDisplay(const CConsProp& prop);
  // The extension's key field: its housing shrunk by 2.5 bx and by, its
  // right edge at (L - w/4) - 1.875 w from key 1's left L and width w.
  static KeyBox ExtensionField(const KeyBox& extension, const KeyBox& key1, int bx, int by);
  // The label strip of a key's block (its cell): the cell narrowed by a
  // quarter of the base width on each side, its top base height * 13/16
  // above the cell's bottom, then moved up by base height * 3/16.
  static KeyBox LabelArea(const KeyBox& cell, int baseWidth, int baseHeight);
  // The name as the display shows it: 20 characters, longer ones cut with "...".
  static QString DisplayName(const QString& name);
  // The titles over the housings (slave empty without extension).
  static QString MasterTitle(const QString& name, bool bExtension);
  static QString SlaveTitle(const QString& name);

  // What a key's button shows: keys 101 and 102 of an RCX6106 are not
  // there; keys 109..112 show their picture only, and nothing while not in
  // use; every other key its label.
  enum class KeyFace { Hidden, Label, Picture, Blank };
  static KeyFace FaceOf(const CConsKey& key);

  // The key's context menu: Properties, and for an in-use key 110 or 111 a
  // "Key view" choice of its picture (alarm switch or key switch).
  static constexpr int ID_KEY_PROPERTIES = 32864;
  static constexpr int ID_KEY_ALARM_SWITCH = 32873;
  static constexpr int ID_KEY_KEY_SWITCH = 32874;
  static bool HasKeyViewMenu(const CConsKey& key);
  // The "Key view" item shown as chosen: key switch for picture 301.
  static int CheckedKeyView(const CConsKey& key);
  // 32873 gives the key picture 303, 32874 picture 301; the console is
  // marked modified when the picture changed. False for another command.
  static bool SetKeyView(CConsKey& key, int command);

  using KeyRectFn = std::function<KeyBox(const CConsKey&)>;
  // The first programmable key, then the first fixed key, containing the
  // point; a missing key number ends its group's search.
  static CConsKey* HitTestKey(const CConsProp& prop, int x, int y, const KeyRectFn& rectOf);
  // The first programmable SEL key whose first target is target.
  static CConsKey* FindKeyByTarget(const CConsProp& prop, const CBaseDevice* target);

  // Every key DISABLED, no second target, then no input connection left.
  static void ClearAllKeys(CConsole& console);
  // The commands; they change the project only.
  static bool RangeKeyProgramming(CConsole& console, IKeyViewHost& host);
  static bool ClearAllKeyProgramming(CConsole& console, IKeyViewHost& host);
  static bool CopyKeyProgramming(CConsole& console, IKeyViewHost& host);

  // Downloads (bUpload false) or uploads the console through link, as a
  // transfer (CTransfer) with its endings and its message. True when it is
  // done.
  static bool TransferConsole(CConsole& console, bool bUpload, IDeviceLink& link);
  // Asks the console for its version and shows the answer or the
  // no-answer message. Returns the version ("" when none).
  static QString GetSwVersion(CConsole& console, IDeviceLink& link);
};
