<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>CCommLink</name>
    <message>
        <source>&quot;%1&quot; was not sent to the unit: the note that it may be left open cannot be written to &quot;%2&quot; (%3).</source>
        <translation>&quot;%1&quot; wurde nicht an die Zentrale gesendet: der Vermerk, dass sie offen bleiben könnte, kann nicht in &quot;%2&quot; geschrieben werden (%3).</translation>
    </message>
    <message>
        <source>An earlier connection on %1 may have left another unit with %2 (%3). The unit that answers now on %4 is another one (%5): it got no closing lines, and the note stays until that unit is connected again.</source>
        <translation>Eine frühere Verbindung an %1 hat womöglich eine andere Zentrale mit %2 hinterlassen (%3). Die Zentrale, die jetzt an %4 antwortet, ist eine andere (%5): sie hat keine Schlusszeilen erhalten, und der Vermerk bleibt, bis jene Zentrale wieder verbunden wird.</translation>
    </message>
    <message>
        <source>An earlier connection on %1, which is no longer there, may have left a unit with %2 (%3). The unit that answers now on %4 is another one (%5): it got no closing lines, and the note stays until that unit is connected again.</source>
        <translation>Eine frühere Verbindung an %1, das es nicht mehr gibt, hat womöglich eine Zentrale mit %2 hinterlassen (%3). Die Zentrale, die jetzt an %4 antwortet, ist eine andere (%5): sie hat keine Schlusszeilen erhalten, und der Vermerk bleibt, bis jene Zentrale wieder verbunden wird.</translation>
    </message>
    <message>
        <source>It has been sent now, and the unit has taken it.</source>
        <translation>Die Zeile ist jetzt gesendet, und die Zentrale hat sie übernommen.</translation>
    </message>
    <message>
        <source>It has been sent now, but the unit has not confirmed it; it goes again when this connection is closed.</source>
        <translation>Die Zeile ist jetzt gesendet, aber die Zentrale hat sie nicht bestätigt; sie geht erneut, wenn diese Verbindung geschlossen wird.</translation>
    </message>
    <message>
        <source>Not sent: %1</source>
        <translation>Nicht gesendet: %1</translation>
    </message>
    <message>
        <source>The last connection to the unit on %1 ended before the unit had taken %2.</source>
        <translation>Die letzte Verbindung zur Zentrale an %1 endete, bevor die Zentrale %2 übernommen hatte.</translation>
    </message>
    <message>
        <source>The note names no unit; the unit that answers now on %1 (%2) is on the same terminal.</source>
        <translation>Der Vermerk nennt keine Zentrale; die Zentrale, die jetzt an %1 antwortet (%2), hängt an derselben Schnittstelle.</translation>
    </message>
    <message>
        <source>The unit may hold part of what that connection was sending when it ended: a whole download puts it right.</source>
        <translation>Die Zentrale enthält womöglich einen Teil dessen, was jene Verbindung sendete, als sie endete: eine vollständige Übertragung stellt das richtig.</translation>
    </message>
    <message>
        <source>The unit on %1 was not opened: the note that it may be left open cannot be written to &quot;%2&quot; (%3). Nothing that unlocks it or lifts its protection was sent.</source>
        <translation>Die Zentrale an %1 wurde nicht geöffnet: der Vermerk, dass sie offen bleiben könnte, kann nicht in &quot;%2&quot; geschrieben werden (%3). Nichts, was sie entsperrt oder ihren Schutz aufhebt, wurde gesendet.</translation>
    </message>
    <message>
        <source>The unit on %1 was not opened: the notes of units that may have been left open cannot be read from &quot;%2&quot; (%3). Nothing that unlocks it or lifts its protection was sent.</source>
        <translation>Die Zentrale an %1 wurde nicht geöffnet: die Vermerke über Zentralen, die offen geblieben sein könnten, können nicht aus &quot;%2&quot; gelesen werden (%3). Nichts, was sie entsperrt oder ihren Schutz aufhebt, wurde gesendet.</translation>
    </message>
    <message>
        <source>The unit that answers now on %1 is that unit (%2).</source>
        <translation>Die Zentrale, die jetzt an %1 antwortet, ist jene Zentrale (%2).</translation>
    </message>
    <message>
        <source>The unit that answers now on %1 is that unit (%2); its operating system has changed since (then %3).</source>
        <translation>Die Zentrale, die jetzt an %1 antwortet, ist jene Zentrale (%2); ihr Betriebssystem hat sich seither geändert (damals %3).</translation>
    </message>
    <message>
        <source>They have been sent now, and the unit has taken them.</source>
        <translation>Beide sind jetzt gesendet, und die Zentrale hat sie übernommen.</translation>
    </message>
    <message>
        <source>They have been sent now, but the unit has not confirmed them; they go again when this connection is closed.</source>
        <translation>Beide sind jetzt gesendet, aber die Zentrale hat sie nicht bestätigt; sie gehen erneut, wenn diese Verbindung geschlossen wird.</translation>
    </message>
    <message>
        <source>which unit, the note does not say</source>
        <translation>welche Zentrale, sagt der Vermerk nicht</translation>
    </message>
