<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>CLineStateBar</name>
    <message>
        <source>Connect</source>
        <translation>Verbinden</translation>
    </message>
    <message>
        <source>Connect to the unit (F5)</source>
        <translation>Mit der Zentrale verbinden (F5)</translation>
    </message>
    <message>
        <source>Not sent: the unit is not connected.</source>
        <translation>Nicht gesendet: die Zentrale ist nicht verbunden.</translation>
    </message>
    <message>
        <source>The connection to the unit was lost at %1. The values shown are from before; nothing is sent until the unit is connected again.</source>
        <translation>Die Verbindung zur Zentrale ist um %1 abgebrochen. Die angezeigten Werte stammen von vorher; bis die Zentrale wieder verbunden ist, wird nichts gesendet.</translation>
    </message>
    <message>
        <source>Not connected: nothing is sent to the unit.</source>
        <translation>Nicht verbunden: an die Zentrale wird nichts gesendet.</translation>
    </message>
</context>
<context>
    <name>CLinkReconnect</name>
    <message>
        <source>The connection to the unit is lost; the program connects again to %1 as soon as it answers</source>
        <translation>Die Verbindung zur Zentrale ist abgebrochen; das Programm verbindet sich wieder mit %1, sobald sie antwortet</translation>
    </message>
    <message>
        <source>Connected again to the unit on %1</source>
        <translation>Wieder mit der Zentrale an %1 verbunden</translation>
    </message>
    <message>
        <source>The unit on %1 did not answer again after %2 tries; the program no longer tries by itself.
Connect (F5) when the unit is ready.</source>
        <translation>Die Zentrale an %1 hat nach %2 Versuchen nicht wieder geantwortet; das Programm versucht es nicht mehr selbst.
Verbinden Sie (F5), sobald die Zentrale bereit ist.</translation>
    </message>
</context>
<context>
    <name>CServiceDlg</name>
    <message>
        <source>(no answer)</source>
        <translation>(keine Antwort)</translation>
    </message>
</context>
</TS>
