<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>ConditionListModel</name>
    <message>
        <source>Condition</source>
        <translation>Bedingung</translation>
    </message>
    <message>
        <source>Selection</source>
        <translation>Auswahl</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>Pegel</translation>
    </message>
    <message>
        <source>State</source>
        <translation>Zustand</translation>
    </message>
</context>
<context>
    <name>AnalogListModel</name>
    <message>
        <source>Range check</source>
        <translation>Bereichsprüfung</translation>
    </message>
    <message>
        <source>KCM216 Input</source>
        <translation>KCM216-Eingang</translation>
    </message>
    <message>
        <source>Minimum</source>
        <translation>Minimum</translation>
    </message>
    <message>
        <source>Maximum</source>
        <translation>Maximum</translation>
    </message>
</context>
<context>
    <name>BusyListModel</name>
    <message>
        <source>Busy condition</source>
        <translation>Belegt-Bedingung</translation>
    </message>
    <message>
        <source>Audio</source>
        <translation>Audio</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>Ausgang</translation>
    </message>
    <message>
        <source>Zones</source>
        <translation>Zonen</translation>
    </message>
    <message>
        <source>Matching</source>
        <translation>Übereinstimmung</translation>
    </message>
    <message>
        <source>min. priority[0..10]</source>
        <translation>min. Priorität[0..10]</translation>
    </message>
</context>
<context>
    <name>CombineListModel</name>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Logic</source>
        <translation>Logik</translation>
    </message>
    <message>
        <source>Inv.</source>
        <translation>Inv.</translation>
    </message>
    <message>
        <source>Condition</source>
        <translation>Bedingung</translation>
    </message>
</context>
</TS>
