<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AvahiBus</name>
    <message>
        <source>Finding games on your network needs the Avahi service (avahi-daemon), which is not running here. You can still type the host&apos;s address.</source>
        <translation>Um Spiele im Netzwerk zu finden, braucht es den Avahi-Dienst (avahi-daemon), der hier nicht läuft. Du kannst die Adresse des Gastgebers trotzdem eintippen.</translation>
    </message>
    <message>
        <source>Your game is not shown to players on your network, as the Avahi service (avahi-daemon) is not running here. They can still join at your address.</source>
        <translation>Dein Spiel wird den Spielern in deinem Netzwerk nicht angezeigt, weil der Avahi-Dienst (avahi-daemon) hier nicht läuft. Über deine Adresse können sie trotzdem beitreten.</translation>
    </message>
    <message>
        <source>Your game could not be shown to players on your network (%1). They can still join at your address.</source>
        <translation>Dein Spiel konnte den Spielern in deinem Netzwerk nicht angezeigt werden (%1). Über deine Adresse können sie trotzdem beitreten.</translation>
    </message>
    <message>
        <source>Finding games on your network failed (%1). You can still type the host&apos;s address.</source>
        <translation>Die Suche nach Spielen im Netzwerk ist fehlgeschlagen (%1). Du kannst die Adresse des Gastgebers trotzdem eintippen.</translation>
    </message>
</context>
<context>
    <name>BoardPictures</name>
    <message>
        <source>Roll Dice</source>
        <translation>Würfeln</translation>
    </message>
    <message>
        <source>Start Game</source>
        <translation>Starten</translation>
    </message>
</context>
<context>
    <name>BotChatter</name>
    <message>
        <source>I need a Pepsi</source>
        <translation>Ich brauch eine Cola</translation>
    </message>
    <message>
        <source>I&apos;m a bit confused</source>
        <translation>Ich bin etwas verwirrt</translation>
    </message>
    <message>
        <source>Want to go to the Park?</source>
        <translation>Gehen wir in den Park?</translation>
    </message>
    <message>
        <source>Excerise is a good thing.</source>
        <translation>Sport ist eine gute Sache.</translation>
    </message>
    <message>
        <source>Tomorrow I&apos;ll be better.</source>
        <translation>Morgen bin ich besser.</translation>
    </message>
    <message>
        <source>I don&apos;t think that is a good idea</source>
        <translation>Ich glaube, das ist keine gute Idee</translation>
    </message>
    <message>
        <source>That is very wise of you</source>
        <translation>Das ist sehr weise von dir</translation>
    </message>
    <message>
        <source>I have played this game alot</source>
        <translation>Ich habe dieses Spiel schon oft gespielt</translation>
    </message>
    <message>
        <source>Now that&apos;s a strange picture!</source>
        <translation>Das ist aber ein seltsames Bild!</translation>
    </message>
    <message>
        <source>Where ya going with that hamburger?</source>
        <translation>Wo willst du denn mit dem Hamburger hin?</translation>
    </message>
    <message>
        <source>What are you going to do with that hairbrush?</source>
        <translation>Was willst du mit der Haarbürste?</translation>
    </message>
    <message>
        <source>Have you seen Zephyrine today?</source>
        <translation>Hast du Zephyrine heute gesehen?</translation>
    </message>
    <message>
        <source>If you like this game, you should play Quintel!</source>
        <translation>Wenn dir dieses Spiel gefällt, solltest du Quintel spielen!</translation>
    </message>
    <message>
        <source>Who is winning?</source>
        <translation>Wer gewinnt gerade?</translation>
    </message>
    <message>
        <source>Is your telephone ringing?</source>
        <translation>Klingelt da dein Telefon?</translation>
    </message>
    <message>
        <source>A Star is born!</source>
        <translation>Ein Star ist geboren!</translation>
    </message>
    <message>
        <source>That was a good movie.</source>
        <translation>Das war ein guter Film.</translation>
    </message>
    <message>
        <source>Who knows..</source>
        <translation>Wer weiß …</translation>
    </message>
    <message>
        <source>I wish the kids would quiet down.</source>
        <translation>Wenn die Kinder doch nur leiser wären.</translation>
    </message>
    <message>
        <source>I&apos;m feeling lucky tonight.</source>
        <translation>Heute Abend habe ich Glück, das spüre ich.</translation>
    </message>
    <message>
        <source>Will you come and play again sometime?</source>
        <translation>Spielst du bald wieder mit?</translation>
    </message>
    <message>
        <source>I&apos;m so happy you are here!</source>
        <translation>Wie schön, dass du da bist!</translation>
    </message>
    <message>
        <source>Oh that is so nice of you!</source>
        <translation>Oh, das ist aber lieb von dir!</translation>
    </message>
    <message>
        <source>Hey, I found a penny!</source>
        <translation>Hey, ich hab einen Cent gefunden!</translation>
    </message>
    <message>
        <source>Have you ever seen a orange haired lizzard dude?</source>
        <translation>Hast du schon mal einen Echsentypen mit orangen Haaren gesehen?</translation>
    </message>
    <message>
        <source>My leg is on fire.</source>
        <translation>Mein Bein brennt.</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>unknown option %1</source>
        <translation>unbekannte Option %1</translation>
    </message>
    <message>
        <source>%1 takes no value</source>
        <translation>%1 nimmt keinen Wert</translation>
    </message>
    <message>
        <source>%1 needs a value</source>
        <translation>%1 braucht einen Wert</translation>
    </message>
    <message>
        <source>%1 needs a whole number (%2), not &quot;%3&quot;</source>
        <translation>%1 braucht eine ganze Zahl (%2), nicht „%3“</translation>
    </message>
    <message>
        <source>%1 %2 is out of range (%3)</source>
        <translation>%1 %2 liegt außerhalb des Bereichs (%3)</translation>
    </message>
    <message>
        <source>NAME, HOST and true or x go together; only 1 word given:</source>
        <translation>NAME, HOST und true oder x gehören zusammen; nur 1 Wort angegeben:</translation>
    </message>
    <message>
        <source>NAME, HOST and true or x go together; only 2 words given:</source>
        <translation>NAME, HOST und true oder x gehören zusammen; nur 2 Wörter angegeben:</translation>
    </message>
</context>
<context>
    <name>GuiMain</name>
    <message>
        <source>ignored the words after the third:</source>
        <translation>die Wörter nach dem dritten wurden übergangen:</translation>
    </message>
</context>
<context>
    <name>MainGame</name>
    <message>
        <source>The game has ended; back to a solo game.</source>
        <translation>Das Spiel ist beendet; zurück zum Solospiel.</translation>
    </message>
    <message>
        <source>Your game ended while you were joining, so you are back in a solo game. Press Join to try again.</source>
        <translation>Dein Spiel endete, während du beigetreten bist, deshalb bist du wieder in einem Solospiel. Drücke auf Beitreten, um es noch einmal zu versuchen.</translation>
    </message>
    <message>
        <source>Port %1 is not available (%2).</source>
        <translation>Port %1 ist nicht verfügbar (%2).</translation>
    </message>
    <message>
        <source> Port %1 is free: press Host to use it.</source>
        <translation> Port %1 ist frei: Drücke auf Eröffnen, um ihn zu nehmen.</translation>
    </message>
</context>
<context>
    <name>MainMenus</name>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Ansicht</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Spielen</translation>
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
        <translation>Aufruf: tilecrest [NAME HOST true | NAME HOST x] [--port N] [--pause-ms N] [--hold-s N]
                  [--no-announce] [--no-map-port]
