<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>CModalGuard</name>
    <message>
        <source>The program is ending.</source>
        <translation>Das Programm wird beendet.</translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <source>A transfer with the unit is running.

Stop it and close the program? The unit gets its closing lines first.</source>
        <translation>Eine Übertragung mit der Zentrale läuft.

Sie abbrechen und das Programm schließen? Die Zentrale erhält zuerst ihre abschließenden Zeilen.</translation>
    </message>
    <message>
        <source>Stopping the transfer; the program closes when the unit has its closing lines.</source>
        <translation>Die Übertragung wird abgebrochen; das Programm schließt, sobald die Zentrale ihre abschließenden Zeilen hat.</translation>
    </message>
</context>
<context>
    <name>CRecoveryStore</name>
    <message>
        <source>The folder "%1" cannot be made.</source>
        <translation>Der Ordner "%1" kann nicht angelegt werden.</translation>
    </message>
    <message>
        <source>The new project "%1" had changes that were not saved when the program was ended on %2. They were kept in a recovery copy.</source>
        <translation>Das neue Projekt "%1" hatte ungespeicherte Änderungen, als das Programm am %2 beendet wurde. Sie wurden in einer Wiederherstellungskopie aufbewahrt.</translation>
    </message>
    <message>
        <source>The project "%1" had changes that were not saved when the program was ended on %2. They were kept in a recovery copy; the project file "%3" is as it was saved last.</source>
        <translation>Das Projekt "%1" hatte ungespeicherte Änderungen, als das Programm am %2 beendet wurde. Sie wurden in einer Wiederherstellungskopie aufbewahrt; die Projektdatei "%3" ist so, wie sie zuletzt gespeichert wurde.</translation>
    </message>
    <message>
        <source>Yes: open the recovery copy. The project file stays as it is until you save.
No: delete the recovery copy.
Cancel: keep the recovery copy and ask again at the next start.</source>
        <translation>Ja: die Wiederherstellungskopie öffnen. Die Projektdatei bleibt, wie sie ist, bis Sie speichern.
Nein: die Wiederherstellungskopie löschen.
Abbrechen: die Wiederherstellungskopie behalten und beim nächsten Start erneut fragen.</translation>
    </message>
</context>
<context>
    <name>CDocManager</name>
    <message>
        <source>The recovery copy "%1" cannot be opened:
%2</source>
        <translation>Die Wiederherstellungskopie "%1" kann nicht geöffnet werden:
%2</translation>
    </message>
</context>
<context>
    <name>CProgramEnding</name>
    <message>
        <source>Stopped by %1.</source>
        <translation>Durch %1 beendet.</translation>
    </message>
    <message>
        <source>The unsaved changes of "%1" are kept in a recovery copy; the next start offers it.</source>
        <translation>Die ungespeicherten Änderungen an "%1" sind in einer Wiederherstellungskopie aufbewahrt; der nächste Start bietet sie an.</translation>
    </message>
    <message>
        <source>The unsaved changes of "%1" could not be kept: %2</source>
        <translation>Die ungespeicherten Änderungen an "%1" konnten nicht aufbewahrt werden: %2</translation>
    </message>
    <message>
        <source>The connection to the unit did not close in time. The unit may still have its settings unprotected: connect to it again, or send it "/PROTECT ON".</source>
        <translation>Die Verbindung zur Zentrale wurde nicht rechtzeitig geschlossen. Die Einstellungen der Zentrale können noch ungeschützt sein: verbinden Sie sich erneut mit ihr, oder senden Sie ihr "/PROTECT ON".</translation>
    </message>
    <message>
        <source>The transfer did not end in time. The unit may still have its macros locked and its settings unprotected: connect to it again, or send it "/MACRO/LOCK OFF" and "/PROTECT ON".</source>
        <translation>Die Übertragung endete nicht rechtzeitig. Die Makros der Zentrale können noch gesperrt und ihre Einstellungen ungeschützt sein: verbinden Sie sich erneut mit ihr, oder senden Sie ihr "/MACRO/LOCK OFF" und "/PROTECT ON".</translation>
    </message>
</context>
</TS>
