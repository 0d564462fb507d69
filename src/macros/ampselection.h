#ifndef SELV_MACROS_AMPSELECTION_H
#define SELV_MACROS_AMPSELECTION_H

#include "model/cselectionprovider.h"

#include <QString>

#include <cstdint>

class CSelvantisDoc;

// What the amplifier macros choose in the selection dialog: the amplifier
// supply macro a set of amplifiers ("/PARAM/ADR", parameter 59), the
// amplifier mute macro a set of amplifier channels ("/PARAM/CHAN",
// parameter 58). Both kinds always allow several choices and offer "All"
// first, then the addressable amplifiers in bus-address order (or their
// channels). The text handed back is what the macro stores and sends: "ALL",
// "NONE", or a range list: bus addresses in hexadecimal ("0-2,a"), global
// channel numbers in decimal from 1 ("1-4,9"). The caller's text (the
// macro's display text: "All", "No entry" or the list) preselects the rows.
namespace AmpSelection {

constexpr uint32_t kKindAmplifiers = 34376;   // "Amplifier configuration"
constexpr uint32_t kKindAmpChannels = 34488;  // "Amplifier Channels"
// The number of the "All" row.
constexpr int kAllNumber = -1;

SelectionList ListAmplifiers(const CSelvantisDoc* doc, const SelectionRequest& request);
SelectionList ListAmpChannels(const CSelvantisDoc* doc, const SelectionRequest& request);

}  // namespace AmpSelection

#endif
