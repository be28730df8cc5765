<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>AvahiBus</name>
    <message>
        <source>Finding games on your network needs the Avahi service (avahi-daemon), which is not running here. You can still type the host&apos;s address.</source>
        <translation>Pour trouver des parties sur votre réseau, il faut le service Avahi (avahi-daemon), qui ne tourne pas ici. Vous pouvez toujours saisir l&apos;adresse de l&apos;hôte.</translation>
    </message>
    <message>
        <source>Your game is not shown to players on your network, as the Avahi service (avahi-daemon) is not running here. They can still join at your address.</source>
        <translation>Votre partie n&apos;est pas visible des joueurs de votre réseau, car le service Avahi (avahi-daemon) ne tourne pas ici. Ils peuvent toujours la rejoindre à votre adresse.</translation>
    </message>
    <message>
        <source>Your game could not be shown to players on your network (%1). They can still join at your address.</source>
        <translation>Votre partie n&apos;a pas pu être montrée aux joueurs de votre réseau (%1). Ils peuvent toujours la rejoindre à votre adresse.</translation>
    </message>
    <message>
        <source>Finding games on your network failed (%1). You can still type the host&apos;s address.</source>
        <translation>La recherche de parties sur votre réseau a échoué (%1). Vous pouvez toujours saisir l&apos;adresse de l&apos;hôte.</translation>
    </message>
</context>
<context>
    <name>BoardPictures</name>
    <message>
        <source>Roll Dice</source>
        <translation>Lancer</translation>
    </message>
    <message>
        <source>Start Game</source>
        <translation>Commencer</translation>
    </message>
</context>
<context>
    <name>BotChatter</name>
    <message>
        <source>I need a Pepsi</source>
        <translation>J&apos;ai besoin d&apos;un soda</translation>
    </message>
    <message>
        <source>I&apos;m a bit confused</source>
        <translation>Je suis un peu perdu</translation>
    </message>
    <message>
        <source>Want to go to the Park?</source>
        <translation>On va au parc ?</translation>
    </message>
    <message>
        <source>Excerise is a good thing.</source>
        <translation>Le sport, c&apos;est bon pour la santé.</translation>
    </message>
    <message>
        <source>Tomorrow I&apos;ll be better.</source>
        <translation>Demain, je serai meilleur.</translation>
    </message>
    <message>
        <source>I don&apos;t think that is a good idea</source>
        <translation>Je ne crois pas que ce soit une bonne idée</translation>
    </message>
    <message>
        <source>That is very wise of you</source>
        <translation>C&apos;est très sage de votre part</translation>
    </message>
    <message>
        <source>I have played this game alot</source>
        <translation>J&apos;ai beaucoup joué à ce jeu</translation>
    </message>
    <message>
        <source>Now that&apos;s a strange picture!</source>
        <translation>Voilà une drôle d&apos;image !</translation>
    </message>
    <message>
        <source>Where ya going with that hamburger?</source>
        <translation>Tu vas où avec ce hamburger ?</translation>
    </message>
    <message>
        <source>What are you going to do with that hairbrush?</source>
        <translation>Qu&apos;est-ce que tu vas faire avec cette brosse à cheveux ?</translation>
    </message>
    <message>
        <source>Have you seen Zephyrine today?</source>
        <translation>Vous avez vu Zephyrine aujourd&apos;hui ?</translation>
    </message>
    <message>
        <source>If you like this game, you should play Quintel!</source>
        <translation>Si ce jeu vous plaît, essayez donc Quintel !</translation>
    </message>
    <message>
        <source>Who is winning?</source>
        <translation>Qui est en train de gagner ?</translation>
    </message>
    <message>
        <source>Is your telephone ringing?</source>
        <translation>C&apos;est votre téléphone qui sonne ?</translation>
    </message>
    <message>
        <source>A Star is born!</source>
        <translation>Une étoile est née !</translation>
    </message>
    <message>
        <source>That was a good movie.</source>
        <translation>C&apos;était un bon film.</translation>
    </message>
    <message>
        <source>Who knows..</source>
        <translation>Qui sait…</translation>
    </message>
    <message>
        <source>I wish the kids would quiet down.</source>
        <translation>Si seulement les enfants se calmaient.</translation>
    </message>
    <message>
        <source>I&apos;m feeling lucky tonight.</source>
        <translation>Je me sens en veine ce soir.</translation>
    </message>
    <message>
        <source>Will you come and play again sometime?</source>
        <translation>Vous reviendrez jouer un de ces jours ?</translation>
    </message>
    <message>
        <source>I&apos;m so happy you are here!</source>
        <translation>Je suis si content que vous soyez là !</translation>
    </message>
    <message>
        <source>Oh that is so nice of you!</source>
        <translation>Oh, c&apos;est vraiment gentil de votre part !</translation>
    </message>
    <message>
        <source>Hey, I found a penny!</source>
        <translation>Hé, j&apos;ai trouvé une pièce !</translation>
    </message>
    <message>
        <source>Have you ever seen a orange haired lizzard dude?</source>
        <translation>Vous avez déjà vu un lézard aux cheveux orange ?</translation>
    </message>
    <message>
        <source>My leg is on fire.</source>
        <translation>Ma jambe est en feu.</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>unknown option %1</source>
        <translation>option inconnue %1</translation>
    </message>
    <message>
        <source>%1 takes no value</source>
        <translation>%1 ne prend pas de valeur</translation>
    </message>
    <message>
        <source>%1 needs a value</source>
        <translation>%1 demande une valeur</translation>
    </message>
    <message>
        <source>%1 needs a whole number (%2), not &quot;%3&quot;</source>
        <translation>%1 demande un nombre entier (%2), pas « %3 »</translation>
    </message>
    <message>
        <source>%1 %2 is out of range (%3)</source>
        <translation>%1 %2 est hors limites (%3)</translation>
    </message>
    <message>
        <source>NAME, HOST and true or x go together; only 1 word given:</source>
        <translation>NOM, HÔTE et true ou x vont ensemble ; un seul mot donné :</translation>
    </message>
    <message>
        <source>NAME, HOST and true or x go together; only 2 words given:</source>
        <translation>NOM, HÔTE et true ou x vont ensemble ; seulement 2 mots donnés :</translation>
    </message>
</context>
<context>
    <name>GuiMain</name>
    <message>
        <source>ignored the words after the third:</source>
        <translation>mots ignorés après le troisième :</translation>
    </message>
</context>
<context>
    <name>MainGame</name>
    <message>
        <source>The game has ended; back to a solo game.</source>
        <translation>La partie est terminée ; retour à une partie en solo.</translation>
    </message>
    <message>
        <source>Your game ended while you were joining, so you are back in a solo game. Press Join to try again.</source>
        <translation>Votre partie s&apos;est terminée pendant que vous rejoigniez l&apos;autre : vous voilà de retour en solo. Appuyez sur Rejoindre pour réessayer.</translation>
    </message>
    <message>
        <source>Port %1 is not available (%2).</source>
        <translation>Le port %1 n&apos;est pas disponible (%2).</translation>
    </message>
    <message>
        <source> Port %1 is free: press Host to use it.</source>
        <translation> Le port %1 est libre : appuyez sur Héberger pour l&apos;utiliser.</translation>
    </message>
</context>
<context>
    <name>MainMenus</name>
    <message>
        <source>File</source>
        <translation>Fichier</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Affichage</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Aide</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Jouer</translation>
    </message>
</context>
<context>
    <name>MainOptions</name>
    <message>
        <source>Usage: tilecrest [NAME HOST true | NAME HOST x] [--port N] [--pause-ms N] [--hold-s N]
                [--no-announce] [--no-map-port]
Tilecrest %1, a dice-and-tiles game for up to six players.

  (no parameters)  a solo game as &quot;You&quot; against the computer player
  NAME HOST true   host a game as NAME (HOST is not used)
  NAME HOST x      join the game hosted at HOST as NAME (any word but &quot;true&quot;)
  --port N         host or join on TCP port N (0..65535) instead of 7772; a solo
                   game takes another free port when N is taken
  --pause-ms N     length of the hosted server&apos;s pause tick, 1..60000 ms (default 1000)
  --hold-s N       a hosted game keeps the seat of a player whose connection drops
                   for N seconds, 0..3600 (default 120; 0 never)
  --no-announce    do not show a hosted game to players on the local network
  --no-map-port    do not ask the home router to open a hosted game&apos;s port for
                   players on the internet (otherwise the Host dialog&apos;s choice counts)
  --               end of the options: every word after it is a parameter word
  --help           show this text and end
  --version        show the version and end

