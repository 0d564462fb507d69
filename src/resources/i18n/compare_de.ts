<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>CCommandLine</name>
    <message>
        <source>"%1" is not an option: a project is named after the option that acts on it.</source>
        <translation>"%1" ist keine Option: ein Projekt wird hinter der Option genannt, die damit arbeitet.</translation>
    </message>
    <message>
        <source>"selvantis --help" lists the options.</source>
        <translation>"selvantis --help" nennt die Optionen.</translation>
    </message>
    <message>
        <source>%1 %2 is no line setting: a number from %3 to %4.</source>
        <translation>%1 %2 ist keine Leitungseinstellung: eine Zahl von %3 bis %4.</translation>
    </message>
    <message>
        <source>%1 needs -o and the name of the PDF file.</source>
        <translation>%1 braucht -o und den Namen der PDF-Datei.</translation>
    </message>
    <message>
        <source>%1 needs -o and the name of the new project file.</source>
        <translation>%1 braucht -o und den Namen der neuen Projektdatei.</translation>
    </message>
    <message>
        <source>--parity %1 is no line setting: none, even, odd, mark or space.</source>
        <translation>--parity %1 ist keine Leitungseinstellung: none, even, odd, mark oder space.</translation>
    </message>
    <message>
        <source>Only one of %1 and %2 can be given.</source>
        <translation>Nur eine der Optionen %1 und %2 ist möglich.</translation>
    </message>
    <message>
        <source>Say what to do: --export-commands, --download, --upload, --compare or --print.</source>
        <translation>Was soll geschehen? --export-commands, --download, --upload, --compare oder --print.</translation>
    </message>
    <message>
        <source>The differences cannot be written to "%1":
%2</source>
        <translation>Die Unterschiede können nicht in "%1" geschrieben werden:
%2</translation>
    </message>
    <message>
        <source>The drawing cannot be written to "%1":
%2</source>
        <translation>Die Zeichnung kann nicht in "%1" geschrieben werden:
%2</translation>
    </message>
    <message>
        <source>The folder of "%1" does not exist.</source>
        <translation>Den Ordner von "%1" gibt es nicht.</translation>
    </message>
    <message>
        <source>The option %1 has no use with %2.</source>
        <translation>Die Option %1 hat bei %2 keine Bedeutung.</translation>
    </message>
    <message>
        <source>The option %1 is given twice.</source>
        <translation>Die Option %1 ist doppelt angegeben.</translation>
    </message>
    <message>
        <source>The option %1 needs a value.</source>
        <translation>Die Option %1 braucht einen Wert.</translation>
    </message>
    <message>
        <source>The output cannot be written: %1</source>
        <translation>Die Ausgabe kann nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <source>The project is in the unit.</source>
        <translation>Das Projekt ist in der Zentrale.</translation>
    </message>
    <message>
        <source>The unit's settings are in "%1".</source>
        <translation>Die Einstellungen der Zentrale sind in "%1".</translation>
    </message>
    <message>
        <source>The upload noted differences: "%1" lists them.</source>
        <translation>Das Lesen der Einstellungen hat Unterschiede festgestellt: "%1" nennt sie.</translation>
    </message>
    <message>
        <source>This program cannot draw.</source>
        <translation>Dieses Programm kann nicht zeichnen.</translation>
    </message>
    <message>
        <source>Unknown language "%1": de or en.</source>
        <translation>Unbekannte Sprache "%1": de oder en.</translation>
    </message>
    <message>
        <source>Unknown option "%1".</source>
        <translation>Unbekannte Option "%1".</translation>
    </message>
    <message>
        <source>Usage: selvantis [--verbose] [PROJECT.sxm ...]
       selvantis --export-commands PROJECT [-o FILE]
       selvantis --download PROJECT [--port DEVICE] [--save]
       selvantis --upload PROJECT [--port DEVICE] -o NEWFILE [--force]
       selvantis --compare PROJECT [--port DEVICE] [-o FILE]
       selvantis --print PROJECT -o FILE.pdf

