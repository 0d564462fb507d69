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
</context>
</TS>
