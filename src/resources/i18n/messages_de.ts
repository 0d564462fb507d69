<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>CCollectionCall</name>
    <message>
        <source>Zone %1 not present in actual project !</source>
        <translation>Zone %1 ist im aktuellen Projekt nicht vorhanden !</translation>
    </message>
</context>
<context>
    <name>CConsole</name>
    <message>
        <source>Warning: This console has too many Groups ! (%1)</source>
        <translation>Warnung: Diese Sprechstelle hat zu viele Gruppen ! (%1)</translation>
    </message>
    <message>
        <source>Keys whose group was not stored: %1</source>
        <translation>Tasten, deren Gruppe nicht gespeichert wurde: %1</translation>
    </message>
</context>
<context>
    <name>CGroup</name>
    <message>
        <source>You cannot add an additional group level !</source>
        <translation>Eine weitere Gruppenebene kann nicht hinzugefügt werden !</translation>
    </message>
</context>
<context>
    <name>CZone</name>
    <message>
        <source>Zone %1 : the unit names it &quot;%2&quot;, the name of zone %3 too</source>
        <translation>Zone %1 : die Zentrale nennt sie &quot;%2&quot;, so heißt auch Zone %3</translation>
    </message>
    <message>
        <source>Zone %1 : the unit names it &quot;%2&quot;, the name of another object too</source>
        <translation>Zone %1 : die Zentrale nennt sie &quot;%2&quot;, so heißt auch ein anderes Objekt</translation>
    </message>
</context>
<context>
    <name>CIDManager</name>
    <message>
        <source>IDManager: GetBaseDevice %1,%2
</source>
        <translation>IDManager: GetBaseDevice %1,%2
</translation>
    </message>
</context>
<context>
    <name>CInterfaceSlot</name>
    <message>
        <source>Out of Memory during creating power object!</source>
        <translation>Nicht genügend Speicher beim Anlegen des Versorgungsobjekts!</translation>
    </message>
</context>
<context>
    <name>CRelaisTopology</name>
    <message>
        <source>The relay topologies &quot;%1&quot; and &quot;%2&quot; have the same collection call number %3.
The unit keeps the zones of the one sent last.</source>
        <translation>Die Relaistopologien &quot;%1&quot; und &quot;%2&quot; haben dieselbe Sammelrufnummer %3.
Die Zentrale behält die Zonen der zuletzt gesendeten.</translation>
    </message>
</context>
<context>
    <name>CRecorderWindowState</name>
    <message>
        <source>No output</source>
        <translation>Kein Ausgang</translation>
    </message>
</context>
<context>
    <name>CKCM</name>
    <message>
        <source>Internal Message kcm:1</source>
        <translation>Interne Meldung kcm:1</translation>
    </message>
    <message>
        <source>Internal Message kcm:2</source>
        <translation>Interne Meldung kcm:2</translation>
    </message>
</context>
<context>
    <name>CKeyPropertiesDlg</name>
    <message>
        <source>Warning: This console has too many Groups ! </source>
        <translation>Warnung: Diese Sprechstelle hat zu viele Gruppen ! </translation>
    </message>
</context>
<context>
    <name>CKeyPropertiesLogic</name>
    <message>
        <source>The EXT connector is in use by  RCX6350 !</source>
        <translation>Der EXT-Anschluss wird von RCX6350 benutzt !</translation>
    </message>
    <message>
        <source>The EXT connector is in use by  another PTT or AUX key  !</source>
        <translation>Der EXT-Anschluss wird von einer anderen PTT- oder AUX-Taste benutzt !</translation>
    </message>
</context>
<context>
    <name>CKeyViewLogic</name>
    <message>
        <source>Harborlight does not answer to version number request !</source>
        <translation>Harborlight antwortet nicht auf die Abfrage der Versionsnummer !</translation>
    </message>
</context>
<context>
    <name>CPPCons1</name>
    <message>
        <source>Pre-chime before announcement</source>
        <translation>Vorgong bei Durchsagen</translation>
    </message>
    <message>
        <source>Priority:</source>
        <translation>Priorität:</translation>
    </message>
</context>
</TS>
