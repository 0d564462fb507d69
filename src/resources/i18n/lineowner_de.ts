<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>CLineOwner</name>
    <message>
        <source>A transfer has the line to the unit; the window asks again when it has ended.</source>
        <translation>Eine Übertragung belegt die Leitung zur Zentrale; das Fenster fragt wieder, wenn sie beendet ist.</translation>
    </message>
</context>
<context>
    <name>CCommLink</name>
    <message>
        <source>Line released (XOFF at connect)</source>
        <translation>Leitung freigegeben (XOFF beim Verbinden)</translation>
    </message>
    <message>
        <source>No version</source>
        <translation>Keine Version</translation>
    </message>
    <message>
        <source>The unit on %1 did not tell its operating-system version, so nothing was sent to it.
Try again.</source>
        <translation>Die Zentrale an %1 hat ihre Betriebssystemversion nicht genannt, daher wurde ihr nichts gesendet.
Bitte erneut versuchen.</translation>
    </message>
    <message>
        <source>Not sent while a transfer has the line: %1</source>
        <translation>Nicht gesendet, solange eine Übertragung die Leitung belegt: %1</translation>
    </message>
    <message>
        <source>%1 requests of other windows were not sent during the transfer</source>
        <translation>%1 Anfragen anderer Fenster wurden während der Übertragung nicht gesendet</translation>
    </message>
    <message>
        <source>change of the link mode</source>
        <translation>Wechsel der Verbindungsart</translation>
    </message>
    <message>
        <source>the unit is not connected</source>
        <translation>die Zentrale ist nicht verbunden</translation>
    </message>
    <message>
        <source>the connection to the unit was lost</source>
        <translation>die Verbindung zur Zentrale ist verloren gegangen</translation>
    </message>
    <message>
        <source>the unit holds the line (XOFF)</source>
        <translation>die Zentrale hält die Leitung an (XOFF)</translation>
    </message>
    <message>
        <source>the unit did not confirm the line within %1 seconds</source>
        <translation>die Zentrale hat die Zeile nicht innerhalb von %1 Sekunden bestätigt</translation>
    </message>
</context>
<context>
    <name>CTransfer</name>
    <message>
        <source>The download is not complete: the unit refused lines.</source>
        <translation>Die Übertragung ist nicht vollständig: die Zentrale hat Zeilen abgelehnt.</translation>
    </message>
    <message>
        <source>The unit refused %1 lines, the first: %2</source>
        <translation>Die Zentrale hat %1 Zeilen abgelehnt, die erste: %2</translation>
    </message>
</context>
<context>
    <name>CCommandLine</name>
    <message>
        <source>Stopped by %1.</source>
        <translation>Durch %1 abgebrochen.</translation>
    </message>
    <message>
        <source>The unit's macros are unlocked and its settings protected.</source>
        <translation>Die Makros der Zentrale sind freigegeben und ihre Einstellungen geschützt.</translation>
    </message>
    <message>
        <source>The unit did not save its settings: %1</source>
        <translation>Die Zentrale hat ihre Einstellungen nicht gespeichert: %1</translation>
    </message>
    <message>
        <source>The unit has saved its settings.</source>
        <translation>Die Zentrale hat ihre Einstellungen gespeichert.</translation>
    </message>
</context>
<context>
    <name>CLinkPanel</name>
    <message>
        <source>The unit did not save its settings: %1</source>
        <translation>Die Zentrale hat ihre Einstellungen nicht gespeichert: %1</translation>
    </message>
    <message>
        <source>The unit has saved its settings.</source>
        <translation>Die Zentrale hat ihre Einstellungen gespeichert.</translation>
    </message>
</context>
</TS>
