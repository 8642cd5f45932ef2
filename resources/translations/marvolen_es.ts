<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES" sourcelanguage="en">
<context>
    <name>Marvolen</name>
    <message>
        <source>%1 (error %2)</source>
        <translation>%1 (error %2)</translation>
    </message>
    <message>
        <source>Board</source>
        <translation>Tablero</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>Is one marble still &amp;reachable?</source>
        <translation>¿Aún se puede dejar una sola &amp;bola?</translation>
    </message>
    <message>
        <source>Marbles</source>
        <translation>Bolas</translation>
    </message>
    <message>
        <source>Seconds</source>
        <translation>Segundos</translation>
    </message>
    <message>
        <source>The champions list in &quot;%1&quot; could not be cleared: %2.</source>
        <translation>No se pudieron borrar las mejores puntuaciones de «%1»: %2.</translation>
    </message>
    <message>
        <source>The champions list in &quot;%1&quot; could not be read: %2.</source>
        <translation>No se pudieron leer las mejores puntuaciones de «%1»: %2.</translation>
    </message>
    <message>
        <source>The error protocol could not be printed.</source>
        <translation>No se pudo imprimir el protocolo de errores.</translation>
    </message>
    <message>
        <source>The error protocol could not be written to file &apos;%1&apos; (%2).</source>
        <translation>No se pudo escribir el protocolo de errores en el archivo &apos;%1&apos; (%2).</translation>
    </message>
    <message>
        <source>The error protocol could not be written to file &apos;%1&apos;!</source>
        <translation>¡No se pudo escribir el protocolo de errores en el archivo &apos;%1&apos;!</translation>
    </message>
    <message>
        <source>Your result could not be saved in the champions list &quot;%1&quot;: %2. It is shown here but will be gone when you close this window.</source>
        <translation>Su resultado no se pudo guardar en las mejores puntuaciones «%1»: %2. Se muestra aquí, pero desaparecerá al cerrar esta ventana.</translation>
    </message>
    <message>
        <source>Your result equals the tenth place. Equal results are ranked by name, and the name already there comes first, so your result does not enter the champions list.</source>
        <translation>Su resultado iguala el décimo puesto. Los resultados iguales se ordenan por nombre y el nombre que ya está ahí va primero, así que su resultado no entra en la lista de campeones.</translation>
    </message>
    <message>
        <source>While you were entering your name, other results were saved to this champions list by another running copy of Marvolen, and your result no longer enters it.</source>
        <translation>Mientras escribía su nombre, otra copia de Marvolen en ejecución guardó resultados en esta lista de campeones, y su resultado ya no entra en ella.</translation>
    </message>
    <message>
        <source>Marbles: %1</source>
        <translation>Bolas: %1</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Tiempo</translation>
    </message>
    <message>
        <source>Time: %1 seconds</source>
        <translation>Tiempo: %1 segundos</translation>
    </message>
    <message>
        <source>row %1, column %2: empty</source>
        <translation>fila %1, columna %2: vacío</translation>
    </message>
    <message>
        <source>row %1, column %2: marble</source>
        <translation>fila %1, columna %2: bola</translation>
    </message>
    <message>
        <source>This was a practice game: you asked for a hint or took back a jump. Practice games do not enter the champions list.</source>
        <translation>Esta fue una partida de práctica: pidió una pista o deshizo un salto. Las partidas de práctica no entran en el listado de records.</translation>
    </message>
    <message>
        <source>Hint: jump from row %1, column %2 to row %3, column %4</source>
        <translation>Pista: salto de la fila %1, columna %2 a la fila %3, columna %4</translation>
    </message>
    <message>
        <source>&amp;Hint</source>
        <translation>&amp;Pista</translation>
    </message>
    <message>
        <source>&amp;Undo jump</source>
        <translation>&amp;Deshacer salto</translation>
    </message>
    <message>
        <source>no such file</source>
        <translation>no existe el archivo</translation>
    </message>
    <message>
        <source>a module of another version</source>
        <translation>un módulo de otra versión</translation>
    </message>
    <message>
        <source>The sound module %1 could not be loaded (%2): the game runs without sound effects and music.</source>
        <translation>No se pudo cargar el módulo de sonido %1 (%2): el juego funciona sin efectos de sonido ni música.</translation>
    </message>
    <message>
        <source>The soundfont %1 is missing or cannot be read: the music stays silent.</source>
        <translation>Falta el banco de sonidos %1 o no se puede leer: la música permanece en silencio.</translation>
    </message>
    <message>
        <source>No sound server answers: the game runs without sound effects and music until one does.</source>
        <translation>Ningún servidor de sonido responde: el juego funciona sin efectos de sonido ni música hasta que uno responda.</translation>
    </message>
    <message>
        <source>The sound server went away: the game runs without sound effects and music until it is back.</source>
        <translation>El servidor de sonido se ha ido: el juego funciona sin efectos de sonido ni música hasta que vuelva.</translation>
    </message>
    <message>
        <source>The sound server is back: sound effects and music play again.</source>
        <translation>El servidor de sonido ha vuelto: los efectos de sonido y la música suenan de nuevo.</translation>
    </message>
    <message>
        <source>The print module %1 could not be loaded (%2): the game cannot print.</source>
        <translation>No se pudo cargar el módulo de impresión %1 (%2): el juego no puede imprimir.</translation>
    </message>
    <message>
        <source>This makes the game a practice game, which does not enter the champions list. Go on?</source>
        <translation>Esto convierte la partida en una partida de práctica, que no entra en la lista de campeones. ¿Continuar?</translation>
    </message>
    <message>
        <source>Practice game</source>
        <translation>Partida de práctica</translation>
    </message>
    <message>
        <source>R&amp;edo jump</source>
        <translation>Re&amp;hacer salto</translation>
    </message>
    <message>
        <source>Game</source>
        <translation>Juego</translation>
    </message>
    <message>
        <source>Variants</source>
        <translation>Variantes</translation>
    </message>
    <message>
        <source>Commands</source>
        <translation>Órdenes</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Idioma</translation>
    </message>
    <message>
        <source>Game started</source>
        <translation>Partida iniciada</translation>
    </message>
    <message>
        <source>Marbles left: %1, seconds: %2</source>
        <translation>Bolas restantes: %1, segundos: %2</translation>
    </message>
    <message>
        <source>from row %1, column %2 to row %3, column %4</source>
        <translation>de la fila %1, columna %2 a la fila %3, columna %4</translation>
    </message>
    <message>
        <source>Jump taken back: %1</source>
        <translation>Salto deshecho: %1</translation>
    </message>
    <message>
        <source>Jump made again: %1</source>
        <translation>Salto rehecho: %1</translation>
    </message>
    <message>
        <source>Marble lifted</source>
        <translation>Bola levantada</translation>
    </message>
    <message>
        <source>Marble put back</source>
        <translation>Bola devuelta</translation>
    </message>
    <message>
        <source>%1. %2, marbles: %3, seconds: %4</source>
        <translation>%1. %2, bolas: %3, segundos: %4</translation>
    </message>
    <message>
        <source>No champions yet</source>
        <translation>Aún no hay campeones</translation>
    </message>
    <message>
        <source>Your place: %1</source>
        <translation>Su puesto: %1</translation>
    </message>
    <message>
        <source>Statistics</source>
        <translation>Estadísticas</translation>
    </message>
    <message>
        <source>Ranked games</source>
        <translation>Partidas clasificadas</translation>
    </message>
    <message>
        <source>Practice games</source>
        <translation>Partidas de práctica</translation>
    </message>
    <message>
        <source>Games started</source>
        <translation>Partidas empezadas</translation>
    </message>
    <message>
        <source>Games finished</source>
        <translation>Partidas terminadas</translation>
    </message>
    <message>
        <source>Average marbles left</source>
        <translation>Media de bolas restantes</translation>
    </message>
    <message>
        <source>Best result</source>
        <translation>Mejor resultado</translation>
    </message>
    <message>
        <source>Finished with one marble</source>
        <translation>Terminadas con una bola</translation>
    </message>
    <message>
        <source>Time played</source>
        <translation>Tiempo jugado</translation>
    </message>
    <message>
        <source>Variant %1</source>
        <translation>Variante %1</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>%1.%2</source>
        <extracomment>A number with one decimal: %1 the whole part, %2 the tenths, joined by the decimal sign of the language.</extracomment>
        <translation>%1,%2</translation>
    </message>
    <message>
        <source>1 marble, %1 s</source>
        <extracomment>A result: one marble left, %1 the seconds.</extracomment>
        <translation>1 bola, %1 s</translation>
    </message>
    <message>
        <source>%1 marbles, %2 s</source>
        <extracomment>A result: %1 marbles left (2 or more), %2 the seconds.</extracomment>
        <translation>%1 bolas, %2 s</translation>
    </message>
    <message>
        <source>&amp;Clear</source>
        <translation>&amp;Borrar</translation>
    </message>
    <message>
        <source>Clear the statistics of every variant, of ranked and practice games alike? This cannot be undone.</source>
        <translation>¿Borrar las estadísticas de todas las variantes, tanto de las partidas clasificadas como de las de práctica? No se puede deshacer.</translation>
    </message>
    <message>
        <source>The statistics could not be cleared: %1.</source>
        <translation>No se pudieron borrar las estadísticas: %1.</translation>
    </message>
    <message>
        <source>A game was left unfinished: variant %1, %2 marbles, %3 seconds.

