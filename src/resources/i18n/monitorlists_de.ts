<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>COnlineMonitorDlg</name>
    <message>
        <source>Online monitor properties</source>
        <translation>Online-Monitoreigenschaften</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Lautstärke</translation>
    </message>
    <message>
        <source>dB</source>
        <translation>dB</translation>
    </message>
    <message>
        <source>Table entry</source>
        <translation>Tabelleneintrag</translation>
    </message>
    <message>
        <source>Selection</source>
        <translation>Auswahl</translation>
    </message>
    <message>
        <source>Index :</source>
        <translation>Index :</translation>
    </message>
</context>
</TS>
