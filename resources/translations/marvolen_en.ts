<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB" sourcelanguage="en">
<context>
    <name>Marvolen</name>
    <message>
        <source>%1 (error %2)</source>
        <translation>%1 (error %2)</translation>
    </message>
    <message>
        <source>Board</source>
        <translation>Board</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Is one marble still &amp;reachable?</source>
        <translation>Is one marble still &amp;reachable?</translation>
    </message>
    <message>
        <source>Marbles</source>
        <translation>Marbles</translation>
    </message>
    <message>
        <source>Seconds</source>
        <translation>Seconds</translation>
    </message>
    <message>
        <source>The champions list in &quot;%1&quot; could not be cleared: %2.</source>
        <translation>The champions list in &quot;%1&quot; could not be cleared: %2.</translation>
    </message>
    <message>
        <source>The champions list in &quot;%1&quot; could not be read: %2.</source>
        <translation>The champions list in &quot;%1&quot; could not be read: %2.</translation>
    </message>
    <message>
        <source>The error protocol could not be printed.</source>
        <translation>The error protocol could not be printed.</translation>
    </message>
    <message>
        <source>The error protocol could not be written to file &apos;%1&apos; (%2).</source>
        <translation>The error protocol could not be written to file &apos;%1&apos; (%2).</translation>
    </message>
    <message>
        <source>The error protocol could not be written to file &apos;%1&apos;!</source>
        <translation>The error protocol could not be written to file &apos;%1&apos;!</translation>
    </message>
    <message>
        <source>Your result could not be saved in the champions list &quot;%1&quot;: %2. It is shown here but will be gone when you close this window.</source>
        <translation>Your result could not be saved in the champions list &quot;%1&quot;: %2. It is shown here but will be gone when you close this window.</translation>
    </message>
    <message>
        <source>Your result equals the tenth place. Equal results are ranked by name, and the name already there comes first, so your result does not enter the champions list.</source>
        <translation>Your result equals the tenth place. Equal results are ranked by name, and the name already there comes first, so your result does not enter the champions list.</translation>
    </message>
    <message>
        <source>While you were entering your name, other results were saved to this champions list by another running copy of Marvolen, and your result no longer enters it.</source>
        <translation>While you were entering your name, other results were saved to this champions list by another running copy of Marvolen, and your result no longer enters it.</translation>
    </message>
    <message>
        <source>Marbles: %1</source>
        <translation>Marbles: %1</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Time: %1 seconds</source>
        <translation>Time: %1 seconds</translation>
    </message>
    <message>
        <source>row %1, column %2: empty</source>
        <translation>row %1, column %2: empty</translation>
    </message>
    <message>
        <source>row %1, column %2: marble</source>
        <translation>row %1, column %2: marble</translation>
    </message>
    <message>
        <source>This was a practice game: you asked for a hint or took back a jump. Practice games do not enter the champions list.</source>
        <translation>This was a practice game: you asked for a hint or took back a jump. Practice games do not enter the champions list.</translation>
    </message>
    <message>
        <source>Hint: jump from row %1, column %2 to row %3, column %4</source>
        <translation>Hint: jump from row %1, column %2 to row %3, column %4</translation>
    </message>
    <message>
        <source>&amp;Hint</source>
        <translation>&amp;Hint</translation>
    </message>
    <message>
        <source>&amp;Undo jump</source>
        <translation>&amp;Undo jump</translation>
    </message>
    <message>
        <source>no such file</source>
        <translation>no such file</translation>
    </message>
    <message>
        <source>a module of another version</source>
        <translation>a module of another version</translation>
    </message>
    <message>
        <source>The sound module %1 could not be loaded (%2): the game runs without sound effects and music.</source>
        <translation>The sound module %1 could not be loaded (%2): the game runs without sound effects and music.</translation>
    </message>
    <message>
        <source>The soundfont %1 is missing or cannot be read: the music stays silent.</source>
        <translation>The soundfont %1 is missing or cannot be read: the music stays silent.</translation>
    </message>
    <message>
        <source>No sound server answers: the game runs without sound effects and music until one does.</source>
        <translation>No sound server answers: the game runs without sound effects and music until one does.</translation>
    </message>
    <message>
        <source>The sound server went away: the game runs without sound effects and music until it is back.</source>
        <translation>The sound server went away: the game runs without sound effects and music until it is back.</translation>
    </message>
    <message>
        <source>The sound server is back: sound effects and music play again.</source>
        <translation>The sound server is back: sound effects and music play again.</translation>
    </message>
    <message>
        <source>The print module %1 could not be loaded (%2): the game cannot print.</source>
        <translation>The print module %1 could not be loaded (%2): the game cannot print.</translation>
    </message>
    <message>
        <source>This makes the game a practice game, which does not enter the champions list. Go on?</source>
        <translation>This makes the game a practice game, which does not enter the champions list. Go on?</translation>
    </message>
    <message>
        <source>Practice game</source>
        <translation>Practice game</translation>
    </message>
    <message>
        <source>R&amp;edo jump</source>
        <translation>R&amp;edo jump</translation>
    </message>
    <message>
        <source>Game</source>
        <translation>Game</translation>
    </message>
    <message>
        <source>Variants</source>
        <translation>Variants</translation>
    </message>
    <message>
        <source>Commands</source>
        <translation>Commands</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>Game started</source>
        <translation>Game started</translation>
    </message>
    <message>
        <source>Marbles left: %1, seconds: %2</source>
        <translation>Marbles left: %1, seconds: %2</translation>
    </message>
    <message>
        <source>from row %1, column %2 to row %3, column %4</source>
        <translation>from row %1, column %2 to row %3, column %4</translation>
    </message>
    <message>
        <source>Jump taken back: %1</source>
        <translation>Jump taken back: %1</translation>
    </message>
    <message>
        <source>Jump made again: %1</source>
        <translation>Jump made again: %1</translation>
    </message>
    <message>
        <source>Marble lifted</source>
        <translation>Marble lifted</translation>
    </message>
    <message>
        <source>Marble put back</source>
        <translation>Marble put back</translation>
    </message>
    <message>
        <source>%1. %2, marbles: %3, seconds: %4</source>
        <translation>%1. %2, marbles: %3, seconds: %4</translation>
    </message>
    <message>
        <source>No champions yet</source>
        <translation>No champions yet</translation>
    </message>
    <message>
        <source>Your place: %1</source>
        <translation>Your place: %1</translation>
    </message>
    <message>
        <source>Statistics</source>
        <translation>Statistics</translation>
    </message>
    <message>
        <source>Ranked games</source>
        <translation>Ranked games</translation>
    </message>
    <message>
        <source>Practice games</source>
        <translation>Practice games</translation>
    </message>
    <message>
        <source>Games started</source>
        <translation>Games started</translation>
    </message>
    <message>
        <source>Games finished</source>
        <translation>Games finished</translation>
    </message>
    <message>
        <source>Average marbles left</source>
        <translation>Average marbles left</translation>
    </message>
    <message>
        <source>Best result</source>
        <translation>Best result</translation>
    </message>
    <message>
        <source>Finished with one marble</source>
        <translation>Finished with one marble</translation>
    </message>
    <message>
        <source>Time played</source>
        <translation>Time played</translation>
    </message>
    <message>
        <source>Variant %1</source>
        <translation>Variant %1</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>%1.%2</source>
        <extracomment>A number with one decimal: %1 the whole part, %2 the tenths, joined by the decimal sign of the language.</extracomment>
        <translation>%1.%2</translation>
    </message>
    <message>
        <source>1 marble, %1 s</source>
        <extracomment>A result: one marble left, %1 the seconds.</extracomment>
        <translation>1 marble, %1 s</translation>
    </message>
    <message>
        <source>%1 marbles, %2 s</source>
        <extracomment>A result: %1 marbles left (2 or more), %2 the seconds.</extracomment>
        <translation>%1 marbles, %2 s</translation>
    </message>
    <message>
        <source>&amp;Clear</source>
        <translation>&amp;Clear</translation>
    </message>
    <message>
        <source>Clear the statistics of every variant, of ranked and practice games alike? This cannot be undone.</source>
        <translation>Clear the statistics of every variant, of ranked and practice games alike? This cannot be undone.</translation>
    </message>
    <message>
        <source>The statistics could not be cleared: %1.</source>
        <translation>The statistics could not be cleared: %1.</translation>
    </message>
    <message>
        <source>A game was left unfinished: variant %1, %2 marbles, %3 seconds.

