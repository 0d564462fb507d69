<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>CAboutDlg</name>
    <message>
        <source>About Selvantis</source>
        <translation>Über Selvantis</translation>
    </message>
    <message>
        <source>Selvantis %1

Design, configuration and service of the VMX 7000
public-address and voice-alarm system.</source>
        <translation>Selvantis %1

Planung, Konfiguration und Service der VMX 7000
Beschallungs- und Sprachalarmanlage.</translation>
    </message>
</context>
<context>
    <name>CAmplifierMenu</name>
    <message>
        <source>Relay topology</source>
        <translation>Relaistopologie</translation>
    </message>
</context>
<context>
    <name>CAmpsMenu</name>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
</context>
<context>
    <name>CArchive</name>
    <message>
        <source>(at byte %1)</source>
        <translation>(bei Byte %1)</translation>
    </message>
    <message>
        <source>The file cannot be read.</source>
        <translation>Die Datei kann nicht gelesen werden.</translation>
    </message>
    <message>
        <source>The file ends too early.</source>
        <translation>Die Datei endet zu früh.</translation>
    </message>
    <message>
        <source>The file cannot be written.</source>
        <translation>Die Datei kann nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>Writing the file failed: %1</source>
        <translation>Das Schreiben der Datei ist fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>A text is longer than the rest of the file.</source>
        <translation>Ein Text ist länger als der Rest der Datei.</translation>
    </message>
    <message>
        <source>A count of %1 items does not fit in the rest of the file.</source>
        <translation>Eine Anzahl von %1 Einträgen passt nicht in den Rest der Datei.</translation>
    </message>
    <message>
        <source>The class %1 cannot be stored: it is not registered.</source>
        <translation>Die Klasse %1 kann nicht gespeichert werden: sie ist nicht registriert.</translation>
    </message>
    <message>
        <source>Too many classes in one file.</source>
        <translation>Zu viele Klassen in einer Datei.</translation>
    </message>
    <message>
        <source>The file holds an object of the unknown class &quot;%1&quot;.</source>
        <translation>Die Datei enthält ein Objekt der unbekannten Klasse &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>An object refers to a class not defined before.</source>
        <translation>Ein Objekt verweist auf eine Klasse, die vorher nicht definiert wurde.</translation>
    </message>
    <message>
        <source>The file holds an invalid object record.</source>
        <translation>Die Datei enthält einen ungültigen Objektdatensatz.</translation>
    </message>
    <message>
        <source>The file was written by a newer program version (%1, version %2; this program reads up to %3).</source>
        <translation>Die Datei wurde von einer neueren Programmversion geschrieben (%1, Version %2; dieses Programm liest bis %3).</translation>
    </message>
    <message>
        <source>Objects are nested too deeply.</source>
        <translation>Objekte sind zu tief verschachtelt.</translation>
    </message>
    <message>
        <source>An object of the class &quot;%1&quot; cannot be created.</source>
        <translation>Ein Objekt der Klasse &quot;%1&quot; kann nicht angelegt werden.</translation>
    </message>
    <message>
        <source>A forward reference cannot be written to a sequential device.</source>
        <translation>Ein Vorwärtsverweis kann nicht auf ein sequentielles Gerät geschrieben werden.</translation>
    </message>
    <message>
        <source>A reference points to object %1, but the file holds only %2.</source>
        <translation>Ein Verweis zeigt auf Objekt %1, die Datei enthält aber nur %2.</translation>
    </message>
</context>
<context>
    <name>CCommLink</name>
    <message>
        <source>The serial port %1 cannot be opened.
( %2 )</source>
        <translation>Die serielle Schnittstelle %1 kann nicht geöffnet werden.
( %2 )</translation>
    </message>
    <message>
        <source>Port %1 open</source>
        <translation>Schnittstelle %1 offen</translation>
    </message>
    <message>
        <source>The connection to the unit on %1 was lost while connecting.</source>
        <translation>Die Verbindung zur Zentrale an %1 ging beim Verbinden verloren.</translation>
    </message>
    <message>
        <source>No answer</source>
        <translation>Keine Antwort</translation>
    </message>
    <message>
        <source>The unit does not answer on %1.
