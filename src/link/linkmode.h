#ifndef SELV_LINK_LINKMODE_H
#define SELV_LINK_LINKMODE_H

// Where the link hands reply lines.
enum LinkMode : int {
  LINKMODE_NONE = 0,         // shown in the protocol monitor only
  LINKMODE_NORMAL = 4,       // lines starting with "/" go to the document's reply routing
  LINKMODE_UPLOAD = 7,       // as NORMAL, echoed queries (value "?") dropped
  LINKMODE_DOWNLOAD = 8,     // not routed; the unit's macro lock is on
  LINKMODE_COMMANDLIST = 16  // collected for the window that sent a command list
};

#endif