A solo game can be reached only from this computer; a hosted game from the network.
In the game, File &gt; Host a Game... and Join a Game... do the same without a command line.
Any word that is none of these options is a parameter word, so a NAME may start with &quot;-&quot;;
among fewer than three words such a word is an unknown option. One or two parameter words
are not enough; words after the third are ignored, with a line on stderr.
A wrong command line is named on stderr with this text and ends with status 2.
</source>
        <translation>Usage : tilecrest [NOM HÔTE true | NOM HÔTE x] [--port N] [--pause-ms N] [--hold-s N]
                  [--no-announce] [--no-map-port]
Tilecrest %1, un jeu de dés et de volets pour six joueurs au plus.

  (sans paramètre)  une partie en solo sous le nom « Vous » contre l&apos;ordinateur
  NOM HÔTE true     héberger une partie sous le nom NOM (HÔTE n&apos;est pas utilisé)
  NOM HÔTE x        rejoindre sous le nom NOM la partie hébergée sur HÔTE (tout mot sauf « true »)
  --port N          héberger ou rejoindre sur le port TCP N (0..65535) au lieu de 7772 ; une
                    partie en solo prend un autre port libre si N est occupé
  --pause-ms N      durée d&apos;un temps de pause du serveur hébergé, 1..60000 ms (1000 par défaut)
  --hold-s N        une partie hébergée garde la place d&apos;un joueur dont la connexion tombe
                    pendant N secondes, 0..3600 (120 par défaut ; 0 jamais)
  --no-announce     ne pas montrer une partie hébergée aux joueurs du réseau local
  --no-map-port     ne pas demander au routeur domestique d&apos;ouvrir le port d&apos;une partie
                    hébergée aux joueurs d&apos;Internet (sinon, le choix de la fenêtre Héberger compte)
  --                fin des options : chaque mot qui suit est un mot de paramètre
  --help            afficher ce texte et quitter
  --version         afficher la version et quitter

Une partie en solo n&apos;est accessible que depuis cet ordinateur ; une partie hébergée, depuis le réseau.
Dans le jeu, Fichier &gt; Héberger une partie... et Rejoindre une partie... font de même sans ligne de commande.
Tout mot qui n&apos;est pas l&apos;une de ces options est un mot de paramètre : un NOM peut donc commencer par « - » ;
parmi moins de trois mots, un tel mot est une option inconnue. Un ou deux mots de paramètre ne
suffisent pas ; les mots après le troisième sont ignorés, avec une ligne sur stderr.
Une ligne de commande erronée est signalée sur stderr avec ce texte et se termine avec le code 2.
</translation>
    </message>
</context>
<context>
    <name>PackMain</name>
    <message>
        <source>Usage: tilecrest-pack pack IN OUT      pack IN into the compressed container OUT
       tilecrest-pack unpack IN OUT    unpack the container IN into OUT
       tilecrest-pack show TALLYFILE   print a tally file (Ridgeplaytally.tld) as a table
       tilecrest-pack --help | --version

Exit status 0 on success. On failure the reason goes to stderr, the exit
status is 1 and no OUT file is left behind (an existing OUT is kept).
A wrong command line is named on stderr with this text, exit status 2.
</source>
        <translation>Usage : tilecrest-pack pack SOURCE CIBLE      compresser SOURCE dans le conteneur CIBLE
        tilecrest-pack unpack SOURCE CIBLE    décompresser le conteneur SOURCE dans CIBLE
        tilecrest-pack show FICHIER_BILAN     afficher un fichier de bilan (Ridgeplaytally.tld)
                                              sous forme de tableau
        tilecrest-pack --help | --version

Code de sortie 0 en cas de succès. En cas d&apos;échec, la raison va sur stderr, le code
de sortie est 1 et aucun fichier CIBLE n&apos;est laissé (une CIBLE existante est gardée).
Une ligne de commande erronée est signalée sur stderr avec ce texte, code de sortie 2.
</translation>
    </message>
    <message>
        <source>Your Total Tally
  Total Games: %1
  Your Wins: %2
  Total Times you&apos;ve Tilecrest: %3

</source>
        <translation>Votre bilan total
  Parties au total : %1
  Vos victoires : %2
  Fois où vous avez fermé les neuf volets : %3

</translation>
    </message>
    <message>
        <source>Player</source>
        <translation>Joueur</translation>
    </message>
    <message>
        <source>Games</source>
        <translation>Parties</translation>
    </message>
    <message>
        <source>His Wins</source>
        <translation>Ses victoires</translation>
    </message>
    <message>
        <source>Your Wins</source>
        <translation>Vos victoires</translation>
    </message>
    <message>
        <source>Neither Won</source>
        <translation>Aucun gagnant</translation>
    </message>
    <message>
        <source>Session Games</source>
        <translation>Parties de la session</translation>
    </message>
    <message>
        <source>(nobody is being tallied)</source>
        <translation>(personne n&apos;est dans le bilan)</translation>
    </message>
    <message>
        <source>--help and --version stand alone</source>
        <translation>--help et --version s&apos;emploient seuls</translation>
    </message>
    <message>
        <source>no command given</source>
        <translation>aucune commande donnée</translation>
    </message>
    <message>
        <source>unknown command &quot;%1&quot;</source>
        <translation>commande inconnue « %1 »</translation>
    </message>
    <message>
        <source>%1 needs IN and OUT</source>
        <translation>%1 demande SOURCE et CIBLE</translation>
    </message>
    <message>
        <source>show needs one TALLYFILE</source>
        <translation>show demande un seul FICHIER_BILAN</translation>
    </message>
</context>
<context>
    <name>Phrases</name>
    <message>
        <source>Way To Go!</source>
        <translation>Bien joué !</translation>
    </message>
    <message>
        <source>Good One!</source>
        <translation>Joli coup !</translation>
    </message>
    <message>
        <source>Nice Try!</source>
        <translation>Bien tenté !</translation>
    </message>
    <message>
        <source>Excellent!</source>
        <translation>Excellent !</translation>
    </message>
    <message>
        <source>Brilliant!</source>
        <translation>Génial !</translation>
    </message>
    <message>
        <source>Wow, WTG!</source>
        <translation>Waouh, bravo !</translation>
    </message>
    <message>
        <source>Thanks!</source>
        <translation>Merci !</translation>
    </message>
    <message>
        <source>Way To Go Teamie!</source>
        <translation>Bravo, coéquipier !</translation>
    </message>
    <message>
        <source>Good Game Everyone!</source>
        <translation>Bonne partie à tous !</translation>
    </message>
