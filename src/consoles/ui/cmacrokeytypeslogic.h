#pragma once
#include "consoles/cconskey.h"

#include <QString>

// The decisions of the macro key activation types dialog, without a window:
// the activity type a key's function shows, what choosing a type, a macro B
// or a rate writes into the key, and the clamps. Every change is stored in
// the key at once (function, second parameter and the macro B link). Holds
// nothing.
class CMacroKeyTypesLogic final {
 public:
  enum Activity : int { kTrigger = 0, kButton = 1, kSwitch = 2, kRepeat = 3, kRadio = 4, kActivityCount = 5 };
  static constexpr int kMinRate = 1;
  static constexpr int kMaxRate = 10;
  static constexpr int kMinRadio = 1;
  static constexpr int kMaxRadio = 50;
  // Macro B of "button" or "switch" when no entry is chosen.
  static constexpr int kDefaultMacroB = 1;

  // The combo entry and its type word ("trigger", ...); empty outside.
  static QString ActivityText(int index);
  static QString TypeWord(int index);
  // The combo's entry: the text, blanks up to a column shared by all five,
  // then type="word".
  static QString EntryText(int index);
  // The activity a function shows (a non-macro function reads as if its
  // second parameter were 0).
  static int ActivityOf(const CConsKey::Function& function);
  // As ActivityOf; a key without a macro function first loses its second
  // parameter.
  static int ActivityOfKey(CConsKey& key);
  // The macro A text shown in the dialog.
  static QString Description(const CConsKey& key);

  static int ClampRate(int rate);
  static int ClampRadio(int radio);

  // Gives the key the function of the activity; selectedMacroB is the chosen
  // macro B's identifier (0 none). Returns the second parameter stored.
  static int SetActivity(CConsKey& key, int index, int selectedMacroB);
  // Macro B chosen in the list.
  static void SetMacroB(CConsKey& key, int macroId);
  // A spin step: position + step clamped, stored as the second parameter.
  static int StepRate(CConsKey& key, int position, int step);
  static int StepRadio(CConsKey& key, int position, int step);

  // The key view's change flags after a change of activity index: 3 when
  // "button" or "switch" found its macro B (second target set), else 1.
  static int ChangedFlags(const CConsKey& key, int index);

 private:
  // Stores type and second parameter, first target unchanged; the second
  // target follows (macro B for MACRO with a macro and MACSWT, else none).
  static void Write(CConsKey& key, int type, int p2);
};
