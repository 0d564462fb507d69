<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>CReadyInpOptionsView</name>
    <message>
        <source>Delay time for
masked signals</source>
        <translation>Verzögerungszeit für
maskierte Signale</translation>
    </message>
    <message>
        <source>s</source>
        <translation>s</translation>
    </message>
</context>
</TS>
