<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>CZonetestView</name>
    <message>
        <source>Select all zones</source>
        <translation>Alle Zonen auswählen</translation>
    </message>
    <message>
        <source>Line test</source>
        <translation>Linientest</translation>
    </message>
    <message>
        <source>define measurements as reference</source>
        <translation>Messwerte als Referenz festlegen</translation>
    </message>
    <message>
        <source>Activate measurement</source>
        <translation>Messung aktivieren</translation>
    </message>
    <message>
        <source>start measurement only once</source>
        <translation>Messung einmalig starten</translation>
    </message>
    <message>
        <source>Impedance test (only manually executable)</source>
        <translation>Impedanztest (nur manuell ausführbar)</translation>
    </message>
    <message>
        <source>only selected zones are included during measurement</source>
        <translation>nur ausgewählte Zonen werden bei der Messung berücksichtigt</translation>
    </message>
    <message>
        <source>Time :</source>
        <translation>Uhrzeit :</translation>
    </message>
    <message>
        <source>Display on consoles :</source>
        <translation>Anzeige an Sprechstellen :</translation>
    </message>
    <message>
        <source>Activate output :</source>
        <translation>Ausgang aktivieren :</translation>
    </message>
    <message>
        <source>Impedance test</source>
        <translation>Impedanztest</translation>
    </message>
</context>
</TS>
