<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>CMacroKeyTypesLogic</name>
    <message>
        <source>Release key : no action</source>
        <translation>Taste loslassen : keine Aktion</translation>
    </message>
    <message>
        <source>Release key : start macro B</source>
        <translation>Taste loslassen : Makro B starten</translation>
    </message>
    <message>
        <source>Press key second time: start makro B</source>
        <translation>Taste zweites Mal drücken: Makro B starten</translation>
    </message>
    <message>
        <source>Hold key down: repeat makro A</source>
        <translation>Taste gedrückt halten: Makro A wiederholen</translation>
    </message>
    <message>
        <source>Key is a radio button</source>
        <translation>Taste ist eine Optionstaste</translation>
    </message>
</context>
<context>
    <name>CMacroKeyTypesDlg</name>
    <message>
        <source>Macro key activation types</source>
        <translation>Aktivierungsarten der Makrotaste</translation>
    </message>
    <message>
        <source>The macro key, if pressed starts the following macro :</source>
        <translation>Die Makrotaste startet beim Drücken folgendes Makro :</translation>
    </message>
    <message>
        <source>( Macro A :  chosen in       the &apos;Key property dialog&apos;)</source>
        <translation>( Makro A :  gewählt im       Dialog &apos;Tasteneigenschaften&apos;)</translation>
    </message>
    <message>
        <source>The &apos;activity type&apos; determines the action which follows:</source>
        <translation>Die &apos;Aktivierungsart&apos; bestimmt die folgende Aktion:</translation>
    </message>
    <message>
        <source>Macro B</source>
        <translation>Makro B</translation>
    </message>
    <message>
        <source>Repeat rate  (1/sec.)</source>
        <translation>Wiederholrate  (1/s)</translation>
    </message>
    <message>
        <source>Radio number</source>
        <translation>Optionsnummer</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>CKeyRangeDlg</name>
    <message>
        <source>Please enter an integer.</source>
        <translation>Bitte geben Sie eine ganze Zahl ein.</translation>
    </message>
    <message>
        <source>Please enter an integer between %1 and %2.</source>
        <translation>Bitte geben Sie eine ganze Zahl zwischen %1 und %2 ein.</translation>
    </message>
    <message>
        <source>Range programming for keys</source>
        <translation>Bereichsprogrammierung für Tasten</translation>
    </message>
    <message>
        <source>Key number of key to start with programming</source>
        <translation>Nummer der Taste, mit der die Programmierung beginnt</translation>
    </message>
    <message>
        <source>      stop number:</source>
        <translation>      Endnummer:</translation>
    </message>
    <message>
        <source>Line number of zone to start with programming for above key</source>
        <translation>Zeilennummer der Zone, mit der für obige Taste begonnen wird</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>CCopyKeyDlg</name>
    <message>
        <source>Copy key properties</source>
        <translation>Tasteneigenschaften kopieren</translation>
    </message>
    <message>
        <source>Key properties of console</source>
        <translation>Tasteneigenschaften der Sprechstelle</translation>
    </message>
    <message>
        <source>will be completely copied to console:</source>
        <translation>werden vollständig kopiert zur Sprechstelle:</translation>
    </message>
    <message>
        <source>C&amp;opy</source>
        <translation>K&amp;opieren</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
</context>
</TS>
