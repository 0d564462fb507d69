<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>CCommandLine</name>
    <message>
        <source>"%1" is the unit's port (%2): the output must be another file.</source>
        <translation>"%1" ist die Schnittstelle zur Zentrale (%2): die Ausgabe muss eine andere Datei sein.</translation>
    </message>
    <message>
        <source>"%1" is the program's settings file: the output must be another file.</source>
        <translation>"%1" ist die Einstellungsdatei des Programms: die Ausgabe muss eine andere Datei sein.</translation>
    </message>
    <message>
        <source>The unit's settings were not saved.</source>
        <translation>Die Einstellungen der Zentrale wurden nicht gespeichert.</translation>
    </message>
    <message>
        <source>"%1" is the project the command reads: the output must be another file.</source>
        <translation>"%1" ist das Projekt, das der Befehl liest: die Ausgabe muss eine andere Datei sein.</translation>
    </message>
    <message>
        <source>"%1" exists: --upload replaces another file only with --force.</source>
        <translation>"%1" ist vorhanden: --upload ersetzt eine andere Datei nur mit --force.</translation>
    </message>
    <message>
        <source>The list of the upload's differences cannot be written to "%1": %2</source>
        <translation>Die Liste der Unterschiede beim Lesen der Einstellungen kann nicht in "%1" geschrieben werden: %2</translation>
    </message>
</context>
<context>
    <name>COutputFile</name>
    <message>
        <source>The file has other names (hard links), which would keep its old contents if it were replaced: it is left as it is. Choose another name, or remove its other names first</source>
        <translation>Die Datei hat weitere Namen (harte Verknüpfungen), die beim Ersetzen den alten Inhalt behielten: sie bleibt, wie sie ist. Wählen Sie einen anderen Namen, oder entfernen Sie zuerst ihre anderen Namen</translation>
    </message>
    <message>
        <source>No program reads from this FIFO</source>
        <translation>Kein Programm liest aus diesem FIFO</translation>
    </message>
    <message>
        <source>Not a file the program writes to (a block device or socket)</source>
        <translation>Keine Datei, in die das Programm schreibt (ein Blockgerät oder Socket)</translation>
    </message>
</context>
<context>
    <name>CProfile</name>
    <message>
        <source>The settings file &quot;%1&quot; cannot be read: %2.
It is left as it is; the program starts with its default settings and works with them until it ends.</source>
        <translation>Die Einstellungsdatei &quot;%1&quot; kann nicht gelesen werden: %2.
Sie bleibt, wie sie ist; das Programm beginnt mit seinen Standardeinstellungen und arbeitet mit ihnen, bis es endet.</translation>
    </message>
    <message>
        <source>The settings cannot be saved in "%1":
%2

The program works with them until it ends.</source>
        <translation>Die Einstellungen können nicht in "%1" gespeichert werden:
%2

Das Programm arbeitet mit ihnen, bis es endet.</translation>
    </message>
    <message>
        <source>The settings file "%1" is not a regular file.</source>
        <translation>Die Einstellungsdatei "%1" ist keine normale Datei.</translation>
    </message>
    <message>
        <source>The settings file "%1" cannot be read: it is damaged.</source>
        <translation>Die Einstellungsdatei "%1" kann nicht gelesen werden: sie ist beschädigt.</translation>
    </message>
    <message>
        <source>It cannot be renamed; the program starts with its default settings.</source>
        <translation>Sie kann nicht umbenannt werden; das Programm startet mit seinen Standardeinstellungen.</translation>
    </message>
    <message>
        <source>It was renamed to "%1", and the program starts with its default settings.</source>
        <translation>Sie wurde in "%1" umbenannt, und das Programm startet mit seinen Standardeinstellungen.</translation>
    </message>
</context>
<context>
    <name>CSelvantisDoc</name>
    <message>
        <source>The backup "%1" cannot be written.
( %2 )

The project was not saved: "%3" stays as it was.</source>
        <translation>Die Sicherung "%1" kann nicht geschrieben werden.
( %2 )

Das Projekt wurde nicht gespeichert: "%3" bleibt, wie es war.</translation>
    </message>
    <message>
        <source>%1 (other version %2)</source>
        <translation>%1 (andere Fassung %2)</translation>
    </message>
</context>
<context>
    <name>CDocManager</name>
    <message>
        <source>The project file "%1" was no longer there: another program deleted or moved it after it was opened here.

The project has been saved anew under its name.</source>
        <translation>Die Projektdatei "%1" war nicht mehr da: ein anderes Programm hat sie gelöscht oder verschoben, nachdem sie hier geöffnet wurde.

Das Projekt wurde unter seinem Namen neu gespeichert.</translation>
    </message>
    <message>
        <source>The project file "%1" was changed by another program after it was opened here.

Yes: save this version; the other program's version is kept as "%2".
No: load the other program's version; the changes made here are dropped.
Cancel: save nothing.</source>
        <translation>Die Projektdatei "%1" wurde von einem anderen Programm geändert, nachdem sie hier geöffnet wurde.

Ja: diese Fassung speichern; die Fassung des anderen Programms bleibt als "%2" erhalten.
Nein: die Fassung des anderen Programms laden; die hier gemachten Änderungen werden verworfen.
Abbrechen: nichts speichern.</translation>
    </message>
    <message>
        <source>The other program's version cannot be kept as "%1":
%2

Nothing was saved.</source>
        <translation>Die Fassung des anderen Programms kann nicht als "%1" erhalten werden:
%2

Es wurde nichts gespeichert.</translation>
    </message>
</context>
<context>
    <name>CDrawingPdf</name>
    <message>
        <source>The print-out could not be completed.</source>
        <translation>Der Ausdruck konnte nicht fertiggestellt werden.</translation>
    </message>
</context>
</TS>
