#ifndef SELV_LOGIC_LOGICLINKS_H
#define SELV_LOGIC_LOGICLINKS_H

#include <QString>

#include <memory>

class CBaseDevice;
class CSelvantisDoc;

// Links of the logic objects: a reference to another object is a connection
// from the peer's output pin 0 to one of the object's input pins. Input pins
// beyond the drawn pin count are normal here.

// The object of the given type connected to input pin pin, or null.
CBaseDevice* GetLinkedInput(const CBaseDevice& self, int pin, int type);
// Its identifier, 0 when none.
int GetLinkedInputID(const CBaseDevice& self, int pin, int type);
// Its name, "" when none.
QString GetLinkedInputName(const CBaseDevice& self, int pin, int type);
// Removes every connection of input pin pin, then connects the object of
// the type with identifier id (output 0) to it. Returns the peer, or null
// when id is 0 or no such object exists (the pin is then left free).
CBaseDevice* SetLinkedInput(CBaseDevice& self, int pin, int type, int id);

// The object of the type and identifier in doc; when there is none, a
// placeholder named "%d *" is created under that identifier (conditions and
// macros, the two kinds other objects refer to before they are defined).
// Null when doc is null, the identifier is outside the pool, or the type
// cannot be created here.
CBaseDevice* FindOrCreatePlaceholder(CSelvantisDoc* doc, int type, int id);

// Enters an entry an upload found on the unit under identifier id: set up
// with CreateWithID (kind, category), named "<baseName> <id>" (made unique)
// and added to doc. Null (the object freed) when the identifier cannot be
// taken.
CBaseDevice* AdoptUploadedEntry(CSelvantisDoc* doc, std::unique_ptr<CBaseDevice> object, int kind, int id, int category,
                                const QString& baseName);

// Control pads as the unit names them: keyword and number.
QString PadKeyword(const CBaseDevice* pad);
int PadNumber(const CBaseDevice* pad);

#endif
