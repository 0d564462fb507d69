<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>CProjectFile</name>
    <message>
        <source>The project file is damaged: its contents no longer match the checksum written with them.</source>
        <translation>Die Projektdatei ist beschädigt: Ihr Inhalt passt nicht mehr zu der mit ihm geschriebenen Prüfsumme.</translation>
    </message>
</context>
<context>
    <name>CSelvantisDoc</name>
    <message>
        <source>The backup &quot;%1&quot; holds the project as it was before its last save.</source>
        <translation>Die Sicherungskopie &quot;%1&quot; enthält das Projekt im Stand vor dem letzten Speichern.</translation>
    </message>
    <message>
        <source>The backup &quot;%1&quot; cannot be written:
%2

Save the project without a new backup? The previous backup, if any, stays as it was.</source>
        <translation>Die Sicherungskopie &quot;%1&quot; kann nicht geschrieben werden:
%2

Das Projekt ohne neue Sicherungskopie speichern? Eine vorhandene ältere Sicherungskopie bleibt unverändert.</translation>
    </message>
</context>
</TS>
