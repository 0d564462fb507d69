#include "model/cschemareading.h"

#include <algorithm>
#include <map>

namespace {

std::map<QString, int>& Allowed() {
  // Built on first use: classes register from static initialisers of other
  // files, in an order no one controls.
  static std::map<QString, int> allowed;
  return allowed;
}

}  // namespace

bool CSchemaReading::Allow(const char* className, int newest) {
  return Allowed().emplace(QString::fromLatin1(className), newest).second;
}

int CSchemaReading::Newest(const QString& className, int current) {
  auto it = Allowed().find(className);
  return it == Allowed().end() ? current : std::max(current, it->second);
}