</context>
<context>
    <name>PortMap</name>
    <message>
        <source>Players on your network can join; for players on the internet, forward TCP port %1 on that other router by hand, or host on a machine with a public address.</source>
        <translation>Les joueurs de votre réseau peuvent rejoindre la partie ; pour ceux d&apos;Internet, redirigez vous-même le port TCP %1 sur cet autre routeur, ou hébergez la partie sur une machine qui a une adresse publique.</translation>
    </message>
    <message>
        <source>Players on your network can join; for players on the internet, forward TCP port %1 on your router by hand, or host on a machine with a public address.</source>
        <translation>Les joueurs de votre réseau peuvent rejoindre la partie ; pour ceux d&apos;Internet, redirigez vous-même le port TCP %1 sur votre routeur, ou hébergez la partie sur une machine qui a une adresse publique.</translation>
    </message>
    <message>
        <source>Players on the internet can join at %1 port %2 (your router opened it).</source>
        <translation>Les joueurs d&apos;Internet peuvent rejoindre la partie à %1 port %2 (votre routeur l&apos;a ouvert).</translation>
    </message>
    <message>
        <source>No router answered when the game asked it to open port %1, so players on the internet cannot join yet.</source>
        <translation>Aucun routeur n&apos;a répondu quand le jeu a demandé l&apos;ouverture du port %1, les joueurs d&apos;Internet ne peuvent donc pas encore rejoindre la partie.</translation>
    </message>
    <message>
        <source>Your router refused to open port %1%2, so players on the internet cannot join yet.</source>
        <translation>Votre routeur a refusé d&apos;ouvrir le port %1%2, les joueurs d&apos;Internet ne peuvent donc pas encore rejoindre la partie.</translation>
    </message>
    <message>
        <source>Your router has no address on the internet of its own: another router (perhaps your provider&apos;s) stands between, so players on the internet cannot join yet.</source>
        <translation>Votre routeur n&apos;a pas d&apos;adresse à lui sur Internet : un autre routeur (peut-être celui de votre fournisseur d&apos;accès) se trouve entre les deux, les joueurs d&apos;Internet ne peuvent donc pas encore rejoindre la partie.</translation>
    </message>
    <message>
        <source>Your router&apos;s own outside address %1 is not on the internet: another router (perhaps your provider&apos;s) stands between, so players on the internet cannot join yet.</source>
        <translation>L&apos;adresse extérieure de votre routeur, %1, n&apos;est pas sur Internet : un autre routeur (peut-être celui de votre fournisseur d&apos;accès) se trouve entre les deux, les joueurs d&apos;Internet ne peuvent donc pas encore rejoindre la partie.</translation>
    </message>
    <message>
        <source>Your router no longer keeps port %1 open for this game%2, so players on the internet cannot join until it does; the game asks it again later.</source>
        <translation>Votre routeur ne garde plus le port %1 ouvert pour cette partie%2, les joueurs d&apos;Internet ne peuvent donc plus la rejoindre tant qu&apos;il ne le rouvre pas ; le jeu le lui redemandera plus tard.</translation>
    </message>
    <message>
        <source> or </source>
        <translation> ou </translation>
    </message>
    <message>
        <source>, </source>
        <translation>, </translation>
    </message>
    <message>
        <source>Players with IPv6 can join at %1 port %2 with no port to open, though your router&apos;s firewall may still block them.</source>
        <translation>Les joueurs en IPv6 peuvent rejoindre la partie à %1 port %2 sans port à ouvrir, mais le pare-feu de votre routeur peut encore les bloquer.</translation>
    </message>
</context>
<context>
    <name>ServerHost</name>
    <message>
        <source>Cannot listen on port %1: %2</source>
        <translation>Impossible d&apos;écouter sur le port %1 : %2</translation>
    </message>
</context>
<context>
    <name>ServerMain</name>
    <message>
        <source>Usage: tilecrest-server [--port N] [--bind ADDR] [--seed N] [--pause-ms N] [--login-ms N]
                        [--hold-s N] [--rudi classic|expert] [--name NAME] [--no-announce]
                        [--map-port] [--map-lease-s N]
Tilecrest %1 game server without a window.

  --port N       TCP port, 0..65535 (default 7772; 0 lets the system choose)
  --bind ADDR    address to listen on (default all); the game is announced only
                 on that address&apos;s interface and protocol
  --seed N       fixed seed of the dice, 0..4294967295 (default: the time of day)
  --pause-ms N   length of one pause tick, 0..3600000 ms (default 1000; 0 runs the
                 pauses as fast as the server&apos;s events allow)
  --login-ms N   close a connection that has not logged in after N ms, 0..3600000
                 (default 15000; 0 never)
  --hold-s N     keep the seat of a player whose connection drops during a game
                 for N seconds, 0..3600 (default 120; 0 never)
  --rudi classic|expert
                 how the computer player chooses: classic, his fixed order (default),
                 or expert, the best play
  --name NAME    name the game is announced under on the local network
                 (default: Tilecrest on this machine&apos;s host name)
  --no-announce  do not announce the game on the local network
  --map-port     ask the home router (NAT-PMP, then UPnP-IGD) to forward a port to
                 the server while it runs, so players on the internet can join; the
                 log says what the router answered
  --map-lease-s N
                 the lease asked of the router, 2..86400 s (default 3600), renewed
                 at half its time
  --help         show this text and end
  --version      show the version and end

A wrong command line is named on stderr with this text and ends with status 2;
a port or address that cannot be used ends with status 1.
</source>
        <translation>Usage : tilecrest-server [--port N] [--bind ADR] [--seed N] [--pause-ms N] [--login-ms N]
                         [--hold-s N] [--rudi classic|expert] [--name NOM] [--no-announce]
                         [--map-port] [--map-lease-s N]
Tilecrest %1, serveur de jeu sans fenêtre.

  --port N       port TCP, 0..65535 (7772 par défaut ; avec 0, le système choisit)
  --bind ADR     adresse d&apos;écoute (toutes par défaut) ; la partie n&apos;est annoncée que
                 sur l&apos;interface et le protocole de cette adresse
  --seed N       graine fixe des dés, 0..4294967295 (par défaut : l&apos;heure)
  --pause-ms N   durée d&apos;un temps de pause, 0..3600000 ms (1000 par défaut ; avec 0, les
                 pauses vont aussi vite que les événements du serveur le permettent)
  --login-ms N   fermer une connexion qui ne s&apos;est pas identifiée après N ms, 0..3600000
                 (15000 par défaut ; 0 jamais)
  --hold-s N     garder la place d&apos;un joueur dont la connexion tombe pendant une partie
                 durant N secondes, 0..3600 (120 par défaut ; 0 jamais)
  --rudi classic|expert
                 comment joue l&apos;ordinateur : classic, son ordre fixe (par défaut),
                 ou expert, le meilleur jeu
  --name NOM     nom sous lequel la partie est annoncée sur le réseau local
                 (par défaut : Tilecrest sur le nom d&apos;hôte de cette machine)
  --no-announce  ne pas annoncer la partie sur le réseau local
  --map-port     demander au routeur domestique (NAT-PMP, puis UPnP-IGD) de rediriger un
                 port vers le serveur pendant qu&apos;il tourne, pour que des joueurs d&apos;Internet
                 puissent rejoindre ; le journal dit ce que le routeur a répondu
  --map-lease-s N
                 la durée de bail demandée au routeur, 2..86400 s (3600 par défaut),
                 renouvelée à mi-parcours
  --help         afficher ce texte et quitter
  --version      afficher la version et quitter

Une ligne de commande erronée est signalée sur stderr avec ce texte et se termine avec le code 2 ;
un port ou une adresse inutilisable termine avec le code 1.
</translation>
    </message>
    <message>
        <source>unexpected word &quot;%1&quot;</source>
        <translation>mot inattendu « %1 »</translation>
    </message>
    <message>
        <source>--bind needs an IP address, not &quot;%1&quot;</source>
        <translation>--bind demande une adresse IP, pas « %1 »</translation>
    </message>
    <message>
        <source>--rudi needs classic or expert, not &quot;%1&quot;</source>
        <translation>--rudi demande classic ou expert, pas « %1 »</translation>
    </message>
