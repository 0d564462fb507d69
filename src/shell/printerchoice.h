#ifndef SELV_SHELL_PRINTERCHOICE_H
#define SELV_SHELL_PRINTERCHOICE_H

class QPrinter;
class QWidget;

// Asks where a window's print-out goes: the program's printer (keeping the
// choices of Print Setup) while there is a main window, else fallback. Only
// the whole print-out is offered, on a printer. Null when cancelled.
QPrinter* ChoosePrinter(QWidget* parent, QPrinter& fallback);

#endif
