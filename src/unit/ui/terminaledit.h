#ifndef SELV_UNIT_UI_TERMINALEDIT_H
#define SELV_UNIT_UI_TERMINALEDIT_H

class QLineEdit;
class QString;

// The name edit of a slot terminal after its tick box was ticked or cleared: it shows
// the name the terminal now has and is editable only while ticked; a fresh
// tick puts the cursor in it with the whole name selected.
void ShowTickedTerminal(QLineEdit* edit, const QString& name, bool checked);

#endif
