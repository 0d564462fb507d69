<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>CPPCons1</name>
    <message>
        <source>Connection</source>
        <translation>Anschluss</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>EXT-Connector</source>
        <translation>EXT-Anschluss</translation>
    </message>
    <message>
        <source>Console codes</source>
        <translation>Sprechstellen-Codes</translation>
    </message>
    <message>
        <source>Common</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>Type:</source>
        <translation>Typ:</translation>
    </message>
    <message>
        <source>Address:</source>
        <translation>Adresse:</translation>
    </message>
    <message>
        <source>Slot:</source>
        <translation>Steckplatz:</translation>
    </message>
    <message>
        <source>Input:</source>
        <translation>Eingang:</translation>
    </message>
    <message>
        <source>Status:</source>
        <translation>Status:</translation>
    </message>
    <message>
        <source>Get sw - version </source>
        <translation>SW-Version abfragen </translation>
    </message>
    <message>
        <source>Get operating mode</source>
        <translation>Betriebsart abfragen</translation>
    </message>
    <message>
        <source>Compressor for microphone</source>
        <translation>Kompressor für Mikrofon</translation>
    </message>
    <message>
        <source>Buzzer</source>
        <translation>Summer</translation>
    </message>
    <message>
        <source>German date format (alternative :english format)</source>
        <translation>Deutsches Datumsformat (alternativ: englisches Format)</translation>
    </message>
    <message>
        <source>Umlaute from DOS-charset  (alternative: from WINDOWS-charset)</source>
        <translation>Umlaute aus DOS-Zeichensatz  (alternativ: aus WINDOWS-Zeichensatz)</translation>
    </message>
    <message>
        <source>included in FAULT handling</source>
        <translation>in die Störungsbehandlung einbezogen</translation>
    </message>
    <message>
        <source>User (3 digits) :</source>
        <translation>Benutzer (3 Ziffern) :</translation>
    </message>
    <message>
        <source>Expert (4 digits) :</source>
        <translation>Experte (4 Ziffern) :</translation>
    </message>
    <message>
        <source>ON Priority</source>
        <translation>EIN-Priorität</translation>
    </message>
</context>
</TS>
