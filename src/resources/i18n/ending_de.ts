<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>CModalGuard</name>
    <message>
        <source>The program is ending.</source>
        <translation>Das Programm wird beendet.</translation>
    </message>
    <message>
        <source>Not available while a transfer with the unit runs: wait until it has ended.</source>
        <translation>Nicht verfügbar, solange eine Übertragung mit der Zentrale läuft: bitte warten, bis sie beendet ist.</translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <source>A transfer with the unit is running.

Stop it and close the program? The unit gets its closing lines first.</source>
        <translation>Eine Übertragung mit der Zentrale läuft.

Sie abbrechen und das Programm schließen? Die Zentrale erhält zuerst ihre abschließenden Zeilen.</translation>
    </message>
    <message>
        <source>Stopping the transfer; the program closes when the unit has its closing lines.</source>
        <translation>Die Übertragung wird abgebrochen; das Programm schließt, sobald die Zentrale ihre abschließenden Zeilen hat.</translation>
    </message>
</context>
</TS>
