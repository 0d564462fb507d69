#ifndef SELV_LINK_COMMANDPATH_H
#define SELV_LINK_COMMANDPATH_H

#include <QString>

// Paths of the command language may climb out of a node with ".."
// ("/FUSE/../EVENT/PRIO_BOOT"). The unit may answer such a query with the
// path as asked or with ".." resolved ("/EVENT/PRIO_BOOT 50"): both name the
// same setting.
namespace CommandPath {

// The path with "." and ".." resolved; a ".." at the root stays at the
// root. A path without them comes back as it is.
QString Resolved(const QString& path);

// True when a and b name the same setting (equal, or equal once resolved).
bool Same(const QString& a, const QString& b);

}  // namespace CommandPath

#endif
