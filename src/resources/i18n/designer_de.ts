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
</TS>