</context>
<context>
    <name>Session</name>
    <message>
        <source>Your settings cannot be saved in %1 (%2). They last until the game is closed.</source>
        <translation>Vos réglages ne peuvent pas être enregistrés dans %1 (%2). Ils restent valables jusqu&apos;à la fermeture du jeu.</translation>
    </message>
    <message>
        <source>Your settings file could not be read and was kept as %1; the settings start afresh.</source>
        <translation>Votre fichier de réglages était illisible et a été conservé sous %1 ; les réglages repartent de zéro.</translation>
    </message>
    <message>
        <source>The address has a &quot;[&quot; but no &quot;]&quot;.</source>
        <translation>L&apos;adresse contient un « [ » mais pas de « ] ».</translation>
    </message>
    <message>
        <source>After &quot;]&quot; only &quot;:&quot; and the port may follow.</source>
        <translation>Après « ] », seuls « : » et le port peuvent suivre.</translation>
    </message>
    <message>
        <source>After the colon comes the port, a number from 1 to 65535; or leave it out and use the Port box.</source>
        <translation>Après les deux-points vient le port, un nombre de 1 à 65535 ; ou bien omettez-le et utilisez le champ Port.</translation>
    </message>
    <message>
        <source>Type the host&apos;s address.</source>
        <translation>Saisissez l&apos;adresse de l&apos;hôte.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a host name or an IP address.</source>
        <translation>« %1 » n&apos;est ni un nom d&apos;hôte ni une adresse IP.</translation>
    </message>
    <message>
        <source>Only this machine can reach the game: no network address was found (port %1).</source>
        <translation>Seule cette machine peut atteindre la partie : aucune adresse réseau n&apos;a été trouvée (port %1).</translation>
    </message>
    <message>
        <source> or </source>
        <translation> ou </translation>
    </message>
    <message>
        <source>, </source>
        <translation>, </translation>
    </message>
    <message>
        <source> (and %1 more)</source>
        <translation> (et %1 autres)</translation>
    </message>
    <message>
        <source>Others can join at %1 port %2.</source>
        <translation>Les autres peuvent rejoindre la partie à %1 port %2.</translation>
    </message>
    <message>
        <source>Connection lost, reconnecting… %1 left</source>
        <translation>Connexion perdue, reconnexion… encore %1</translation>
    </message>
    <message>
        <source>Loading Solo Game..Please wait.</source>
        <translation>Chargement de la partie en solo… Veuillez patienter.</translation>
    </message>
    <message>
        <source>Loading Multi-player Game.. Please Wait.</source>
        <translation>Chargement de la partie multijoueur… Veuillez patienter.</translation>
    </message>
    <message>
        <source>Cannot host the game: port %1 is not available (%2). Choose another port.</source>
        <translation>Impossible d&apos;héberger la partie : le port %1 n&apos;est pas disponible (%2). Choisissez un autre port.</translation>
    </message>
    <message>
        <source>unknown reason</source>
        <translation>raison inconnue</translation>
    </message>
    <message>
        <source>Could not connect to %1 port %2: %3</source>
        <translation>Connexion impossible à %1 port %2 : %3</translation>
    </message>
    <message>
        <source>Some messages were dropped because too many arrived at once.</source>
        <translation>Certains messages ont été ignorés, car trop sont arrivés d&apos;un coup.</translation>
    </message>
    <message>
        <source>You chat: </source>
        <translation>Vous écrivez : </translation>
    </message>
    <message>
        <source>You say: </source>
        <translation>Vous dites : </translation>
    </message>
    <message>
        <source>Rudi the bot says: %1</source>
        <translation>Rudi le robot dit : %1</translation>
    </message>
    <message>
        <source>You are Connected.</source>
        <translation>Vous êtes connecté.</translation>
    </message>
    <message>
        <source>Press Control-I to see Quick Instructions.</source>
        <translation>Appuyez sur Ctrl+I pour les règles en bref.</translation>
    </message>
    <message>
        <source>%1 is Connected.</source>
        <translation>%1 est connecté.</translation>
    </message>
    <message>
        <source>You are spying.</source>
        <translation>Vous regardez la partie.</translation>
    </message>
    <message>
        <source>%1 is spying.</source>
        <translation>%1 regarde la partie.</translation>
    </message>
    <message>
        <source>%1 has a different version of the game then you.</source>
        <translation>%1 a une autre version du jeu que vous.</translation>
    </message>
    <message>
        <source>You have a differnt version of the game then the host.</source>
        <translation>Vous avez une autre version du jeu que l&apos;hôte.</translation>
    </message>
    <message>
        <source>%1 disconnected.</source>
        <translation>%1 s&apos;est déconnecté.</translation>
    </message>
    <message>
        <source>%1 has left.</source>
        <translation>%1 est parti.</translation>
    </message>
    <message>
        <source>Game is full</source>
        <translation>La partie est complète</translation>
    </message>
    <message>
        <source>The host removed you from this game.</source>
        <translation>L&apos;hôte vous a retiré de cette partie.</translation>
    </message>
    <message>
        <source>No removed player was kept out.</source>
        <translation>Aucun joueur retiré n&apos;était tenu à l&apos;écart.</translation>
    </message>
    <message>
        <source>1 removed player may join again.</source>
        <translation>1 joueur retiré peut de nouveau rejoindre la partie.</translation>
    </message>
    <message>
        <source>%1 removed players may join again.</source>
        <translation>%1 joueurs retirés peuvent de nouveau rejoindre la partie.</translation>
    </message>
    <message>
        <source>%1 is just watching</source>
        <translation>%1 regarde seulement</translation>
    </message>
    <message>
        <source>%1 now playing again</source>
        <translation>%1 rejoue</translation>
    </message>
    <message>
        <source>%1: &lt;Chatter Sound&gt; %2</source>
        <translation>%1 : &lt;Son de discussion&gt; %2</translation>
    </message>
    <message>
        <source>Your lines are sent a few a second so that none is lost; the rest follow shortly.</source>
        <translation>Vos lignes partent à quelques-unes par seconde pour qu&apos;aucune ne se perde ; les autres suivent sous peu.</translation>
    </message>
    <message>
        <source>Roll the dice.</source>
        <translation>Lancez les dés.</translation>
    </message>
    <message>
        <source>Select(cover) as many numbers as you want that when added up they equal the sum of the dice.</source>
        <translation>Choisissez (fermez) autant de nombres que vous voulez, pourvu que leur somme égale celle des dés.</translation>
    </message>
    <message>
        <source>Your turn ends when you roll dice and there are no numbers that you can select to equal the sum.</source>
        <translation>Votre tour s&apos;arrête quand, après un lancer, aucun choix de nombres ne donne la somme.</translation>
    </message>
    <message>
        <source>You receive points equal to the sum of the numbers left uncovered.</source>
        <translation>Vous marquez autant de points que la somme des nombres restés ouverts.</translation>
    </message>
    <message>
        <source>The player with the lowest ROUND SCORE receives a mark.</source>
        <translation>Le joueur qui a le moins de POINTS DE LA MANCHE reçoit une marque.</translation>
    </message>
    <message>
        <source>The first player to reach the number of marks selected by the host wins.</source>
        <translation>Le premier joueur à atteindre le nombre de marques fixé par l&apos;hôte gagne.</translation>
    </message>
    <message>
        <source>1 minute</source>
        <translation>1 minute</translation>
    </message>
    <message>
        <source>%1 minutes</source>
        <translation>%1 minutes</translation>
    </message>
    <message>
        <source>1 second</source>
        <translation>1 seconde</translation>
    </message>
    <message>
        <source>%1 seconds</source>
        <translation>%1 secondes</translation>
    </message>
    <message>
        <source>Connection lost, reconnecting…</source>
        <translation>Connexion perdue, reconnexion…</translation>
    </message>
    <message>
        <source>%1 lost the connection; their seat is kept for %2.</source>
        <translation>%1 a perdu la connexion ; sa place est gardée pendant %2.</translation>
    </message>
    <message>
        <source>%1 is back.</source>
        <translation>%1 est de retour.</translation>
    </message>
    <message>
        <source>You are back in your seat.</source>
        <translation>Vous avez retrouvé votre place.</translation>
    </message>
    <message>
        <source>The boxes you selected do not equal the sum of the dice</source>
        <translation>Vos volets ne font pas la somme des dés</translation>
    </message>
    <message>
        <source>Rounds Played: %1</source>
        <translation>Manches jouées : %1</translation>
    </message>
    <message>
        <source>Marks needed to win: %1</source>
        <translation>Marques pour gagner : %1</translation>
    </message>
    <message>
        <source>You have started a game.</source>
        <translation>Vous avez lancé une partie.</translation>
    </message>
    <message>
        <source>%1 has started a game.</source>
        <translation>%1 a lancé une partie.</translation>
    </message>
    <message>
        <source>Hi ya, I&apos;m Rudi the Bot!</source>
        <translation>Salut, moi c&apos;est Rudi le robot !</translation>
    </message>
    <message>
        <source> and </source>
        <translation> et </translation>
    </message>
    <message>
        <source>%1.%2</source>
        <translation>%1,%2</translation>
    </message>
    <message>
        <source>Best move: %1 (expected round score %2)</source>
        <translation>Meilleur coup : %1 (points de manche attendus %2)</translation>
    </message>
    <message>
        <source>Your Turn.</source>
        <translation>À vous de jouer.</translation>
    </message>
    <message>
        <source>%1&apos;s turn.</source>
        <translation>À %1 de jouer.</translation>
    </message>
    <message>
        <source>Turn Over! There are no valid moves.</source>
        <translation>Tour terminé ! Aucun coup possible.</translation>
    </message>
    <message>
        <source>%1 shut all nine tiles!</source>
        <translation>%1 a fermé les neuf volets !</translation>
    </message>
    <message>
        <source>Rounds since you joined: %1</source>
        <translation>Manches depuis votre arrivée : %1</translation>
    </message>
    <message>
        <source>Your turn. A game is in progress.</source>
        <translation>À vous de jouer. Une partie est en cours.</translation>
    </message>
    <message>
        <source>%1&apos;s turn. A game is in progress.</source>
        <translation>À %1 de jouer. Une partie est en cours.</translation>
    </message>
    <message>
        <source>You</source>
        <translation>Vous</translation>
    </message>
    <message>
        <source>%1 each gained a Mark.</source>
        <translation>%1 gagnent chacun une marque.</translation>
    </message>
    <message>
        <source>You gained a Mark.</source>
        <translation>Vous gagnez une marque.</translation>
    </message>
    <message>
        <source>%1 gained a Mark.</source>
        <translation>%1 gagne une marque.</translation>
    </message>
    <message>
        <source>You have won the game!</source>
        <translation>Vous avez gagné la partie !</translation>
    </message>
    <message>
        <source>%1 has Won the Game!</source>
        <translation>%1 a gagné la partie !</translation>
    </message>
    <message>
        <source>Welcome to Tilecrest</source>
        <translation>Bienvenue dans Tilecrest</translation>
    </message>
    <message>
        <source>Winner!</source>
        <translation>Victoire !</translation>
    </message>
    <message>
        <source>You are not connected</source>
        <translation>Vous n&apos;êtes pas connecté</translation>
    </message>
