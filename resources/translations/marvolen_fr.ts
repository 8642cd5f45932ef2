<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR" sourcelanguage="en">
<context>
    <name>Marvolen</name>
    <message>
        <source>%1 (error %2)</source>
        <translation>%1 (erreur %2)</translation>
    </message>
    <message>
        <source>Board</source>
        <translation>Plateau</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Is one marble still &amp;reachable?</source>
        <translation>Peut-on encore ne laisser qu’une seule &amp;bille ?</translation>
    </message>
    <message>
        <source>Marbles</source>
        <translation>Billes</translation>
    </message>
    <message>
        <source>Seconds</source>
        <translation>Secondes</translation>
    </message>
    <message>
        <source>The champions list in &quot;%1&quot; could not be cleared: %2.</source>
        <translation>La liste des champions dans « %1 » n’a pas pu être effacée : %2.</translation>
    </message>
    <message>
        <source>The champions list in &quot;%1&quot; could not be read: %2.</source>
        <translation>La liste des champions dans « %1 » n’a pas pu être lue : %2.</translation>
    </message>
    <message>
        <source>The error protocol could not be printed.</source>
        <translation>Le protocole d’erreur n’a pas pu être imprimé.</translation>
    </message>
    <message>
        <source>The error protocol could not be written to file &apos;%1&apos; (%2).</source>
        <translation>Le protocole d’erreur n’a pas pu être écrit dans le fichier &apos;%1&apos; (%2).</translation>
    </message>
    <message>
        <source>The error protocol could not be written to file &apos;%1&apos;!</source>
        <translation>Le protocole d’erreur n’a pas pu être écrit dans le fichier &apos;%1&apos; !</translation>
    </message>
    <message>
        <source>Your result could not be saved in the champions list &quot;%1&quot;: %2. It is shown here but will be gone when you close this window.</source>
        <translation>Votre résultat n’a pas pu être enregistré dans la liste des champions « %1 » : %2. Il est affiché ici, mais disparaîtra à la fermeture de cette fenêtre.</translation>
    </message>
    <message>
        <source>Your result equals the tenth place. Equal results are ranked by name, and the name already there comes first, so your result does not enter the champions list.</source>
        <translation>Votre résultat égale la dixième place. Les résultats égaux sont classés par nom, et le nom déjà présent passe en premier : votre résultat n&apos;entre donc pas dans la liste des champions.</translation>
    </message>
    <message>
        <source>While you were entering your name, other results were saved to this champions list by another running copy of Marvolen, and your result no longer enters it.</source>
        <translation>Pendant que vous saisissiez votre nom, une autre copie de Marvolen en cours d&apos;exécution a enregistré des résultats dans cette liste des champions, et votre résultat n&apos;y entre plus.</translation>
    </message>
    <message>
        <source>Marbles: %1</source>
        <translation>Billes : %1</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Temps</translation>
    </message>
    <message>
        <source>Time: %1 seconds</source>
        <translation>Temps : %1 secondes</translation>
    </message>
    <message>
        <source>row %1, column %2: empty</source>
        <translation>ligne %1, colonne %2 : vide</translation>
    </message>
    <message>
        <source>row %1, column %2: marble</source>
        <translation>ligne %1, colonne %2 : bille</translation>
    </message>
    <message>
        <source>This was a practice game: you asked for a hint or took back a jump. Practice games do not enter the champions list.</source>
        <translation>C'était une partie d'entraînement : vous avez demandé un indice ou annulé un saut. Les parties d'entraînement n'entrent pas dans la liste des scores.</translation>
    </message>
    <message>
        <source>Hint: jump from row %1, column %2 to row %3, column %4</source>
        <translation>Indice : saut de la ligne %1, colonne %2 à la ligne %3, colonne %4</translation>
    </message>
    <message>
        <source>&amp;Hint</source>
        <translation>&amp;Indice</translation>
    </message>
    <message>
        <source>&amp;Undo jump</source>
        <translation>&amp;Annuler le saut</translation>
    </message>
    <message>
        <source>no such file</source>
        <translation>fichier introuvable</translation>
    </message>
    <message>
        <source>a module of another version</source>
        <translation>un module d'une autre version</translation>
    </message>
    <message>
        <source>The sound module %1 could not be loaded (%2): the game runs without sound effects and music.</source>
        <translation>Le module sonore %1 n'a pas pu être chargé (%2) : le jeu fonctionne sans effets sonores ni musique.</translation>
    </message>
    <message>
        <source>The soundfont %1 is missing or cannot be read: the music stays silent.</source>
        <translation>La banque de sons %1 est absente ou illisible : la musique reste muette.</translation>
    </message>
    <message>
        <source>No sound server answers: the game runs without sound effects and music until one does.</source>
        <translation>Aucun serveur de son ne répond : le jeu fonctionne sans effets sonores ni musique jusqu’à ce qu’un serveur réponde.</translation>
    </message>
    <message>
        <source>The sound server went away: the game runs without sound effects and music until it is back.</source>
        <translation>Le serveur de son a disparu : le jeu fonctionne sans effets sonores ni musique jusqu’à son retour.</translation>
    </message>
    <message>
        <source>The sound server is back: sound effects and music play again.</source>
        <translation>Le serveur de son est de retour : les effets sonores et la musique reprennent.</translation>
    </message>
    <message>
        <source>The print module %1 could not be loaded (%2): the game cannot print.</source>
        <translation>Le module d&apos;impression %1 n&apos;a pas pu être chargé (%2) : le jeu ne peut pas imprimer.</translation>
    </message>
    <message>
        <source>This makes the game a practice game, which does not enter the champions list. Go on?</source>
        <translation>La partie devient ainsi une partie d’entraînement, qui n’entre pas dans la liste des champions. Continuer ?</translation>
    </message>
    <message>
        <source>Practice game</source>
        <translation>Partie d’entraînement</translation>
    </message>
    <message>
        <source>R&amp;edo jump</source>
        <translation>Ré&amp;tablir le saut</translation>
    </message>
    <message>
        <source>Game</source>
        <translation>Jeu</translation>
    </message>
    <message>
        <source>Variants</source>
        <translation>Variantes</translation>
    </message>
    <message>
        <source>Commands</source>
        <translation>Commandes</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Langue</translation>
    </message>
    <message>
        <source>Game started</source>
        <translation>Partie commencée</translation>
    </message>
    <message>
        <source>Marbles left: %1, seconds: %2</source>
        <translation>Billes restantes : %1, secondes : %2</translation>
    </message>
    <message>
        <source>from row %1, column %2 to row %3, column %4</source>
        <translation>de la ligne %1, colonne %2 à la ligne %3, colonne %4</translation>
    </message>
    <message>
        <source>Jump taken back: %1</source>
        <translation>Saut annulé : %1</translation>
    </message>
    <message>
        <source>Jump made again: %1</source>
        <translation>Saut rétabli : %1</translation>
    </message>
    <message>
        <source>Marble lifted</source>
        <translation>Bille soulevée</translation>
    </message>
    <message>
        <source>Marble put back</source>
        <translation>Bille reposée</translation>
    </message>
    <message>
        <source>%1. %2, marbles: %3, seconds: %4</source>
        <translation>%1. %2, billes : %3, secondes : %4</translation>
    </message>
    <message>
        <source>No champions yet</source>
        <translation>Pas encore de champions</translation>
    </message>
    <message>
        <source>Your place: %1</source>
        <translation>Votre place : %1</translation>
    </message>
    <message>
        <source>Statistics</source>
        <translation>Statistiques</translation>
    </message>
    <message>
        <source>Ranked games</source>
        <translation>Parties classées</translation>
    </message>
    <message>
        <source>Practice games</source>
        <translation>Parties d’entraînement</translation>
    </message>
    <message>
        <source>Games started</source>
        <translation>Parties commencées</translation>
    </message>
    <message>
        <source>Games finished</source>
        <translation>Parties terminées</translation>
    </message>
    <message>
        <source>Average marbles left</source>
        <translation>Billes restantes en moyenne</translation>
    </message>
    <message>
        <source>Best result</source>
        <translation>Meilleur résultat</translation>
    </message>
    <message>
        <source>Finished with one marble</source>
        <translation>Terminées avec une bille</translation>
    </message>
    <message>
        <source>Time played</source>
        <translation>Temps de jeu</translation>
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
        <translation>1 bille, %1 s</translation>
    </message>
    <message>
        <source>%1 marbles, %2 s</source>
        <extracomment>A result: %1 marbles left (2 or more), %2 the seconds.</extracomment>
        <translation>%1 billes, %2 s</translation>
    </message>
    <message>
        <source>&amp;Clear</source>
        <translation>&amp;Effacer</translation>
    </message>
    <message>
        <source>Clear the statistics of every variant, of ranked and practice games alike? This cannot be undone.</source>
        <translation>Effacer les statistiques de toutes les variantes, des parties classées comme des parties d’entraînement ? Cela ne peut pas être annulé.</translation>
    </message>
    <message>
        <source>The statistics could not be cleared: %1.</source>
        <translation>Les statistiques n’ont pas pu être effacées : %1.</translation>
    </message>
    <message>
        <source>A game was left unfinished: variant %1, %2 marbles, %3 seconds.

