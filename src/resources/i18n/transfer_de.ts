<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>CTransfer</name>
    <message>
        <source>The unit holds the line (XOFF).</source>
        <translation>Die Zentrale hält die Leitung an (XOFF).</translation>
    </message>
    <message>
        <source>The unit may still have its settings unprotected: the connection ended before it had taken &quot;/PROTECT ON&quot;. Connect to it again (the program then sends it first), or send &quot;/PROTECT ON&quot; to the unit.</source>
        <translation>Die Einstellungen der Zentrale sind womöglich noch ungeschützt: die Verbindung endete, bevor sie &quot;/PROTECT ON&quot; angenommen hatte. Verbinden Sie sich wieder mit ihr (das Programm sendet es dann zuerst), oder senden Sie &quot;/PROTECT ON&quot; an die Zentrale.</translation>
    </message>
</context>
<context>
    <name>CCommandLine</name>
    <message>
        <source>The unit may still have its macros locked and its settings unprotected: %1. The next command on this port sends &quot;/MACRO/LOCK OFF&quot; and &quot;/PROTECT ON&quot; first; or send them to the unit.</source>
        <translation>Die Makros der Zentrale sind womöglich noch gesperrt und ihre Einstellungen ungeschützt: %1. Der nächste Befehl an dieser Schnittstelle sendet zuerst &quot;/MACRO/LOCK OFF&quot; und &quot;/PROTECT ON&quot;; oder senden Sie sie an die Zentrale.</translation>
    </message>
    <message>
        <source>The unit may still have its macros locked and its settings unprotected: the next command on this port sends &quot;/MACRO/LOCK OFF&quot; and &quot;/PROTECT ON&quot; first; or send them to the unit.</source>
        <translation>Die Makros der Zentrale sind womöglich noch gesperrt und ihre Einstellungen ungeschützt: der nächste Befehl an dieser Schnittstelle sendet zuerst &quot;/MACRO/LOCK OFF&quot; und &quot;/PROTECT ON&quot;; oder senden Sie sie an die Zentrale.</translation>
    </message>
    <message>
        <source>The unit may still have its macros locked: %1. The next command on this port sends &quot;/MACRO/LOCK OFF&quot; first; or send it to the unit.</source>
        <translation>Die Makros der Zentrale sind womöglich noch gesperrt: %1. Der nächste Befehl an dieser Schnittstelle sendet zuerst &quot;/MACRO/LOCK OFF&quot;; oder senden Sie es an die Zentrale.</translation>
    </message>
    <message>
        <source>The unit may still have its macros locked: the next command on this port sends &quot;/MACRO/LOCK OFF&quot; first; or send it to the unit.</source>
        <translation>Die Makros der Zentrale sind womöglich noch gesperrt: der nächste Befehl an dieser Schnittstelle sendet zuerst &quot;/MACRO/LOCK OFF&quot;; oder senden Sie es an die Zentrale.</translation>
    </message>
    <message>
        <source>The unit may still have its settings unprotected: %1. The next command on this port sends &quot;/PROTECT ON&quot; first; or send it to the unit.</source>
        <translation>Die Einstellungen der Zentrale sind womöglich noch ungeschützt: %1. Der nächste Befehl an dieser Schnittstelle sendet zuerst &quot;/PROTECT ON&quot;; oder senden Sie es an die Zentrale.</translation>
    </message>
    <message>
        <source>The unit may still have its settings unprotected: the next command on this port sends &quot;/PROTECT ON&quot; first; or send it to the unit.</source>
        <translation>Die Einstellungen der Zentrale sind womöglich noch ungeschützt: der nächste Befehl an dieser Schnittstelle sendet zuerst &quot;/PROTECT ON&quot;; oder senden Sie es an die Zentrale.</translation>
    </message>
    <message>
        <source>The unit&apos;s settings are protected.</source>
        <translation>Die Einstellungen der Zentrale sind geschützt.</translation>
    </message>
    <message>
        <source>%1, the first port the system has</source>
        <translation>%1, die erste Schnittstelle des Systems</translation>
    </message>
    <message>
        <source>%1, the profile's port</source>
        <translation>%1, die Schnittstelle des Profils</translation>
    </message>
    <message>
        <source>Stopped at once.</source>
        <translation>Sofort beendet.</translation>
    </message>
    <message>
        <source>Stopping: the unit gets its closing lines. A second %1 ends at once.</source>
        <translation>Wird beendet: die Zentrale erhält ihre abschließenden Zeilen. Ein zweites %1 beendet sofort.</translation>
    </message>
    <message>
        <source>The system has no serial port: name the unit's port with --port DEVICE.</source>
        <translation>Das System hat keine serielle Schnittstelle: nennen Sie die Schnittstelle der Zentrale mit --port GERÄT.</translation>
    </message>
    <message>
        <source>it had not taken &quot;/PROTECT ON&quot; first</source>
        <translation>sie hatte &quot;/PROTECT ON&quot; zuvor nicht angenommen</translation>
    </message>
    <message>
        <source>none: the system has no serial port</source>
        <translation>keine: das System hat keine serielle Schnittstelle</translation>
    </message>
    <message>
        <source>the unit did not confirm the line within %1 seconds</source>
        <translation>die Zentrale hat die Zeile nicht innerhalb von %1 Sekunden bestätigt</translation>
    </message>
</context>
</TS>