</context>
<context>
    <name>TableSpeech</name>
    <message>
        <source>Tile %1, open</source>
        <translation>Volet %1, ouvert</translation>
    </message>
    <message>
        <source>Tile %1, down</source>
        <translation>Volet %1, choisi</translation>
    </message>
    <message>
        <source>Tile %1, shut</source>
        <translation>Volet %1, fermé</translation>
    </message>
    <message>
        <source>Tile %1</source>
        <translation>Volet %1</translation>
    </message>
    <message>
        <source>Dice: not rolled yet</source>
        <translation>Dés : pas encore lancés</translation>
    </message>
    <message>
        <source>Dice: %1 and %2</source>
        <translation>Dés : %1 et %2</translation>
    </message>
    <message>
        <source>no Marks</source>
        <translation>aucune marque</translation>
    </message>
    <message>
        <source>1 Mark</source>
        <translation>1 marque</translation>
    </message>
    <message>
        <source>%1 Marks</source>
        <translation>%1 marques</translation>
    </message>
    <message>
        <source>Seat %1, free</source>
        <translation>Place %1, libre</translation>
    </message>
    <message>
        <source>Seat %1, %2, round score %3, %4</source>
        <translation>Place %1, %2, points de la manche %3, %4</translation>
    </message>
    <message>
        <source>, on turn</source>
        <translation>, joue</translation>
    </message>
    <message>
        <source>, watching</source>
        <translation>, regarde</translation>
    </message>
    <message>
        <source>, away</source>
        <translation>, absent</translation>
    </message>
</context>
<context>
    <name>TallyFile</name>
    <message>
        <source>%1 : %2 !</source>
        <translation>%1 : %2 !</translation>
    </message>
    <message>
        <source>Cannot read the tally file %1; this session&apos;s games are not kept.</source>
        <translation>Impossible de lire le fichier de bilan %1 ; les parties de cette session ne seront pas gardées.</translation>
    </message>
    <message>
        <source>%1 : the tally file is larger than any tally !</source>
        <translation>%1 : le fichier de bilan est plus grand que tout bilan !</translation>
    </message>
    <message>
        <source>the tally file could not be read at start-up and is left alone</source>
        <translation>le fichier de bilan était illisible au démarrage et reste tel quel</translation>
    </message>
    <message>
        <source>the tally has more lines than any tally holds</source>
        <translation>le bilan a plus de lignes qu&apos;aucun bilan n&apos;en contient</translation>
    </message>
    <message>
        <source>the tally&apos;s column count is not 9</source>
        <translation>le bilan n&apos;a pas 9 colonnes</translation>
    </message>
    <message>
        <source>the tally&apos;s row count is not a number from 1 to 100000</source>
        <translation>le nombre de lignes du bilan n&apos;est pas un nombre de 1 à 100000</translation>
    </message>
    <message>
        <source>the tally&apos;s cells do not fit its row count</source>
        <translation>les cases du bilan ne correspondent pas à son nombre de lignes</translation>
    </message>
</context>
<context>
    <name>Tlzrw1</name>
    <message>
        <source>Lzrw1 (decompression LZRW1/KH) : the compressed data is damaged !</source>
        <translation>Lzrw1 (décompression LZRW1/KH) : les données compressées sont endommagées !</translation>
    </message>
    <message>
        <source>Lzrw1 : Error writing to output file : %1</source>
        <translation>Lzrw1 : erreur d&apos;écriture du fichier de sortie : %1</translation>
    </message>
    <message>
        <source>Lzrw1 compression : the input is larger than 4 GiB : %1</source>
        <translation>Lzrw1 compression : l&apos;entrée dépasse 4 Gio : %1</translation>
    </message>
    <message>
        <source>Lzrw1 : Error reading from input file : %1</source>
        <translation>Lzrw1 : erreur de lecture du fichier d&apos;entrée : %1</translation>
    </message>
    <message>
        <source>Lzrw1 (de)compression : Failed to get memory for I/O buffers !</source>
        <translation>Lzrw1 (dé)compression : impossible d&apos;obtenir la mémoire des tampons d&apos;E/S !</translation>
    </message>
    <message>
        <source>Lzrw1 (de)compression : Failed to open output file : %1</source>
        <translation>Lzrw1 (dé)compression : impossible d&apos;ouvrir le fichier de sortie : %1</translation>
    </message>
    <message>
        <source>%1 : Lzrw1 decompression : this file is packed with the LZH codec (&quot;!HZL&quot;), which is not supported !</source>
        <translation>%1 : Lzrw1 décompression : ce fichier est compressé avec le codec LZH (« !HZL »), qui n&apos;est pas pris en charge !</translation>
    </message>
    <message>
        <source>%1 : Lzrw1 decompression : this file has no valid header !</source>
        <translation>%1 : Lzrw1 décompression : ce fichier n&apos;a pas d&apos;en-tête valide !</translation>
    </message>
    <message>
        <source>%1 : Lzrw1 decompression : the content is larger than this program accepts !</source>
        <translation>%1 : Lzrw1 décompression : le contenu dépasse ce que ce programme accepte !</translation>
    </message>
    <message>
        <source>Lzrw1 (decompression LZRW1/KH) : Original and compressed sizes do not match !</source>
        <translation>Lzrw1 (décompression LZRW1/KH) : les tailles d&apos;origine et compressée ne correspondent pas !</translation>
    </message>
    <message>
        <source>Lzrw1 (de)compression : Failed to open input file : %1</source>
        <translation>Lzrw1 (dé)compression : impossible d&apos;ouvrir le fichier d&apos;entrée : %1</translation>
    </message>
    <message>
        <source>Lzrw1 compression : the LZH codec (&quot;!HZL&quot;) is not supported, use Fast !</source>
        <translation>Lzrw1 compression : le codec LZH (« !HZL ») n&apos;est pas pris en charge, utilisez Fast !</translation>
    </message>
    <message>
        <source>Lzrw1 compression : Failed to obtain the size of : %1</source>
        <translation>Lzrw1 compression : impossible d&apos;obtenir la taille de : %1</translation>
    </message>
</context>
<context>
    <name>tc::chat::ChatInput</name>
    <message>
        <source>&lt;Enter Chat Here&gt;</source>
        <translation>&lt;Écrivez ici&gt;</translation>
    </message>
    <message>
        <source>Chat input</source>
        <translation>Saisie du chat</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Coller</translation>
    </message>
    <message>
        <source>1 line waiting to be sent…</source>
        <translation>1 ligne en attente d&apos;envoi…</translation>
    </message>
    <message>
        <source>%1 lines waiting to be sent…</source>
        <translation>%1 lignes en attente d&apos;envoi…</translation>
    </message>
</context>
<context>
    <name>tc::chat::ChatPane</name>
    <message>
        <source>Chat</source>
        <translation>Discussion</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Tout sélectionner</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copier</translation>
    </message>
    <message>
        <source>Clear Chat</source>
        <translation>Effacer la discussion</translation>
    </message>
    <message>
        <source>Scroll Chat Off</source>
        <translation>Figer le défilement</translation>
    </message>
    <message>
        <source>Cannot open Webpage</source>
        <translation>Impossible d&apos;ouvrir la page web</translation>
    </message>