Continue it? The time away was not on the clock, so it goes on as a practice game.</source>
        <translation>Une partie est restée inachevée : variante %1, %2 billes, %3 secondes.

La continuer ? Le temps d’absence n’a pas été compté, elle continue donc comme partie d’entraînement.</translation>
    </message>
    <message>
        <source>The unfinished game could not be kept: %1</source>
        <translation>La partie inachevée n’a pas pu être conservée : %1</translation>
    </message>
    <message>
        <source>The statistics could not be kept: %1</source>
        <translation>Les statistiques n’ont pas pu être conservées : %1</translation>
    </message>
    <message>
        <source>Board copied</source>
        <translation>Plateau copié</translation>
    </message>
    <message>
        <source>The clipboard holds no board of any variant. A board is seven rows of &quot;o&quot; for a marble, &quot;.&quot; for an empty hole and a space where there is no hole, as Copy board gives them.</source>
        <translation>Le presse-papiers ne contient le plateau d’aucune variante. Un plateau, ce sont sept lignes de « o » pour une bille, « . » pour un trou vide et une espace là où il n’y a pas de trou, comme « Copier le plateau » les donne.</translation>
    </message>
    <message>
        <source>Board pasted: variant %1, %2 marbles</source>
        <translation>Plateau collé : variante %1, %2 billes</translation>
    </message>
    <message>
        <source>&amp;Copy board</source>
        <translation>&amp;Copier le plateau</translation>
    </message>
    <message>
        <source>&amp;Paste board</source>
        <translation>Co&amp;ller le plateau</translation>
    </message>
    <message>
        <source>&amp;Statistics...</source>
        <translation>&amp;Statistiques...</translation>
    </message>
    <message>
        <source>none</source>
        <translation>aucun</translation>
    </message>
    <message>
        <source>This was a practice game: it went on from an earlier sitting or from a pasted board. Practice games do not enter the champions list.</source>
        <translation>C’était une partie d’entraînement : elle a repris d’une séance précédente ou d’un plateau collé. Les parties d’entraînement n’entrent pas dans la liste des scores.</translation>
    </message>
    <message>
        <source>Show the &amp;best game</source>
        <translation>Montrer la meille&amp;ure partie</translation>
    </message>
    <message>
        <source>No jump is left on this board</source>
        <translation>Plus aucun saut n’est possible sur ce plateau</translation>
    </message>
    <message>
        <source>Looking for the best game</source>
        <translation>Recherche de la meilleure partie</translation>
    </message>
    <message>
        <source>The best game: %1 jumps, marbles left at the end: %2. Space pauses, Left and Right step, Escape returns to your game.</source>
        <translation>La meilleure partie : %1 sauts, billes restantes à la fin : %2. Espace met en pause, Gauche et Droite avancent pas à pas, Échap revient à votre partie.</translation>
    </message>
    <message>
        <source>The best game found: %1 jumps, marbles left at the end: %2. No game with fewer was found, but none is ruled out. Space pauses, Left and Right step, Escape returns to your game.</source>
        <translation>La meilleure partie trouvée : %1 sauts, billes restantes à la fin : %2. Aucune avec moins n’a été trouvée, mais aucune n’est exclue. Espace met en pause, Gauche et Droite avancent pas à pas, Échap revient à votre partie.</translation>
    </message>
    <message>
        <source>End of the best game. Marbles left: %1. Escape returns to your game.</source>
        <translation>Fin de la meilleure partie. Billes restantes : %1. Échap revient à votre partie.</translation>
    </message>
    <message>
        <source>End of the best game found. Marbles left: %1. Escape returns to your game.</source>
        <translation>Fin de la meilleure partie trouvée. Billes restantes : %1. Échap revient à votre partie.</translation>
    </message>
    <message>
        <source>Paused at jump %1 of %2</source>
        <translation>En pause au saut %1 sur %2</translation>
    </message>
    <message>
        <source>Playing on</source>
        <translation>Reprise</translation>
    </message>
    <message>
        <source>Marbles left: %1</source>
        <translation>Billes restantes : %1</translation>
    </message>
    <message>
        <source>Jump %1 of %2 taken back</source>
        <translation>Saut %1 sur %2 annulé</translation>
    </message>
    <message>
        <source>Back to your game</source>
        <translation>Retour à votre partie</translation>
    </message>
    <message>
        <source>Best game: jump %1 of %2</source>
        <translation>Meilleure partie : saut %1 sur %2</translation>
    </message>
    <message>
        <source>Best game found: jump %1 of %2</source>
        <translation>Meilleure partie trouvée : saut %1 sur %2</translation>
    </message>
    <message>
        <source>%1, paused</source>
        <translation>%1, en pause</translation>
    </message>
    <message>
        <source>Jump %1 of %2: %3</source>
        <translation>Saut %1 sur %2 : %3</translation>
    </message>
</context>
</TS>
