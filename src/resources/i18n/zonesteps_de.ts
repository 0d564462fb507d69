<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>CZoneSwitchMacroView</name>
    <message>
        <source>Input</source>
        <translation>Eingang</translation>
    </message>
    <message>
        <source>Priority</source>
        <translation>Priorität</translation>
    </message>
    <message>
        <source>Lines</source>
        <translation>Linien</translation>
    </message>
    <message>
        <source>Lines and Groups</source>
        <translation>Linien und Gruppen</translation>
    </message>
    <message>
        <source>ON/OFF</source>
        <translation>EIN/AUS</translation>
    </message>
    <message>
        <source>ADD/SUB</source>
        <translation>ADD/SUB</translation>
    </message>
</context>
<context>
    <name>CAlarmMacroView</name>
    <message>
        <source>Alarm signal is switched to selected zones/groups</source>
        <translation>Alarmsignal wird auf die gewählten Linien/Gruppen geschaltet</translation>
    </message>
    <message>
        <source>Alarm ON</source>
        <translation>Alarm EIN</translation>
    </message>
    <message>
        <source>Alarm OFF</source>
        <translation>Alarm AUS</translation>
    </message>
    <message>
        <source>Alarm</source>
        <translation>Alarm</translation>
    </message>
</context>
<context>
    <name>CMessageMacroView</name>
    <message>
        <source>Switch text signal to selected zones/groups.</source>
        <translation>Textsignal auf die gewählten Linien/Gruppen schalten.</translation>
    </message>
    <message>
        <source>Message ON</source>
        <translation>Text EIN</translation>
    </message>
    <message>
        <source>Message OFF</source>
        <translation>Text AUS</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Text</translation>
    </message>
</context>
<context>
    <name>CChimeMacroView</name>
    <message>
        <source>Chime signal is switched to selected zones/groups</source>
        <translation>Gongsignal wird auf die gewählten Linien/Gruppen geschaltet</translation>
    </message>
    <message>
        <source>Chime ON</source>
        <translation>Gong EIN</translation>
    </message>
    <message>
        <source>Chime OFF</source>
        <translation>Gong AUS</translation>
    </message>
    <message>
        <source>Chime</source>
        <translation>Gong</translation>
    </message>
</context>
<context>
    <name>CPageMacroView</name>
    <message>
        <source>Audio input is switched to selected zones/groups</source>
        <translation>Audioeingang wird auf die gewählten Linien/Gruppen geschaltet</translation>
    </message>
    <message>
        <source>Announcement ON</source>
        <translation>Durchsage EIN</translation>
    </message>
    <message>
        <source>Announcement OFF</source>
        <translation>Durchsage AUS</translation>
    </message>
    <message>
        <source>Pre-chime</source>
        <translation>Vorgong</translation>
    </message>
</context>
<context>
    <name>CBackgroundMacroView</name>
    <message>
        <source>Switch background music to selected zones/groups.
 (The actual selection is shown on all consoles.)</source>
        <translation>Hintergrundmusik auf die gewählten Linien/Gruppen schalten.
 (Die aktuelle Auswahl wird auf allen Sprechstellen angezeigt.)</translation>
    </message>
    <message>
        <source>Program ON</source>
        <translation>Programm EIN</translation>
    </message>
    <message>
        <source>Program OFF</source>
        <translation>Programm AUS</translation>
    </message>
</context>
<context>
    <name>CAmpMacroView</name>
    <message>
        <source>Switching options for remote amplifiers</source>
        <translation>Schaltoptionen für ferngesteuerte Verstärker</translation>
    </message>
    <message>
        <source>Amplifier</source>
        <translation>Verstärker</translation>
    </message>
    <message>
        <source>Activation Options</source>
        <translation>Einschaltoptionen</translation>
    </message>
    <message>
        <source>Switch off options</source>
        <translation>Ausschaltoptionen</translation>
    </message>
    <message>
        <source>Main Power</source>
        <translation>Netz</translation>
    </message>
    <message>
        <source>Battery</source>
        <translation>Batterie</translation>
    </message>
    <message>
        <source>Pilot tone</source>
        <translation>Pilotton</translation>
    </message>
    <message>
        <source>FAULT reset</source>
        <translation>STÖRUNG rücksetzen</translation>
    </message>
</context>
<context>
    <name>CAmpMuteMacroView</name>
    <message>
        <source>Mute an amplifier channel</source>
        <translation>Verstärkerkanal stummschalten</translation>
    </message>
    <message>
        <source>Amplifier channels</source>
        <translation>Verstärkerkanäle</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>Stumm</translation>
    </message>
</context>
</TS>
