#ifndef SELV_MODEL_COMMANDIDS_H
#define SELV_MODEL_COMMANDIDS_H

// Command ids of the object command range (33000..33333) that the base
// object and the document handle. Classes add their own ids beside them.
enum ObjectCommandId : int {
  ID_OBJECT_FIRST = 33000,
  ID_DELETE_OBJECT = 33001,    // "Delete this object"
  ID_SHOW_PROPERTIES = 33002,  // "Show properties of this object"
  ID_DEVICE_DOWNLOAD = 33179,
  ID_DEVICE_UPLOAD = 33180,
  ID_OBJECT_LAST = 33333
};

inline bool IsObjectCommand(int id) noexcept { return id >= ID_OBJECT_FIRST && id <= ID_OBJECT_LAST; }

#endif
