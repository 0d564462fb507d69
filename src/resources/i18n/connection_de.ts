<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>CCommLink</name>
    <message>
        <source>Another unit answers: %1</source>
        <translation>Eine andere Zentrale antwortet: %1</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Trennen</translation>
    </message>
    <message>
        <source>Serial port: %1</source>
        <translation>Serielle Schnittstelle: %1</translation>
    </message>
    <message>
        <source>The system has no serial port, and none is set.
Choose the unit&apos;s port under View &gt; Preferences.</source>
        <translation>Das System hat keine serielle Schnittstelle, und keine ist eingestellt.
Wählen Sie die Schnittstelle der Zentrale unter Ansicht &gt; Einstellungen.</translation>
    </message>
    <message>
        <source>The connection to the unit was lost (%1).</source>
        <translation>Die Verbindung zur Zentrale ist verloren gegangen (%1).</translation>
    </message>
    <message>
        <source>The connection to the unit was lost.</source>
        <translation>Die Verbindung zur Zentrale ist verloren gegangen.</translation>
    </message>
    <message>
        <source>The wait for the unit was cut short</source>
        <translation>Das Warten auf die Zentrale wurde abgebrochen</translation>
    </message>
</context>
<context>
    <name>CLinkPanel</name>
    <message>
        <source>Closing the connection to the unit</source>
        <translation>Verbindung zur Zentrale wird getrennt</translation>
    </message>
    <message>
        <source>The unit has not yet taken the closing lines. The program waits up to %1 seconds; Cancel closes the connection at once.</source>
        <translation>Die Zentrale hat die Schlusszeilen noch nicht übernommen. Das Programm wartet bis zu %1 Sekunden; Abbrechen trennt die Verbindung sofort.</translation>
    </message>
</context>
<context>
    <name>CLinkProtocol</name>
    <message>
        <source>%1 characters not sent</source>
        <translation>%1 Zeichen nicht gesendet</translation>
    </message>
</context>
<context>
    <name>CLinkReconnect</name>
    <message>
        <source>Another unit answers on %1 (%2), not the one whose connection was lost (%3). The program sent it nothing that changes it and no longer tries by itself.
Connect (F5) takes this unit.</source>
        <translation>An %1 antwortet eine andere Zentrale (%2), nicht die, deren Verbindung verloren ging (%3). Das Programm hat ihr nichts gesendet, was sie verändert, und versucht es nicht mehr von selbst.
Verbinden (F5) übernimmt diese Zentrale.</translation>
    </message>
    <message>
        <source>The program no longer tries to connect again to %1</source>
        <translation>Das Programm versucht nicht mehr, sich erneut mit %1 zu verbinden</translation>
    </message>
</context>
<context>
    <name>CPortLock</name>
    <message>
        <source>%1 is in use by another program</source>
        <translation>%1 wird von einem anderen Programm benutzt</translation>
    </message>
    <message>
        <source>%1 is in use by another program (process %2)</source>
        <translation>%1 wird von einem anderen Programm benutzt (Prozess %2)</translation>
    </message>
</context>
<context>
    <name>CUnitClosing</name>
    <message>
        <source>The unit may still have its macros locked: it has not taken "/MACRO/LOCK OFF" yet. It gets the line when it takes data again, and again when the connection is closed; or send "/MACRO/LOCK OFF" to the unit.</source>
        <translation>Die Makros der Zentrale können noch gesperrt sein: sie hat "/MACRO/LOCK OFF" noch nicht übernommen. Sie erhält die Zeile, sobald sie wieder Daten annimmt, und noch einmal, wenn die Verbindung getrennt wird; oder senden Sie "/MACRO/LOCK OFF" an die Zentrale.</translation>
    </message>
</context>
<context>
    <name>CUnitIdentity</name>
    <message>
        <source>device id %1, version %2</source>
        <translation>Geräte-ID %1, Version %2</translation>
    </message>
</context>
</TS>