Tilecrest %1, ein Würfel- und Klappenspiel für bis zu sechs Spieler.

  (ohne Parameter)  ein Solospiel als „Du“ gegen den Computerspieler
  NAME HOST true    ein Spiel als NAME eröffnen (HOST wird nicht benutzt)
  NAME HOST x       dem Spiel bei HOST als NAME beitreten (jedes Wort außer „true“)
  --port N          auf TCP-Port N (0..65535) statt 7772 eröffnen oder beitreten; ein
                    Solospiel nimmt einen anderen freien Port, wenn N belegt ist
  --pause-ms N      Länge eines Pausentakts des eigenen Servers, 1..60000 ms (Standard 1000)
  --hold-s N        ein eröffnetes Spiel hält den Platz eines Spielers, dessen Verbindung
                    abbricht, N Sekunden lang frei, 0..3600 (Standard 120; 0 nie)
  --no-announce     ein eröffnetes Spiel den Spielern im lokalen Netz nicht zeigen
  --no-map-port     den Heimrouter nicht bitten, den Port eines eröffneten Spiels für
                    Spieler aus dem Internet zu öffnen (sonst gilt die Wahl im Eröffnen-Dialog)
  --                Ende der Optionen: jedes Wort danach ist ein Parameterwort
  --help            diesen Text zeigen und beenden
  --version         die Version zeigen und beenden

Ein Solospiel ist nur von diesem Rechner aus erreichbar, ein eröffnetes Spiel aus dem Netz.
Im Spiel tun Datei &gt; Spiel eröffnen... und Spiel beitreten... dasselbe ohne Befehlszeile.
Jedes Wort, das keine dieser Optionen ist, ist ein Parameterwort; ein NAME darf also mit „-“
beginnen; unter weniger als drei Wörtern ist so ein Wort eine unbekannte Option. Ein oder zwei
Parameterwörter reichen nicht; Wörter nach dem dritten werden mit einer Zeile auf stderr übergangen.
Eine falsche Befehlszeile wird mit diesem Text auf stderr genannt und endet mit Status 2.
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
        <translation>Aufruf: tilecrest-pack pack QUELLE ZIEL      QUELLE in den gepackten Container ZIEL packen
        tilecrest-pack unpack QUELLE ZIEL    den Container QUELLE nach ZIEL entpacken
        tilecrest-pack show BILANZDATEI      eine Bilanzdatei (Ridgeplaytally.tld) als Tabelle ausgeben
        tilecrest-pack --help | --version

Exit-Status 0 bei Erfolg. Bei einem Fehler steht der Grund auf stderr, der
Exit-Status ist 1, und es bleibt keine ZIEL-Datei zurück (ein vorhandenes ZIEL bleibt).
Eine falsche Befehlszeile wird mit diesem Text auf stderr genannt, Exit-Status 2.
</translation>
    </message>
    <message>
        <source>Your Total Tally
  Total Games: %1
  Your Wins: %2
  Total Times you&apos;ve Tilecrest: %3

</source>
        <translation>Deine Gesamtbilanz
  Spiele insgesamt: %1
  Deine Siege: %2
  Wie oft du alle neun Klappen geschlossen hast: %3

</translation>
    </message>
    <message>
        <source>Player</source>
        <translation>Spieler</translation>
    </message>
    <message>
        <source>Games</source>
        <translation>Spiele</translation>
    </message>
    <message>
        <source>His Wins</source>
        <translation>Seine Siege</translation>
    </message>
    <message>
        <source>Your Wins</source>
        <translation>Deine Siege</translation>
    </message>
    <message>
        <source>Neither Won</source>
        <translation>Keiner gewann</translation>
    </message>
    <message>
        <source>Session Games</source>
        <translation>Spiele der Sitzung</translation>
    </message>
    <message>
        <source>(nobody is being tallied)</source>
        <translation>(niemand ist in der Bilanz)</translation>
    </message>
    <message>
        <source>--help and --version stand alone</source>
        <translation>--help und --version stehen allein</translation>
    </message>
    <message>
        <source>no command given</source>
        <translation>kein Befehl angegeben</translation>
    </message>
    <message>
        <source>unknown command &quot;%1&quot;</source>
        <translation>unbekannter Befehl „%1“</translation>
    </message>
    <message>
        <source>%1 needs IN and OUT</source>
        <translation>%1 braucht QUELLE und ZIEL</translation>
    </message>
    <message>
        <source>show needs one TALLYFILE</source>
        <translation>show braucht genau eine BILANZDATEI</translation>
    </message>
</context>
<context>
    <name>Phrases</name>
    <message>
        <source>Way To Go!</source>
        <translation>Weiter so!</translation>
    </message>
    <message>
        <source>Good One!</source>
        <translation>Guter Zug!</translation>
    </message>
    <message>
        <source>Nice Try!</source>
        <translation>Netter Versuch!</translation>
    </message>
    <message>
        <source>Excellent!</source>
        <translation>Ausgezeichnet!</translation>
    </message>
    <message>
        <source>Brilliant!</source>
        <translation>Genial!</translation>
    </message>
    <message>
        <source>Wow, WTG!</source>
        <translation>Wow, klasse!</translation>
    </message>
    <message>
        <source>Thanks!</source>
        <translation>Danke!</translation>
    </message>
    <message>
        <source>Way To Go Teamie!</source>
        <translation>Weiter so, Partner!</translation>
    </message>
    <message>
        <source>Good Game Everyone!</source>
        <translation>Gutes Spiel, alle zusammen!</translation>
    </message>
</context>
<context>
    <name>PortMap</name>
    <message>
        <source>Players on your network can join; for players on the internet, forward TCP port %1 on that other router by hand, or host on a machine with a public address.</source>
        <translation>Spieler aus deinem Netzwerk können beitreten. Damit auch Spieler aus dem Internet beitreten können, leite TCP-Port %1 an diesem weiteren Router von Hand weiter oder eröffne das Spiel auf einem Rechner mit öffentlicher Adresse.</translation>
    </message>
    <message>
        <source>Players on your network can join; for players on the internet, forward TCP port %1 on your router by hand, or host on a machine with a public address.</source>
        <translation>Spieler aus deinem Netzwerk können beitreten. Damit auch Spieler aus dem Internet beitreten können, leite TCP-Port %1 an deinem Router von Hand weiter oder eröffne das Spiel auf einem Rechner mit öffentlicher Adresse.</translation>
    </message>
    <message>
        <source>Players on the internet can join at %1 port %2 (your router opened it).</source>
        <translation>Spieler aus dem Internet können unter %1 Port %2 beitreten (dein Router hat ihn geöffnet).</translation>
    </message>
    <message>
        <source>No router answered when the game asked it to open port %1, so players on the internet cannot join yet.</source>
        <translation>Kein Router hat geantwortet, als das Spiel darum bat, Port %1 zu öffnen. Spieler aus dem Internet können deshalb noch nicht beitreten.</translation>
    </message>
    <message>
        <source>Your router refused to open port %1%2, so players on the internet cannot join yet.</source>
        <translation>Dein Router hat das Öffnen von Port %1 abgelehnt%2. Spieler aus dem Internet können deshalb noch nicht beitreten.</translation>
    </message>
    <message>
        <source>Your router has no address on the internet of its own: another router (perhaps your provider&apos;s) stands between, so players on the internet cannot join yet.</source>
        <translation>Dein Router hat keine eigene Adresse im Internet: Ein weiterer Router (vielleicht der deines Anbieters) steht dazwischen. Spieler aus dem Internet können deshalb noch nicht beitreten.</translation>
    </message>
    <message>
        <source>Your router&apos;s own outside address %1 is not on the internet: another router (perhaps your provider&apos;s) stands between, so players on the internet cannot join yet.</source>
        <translation>Die Außenadresse deines Routers, %1, liegt nicht im Internet: Ein weiterer Router (vielleicht der deines Anbieters) steht dazwischen. Spieler aus dem Internet können deshalb noch nicht beitreten.</translation>
    </message>
    <message>
        <source>Your router no longer keeps port %1 open for this game%2, so players on the internet cannot join until it does; the game asks it again later.</source>
        <translation>Dein Router hält Port %1 für dieses Spiel nicht mehr offen%2. Spieler aus dem Internet können erst wieder beitreten, wenn er ihn wieder öffnet; das Spiel fragt später noch einmal nach.</translation>
    </message>
    <message>
        <source> or </source>
        <translation> oder </translation>
    </message>
    <message>
        <source>, </source>
        <translation>, </translation>
    </message>
    <message>
        <source>Players with IPv6 can join at %1 port %2 with no port to open, though your router&apos;s firewall may still block them.</source>
        <translation>Spieler mit IPv6 können unter %1 Port %2 beitreten, ohne dass ein Port geöffnet werden muss; die Firewall deines Routers kann sie aber trotzdem blockieren.</translation>
    </message>
