#ifndef SELV_MODEL_IDOCUMENTEXTENSION_H
#define SELV_MODEL_IDOCUMENTEXTENSION_H

class CBaseDevice;
class CSelvantisDoc;

// State that a later subsystem keeps per document beside the objects (the
// relay manager, for one). A class registers a factory with
// CSelvantisDoc::RegisterExtension; every document then makes one instance
// and owns it. Its state is rebuilt from the objects (OnAfterLoad of the
// objects, or Reset), never stored in the project file by the document.
class IDocumentExtension {
 public:
  virtual ~IDocumentExtension() = default;
  // The document's contents go away (new project, a project loaded in
  // place of the old one): forget everything.
  virtual void Reset() {}
  // An object is about to leave the document.
  virtual void OnObjectRemoved(CBaseDevice& object) { (void)object; }
};

#endif
