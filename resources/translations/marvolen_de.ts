<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en">
<context>
    <name>Marvolen</name>
    <message>
        <source>%1 (error %2)</source>
        <translation>%1 (Fehler %2)</translation>
    </message>
    <message>
        <source>Board</source>
        <translation>Spielbrett</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Is one marble still &amp;reachable?</source>
        <translation>Ist eine einzelne Kugel noch &amp;erreichbar?</translation>
    </message>
    <message>
        <source>Marbles</source>
        <translation>Kugeln</translation>
    </message>
    <message>
        <source>Seconds</source>
        <translation>Sekunden</translation>
    </message>
    <message>
        <source>The champions list in &quot;%1&quot; could not be cleared: %2.</source>
        <translation>Die Championliste in „%1“ konnte nicht gelöscht werden: %2.</translation>
    </message>
    <message>
        <source>The champions list in &quot;%1&quot; could not be read: %2.</source>
        <translation>Die Championliste in „%1“ konnte nicht gelesen werden: %2.</translation>
    </message>
    <message>
        <source>The error protocol could not be printed.</source>
        <translation>Das Fehlerprotokoll konnte nicht gedruckt werden.</translation>
    </message>
    <message>
        <source>The error protocol could not be written to file &apos;%1&apos; (%2).</source>
        <translation>Das Fehlerprotokoll konnte nicht in die Datei &apos;%1&apos; geschrieben werden (%2).</translation>
    </message>
    <message>
        <source>The error protocol could not be written to file &apos;%1&apos;!</source>
        <translation>Das Fehlerprotokoll konnte nicht in die Datei &apos;%1&apos; geschrieben werden!</translation>
    </message>
    <message>
        <source>Your result could not be saved in the champions list &quot;%1&quot;: %2. It is shown here but will be gone when you close this window.</source>
        <translation>Ihr Ergebnis konnte nicht in der Championliste „%1“ gespeichert werden: %2. Es wird hier gezeigt, ist aber fort, sobald Sie dieses Fenster schließen.</translation>
    </message>
    <message>
        <source>Your result equals the tenth place. Equal results are ranked by name, and the name already there comes first, so your result does not enter the champions list.</source>
        <translation>Ihr Ergebnis ist gleich dem zehnten Platz. Gleiche Ergebnisse werden nach dem Namen geordnet, und der Name, der schon dort steht, kommt zuerst; daher kommt Ihr Ergebnis nicht in die Championliste.</translation>
    </message>
    <message>
        <source>While you were entering your name, other results were saved to this champions list by another running copy of Marvolen, and your result no longer enters it.</source>
        <translation>Während Sie Ihren Namen eingaben, hat ein anderes laufendes Marvolen Ergebnisse in diese Championliste gespeichert, und Ihr Ergebnis kommt nun nicht mehr hinein.</translation>
    </message>
    <message>
        <source>Marbles: %1</source>
        <translation>Kugeln: %1</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>Time: %1 seconds</source>
        <translation>Zeit: %1 Sekunden</translation>
    </message>
    <message>
        <source>row %1, column %2: empty</source>
        <translation>Reihe %1, Spalte %2: leer</translation>
    </message>
    <message>
        <source>row %1, column %2: marble</source>
        <translation>Reihe %1, Spalte %2: Kugel</translation>
    </message>
    <message>
        <source>This was a practice game: you asked for a hint or took back a jump. Practice games do not enter the champions list.</source>
        <translation>Dies war ein Übungsspiel: Du hast um einen Tipp gebeten oder einen Sprung zurückgenommen. Übungsspiele kommen nicht in die Championsliste.</translation>
    </message>
    <message>
        <source>Hint: jump from row %1, column %2 to row %3, column %4</source>
        <translation>Tipp: Sprung von Reihe %1, Spalte %2 nach Reihe %3, Spalte %4</translation>
    </message>
    <message>
        <source>&amp;Hint</source>
        <translation>&amp;Tipp</translation>
    </message>
    <message>
        <source>&amp;Undo jump</source>
        <translation>Sprung &amp;zurücknehmen</translation>
    </message>
    <message>
        <source>no such file</source>
        <translation>keine solche Datei</translation>
    </message>
    <message>
        <source>a module of another version</source>
        <translation>ein Modul einer anderen Version</translation>
    </message>
    <message>
        <source>The sound module %1 could not be loaded (%2): the game runs without sound effects and music.</source>
        <translation>Das Klangmodul %1 konnte nicht geladen werden (%2): Das Spiel läuft ohne Geräusche und Musik.</translation>
    </message>
    <message>
        <source>The soundfont %1 is missing or cannot be read: the music stays silent.</source>
        <translation>Die Klangbank %1 fehlt oder ist nicht lesbar: Die Musik bleibt stumm.</translation>
    </message>
    <message>
        <source>No sound server answers: the game runs without sound effects and music until one does.</source>
        <translation>Kein Soundserver antwortet: Das Spiel läuft ohne Geräusche und Musik, bis einer antwortet.</translation>
    </message>
    <message>
        <source>The sound server went away: the game runs without sound effects and music until it is back.</source>
        <translation>Der Soundserver ist weg: Das Spiel läuft ohne Geräusche und Musik, bis er wieder da ist.</translation>
    </message>
    <message>
        <source>The sound server is back: sound effects and music play again.</source>
        <translation>Der Soundserver ist wieder da: Geräusche und Musik erklingen wieder.</translation>
    </message>
    <message>
        <source>The print module %1 could not be loaded (%2): the game cannot print.</source>
        <translation>Das Druckmodul %1 konnte nicht geladen werden (%2): Das Spiel kann nicht drucken.</translation>
    </message>
    <message>
        <source>This makes the game a practice game, which does not enter the champions list. Go on?</source>
        <translation>Damit wird das Spiel zum Übungsspiel, das nicht in die Championliste kommt. Fortfahren?</translation>
    </message>
    <message>
        <source>Practice game</source>
        <translation>Übungsspiel</translation>
    </message>
    <message>
        <source>R&amp;edo jump</source>
        <translation>Sprung &amp;wiederholen</translation>
    </message>
    <message>
        <source>Game</source>
        <translation>Spiel</translation>
    </message>
    <message>
        <source>Variants</source>
        <translation>Varianten</translation>
    </message>
    <message>
        <source>Commands</source>
        <translation>Befehle</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>Game started</source>
        <translation>Spiel gestartet</translation>
    </message>
    <message>
        <source>Marbles left: %1, seconds: %2</source>
        <translation>Übrige Kugeln: %1, Sekunden: %2</translation>
    </message>
    <message>
        <source>from row %1, column %2 to row %3, column %4</source>
        <translation>von Reihe %1, Spalte %2 nach Reihe %3, Spalte %4</translation>
    </message>
    <message>
        <source>Jump taken back: %1</source>
        <translation>Sprung zurückgenommen: %1</translation>
    </message>
    <message>
        <source>Jump made again: %1</source>
        <translation>Sprung wiederholt: %1</translation>
    </message>
    <message>
        <source>Marble lifted</source>
        <translation>Kugel angehoben</translation>
    </message>
    <message>
        <source>Marble put back</source>
        <translation>Kugel zurückgelegt</translation>
    </message>
    <message>
        <source>%1. %2, marbles: %3, seconds: %4</source>
        <translation>%1. %2, Kugeln: %3, Sekunden: %4</translation>
    </message>
    <message>
        <source>No champions yet</source>
        <translation>Noch keine Champions</translation>
    </message>
    <message>
        <source>Your place: %1</source>
        <translation>Ihr Platz: %1</translation>
    </message>
    <message>
        <source>Statistics</source>
        <translation>Statistik</translation>
    </message>
    <message>
        <source>Ranked games</source>
        <translation>Gewertete Spiele</translation>
    </message>
    <message>
        <source>Practice games</source>
        <translation>Übungsspiele</translation>
    </message>
    <message>
        <source>Games started</source>
        <translation>Begonnene Spiele</translation>
    </message>
    <message>
        <source>Games finished</source>
        <translation>Beendete Spiele</translation>
    </message>
    <message>
        <source>Average marbles left</source>
        <translation>Übrige Kugeln im Schnitt</translation>
    </message>
    <message>
        <source>Best result</source>
        <translation>Bestes Ergebnis</translation>
    </message>
    <message>
        <source>Finished with one marble</source>
        <translation>Mit einer Kugel beendet</translation>
    </message>
    <message>
        <source>Time played</source>
        <translation>Gespielte Zeit</translation>
    </message>
    <message>
        <source>Variant %1</source>
        <translation>Variante %1</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>Gesamt</translation>
    </message>
    <message>
        <source>%1.%2</source>
        <extracomment>A number with one decimal: %1 the whole part, %2 the tenths, joined by the decimal sign of the language.</extracomment>
        <translation>%1,%2</translation>
    </message>
    <message>
        <source>1 marble, %1 s</source>
        <extracomment>A result: one marble left, %1 the seconds.</extracomment>
        <translation>1 Kugel, %1 s</translation>
    </message>
    <message>
        <source>%1 marbles, %2 s</source>
        <extracomment>A result: %1 marbles left (2 or more), %2 the seconds.</extracomment>
        <translation>%1 Kugeln, %2 s</translation>
    </message>
    <message>
        <source>&amp;Clear</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>Clear the statistics of every variant, of ranked and practice games alike? This cannot be undone.</source>
        <translation>Die Statistik aller Spielvarianten löschen, der gewerteten Spiele wie der Übungsspiele? Das lässt sich nicht rückgängig machen.</translation>
    </message>
    <message>
        <source>The statistics could not be cleared: %1.</source>
        <translation>Die Statistik konnte nicht gelöscht werden: %1.</translation>
    </message>
    <message>
        <source>A game was left unfinished: variant %1, %2 marbles, %3 seconds.