</context>
<context>
    <name>ServerHost</name>
    <message>
        <source>Cannot listen on port %1: %2</source>
        <translation>Port %1 lässt sich nicht öffnen: %2</translation>
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
        <translation>Aufruf: tilecrest-server [--port N] [--bind ADDR] [--seed N] [--pause-ms N] [--login-ms N]
                         [--hold-s N] [--rudi classic|expert] [--name NAME] [--no-announce]
                         [--map-port] [--map-lease-s N]
Tilecrest %1, Spielserver ohne Fenster.

  --port N       TCP-Port, 0..65535 (Standard 7772; bei 0 wählt das System)
  --bind ADDR    Adresse, auf der gelauscht wird (Standard: alle); das Spiel wird nur
                 auf Schnittstelle und Protokoll dieser Adresse angekündigt
  --seed N       fester Startwert der Würfel, 0..4294967295 (Standard: die Uhrzeit)
  --pause-ms N   Länge eines Pausentakts, 0..3600000 ms (Standard 1000; bei 0 laufen die
                 Pausen so schnell, wie die Ereignisse des Servers es zulassen)
  --login-ms N   eine Verbindung schließen, die sich nach N ms nicht angemeldet hat,
                 0..3600000 (Standard 15000; 0 nie)
  --hold-s N     den Platz eines Spielers, dessen Verbindung im Spiel abbricht, N Sekunden
                 lang freihalten, 0..3600 (Standard 120; 0 nie)
  --rudi classic|expert
                 wie der Computerspieler wählt: classic, seine feste Reihenfolge
                 (Standard), oder expert, das beste Spiel
  --name NAME    Name, unter dem das Spiel im lokalen Netz angekündigt wird
                 (Standard: Tilecrest auf dem Rechnernamen dieses Rechners)
  --no-announce  das Spiel im lokalen Netz nicht ankündigen
  --map-port     den Heimrouter (NAT-PMP, dann UPnP-IGD) bitten, einen Port an den
                 Server weiterzuleiten, solange er läuft, damit Spieler aus dem Internet
                 beitreten können; das Protokoll sagt, was der Router antwortete
  --map-lease-s N
                 die beim Router erbetene Laufzeit, 2..86400 s (Standard 3600), nach der
                 Hälfte der Zeit erneuert
  --help         diesen Text zeigen und beenden
  --version      die Version zeigen und beenden

Eine falsche Befehlszeile wird mit diesem Text auf stderr genannt und endet mit Status 2;
ein Port oder eine Adresse, die sich nicht nutzen lässt, endet mit Status 1.
</translation>
    </message>
    <message>
        <source>unexpected word &quot;%1&quot;</source>
        <translation>unerwartetes Wort „%1“</translation>
    </message>
    <message>
        <source>--bind needs an IP address, not &quot;%1&quot;</source>
        <translation>--bind braucht eine IP-Adresse, nicht „%1“</translation>
    </message>
    <message>
        <source>--rudi needs classic or expert, not &quot;%1&quot;</source>
        <translation>--rudi braucht classic oder expert, nicht „%1“</translation>
    </message>
