<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>CPPCons2</name>
    <message>
        <source>Key programming</source>
        <translation>Tastenprogrammierung</translation>
    </message>
    <message>
        <source>Out of Memory during creating button windows !</source>
        <translation>Nicht genügend Speicher beim Erzeugen der Tastenfenster !</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>CConsoleTreeDlg</name>
    <message>
        <source>Overview of consoles</source>
        <translation>Übersicht der Sprechstellen</translation>
    </message>
</context>
<context>
    <name>CKeyView</name>
    <message>
        <source>The console could not be printed.</source>
        <translation>Die Sprechstelle konnte nicht gedruckt werden.</translation>
    </message>
</context>
<context>
    <name>CConsoleMenu</name>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Properties ...</source>
        <translation>Eigenschaften ...</translation>
    </message>
</context>
</TS>