Continue it? The time away was not on the clock, so it goes on as a practice game.</source>
        <translation>Ein Spiel blieb unbeendet: Variante %1, %2 Kugeln, %3 Sekunden.

Weiterspielen? Die Zeit dazwischen lief nicht auf der Uhr, darum geht es als Übungsspiel weiter.</translation>
    </message>
    <message>
        <source>The unfinished game could not be kept: %1</source>
        <translation>Das unbeendete Spiel konnte nicht gesichert werden: %1</translation>
    </message>
    <message>
        <source>The statistics could not be kept: %1</source>
        <translation>Die Statistik konnte nicht gesichert werden: %1</translation>
    </message>
    <message>
        <source>Board copied</source>
        <translation>Spielbrett kopiert</translation>
    </message>
    <message>
        <source>The clipboard holds no board of any variant. A board is seven rows of &quot;o&quot; for a marble, &quot;.&quot; for an empty hole and a space where there is no hole, as Copy board gives them.</source>
        <translation>Die Zwischenablage enthält kein Spielbrett einer Variante. Ein Spielbrett sind sieben Zeilen aus „o“ für eine Kugel, „.“ für ein leeres Loch und einem Leerzeichen, wo kein Loch ist, so wie „Spielbrett kopieren“ sie liefert.</translation>
    </message>
    <message>
        <source>Board pasted: variant %1, %2 marbles</source>
        <translation>Spielbrett eingefügt: Variante %1, %2 Kugeln</translation>
    </message>
    <message>
        <source>&amp;Copy board</source>
        <translation>Spielbrett &amp;kopieren</translation>
    </message>
    <message>
        <source>&amp;Paste board</source>
        <translation>Spielbrett &amp;einfügen</translation>
    </message>
    <message>
        <source>&amp;Statistics...</source>
        <translation>&amp;Statistik...</translation>
    </message>
    <message>
        <source>none</source>
        <translation>keine</translation>
    </message>
    <message>
        <source>This was a practice game: it went on from an earlier sitting or from a pasted board. Practice games do not enter the champions list.</source>
        <translation>Dies war ein Übungsspiel: Es ging von einer früheren Sitzung oder von einem eingefügten Spielbrett aus weiter. Übungsspiele kommen nicht in die Championsliste.</translation>
    </message>
    <message>
        <source>Show the &amp;best game</source>
        <translation>Das &amp;beste Spiel zeigen</translation>
    </message>
    <message>
        <source>No jump is left on this board</source>
        <translation>Auf diesem Spielbrett ist kein Sprung mehr möglich</translation>
    </message>
    <message>
        <source>Looking for the best game</source>
        <translation>Das beste Spiel wird gesucht</translation>
    </message>
    <message>
        <source>The best game: %1 jumps, marbles left at the end: %2. Space pauses, Left and Right step, Escape returns to your game.</source>
        <translation>Das beste Spiel: %1 Sprünge, übrige Kugeln am Ende: %2. Leertaste hält an, Links und Rechts gehen schrittweise, Escape kehrt zum eigenen Spiel zurück.</translation>
    </message>
    <message>
        <source>The best game found: %1 jumps, marbles left at the end: %2. No game with fewer was found, but none is ruled out. Space pauses, Left and Right step, Escape returns to your game.</source>
        <translation>Das beste gefundene Spiel: %1 Sprünge, übrige Kugeln am Ende: %2. Keines mit weniger wurde gefunden, aber keines ist ausgeschlossen. Leertaste hält an, Links und Rechts gehen schrittweise, Escape kehrt zum eigenen Spiel zurück.</translation>
    </message>
    <message>
        <source>End of the best game. Marbles left: %1. Escape returns to your game.</source>
        <translation>Ende des besten Spiels. Übrige Kugeln: %1. Escape kehrt zum eigenen Spiel zurück.</translation>
    </message>
    <message>
        <source>End of the best game found. Marbles left: %1. Escape returns to your game.</source>
        <translation>Ende des besten gefundenen Spiels. Übrige Kugeln: %1. Escape kehrt zum eigenen Spiel zurück.</translation>
    </message>
    <message>
        <source>Paused at jump %1 of %2</source>
        <translation>Angehalten bei Sprung %1 von %2</translation>
    </message>
    <message>
        <source>Playing on</source>
        <translation>Es geht weiter</translation>
    </message>
    <message>
        <source>Marbles left: %1</source>
        <translation>Übrige Kugeln: %1</translation>
    </message>
    <message>
        <source>Jump %1 of %2 taken back</source>
        <translation>Sprung %1 von %2 zurückgenommen</translation>
    </message>
    <message>
        <source>Back to your game</source>
        <translation>Zurück zum eigenen Spiel</translation>
    </message>
    <message>
        <source>Best game: jump %1 of %2</source>
        <translation>Bestes Spiel: Sprung %1 von %2</translation>
    </message>
    <message>
        <source>Best game found: jump %1 of %2</source>
        <translation>Bestes gefundenes Spiel: Sprung %1 von %2</translation>
    </message>
    <message>
        <source>%1, paused</source>
        <translation>%1, angehalten</translation>
    </message>
    <message>
        <source>Jump %1 of %2: %3</source>
        <translation>Sprung %1 von %2: %3</translation>
    </message>
</context>
</TS>