</context>
<context>
    <name>Session</name>
    <message>
        <source>Your settings cannot be saved in %1 (%2). They last until the game is closed.</source>
        <translation>Deine Einstellungen können nicht in %1 gespeichert werden (%2). Sie gelten, bis das Spiel geschlossen wird.</translation>
    </message>
    <message>
        <source>Your settings file could not be read and was kept as %1; the settings start afresh.</source>
        <translation>Deine Einstellungsdatei war nicht lesbar und wurde als %1 aufbewahrt; die Einstellungen beginnen von vorn.</translation>
    </message>
    <message>
        <source>The address has a &quot;[&quot; but no &quot;]&quot;.</source>
        <translation>Die Adresse hat ein „[“, aber kein „]“.</translation>
    </message>
    <message>
        <source>After &quot;]&quot; only &quot;:&quot; and the port may follow.</source>
        <translation>Nach „]“ dürfen nur „:“ und der Port folgen.</translation>
    </message>
    <message>
        <source>After the colon comes the port, a number from 1 to 65535; or leave it out and use the Port box.</source>
        <translation>Nach dem Doppelpunkt kommt der Port, eine Zahl von 1 bis 65535; oder lass ihn weg und nimm das Feld Port.</translation>
    </message>
    <message>
        <source>Type the host&apos;s address.</source>
        <translation>Gib die Adresse des Gastgebers ein.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a host name or an IP address.</source>
        <translation>„%1“ ist weder ein Rechnername noch eine IP-Adresse.</translation>
    </message>
    <message>
        <source>Only this machine can reach the game: no network address was found (port %1).</source>
        <translation>Nur dieser Rechner erreicht das Spiel: Es wurde keine Netzwerkadresse gefunden (Port %1).</translation>
    </message>
    <message>
        <source> or </source>
        <translation> oder </translation>
    </message>
    <message>
        <source>, </source>
        <translation>, </translation>
    </message>
    <message>
        <source> (and %1 more)</source>
        <translation> (und %1 weitere)</translation>
    </message>
    <message>
        <source>Others can join at %1 port %2.</source>
        <translation>Andere können unter %1 Port %2 beitreten.</translation>
    </message>
    <message>
        <source>Connection lost, reconnecting… %1 left</source>
        <translation>Verbindung verloren, verbinde neu… noch %1</translation>
    </message>
    <message>
        <source>Loading Solo Game..Please wait.</source>
        <translation>Solospiel wird geladen … Bitte warten.</translation>
    </message>
    <message>
        <source>Loading Multi-player Game.. Please Wait.</source>
        <translation>Mehrspielerspiel wird geladen … Bitte warten.</translation>
    </message>
    <message>
        <source>Cannot host the game: port %1 is not available (%2). Choose another port.</source>
        <translation>Das Spiel kann nicht eröffnet werden: Port %1 ist nicht verfügbar (%2). Wähle einen anderen Port.</translation>
    </message>
    <message>
        <source>unknown reason</source>
        <translation>unbekannter Grund</translation>
    </message>
    <message>
        <source>Could not connect to %1 port %2: %3</source>
        <translation>Keine Verbindung zu %1 Port %2: %3</translation>
    </message>
    <message>
        <source>Some messages were dropped because too many arrived at once.</source>
        <translation>Einige Nachrichten wurden verworfen, weil zu viele auf einmal ankamen.</translation>
    </message>
    <message>
        <source>You chat: </source>
        <translation>Du schreibst: </translation>
    </message>
    <message>
        <source>You say: </source>
        <translation>Du sagst: </translation>
    </message>
    <message>
        <source>Rudi the bot says: %1</source>
        <translation>Rudi der Bot sagt: %1</translation>
    </message>
    <message>
        <source>You are Connected.</source>
        <translation>Du bist verbunden.</translation>
    </message>
    <message>
        <source>Press Control-I to see Quick Instructions.</source>
        <translation>Drücke Strg+I für die Kurzanleitung.</translation>
    </message>
    <message>
        <source>%1 is Connected.</source>
        <translation>%1 ist verbunden.</translation>
    </message>
    <message>
        <source>You are spying.</source>
        <translation>Du schaust zu.</translation>
    </message>
    <message>
        <source>%1 is spying.</source>
        <translation>%1 schaut zu.</translation>
    </message>
    <message>
        <source>%1 has a different version of the game then you.</source>
        <translation>%1 hat eine andere Version des Spiels als du.</translation>
    </message>
    <message>
        <source>You have a differnt version of the game then the host.</source>
        <translation>Du hast eine andere Version des Spiels als der Gastgeber.</translation>
    </message>
    <message>
        <source>%1 disconnected.</source>
        <translation>%1 hat die Verbindung getrennt.</translation>
    </message>
    <message>
        <source>%1 has left.</source>
        <translation>%1 ist gegangen.</translation>
    </message>
    <message>
        <source>Game is full</source>
        <translation>Das Spiel ist voll</translation>
    </message>
    <message>
        <source>The host removed you from this game.</source>
        <translation>Der Gastgeber hat dich aus diesem Spiel entfernt.</translation>
    </message>
    <message>
        <source>No removed player was kept out.</source>
        <translation>Es war kein entfernter Spieler ausgeschlossen.</translation>
    </message>
    <message>
        <source>1 removed player may join again.</source>
        <translation>1 entfernter Spieler darf wieder beitreten.</translation>
    </message>
    <message>
        <source>%1 removed players may join again.</source>
        <translation>%1 entfernte Spieler dürfen wieder beitreten.</translation>
    </message>
    <message>
        <source>%1 is just watching</source>
        <translation>%1 schaut nur zu</translation>
    </message>
    <message>
        <source>%1 now playing again</source>
        <translation>%1 spielt wieder mit</translation>
    </message>
    <message>
        <source>%1: &lt;Chatter Sound&gt; %2</source>
        <translation>%1: &lt;Plauderton&gt; %2</translation>
    </message>
    <message>
        <source>Your lines are sent a few a second so that none is lost; the rest follow shortly.</source>
        <translation>Deine Zeilen werden zu wenigen pro Sekunde gesendet, damit keine verloren geht; der Rest folgt gleich.</translation>
    </message>
    <message>
        <source>Roll the dice.</source>
        <translation>Würfle.</translation>
    </message>
    <message>
        <source>Select(cover) as many numbers as you want that when added up they equal the sum of the dice.</source>
        <translation>Wähle (schließe) so viele Zahlen, wie du willst, deren Summe gleich der Augensumme der Würfel ist.</translation>
    </message>
    <message>
        <source>Your turn ends when you roll dice and there are no numbers that you can select to equal the sum.</source>
        <translation>Dein Zug endet, wenn du würfelst und keine Zahlen mehr wählen kannst, die die Summe ergeben.</translation>
    </message>
    <message>
        <source>You receive points equal to the sum of the numbers left uncovered.</source>
        <translation>Du bekommst so viele Punkte, wie die offen gebliebenen Zahlen zusammen ergeben.</translation>
    </message>
    <message>
        <source>The player with the lowest ROUND SCORE receives a mark.</source>
        <translation>Wer die wenigsten RUNDENPUNKTE hat, bekommt einen Strich.</translation>
    </message>
    <message>
        <source>The first player to reach the number of marks selected by the host wins.</source>
        <translation>Wer zuerst so viele Striche hat, wie der Gastgeber festgelegt hat, gewinnt.</translation>
    </message>
    <message>
        <source>1 minute</source>
        <translation>1 Minute</translation>
    </message>
    <message>
        <source>%1 minutes</source>
        <translation>%1 Minuten</translation>
    </message>
    <message>
        <source>1 second</source>
        <translation>1 Sekunde</translation>
    </message>
    <message>
        <source>%1 seconds</source>
        <translation>%1 Sekunden</translation>
    </message>
    <message>
        <source>Connection lost, reconnecting…</source>
        <translation>Verbindung verloren, verbinde neu…</translation>
    </message>
    <message>
        <source>%1 lost the connection; their seat is kept for %2.</source>
        <translation>%1 hat die Verbindung verloren; der Platz wird %2 lang freigehalten.</translation>
    </message>
    <message>
        <source>%1 is back.</source>
        <translation>%1 ist zurück.</translation>
    </message>
    <message>
        <source>You are back in your seat.</source>
        <translation>Du bist wieder auf deinem Platz.</translation>
    </message>
    <message>
        <source>The boxes you selected do not equal the sum of the dice</source>
        <translation>Deine Klappen ergeben nicht die Augensumme</translation>
    </message>
    <message>
        <source>Rounds Played: %1</source>
        <translation>Gespielte Runden: %1</translation>
    </message>
    <message>
        <source>Marks needed to win: %1</source>
        <translation>Striche zum Sieg: %1</translation>
    </message>
    <message>
        <source>You have started a game.</source>
        <translation>Du hast ein Spiel gestartet.</translation>
    </message>
    <message>
        <source>%1 has started a game.</source>
        <translation>%1 hat ein Spiel gestartet.</translation>
    </message>
    <message>
        <source>Hi ya, I&apos;m Rudi the Bot!</source>
        <translation>Hallo, ich bin Rudi, der Bot!</translation>
    </message>
    <message>
        <source> and </source>
        <translation> und </translation>
    </message>
    <message>
        <source>%1.%2</source>
        <translation>%1,%2</translation>
    </message>
    <message>
        <source>Best move: %1 (expected round score %2)</source>
        <translation>Bester Zug: %1 (erwartete Rundenpunkte %2)</translation>
    </message>
    <message>
        <source>Your Turn.</source>
        <translation>Du bist dran.</translation>
    </message>
    <message>
        <source>%1&apos;s turn.</source>
        <translation>%1 ist dran.</translation>
    </message>
    <message>
        <source>Turn Over! There are no valid moves.</source>
        <translation>Zug vorbei! Kein gültiger Zug mehr.</translation>
    </message>
    <message>
        <source>%1 shut all nine tiles!</source>
        <translation>%1 hat alle neun Klappen geschlossen!</translation>
    </message>
    <message>
        <source>Rounds since you joined: %1</source>
        <translation>Runden seit deinem Beitritt: %1</translation>
    </message>
    <message>
        <source>Your turn. A game is in progress.</source>
        <translation>Du bist dran. Ein Spiel läuft.</translation>
    </message>
    <message>
        <source>%1&apos;s turn. A game is in progress.</source>
        <translation>%1 ist dran. Ein Spiel läuft.</translation>
    </message>
    <message>
        <source>You</source>
        <translation>Du</translation>
    </message>
    <message>
        <source>%1 each gained a Mark.</source>
        <translation>%1 bekommen je einen Strich.</translation>
    </message>
    <message>
        <source>You gained a Mark.</source>
        <translation>Du bekommst einen Strich.</translation>
    </message>
    <message>
        <source>%1 gained a Mark.</source>
        <translation>%1 bekommt einen Strich.</translation>
    </message>
    <message>
        <source>You have won the game!</source>
        <translation>Du hast das Spiel gewonnen!</translation>
    </message>
    <message>
        <source>%1 has Won the Game!</source>
        <translation>%1 hat das Spiel gewonnen!</translation>
    </message>
    <message>
        <source>Welcome to Tilecrest</source>
        <translation>Willkommen bei Tilecrest</translation>
    </message>
    <message>
        <source>Winner!</source>
        <translation>Sieger!</translation>
    </message>
    <message>
        <source>You are not connected</source>
        <translation>Du bist nicht verbunden</translation>
    </message>