Continue it? The time away was not on the clock, so it goes on as a practice game.</source>
        <translation>A game was left unfinished: variant %1, %2 marbles, %3 seconds.

Continue it? The time away was not on the clock, so it goes on as a practice game.</translation>
    </message>
    <message>
        <source>The unfinished game could not be kept: %1</source>
        <translation>The unfinished game could not be kept: %1</translation>
    </message>
    <message>
        <source>The statistics could not be kept: %1</source>
        <translation>The statistics could not be kept: %1</translation>
    </message>
    <message>
        <source>Board copied</source>
        <translation>Board copied</translation>
    </message>
    <message>
        <source>The clipboard holds no board of any variant. A board is seven rows of &quot;o&quot; for a marble, &quot;.&quot; for an empty hole and a space where there is no hole, as Copy board gives them.</source>
        <translation>The clipboard holds no board of any variant. A board is seven rows of &quot;o&quot; for a marble, &quot;.&quot; for an empty hole and a space where there is no hole, as Copy board gives them.</translation>
    </message>
    <message>
        <source>Board pasted: variant %1, %2 marbles</source>
        <translation>Board pasted: variant %1, %2 marbles</translation>
    </message>
    <message>
        <source>&amp;Copy board</source>
        <translation>&amp;Copy board</translation>
    </message>
    <message>
        <source>&amp;Paste board</source>
        <translation>&amp;Paste board</translation>
    </message>
    <message>
        <source>&amp;Statistics...</source>
        <translation>&amp;Statistics...</translation>
    </message>
    <message>
        <source>none</source>
        <translation>none</translation>
    </message>
    <message>
        <source>This was a practice game: it went on from an earlier sitting or from a pasted board. Practice games do not enter the champions list.</source>
        <translation>This was a practice game: it went on from an earlier sitting or from a pasted board. Practice games do not enter the champions list.</translation>
    </message>
    <message>
        <source>Show the &amp;best game</source>
        <translation>Show the &amp;best game</translation>
    </message>
    <message>
        <source>No jump is left on this board</source>
        <translation>No jump is left on this board</translation>
    </message>
    <message>
        <source>Looking for the best game</source>
        <translation>Looking for the best game</translation>
    </message>
    <message>
        <source>The best game: %1 jumps, marbles left at the end: %2. Space pauses, Left and Right step, Escape returns to your game.</source>
        <translation>The best game: %1 jumps, marbles left at the end: %2. Space pauses, Left and Right step, Escape returns to your game.</translation>
    </message>
    <message>
        <source>The best game found: %1 jumps, marbles left at the end: %2. No game with fewer was found, but none is ruled out. Space pauses, Left and Right step, Escape returns to your game.</source>
        <translation>The best game found: %1 jumps, marbles left at the end: %2. No game with fewer was found, but none is ruled out. Space pauses, Left and Right step, Escape returns to your game.</translation>
    </message>
    <message>
        <source>End of the best game. Marbles left: %1. Escape returns to your game.</source>
        <translation>End of the best game. Marbles left: %1. Escape returns to your game.</translation>
    </message>
    <message>
        <source>End of the best game found. Marbles left: %1. Escape returns to your game.</source>
        <translation>End of the best game found. Marbles left: %1. Escape returns to your game.</translation>
    </message>
    <message>
        <source>Paused at jump %1 of %2</source>
        <translation>Paused at jump %1 of %2</translation>
    </message>
    <message>
        <source>Playing on</source>
        <translation>Playing on</translation>
    </message>
    <message>
        <source>Marbles left: %1</source>
        <translation>Marbles left: %1</translation>
    </message>
    <message>
        <source>Jump %1 of %2 taken back</source>
        <translation>Jump %1 of %2 taken back</translation>
    </message>
    <message>
        <source>Back to your game</source>
        <translation>Back to your game</translation>
    </message>
    <message>
        <source>Best game: jump %1 of %2</source>
        <translation>Best game: jump %1 of %2</translation>
    </message>
    <message>
        <source>Best game found: jump %1 of %2</source>
        <translation>Best game found: jump %1 of %2</translation>
    </message>
    <message>
        <source>%1, paused</source>
        <translation>%1, paused</translation>
    </message>
    <message>
        <source>Jump %1 of %2: %3</source>
        <translation>Jump %1 of %2: %3</translation>
    </message>
</context>
</TS>
