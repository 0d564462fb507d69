<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>MacroListModel</name>
    <message><source>A macro of this type exists already !</source><translation>Ein Makro dieses Typs existiert bereits !</translation></message>
</context>
<context>
    <name>CMacroStepView</name>
    <message><source>Function</source><translation>Funktion</translation></message>
    <message><source>Parameter</source><translation>Parameter</translation></message>
</context>
<context>
    <name>CEmptyMacroView</name>
    <message><source>You must select or create a macro type</source><translation>Bitte einen Makrotyp auswählen oder anlegen</translation></message>
</context>
<context>
    <name>CStopMacroView</name>
    <message><source>Stops all macros with lower priority</source><translation>Stoppt alle Makros mit niedrigerer Priorität</translation></message>
    <message><source>Priority</source><translation>Priorität</translation></message>
</context>
<context>
    <name>CPowerMacroView</name>
    <message><source>Switch system on or off</source><translation>Anlage ein- oder ausschalten</translation></message>
    <message><source>Power-on priority :</source><translation>Priorität Einschalten :</translation></message>
    <message><source>POWER ON</source><translation>EIN</translation></message>
    <message><source>POWER OFF</source><translation>AUS</translation></message>
</context>
</TS>