</context>
<context>
    <name>TableSpeech</name>
    <message>
        <source>Tile %1, open</source>
        <translation>Klappe %1, offen</translation>
    </message>
    <message>
        <source>Tile %1, down</source>
        <translation>Klappe %1, gewählt</translation>
    </message>
    <message>
        <source>Tile %1, shut</source>
        <translation>Klappe %1, geschlossen</translation>
    </message>
    <message>
        <source>Tile %1</source>
        <translation>Klappe %1</translation>
    </message>
    <message>
        <source>Dice: not rolled yet</source>
        <translation>Würfel: noch nicht geworfen</translation>
    </message>
    <message>
        <source>Dice: %1 and %2</source>
        <translation>Würfel: %1 und %2</translation>
    </message>
    <message>
        <source>no Marks</source>
        <translation>keine Striche</translation>
    </message>
    <message>
        <source>1 Mark</source>
        <translation>1 Strich</translation>
    </message>
    <message>
        <source>%1 Marks</source>
        <translation>%1 Striche</translation>
    </message>
    <message>
        <source>Seat %1, free</source>
        <translation>Platz %1, frei</translation>
    </message>
    <message>
        <source>Seat %1, %2, round score %3, %4</source>
        <translation>Platz %1, %2, Rundenpunkte %3, %4</translation>
    </message>
    <message>
        <source>, on turn</source>
        <translation>, am Zug</translation>
    </message>
    <message>
        <source>, watching</source>
        <translation>, schaut zu</translation>
    </message>
    <message>
        <source>, away</source>
        <translation>, abwesend</translation>
    </message>
</context>
<context>
    <name>TallyFile</name>
    <message>
        <source>%1 : %2 !</source>
        <translation>%1: %2!</translation>
    </message>
    <message>
        <source>Cannot read the tally file %1; this session&apos;s games are not kept.</source>
        <translation>Die Bilanzdatei %1 kann nicht gelesen werden; die Spiele dieser Sitzung werden nicht festgehalten.</translation>
    </message>
    <message>
        <source>%1 : the tally file is larger than any tally !</source>
        <translation>%1: Die Bilanzdatei ist größer als jede Bilanz!</translation>
    </message>
    <message>
        <source>the tally file could not be read at start-up and is left alone</source>
        <translation>die Bilanzdatei war beim Start nicht lesbar und bleibt unangetastet</translation>
    </message>
    <message>
        <source>the tally has more lines than any tally holds</source>
        <translation>die Bilanz hat mehr Zeilen, als eine Bilanz je hat</translation>
    </message>
    <message>
        <source>the tally&apos;s column count is not 9</source>
        <translation>die Bilanz hat nicht 9 Spalten</translation>
    </message>
    <message>
        <source>the tally&apos;s row count is not a number from 1 to 100000</source>
        <translation>die Zeilenzahl der Bilanz ist keine Zahl von 1 bis 100000</translation>
    </message>
    <message>
        <source>the tally&apos;s cells do not fit its row count</source>
        <translation>die Zellen der Bilanz passen nicht zu ihrer Zeilenzahl</translation>
    </message>
</context>
<context>
    <name>Tlzrw1</name>
    <message>
        <source>Lzrw1 (decompression LZRW1/KH) : the compressed data is damaged !</source>
        <translation>Lzrw1 (Entpacken LZRW1/KH): Die gepackten Daten sind beschädigt!</translation>
    </message>
    <message>
        <source>Lzrw1 : Error writing to output file : %1</source>
        <translation>Lzrw1: Fehler beim Schreiben der Ausgabedatei: %1</translation>
    </message>
    <message>
        <source>Lzrw1 compression : the input is larger than 4 GiB : %1</source>
        <translation>Lzrw1-Packen: Die Eingabe ist größer als 4 GiB: %1</translation>
    </message>
    <message>
        <source>Lzrw1 : Error reading from input file : %1</source>
        <translation>Lzrw1: Fehler beim Lesen der Eingabedatei: %1</translation>
    </message>
    <message>
        <source>Lzrw1 (de)compression : Failed to get memory for I/O buffers !</source>
        <translation>Lzrw1 (Ent-)Packen: Kein Speicher für die Ein-/Ausgabepuffer!</translation>
    </message>
    <message>
        <source>Lzrw1 (de)compression : Failed to open output file : %1</source>
        <translation>Lzrw1 (Ent-)Packen: Die Ausgabedatei lässt sich nicht öffnen: %1</translation>
    </message>
    <message>
        <source>%1 : Lzrw1 decompression : this file is packed with the LZH codec (&quot;!HZL&quot;), which is not supported !</source>
        <translation>%1: Lzrw1-Entpacken: Diese Datei ist mit dem LZH-Codec („!HZL“) gepackt, der nicht unterstützt wird!</translation>
    </message>
    <message>
        <source>%1 : Lzrw1 decompression : this file has no valid header !</source>
        <translation>%1: Lzrw1-Entpacken: Diese Datei hat keinen gültigen Kopf!</translation>
    </message>
    <message>
        <source>%1 : Lzrw1 decompression : the content is larger than this program accepts !</source>
        <translation>%1: Lzrw1-Entpacken: Der Inhalt ist größer, als dieses Programm annimmt!</translation>
    </message>
    <message>
        <source>Lzrw1 (decompression LZRW1/KH) : Original and compressed sizes do not match !</source>
        <translation>Lzrw1 (Entpacken LZRW1/KH): Ursprüngliche und gepackte Größe passen nicht zusammen!</translation>
    </message>
    <message>
        <source>Lzrw1 (de)compression : Failed to open input file : %1</source>
        <translation>Lzrw1 (Ent-)Packen: Die Eingabedatei lässt sich nicht öffnen: %1</translation>
    </message>
    <message>
        <source>Lzrw1 compression : the LZH codec (&quot;!HZL&quot;) is not supported, use Fast !</source>
        <translation>Lzrw1-Packen: Der LZH-Codec („!HZL“) wird nicht unterstützt, nimm Fast!</translation>
    </message>
    <message>
        <source>Lzrw1 compression : Failed to obtain the size of : %1</source>
        <translation>Lzrw1-Packen: Die Größe lässt sich nicht ermitteln: %1</translation>
    </message>
</context>
<context>
    <name>tc::chat::ChatInput</name>
    <message>
        <source>&lt;Enter Chat Here&gt;</source>
        <translation>&lt;Hier chatten&gt;</translation>
    </message>
    <message>
        <source>Chat input</source>
        <translation>Chat-Eingabe</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Einfügen</translation>
    </message>
    <message>
        <source>1 line waiting to be sent…</source>
        <translation>1 Zeile wartet auf den Versand…</translation>
    </message>
    <message>
        <source>%1 lines waiting to be sent…</source>
        <translation>%1 Zeilen warten auf den Versand…</translation>
    </message>
</context>
<context>
    <name>tc::chat::ChatPane</name>
    <message>
        <source>Chat</source>
        <translation>Chat</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Alles auswählen</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Clear Chat</source>
        <translation>Chat leeren</translation>
    </message>
    <message>
        <source>Scroll Chat Off</source>
        <translation>Chat nicht mitscrollen</translation>
    </message>
    <message>
        <source>Cannot open Webpage</source>
        <translation>Die Webseite lässt sich nicht öffnen</translation>
    </message>
</context>
<context>
    <name>tc::chat::PhraseBar</name>
    <message>
        <source>Sends this phrase to the chat</source>
        <translation>Schickt diesen Spruch in den Chat</translation>
    </message>
    <message>
        <source>Chatter Sounds</source>
        <translation>Plaudertöne</translation>
    </message>
</context>
<context>
    <name>tc::chat::SmileyButton</name>
    <message>
        <source>Smilies</source>
        <translation>Smileys</translation>
    </message>
    <message>
        <source>Puts a smiley into the chat input</source>
        <translation>Fügt einen Smiley in die Chat-Eingabe ein</translation>
    </message>
</context>
<context>
    <name>tc::chat::SoundsMenu</name>
    <message>
        <source>&lt;Cancel&gt;</source>
        <translation>&lt;Abbrechen&gt;</translation>
    </message>