Check the cable and the port settings.</source>
        <translation>Die Zentrale antwortet nicht an %1.
Prüfen Sie das Kabel und die Einstellungen der Schnittstelle.</translation>
    </message>
    <message>
        <source>Port closed</source>
        <translation>Schnittstelle geschlossen</translation>
    </message>
    <message>
        <source>The last lines could not be sent</source>
        <translation>Die letzten Zeilen konnten nicht gesendet werden</translation>
    </message>
    <message>
        <source>The connection to the unit was lost.
( %1 )</source>
        <translation>Die Verbindung zur Zentrale ist verloren gegangen.
( %1 )</translation>
    </message>
</context>
<context>
    <name>CCommandFile</name>
    <message>
        <source>The command file &quot;%1&quot; cannot be written:
%2</source>
        <translation>Die Befehlsdatei &quot;%1&quot; kann nicht geschrieben werden:
%2</translation>
    </message>
    <message>
        <source>The command file &quot;%1&quot; cannot be opened:
%2</source>
        <translation>Die Befehlsdatei &quot;%1&quot; kann nicht geöffnet werden:
%2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is too large for a command file.</source>
        <translation>&quot;%1&quot; ist zu groß für eine Befehlsdatei.</translation>
    </message>
</context>
<context>
    <name>CConnectionsDlg</name>
    <message>
        <source>Connections</source>
        <translation>Verbindungen</translation>
    </message>
    <message>
        <source>Input</source>
        <translation>Eingang</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>Ausgang</translation>
    </message>
    <message>
        <source>Direction</source>
        <translation>Richtung</translation>
    </message>
    <message>
        <source>Pin</source>
        <translation>Anschluss</translation>
    </message>
    <message>
        <source>Connected to</source>
        <translation>Verbunden mit</translation>
    </message>
    <message>
        <source>Its pin</source>
        <translation>Dessen Anschluss</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>Kategorie</translation>
    </message>
</context>
<context>
    <name>CConsolePlacement</name>
    <message>
        <source>Consoles</source>
        <translation>Sprechstellen</translation>
    </message>
</context>
<context>
    <name>CDocManager</name>
    <message>
        <source>Project%1</source>
        <translation>Projekt%1</translation>
    </message>
    <message>
        <source>The project &quot;%1&quot; is open in another window.
Close it first or choose another name.</source>
        <translation>Das Projekt &quot;%1&quot; ist in einem anderen Fenster geöffnet.
Schließen Sie es zuerst oder wählen Sie einen anderen Namen.</translation>
    </message>
    <message>
        <source>Save changes to %1?</source>
        <translation>Änderungen an %1 speichern?</translation>
    </message>
</context>
<context>
    <name>CDrawingPrintJob</name>
    <message>
        <source>The printer or file cannot be written to.</source>
        <translation>Auf den Drucker oder die Datei kann nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>A new page could not be started.</source>
        <translation>Eine neue Seite konnte nicht begonnen werden.</translation>
    </message>
    <message>
        <source>The print-out could not be finished.</source>
        <translation>Der Ausdruck konnte nicht abgeschlossen werden.</translation>
    </message>
    <message>
        <source>(not saved)</source>
        <translation>(nicht gespeichert)</translation>
    </message>
    <message>
        <source>Project</source>
        <translation>Projekt</translation>
    </message>
    <message>
        <source>Customer</source>
        <translation>Kunde</translation>
    </message>
    <message>
        <source>Installer</source>
        <translation>Errichter</translation>
    </message>
    <message>
        <source>Central unit</source>
        <translation>Zentrale</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Page</source>
        <translation>Seite</translation>
    </message>
    <message>
        <source>The drawing is empty.</source>
        <translation>Die Zeichnung ist leer.</translation>
    </message>
    <message>
        <source>Page %1 / %2</source>
        <translation>Seite %1 / %2</translation>
    </message>
    <message>
        <source> (continued)</source>
        <translation> (Fortsetzung)</translation>
    </message>
