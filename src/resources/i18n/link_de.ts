<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>CCommLink</name>
    <message>
        <source>The unit holds the line (XOFF)</source>
        <translation>Die Zentrale hält die Leitung an (XOFF)</translation>
    </message>
    <message>
        <source>The unit takes data again (XON)</source>
        <translation>Die Zentrale nimmt wieder Daten an (XON)</translation>
    </message>
</context>
<context>
    <name>CTransfer</name>
    <message>
        <source>%1 queries stayed unanswered, the first: %2</source>
        <translation>%1 Abfragen blieben unbeantwortet, die erste: %2</translation>
    </message>
    <message>
        <source>The unit holds the line (XOFF). The connection stays open; the unit gets the rest when it takes data again.</source>
        <translation>Die Zentrale hält die Leitung an (XOFF). Die Verbindung bleibt bestehen; die Zentrale erhält den Rest, sobald sie wieder Daten annimmt.</translation>
    </message>
    <message>
        <source>The unit now holds only part of the project. A whole download puts it right.</source>
        <translation>Die Zentrale enthält jetzt nur einen Teil des Projekts. Eine vollständige Übertragung stellt das richtig.</translation>
    </message>
    <message>
        <source>The transfer was stopped: the connection to the unit was lost (%1).</source>
        <translation>Die Übertragung wurde abgebrochen: die Verbindung zur Zentrale ist verloren gegangen (%1).</translation>
    </message>
    <message>
        <source>The download is not complete: the unit did not confirm every line.</source>
        <translation>Die Übertragung ist nicht vollständig: die Zentrale hat nicht jede Zeile bestätigt.</translation>
    </message>
    <message>
        <source>The download was stopped: the unit has not confirmed its lines for some seconds.</source>
        <translation>Die Übertragung wurde abgebrochen: die Zentrale hat seit einigen Sekunden keine Zeile bestätigt.</translation>
    </message>
    <message>
        <source>The unit did not confirm %1 lines, the first: %2</source>
        <translation>Die Zentrale hat %1 Zeilen nicht bestätigt, die erste: %2</translation>
    </message>
    <message>
        <source>The upload was stopped: the unit has not answered every query for some seconds.</source>
        <translation>Das Lesen der Einstellungen wurde abgebrochen: die Zentrale hat seit einigen Sekunden nicht jede Abfrage beantwortet.</translation>
    </message>
</context>
</TS>
