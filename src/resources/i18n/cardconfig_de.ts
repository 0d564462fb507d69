<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>CKCMConfigurationDlg</name>
    <message>
        <source>KCM Configuration</source>
        <translation>KCM-Konfiguration</translation>
    </message>
    <message>
        <source>Selection list</source>
        <translation>Auswahlliste</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>KCMConfigurationState</name>
    <message>
        <source>KCM Modules</source>
        <translation>KCM-Module</translation>
    </message>
    <message>
        <source>Output modules</source>
        <translation>Ausgangsmodule</translation>
    </message>
    <message>
        <source>Input modules</source>
        <translation>Eingangsmodule</translation>
    </message>
    <message>
        <source>Analog modules</source>
        <translation>Analogmodule</translation>
    </message>
    <message>
        <source>Label</source>
        <translation>Bezeichnung</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>Kanal</translation>
    </message>
    <message>
        <source>Background</source>
        <translation>Hintergrund</translation>
    </message>
    <message>
        <source>Page</source>
        <translation>Durchsage</translation>
    </message>
</context>
</TS>
