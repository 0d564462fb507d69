#ifndef SELV_MODEL_CSCHEMAREADING_H
#define SELV_MODEL_CSCHEMAREADING_H

#include <QString>

// Classes that went back to an older record layout: they write their
// registered schema but still read the newer schemas an earlier version of
// them wrote. The archive asks here before it refuses a record as written
// by a newer program.
class CSchemaReading final {
 public:
  // The named class reads records up to schema newest; used from a static
  // initialiser of the class's .cpp. Registering a name twice keeps the
  // first.
  static bool Allow(const char* className, int newest);
  // The newest schema the named class reads: its registered schema
  // current, or a newer one allowed above.
  static int Newest(const QString& className, int current);
};

#endif