</context>
<context>
    <name>CLinkPanel</name>
    <message>
        <source>The unit is busy taking in data and holds the line for now; the transfer goes on when it is ready</source>
        <translation>Die Zentrale ist mit der Datenübernahme beschäftigt und hält die Leitung so lange an; die Übertragung geht weiter, sobald sie bereit ist</translation>
    </message>
    <message>
        <source>The unit takes data again</source>
        <translation>Die Zentrale nimmt wieder Daten an</translation>
    </message>
    <message>
        <source>Connected through %1</source>
        <translation>Verbunden über %1</translation>
    </message>
    <message>
        <source>Not connected (port %1)</source>
        <translation>Nicht verbunden (Schnittstelle %1)</translation>
    </message>
    <message>
        <source>Download to the unit</source>
        <translation>Senden zur Zentrale</translation>
    </message>
    <message>
        <source>Upload from the unit</source>
        <translation>Lesen von der Zentrale</translation>
    </message>
    <message>
        <source>The command file &quot;%1&quot; cannot be sent: the unit is not connected.</source>
        <translation>Die Befehlsdatei &quot;%1&quot; kann nicht gesendet werden: die Zentrale ist nicht verbunden.</translation>
    </message>
    <message>
        <source>Send %1</source>
        <translation>%1 senden</translation>
    </message>
    <message>
        <source>The parameters cannot be written to &quot;%1&quot;:
%2</source>
        <translation>Die Parameter können nicht nach &quot;%1&quot; geschrieben werden:
