<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it_IT" sourcelanguage="en">
<context>
    <name>Marvolen</name>
    <message>
        <source>%1 (error %2)</source>
        <translation>%1 (errore %2)</translation>
    </message>
    <message>
        <source>Board</source>
        <translation>Tavola da gioco</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Chiudi</translation>
    </message>
    <message>
        <source>Is one marble still &amp;reachable?</source>
        <translation>Si può ancora lasciare una sola &amp;sfera?</translation>
    </message>
    <message>
        <source>Marbles</source>
        <translation>Sfere</translation>
    </message>
    <message>
        <source>Seconds</source>
        <translation>Secondi</translation>
    </message>
    <message>
        <source>The champions list in &quot;%1&quot; could not be cleared: %2.</source>
        <translation>Non è stato possibile cancellare la lista dei campioni in «%1»: %2.</translation>
    </message>
    <message>
        <source>The champions list in &quot;%1&quot; could not be read: %2.</source>
        <translation>Non è stato possibile leggere la lista dei campioni in «%1»: %2.</translation>
    </message>
    <message>
        <source>The error protocol could not be printed.</source>
        <translation>Non è stato possibile stampare il protocollo degli errori.</translation>
    </message>
    <message>
        <source>The error protocol could not be written to file &apos;%1&apos; (%2).</source>
        <translation>Non è stato possibile scrivere il protocollo degli errori nel file &apos;%1&apos; (%2).</translation>
    </message>
    <message>
        <source>The error protocol could not be written to file &apos;%1&apos;!</source>
        <translation>Non è stato possibile scrivere il protocollo degli errori nel file &apos;%1&apos;!</translation>
    </message>
    <message>
        <source>Your result could not be saved in the champions list &quot;%1&quot;: %2. It is shown here but will be gone when you close this window.</source>
        <translation>Non è stato possibile salvare il risultato nella lista dei campioni «%1»: %2. È mostrato qui, ma sparirà alla chiusura di questa finestra.</translation>
    </message>
    <message>
        <source>Your result equals the tenth place. Equal results are ranked by name, and the name already there comes first, so your result does not enter the champions list.</source>
        <translation>Il suo risultato è pari al decimo posto. I risultati uguali sono ordinati per nome e il nome già presente viene prima, quindi il suo risultato non entra nella lista dei campioni.</translation>
    </message>
    <message>
        <source>While you were entering your name, other results were saved to this champions list by another running copy of Marvolen, and your result no longer enters it.</source>
        <translation>Mentre inseriva il suo nome, un&apos;altra copia di Marvolen in esecuzione ha salvato dei risultati in questa lista dei campioni, e il suo risultato non vi entra più.</translation>
    </message>
    <message>
        <source>Marbles: %1</source>
        <translation>Sfere: %1</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Tempo</translation>
    </message>
    <message>
        <source>Time: %1 seconds</source>
        <translation>Tempo: %1 secondi</translation>
    </message>
    <message>
        <source>row %1, column %2: empty</source>
        <translation>riga %1, colonna %2: vuota</translation>
    </message>
    <message>
        <source>row %1, column %2: marble</source>
        <translation>riga %1, colonna %2: sfera</translation>
    </message>
    <message>
        <source>This was a practice game: you asked for a hint or took back a jump. Practice games do not enter the champions list.</source>
        <translation>Questa era una partita di allenamento: hai chiesto un suggerimento o annullato un salto. Le partite di allenamento non entrano nella lista dei campioni.</translation>
    </message>
    <message>
        <source>Hint: jump from row %1, column %2 to row %3, column %4</source>
        <translation>Suggerimento: salto dalla riga %1, colonna %2 alla riga %3, colonna %4</translation>
    </message>
    <message>
        <source>&amp;Hint</source>
        <translation>&amp;Suggerimento</translation>
    </message>
    <message>
        <source>&amp;Undo jump</source>
        <translation>&amp;Annulla salto</translation>
    </message>
    <message>
        <source>no such file</source>
        <translation>file inesistente</translation>
    </message>
    <message>
        <source>a module of another version</source>
        <translation>un modulo di un'altra versione</translation>
    </message>
    <message>
        <source>The sound module %1 could not be loaded (%2): the game runs without sound effects and music.</source>
        <translation>Impossibile caricare il modulo audio %1 (%2): il gioco funziona senza effetti sonori e musica.</translation>
    </message>
    <message>
        <source>The soundfont %1 is missing or cannot be read: the music stays silent.</source>
        <translation>Il banco di suoni %1 manca o non è leggibile: la musica resta muta.</translation>
    </message>
    <message>
        <source>No sound server answers: the game runs without sound effects and music until one does.</source>
        <translation>Nessun server audio risponde: il gioco funziona senza effetti sonori e musica finché uno non risponde.</translation>
    </message>
    <message>
        <source>The sound server went away: the game runs without sound effects and music until it is back.</source>
        <translation>Il server audio è sparito: il gioco funziona senza effetti sonori e musica finché non torna.</translation>
    </message>
    <message>
        <source>The sound server is back: sound effects and music play again.</source>
        <translation>Il server audio è tornato: effetti sonori e musica suonano di nuovo.</translation>
    </message>
    <message>
        <source>The print module %1 could not be loaded (%2): the game cannot print.</source>
        <translation>Impossibile caricare il modulo di stampa %1 (%2): il gioco non può stampare.</translation>
    </message>
    <message>
        <source>This makes the game a practice game, which does not enter the champions list. Go on?</source>
        <translation>Così la partita diventa una partita di allenamento, che non entra nella lista dei campioni. Continuare?</translation>
    </message>
    <message>
        <source>Practice game</source>
        <translation>Partita di allenamento</translation>
    </message>
    <message>
        <source>R&amp;edo jump</source>
        <translation>Ri&amp;peti salto</translation>
    </message>
    <message>
        <source>Game</source>
        <translation>Gioco</translation>
    </message>
    <message>
        <source>Variants</source>
        <translation>Varianti</translation>
    </message>
    <message>
        <source>Commands</source>
        <translation>Comandi</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Lingua</translation>
    </message>
    <message>
        <source>Game started</source>
        <translation>Partita iniziata</translation>
    </message>
    <message>
        <source>Marbles left: %1, seconds: %2</source>
        <translation>Sfere rimaste: %1, secondi: %2</translation>
    </message>
    <message>
        <source>from row %1, column %2 to row %3, column %4</source>
        <translation>dalla riga %1, colonna %2 alla riga %3, colonna %4</translation>
    </message>
    <message>
        <source>Jump taken back: %1</source>
        <translation>Salto annullato: %1</translation>
    </message>
    <message>
        <source>Jump made again: %1</source>
        <translation>Salto ripetuto: %1</translation>
    </message>
    <message>
        <source>Marble lifted</source>
        <translation>Sfera sollevata</translation>
    </message>
    <message>
        <source>Marble put back</source>
        <translation>Sfera rimessa a posto</translation>
    </message>
    <message>
        <source>%1. %2, marbles: %3, seconds: %4</source>
        <translation>%1. %2, sfere: %3, secondi: %4</translation>
    </message>
    <message>
        <source>No champions yet</source>
        <translation>Ancora nessun campione</translation>
    </message>
    <message>
        <source>Your place: %1</source>
        <translation>Il suo posto: %1</translation>
    </message>
    <message>
        <source>Statistics</source>
        <translation>Statistiche</translation>
    </message>
    <message>
        <source>Ranked games</source>
        <translation>Partite in classifica</translation>
    </message>
    <message>
        <source>Practice games</source>
        <translation>Partite di allenamento</translation>
    </message>
    <message>
        <source>Games started</source>
        <translation>Partite iniziate</translation>
    </message>
    <message>
        <source>Games finished</source>
        <translation>Partite finite</translation>
    </message>
    <message>
        <source>Average marbles left</source>
        <translation>Media delle biglie rimaste</translation>
    </message>
    <message>
        <source>Best result</source>
        <translation>Miglior risultato</translation>
    </message>
    <message>
        <source>Finished with one marble</source>
        <translation>Finite con una biglia</translation>
    </message>
    <message>
        <source>Time played</source>
        <translation>Tempo di gioco</translation>
    </message>
    <message>
        <source>Variant %1</source>
        <translation>Variante %1</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>Totale</translation>
    </message>
    <message>
        <source>%1.%2</source>
        <extracomment>A number with one decimal: %1 the whole part, %2 the tenths, joined by the decimal sign of the language.</extracomment>
        <translation>%1,%2</translation>
    </message>
    <message>
        <source>1 marble, %1 s</source>
        <extracomment>A result: one marble left, %1 the seconds.</extracomment>
        <translation>1 biglia, %1 s</translation>
    </message>
    <message>
        <source>%1 marbles, %2 s</source>
        <extracomment>A result: %1 marbles left (2 or more), %2 the seconds.</extracomment>
        <translation>%1 biglie, %2 s</translation>
    </message>
    <message>
        <source>&amp;Clear</source>
        <translation>&amp;Cancella</translation>
    </message>
    <message>
        <source>Clear the statistics of every variant, of ranked and practice games alike? This cannot be undone.</source>
        <translation>Cancellare le statistiche di tutte le varianti, sia delle partite in classifica sia di quelle di allenamento? Non si potrà annullare.</translation>
    </message>
    <message>
        <source>The statistics could not be cleared: %1.</source>
        <translation>Non è stato possibile cancellare le statistiche: %1.</translation>
    </message>
    <message>
        <source>A game was left unfinished: variant %1, %2 marbles, %3 seconds.

