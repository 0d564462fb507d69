<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>CPilotView</name>
    <message>
        <source>Pilot tone generator</source>
        <translation>Pilottongenerator</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Ein</translation>
    </message>
    <message>
        <source>Frequency</source>
        <translation>Frequenz</translation>
    </message>
    <message>
        <source>10 Hz</source>
        <translation>10 Hz</translation>
    </message>
    <message>
        <source>19000 Hz</source>
        <translation>19000 Hz</translation>
    </message>
    <message>
        <source>Hz</source>
        <translation>Hz</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Lautstärke</translation>
    </message>
    <message>
        <source>- 0 dB</source>
        <translation>- 0 dB</translation>
    </message>
    <message>
        <source>- 150 dB</source>
        <translation>- 150 dB</translation>
    </message>
    <message>
        <source>OUT</source>
        <translation>OUT</translation>
    </message>
    <message>
        <source>dB</source>
        <translation>dB</translation>
    </message>
</context>
<context>
    <name>CPowerView</name>
    <message>
        <source>( 0..255 )</source>
        <translation>( 0..255 )</translation>
    </message>
    <message>
        <source>Auto-powerup priority when powered by battery</source>
        <translation>Priorität für automatisches Einschalten bei Batteriebetrieb</translation>
    </message>
    <message>
        <source>Auto-powerup Priority when powered by Main Power</source>
        <translation>Priorität für automatisches Einschalten bei Netzbetrieb</translation>
    </message>
    <message>
        <source>Condition for main power active</source>
        <translation>Bedingung für aktive Netzversorgung</translation>
    </message>
    <message>
        <source>Boot macro</source>
        <translation>Startmakro</translation>
    </message>
    <message>
        <source>Shutdown macro</source>
        <translation>Abschaltmakro</translation>
    </message>
    <message>
        <source>Signal priority to hold mode before powerdown</source>
        <translation>Signalpriorität für Haltemodus vor dem Abschalten</translation>
    </message>
    <message>
        <source>Battery available</source>
        <translation>Batterie vorhanden</translation>
    </message>
    <message>
        <source>System power down goes directly from Main Power to Standby</source>
        <translation>System schaltet direkt vom Netzbetrieb in Standby</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Ein</translation>
    </message>
</context>
<context>
    <name>CRecorderView</name>
    <message>
        <source>Play</source>
        <translation>Abspielen</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>Aufnahme</translation>
    </message>
    <message>
        <source>Erase</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Formatieren</translation>
    </message>
    <message>
        <source>Record source</source>
        <translation>Aufnahmequelle</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Nachricht</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Play destination</source>
        <translation>Wiedergabeziel</translation>
    </message>
    <message>
        <source>Record Options</source>
        <translation>Aufnahmeoptionen</translation>
    </message>
    <message>
        <source>Quality</source>
        <translation>Qualität</translation>
    </message>
    <message>
        <source>Record time</source>
        <translation>Aufnahmezeit</translation>
    </message>
    <message>
        <source>s  ( 0.0...360.4 s,  0.0 means no time limit )</source>
        <translation>s  ( 0.0...360.4 s,  0.0 bedeutet keine Zeitbegrenzung )</translation>
    </message>
    <message>
        <source>Flash Memory</source>
        <translation>Flash-Speicher</translation>
    </message>
</context>
</TS>