%2</translation>
    </message>
    <message>
        <source>Parameters written to %1</source>
        <translation>Parameter nach %1 geschrieben</translation>
    </message>
    <message>
        <source>%1: done</source>
        <translation>%1: fertig</translation>
    </message>
    <message>
        <source>%1: cancelled</source>
        <translation>%1: abgebrochen</translation>
    </message>
    <message>
        <source>%1: stopped</source>
        <translation>%1: angehalten</translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;New project</source>
        <translation>&amp;Neues Projekt</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>Ö&amp;ffnen...</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>Schl&amp;ießen</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>Save &amp;as...</source>
        <translation>Speichern &amp;unter...</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>D&amp;rucken...</translation>
    </message>
    <message>
        <source>Print pre&amp;view</source>
        <translation>Seiten&amp;ansicht</translation>
    </message>
    <message>
        <source>&amp;Export drawing as PDF...</source>
        <translation>Zeichnung als &amp;PDF exportieren...</translation>
    </message>
    <message>
        <source>Print set&amp;up...</source>
        <translation>Drucker&amp;einrichtung...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Delete object</source>
        <translation>Objekt &amp;löschen</translation>
    </message>
    <message>
        <source>P&amp;roperties...</source>
        <translation>&amp;Eigenschaften...</translation>
    </message>
    <message>
        <source>Select &amp;none</source>
        <translation>&amp;Auswahl aufheben</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation>&amp;Symbolleiste</translation>
    </message>
    <message>
        <source>&amp;Zoom bar</source>
        <translation>&amp;Zoomleiste</translation>
    </message>
    <message>
        <source>&amp;Status bar</source>
        <translation>S&amp;tatusleiste</translation>
    </message>
    <message>
        <source>Protocol &amp;monitor</source>
        <translation>Protokoll&amp;monitor</translation>
    </message>
    <message>
        <source>Zoom &amp;in</source>
        <translation>Ver&amp;größern</translation>
    </message>
    <message>
        <source>Zoom &amp;out</source>
        <translation>Ver&amp;kleinern</translation>
    </message>
    <message>
        <source>&amp;Actual size</source>
        <translation>&amp;Originalgröße</translation>
    </message>
    <message>
        <source>&amp;Fit to window</source>
        <translation>An &amp;Fenster anpassen</translation>
    </message>
    <message>
        <source>&amp;Project...</source>
        <translation>&amp;Projekt...</translation>
    </message>
    <message>
        <source>Pr&amp;eferences...</source>
        <translation>&amp;Einstellungen...</translation>
    </message>
    <message>
        <source>&amp;Communication</source>
        <translation>&amp;Kommunikation</translation>
    </message>
    <message>
        <source>&amp;Connect</source>
        <translation>&amp;Verbinden</translation>
    </message>
    <message>
        <source>&amp;Disconnect</source>
        <translation>Verbindung &amp;trennen</translation>
    </message>
    <message>
        <source>Down&amp;load project to unit</source>
        <translation>Projekt zur Zentrale &amp;senden</translation>
    </message>
    <message>
        <source>&amp;Upload settings from unit</source>
        <translation>Einstellungen von der Zentrale &amp;lesen</translation>
    </message>
    <message>
        <source>&amp;Export parameters...</source>
        <translation>Parameter &amp;exportieren...</translation>
    </message>
    <message>
        <source>Send command &amp;file...</source>
        <translation>Befehls&amp;datei senden...</translation>
    </message>
    <message>
        <source>Save &amp;VMX settings</source>
        <translation>&amp;VMX-Einstellungen sichern</translation>
    </message>
    <message>
        <source>Show e&amp;rror file</source>
        <translation>&amp;Fehlerdatei anzeigen</translation>
    </message>
    <message>
        <source>&amp;Window</source>
        <translation>&amp;Fenster</translation>
    </message>
    <message>
        <source>&amp;Cascade</source>
        <translation>Ü&amp;berlappend</translation>
    </message>
    <message>
        <source>&amp;Tile</source>
        <translation>&amp;Nebeneinander</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;About Selvantis...</source>
        <translation>&amp;Über Selvantis...</translation>
    </message>
    <message>
        <source>Projects (*.sxm);;All files (*)</source>
        <translation>Projekte (*.sxm);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>&amp;Place new object</source>
        <translation>Neues Objekt &amp;platzieren</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Send command file</source>
        <translation>Befehlsdatei senden</translation>
    </message>
    <message>
        <source>Command files (*.txt *.TXT);;All files (*)</source>
        <translation>Befehlsdateien (*.txt *.TXT);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Open project</source>
        <translation>Projekt öffnen</translation>
    </message>
    <message>
        <source>Save project as</source>
        <translation>Projekt speichern unter</translation>
    </message>
    <message>
        <source>(no project open)</source>
        <translation>(kein Projekt geöffnet)</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Verbunden</translation>
    </message>
    <message>
        <source>Not connected</source>
        <translation>Nicht verbunden</translation>
    </message>
    <message>
        <source>The command file &quot;%1&quot; cannot be sent: the unit is not connected.</source>
        <translation>Die Befehlsdatei &quot;%1&quot; kann nicht gesendet werden: die Zentrale ist nicht verbunden.</translation>
    </message>
    <message>
        <source>Print drawing</source>
        <translation>Zeichnung drucken</translation>
    </message>
    <message>
        <source>Print preview</source>
        <translation>Seitenansicht</translation>
    </message>
    <message>
        <source>The drawing cannot be written to &quot;%1&quot;:
%2</source>
        <translation>Die Zeichnung kann nicht nach &quot;%1&quot; geschrieben werden:
%2</translation>
    </message>
    <message>
        <source>Export drawing as PDF</source>
        <translation>Zeichnung als PDF exportieren</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation>PDF-Dateien (*.pdf)</translation>
    </message>
    <message>
        <source>Export parameters</source>
        <translation>Parameter exportieren</translation>
    </message>
</context>
<context>
    <name>CPreferencesDlg</name>
    <message>
        <source>Preferences</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Language:</source>
        <translation>Sprache:</translation>
    </message>
    <message>
        <source>At start-up:</source>
        <translation>Beim Start:</translation>
    </message>
    <message>
        <source>Serial port:</source>
        <translation>Serielle Schnittstelle:</translation>
    </message>
    <message>
        <source>A new serial port is used from the next connection on.</source>
        <translation>Eine neue Schnittstelle gilt ab der nächsten Verbindung.</translation>
    </message>