Continue it? The time away was not on the clock, so it goes on as a practice game.</source>
        <translation>Una partita è rimasta incompiuta: variante %1, %2 sfere, %3 secondi.

Continuarla? Il tempo trascorso non era sull’orologio, quindi prosegue come partita di allenamento.</translation>
    </message>
    <message>
        <source>The unfinished game could not be kept: %1</source>
        <translation>Non è stato possibile conservare la partita incompiuta: %1</translation>
    </message>
    <message>
        <source>The statistics could not be kept: %1</source>
        <translation>Non è stato possibile conservare le statistiche: %1</translation>
    </message>
    <message>
        <source>Board copied</source>
        <translation>Tavoliere copiato</translation>
    </message>
    <message>
        <source>The clipboard holds no board of any variant. A board is seven rows of &quot;o&quot; for a marble, &quot;.&quot; for an empty hole and a space where there is no hole, as Copy board gives them.</source>
        <translation>Gli appunti non contengono il tavoliere di nessuna variante. Un tavoliere sono sette righe di «o» per una sfera, «.» per un foro vuoto e uno spazio dove non c’è foro, come le dà «Copia tavoliere».</translation>
    </message>
    <message>
        <source>Board pasted: variant %1, %2 marbles</source>
        <translation>Tavoliere incollato: variante %1, %2 sfere</translation>
    </message>
    <message>
        <source>&amp;Copy board</source>
        <translation>&amp;Copia tavoliere</translation>
    </message>
    <message>
        <source>&amp;Paste board</source>
        <translation>I&amp;ncolla tavoliere</translation>
    </message>
    <message>
        <source>&amp;Statistics...</source>
        <translation>&amp;Statistiche...</translation>
    </message>
    <message>
        <source>none</source>
        <translation>nessuno</translation>
    </message>
    <message>
        <source>This was a practice game: it went on from an earlier sitting or from a pasted board. Practice games do not enter the champions list.</source>
        <translation>Questa era una partita di allenamento: è ripresa da una sessione precedente o da un tavoliere incollato. Le partite di allenamento non entrano nella lista dei campioni.</translation>
    </message>
    <message>
        <source>Show the &amp;best game</source>
        <translation>Mostra la partita mi&amp;gliore</translation>
    </message>
    <message>
        <source>No jump is left on this board</source>
        <translation>Non resta alcun salto su questo tavoliere</translation>
    </message>
    <message>
        <source>Looking for the best game</source>
        <translation>Ricerca della partita migliore</translation>
    </message>
    <message>
        <source>The best game: %1 jumps, marbles left at the end: %2. Space pauses, Left and Right step, Escape returns to your game.</source>
        <translation>La partita migliore: %1 salti, sfere rimaste alla fine: %2. Spazio mette in pausa, Sinistra e Destra vanno passo per passo, Esc torna alla tua partita.</translation>
    </message>
    <message>
        <source>The best game found: %1 jumps, marbles left at the end: %2. No game with fewer was found, but none is ruled out. Space pauses, Left and Right step, Escape returns to your game.</source>
        <translation>La partita migliore trovata: %1 salti, sfere rimaste alla fine: %2. Non ne è stata trovata una con meno, ma non è esclusa. Spazio mette in pausa, Sinistra e Destra vanno passo per passo, Esc torna alla tua partita.</translation>
    </message>
    <message>
        <source>End of the best game. Marbles left: %1. Escape returns to your game.</source>
        <translation>Fine della partita migliore. Sfere rimaste: %1. Esc torna alla tua partita.</translation>
    </message>
    <message>
        <source>End of the best game found. Marbles left: %1. Escape returns to your game.</source>
        <translation>Fine della partita migliore trovata. Sfere rimaste: %1. Esc torna alla tua partita.</translation>
    </message>
    <message>
        <source>Paused at jump %1 of %2</source>
        <translation>In pausa al salto %1 di %2</translation>
    </message>
    <message>
        <source>Playing on</source>
        <translation>Si riprende</translation>
    </message>
    <message>
        <source>Marbles left: %1</source>
        <translation>Sfere rimaste: %1</translation>
    </message>
    <message>
        <source>Jump %1 of %2 taken back</source>
        <translation>Salto %1 di %2 annullato</translation>
    </message>
    <message>
        <source>Back to your game</source>
        <translation>Di nuovo alla tua partita</translation>
    </message>
    <message>
        <source>Best game: jump %1 of %2</source>
        <translation>Partita migliore: salto %1 di %2</translation>
    </message>
    <message>
        <source>Best game found: jump %1 of %2</source>
        <translation>Partita migliore trovata: salto %1 di %2</translation>
    </message>
    <message>
        <source>%1, paused</source>
        <translation>%1, in pausa</translation>
    </message>
    <message>
        <source>Jump %1 of %2: %3</source>
        <translation>Salto %1 di %2: %3</translation>
    </message>
</context>
</TS>
