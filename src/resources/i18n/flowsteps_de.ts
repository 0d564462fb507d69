<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>CRepeatMacroView</name>
    <message>
        <source>Repeat macro if condition is set</source>
        <translation>Makro wiederholen, solange die Bedingung gesetzt ist</translation>
    </message>
    <message>
        <source>Macro</source>
        <translation>Makro</translation>
    </message>
    <message>
        <source>Condition</source>
        <translation>Bedingung</translation>
    </message>
    <message>
        <source>Time intervall</source>
        <translation>Zeitintervall</translation>
    </message>
    <message>
        <source>s ( 0 .. 300 s )</source>
        <translation>s ( 0 .. 300 s )</translation>
    </message>
    <message>
        <source>Repeat count</source>
        <translation>Wiederholungen</translation>
    </message>
    <message>
        <source>( 1..65536; 0 infinetely )</source>
        <translation>( 1..65536; 0 unendlich )</translation>
    </message>
</context>
<context>
    <name>CSequenceMacroView</name>
    <message>
        <source>Start multiple macros with timer control</source>
        <translation>Mehrere Makros zeitgesteuert starten</translation>
    </message>
</context>
<context>
    <name>CMemoFlagMacroView</name>
    <message>
        <source>Set / reset a Memo Flag</source>
        <translation>Merker setzen / rücksetzen</translation>
    </message>
    <message>
        <source>Memo Flag</source>
        <translation>Merker</translation>
    </message>
</context>
<context>
    <name>CSlaveClockMacroView</name>
    <message>
        <source>Functions for slave clocks</source>
        <translation>Funktionen für Nebenuhren</translation>
    </message>
    <message>
        <source>Start slave clock</source>
        <translation>Nebenuhr starten</translation>
    </message>
    <message>
        <source>Stop slave clock</source>
        <translation>Nebenuhr anhalten</translation>
    </message>
    <message>
        <source>Set slave clock</source>
        <translation>Nebenuhr stellen</translation>
    </message>
    <message>
        <source>Slaveclocks shows</source>
        <translation>Nebenuhren zeigen</translation>
    </message>
</context>
<context>
    <name>CZonetestMacroView</name>
    <message>
        <source>Starting / stopping of a zonetest or an impedance measurement</source>
        <translation>Starten / Stoppen eines Linientests oder einer Impedanzmessung</translation>
    </message>
    <message>
        <source>Stop measurements</source>
        <translation>Messungen beenden</translation>
    </message>
    <message>
        <source>Line test</source>
        <translation>Linientest</translation>
    </message>
    <message>
        <source>Impedance measurement</source>
        <translation>Impedanzmessung</translation>
    </message>
    <message>
        <source>Zones</source>
        <translation>Linien</translation>
    </message>
</context>
<context>
    <name>CDIGIOMacroView</name>
    <message>
        <source>Switch a logic output  ( 8 I/O Control module, KCM 208, KCM 209 ) .
A pulse width of 0 switches the output statically; a pulse width above 0 switches it for that time and back.</source>
        <translation>Logikausgang schalten  ( 8 E/A-Steuermodul, KCM 208, KCM 209 ) .
Pulsbreite 0 schaltet den Ausgang statisch; eine Pulsbreite über 0 schaltet ihn für diese Zeit und zurück.</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>Ausgang</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>s   (0.1 - 100.0 s
      0 = static)</source>
        <translation>s   (0,1 - 100,0 s
      0 = statisch)</translation>
    </message>
    <message>
        <source>Output ON</source>
        <translation>Ausgang EIN</translation>
    </message>
    <message>
        <source>Output OFF</source>
        <translation>Ausgang AUS</translation>
    </message>
</context>
<context>
    <name>CInselMacroView</name>
    <message>
        <source>Select an AUX - source  (i.e.:  for background music)</source>
        <translation>AUX-Quelle wählen  (z. B. für Hintergrundmusik)</translation>
    </message>
    <message>
        <source>AUX - input</source>
        <translation>AUX-Eingang</translation>
    </message>
</context>
<context>
    <name>CVolumeMacroView</name>
    <message>
        <source>Change volume values.

If 'Direct' selected : volume value is absolute and specified in dB.
If 'Controller' selected : volume value is relative to actual setting in dB (up/down).</source>
        <translation>Lautstärkewerte ändern.

Bei 'Direkt' : der Lautstärkewert ist absolut und in dB angegeben.
Bei 'Regler' : der Lautstärkewert ist relativ zur aktuellen Einstellung in dB (auf/ab).</translation>
    </message>
    <message>
        <source>Volume control</source>
        <translation>Lautstärkeregler</translation>
    </message>
    <message>
        <source>Controller</source>
        <translation>Regler</translation>
    </message>
    <message>
        <source>Direct</source>
        <translation>Direkt</translation>
    </message>
    <message>
        <source>dB</source>
        <translation>dB</translation>
    </message>
    <message>
        <source>Increment / absolute</source>
        <translation>Erhöhen / absolut</translation>
    </message>
    <message>
        <source>Decrement / absolute</source>
        <translation>Verringern / absolut</translation>
    </message>
</context>
<context>
    <name>CVirtCtrlMacroView</name>
    <message>
        <source>Setting virtual controller</source>
        <translation>Virtuellen Regler einstellen</translation>
    </message>
    <message>
        <source>VC</source>
        <translation>VR</translation>
    </message>
    <message>
        <source>Steps</source>
        <translation>Schritte</translation>
    </message>
    <message>
        <source>( 0: absolute,
-127..-1: decrement, +1..+127 increment)</source>
        <translation>( 0: absolut,
-127..-1: verringern, +1..+127 erhöhen)</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Wert</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Unit</source>
        <translation>Einheit</translation>
    </message>
    <message>
        <source>Digits behind point</source>
        <translation>Nachkommastellen</translation>
    </message>
</context>
<context>
    <name>CMonitorMacroView</name>
    <message>
        <source>Select a monitor source</source>
        <translation>Mithörquelle wählen</translation>
    </message>
    <message>
        <source>Table</source>
        <translation>Tabelle</translation>
    </message>
    <message>
        <source>Direct</source>
        <translation>Direkt</translation>
    </message>
    <message>
        <source>UP</source>
        <translation>AUF</translation>
    </message>
    <message>
        <source>DOWN</source>
        <translation>AB</translation>
    </message>
</context>
</TS>