Continue it? The time away was not on the clock, so it goes on as a practice game.</source>
        <translation>Quedó una partida sin terminar: variante %1, %2 bolas, %3 segundos.

¿Continuarla? El tiempo de ausencia no corrió en el reloj, así que sigue como partida de práctica.</translation>
    </message>
    <message>
        <source>The unfinished game could not be kept: %1</source>
        <translation>No se pudo guardar la partida sin terminar: %1</translation>
    </message>
    <message>
        <source>The statistics could not be kept: %1</source>
        <translation>No se pudieron guardar las estadísticas: %1</translation>
    </message>
    <message>
        <source>Board copied</source>
        <translation>Tablero copiado</translation>
    </message>
    <message>
        <source>The clipboard holds no board of any variant. A board is seven rows of &quot;o&quot; for a marble, &quot;.&quot; for an empty hole and a space where there is no hole, as Copy board gives them.</source>
        <translation>El portapapeles no contiene el tablero de ninguna variante. Un tablero son siete filas con «o» para una bola, «.» para un hueco vacío y un espacio donde no hay hueco, tal como las da «Copiar tablero».</translation>
    </message>
    <message>
        <source>Board pasted: variant %1, %2 marbles</source>
        <translation>Tablero pegado: variante %1, %2 bolas</translation>
    </message>
    <message>
        <source>&amp;Copy board</source>
        <translation>&amp;Copiar tablero</translation>
    </message>
    <message>
        <source>&amp;Paste board</source>
        <translation>&amp;Pegar tablero</translation>
    </message>
    <message>
        <source>&amp;Statistics...</source>
        <translation>&amp;Estadísticas...</translation>
    </message>
    <message>
        <source>none</source>
        <translation>ninguno</translation>
    </message>
    <message>
        <source>This was a practice game: it went on from an earlier sitting or from a pasted board. Practice games do not enter the champions list.</source>
        <translation>Esta fue una partida de práctica: continuó desde una sesión anterior o desde un tablero pegado. Las partidas de práctica no entran en el listado de records.</translation>
    </message>
    <message>
        <source>Show the &amp;best game</source>
        <translation>Mostrar la me&amp;jor partida</translation>
    </message>
    <message>
        <source>No jump is left on this board</source>
        <translation>No queda ningún salto en este tablero</translation>
    </message>
    <message>
        <source>Looking for the best game</source>
        <translation>Buscando la mejor partida</translation>
    </message>
    <message>
        <source>The best game: %1 jumps, marbles left at the end: %2. Space pauses, Left and Right step, Escape returns to your game.</source>
        <translation>La mejor partida: %1 saltos, bolas restantes al final: %2. Espacio pausa, Izquierda y Derecha van paso a paso, Escape vuelve a tu partida.</translation>
    </message>
    <message>
        <source>The best game found: %1 jumps, marbles left at the end: %2. No game with fewer was found, but none is ruled out. Space pauses, Left and Right step, Escape returns to your game.</source>
        <translation>La mejor partida encontrada: %1 saltos, bolas restantes al final: %2. No se encontró ninguna con menos, pero no se descarta. Espacio pausa, Izquierda y Derecha van paso a paso, Escape vuelve a tu partida.</translation>
    </message>
    <message>
        <source>End of the best game. Marbles left: %1. Escape returns to your game.</source>
        <translation>Fin de la mejor partida. Bolas restantes: %1. Escape vuelve a tu partida.</translation>
    </message>
    <message>
        <source>End of the best game found. Marbles left: %1. Escape returns to your game.</source>
        <translation>Fin de la mejor partida encontrada. Bolas restantes: %1. Escape vuelve a tu partida.</translation>
    </message>
    <message>
        <source>Paused at jump %1 of %2</source>
        <translation>En pausa en el salto %1 de %2</translation>
    </message>
    <message>
        <source>Playing on</source>
        <translation>Continúa</translation>
    </message>
    <message>
        <source>Marbles left: %1</source>
        <translation>Bolas restantes: %1</translation>
    </message>
    <message>
        <source>Jump %1 of %2 taken back</source>
        <translation>Salto %1 de %2 deshecho</translation>
    </message>
    <message>
        <source>Back to your game</source>
        <translation>De vuelta a tu partida</translation>
    </message>
    <message>
        <source>Best game: jump %1 of %2</source>
        <translation>Mejor partida: salto %1 de %2</translation>
    </message>
    <message>
        <source>Best game found: jump %1 of %2</source>
        <translation>Mejor partida encontrada: salto %1 de %2</translation>
    </message>
    <message>
        <source>%1, paused</source>
        <translation>%1, en pausa</translation>
    </message>
    <message>
        <source>Jump %1 of %2: %3</source>
        <translation>Salto %1 de %2: %3</translation>
    </message>
</context>
</TS>
