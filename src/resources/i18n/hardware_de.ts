<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>CServiceDlg</name>
    <message><source>Service functions</source><translation>Servicefunktionen</translation></message>
    <message><source>Read registers</source><translation>Register lesen</translation></message>
    <message><source>Start</source><translation>Start</translation></message>
    <message><source>Start test</source><translation>Test auslösen</translation></message>
    <message><source>Read registers again</source><translation>Register neu auslesen</translation></message>
    <message><source>Status</source><translation>Status</translation></message>
    <message><source>Power On Events</source><translation>Einschaltvorgänge</translation></message>
    <message><source>Online</source><translation>Online</translation></message>
    <message><source>VMX Software version</source><translation>VMX-Softwareversion</translation></message>
    <message><source>Test</source><translation>Test</translation></message>
    <message><source>Function</source><translation>Funktion</translation></message>
</context>
</TS>
