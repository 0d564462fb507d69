<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>LineUse</name>
    <message>
        <source>Not available while a transfer with the unit runs: wait until it has ended.</source>
        <translation>Nicht verfügbar, solange eine Übertragung mit der Zentrale läuft: bitte warten, bis sie beendet ist.</translation>
    </message>
    <message>
        <source>Not available while the connection to the unit closes: wait until it has closed.</source>
        <translation>Nicht verfügbar, solange die Verbindung zur Zentrale geschlossen wird: bitte warten, bis sie geschlossen ist.</translation>
    </message>
</context>
</TS>
