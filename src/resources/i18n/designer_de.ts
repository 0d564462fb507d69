<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>DesignerTransfer</name>
    <message>
        <source>The project holds no virtual-controller block.</source>
        <translation>Das Projekt enthält keinen Block für virtuelle Steller.</translation>
    </message>
</context>
<context>
    <name>CCurveDlg</name>
    <message>
        <source>Properties</source>
        <translation>Eigenschaften</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>ID:</source>
        <translation>ID:</translation>
    </message>
    <message>
        <source>Driven by:</source>
        <translation>Gesteuert von:</translation>
    </message>
    <message>
        <source>Drives:</source>
        <translation>Steuert:</translation>
    </message>
    <message>
        <source>Output value</source>
        <translation>Ausgangswert</translation>
    </message>
    <message>
        <source>(none)</source>
        <translation>(keine)</translation>
    </message>
</context>
<context>
    <name>CurveDlgState</name>
    <message>
        <source>The name contains characters that cannot be stored. Please use letters, digits and Western European characters only.</source>
        <translation>Der Name enthält Zeichen, die nicht gespeichert werden können. Bitte nur Buchstaben, Ziffern und westeuropäische Zeichen verwenden.</translation>
    </message>
</context>
</TS>
