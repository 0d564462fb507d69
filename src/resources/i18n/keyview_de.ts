<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>CKeyPropertiesDlg</name>
    <message>
        <source>Key properties</source>
        <translation>Tasteneigenschaften</translation>
    </message>
    <message>
        <source>Key properties for key &apos;</source>
        <translation>Tasteneigenschaften für Taste &apos;</translation>
    </message>
    <message>
        <source>All actions triggered by this console</source>
        <translation>Alle von dieser Sprechstelle ausgelösten Aktionen</translation>
    </message>
    <message>
        <source>Systemwide actions with lower priority</source>
        <translation>Systemweite Aktionen mit niedrigerer Priorität</translation>
    </message>
    <message>
        <source>All systemwide actions</source>
        <translation>Alle systemweiten Aktionen</translation>
    </message>
    <message>
        <source>Active in protected mode</source>
        <translation>Aktiv im geschützten Modus</translation>
    </message>
    <message>
        <source>Pre-chime before announcement</source>
        <translation>Vorgong vor Durchsage</translation>
    </message>
    <message>
        <source>Macro activation...</source>
        <translation>Makroaktivierung...</translation>
    </message>
    <message>
        <source>Function</source>
        <translation>Funktion</translation>
    </message>
    <message>
        <source>Destinations</source>
        <translation>Ziele</translation>
    </message>
    <message>
        <source>Priority:</source>
        <translation>Priorität:</translation>
    </message>
    <message>
        <source>Current selection</source>
        <translation>Aktuelle Auswahl</translation>
    </message>
    <message>
        <source>Macro list</source>
        <translation>Makroliste</translation>
    </message>
    <message>
        <source>Alarm list</source>
        <translation>Alarmliste</translation>
    </message>
    <message>
        <source>Chime list</source>
        <translation>Gongliste</translation>
    </message>
    <message>
        <source>Text list</source>
        <translation>Textliste</translation>
    </message>
    <message>
        <source>Empty</source>
        <translation>Leer</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>Deaktiviert</translation>
    </message>
    <message>
        <source>Selection</source>
        <translation>Auswahl</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Alarm</source>
        <translation>Alarm</translation>
    </message>
    <message>
        <source>Chime</source>
        <translation>Gong</translation>
    </message>
    <message>
        <source>Talk</source>
        <translation>Sprechen</translation>
    </message>
    <message>
        <source>PTT</source>
        <translation>PTT</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Ein</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Program</source>
        <translation>Programm</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Aux</source>
        <translation>Aux</translation>
    </message>
    <message>
        <source>Macro</source>
        <translation>Makro</translation>
    </message>
    <message>
        <source>These actions will be stopped:</source>
        <translation>Diese Aktionen werden gestoppt:</translation>
    </message>
    <message>
        <source>Activation delay (sec.):</source>
        <translation>Aktivierungsverzögerung (s):</translation>
    </message>
</context>
<context>
    <name>ConsKeyButton</name>
    <message>
        <source>&amp;Properties...</source>
        <translation>&amp;Eigenschaften...</translation>
    </message>
</context>
</TS>
