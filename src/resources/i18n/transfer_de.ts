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
</TS>
