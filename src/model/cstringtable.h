#ifndef SELV_MODEL_CSTRINGTABLE_H
#define SELV_MODEL_CSTRINGTABLE_H

#include <QString>

#include <cstdint>
#include <vector>

// The application's string table: texts by numeric id in German and English.
// German is built in; the English table is a separate resource file loaded at
// start-up when the profile's "Settings"/"Language" is not "German".
class CStringTable final {
 public:
  enum class Language { German, English };

  // Chooses the language; English loads its table on first use.
  static void SetLanguage(Language language);
  static Language GetLanguage();
  // "German" -> German, anything else -> English.
  static Language LanguageFromProfileValue(const QString& value);

  // The text of id in the current language; an empty text for an unknown id.
  static QString Load(uint32_t id);
  static QString Load(uint32_t id, Language language);
  static bool Has(uint32_t id, Language language);
  // Every id the table of language holds, ascending.
  static std::vector<uint32_t> Ids(Language language);
};

// Shorthand used throughout the program.
inline QString LoadString(uint32_t id) { return CStringTable::Load(id); }

#endif
