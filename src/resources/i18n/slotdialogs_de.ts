<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>CInterfaceSlotDlg</name>
    <message>
        <source>Interface</source>
        <translation>Interface</translation>
    </message>
    <message>
        <source>PC</source>
        <translation>PC</translation>
    </message>
    <message>
        <source>Inputs</source>
        <translation>Eingänge</translation>
    </message>
    <message>
        <source>DCF77</source>
        <translation>DCF77</translation>
    </message>
    <message>
        <source>INP 1</source>
        <translation>INP 1</translation>
    </message>
    <message>
        <source>INP 2</source>
        <translation>INP 2</translation>
    </message>
    <message>
        <source>Outputs</source>
        <translation>Ausgänge</translation>
    </message>
    <message>
        <source>READY</source>
        <translation>READY</translation>
    </message>
    <message>
        <source>MONITOR</source>
        <translation>MONITOR</translation>
    </message>
    <message>
        <source>REMOTE</source>
        <translation>REMOTE</translation>
    </message>
    <message>
        <source>24V Power Supply</source>
        <translation>24-V-Stromversorgung</translation>
    </message>
    <message>
        <source>RTP3004   (4A)</source>
        <translation>RTP3004   (4A)</translation>
    </message>
    <message>
        <source>RTP3012   (12A)</source>
        <translation>RTP3012   (12A)</translation>
    </message>
</context>
<context>
    <name>CDigitalSlotDlg</name>
    <message>
        <source>Digital slot</source>
        <translation>Digitaler Steckplatz</translation>
    </message>
    <message>
        <source>Inputs</source>
        <translation>Eingänge</translation>
    </message>
    <message>
        <source>Outputs</source>
        <translation>Ausgänge</translation>
    </message>
    <message>
        <source>IN %1</source>
        <translation>IN %1</translation>
    </message>
    <message>
        <source>SC</source>
        <translation>SC</translation>
    </message>
    <message>
        <source>OUT %1</source>
        <translation>OUT %1</translation>
    </message>
</context>
<context>
    <name>CDigitalSlotMenu</name>
    <message>
        <source>&amp;Empty slot</source>
        <translation>&amp;Leerer Steckplatz</translation>
    </message>
    <message>
        <source>&amp;8 I/O Control module</source>
        <translation>&amp;8 E/A Steuermodul</translation>
    </message>
    <message>
        <source>&amp;Properties ...</source>
        <translation>&amp;Eigenschaften ...</translation>
    </message>
</context>
<context>
    <name>CInterfaceSlotMenu</name>
    <message>
        <source>Properties ...</source>
        <translation>Eigenschaften ...</translation>
    </message>
</context>
<context>
    <name>CInternalSlotMenu</name>
    <message>
        <source>Properties ...</source>
        <translation>Eigenschaften ...</translation>
    </message>
    <message>
        <source>Delete device</source>
        <translation>Gerät löschen</translation>
    </message>
</context>
</TS>