</context>
<context>
    <name>CPreferencesState</name>
    <message>
        <source>Do nothing</source>
        <translation>Nichts tun</translation>
    </message>
    <message>
        <source>Create a new project</source>
        <translation>Neues Projekt anlegen</translation>
    </message>
    <message>
        <source>Open the last project</source>
        <translation>Letztes Projekt öffnen</translation>
    </message>
</context>
<context>
    <name>CProgressDlg</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Transfer</source>
        <translation>Übertragung</translation>
    </message>
</context>
<context>
    <name>CProjectDataDlg</name>
    <message>
        <source>Common project data</source>
        <translation>Allgemeine Projektdaten</translation>
    </message>
    <message>
        <source>Central unit:</source>
        <translation>Zentrale:</translation>
    </message>
</context>
<context>
    <name>CProjectDataState</name>
    <message>
        <source>Project:</source>
        <translation>Projekt:</translation>
    </message>
    <message>
        <source>Customer:</source>
        <translation>Kunde:</translation>
    </message>
    <message>
        <source>Installer:</source>
        <translation>Errichter:</translation>
    </message>
    <message>
        <source>Location:</source>
        <translation>Ort:</translation>
    </message>
    <message>
        <source>Comment:</source>
        <translation>Bemerkung:</translation>
    </message>
</context>
<context>
    <name>CProjectFile</name>
    <message>
        <source>Out of memory while writing the project.</source>
        <translation>Zu wenig Speicher beim Schreiben des Projekts.</translation>
    </message>
    <message>
        <source>The file is not a project file of this program.</source>
        <translation>Die Datei ist keine Projektdatei dieses Programms.</translation>
    </message>
    <message>
        <source>An object list holds an empty record.</source>
        <translation>Eine Objektliste enthält einen leeren Datensatz.</translation>
    </message>
    <message>
        <source>The connection table of the project is missing.</source>
        <translation>Die Verbindungstabelle des Projekts fehlt.</translation>
    </message>
    <message>
        <source>The project file is damaged at its end.</source>
        <translation>Die Projektdatei ist an ihrem Ende beschädigt.</translation>
    </message>
    <message>
        <source>The project holds an object without a valid type: </source>
        <translation>Das Projekt enthält ein Objekt ohne gültigen Typ: </translation>
    </message>
    <message>
        <source>The project holds an object whose identifier is invalid or used twice: </source>
        <translation>Das Projekt enthält ein Objekt, dessen Kennung ungültig oder doppelt vergeben ist: </translation>
    </message>
    <message>
        <source>Out of memory while reading the project.</source>
        <translation>Zu wenig Speicher beim Lesen des Projekts.</translation>
    </message>
</context>
<context>
    <name>CProtocolMonitorWnd</name>
    <message>
        <source>Protocol monitor</source>
        <translation>Protokollmonitor</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Leeren</translation>
    </message>
    <message>
        <source>Copy all</source>
        <translation>Alles kopieren</translation>
    </message>
</context>
<context>
    <name>CSelectionDlg</name>
    <message>
        <source>Selection</source>
        <translation>Auswahl</translation>
    </message>
</context>
<context>
    <name>CSelvantisDoc</name>
    <message>
        <source>The project &quot;%1&quot; cannot be opened:
%2</source>
        <translation>Das Projekt &quot;%1&quot; kann nicht geöffnet werden:
%2</translation>
    </message>
    <message>
        <source>The project &quot;%1&quot; cannot be loaded:
%2</source>
        <translation>Das Projekt &quot;%1&quot; kann nicht geladen werden:
%2</translation>
    </message>
    <message>
        <source>The project &quot;%1&quot; cannot be saved:
%2</source>
        <translation>Das Projekt &quot;%1&quot; kann nicht gespeichert werden:
%2</translation>
    </message>
</context>
<context>
    <name>CSelvantisView</name>
    <message>
        <source>(no objects to place)</source>
        <translation>(keine Objekte verfügbar)</translation>
    </message>
