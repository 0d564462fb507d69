<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>CLCDTextMacroView</name>
    <message>
        <source>Display a line of text on a Paging Console LCD</source>
        <translation>Eine Textzeile auf dem LCD einer Sprechstelle anzeigen</translation>
    </message>
    <message>
        <source>Console</source>
        <translation>Sprechstelle</translation>
    </message>
    <message>
        <source>Text Display Duration</source>
        <translation>Anzeigedauer des Textes</translation>
    </message>
    <message>
        <source>s       ( 0 = infinite )</source>
        <translation>s       ( 0 = unbegrenzt )</translation>
    </message>
    <message>
        <source>Line 1</source>
        <translation>Zeile 1</translation>
    </message>
    <message>
        <source>Line 2</source>
        <translation>Zeile 2</translation>
    </message>
    <message>
        <source>( max. 16 chars )</source>
        <translation>( max. 16 Zeichen )</translation>
    </message>
    <message>
        <source>clear other line</source>
        <translation>andere Zeile löschen</translation>
    </message>
    <message>
        <source>buzzer when new text</source>
        <translation>Summer bei neuem Text</translation>
    </message>
</context>
<context>
    <name>CBuzzerMacroView</name>
    <message>
        <source>Configuring the console buzzer</source>
        <translation>Summer der Sprechstelle einstellen</translation>
    </message>
    <message>
        <source>Console</source>
        <translation>Sprechstelle</translation>
    </message>
    <message>
        <source>Pattern</source>
        <translation>Muster</translation>
    </message>
    <message>
        <source>( max. 16 characters)</source>
        <translation>( max. 16 Zeichen)</translation>
    </message>
    <message>
        <source>Time for one pattern</source>
        <translation>Dauer eines Musters</translation>
    </message>
    <message>
        <source>s       (0=buzzer off)</source>
        <translation>s       (0=Summer aus)</translation>
    </message>
    <message>
        <source>Pattern repeat counter</source>
        <translation>Wiederholungen des Musters</translation>
    </message>
    <message>
        <source>(0=infinite, 1 .. 255)</source>
        <translation>(0=unbegrenzt, 1 .. 255)</translation>
    </message>
    <message>
        <source>Pause between patterns</source>
        <translation>Pause zwischen den Mustern</translation>
    </message>
    <message>
        <source>s (0 .. 255 s)</source>
        <translation>s (0 .. 255 s)</translation>
    </message>
</context>
<context>
    <name>CRecordMacroView</name>
    <message>
        <source>Recording messages from VMX input via internal message recorder</source>
        <translation>Aufnahme von Durchsagen vom VMX-Eingang über den internen Durchsagespeicher</translation>
    </message>
    <message>
        <source>Record message</source>
        <translation>Durchsage aufnehmen</translation>
    </message>
    <message>
        <source>Input</source>
        <translation>Eingang</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>Recording time</source>
        <translation>Aufnahmedauer</translation>
    </message>
    <message>
        <source>( 0.0 .. 360.4 s ; 0.0 no time limit )</source>
        <translation>( 0.0 .. 360.4 s ; 0.0 ohne Zeitgrenze )</translation>
    </message>
    <message>
        <source>Record ON</source>
        <translation>Aufnahme EIN</translation>
    </message>
    <message>
        <source>Record OFF</source>
        <translation>Aufnahme AUS</translation>
    </message>
</context>
<context>
    <name>CEraseMacroView</name>
    <message>
        <source>Delete recorded message</source>
        <translation>Aufgenommene Durchsage löschen</translation>
    </message>
    <message>
        <source>Recorded message</source>
        <translation>Aufgenommene Durchsage</translation>
    </message>
</context>
</TS>