</context>
<context>
    <name>tc::chat::PhraseBar</name>
    <message>
        <source>Sends this phrase to the chat</source>
        <translation>Envoie cette phrase dans la discussion</translation>
    </message>
    <message>
        <source>Chatter Sounds</source>
        <translation>Sons de discussion</translation>
    </message>
</context>
<context>
    <name>tc::chat::SmileyButton</name>
    <message>
        <source>Smilies</source>
        <translation>Émoticônes</translation>
    </message>
    <message>
        <source>Puts a smiley into the chat input</source>
        <translation>Insère une émoticône dans la saisie</translation>
    </message>
</context>
<context>
    <name>tc::chat::SoundsMenu</name>
    <message>
        <source>&lt;Cancel&gt;</source>
        <translation>&lt;Annuler&gt;</translation>
    </message>
</context>
<context>
    <name>tc::client::BoardPanel</name>
    <message>
        <source>Round Score</source>
        <translation>Points manche</translation>
    </message>
    <message>
        <source>&lt;Waiting&gt;</source>
        <translation>&lt;Libre&gt;</translation>
    </message>
    <message>
        <source>Marks:</source>
        <translation>Marques :</translation>
    </message>
    <message>
        <source>watching</source>
        <translation>regarde</translation>
    </message>
    <message>
        <source>Watching</source>
        <translation>Regarde</translation>
    </message>
    <message>
        <source>on turn</source>
        <translation>joue</translation>
    </message>
    <message>
        <source>Marks needed to win: 3</source>
        <translation>Marques pour gagner : 3</translation>
    </message>
    <message>
        <source>Rounds Played: 0</source>
        <translation>Manches jouées : 0</translation>
    </message>
    <message>
        <source>Watching — seats are full</source>
        <translation>Spectateur — places complètes</translation>
    </message>
    <message>
        <source>Winner!</source>
        <translation>Victoire !</translation>
    </message>
    <message>
        <source> (away)</source>
        <translation> (absent)</translation>
    </message>
</context>
<context>
    <name>tc::client::ChatArea</name>
    <message>
        <source>Text Color</source>
        <translation>Couleur du texte</translation>
    </message>
    <message>
        <source>Text Size</source>
        <translation>Taille du texte</translation>
    </message>
</context>
<context>
    <name>tc::client::ClientSocket</name>
    <message>
        <source>No answer within %1 %2. Check the address, and that the host&apos;s firewall lets the port through.</source>
        <translation>Pas de réponse en %1 %2. Vérifiez l&apos;adresse, et que le pare-feu de l&apos;hôte laisse passer le port.</translation>
    </message>
    <message>
        <source>Host not found. Check the address.</source>
        <translation>Hôte introuvable. Vérifiez l&apos;adresse.</translation>
    </message>
    <message>
        <source>Connection refused. Is a game hosted there on this port?</source>
        <translation>Connexion refusée. Une partie est-elle hébergée là sur ce port ?</translation>
    </message>
</context>
<context>
    <name>tc::client::ConnectDialog</name>
    <message>
        <source>Your name:</source>
        <translation>Votre nom :</translation>
    </message>
    <message>
        <source>e.g. 192.168.1.20</source>
        <translation>p. ex. 192.168.1.20</translation>
    </message>
    <message>
        <source>Host&apos;s address:</source>
        <translation>Adresse de l&apos;hôte :</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>Port :</translation>
    </message>
    <message>
        <source>Show this game to players on your network</source>
        <translation>Montrer la partie aux joueurs du réseau</translation>
    </message>
    <message>
        <source>Games on your network:</source>
        <translation>Parties sur votre réseau :</translation>
    </message>
    <message>
        <source>Game</source>
        <translation>Partie</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <source>Players</source>
        <translation>Joueurs</translation>
    </message>
    <message>
        <source>State</source>
        <translation>État</translation>
    </message>
    <message>
        <source>Join</source>
        <translation>Rejoindre</translation>
    </message>
    <message>
        <source>Host a Game</source>
        <translation>Héberger une partie</translation>
    </message>
    <message>
        <source>Join a Game</source>
        <translation>Rejoindre une partie</translation>
    </message>
    <message>
        <source>Host</source>
        <translation>Héberger</translation>
    </message>
    <message>
        <source>Choose a game above, or ask the host for the address and the port. The port may also follow the address: 192.168.1.20:7772 or [fd00::2]:7772.</source>
        <translation>Choisissez une partie ci-dessus, ou demandez à l&apos;hôte l&apos;adresse et le port. Le port peut aussi suivre l&apos;adresse : 192.168.1.20:7772 ou [fd00::2]:7772.</translation>
    </message>
    <message>
        <source> (version %1)</source>
        <translation> (version %1)</translation>
    </message>
    <message>
        <source>Starting the game on port %1…</source>
        <translation>Lancement de la partie sur le port %1…</translation>
    </message>
    <message>
        <source>Joining %1 port %2…</source>
        <translation>Connexion à %1 port %2…</translation>
    </message>
    <message>
        <source>Choose another port.</source>
        <translation>Choisissez un autre port.</translation>
    </message>
    <message>
        <source>Check the address and the port, then try again.</source>
        <translation>Vérifiez l&apos;adresse et le port, puis réessayez.</translation>
    </message>
    <message>
        <source>Others join at an address shown in the chat. The port must be open to them: your firewall may need it, and the game can ask your router.</source>
        <translation>Les autres rejoignent la partie à une adresse affichée dans la discussion. Le port doit leur être ouvert : votre pare-feu peut l&apos;exiger, et le jeu peut le demander à votre routeur.</translation>
    </message>
    <message>
        <source>Open the port on my router</source>
        <translation>Ouvrir le port du routeur</translation>
    </message>
    <message>
        <source>Asks your home router to let players on the internet in while you host</source>
        <translation>Demande à votre routeur de laisser entrer les joueurs d&apos;Internet tant que vous hébergez</translation>
    </message>
</context>
<context>
    <name>tc::client::DicePanel</name>
    <message>
        <source>Roll Dice</source>
        <translation>Lancer les dés</translation>
    </message>
    <message>
        <source>Start Game</source>
        <translation>Commencer la partie</translation>
    </message>
    <message>
        <source>Welcome to Tilecrest</source>
        <translation>Bienvenue dans Tilecrest</translation>
    </message>
    <message>
        <source>Die %1: %2</source>
        <translation>Dé %1 : %2</translation>
    </message>
    <message>
        <source>Die %1: not rolled yet</source>
        <translation>Dé %1 : pas encore lancé</translation>
    </message>
</context>
<context>
    <name>tc::client::FileMenu</name>
    <message>
        <source>Start Game</source>
        <translation>Commencer la partie</translation>
    </message>
    <message>
        <source>Host a Game…</source>
        <translation>Héberger une partie…</translation>
    </message>
    <message>
        <source>Join a Game…</source>
        <translation>Rejoindre une partie…</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Quitter</translation>
    </message>
</context>
<context>
    <name>tc::client::FullScreen</name>
    <message>
        <source>Full Screen</source>
        <translation>Plein écran</translation>
    </message>
</context>
<context>
    <name>tc::client::GameOptions</name>
    <message>
        <source>Just Watch</source>
        <translation>Regarder seulement</translation>
    </message>
    <message>
        <source>Show Best Move</source>
        <translation>Montrer le meilleur coup</translation>
    </message>
    <message>
        <source>Play Sounds</source>
        <translation>Jouer les sons</translation>
    </message>
    <message>
        <source>Play Chatter Sounds</source>
        <translation>Jouer les sons de discussion</translation>
    </message>
