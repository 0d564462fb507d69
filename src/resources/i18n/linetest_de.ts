<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>CLineTestDlg</name>
    <message>
        <source>Line test properties</source>
        <translation>Eigenschaften Linientest</translation>
    </message>
    <message>
        <source>Daily line test</source>
        <translation>Täglicher Linientest</translation>
    </message>
    <message>
        <source>Line test</source>
        <translation>Linientest</translation>
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
        <source>Impedance test</source>
        <translation>Impedanztest</translation>
    </message>
    <message>
        <source>Activate output :</source>
        <translation>Ausgang aktivieren :</translation>
    </message>
    <message>
        <source>This project has no zone test settings, so there are no line test properties to edit.</source>
        <translation>Dieses Projekt enthält keine Zonentest-Einstellungen, daher gibt es keine Linientest-Eigenschaften zu bearbeiten.</translation>
    </message>
</context>
<context>
    <name>LineTestDlgState</name>
    <message>
        <source>Console %1</source>
        <translation>Sprechstelle %1</translation>
    </message>
    <message>
        <source>Control pad %1</source>
        <translation>Steuerkontakt %1</translation>
    </message>
</context>
</TS>