</context>
<context>
    <name>CUnclosedNotes</name>
    <message>
        <source>%1 and %2</source>
        <translation>%1 und %2</translation>
    </message>
    <message>
        <source>its macros locked</source>
        <translation>gesperrten Makros</translation>
    </message>
    <message>
        <source>its macros locked and its settings unprotected</source>
        <translation>gesperrten Makros und ungeschützten Einstellungen</translation>
    </message>
    <message>
        <source>its settings unprotected</source>
        <translation>ungeschützten Einstellungen</translation>
    </message>
    <message>
        <source>the settings file cannot be written</source>
        <translation>die Einstellungsdatei kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>the file does not hold the notes after they were written</source>
        <translation>die Datei enthält die Vermerke nicht, nachdem sie geschrieben wurden</translation>
    </message>
</context>
<context>
    <name>CUnitClosing</name>
    <message>
        <source>The unit may still have its macros locked and its settings unprotected: %1. Connect to it again (the program then sends &quot;/MACRO/LOCK OFF&quot; and &quot;/PROTECT ON&quot; first), or send these two lines to the unit.</source>
        <translation>Die Makros der Zentrale sind womöglich noch gesperrt und ihre Einstellungen ungeschützt: %1. Verbinden Sie sich erneut mit ihr (das Programm sendet dann zuerst &quot;/MACRO/LOCK OFF&quot; und &quot;/PROTECT ON&quot;), oder senden Sie diese zwei Zeilen an die Zentrale.</translation>
    </message>
    <message>
        <source>The unit may still have its macros locked: %1. Connect to it again (the program then sends &quot;/MACRO/LOCK OFF&quot; first), or send this line to the unit.</source>
        <translation>Die Makros der Zentrale sind womöglich noch gesperrt: %1. Verbinden Sie sich erneut mit ihr (das Programm sendet dann zuerst &quot;/MACRO/LOCK OFF&quot;), oder senden Sie diese Zeile an die Zentrale.</translation>
    </message>
    <message>
        <source>The unit may still have its macros locked: it has not confirmed &quot;/MACRO/LOCK OFF&quot; yet. It gets the line again when the connection is closed; or send &quot;/MACRO/LOCK OFF&quot; to the unit.</source>
        <translation>Die Makros der Zentrale sind womöglich noch gesperrt: sie hat &quot;/MACRO/LOCK OFF&quot; noch nicht bestätigt. Sie erhält die Zeile erneut, wenn die Verbindung geschlossen wird; oder senden Sie &quot;/MACRO/LOCK OFF&quot; an die Zentrale.</translation>
    </message>
    <message>
        <source>The unit may still have its settings unprotected: %1. Connect to it again (the program then sends &quot;/PROTECT ON&quot; first), or send this line to the unit.</source>
        <translation>Die Einstellungen der Zentrale sind womöglich noch ungeschützt: %1. Verbinden Sie sich erneut mit ihr (das Programm sendet dann zuerst &quot;/PROTECT ON&quot;), oder senden Sie diese Zeile an die Zentrale.</translation>
    </message>
    <message>
        <source>the connection ended before it got %1</source>
        <translation>die Verbindung endete, bevor sie %1 erhielt</translation>
    </message>
    <message>
        <source>the connection ended before it had confirmed %1</source>
        <translation>die Verbindung endete, bevor sie %1 bestätigt hatte</translation>
    </message>
    <message>
        <source>the connection ended before it had confirmed %1 and before it got %2</source>
        <translation>die Verbindung endete, bevor sie %1 bestätigt und %2 erhalten hatte</translation>
    </message>
</context>
</TS>
