#ifndef SELV_EDITORS_MACROS_AMPSTEPSELECTION_H
#define SELV_EDITORS_MACROS_AMPSTEPSELECTION_H

#include <QString>

#include <optional>

class CSelvantisDoc;
class QWidget;

// The selection dialog of the amplifier step editors for a kind, preset
// with the stored text; the chosen text, or nothing when not confirmed.
std::optional<QString> RunAmpSelection(QWidget* parent, const CSelvantisDoc* doc, unsigned kind, const QString& preset);

#endif
