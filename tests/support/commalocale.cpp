#include "support/commalocale.h"

#include <clocale>
#include <cstring>

CommaLocale::CommaLocale() {
  const char* old = std::setlocale(LC_ALL, nullptr);
  m_previous = old != nullptr ? old : "C";
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "fr_FR.UTF-8", "fr_FR.utf8", "nl_NL.UTF-8",
                           "it_IT.UTF-8", "es_ES.UTF-8", "ru_RU.UTF-8"}) {
    if (std::setlocale(LC_ALL, name) != nullptr && std::strcmp(std::localeconv()->decimal_point, ",") == 0) {
      m_ok = true;
      return;
    }
  }
  std::setlocale(LC_ALL, m_previous.c_str());
}

CommaLocale::~CommaLocale() { std::setlocale(LC_ALL, m_previous.c_str()); }
