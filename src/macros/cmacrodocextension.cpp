#include "macros/cmacrodocextension.h"

#include "macros/cmacro.h"
#include "macros/cvirtctrl.h"
#include "model/cselvantisdoc.h"

#include <memory>

namespace {

const bool kRegistered = [] {
  CSelvantisDoc::RegisterExtension(QLatin1String(CMacroDocExtension::kExtensionKey), [](CSelvantisDoc& doc) {
    return std::unique_ptr<IDocumentExtension>(new CMacroDocExtension(doc));
  });
  // Runs first among the macro subsystem's providers, on new and loaded
  // projects alike.
  CSelvantisDoc::RegisterFixedObjectProvider(569, [](CSelvantisDoc& doc) { CMacroDocExtension::Attach(doc); });
  return true;
}();

}  // namespace

CMacroDocExtension::CMacroDocExtension(CSelvantisDoc& doc) : m_doc(doc) {}

void CMacroDocExtension::Attach(CSelvantisDoc& doc) { doc.GetExtension(QLatin1String(kExtensionKey)); }

void CMacroDocExtension::OnObjectRemoved(CBaseDevice& object) {
  if (auto* macro = dynamic_cast<CMacro*>(&object)) {
    macro->Unpair();
  } else if (object.GetType() == DT_VIRTCTRLITEM) {
    if (CVirtCtrl* block = CVirtCtrl::Find(&m_doc)) block->RemoveItemLinks(object.GetID());
  }
}