</context>
<context>
    <name>tc::client::GameStartWindow</name>
    <message>
        <source>Tilecrest - Game Start</source>
        <translation>Tilecrest – Début de partie</translation>
    </message>
    <message>
        <source>Game Options</source>
        <translation>Options de partie</translation>
    </message>
    <message>
        <source>Play to</source>
        <translation>Jouer en</translation>
    </message>
    <message>
        <source>Marks</source>
        <translation>marques</translation>
    </message>
    <message>
        <source>Rudi plays:</source>
        <translation>Rudi joue :</translation>
    </message>
    <message>
        <source>Classic</source>
        <translation>Simple</translation>
    </message>
    <message>
        <source>Expert</source>
        <translation>Expert</translation>
    </message>
    <message>
        <source>Start Game</source>
        <translation>Commencer</translation>
    </message>
    <message>
        <source>Play to 3 to 10 Marks</source>
        <translation>Jouer en 3 à 10 marques</translation>
    </message>
    <message>
        <source>The game server decides how Rudi plays (tilecrest-server --rudi).</source>
        <translation>C&apos;est le serveur de jeu qui décide comment joue Rudi (tilecrest-server --rudi).</translation>
    </message>
</context>
<context>
    <name>tc::client::JoinAttempt</name>
    <message>
        <source>The host did not take you in within %1 %2. Try again in a moment.</source>
        <translation>L&apos;hôte ne vous a pas accueilli en %1 %2. Réessayez dans un instant.</translation>
    </message>
    <message>
        <source>The host closed the connection before taking you in.</source>
        <translation>L&apos;hôte a fermé la connexion avant de vous accueillir.</translation>
    </message>
    <message>
        <source>Game is full</source>
        <translation>La partie est complète</translation>
    </message>
    <message>
        <source>The host removed you from this game.</source>
        <translation>L&apos;hôte vous a retiré de cette partie.</translation>
    </message>
    <message>
        <source>Something answered on this port, but it is not a Tilecrest game. Check the port.</source>
        <translation>Quelque chose a répondu sur ce port, mais ce n&apos;est pas une partie de Tilecrest. Vérifiez le port.</translation>
    </message>
</context>
<context>
    <name>tc::client::LanguageMenu</name>
    <message>
        <source>Language: %1, already in use.</source>
        <translation>Langue : %1, déjà en vigueur.</translation>
    </message>
    <message>
        <source>Language: %1, from the next start of Tilecrest.</source>
        <translation>Langue : %1, à partir du prochain démarrage de Tilecrest.</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Langue</translation>
    </message>
    <message>
        <source>Desktop Language</source>
        <translation>Langue du bureau</translation>
    </message>
</context>
<context>
    <name>tc::client::MainWindow</name>
    <message>
        <source>This copy has no game server</source>
        <translation>Cette copie n&apos;a pas de serveur de jeu</translation>
    </message>
</context>
<context>
    <name>tc::client::ReconnectAttempt</name>
    <message>
        <source>The connection to the game could not be restored in time; your seat is no longer kept.</source>
        <translation>La connexion à la partie n&apos;a pas pu être rétablie à temps ; votre place n&apos;est plus gardée.</translation>
    </message>
    <message>
        <source>Back on the line, but the game no longer keeps your seat.</source>
        <translation>De nouveau en ligne, mais la partie ne garde plus votre place.</translation>
    </message>
</context>
<context>
    <name>tc::client::ReconnectBanner</name>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Stop reconnecting and leave the game</source>
        <translation>Arrêter la reconnexion et quitter la partie</translation>
    </message>
</context>
<context>
    <name>tc::client::Reconnection</name>
    <message>
        <source>You stopped reconnecting; the game is left.</source>
        <translation>Vous avez arrêté la reconnexion ; vous avez quitté la partie.</translation>
    </message>
</context>
<context>
    <name>tc::client::RouterPort</name>
    <message>
        <source>Copy Internet Address</source>
        <translation>Copier l&apos;adresse Internet</translation>
    </message>
</context>
<context>
    <name>tc::client::ScreenFit</name>
    <message>
        <source>Reset Screen Location</source>
        <translation>Rétablir la position de la fenêtre</translation>
    </message>
</context>
<context>
    <name>tc::client::SeatMenu</name>
    <message>
        <source>Remove From Game</source>
        <translation>Retirer de la partie</translation>
    </message>
    <message>
        <source>Set to Just Watch</source>
        <translation>Passer en spectateur</translation>
    </message>
    <message>
        <source>Unset Just Watch</source>
        <translation>Ne plus être spectateur</translation>
    </message>
    <message>
        <source>Let Removed Players Back In</source>
        <translation>Réadmettre les joueurs retirés</translation>
    </message>
</context>
<context>
    <name>tc::client::SideWindowLinks</name>
    <message>
        <source>View Tally</source>
        <translation>Voir le bilan</translation>
    </message>
    <message>
        <source>Spy List</source>
        <translation>Liste des spectateurs</translation>
    </message>
    <message>
        <source>Phrase List</source>
        <translation>Liste des phrases</translation>
    </message>
    <message>
        <source>Content</source>
        <translation>Sommaire</translation>
    </message>
    <message>
        <source>Quick Instructions</source>
        <translation>Règles en bref</translation>
    </message>
    <message>
        <source>About</source>
        <translation>À propos</translation>
    </message>
    <message>
        <source>Download The Velmora Lobby…</source>
        <translation>Télécharger le Velmora Lobby…</translation>
    </message>
    <message>
        <source>Solo Version of Tilecrest</source>
        <translation>Tilecrest en solo</translation>
    </message>
</context>
<context>
    <name>tc::client::TableKeys</name>
    <message>
        <source>Roll Dice</source>
        <translation>Lancer les dés</translation>
    </message>
    <message>
        <source>Put Tiles Back Up</source>
        <translation>Rouvrir les volets</translation>
    </message>
    <message>
        <source>Tile %1</source>
        <translation>Volet %1</translation>
    </message>
</context>
<context>
    <name>tc::windows::AboutWindow</name>
    <message>
        <source>Tilecrest - About</source>
        <translation>Tilecrest – À propos</translation>
    </message>
    <message>
        <source>Written by the Tilecrest developers.
Every picture is drawn by our own art tool.</source>
        <translation>Écrit par l&apos;équipe de Tilecrest.
Toutes les images sortent de notre outil.</translation>
    </message>
    <message>
        <source>Free software under the MIT licence.</source>
        <translation>Logiciel libre sous licence MIT.</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Terminé</translation>
    </message>
    <message>
        <source>Cannot open Webpage</source>
        <translation>Impossible d&apos;ouvrir la page web</translation>
    </message>
</context>
<context>
    <name>tc::windows::DownloadWindow</name>
    <message>
        <source>Download The Velmora Lobby</source>
        <translation>Télécharger le Velmora Lobby</translation>
    </message>
    <message>
        <source>Download The Velmora Lobby Now to play this  and other exciting games online with other players! </source>
        <translation>Téléchargez dès maintenant le Velmora Lobby pour jouer en ligne à ce jeu et à d&apos;autres jeux passionnants avec d&apos;autres joueurs ! </translation>
    </message>
    <message>
        <source>Download And Install The Velmora Lobby Now</source>
        <translation>Télécharger et installer le Velmora Lobby</translation>
    </message>
    <message>
        <source>Stop Download</source>
        <translation>Arrêter le téléchargement</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>Ouvrir le dossier</translation>
    </message>
    <message>
        <source>To proceed to the game without the ability to play against others click the button below.</source>
        <translation>Pour continuer vers le jeu sans pouvoir affronter d&apos;autres joueurs, cliquez sur le bouton ci-dessous.</translation>
    </message>
    <message>
        <source>Play Solo Game</source>
        <translation>Jouer en solo</translation>
    </message>
    <message>
        <source>Note: A solo game stays on this computer and needs nothing from your firewall. Only a game you host for others needs its port (7772) open.</source>
        <translation>Remarque : une partie en solo reste sur cet ordinateur et n&apos;exige rien du pare-feu. Seule une partie que vous hébergez pour d&apos;autres a besoin de son port (7772) ouvert.</translation>
    </message>
    <message>
        <source>If you already have The Velmora Lobby and you wish to play with others then click the button below to close this game and open The Velmora Lobby.</source>
        <translation>Si vous avez déjà le Velmora Lobby et voulez jouer avec d&apos;autres, cliquez sur le bouton ci-dessous pour fermer ce jeu et ouvrir le Velmora Lobby.</translation>
    </message>
    <message>
        <source>Play with Others</source>
        <translation>Jouer avec d&apos;autres</translation>
    </message>
    <message>
        <source>Don&apos;t show this again</source>
        <translation>Ne plus afficher</translation>
    </message>
    <message>
        <source>Download Aborted</source>
        <translation>Téléchargement interrompu</translation>
    </message>
    <message>
        <source>Loading</source>
        <translation>Chargement</translation>
    </message>
    <message>
        <source>Download has been aborted.</source>
        <translation>Le téléchargement a été interrompu.</translation>
    </message>
    <message>
        <source>%1 bytes</source>
        <translation>%1 octets</translation>
    </message>
    <message>
        <source>%1 of %2 bytes (%3%)</source>
        <translation>%1 sur %2 octets (%3 %)</translation>
    </message>
    <message>
        <source>No data for %1 s</source>
        <translation>Aucune donnée depuis %1 s</translation>
    </message>
    <message>
        <source>The file is larger than any installer</source>
        <translation>Le fichier est plus gros que tout installateur</translation>
    </message>
    <message>
        <source>Received %1 bytes</source>
        <translation>%1 octets reçus</translation>
    </message>
    <message>
        <source>An Error has Occurred.</source>
        <translation>Une erreur s&apos;est produite.</translation>
    </message>
    <message>
        <source>Please close the game and open the Velmora Lobby from its icon on your desktop or from your desktop&apos;s applications menu.</source>
        <translation>Veuillez fermer le jeu et ouvrir le Velmora Lobby depuis son icône sur le bureau ou depuis le menu des applications.</translation>
    </message>
    <message>
        <source>Downloading: %1</source>
        <translation>Téléchargement : %1</translation>
    </message>
    <message>
        <source>%1. The part received is in %2</source>
        <translation>%1. La partie reçue se trouve dans %2</translation>
    </message>
    <message>
        <source>Saved to %1</source>
        <translation>Enregistré dans %1</translation>
    </message>