</context>
<context>
    <name>CTransfer</name>
    <message>
        <source>The transfer was stopped: the unit has neither taken data nor answered for some seconds.</source>
        <translation>Die Übertragung wurde abgebrochen: die Zentrale hat seit einigen Sekunden weder Daten angenommen noch geantwortet.</translation>
    </message>
    <message>
        <source>The transfer was stopped: the connection to the unit was lost.</source>
        <translation>Die Übertragung wurde abgebrochen: die Verbindung zur Zentrale ist verloren gegangen.</translation>
    </message>
    <message>
        <source>A transfer is already running. Wait until it has ended.</source>
        <translation>Es läuft bereits eine Übertragung. Warten Sie, bis sie beendet ist.</translation>
    </message>
    <message>
        <source>The unit is not connected.</source>
        <translation>Die Zentrale ist nicht verbunden.</translation>
    </message>
    <message>
        <source>The transfer was stopped: the project was closed or changed.</source>
        <translation>Die Übertragung wurde abgebrochen: das Projekt wurde geschlossen oder geändert.</translation>
    </message>
    <message>
        <source>The project was left as it was before the upload.</source>
        <translation>Das Projekt ist unverändert wie vor dem Lesen geblieben.</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>This editor is not available.</source>
        <translation>Dieser Editor ist nicht verfügbar.</translation>
    </message>
    <message>
        <source>%1: this editor is not available.</source>
        <translation>%1: dieser Editor ist nicht verfügbar.</translation>
    </message>
</context>
<context>
    <name>CPowerSupplyDlg</name>
    <message>
        <source>Power Supply</source>
        <translation>Netzteil</translation>
    </message>
    <message>
        <source>Connections to VMX7000 </source>
        <translation>Verbindungen zur VMX7000 </translation>
    </message>
    <message>
        <source>Power-ON/OFF signal :</source>
        <translation>Netz-EIN/AUS-Signal :</translation>
    </message>
    <message>
        <source>Power Failure Signal :</source>
        <translation>Netzausfall-Signal :</translation>
    </message>
    <message>
        <source>LCD text </source>
        <translation>LCD-Text </translation>
    </message>
    <message>
        <source>on console :</source>
        <translation>auf Sprechstelle :</translation>
    </message>
    <message>
        <source>text ( max. 16 characters) ) :</source>
        <translation>Text ( max. 16 Zeichen) ) :</translation>
    </message>
    <message>
        <source> Switch system ON/OFF via external signal :</source>
        <translation> System EIN/AUS über externes Signal :</translation>
    </message>
    <message>
        <source>Input :</source>
        <translation>Eingang :</translation>
    </message>
    <message>
        <source>Battery with charger</source>
        <translation>Batterie mit Ladegerät</translation>
    </message>
    <message>
        <source>Behaviour on power-fail :</source>
        <translation>Verhalten bei Netzausfall :</translation>
    </message>
    <message>
        <source>Uninterrupted Switch To Battery Mode</source>
        <translation>Unterbrechungsfreies Umschalten auf Batteriebetrieb</translation>
    </message>
    <message>
        <source>switch to STANDBY mode</source>
        <translation>in den STANDBY-Modus schalten</translation>
    </message>
    <message>
        <source>Activation Priority During Main Power Mode: </source>
        <translation>Aktivierungspriorität im Netzbetrieb: </translation>
    </message>
    <message>
        <source>Activation Priority During Battery Mode: </source>
        <translation>Aktivierungspriorität im Batteriebetrieb: </translation>
    </message>
</context>
<context>
    <name>CEBListView</name>
    <message>
        <source>Device</source>
        <translation>Gerät</translation>
    </message>
    <message>
        <source>The list could not be written to %1: %2</source>
        <translation>Die Liste konnte nicht nach %1 geschrieben werden: %2</translation>
    </message>
    <message>
        <source>The list could not be printed.</source>
        <translation>Die Liste konnte nicht gedruckt werden.</translation>
    </message>
</context>
<context>
    <name>TriggerListModel</name>
    <message>
        <source>Duration [s]</source>
        <translation>Dauer [s]</translation>
    </message>
    <message>
        <source>ON Macro</source>
        <translation>EIN-Makro</translation>
    </message>
    <message>
        <source>OFF Macro</source>
        <translation>AUS-Makro</translation>
    </message>
