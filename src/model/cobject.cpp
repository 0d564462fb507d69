#include "model/cobject.h"

void CObject::Serialize(CArchive&) {}

bool CRuntimeClass::Register(const char* name, int schema, Factory factory) {
  return Registry().emplace(QString::fromLatin1(name), Entry{schema, std::move(factory)}).second;
}

CObject* CRuntimeClass::CreateObject(const QString& name) {
  auto it = Registry().find(name);
  return it == Registry().end() ? nullptr : it->second.factory();
}

int CRuntimeClass::GetSchema(const QString& name) {
  auto it = Registry().find(name);
  return it == Registry().end() ? -1 : it->second.schema;
}

bool CRuntimeClass::IsRegistered(const QString& name) { return Registry().count(name) != 0; }

std::map<QString, CRuntimeClass::Entry>& CRuntimeClass::Registry() {
  // Built on first use: classes register from static initialisers of other
  // files, in an order no one controls.
  static std::map<QString, Entry> registry;
  return registry;
}
