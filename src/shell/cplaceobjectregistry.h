#ifndef SELV_SHELL_CPLACEOBJECTREGISTRY_H
#define SELV_SHELL_CPLACEOBJECTREGISTRY_H

#include <QPoint>
#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

class CBaseDevice;
class CSelvantisDoc;

// The classes the user can place on the drawing from the "place new
// object" menu. Each area registers its classes (usually from a static
// initialiser), so the drawing view never names a model class.
class CPlaceObjectRegistry final {
 public:
  // Makes the object in the document and returns it, or null when it could
  // not be made (the maker has told the user). Place brings it to the point
  // (canvas units) afterwards, wherever the maker put it.
  using Maker = std::function<CBaseDevice*(CSelvantisDoc& doc, const QPoint& at)>;

  struct Entry {
    QString group;             // submenu text ("" for the top level)
    uint32_t groupTextId = 0;  // string-table id of the submenu text, or 0
    uint32_t textId = 0;       // string-table id of the entry's text, or 0
    QString text;              // used when textId is 0 or has no text
    int type = 0;              // object type code, for the project's limits
    int kind = 0;
    int order = 0;  // position among the entries, ascending
    Maker make;     // null: the document's factory of (type, kind)
  };

  // Adds an entry; returns true so it can initialise a static.
  static bool Register(Entry entry);
  // The entries sorted by order, then registration; a group named by a
  // string id has its text in the current language (the entries register
  // before the profile's language is known).
  static std::vector<Entry> Entries();
  static int Count();
  static void Clear();
  // The entry's text in the current language.
  static QString TextOf(const Entry& entry);
  // Makes entry index with its top-left corner at the point, or at the
  // nearest free place from there; null for a bad index or a failure.
  static CBaseDevice* Place(int index, CSelvantisDoc& doc, const QPoint& at);
  // Whether the document can take one more object of the entry's type.
  static bool CanPlace(int index, const CSelvantisDoc& doc);
};

#endif