</context>
<context>
    <name>CEntryListTransfer</name>
    <message>
        <source>The project holds no transfer block for this list.</source>
        <translation>Das Projekt enthält keinen Übertragungsblock für diese Liste.</translation>
    </message>
</context>
<context>
    <name>CLinesGroupsDlg</name>
    <message>
        <source>Lines and Groups</source>
        <translation>Linien und Gruppen</translation>
    </message>
    <message>
        <source>unused zones and groups</source>
        <translation>nicht benutzte Zonen und Gruppen</translation>
    </message>
    <message>
        <source>selected zones and groups</source>
        <translation>ausgewählte Zonen und Gruppen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>CAddToGroupsDlg</name>
    <message>
        <source>Lines and groups</source>
        <translation>Linien und Gruppen</translation>
    </message>
    <message>
        <source>Select zones and groups</source>
        <translation>Zonen und Gruppen auswählen</translation>
    </message>
    <message>
        <source>Add to groups</source>
        <translation>Zu Gruppen hinzufügen</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>CAmplifierPropDlg</name>
    <message>
        <source>Amplifier</source>
        <translation>Verstärker</translation>
    </message>
    <message>
        <source>Spare</source>
        <translation>Reserve</translation>
    </message>
    <message>
        <source>Advanced...</source>
        <translation>Erweitert...</translation>
    </message>
    <message>
        <source>Amplifier properties</source>
        <translation>Verstärkereigenschaften</translation>
    </message>
    <message>
        <source>Configuration</source>
        <translation>Konfiguration</translation>
    </message>
    <message>
        <source>%1.channel</source>
        <translation>%1.Kanal</translation>
    </message>
</context>
<context>
    <name>CRelayTopologiesDlg</name>
    <message>
        <source>Kind</source>
        <translation>Art</translation>
    </message>
    <message>
        <source>Number of zones</source>
        <translation>Anzahl der Linien</translation>
    </message>
    <message>
        <source>First relay</source>
        <translation>Erstes Relais</translation>
    </message>
    <message>
        <source>First page relay</source>
        <translation>Erstes Durchsagerelais</translation>
    </message>
    <message>
        <source>First background relay</source>
        <translation>Erstes Hintergrundrelais</translation>
    </message>
    <message>
        <source>Program</source>
        <translation>Programm</translation>
    </message>
    <message>
        <source>Page</source>
        <translation>Durchsage</translation>
    </message>
    <message>
        <source>Relay topologies</source>
        <translation>Relaistopologien</translation>
    </message>
    <message>
        <source>Configuration</source>
        <translation>Konfiguration</translation>
    </message>
    <message>
        <source>%1. Input</source>
        <translation>%1. Eingang</translation>
    </message>
    <message>
        <source>Topology</source>
        <translation>Topologie</translation>
    </message>
    <message>
        <source>Please enter an integer between %1 and %2.</source>
        <translation>Bitte eine ganze Zahl zwischen %1 und %2 eingeben.</translation>
    </message>
</context>
<context>
    <name>CFuseView</name>
    <message>
        <source>Slot 1</source>
        <translation>Steckplatz 1</translation>
    </message>
    <message>
        <source>Slot 2</source>
        <translation>Steckplatz 2</translation>
    </message>
    <message>
        <source>Remote</source>
        <translation>Fernverbindung</translation>
    </message>
    <message>
        <source>A</source>
        <translation>A</translation>
    </message>
    <message>
        <source>B</source>
        <translation>B</translation>
    </message>
    <message>
        <source>mA</source>
        <translation>mA</translation>
    </message>
    <message>
        <source>Blown!</source>
        <translation>Ausgelöst!</translation>
    </message>
    <message>
        <source>Cooling!</source>
        <translation>Kühlt ab!</translation>
    </message>
</context>
<context>
    <name>CPropertySheet</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>&amp;Apply</source>
        <translation>&amp;Übernehmen</translation>
    </message>
</context>
</TS>
