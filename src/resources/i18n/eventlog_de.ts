<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>CEventLogView</name>
    <message>
        <source>Audio signals</source>
        <translation>Audiosignale</translation>
    </message>
    <message>
        <source>FAULT</source>
        <translation>STÖRUNG</translation>
    </message>
    <message>
        <source>Switching power on or off</source>
        <translation>Ein- und Ausschalten der Versorgung</translation>
    </message>
    <message>
        <source>Line test</source>
        <translation>Linientest</translation>
    </message>
    <message>
        <source>Time settings</source>
        <translation>Zeiteinstellungen</translation>
    </message>
    <message>
        <source>Macros</source>
        <translation>Makros</translation>
    </message>
    <message>
        <source>RESET</source>
        <translation>RESET</translation>
    </message>
    <message>
        <source>Backup Amplifiers</source>
        <translation>Reserveverstärker</translation>
    </message>
    <message>
        <source>Ready Input's</source>
        <translation>Bereitschaftseingänge</translation>
    </message>
    <message>
        <source>Recorder</source>
        <translation>Rekorder</translation>
    </message>
    <message>
        <source>DCF</source>
        <translation>DCF</translation>
    </message>
    <message>
        <source>Configuration</source>
        <translation>Konfiguration</translation>
    </message>
    <message>
        <source>Virtual controller</source>
        <translation>Virtuelle Regler</translation>
    </message>
    <message>
        <source>Events to log</source>
        <translation>Zu protokollierende Ereignisse</translation>
    </message>
    <message>
        <source>Entries (see file</source>
        <translation>Einträge (siehe Datei</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Drucken</translation>
    </message>
    <message>
        <source>Print now</source>
        <translation>Jetzt drucken</translation>
    </message>
    <message>
        <source>The event file &quot;%1&quot; cannot be written: the entries read are only shown.</source>
        <translation>Die Ereignisdatei &quot;%1&quot; kann nicht geschrieben werden: die gelesenen Einträge werden nur angezeigt.</translation>
    </message>
    <message>
        <source>An event-log mask is too long to be sent to the unit. Choose fewer entries.</source>
        <translation>Eine Maske des Ereignisprotokolls ist zu lang für das Gerät. Wählen Sie weniger Einträge.</translation>
    </message>
    <message>
        <source>The entries could not be printed; they stay in the event file.</source>
        <translation>Die Einträge konnten nicht gedruckt werden; sie bleiben in der Ereignisdatei.</translation>
    </message>
</context>
</TS>
