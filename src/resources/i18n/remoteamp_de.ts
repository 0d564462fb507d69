<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>CRemoteAmpDlg</name>
    <message>
        <source>Remote amplifier properties</source>
        <translation>Fernsteuerung Verstärker</translation>
    </message>
    <message>
        <source>Main Power</source>
        <translation>Netz</translation>
    </message>
    <message>
        <source>Battery</source>
        <translation>Batterie</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Ein</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>Stumm</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Rücksetzen</translation>
    </message>
    <message>
        <source>Pilot tone detection</source>
        <translation>Pilottonerkennung</translation>
    </message>
    <message>
        <source>Ground fault detection</source>
        <translation>Erdschlusserkennung</translation>
    </message>
    <message>
        <source>Pilot tone</source>
        <translation>Pilotton</translation>
    </message>
    <message>
        <source>Ground fault</source>
        <translation>Erdschluss</translation>
    </message>
    <message>
        <source>Overtemperature</source>
        <translation>Übertemperatur</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Typ</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Channel mapping</source>
        <translation>Kanalzuordnung</translation>
    </message>
    <message>
        <source>Firmware</source>
        <translation>Firmware</translation>
    </message>
    <message>
        <source>Last Error</source>
        <translation>Letzter Fehler</translation>
    </message>
    <message>
        <source>Relay mapping</source>
        <translation>Relaiszuordnung</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>Optionen:</translation>
    </message>
    <message>
        <source>Overtemperature detection</source>
        <translation>Übertemperaturerkennung</translation>
    </message>
    <message>
        <source>READY detection</source>
        <translation>READY-Erkennung</translation>
    </message>
    <message>
        <source>Power source:</source>
        <translation>Stromversorgung:</translation>
    </message>
    <message>
        <source>Pilot tone generator</source>
        <translation>Pilottongenerator</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>Pegel</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Lautstärke</translation>
    </message>
    <message>
        <source>IN</source>
        <translation>IN</translation>
    </message>
    <message>
        <source>OUT</source>
        <translation>OUT</translation>
    </message>
    <message>
        <source>VOL</source>
        <translation>VOL</translation>
    </message>
    <message>
        <source>OFS</source>
        <translation>OFS</translation>
    </message>
    <message>
        <source>0 dB</source>
        <translation>0 dB</translation>
    </message>
    <message>
        <source>-78 dB</source>
        <translation>-78 dB</translation>
    </message>
    <message>
        <source>127 dB</source>
        <translation>127 dB</translation>
    </message>
    <message>
        <source>-128 dB</source>
        <translation>-128 dB</translation>
    </message>
    <message>
        <source>Configuration</source>
        <translation>Konfiguration</translation>
    </message>
    <message>
        <source>U/I Messurement</source>
        <translation>U/I-Messung</translation>
    </message>
</context>
</TS>
