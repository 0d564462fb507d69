<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>CFaultDlgView</name>
    <message>
        <source>Considered FAULT sources</source>
        <translation>Berücksichtigte STÖRUNGS-Quellen</translation>
    </message>
    <message>
        <source>Unknown fault</source>
        <translation>Unbekannte Störung</translation>
    </message>
    <message>
        <source>Readyinput</source>
        <translation>Bereitschaftseingang</translation>
    </message>
    <message>
        <source>KCM</source>
        <translation>KCM</translation>
    </message>
    <message>
        <source>Amplifier</source>
        <translation>Verstärker</translation>
    </message>
    <message>
        <source>Internal VMX fault</source>
        <translation>Interne VMX-Störung</translation>
    </message>
    <message>
        <source>Console fault</source>
        <translation>Sprechstellenstörung</translation>
    </message>
    <message>
        <source>Backup Amplifier Fault</source>
        <translation>Reserveverstärkerstörung</translation>
    </message>
    <message>
        <source>Manual fault</source>
        <translation>Manuelle Störung</translation>
    </message>
    <message>
        <source>Ground Fault</source>
        <translation>Erdschluss</translation>
    </message>
    <message>
        <source>Line Measurement Error</source>
        <translation>Linienmessfehler</translation>
    </message>
    <message>
        <source>Line groundfault</source>
        <translation>Linienerdschluss</translation>
    </message>
    <message>
        <source>latched FAULT state </source>
        <translation>STÖRUNGS-Zustand speichernd </translation>
    </message>
    <message>
        <source>Display on consoles :</source>
        <translation>Anzeige auf Sprechstellen :</translation>
    </message>
    <message>
        <source>FAULT relay</source>
        <translation>STÖRUNGS-Relais</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Ein</translation>
    </message>
    <message>
        <source>Manual Error</source>
        <translation>Manueller Fehler</translation>
    </message>
</context>
<context>
    <name>CClkView</name>
    <message>
        <source>Harborlight System time</source>
        <translation>Harborlight Systemzeit</translation>
    </message>
    <message>
        <source>Last DCF 77 synchronisation</source>
        <translation>Letzte DCF-77-Synchronisation</translation>
    </message>
    <message>
        <source>DCF Status</source>
        <translation>DCF-Status</translation>
    </message>
    <message>
        <source>Slave clock</source>
        <translation>Nebenuhr</translation>
    </message>
    <message>
        <source>Invert</source>
        <translation>Invertieren</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Overload</source>
        <translation>Überlast</translation>
    </message>
</context>
<context>
    <name>CVolumeView</name>
    <message>
        <source>Inputs</source>
        <translation>Eingänge</translation>
    </message>
    <message>
        <source>Chime</source>
        <translation>Gong</translation>
    </message>
    <message>
        <source>Messages</source>
        <translation>Durchsagen</translation>
    </message>
    <message>
        <source>IN1</source>
        <translation>IN1</translation>
    </message>
    <message>
        <source>IN2</source>
        <translation>IN2</translation>
    </message>
    <message>
        <source>IN3</source>
        <translation>IN3</translation>
    </message>
    <message>
        <source>IN4</source>
        <translation>IN4</translation>
    </message>
    <message>
        <source>0 dB</source>
        <translation>0 dB</translation>
    </message>
    <message>
        <source>6 dB</source>
        <translation>6 dB</translation>
    </message>
    <message>
        <source>-150 dB</source>
        <translation>-150 dB</translation>
    </message>
    <message>
        <source>dB</source>
        <translation>dB</translation>
    </message>
</context>
</TS>
