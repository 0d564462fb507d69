<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>CSignalKindPage</name>
    <message>
        <source>Chime signals are always generated inside VMX !</source>
        <translation>Gongsignale werden immer in der VMX erzeugt !</translation>
    </message>
    <message>
        <source>Internal generator</source>
        <translation>Interner Generator</translation>
    </message>
    <message>
        <source>Internal signal from VMX</source>
        <translation>Internes Signal der VMX</translation>
    </message>
    <message>
        <source>External generator</source>
        <translation>Externer Generator</translation>
    </message>
    <message>
        <source>External source</source>
        <translation>Externe Quelle</translation>
    </message>
    <message>
        <source>Edit...</source>
        <translation>Bearbeiten...</translation>
    </message>
    <message>
        <source>Start macro:</source>
        <translation>Startmakro:</translation>
    </message>
    <message>
        <source>Stop macro:</source>
        <translation>Stoppmakro:</translation>
    </message>
    <message>
        <source>Priority</source>
        <translation>Priorität</translation>
    </message>
</context>
<context>
    <name>CAlarmPage</name>
    <message>
        <source>Alarm</source>
        <translation>Alarm</translation>
    </message>
</context>
<context>
    <name>CChimePage</name>
    <message>
        <source>Chime</source>
        <translation>Gong</translation>
    </message>
</context>
<context>
    <name>CMessagePage</name>
    <message>
        <source>Text</source>
        <translation>Text</translation>
    </message>
</context>
<context>
    <name>CBackgroundPage</name>
    <message>
        <source>Common settings and program</source>
        <translation>Allgemeine Einstellungen und Programm</translation>
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
        <source>Text</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Panic</source>
        <translation>Panik</translation>
    </message>
    <message>
        <source>Attenuation during announcement :</source>
        <translation>Absenkung während Durchsage :</translation>
    </message>
    <message>
        <source>dB</source>
        <translation>dB</translation>
    </message>
    <message>
        <source>Program</source>
        <translation>Programm</translation>
    </message>
</context>
<context>
    <name>CAudioEditor</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Übernehmen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
</TS>