</context>
<context>
    <name>tc::client::BoardPanel</name>
    <message>
        <source>Round Score</source>
        <translation>Rundenpunkte</translation>
    </message>
    <message>
        <source>&lt;Waiting&gt;</source>
        <translation>&lt;Frei&gt;</translation>
    </message>
    <message>
        <source>Marks:</source>
        <translation>Striche:</translation>
    </message>
    <message>
        <source>watching</source>
        <translation>schaut zu</translation>
    </message>
    <message>
        <source>Watching</source>
        <translation>Schaut zu</translation>
    </message>
    <message>
        <source>on turn</source>
        <translation>am Zug</translation>
    </message>
    <message>
        <source>Marks needed to win: 3</source>
        <translation>Striche zum Sieg: 3</translation>
    </message>
    <message>
        <source>Rounds Played: 0</source>
        <translation>Gespielte Runden: 0</translation>
    </message>
    <message>
        <source>Watching — seats are full</source>
        <translation>Zuschauer — alle Plätze belegt</translation>
    </message>
    <message>
        <source>Winner!</source>
        <translation>Sieger!</translation>
    </message>
    <message>
        <source> (away)</source>
        <translation> (weg)</translation>
    </message>
</context>
<context>
    <name>tc::client::ChatArea</name>
    <message>
        <source>Text Color</source>
        <translation>Textfarbe</translation>
    </message>
    <message>
        <source>Text Size</source>
        <translation>Textgröße</translation>
    </message>
</context>
<context>
    <name>tc::client::ClientSocket</name>
    <message>
        <source>No answer within %1 %2. Check the address, and that the host&apos;s firewall lets the port through.</source>
        <translation>Keine Antwort innerhalb von %1 %2. Prüfe die Adresse und ob die Firewall des Gastgebers den Port durchlässt.</translation>
    </message>
    <message>
        <source>Host not found. Check the address.</source>
        <translation>Gastgeber nicht gefunden. Prüfe die Adresse.</translation>
    </message>
    <message>
        <source>Connection refused. Is a game hosted there on this port?</source>
        <translation>Verbindung abgelehnt. Läuft dort ein Spiel auf diesem Port?</translation>
    </message>
</context>
<context>
    <name>tc::client::ConnectDialog</name>
    <message>
        <source>Your name:</source>
        <translation>Dein Name:</translation>
    </message>
    <message>
        <source>e.g. 192.168.1.20</source>
        <translation>z. B. 192.168.1.20</translation>
    </message>
    <message>
        <source>Host&apos;s address:</source>
        <translation>Adresse des Gastgebers:</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>Show this game to players on your network</source>
        <translation>Spiel den Spielern im Netzwerk zeigen</translation>
    </message>
    <message>
        <source>Games on your network:</source>
        <translation>Spiele in deinem Netzwerk:</translation>
    </message>
    <message>
        <source>Game</source>
        <translation>Spiel</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <source>Players</source>
        <translation>Spieler</translation>
    </message>
    <message>
        <source>State</source>
        <translation>Stand</translation>
    </message>
    <message>
        <source>Join</source>
        <translation>Beitreten</translation>
    </message>
    <message>
        <source>Host a Game</source>
        <translation>Spiel eröffnen</translation>
    </message>
    <message>
        <source>Join a Game</source>
        <translation>Spiel beitreten</translation>
    </message>
    <message>
        <source>Host</source>
        <translation>Eröffnen</translation>
    </message>
    <message>
        <source>Choose a game above, or ask the host for the address and the port. The port may also follow the address: 192.168.1.20:7772 or [fd00::2]:7772.</source>
        <translation>Wähle oben ein Spiel oder frag den Gastgeber nach Adresse und Port. Der Port kann auch hinter der Adresse stehen: 192.168.1.20:7772 oder [fd00::2]:7772.</translation>
    </message>
    <message>
        <source> (version %1)</source>
        <translation> (Version %1)</translation>
    </message>
    <message>
        <source>Starting the game on port %1…</source>
        <translation>Das Spiel startet auf Port %1…</translation>
    </message>
    <message>
        <source>Joining %1 port %2…</source>
        <translation>Beitritt zu %1 Port %2…</translation>
    </message>
    <message>
        <source>Choose another port.</source>
        <translation>Wähle einen anderen Port.</translation>
    </message>
    <message>
        <source>Check the address and the port, then try again.</source>
        <translation>Prüfe Adresse und Port und versuch es noch einmal.</translation>
    </message>
    <message>
        <source>Others join at an address shown in the chat. The port must be open to them: your firewall may need it, and the game can ask your router.</source>
        <translation>Andere treten über eine Adresse bei, die im Chat steht. Der Port muss für sie offen sein: Eventuell braucht es deine Firewall, und das Spiel kann deinen Router darum bitten.</translation>
    </message>
    <message>
        <source>Open the port on my router</source>
        <translation>Port am Router öffnen</translation>
    </message>
    <message>
        <source>Asks your home router to let players on the internet in while you host</source>
        <translation>Bittet deinen Heimrouter, Spieler aus dem Internet hereinzulassen, solange du ein Spiel eröffnet hast</translation>
    </message>
</context>
<context>
    <name>tc::client::DicePanel</name>
    <message>
        <source>Roll Dice</source>
        <translation>Würfeln</translation>
    </message>
    <message>
        <source>Start Game</source>
        <translation>Spiel starten</translation>
    </message>
    <message>
        <source>Welcome to Tilecrest</source>
        <translation>Willkommen bei Tilecrest</translation>
    </message>
    <message>
        <source>Die %1: %2</source>
        <translation>Würfel %1: %2</translation>
    </message>
    <message>
        <source>Die %1: not rolled yet</source>
        <translation>Würfel %1: noch nicht geworfen</translation>
    </message>
</context>
<context>
    <name>tc::client::FileMenu</name>
    <message>
        <source>Start Game</source>
        <translation>Spiel starten</translation>
    </message>
    <message>
        <source>Host a Game…</source>
        <translation>Spiel eröffnen…</translation>
    </message>
    <message>
        <source>Join a Game…</source>
        <translation>Spiel beitreten…</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
</context>
<context>
    <name>tc::client::FullScreen</name>
    <message>
        <source>Full Screen</source>
        <translation>Vollbild</translation>
    </message>
</context>
<context>
    <name>tc::client::GameOptions</name>
    <message>
        <source>Just Watch</source>
        <translation>Nur zuschauen</translation>
    </message>
    <message>
        <source>Show Best Move</source>
        <translation>Besten Zug zeigen</translation>
    </message>
    <message>
        <source>Play Sounds</source>
        <translation>Töne abspielen</translation>
    </message>
    <message>
        <source>Play Chatter Sounds</source>
        <translation>Plaudertöne abspielen</translation>
    </message>
</context>
<context>
    <name>tc::client::GameStartWindow</name>
    <message>
        <source>Tilecrest - Game Start</source>
        <translation>Tilecrest – Spielstart</translation>
    </message>
    <message>
        <source>Game Options</source>
        <translation>Spieloptionen</translation>
    </message>
    <message>
        <source>Play to</source>
        <translation>Spiel bis</translation>
    </message>
    <message>
        <source>Marks</source>
        <translation>Striche</translation>
    </message>
    <message>
        <source>Rudi plays:</source>
        <translation>Rudi spielt:</translation>
    </message>
    <message>
        <source>Classic</source>
        <translation>Einfach</translation>
    </message>
    <message>
        <source>Expert</source>
        <translation>Profi</translation>
    </message>
    <message>
        <source>Start Game</source>
        <translation>Spiel starten</translation>
    </message>
    <message>
        <source>Play to 3 to 10 Marks</source>
        <translation>Spiel bis 3 bis 10 Striche</translation>
    </message>
    <message>
        <source>The game server decides how Rudi plays (tilecrest-server --rudi).</source>
        <translation>Der Spielserver legt fest, wie Rudi spielt (tilecrest-server --rudi).</translation>
    </message>