</context>
<context>
    <name>tc::windows::HelpWindow</name>
    <message>
        <source>Connecting</source>
        <translation>Connexion</translation>
    </message>
    <message>
        <source>Game Play</source>
        <translation>Déroulement</translation>
    </message>
    <message>
        <source>Scoring</source>
        <translation>Décompte</translation>
    </message>
    <message>
        <source>Documentation</source>
        <translation>Documentation</translation>
    </message>
    <message>
        <source>License</source>
        <translation>Licence</translation>
    </message>
    <message>
        <source>The Lobby</source>
        <translation>Le Lobby</translation>
    </message>
    <message>
        <source>Spectators</source>
        <translation>Spectateurs</translation>
    </message>
    <message>
        <source>Menus</source>
        <translation>Menus</translation>
    </message>
    <message>
        <source>Keyboard</source>
        <translation>Clavier</translation>
    </message>
    <message>
        <source>&lt;h3&gt;License&lt;/h3&gt;&lt;p&gt;Tilecrest is free software under the MIT License:&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Licence&lt;/h3&gt;&lt;p&gt;Tilecrest est un logiciel libre sous licence MIT (texte original en anglais) :&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Tilecrest - Help File</source>
        <translation>Tilecrest – Aide</translation>
    </message>
    <message>
        <source>About</source>
        <translation>À propos</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Terminé</translation>
    </message>
    <message>
        <source>Cannot open Webpage</source>
        <translation>Impossible d&apos;ouvrir la page web</translation>
    </message>
</context>
<context>
    <name>tc::windows::PhraseEditor</name>
    <message>
        <source>Tilecrest - Phrase Buttons</source>
        <translation>Tilecrest – Boutons de phrases</translation>
    </message>
    <message>
        <source>Phrase Button %1:</source>
        <translation>Bouton de phrase %1 :</translation>
    </message>
    <message>
        <source>Phrase Button %1: %2 cannot be sent and arrives as &quot;?&quot;.</source>
        <translation>Bouton de phrase %1 : %2 ne peut pas être envoyé et arrive sous la forme « ? ».</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Terminé</translation>
    </message>
</context>
<context>
    <name>tc::windows::SoloWindow</name>
    <message>
        <source>Tilecrest - Solo</source>
        <translation>Tilecrest – Solo</translation>
    </message>
    <message>
        <source>Click HERE to learn how to Play Tilecrest Solo!</source>
        <translation>Cliquez ICI pour apprendre à jouer à Tilecrest en solo !</translation>
    </message>
    <message>
        <source>Playing solo is built in: start Tilecrest on its own and play the tiles against Rudi whenever you like, with no host to wait for.</source>
        <translation>Le jeu en solo est intégré : lancez Tilecrest tout seul et jouez contre Rudi quand vous voulez, sans attendre d&apos;hôte.</translation>
    </message>
    <message>
        <source>Cannot open Webpage</source>
        <translation>Impossible d&apos;ouvrir la page web</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Terminé</translation>
    </message>
</context>
<context>
    <name>tc::windows::SpyListWindow</name>
    <message>
        <source>Tilecrest - Spys</source>
        <translation>Tilecrest – Spectateurs</translation>
    </message>
    <message>
        <source>Spy List</source>
        <translation>Liste des spectateurs</translation>
    </message>
    <message>
        <source>Remove From Game</source>
        <translation>Retirer de la partie</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Terminé</translation>
    </message>
</context>
<context>
    <name>tc::windows::TallyListWindow</name>
    <message>
        <source>Tilecrest - Tally List</source>
        <translation>Tilecrest – Bilan</translation>
    </message>
    <message>
        <source>Your tally could not be read, and the damaged file could not be moved aside; this session&apos;s games are not kept.</source>
        <translation>Votre bilan était illisible, et le fichier abîmé n&apos;a pas pu être mis de côté ; les parties de cette session ne sont pas conservées.</translation>
    </message>
    <message>
        <source>Your tally could not be read, so it starts empty. The damaged file was kept as %1.</source>
        <translation>Votre bilan était illisible, il repart donc de zéro. Le fichier abîmé a été conservé sous %1.</translation>
    </message>
    <message>
        <source>

Details: </source>
        <translation>

Détails : </translation>
    </message>
    <message>
        <source>Your Total Tally</source>
        <translation>Votre bilan total</translation>
    </message>
    <message>
        <source>Total Games:</source>
        <translation>Parties au total :</translation>
    </message>
    <message>
        <source>Your Wins</source>
        <translation>Vos victoires</translation>
    </message>
    <message>
        <source>Total Times you&apos;ve shut all nine tiles:</source>
        <translation>Fois où vous avez fermé les neuf volets :</translation>
    </message>
    <message>
        <source>Other:</source>
        <translation>Autres :</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>Session</source>
        <translation>Session</translation>
    </message>
    <message>
        <source>Wins:</source>
        <translation>Victoires :</translation>
    </message>
    <message>
        <source>Number of Games</source>
        <translation>Nombre de parties</translation>
    </message>
    <message>
        <source>Your Wins:</source>
        <translation>Vos victoires :</translation>
    </message>
    <message>
        <source>Neither Won:</source>
        <translation>Aucun gagnant :</translation>
    </message>
    <message>
        <source>Reset Tally</source>
        <translation>Remettre à zéro</translation>
    </message>
    <message>
        <source>Players In Current Game</source>
        <translation>Joueurs de la partie en cours</translation>
    </message>
    <message>
        <source>Players Being Tallied</source>
        <translation>Joueurs suivis au bilan</translation>
    </message>
    <message>
        <source>Nobody is tallied yet: tick a name under &quot;Players In Current Game&quot; to keep a tally of your games against that player.</source>
        <translation>Personne n&apos;est encore suivi : cochez un nom sous « Joueurs de la partie en cours » pour tenir le bilan de vos parties contre ce joueur.</translation>
    </message>
    <message>
        <source>Your tally cannot be saved in %1 (%2). Its counts last until the game is closed.</source>
        <translation>Votre bilan ne peut pas être enregistré dans %1 (%2). Ses comptes restent valables jusqu&apos;à la fermeture du jeu.</translation>
    </message>
    <message>
        <source>Are you sure you want to reset the Tally?</source>
        <translation>Voulez-vous vraiment remettre le bilan à zéro ?</translation>
    </message>
    <message>
        <source>%1 Wins:</source>
        <translation>Victoires pour %1 :</translation>
    </message>
    <message>
        <source>%1&apos;s Tally</source>
        <translation>Bilan contre %1</translation>
    </message>
    <message>
        <source>This will delete %1&apos;s Tally, Are you want to delete it?</source>
        <translation>Cela supprimera le bilan contre %1. Voulez-vous vraiment le supprimer ?</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
</context>
</TS>