Without options the program opens its window with the projects named.

  --export-commands PROJECT  the project's download as command text
  --download PROJECT         the whole project into the unit
  --save                     with --download: the unit keeps the new settings
                             ("/SERVICE/START FASTSAVE" after a confirmed download)
  --upload PROJECT           the unit's settings into the new project file NEWFILE
  --compare PROJECT          compare the project with the unit: the differences
                             as tab-separated text, the verdict on the error output
  --print PROJECT            the drawing and the object tables as a PDF file
  -o FILE                    the file to write (without it: the standard output);
                             never the unit's port nor a file the command reads,
                             but --upload may save over its project (the old one
                             becomes the backup). A file is replaced only when
                             the new one is complete; a device or FIFO is written to
  --force                    lets --upload replace an existing file other than
                             the project
  --port DEVICE              the unit's serial port; without it the profile's port,
                             else the first the system has, USB adapters first
                             (now %1)
  --baud N, --parity none|even|odd|mark|space, --data-bits 5..8, --stop-bits 1|2
                             the line settings (now %2)
  --language de|en           the language of the messages (now the profile's)
  --verbose                  also the program's log on the error output (the
                             window's too)
  --help                     this text
  --version                  the program's version

Exit status: 0 done (--compare: the unit holds the project), 1 the unit differs
from the project, 2 could not be done (the message says why).
</source>
        <translation>Aufruf: selvantis [--verbose] [PROJEKT.sxm ...]
        selvantis --export-commands PROJEKT [-o DATEI]
        selvantis --download PROJEKT [--port GERÄT] [--save]
        selvantis --upload PROJEKT [--port GERÄT] -o NEUEDATEI [--force]
        selvantis --compare PROJEKT [--port GERÄT] [-o DATEI]
        selvantis --print PROJEKT -o DATEI.pdf

Ohne Optionen öffnet das Programm sein Fenster mit den genannten Projekten.

  --export-commands PROJEKT  das Senden des Projekts zur Zentrale als Befehlstext
  --download PROJEKT         das ganze Projekt zur Zentrale senden
  --save                     mit --download: die Zentrale behält die neuen Einstellungen
                             ("/SERVICE/START FASTSAVE" nach einem bestätigten Senden)
  --upload PROJEKT           die Einstellungen der Zentrale in die neue Projektdatei
                             NEUEDATEI lesen
  --compare PROJEKT          das Projekt mit der Zentrale vergleichen: die Unterschiede
                             als Text mit Tabulatoren, das Ergebnis auf der Fehlerausgabe
  --print PROJEKT            die Zeichnung und die Objekttabellen als PDF-Datei
  -o DATEI                   die Datei, die geschrieben wird (ohne: die Standardausgabe);
                             nie die Schnittstelle zur Zentrale und nie eine Datei,
                             die der Befehl liest, doch --upload darf sein Projekt
                             überschreiben (das alte wird zur Sicherung). Eine Datei
                             wird erst ersetzt, wenn die neue vollständig ist; in ein
                             Gerät oder ein FIFO wird direkt geschrieben
  --force                    erlaubt --upload, eine andere vorhandene Datei als das
                             Projekt zu ersetzen
  --port GERÄT               die serielle Schnittstelle der Zentrale; ohne sie die des
                             Profils, sonst die erste des Systems, USB-Adapter zuerst
                             (jetzt %1)
  --baud N, --parity none|even|odd|mark|space, --data-bits 5..8, --stop-bits 1|2
                             die Leitungseinstellungen (jetzt %2)
  --language de|en           die Sprache der Meldungen (jetzt die des Profils)
  --verbose                  auch das Protokoll des Programms auf der Fehlerausgabe
                             (auch im Fenster)
  --help                     dieser Text
  --version                  die Version des Programms

Rückgabewert: 0 erledigt (--compare: die Zentrale enthält das Projekt), 1 die Zentrale
weicht vom Projekt ab, 2 nicht möglich (die Meldung sagt, warum).
</translation>
    </message>
</context>
<context>
    <name>CCompareReport</name>
    <message>
        <source>Command form (project / unit)</source>
        <translation>Befehlsform (Projekt / Zentrale)</translation>
    </message>
    <message>
        <source>In the project</source>
        <translation>Im Projekt</translation>
    </message>
    <message>
        <source>Taken as cleared, as the download clears them and leaves unused entries out: %1.</source>
        <translation>Als gelöscht angenommen, da das Senden zur Zentrale sie löscht und unbenutzte Einträge auslässt: %1.</translation>
    </message>
    <message>
        <source>The %1 rows listed are partial: they come from the part read before the stop.</source>
        <translation>Die %1 aufgeführten Zeilen sind unvollständig: sie stammen aus dem Teil, der vor dem Abbruch gelesen wurde.</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Object</source>
        <translation>Objekt</translation>
    </message>
    <message>
        <source>On the unit</source>
        <translation>In der Zentrale</translation>
    </message>
    <message>
        <source>Setting</source>
        <translation>Einstellung</translation>
    </message>
    <message>
        <source>Settings not answered: %1.</source>
        <translation>Nicht beantwortete Einstellungen: %1.</translation>
    </message>
    <message>
        <source>Settings not compared, as the upload does not read them: %1.</source>
        <translation>Nicht verglichene Einstellungen, da das Lesen von der Zentrale sie nicht erfasst: %1.</translation>
    </message>
    <message>
        <source>The comparison stopped at %1 % of the upload (%2 of %3 settings read): %4. The unit was not read completely, so there is no verdict.</source>
        <translation>Der Vergleich endete bei %1 % des Lesens von der Zentrale (%2 von %3 Einstellungen gelesen): %4. Die Zentrale wurde nicht vollständig gelesen, daher gibt es kein Ergebnis.</translation>
    </message>
    <message>
        <source>The unit differs from this project: differences in %1 of %2 settings compared.</source>
        <translation>Die Zentrale weicht von diesem Projekt ab: Unterschiede in %1 von %2 verglichenen Einstellungen.</translation>
    </message>
    <message>
        <source>The unit holds this project: %1 settings compared, no difference.</source>
        <translation>Die Zentrale enthält dieses Projekt: %1 Einstellungen verglichen, kein Unterschied.</translation>
    </message>
    <message>
        <source>not answered</source>
        <translation>nicht beantwortet</translation>
    </message>
</context>
<context>
    <name>CCompareWnd</name>
    <message>
        <source>&amp;Export...</source>
        <translation>&amp;Exportieren...</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>&amp;Drucken...</translation>
    </message>
    <message>
        <source>Compare with the unit: %1</source>
        <translation>Mit Zentrale vergleichen: %1</translation>
    </message>
</context>
<context>
    <name>CLinkPanel</name>
    <message>
        <source>Compare with the unit</source>
        <translation>Mit Zentrale vergleichen</translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <source>Co&amp;mpare with unit</source>
        <translation>Mit Zentrale ver&amp;gleichen</translation>
    </message>
</context>
<context>
    <name>CTerminalProgress</name>
    <message>
        <source>%1 %   %2 of %3 lines   %4 left</source>
        <translation>%1 %   %2 von %3 Zeilen   noch %4</translation>
    </message>
</context>
<context>
    <name>CUnitCompare</name>
    <message>
        <source>Alarm generator</source>
        <translation>Alarmgenerator</translation>
    </message>
    <message>
        <source>Amplifier</source>
        <translation>Verstärker</translation>
    </message>
    <message>
        <source>Amplifier table</source>
        <translation>Verstärkertabelle</translation>
    </message>
    <message>
        <source>Appointment</source>
        <translation>Termin</translation>
    </message>
    <message>
        <source>Audio</source>
        <translation>Audio</translation>
    </message>
    <message>
        <source>Audio input slot</source>
        <translation>Audio-Eingangssteckplatz</translation>
    </message>
    <message>
        <source>Audio output slot</source>
        <translation>Audio-Ausgangssteckplatz</translation>
    </message>
    <message>
        <source>Audio signal</source>
        <translation>Audiosignal</translation>
    </message>
    <message>
        <source>Audio source</source>
        <translation>Audioquelle</translation>
    </message>
    <message>
        <source>Backup amplifiers</source>
        <translation>Reserveverstärker</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>Kalender</translation>
    </message>
    <message>
        <source>Card</source>
        <translation>Karte</translation>
    </message>
    <message>
        <source>Central unit</source>
        <translation>Zentrale</translation>
    </message>
    <message>
        <source>Chime generator</source>
        <translation>Gonggenerator</translation>
    </message>
    <message>
        <source>Clock</source>
        <translation>Uhr</translation>
    </message>
    <message>
        <source>Collection call</source>
        <translation>Sammelruf</translation>
    </message>
    <message>
        <source>Collective fault</source>
        <translation>Sammelstörung</translation>
    </message>
    <message>
        <source>Condition</source>
        <translation>Bedingung</translation>
    </message>
    <message>
        <source>Conditions</source>
        <translation>Bedingungen</translation>
    </message>
    <message>
        <source>Console</source>
        <translation>Sprechstelle</translation>
    </message>
    <message>
        <source>Consoles</source>
        <translation>Sprechstellen</translation>
    </message>
    <message>
        <source>Control pad</source>
        <translation>Steuerfeld</translation>
    </message>
    <message>
        <source>Day program</source>
        <translation>Tagesprogramm</translation>
    </message>
    <message>
        <source>Digital slot</source>
        <translation>Digitalsteckplatz</translation>
    </message>
    <message>
        <source>Event log</source>
        <translation>Ereignisprotokoll</translation>
    </message>
    <message>
        <source>Fuses</source>
        <translation>Sicherungen</translation>
    </message>
    <message>
        <source>Group</source>
        <translation>Gruppe</translation>
    </message>
    <message>
        <source>Holiday</source>
        <translation>Feiertag</translation>
    </message>
    <message>
        <source>Interface slot</source>
        <translation>Schnittstellensteckplatz</translation>
    </message>
    <message>
        <source>LAN group</source>
        <translation>LAN-Gruppe</translation>
    </message>
    <message>
        <source>Logic output</source>
        <translation>Logikausgang</translation>
    </message>
    <message>
        <source>Logic outputs</source>
        <translation>Logikausgänge</translation>
    </message>
    <message>
        <source>Macro</source>
        <translation>Makro</translation>
    </message>
    <message>
        <source>Macros</source>
        <translation>Makros</translation>
    </message>
    <message>
        <source>Memo flag</source>
        <translation>Merker</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Nachricht</translation>
    </message>
    <message>
        <source>Message recorder</source>
        <translation>Nachrichtenspeicher</translation>
    </message>
    <message>
        <source>Module</source>
        <translation>Modul</translation>
    </message>
    <message>
        <source>Monitor</source>
        <translation>Überwachung</translation>
    </message>
    <message>
        <source>Object</source>
        <translation>Objekt</translation>
    </message>
    <message>
        <source>Pilot tone generator</source>
        <translation>Pilottongenerator</translation>
    </message>
    <message>
        <source>Power management</source>
        <translation>Energieverwaltung</translation>
    </message>
    <message>
        <source>Ready input</source>
        <translation>Bereitschaftseingang</translation>
    </message>
    <message>
        <source>Ready inputs</source>
        <translation>Bereitschaftseingänge</translation>
    </message>
    <message>
        <source>Relay</source>
        <translation>Relais</translation>
    </message>
    <message>
        <source>Relay topology</source>
        <translation>Relaistopologie</translation>
    </message>
    <message>
        <source>Trigger</source>
        <translation>Trigger</translation>
    </message>
    <message>
        <source>Triggers</source>
        <translation>Trigger</translation>
    </message>
    <message>
        <source>Virtual controller</source>
        <translation>Virtueller Regler</translation>
    </message>
    <message>
        <source>Virtual controllers</source>
        <translation>Virtuelle Regler</translation>
    </message>
    <message>
        <source>Weekly program</source>
        <translation>Wochenprogramm</translation>
    </message>
    <message>
        <source>Zone</source>
        <translation>Zone</translation>
    </message>
    <message>
        <source>Zone test</source>
        <translation>Zonentest</translation>
    </message>
    <message>
        <source>another transfer was running</source>
        <translation>eine andere Übertragung lief</translation>
    </message>
    <message>
        <source>cancelled</source>
        <translation>abgebrochen</translation>
    </message>
    <message>
        <source>the connection to the unit was lost</source>
        <translation>die Verbindung zur Zentrale ist unterbrochen</translation>
    </message>
    <message>
        <source>the copy of the project went away</source>
        <translation>die Kopie des Projekts ist verloren gegangen</translation>
    </message>
    <message>
        <source>the project could not be copied: %1</source>
        <translation>das Projekt ließ sich nicht kopieren: %1</translation>
    </message>
    <message>
        <source>the unit is not connected</source>
        <translation>die Zentrale ist nicht verbunden</translation>
    </message>
    <message>
        <source>the unit stopped answering</source>
        <translation>die Zentrale antwortet nicht mehr</translation>
    </message>
</context>
</TS>