</context>
<context>
    <name>tc::client::JoinAttempt</name>
    <message>
        <source>The host did not take you in within %1 %2. Try again in a moment.</source>
        <translation>Der Gastgeber hat dich nicht innerhalb von %1 %2 aufgenommen. Versuch es gleich noch einmal.</translation>
    </message>
    <message>
        <source>The host closed the connection before taking you in.</source>
        <translation>Der Gastgeber hat die Verbindung getrennt, bevor er dich aufgenommen hat.</translation>
    </message>
    <message>
        <source>Game is full</source>
        <translation>Das Spiel ist voll</translation>
    </message>
    <message>
        <source>The host removed you from this game.</source>
        <translation>Der Gastgeber hat dich aus diesem Spiel entfernt.</translation>
    </message>
    <message>
        <source>Something answered on this port, but it is not a Tilecrest game. Check the port.</source>
        <translation>Auf diesem Port hat etwas geantwortet, aber es ist kein Tilecrest-Spiel. Prüfe den Port.</translation>
    </message>
</context>
<context>
    <name>tc::client::LanguageMenu</name>
    <message>
        <source>Language: %1, already in use.</source>
        <translation>Sprache: %1, bereits eingestellt.</translation>
    </message>
    <message>
        <source>Language: %1, from the next start of Tilecrest.</source>
        <translation>Sprache: %1, ab dem nächsten Start von Tilecrest.</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>Desktop Language</source>
        <translation>Sprache des Desktops</translation>
    </message>
</context>
<context>
    <name>tc::client::MainWindow</name>
    <message>
        <source>This copy has no game server</source>
        <translation>Dieses Exemplar hat keinen Spielserver</translation>
    </message>
</context>
<context>
    <name>tc::client::ReconnectAttempt</name>
    <message>
        <source>The connection to the game could not be restored in time; your seat is no longer kept.</source>
        <translation>Die Verbindung zum Spiel ließ sich nicht rechtzeitig wiederherstellen; dein Platz wird nicht mehr freigehalten.</translation>
    </message>
    <message>
        <source>Back on the line, but the game no longer keeps your seat.</source>
        <translation>Wieder verbunden, aber das Spiel hält deinen Platz nicht mehr frei.</translation>
    </message>
</context>
<context>
    <name>tc::client::ReconnectBanner</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Stop reconnecting and leave the game</source>
        <translation>Neuverbinden abbrechen und das Spiel verlassen</translation>
    </message>
</context>
<context>
    <name>tc::client::Reconnection</name>
    <message>
        <source>You stopped reconnecting; the game is left.</source>
        <translation>Du hast das Neuverbinden abgebrochen; das Spiel ist verlassen.</translation>
    </message>
</context>
<context>
    <name>tc::client::RouterPort</name>
    <message>
        <source>Copy Internet Address</source>
        <translation>Internetadresse kopieren</translation>
    </message>
</context>
<context>
    <name>tc::client::ScreenFit</name>
    <message>
        <source>Reset Screen Location</source>
        <translation>Fensterposition zurücksetzen</translation>
    </message>
</context>
<context>
    <name>tc::client::SeatMenu</name>
    <message>
        <source>Remove From Game</source>
        <translation>Aus dem Spiel entfernen</translation>
    </message>
    <message>
        <source>Set to Just Watch</source>
        <translation>Auf Zuschauen setzen</translation>
    </message>
    <message>
        <source>Unset Just Watch</source>
        <translation>Zuschauen aufheben</translation>
    </message>
    <message>
        <source>Let Removed Players Back In</source>
        <translation>Entfernte Spieler wieder zulassen</translation>
    </message>
</context>
<context>
    <name>tc::client::SideWindowLinks</name>
    <message>
        <source>View Tally</source>
        <translation>Bilanz anzeigen</translation>
    </message>
    <message>
        <source>Spy List</source>
        <translation>Zuschauerliste</translation>
    </message>
    <message>
        <source>Phrase List</source>
        <translation>Sprüche</translation>
    </message>
    <message>
        <source>Content</source>
        <translation>Inhalt</translation>
    </message>
    <message>
        <source>Quick Instructions</source>
        <translation>Kurzanleitung</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über Tilecrest</translation>
    </message>
    <message>
        <source>Download The Velmora Lobby…</source>
        <translation>Velmora-Lobby herunterladen…</translation>
    </message>
    <message>
        <source>Solo Version of Tilecrest</source>
        <translation>Tilecrest solo</translation>
    </message>
</context>
<context>
    <name>tc::client::TableKeys</name>
    <message>
        <source>Roll Dice</source>
        <translation>Würfeln</translation>
    </message>
    <message>
        <source>Put Tiles Back Up</source>
        <translation>Klappen wieder öffnen</translation>
    </message>
    <message>
        <source>Tile %1</source>
        <translation>Klappe %1</translation>
    </message>
</context>
<context>
    <name>tc::windows::AboutWindow</name>
    <message>
        <source>Tilecrest - About</source>
        <translation>Tilecrest – Über</translation>
    </message>
    <message>
        <source>Written by the Tilecrest developers.
Every picture is drawn by our own art tool.</source>
        <translation>Geschrieben vom Tilecrest-Team.
Alle Bilder zeichnet unser eigenes Werkzeug.</translation>
    </message>
    <message>
        <source>Free software under the MIT licence.</source>
        <translation>Freie Software unter der MIT-Lizenz.</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>Cannot open Webpage</source>
        <translation>Die Webseite lässt sich nicht öffnen</translation>
    </message>
</context>
<context>
    <name>tc::windows::DownloadWindow</name>
    <message>
        <source>Download The Velmora Lobby</source>
        <translation>Velmora-Lobby herunterladen</translation>
    </message>
    <message>
        <source>Download The Velmora Lobby Now to play this  and other exciting games online with other players! </source>
        <translation>Lade jetzt die Velmora-Lobby herunter und spiele dieses und andere spannende Spiele online mit anderen! </translation>
    </message>
    <message>
        <source>Download And Install The Velmora Lobby Now</source>
        <translation>Velmora-Lobby herunterladen und installieren</translation>
    </message>
    <message>
        <source>Stop Download</source>
        <translation>Download abbrechen</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>Ordner öffnen</translation>
    </message>
    <message>
        <source>To proceed to the game without the ability to play against others click the button below.</source>
        <translation>Um ohne Mitspieler weiterzuspielen, klick auf den Knopf unten.</translation>
    </message>
    <message>
        <source>Play Solo Game</source>
        <translation>Allein spielen</translation>
    </message>
    <message>
        <source>Note: A solo game stays on this computer and needs nothing from your firewall. Only a game you host for others needs its port (7772) open.</source>
        <translation>Hinweis: Ein Solospiel bleibt auf diesem Rechner und braucht nichts von deiner Firewall. Nur ein Spiel, das du für andere eröffnest, braucht seinen Port (7772) offen.</translation>
    </message>
    <message>
        <source>If you already have The Velmora Lobby and you wish to play with others then click the button below to close this game and open The Velmora Lobby.</source>
        <translation>Wenn du die Velmora-Lobby schon hast und mit anderen spielen willst, klick auf den Knopf unten: Das Spiel schließt sich und die Velmora-Lobby öffnet sich.</translation>
    </message>
    <message>
        <source>Play with Others</source>
        <translation>Mit anderen spielen</translation>
    </message>
    <message>
        <source>Don&apos;t show this again</source>
        <translation>Nicht mehr anzeigen</translation>
    </message>
    <message>
        <source>Download Aborted</source>
        <translation>Download abgebrochen</translation>
    </message>
    <message>
        <source>Loading</source>
        <translation>Lädt</translation>
    </message>
    <message>
        <source>Download has been aborted.</source>
        <translation>Der Download wurde abgebrochen.</translation>
    </message>
    <message>
        <source>%1 bytes</source>
        <translation>%1 Bytes</translation>
    </message>
    <message>
        <source>%1 of %2 bytes (%3%)</source>
        <translation>%1 von %2 Bytes (%3 %)</translation>
    </message>
    <message>
        <source>No data for %1 s</source>
        <translation>Seit %1 s keine Daten</translation>
    </message>
    <message>
        <source>The file is larger than any installer</source>
        <translation>Die Datei ist größer als jedes Installationsprogramm</translation>
    </message>
    <message>
        <source>Received %1 bytes</source>
        <translation>%1 Bytes empfangen</translation>
    </message>
    <message>
        <source>An Error has Occurred.</source>
        <translation>Ein Fehler ist aufgetreten.</translation>
    </message>
    <message>
        <source>Please close the game and open the Velmora Lobby from its icon on your desktop or from your desktop&apos;s applications menu.</source>
        <translation>Bitte schließe das Spiel und öffne die Velmora-Lobby über ihr Symbol auf dem Desktop oder über das Anwendungsmenü.</translation>
    </message>
    <message>
        <source>Downloading: %1</source>
        <translation>Download: %1</translation>
    </message>
    <message>
        <source>%1. The part received is in %2</source>
        <translation>%1. Der empfangene Teil liegt in %2</translation>
    </message>
    <message>
        <source>Saved to %1</source>
        <translation>Gespeichert in %1</translation>
    </message>
