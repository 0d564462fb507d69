#ifndef SELV_MODEL_COBJECT_H
#define SELV_MODEL_COBJECT_H

#include <QString>

#include <functional>
#include <map>

class CArchive;

// Base of every object that is stored in a project file as an object record.
// A class stores its record with Serialize; CArchive::WriteObject writes the
// class name and the class's schema in front of it, and ReadObject creates the
// object by name through CRuntimeClass before calling Serialize.
class CObject {
 public:
  CObject() = default;
  CObject(const CObject&) = delete;
  CObject& operator=(const CObject&) = delete;
  virtual ~CObject() = default;

  virtual void Serialize(CArchive& ar);
  // The registered class name ("CZone") written into object records.
  virtual const char* GetClassName() const = 0;
};

// Run-time class registry: class name -> schema and factory.
class CRuntimeClass final {
 public:
  using Factory = std::function<CObject*()>;

  // Registers a class; used by the SELV_SERIAL macro from a static
  // initialiser. Registering a name twice keeps the first.
  static bool Register(const char* name, int schema, Factory factory);
  // Creates an object of the named class, or null for an unknown name.
  static CObject* CreateObject(const QString& name);
  // The current schema of the named class, or -1 for an unknown name.
  static int GetSchema(const QString& name);
  static bool IsRegistered(const QString& name);

 private:
  struct Entry {
    int schema;
    Factory factory;
  };
  static std::map<QString, Entry>& Registry();
};

// In a class declaration: SELV_DECLARE_SERIAL(CZone)
#define SELV_DECLARE_SERIAL(cls)                                   \
 public:                                                           \
  static constexpr const char* kClassName = #cls;                  \
  const char* GetClassName() const override { return kClassName; } \
                                                                   \
 private:

// In the class's .cpp: SELV_IMPLEMENT_SERIAL(CZone, 5) with the current schema.
#define SELV_IMPLEMENT_SERIAL(cls, schema)                                                                     \
  namespace {                                                                                                  \
  const bool cls##_registered = CRuntimeClass::Register(#cls, schema, []() -> CObject* { return new cls(); }); \
  }                                                                                                            \
  int cls##_CurrentSchema() { return schema; }

#endif
