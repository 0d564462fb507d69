<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>CPreferencesState</name>
    <message>
        <source>%1 (present)</source>
        <translation>%1 (vorhanden)</translation>
    </message>
    <message>
        <source>%1 (not present)</source>
        <translation>%1 (nicht vorhanden)</translation>
    </message>
</context>
<context>
    <name>CLinkPanel</name>
    <message>
        <source>This computer has no serial port yet. Plug in the unit&apos;s USB adapter, or choose the unit&apos;s port under View &gt; Preferences.</source>
        <translation>Dieser Computer hat noch keine serielle Schnittstelle. Stecken Sie den USB-Adapter der Zentrale ein, oder wählen Sie die Schnittstelle der Zentrale unter Ansicht &gt; Einstellungen.</translation>
    </message>
    <message>
        <source>Not connected (no serial port chosen)</source>
        <translation>Nicht verbunden (keine serielle Schnittstelle gewählt)</translation>
    </message>
</context>
<context>
    <name>CCanvasController</name>
    <message>
        <source>A wire is drawn from an output pin (filled, on a block&apos;s right-hand side) to an input pin (hollow, on the left-hand side): drag from the output pin.</source>
        <translation>Eine Verbindung wird von einem Ausgang (gefüllt, rechts am Block) zu einem Eingang (hohl, links) gezogen: Ziehen Sie vom Ausgang aus.</translation>
    </message>
</context>
</TS>