</context>
<context>
    <name>tc::windows::HelpWindow</name>
    <message>
        <source>Connecting</source>
        <translation>Verbinden</translation>
    </message>
    <message>
        <source>Game Play</source>
        <translation>Spielablauf</translation>
    </message>
    <message>
        <source>Scoring</source>
        <translation>Wertung</translation>
    </message>
    <message>
        <source>Documentation</source>
        <translation>Dokumentation</translation>
    </message>
    <message>
        <source>License</source>
        <translation>Lizenz</translation>
    </message>
    <message>
        <source>The Lobby</source>
        <translation>Die Lobby</translation>
    </message>
    <message>
        <source>Spectators</source>
        <translation>Zuschauer</translation>
    </message>
    <message>
        <source>Menus</source>
        <translation>Menüs</translation>
    </message>
    <message>
        <source>Keyboard</source>
        <translation>Tastatur</translation>
    </message>
    <message>
        <source>&lt;h3&gt;License&lt;/h3&gt;&lt;p&gt;Tilecrest is free software under the MIT License:&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Lizenz&lt;/h3&gt;&lt;p&gt;Tilecrest ist freie Software unter der MIT-Lizenz (Text im englischen Original):&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Tilecrest - Help File</source>
        <translation>Tilecrest – Hilfe</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über Tilecrest</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>Cannot open Webpage</source>
        <translation>Die Webseite lässt sich nicht öffnen</translation>
    </message>
</context>
<context>
    <name>tc::windows::PhraseEditor</name>
    <message>
        <source>Tilecrest - Phrase Buttons</source>
        <translation>Tilecrest – Spruchknöpfe</translation>
    </message>
    <message>
        <source>Phrase Button %1:</source>
        <translation>Spruchknopf %1:</translation>
    </message>
    <message>
        <source>Phrase Button %1: %2 cannot be sent and arrives as &quot;?&quot;.</source>
        <translation>Spruchknopf %1: %2 lässt sich nicht senden und kommt als „?“ an.</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
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
        <translation>Klick HIER und lerne, wie man Tilecrest allein spielt!</translation>
    </message>
    <message>
        <source>Playing solo is built in: start Tilecrest on its own and play the tiles against Rudi whenever you like, with no host to wait for.</source>
        <translation>Solo ist eingebaut: Starte Tilecrest einfach so und spiel gegen Rudi, wann du willst, ganz ohne Gastgeber.</translation>
    </message>
    <message>
        <source>Cannot open Webpage</source>
        <translation>Die Webseite lässt sich nicht öffnen</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
</context>
<context>
    <name>tc::windows::SpyListWindow</name>
    <message>
        <source>Tilecrest - Spys</source>
        <translation>Tilecrest – Zuschauer</translation>
    </message>
    <message>
        <source>Spy List</source>
        <translation>Zuschauerliste</translation>
    </message>
    <message>
        <source>Remove From Game</source>
        <translation>Aus dem Spiel entfernen</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
</context>
<context>
    <name>tc::windows::TallyListWindow</name>
    <message>
        <source>Tilecrest - Tally List</source>
        <translation>Tilecrest – Bilanz</translation>
    </message>
    <message>
        <source>Your tally could not be read, and the damaged file could not be moved aside; this session&apos;s games are not kept.</source>
        <translation>Deine Bilanz war nicht lesbar, und die beschädigte Datei ließ sich nicht beiseitelegen; die Spiele dieser Sitzung werden nicht gespeichert.</translation>
    </message>
    <message>
        <source>Your tally could not be read, so it starts empty. The damaged file was kept as %1.</source>
        <translation>Deine Bilanz war nicht lesbar und beginnt deshalb leer. Die beschädigte Datei wurde als %1 aufbewahrt.</translation>
    </message>
    <message>
        <source>

Details: </source>
        <translation>

Einzelheiten: </translation>
    </message>
    <message>
        <source>Your Total Tally</source>
        <translation>Deine Gesamtbilanz</translation>
    </message>
    <message>
        <source>Total Games:</source>
        <translation>Spiele insgesamt:</translation>
    </message>
    <message>
        <source>Your Wins</source>
        <translation>Deine Siege</translation>
    </message>
    <message>
        <source>Total Times you&apos;ve shut all nine tiles:</source>
        <translation>Wie oft du alle neun Klappen geschlossen hast:</translation>
    </message>
    <message>
        <source>Other:</source>
        <translation>Sonstige:</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>Gesamt</translation>
    </message>
    <message>
        <source>Session</source>
        <translation>Sitzung</translation>
    </message>
    <message>
        <source>Wins:</source>
        <translation>Siege:</translation>
    </message>
    <message>
        <source>Number of Games</source>
        <translation>Anzahl Spiele</translation>
    </message>
    <message>
        <source>Your Wins:</source>
        <translation>Deine Siege:</translation>
    </message>
    <message>
        <source>Neither Won:</source>
        <translation>Keiner gewann:</translation>
    </message>
    <message>
        <source>Reset Tally</source>
        <translation>Bilanz zurücksetzen</translation>
    </message>
    <message>
        <source>Players In Current Game</source>
        <translation>Spieler im laufenden Spiel</translation>
    </message>
    <message>
        <source>Players Being Tallied</source>
        <translation>Spieler in der Bilanz</translation>
    </message>
    <message>
        <source>Nobody is tallied yet: tick a name under &quot;Players In Current Game&quot; to keep a tally of your games against that player.</source>
        <translation>Noch niemand in der Bilanz: Hak einen Namen unter „Spieler im laufenden Spiel“ an, um deine Spiele gegen diesen Spieler zu zählen.</translation>
    </message>
    <message>
        <source>Your tally cannot be saved in %1 (%2). Its counts last until the game is closed.</source>
        <translation>Deine Bilanz kann nicht in %1 gespeichert werden (%2). Ihre Zahlen gelten, bis das Spiel geschlossen wird.</translation>
    </message>
    <message>
        <source>Are you sure you want to reset the Tally?</source>
        <translation>Willst du die Bilanz wirklich zurücksetzen?</translation>
    </message>
    <message>
        <source>%1 Wins:</source>
        <translation>Siege von %1:</translation>
    </message>
    <message>
        <source>%1&apos;s Tally</source>
        <translation>Bilanz gegen %1</translation>
    </message>
    <message>
        <source>This will delete %1&apos;s Tally, Are you want to delete it?</source>
        <translation>Damit wird die Bilanz gegen %1 gelöscht. Willst du sie wirklich löschen?</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
</context>
</TS>
