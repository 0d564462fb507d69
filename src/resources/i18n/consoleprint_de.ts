<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>CConsolePrintJob</name>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>page %1 of %2</source>
        <translation>Seite %1 von %2</translation>
    </message>
    <message>
        <source>The printer or file cannot be written.</source>
        <translation>Der Drucker oder die Datei kann nicht beschrieben werden.</translation>
    </message>
</context>
</TS>
