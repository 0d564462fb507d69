#ifndef SELV_MACROS_CMACRODOCEXTENSION_H
#define SELV_MACROS_CMACRODOCEXTENSION_H

#include "model/idocumentextension.h"

class CSelvantisDoc;

// Keeps the document's macro pairs and virtual-controller wiring consistent
// however an object leaves the document: a deleted macro's partner forgets
// it, a deleted virtual-controller item is cleared from every row of the
// block. Holds no state.
class CMacroDocExtension final : public IDocumentExtension {
 public:
  static constexpr const char* kExtensionKey = "macros";

  explicit CMacroDocExtension(CSelvantisDoc& doc);

  void OnObjectRemoved(CBaseDevice& object) override;

  // Makes the document create its instance (extensions are made on demand).
  static void Attach(CSelvantisDoc& doc);

 private:
  CSelvantisDoc& m_doc;
};

#endif
