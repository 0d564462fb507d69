<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>PortAccessHint</name>
    <message>
        <source>Your user may not use the serial port %1. It belongs to the group &quot;%2&quot;: add your user to that group (as administrator: adduser %3 %2), then log out and log in again.</source>
        <translation>Ihr Benutzer darf die serielle Schnittstelle %1 nicht verwenden. Sie gehört der Gruppe „%2“: Nehmen Sie Ihren Benutzer in diese Gruppe auf (als Administrator: adduser %3 %2), melden Sie sich dann ab und wieder an.</translation>
    </message>
    <message>
        <source>Your user is in the group &quot;%2&quot; that may use the serial port %1, but gets the group&apos;s rights only with a new login: log out and log in again.</source>
        <translation>Ihr Benutzer gehört zur Gruppe „%2“, die die serielle Schnittstelle %1 verwenden darf, erhält deren Rechte aber erst mit einer neuen Anmeldung: Melden Sie sich ab und wieder an.</translation>
    </message>
    <message>
        <source>Your user may not use the serial port %1, and no group of yours gives the right to it. Ask the administrator of this computer for access.</source>
        <translation>Ihr Benutzer darf die serielle Schnittstelle %1 nicht verwenden, und keine seiner Gruppen gibt das Recht dazu. Bitten Sie den Administrator dieses Computers um Zugang.</translation>
    </message>
</context>
</TS>
