#ifndef SELV_MACROS_CMACROOBJECT_H
#define SELV_MACROS_CMACROOBJECT_H

#include "model/cbasedevice.h"

#include <QString>
#include <QStringList>

// The macro block (one per project, identifier 1, path "/MACRO"): steps the
// download and upload of all macros. Step 0 clears the unit's macros, step k
// (1..250) sends or queries the lines of the macro with identifier k, one line
// per call; identifiers without a macro are skipped. Owns no macro.
class CMacroObject final : public CBaseDevice {
  SELV_DECLARE_SERIAL(CMacroObject)

 public:
  static constexpr int kStepCount = 253;
  static constexpr int kClearStep = 0;
  static constexpr int kFirstMacroStep = 1;
  static constexpr int kLastMacroStep = 250;
  // Profile value (section "VMX7000") telling that the unit knows the clear
  // command of its macros.
  static constexpr const char* kClearCapability = "MACRO_CLR";
  // The clear key under the block path with the clear token as its value.
  static constexpr const char* kClearLine = "/MACRO/CLEAR MACRO_CLR";

  CMacroObject();

  void Serialize(CArchive& ar) override;

  // -1 resets the step state and returns 253. Step 0 sends the clear line
  // (downloads only, and only to a unit that knows it); step k sends the
  // next line of macro k and returns k while lines of it are left; steps 251
  // and 252 send nothing. Returns the same step while the link's output
  // buffer is full, -1 after the last step.
  int Download(bool bQuery, int nStep) override;
  // Replies under "/MACRO" that no macro took (an identifier the project
  // lacks) are noted in the error file.
  bool Upload(const QString& line, QString& errorFilePath, int mode) override;

  // The block of the document, created by the default system.
  static CMacroObject* Find(const CSelvantisDoc* doc);

 protected:
  QString BuildCommandPath() const override;

 private:
  int m_pendingStep = -1;
  QStringList m_pendingLines;
};

#endif
