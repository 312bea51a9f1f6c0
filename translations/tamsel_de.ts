<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>Alerting</name>
    <message>
        <source>%1 is calling you</source>
        <extracomment>A notification&apos;s title; %1 is a call sign</extracomment>
        <translation>%1 ruft Sie</translation>
    </message>
    <message>
        <source>%1 heard</source>
        <translation>%1 gehört</translation>
    </message>
</context>
<context>
    <name>BaseMap</name>
    <message>
        <source>The map file %1 cannot be read.</source>
        <translation>Die Kartendatei %1 lässt sich nicht lesen.</translation>
    </message>
    <message>
        <source>The map file %1 is damaged.</source>
        <translation>Die Kartendatei %1 ist beschädigt.</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Usage: %1 [--help | --version]
%2
It takes no other options. The adapter holds its own settings; the console&apos;s
(your position, units) are in $XDG_CONFIG_HOME/%3/tamsel.conf
(~/.config/%3/tamsel.conf), set in Config, Preferences.
The demo keeps them and its logs apart from the console&apos;s own.

  -h, --help     show this help and exit
      --version  show the version and exit

Qt&apos;s own options (-platform, -style, -display, -session and the others of
qt6options(7)) are passed to Qt.

tamsel is the same console for a real adapter.
See %1(1).
</source>
        <extracomment>--help of the demo program: %1 is its name, %2 what it does, %3 its folders&apos; name</extracomment>
        <translation>Aufruf: %1 [--help | --version]
%2
Weitere Optionen gibt es nicht. Der Adapter hält seine eigenen Einstellungen; die der Konsole
(Ihr Standort, Einheiten) stehen in $XDG_CONFIG_HOME/%3/tamsel.conf
(~/.config/%3/tamsel.conf) und werden unter Konfiguration, Einstellungen gesetzt.
Die Demo hält sie und ihre Logs getrennt von denen der Konsole.

  -h, --help     diese Hilfe zeigen und beenden
      --version  die Version zeigen und beenden

Die Optionen von Qt selbst (-platform, -style, -display, -session und die übrigen aus
qt6options(7)) werden an Qt weitergegeben.

tamsel ist dieselbe Konsole für einen echten Adapter.
Siehe %1(1).
</translation>
    </message>
    <message>
        <source>Usage: %1 [--help | --version]
%2
It takes no other options. The adapter holds its own settings; the console&apos;s
(your position, units) are in $XDG_CONFIG_HOME/%3/tamsel.conf
(~/.config/%3/tamsel.conf), set in Config, Preferences.

  -h, --help     show this help and exit
      --version  show the version and exit

Qt&apos;s own options (-platform, -style, -display, -session and the others of
qt6options(7)) are passed to Qt.

The adapter (USB 04d8:0310) must be accessible to you. The udev rule that grants
it to the user at the seat is /usr/lib/udev/rules.d/60-tamsel.rules when the
package is installed, or packaging/60-tamsel.rules in the source tree.
tamsel-demo runs the same console on a built-in simulated adapter.
See %1(1).
</source>
        <extracomment>--help: %1 is the program&apos;s name, %2 what it does, %3 its folders&apos; name</extracomment>
        <translation>Aufruf: %1 [--help | --version]
%2
Weitere Optionen gibt es nicht. Der Adapter hält seine eigenen Einstellungen; die der Konsole
(Ihr Standort, Einheiten) stehen in $XDG_CONFIG_HOME/%3/tamsel.conf
(~/.config/%3/tamsel.conf) und werden unter Konfiguration, Einstellungen gesetzt.

  -h, --help     diese Hilfe zeigen und beenden
      --version  die Version zeigen und beenden

Die Optionen von Qt selbst (-platform, -style, -display, -session und die übrigen aus
qt6options(7)) werden an Qt weitergegeben.

Der Adapter (USB 04d8:0310) muss für Sie zugänglich sein. Die udev-Regel, die ihn dem
Benutzer am Platz freigibt, ist /usr/lib/udev/rules.d/60-tamsel.rules, wenn das Paket
installiert ist, oder packaging/60-tamsel.rules im Quellbaum.
tamsel-demo startet dieselbe Konsole mit einem eingebauten simulierten Adapter.
Siehe %1(1).
</translation>
    </message>
    <message>
        <source>%1: option &apos;%2&apos; needs a value
Try &apos;%1 --help&apos; for more information.
</source>
        <translation>%1: Option &apos;%2&apos; braucht einen Wert
&apos;%1 --help&apos; zeigt mehr Informationen.
</translation>
    </message>
    <message>
        <source>%1: unrecognised argument &apos;%2&apos;
Try &apos;%1 --help&apos; for more information.
</source>
        <translation>%1: unbekanntes Argument &apos;%2&apos;
&apos;%1 --help&apos; zeigt mehr Informationen.
</translation>
    </message>
    <message>
        <source>Configures a Tamsel USB D-STAR digital-voice adapter and shows what it receives.</source>
        <translation>Konfiguriert einen Tamsel-USB-D-STAR-Digitalsprachadapter und zeigt, was er empfängt.</translation>
    </message>
    <message>
        <source>Runs the station of a Tamsel USB D-STAR digital-voice adapter without a display, as a service;
it says what it does on standard error.</source>
        <translation>Betreibt die Station eines Tamsel-USB-D-STAR-Digitalsprachadapters ohne Bildschirm, als Dienst;
sie meldet auf der Standardfehlerausgabe, was sie tut.</translation>
    </message>
    <message>
        <source>Runs the Tamsel Console on a built-in simulated adapter that hears a station every few
seconds, for trying the console without an adapter. With --station, runs the station
without a display instead (as tamsel-station does), saying what it does on standard error.</source>
        <translation>Startet die Tamsel-Konsole mit einem eingebauten simulierten Adapter, der alle paar
Sekunden eine Station hört, um die Konsole ohne Adapter auszuprobieren. Mit --station läuft
stattdessen die Station ohne Bildschirm (wie tamsel-station) und meldet auf der Standardfehlerausgabe, was sie tut.</translation>
    </message>
    <message>
        <source>  --listen ADDRESS:PORT   serve the station&apos;s page there (default 127.0.0.1:8073;
                          another address than this computer&apos;s needs a password)
  --tls-cert FILE         serve it over HTTPS with this certificate (PEM)...
  --tls-key FILE          ...and its private key (PEM)
  --set-password          set the page&apos;s password (asked twice) and end
</source>
        <translation>  --listen ADRESSE:PORT   die Seite der Station dort bereitstellen (Standard 127.0.0.1:8073;
                          eine andere Adresse als die dieses Rechners braucht ein Passwort)
  --tls-cert DATEI        sie über HTTPS mit diesem Zertifikat (PEM) bereitstellen...
  --tls-key DATEI         ...und seinem privaten Schlüssel (PEM)
  --set-password          das Passwort der Seite setzen (zweimal gefragt) und enden
</translation>
    </message>
</context>
<context>
    <name>Console</name>
    <message>
        <source>%1 is your ADIF log, which is only ever added to. Choose another file.</source>
        <translation>%1 ist Ihr ADIF-Log, das nur ergänzt wird. Wählen Sie eine andere Datei.</translation>
    </message>
    <message>
        <source>%1 is a file of your reception log, which is only ever added to. Choose another file.</source>
        <translation>%1 ist eine Datei Ihres Empfangslogs, das nur ergänzt wird. Wählen Sie eine andere Datei.</translation>
    </message>
    <message>
        <source>Log Contact...</source>
        <translation>Verbindung loggen...</translation>
    </message>
    <message>
        <source>&amp;Preferences...</source>
        <translation>&amp;Einstellungen...</translation>
    </message>
    <message>
        <source>%1 %2, bearing %3°</source>
        <extracomment>Distance, its unit and bearing of a heard station: &quot;123.4 km, bearing 45°&quot;</extracomment>
        <translation>%1 %2, Richtung %3°</translation>
    </message>
    <message>
        <source> - adapter disconnected</source>
        <extracomment>Added to the main window&apos;s title</extracomment>
        <translation> - Adapter getrennt</translation>
    </message>
    <message>
        <source> - adapter not accessible</source>
        <extracomment>Added to the main window&apos;s title</extracomment>
        <translation> - Adapter nicht zugänglich</translation>
    </message>
    <message>
        <source>The station&apos;s page for browsers is not served: %1</source>
        <extracomment>%1: why the page could not be served</extracomment>
        <translation>Die Seite der Station für Browser wird nicht bereitgestellt: %1</translation>
    </message>
</context>
<context>
    <name>ContactLogger</name>
    <message>
        <source>Logged to %1. %2</source>
        <extracomment>%1 is the ADIF file, %2 a sentence on the logging program: &quot;Sent to 127.0.0.1:2237 as ADIF&quot;</extracomment>
        <translation>In %1 geloggt. %2</translation>
    </message>
</context>
<context>
    <name>DemoMain</name>
    <message>
        <source> [demo: simulated adapter]</source>
        <extracomment>Added to the main window&apos;s title of the demo program</extracomment>
        <translation> [Demo: simulierter Adapter]</translation>
    </message>
</context>
<context>
    <name>Discovery</name>
    <message>
        <source>Tamsel found, but it could not be opened (%1).

This is usually a matter of permissions. The udev rule that grants it is installed (%2); make udev read it again:
  sudo udevadm control --reload
  sudo udevadm trigger
then unplug the adapter and plug it in again.</source>
        <extracomment>%1 is the system&apos;s reason, %2 the udev rule&apos;s file</extracomment>
        <translation>Tamsel gefunden, aber er ließ sich nicht öffnen (%1).

Meist ist das eine Frage der Zugriffsrechte. Die udev-Regel, die ihn freigibt, ist installiert (%2); lassen Sie udev sie neu lesen:
  sudo udevadm control --reload
  sudo udevadm trigger
Ziehen Sie dann den Adapter ab und stecken Sie ihn wieder ein.</translation>
    </message>
    <message>
        <source>Tamsel found, but it could not be opened (%1).

This is usually a matter of permissions. Install the udev rule that comes with the program:
  sudo cp %2 /etc/udev/rules.d/
  sudo udevadm control --reload
  sudo udevadm trigger
then unplug the adapter and plug it in again.</source>
        <extracomment>%1 is the system&apos;s reason, %2 the udev rule&apos;s file</extracomment>
        <translation>Tamsel gefunden, aber er ließ sich nicht öffnen (%1).

Meist ist das eine Frage der Zugriffsrechte. Installieren Sie die udev-Regel, die dem Programm beiliegt:
  sudo cp %2 /etc/udev/rules.d/
  sudo udevadm control --reload
  sudo udevadm trigger
Ziehen Sie dann den Adapter ab und stecken Sie ihn wieder ein.</translation>
    </message>
    <message>
        <source>Tamsel not found.</source>
        <translation>Tamsel nicht gefunden.</translation>
    </message>
</context>
<context>
    <name>HeardStationsModel</name>
    <message>
        <source>Callsign</source>
        <translation>Rufzeichen</translation>
    </message>
    <message>
        <source>Suffix</source>
        <extracomment>Column: the caller&apos;s 4-character callsign suffix (radio model)</extracomment>
        <translation>Suffix</translation>
    </message>
    <message>
        <source>Last Heard</source>
        <translation>Zuletzt gehört</translation>
    </message>
    <message>
        <source>Count</source>
        <extracomment>Column: how many times the station was heard</extracomment>
        <translation>Anzahl</translation>
    </message>
    <message>
        <source>Called</source>
        <extracomment>Column: the station that was called</extracomment>
        <translation>Gerufen</translation>
    </message>
    <message>
        <source>Route</source>
        <extracomment>Column: which way the call came (gateway, repeater, simplex)</extracomment>
        <translation>Route</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Nachricht</translation>
    </message>
    <message>
        <source>Locator</source>
        <translation>Locator</translation>
    </message>
    <message>
        <source>Latitude</source>
        <translation>Breite</translation>
    </message>
    <message>
        <source>Longitude</source>
        <translation>Länge</translation>
    </message>
    <message>
        <source>Distance</source>
        <translation>Entfernung</translation>
    </message>
    <message>
        <source>Bearing</source>
        <translation>Richtung</translation>
    </message>
    <message>
        <source>Course</source>
        <extracomment>Column: the direction the station moves in</extracomment>
        <translation>Kurs</translation>
    </message>
    <message>
        <source>Speed</source>
        <translation>Geschw.</translation>
    </message>
    <message>
        <source>Altitude</source>
        <translation>Höhe</translation>
    </message>
    <message>
        <source>Comment</source>
        <translation>Kommentar</translation>
    </message>
    <message>
        <source>Gated</source>
        <extracomment>Column: when a position of the station last went out to APRS-IS</extracomment>
        <translation>Weitergeleitet</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Ma&amp;p</source>
        <translation>&amp;Karte</translation>
    </message>
</context>
<context>
    <name>RouteNames</name>
    <message>
        <source>unlink</source>
        <extracomment>A route: the link command that unlinks a reflector</extracomment>
        <translation>Trennen</translation>
    </message>
    <message>
        <source>echo</source>
        <extracomment>A route: the echo test</extracomment>
        <translation>Echo</translation>
    </message>
    <message>
        <source>info</source>
        <extracomment>A route: the repeater&apos;s information message</extracomment>
        <translation>Info</translation>
    </message>
    <message>
        <source>link %1 %2</source>
        <extracomment>A route: link to a reflector (%1) on a module (%2): &quot;link REF030 C&quot;</extracomment>
        <translation>Link %1 %2</translation>
    </message>
    <message>
        <source>routed to %1</source>
        <translation>geroutet zu %1</translation>
    </message>
    <message>
        <source>call to %1</source>
        <extracomment>A route: a call to one station, named by its call sign</extracomment>
        <translation>Ruf an %1</translation>
    </message>
    <message>
        <source>simplex</source>
        <translation>Simplex</translation>
    </message>
    <message>
        <source>via gateway %1</source>
        <extracomment>A route: came from the internet through the gateway of this repeater</extracomment>
        <translation>über Gateway %1</translation>
    </message>
    <message>
        <source>gateway CQ %1</source>
        <extracomment>A route: a CQ sent out through the gateway of this repeater</extracomment>
        <translation>Gateway-CQ %1</translation>
    </message>
    <message>
        <source>local %1</source>
        <extracomment>A route: through this repeater only, not the gateway</extracomment>
        <translation>lokal %1</translation>
    </message>
</context>
<context>
    <name>Routes</name>
    <message>
        <source>Choose your repeater first: Repeater 1 holds none.</source>
        <translation>Wählen Sie zuerst Ihr Relais: Relais 1 ist leer.</translation>
    </message>
    <message>
        <source>Repeater 1 needs the repeater&apos;s module letter in its 8th place, such as JR1YB  B.</source>
        <translation>Relais 1 braucht an 8. Stelle den Modulbuchstaben des Relais, etwa JR1YB  B.</translation>
    </message>
    <message>
        <source>Nothing received yet: nobody to reply to.</source>
        <translation>Noch nichts empfangen: niemand, dem zu antworten wäre.</translation>
    </message>
</context>
<context>
    <name>SaveFile</name>
    <message>
        <source>Cannot write %1:
%2</source>
        <translation>%1 kann nicht geschrieben werden:
%2</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>Delay Time is too big. (max. 2550)</source>
        <translation>Delay Time ist zu groß. (max. 2550)</translation>
    </message>
    <message>
        <source>Delay Time is too small. (min. 0)</source>
        <translation>Delay Time ist zu klein. (min. 0)</translation>
    </message>
    <message>
        <source>Keep Alive Time is too big. (max. 2550)</source>
        <translation>Keep Alive Time ist zu groß. (max. 2550)</translation>
    </message>
    <message>
        <source>Keep Alive Time is too small. (min. 0)</source>
        <translation>Keep Alive Time ist zu klein. (min. 0)</translation>
    </message>
    <message>
        <source>ReSync Error Bits is too big. (max. 24)</source>
        <translation>ReSync Error Bits ist zu groß. (max. 24)</translation>
    </message>
    <message>
        <source>ReSync Error Bits is too small. (min. 0)</source>
        <translation>ReSync Error Bits ist zu klein. (min. 0)</translation>
    </message>
    <message>
        <source>Invalid character</source>
        <translation>Ungültiges Zeichen</translation>
    </message>
</context>
<context>
    <name>StationProgram</name>
    <message>
        <source>Tamsel station %1 started; settings %2, logs and repeaters in %3.</source>
        <extracomment>In the station&apos;s log when it starts. %1: its version, %2: the settings file, %3: the folder of its logs</extracomment>
        <translation>Tamsel-Station %1 gestartet; Einstellungen %2, Logs und Relais in %3.</translation>
    </message>
    <message>
        <source>The station keeps running and takes the adapter when it is plugged in.</source>
        <translation>Die Station läuft weiter und übernimmt den Adapter, sobald er angesteckt wird.</translation>
    </message>
    <message>
        <source>Stopped.</source>
        <translation>Beendet.</translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>Caller Callsign</source>
        <translation>Rufzeichen des Anrufers</translation>
    </message>
    <message>
        <source>Click to reply: this caller becomes the Station Call</source>
        <translation>Klicken zum Antworten: dieser Anrufer wird das Zielrufzeichen</translation>
    </message>
    <message>
        <source>Caller Callsign suffix</source>
        <translation>Suffix des Anrufers</translation>
    </message>
    <message>
        <source>Called Callsign</source>
        <translation>Gerufenes Rufzeichen</translation>
    </message>
    <message>
        <source>Logo</source>
        <translation>Logo</translation>
    </message>
    <message>
        <source>Received Message</source>
        <translation>Empfangene Nachricht</translation>
    </message>
    <message>
        <source>Received Time</source>
        <translation>Empfangszeit</translation>
    </message>
    <message>
        <source>Flags Info.</source>
        <translation>Flag-Info</translation>
    </message>
    <message>
        <source>Repeater</source>
        <translation>Relais</translation>
    </message>
    <message>
        <source>Break</source>
        <translation>Break</translation>
    </message>
    <message>
        <source>EMR</source>
        <translation>EMR</translation>
    </message>
    <message>
        <source>Send Message</source>
        <translation>Eigene Nachricht</translation>
    </message>
    <message>
        <source>Station Call</source>
        <translation>Zielrufzeichen</translation>
    </message>
    <message>
        <source>Double-click for a general call (CQCQCQ)</source>
        <translation>Doppelklick für einen allgemeinen Anruf (CQCQCQ)</translation>
    </message>
    <message>
        <source>Repeater 1</source>
        <translation>Relais 1</translation>
    </message>
    <message>
        <source>Repeater 2</source>
        <translation>Relais 2</translation>
    </message>
    <message>
        <source>My Call</source>
        <translation>Eigenes Rufzeichen</translation>
    </message>
    <message>
        <source>Double-click to change the station callsign</source>
        <translation>Doppelklick ändert das eigene Rufzeichen</translation>
    </message>
    <message>
        <source>My Call suffix</source>
        <translation>Suffix des eigenen Rufzeichens</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Lautstärke</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Config</source>
        <translation>&amp;Konfiguration</translation>
    </message>
    <message>
        <source>&amp;Window</source>
        <translation>&amp;Fenster</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;MyCALL/2 </source>
        <translation>&amp;MyCALL/2 </translation>
    </message>
    <message>
        <source>&amp;Default Setting</source>
        <translation>&amp;Grundeinstellung</translation>
    </message>
    <message>
        <source>Received &amp;History</source>
        <translation>Empfangs&amp;verlauf</translation>
    </message>
    <message>
        <source>&amp;Memory</source>
        <translation>Spei&amp;cher</translation>
    </message>
    <message>
        <source>Heard &amp;Stations</source>
        <translation>Gehörte &amp;Stationen</translation>
    </message>
    <message>
        <source>&amp;PIC Version</source>
        <translation>&amp;PIC-Version</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation>Übe&amp;r Tamsel Console...</translation>
    </message>
    <message>
        <source>Tamsel Console, free software for D-STAR operators</source>
        <translation>Tamsel Console, freie Software für D-STAR-Funkamateure</translation>
    </message>
</context>
<context>
    <name>Targets</name>
    <message>
        <source>A module is one letter from A to Z.</source>
        <translation>Ein Modul ist ein Buchstabe von A bis Z.</translation>
    </message>
    <message>
        <source>A reflector is named by 3 letters and 3 letters or digits, such as REF030, XRF757, DCS006 or XLX307.</source>
        <translation>Ein Reflektorname besteht aus 3 Buchstaben und 3 Buchstaben oder Ziffern, etwa REF030, XRF757, DCS006 oder XLX307.</translation>
    </message>
    <message>
        <source>A callsign is 3 to 8 characters: letters A to Z, digits, / and blanks, starting with a letter or a digit.</source>
        <translation>Ein Rufzeichen hat 3 bis 8 Zeichen: Buchstaben A bis Z, Ziffern, / und Leerzeichen, am Anfang ein Buchstabe oder eine Ziffer.</translation>
    </message>
    <message>
        <source>A repeater&apos;s callsign is 3 to 6 letters and digits, without its module.</source>
        <translation>Das Rufzeichen eines Relais hat 3 bis 6 Buchstaben und Ziffern, ohne sein Modul.</translation>
    </message>
</context>
<context>
    <name>Web</name>
    <message>
        <source>Tamsel Console</source>
        <translation>Tamsel Console</translation>
    </message>
    <message>
        <source>Skip to content</source>
        <translation>Zum Inhalt springen</translation>
    </message>
    <message>
        <source>Sections</source>
        <translation>Bereiche</translation>
    </message>
    <message>
        <source>Now</source>
        <translation>Jetzt</translation>
    </message>
    <message>
        <source>Heard Stations</source>
        <translation>Gehörte Stationen</translation>
    </message>
    <message>
        <source>Map</source>
        <translation>Karte</translation>
    </message>
    <message>
        <source>Call</source>
        <extracomment>The section with the calls to make (not a callsign)</extracomment>
        <translation>Anruf</translation>
    </message>
    <message>
        <source>Adapter</source>
        <translation>Adapter</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>Sign in</source>
        <translation>Anmelden</translation>
    </message>
    <message>
        <source>Sign out</source>
        <translation>Abmelden</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Passwort</translation>
    </message>
    <message>
        <source>Try again in %1 s</source>
        <extracomment>On the sign-in button while wrong passwords lock it; %1: seconds</extracomment>
        <translation>Erneut in %1 s</translation>
    </message>
    <message>
        <source>Connection lost: reconnecting...</source>
        <translation>Verbindung verloren: wird wiederhergestellt...</translation>
    </message>
    <message>
        <source>The station does not answer.</source>
        <translation>Die Station antwortet nicht.</translation>
    </message>
    <message>
        <source>Done.</source>
        <extracomment>An intent was carried out and the station had nothing more to say</extracomment>
        <translation>Erledigt.</translation>
    </message>
    <message>
        <source>Nothing received yet.</source>
        <translation>Noch nichts empfangen.</translation>
    </message>
    <message>
        <source>Receiving</source>
        <extracomment>A reception is under way</extracomment>
        <translation>Empfang läuft</translation>
    </message>
    <message>
        <source>Last reception</source>
        <translation>Letzter Empfang</translation>
    </message>
    <message>
        <source>%1 calling %2</source>
        <extracomment>Said once per reception: %1 the caller with its suffix (&quot;JA1XYZ /ID51&quot;), %2 the called station</extracomment>
        <translation>%1 ruft %2</translation>
    </message>
    <message>
        <source>Caller</source>
        <extracomment>The station heard</extracomment>
        <translation>Anrufer</translation>
    </message>
    <message>
        <source>Called</source>
        <extracomment>The station that was called</extracomment>
        <translation>Gerufen</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Nachricht</translation>
    </message>
    <message>
        <source>Route</source>
        <extracomment>Which way the call came (gateway, repeater, simplex)</extracomment>
        <translation>Route</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>Distance</source>
        <translation>Entfernung</translation>
    </message>
    <message>
        <source>Bearing</source>
        <translation>Richtung</translation>
    </message>
    <message>
        <source>Choose a station to reply to it.</source>
        <translation>Wählen Sie eine Station, um ihr zu antworten.</translation>
    </message>
    <message>
        <source>No station heard yet.</source>
        <translation>Noch keine Station gehört.</translation>
    </message>
    <message>
        <source>Reply</source>
        <translation>Antworten</translation>
    </message>
    <message>
        <source>Reply to %1</source>
        <extracomment>%1: a callsign</extracomment>
        <translation>%1 antworten</translation>
    </message>
    <message>
        <source>Arrow keys move the map, plus and minus zoom; Tab reaches the markers.</source>
        <translation>Pfeiltasten verschieben die Karte, Plus und Minus zoomen; mit Tab erreichen Sie die Markierungen.</translation>
    </message>
    <message>
        <source>Zoom in</source>
        <translation>Vergrößern</translation>
    </message>
    <message>
        <source>Zoom out</source>
        <translation>Verkleinern</translation>
    </message>
    <message>
        <source>Your station</source>
        <extracomment>The operator&apos;s own station on the map</extracomment>
        <translation>Ihre Station</translation>
    </message>
    <message>
        <source>Repeater %1</source>
        <extracomment>A repeater&apos;s marker on the map; %1: its callsign and name</extracomment>
        <translation>Relais %1</translation>
    </message>
    <message>
        <source>Gateway CQ</source>
        <translation>Gateway-CQ</translation>
    </message>
    <message>
        <source>Local CQ</source>
        <translation>Lokales CQ</translation>
    </message>
    <message>
        <source>Link Reflector</source>
        <translation>Reflektor verbinden</translation>
    </message>
    <message>
        <source>Unlink</source>
        <translation>Trennen</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Echo Test</source>
        <translation>Echotest</translation>
    </message>
    <message>
        <source>Reply to Last Caller</source>
        <translation>Dem letzten Anrufer antworten</translation>
    </message>
    <message>
        <source>Simplex</source>
        <translation>Simplex</translation>
    </message>
    <message>
        <source>Use Nearest Repeater</source>
        <translation>Nächstgelegenes Relais verwenden</translation>
    </message>
    <message>
        <source>Reflector</source>
        <translation>Reflektor</translation>
    </message>
    <message>
        <source>Module</source>
        <translation>Modul</translation>
    </message>
    <message>
        <source>Link</source>
        <extracomment>The button that links to the reflector</extracomment>
        <translation>Verbinden</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Verwerfen</translation>
    </message>
    <message>
        <source>Repeater directory</source>
        <translation>Relaisverzeichnis</translation>
    </message>
    <message>
        <source>Name, callsign or area</source>
        <translation>Name, Rufzeichen oder Gebiet</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Repeaters found: %1</source>
        <extracomment>%1: how many repeaters the search found</extracomment>
        <translation>Gefundene Relais: %1</translation>
    </message>
    <message>
        <source>Use as My Repeater</source>
        <translation>Als mein Relais verwenden</translation>
    </message>
    <message>
        <source>Station Call</source>
        <translation>Zielrufzeichen</translation>
    </message>
    <message>
        <source>Repeater 1</source>
        <translation>Relais 1</translation>
    </message>
    <message>
        <source>Repeater 2</source>
        <translation>Relais 2</translation>
    </message>
    <message>
        <source>My Call</source>
        <translation>Eigenes Rufzeichen</translation>
    </message>
    <message>
        <source>My Call suffix</source>
        <translation>Suffix des eigenen Rufzeichens</translation>
    </message>
    <message>
        <source>Send Message</source>
        <translation>Eigene Nachricht</translation>
    </message>
    <message>
        <source>Flags</source>
        <extracomment>The header&apos;s flags: Repeater, Break, EMR</extracomment>
        <translation>Flags</translation>
    </message>
    <message>
        <source>Repeater</source>
        <extracomment>The header&apos;s flag</extracomment>
        <translation>Relais</translation>
    </message>
    <message>
        <source>Break</source>
        <translation>Break</translation>
    </message>
    <message>
        <source>EMR</source>
        <translation>EMR</translation>
    </message>
    <message>
        <source>The adapter now holds</source>
        <extracomment>Above the values the adapter holds now</extracomment>
        <translation>Der Adapter hält jetzt</translation>
    </message>
    <message>
        <source>On</source>
        <extracomment>A flag is set</extracomment>
        <translation>Ein</translation>
    </message>
    <message>
        <source>Off</source>
        <extracomment>A flag is not set</extracomment>
        <translation>Aus</translation>
    </message>
    <message>
        <source>The password needs at least %1 characters.</source>
        <translation>Das Passwort braucht mindestens %1 Zeichen.</translation>
    </message>
    <message>
        <source>The password could not be kept: %1</source>
        <translation>Das Passwort konnte nicht gespeichert werden: %1</translation>
    </message>
    <message>
        <source>No password is set, so the page is for this computer alone. Set one with tamsel-station --set-password or in the console&apos;s Preferences, Remote.</source>
        <translation>Es ist kein Passwort gesetzt, daher ist die Seite nur für diesen Rechner. Setzen Sie eines mit tamsel-station --set-password oder in den Einstellungen der Konsole unter Fernzugriff.</translation>
    </message>
    <message>
        <source>A nearer repeater is in the directory: %1, %2.</source>
        <extracomment>%1: a repeater&apos;s callsign, %2: its distance with the unit</extracomment>
        <translation>Ein näheres Relais ist im Verzeichnis: %1, %2.</translation>
    </message>
    <message>
        <source>No password is set, so the page is served on this computer only (127.0.0.1), not on %1. Set one with tamsel-station --set-password, or listen on 127.0.0.1.</source>
        <extracomment>%1: the address asked for, such as 0.0.0.0</extracomment>
        <translation>Es ist kein Passwort gesetzt, daher wird die Seite nur auf diesem Rechner (127.0.0.1) bereitgestellt, nicht auf %1. Setzen Sie eines mit tamsel-station --set-password oder lauschen Sie auf 127.0.0.1.</translation>
    </message>
    <message>
        <source>Sign in first.</source>
        <translation>Melden Sie sich zuerst an.</translation>
    </message>
    <message>
        <source>Too many wrong passwords: try again in %1 s.</source>
        <extracomment>%1: seconds</extracomment>
        <translation>Zu viele falsche Passwörter: versuchen Sie es in %1 s erneut.</translation>
    </message>
    <message>
        <source>Wrong password.</source>
        <translation>Falsches Passwort.</translation>
    </message>
    <message>
        <source>It is taken as soon as it is plugged in.</source>
        <translation>Er wird übernommen, sobald er angeschlossen wird.</translation>
    </message>
    <message>
        <source>the system did not let the station open it</source>
        <translation>das System ließ die Station ihn nicht öffnen</translation>
    </message>
    <message>
        <source>The adapter could not be reached.</source>
        <translation>Der Adapter war nicht erreichbar.</translation>
    </message>
    <message>
        <source>%1 is no D-STAR repeater of the directory.</source>
        <extracomment>%1: a repeater&apos;s callsign</extracomment>
        <translation>%1 ist kein D-STAR-Relais des Verzeichnisses.</translation>
    </message>
    <message>
        <source>New password for the page: </source>
        <translation>Neues Passwort für die Seite: </translation>
    </message>
    <message>
        <source>The same again: </source>
        <translation>Noch einmal: </translation>
    </message>
    <message>
        <source>No password given; nothing changed.</source>
        <translation>Kein Passwort angegeben; nichts geändert.</translation>
    </message>
    <message>
        <source>The two differ; nothing changed.</source>
        <translation>Die beiden sind verschieden; nichts geändert.</translation>
    </message>
    <message>
        <source>Password kept (as a hash) in %1; signed-in pages must sign in again.</source>
        <extracomment>%1: the file</extracomment>
        <translation>Passwort (als Hash) in %1 gespeichert; angemeldete Seiten müssen sich erneut anmelden.</translation>
    </message>
    <message>
        <source>The page&apos;s address %1 is not ADDRESS:PORT.</source>
        <extracomment>%1: what the settings hold for the address</extracomment>
        <translation>Die Adresse %1 der Seite hat nicht die Form ADRESSE:PORT.</translation>
    </message>
    <message>
        <source>The station&apos;s page is at %1</source>
        <extracomment>%1: the page&apos;s address, such as http://127.0.0.1:8073/</extracomment>
        <translation>Die Seite der Station ist unter %1</translation>
    </message>
    <message>
        <source>APRS-IS: the connection was lost; trying again.</source>
        <translation>APRS-IS: Die Verbindung ist abgebrochen; neuer Versuch folgt.</translation>
    </message>
</context>
<context>
    <name>tamsel::AlertsPage</name>
    <message>
        <source>On &amp;every reception</source>
        <translation>Bei &amp;jedem Empfang</translation>
    </message>
    <message>
        <source>&amp;Sound</source>
        <translation>&amp;Ton</translation>
    </message>
    <message>
        <source>&amp;Watch list (callsigns, or prefixes such as JA1*, one a line):</source>
        <translation>&amp;Beobachtungsliste (Rufzeichen oder Präfixe wie JA1*, eines je Zeile):</translation>
    </message>
    <message>
        <source>Watch list</source>
        <translation>Beobachtungsliste</translation>
    </message>
    <message>
        <source> min</source>
        <translation> min</translation>
    </message>
    <message>
        <source>Quiet time</source>
        <translation>Ruhezeit</translation>
    </message>
    <message>
        <source>Not a callsign or prefix in the watch list: %1</source>
        <translation>Kein Rufzeichen oder Präfix in der Beobachtungsliste: %1</translation>
    </message>
    <message>
        <source>Alerts</source>
        <translation>Meldungen</translation>
    </message>
    <message>
        <source>Alert when a station calls &amp;me</source>
        <translation>Melden, wenn mich eine Station &amp;ruft</translation>
    </message>
    <message>
        <source>Once &amp;per station within</source>
        <translation>&amp;Einmal je Station innerhalb von</translation>
    </message>
</context>
<context>
    <name>tamsel::AprsGate</name>
    <message>
        <source>APRS-IS: no login callsign</source>
        <translation>APRS-IS: kein Login-Rufzeichen</translation>
    </message>
    <message>
        <source>APRS-IS: the server is not a HOST:PORT</source>
        <translation>APRS-IS: Der Server ist nicht als HOST:PORT angegeben</translation>
    </message>
    <message numerus="yes">
        <source>APRS-IS: connecting, %n gated</source>
        <translation>
            <numerusform>APRS-IS: Verbindung wird aufgebaut, %n weitergeleitet</numerusform>
            <numerusform>APRS-IS: Verbindung wird aufgebaut, %n weitergeleitet</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>APRS-IS: connected, %n gated</source>
        <translation>
            <numerusform>APRS-IS: verbunden, %n weitergeleitet</numerusform>
            <numerusform>APRS-IS: verbunden, %n weitergeleitet</numerusform>
        </translation>
    </message>
    <message>
        <source>APRS-IS: connected, unverified: nothing is gated</source>
        <translation>APRS-IS: verbunden, nicht bestätigt: nichts wird weitergeleitet</translation>
    </message>
    <message numerus="yes">
        <source>APRS-IS: not connected, %n gated</source>
        <translation>
            <numerusform>APRS-IS: nicht verbunden, %n weitergeleitet</numerusform>
            <numerusform>APRS-IS: nicht verbunden, %n weitergeleitet</numerusform>
        </translation>
    </message>
    <message>
        <source>Not gating.</source>
        <translation>Keine Weiterleitung.</translation>
    </message>
    <message>
        <source>Connecting to %1 as %2...</source>
        <translation>Verbindung zu %1 als %2 ...</translation>
    </message>
    <message>
        <source>Connected to %1, verified</source>
        <translation>Verbunden mit %1, bestätigt</translation>
    </message>
    <message>
        <source>Connected to %1, unverified: nothing is gated</source>
        <translation>Verbunden mit %1, nicht bestätigt: nichts wird weitergeleitet</translation>
    </message>
    <message numerus="yes">
        <source>Not connected (%1). Trying again in %n s.</source>
        <translation>
            <numerusform>Nicht verbunden (%1). Neuer Versuch in %n s.</numerusform>
            <numerusform>Nicht verbunden (%1). Neuer Versuch in %n s.</numerusform>
        </translation>
    </message>
    <message>
        <source>APRS-IS: the demo&apos;s stations are made up; it gates to a server on this computer only</source>
        <translation>APRS-IS: Die Stationen der Demo sind erfunden; sie leitet nur an einen Server auf diesem Computer weiter</translation>
    </message>
</context>
<context>
    <name>tamsel::AprsIsClient</name>
    <message>
        <source>The server has stopped sending.</source>
        <translation>Der Server sendet nichts mehr.</translation>
    </message>
    <message>
        <source>The server&apos;s name %1 is not known: %2</source>
        <translation>Der Servername %1 ist unbekannt: %2</translation>
    </message>
    <message>
        <source>The server closed the connection.</source>
        <translation>Der Server hat die Verbindung beendet.</translation>
    </message>
    <message>
        <source>The server did not answer.</source>
        <translation>Der Server hat nicht geantwortet.</translation>
    </message>
    <message>
        <source>The server did not answer the login.</source>
        <translation>Der Server hat auf das Login nicht geantwortet.</translation>
    </message>
</context>
<context>
    <name>tamsel::AprsPage</name>
    <message>
        <source>&amp;Gate D-PRS positions heard to APRS-IS</source>
        <translation>Empfangene D-PRS-Positionen an APRS-IS &amp;weiterleiten</translation>
    </message>
    <message>
        <source>Server</source>
        <translation>Server</translation>
    </message>
    <message>
        <source>Login callsign</source>
        <translation>Login-Rufzeichen</translation>
    </message>
    <message>
        <source>SSID</source>
        <translation>SSID</translation>
    </message>
    <message>
        <source>Passcode</source>
        <translation>Passcode</translation>
    </message>
    <message>
        <source>&amp;Server:</source>
        <translation>&amp;Server:</translation>
    </message>
    <message>
        <source>&amp;Login callsign:</source>
        <translation>&amp;Login-Rufzeichen:</translation>
    </message>
    <message>
        <source>&amp;Passcode:</source>
        <translation>&amp;Passcode:</translation>
    </message>
    <message>
        <source>Connection</source>
        <translation>Verbindung</translation>
    </message>
    <message>
        <source>Connection:</source>
        <translation>Verbindung:</translation>
    </message>
    <message>
        <source>Positions go out as the radio sent them, once per reception, with this station as the gate.</source>
        <translation>Positionen gehen so hinaus, wie das Funkgerät sie gesendet hat, einmal je Empfang, mit dieser Station als Gateway.</translation>
    </message>
    <message>
        <source>Nothing is gated whose path says TCPIP, TCPXX, NOGATE or RFONLY, nothing that fails its check, and nothing this station sent itself.</source>
        <translation>Nicht weitergeleitet wird, was TCPIP, TCPXX, NOGATE oder RFONLY im Pfad hat, was seine Prüfung nicht besteht, und was diese Station selbst gesendet hat.</translation>
    </message>
    <message>
        <source>The passcode is kept in the settings file, which only you can read.</source>
        <translation>Der Passcode steht in der Einstellungsdatei, die nur Sie lesen können.</translation>
    </message>
    <message>
        <source>Without a passcode the console connects receive-only: nothing is gated.</source>
        <translation>Ohne Passcode verbindet sich die Konsole nur zum Empfang: Nichts wird weitergeleitet.</translation>
    </message>
    <message>
        <source>The server takes a name and a port, such as rotate.aprs2.net:14580.</source>
        <translation>Der Server braucht einen Namen und einen Port, etwa rotate.aprs2.net:14580.</translation>
    </message>
    <message>
        <source>Type the callsign to log in with.</source>
        <translation>Geben Sie das Rufzeichen für das Login ein.</translation>
    </message>
    <message>
        <source>%1 is not a callsign APRS-IS takes: letters and digits, then an SSID of one or two letters or digits, nine characters in all.</source>
        <translation>%1 ist kein Rufzeichen, das APRS-IS annimmt: Buchstaben und Ziffern, dann eine SSID aus ein oder zwei Buchstaben oder Ziffern, höchstens neun Zeichen.</translation>
    </message>
    <message>
        <source>The passcode is a number from 0 to 32767, or -1 for none.</source>
        <translation>Der Passcode ist eine Zahl von 0 bis 32767, oder -1 für keinen.</translation>
    </message>
    <message>
        <source>APRS-IS</source>
        <translation>APRS-IS</translation>
    </message>
</context>
<context>
    <name>tamsel::CallDialog</name>
    <message>
        <source>Module</source>
        <translation>Modul</translation>
    </message>
    <message>
        <source>&amp;Module:</source>
        <translation>&amp;Modul:</translation>
    </message>
    <message>
        <source>&amp;Link</source>
        <translation>&amp;Verbinden</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>Link Reflector</source>
        <translation>Reflektor verbinden</translation>
    </message>
    <message>
        <source>&amp;Reflector:</source>
        <translation>&amp;Reflektor:</translation>
    </message>
    <message>
        <source>Reflector</source>
        <translation>Reflektor</translation>
    </message>
    <message>
        <source>Call a Station</source>
        <translation>Station rufen</translation>
    </message>
    <message>
        <source>&amp;Callsign:</source>
        <translation>R&amp;ufzeichen:</translation>
    </message>
    <message>
        <source>Callsign</source>
        <translation>Rufzeichen</translation>
    </message>
    <message>
        <source>Route to a Repeater</source>
        <translation>Route zu einem Relais</translation>
    </message>
    <message>
        <source>&amp;Repeater:</source>
        <translation>&amp;Relais:</translation>
    </message>
    <message>
        <source>Repeater</source>
        <translation>Relais</translation>
    </message>
</context>
<context>
    <name>tamsel::CallMenu</name>
    <message>
        <source>C&amp;all</source>
        <extracomment>The menu of calls to make (not a call sign)</extracomment>
        <translation>&amp;Anruf</translation>
    </message>
    <message>
        <source>&amp;Gateway CQ</source>
        <translation>&amp;Gateway-CQ</translation>
    </message>
    <message>
        <source>L&amp;ocal CQ</source>
        <translation>&amp;Lokales CQ</translation>
    </message>
    <message>
        <source>&amp;Link Reflector...</source>
        <translation>Reflektor &amp;verbinden...</translation>
    </message>
    <message>
        <source>&amp;Unlink</source>
        <translation>&amp;Trennen</translation>
    </message>
    <message>
        <source>&amp;Info</source>
        <translation>&amp;Info</translation>
    </message>
    <message>
        <source>&amp;Echo Test</source>
        <translation>&amp;Echotest</translation>
    </message>
    <message>
        <source>Call a &amp;Station...</source>
        <translation>&amp;Station rufen...</translation>
    </message>
    <message>
        <source>&amp;Route to a Repeater...</source>
        <translation>&amp;Route zu einem Relais...</translation>
    </message>
    <message>
        <source>Si&amp;mplex</source>
        <translation>Si&amp;mplex</translation>
    </message>
    <message>
        <source>Re&amp;ply to Last Caller</source>
        <translation>&amp;Dem letzten Anrufer antworten</translation>
    </message>
</context>
<context>
    <name>tamsel::DesktopAlerts</name>
    <message>
        <source>Reply</source>
        <translation>Antworten</translation>
    </message>
    <message>
        <source>Dismiss</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>tamsel::HeardStations</name>
    <message>
        <source>Heard Stations</source>
        <translation>Gehörte Stationen</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Speichern &amp;unter...</translation>
    </message>
    <message>
        <source>Export A&amp;DIF...</source>
        <translation>ADIF &amp;exportieren...</translation>
    </message>
    <message>
        <source>&amp;Log Contact...</source>
        <translation>Verbindung &amp;loggen...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>Sort by &amp;Last Heard</source>
        <translation>Nach &amp;zuletzt gehört sortieren</translation>
    </message>
    <message>
        <source>Sort &amp;By</source>
        <translation>&amp;Sortieren nach</translation>
    </message>
    <message>
        <source>&amp;Descending</source>
        <translation>Abs&amp;teigend</translation>
    </message>
    <message>
        <source>Double-click a row, or select it and press Enter, to reply to its station
Right-click it, or press the Menu key or Shift+F10, to open its map or copy its position</source>
        <translation>Doppelklick auf eine Zeile, oder auswählen und Eingabe drücken, um der Station zu antworten
Rechtsklick, oder Menütaste oder Umschalt+F10, um ihre Karte zu öffnen oder ihren Standort zu kopieren</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV-Dateien (*.csv)</translation>
    </message>
    <message>
        <source>ADIF files (*.adi)</source>
        <translation>ADIF-Dateien (*.adi)</translation>
    </message>
    <message>
        <source>Export ADIF</source>
        <translation>ADIF exportieren</translation>
    </message>
    <message>
        <source>The frequency you heard the stations on (MHz):</source>
        <translation>Frequenz, auf der Sie die Stationen gehört haben (MHz):</translation>
    </message>
    <message>
        <source>Open in Map</source>
        <translation>In Karte öffnen</translation>
    </message>
    <message>
        <source>&amp;Copy Position</source>
        <translation>Standort &amp;kopieren</translation>
    </message>
    <message>
        <source>No program could show the map: this desktop has no map application and no web browser for %1.

Copy the position (%2, %3) instead?</source>
        <translation>Kein Programm konnte die Karte zeigen: Dieser Desktop hat keine Kartenanwendung und keinen Webbrowser für %1.

Stattdessen den Standort (%2, %3) kopieren?</translation>
    </message>
    <message>
        <source>Show on &amp;Map</source>
        <translation>Auf der Ka&amp;rte zeigen</translation>
    </message>
    <message>
        <source>Open in Map &amp;Program</source>
        <translation>In Karten&amp;programm öffnen</translation>
    </message>
</context>
<context>
    <name>tamsel::HeardStationsModel</name>
    <message>
        <source>calling you</source>
        <translation>ruft Sie</translation>
    </message>
    <message>
        <source>watched</source>
        <translation>beobachtet</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <extracomment>A column title and its unit: &quot;Distance (km)&quot;</extracomment>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>Approximate position: the station sent only a box %1 %2 from north to south; shown at its centre.</source>
        <translation>Ungefährer Standort: Die Station hat nur ein Gebiet von %1 %2 in Nord-Süd-Richtung gesendet; angezeigt in seiner Mitte.</translation>
    </message>
</context>
<context>
    <name>tamsel::HttpService</name>
    <message>
        <source>Cannot read the certificate %1: %2</source>
        <translation>Das Zertifikat %1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>Cannot read the key %1: %2</source>
        <translation>Der Schlüssel %1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>%1 holds no certificate in PEM form.</source>
        <translation>%1 enthält kein Zertifikat im PEM-Format.</translation>
    </message>
    <message>
        <source>%1 holds no private key in PEM form (RSA or EC, without a passphrase).</source>
        <translation>%1 enthält keinen privaten Schlüssel im PEM-Format (RSA oder EC, ohne Passphrase).</translation>
    </message>
    <message>
        <source>Cannot listen on %1 port %2: %3</source>
        <translation>Auf %1 Port %2 kann nicht gelauscht werden: %3</translation>
    </message>
</context>
<context>
    <name>tamsel::LanguagePage</name>
    <message>
        <source>System</source>
        <extracomment>The language the desktop is set to</extracomment>
        <translation>System</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>The console changes its language when it starts next.</source>
        <translation>Die Konsole wechselt ihre Sprache beim nächsten Start.</translation>
    </message>
    <message>
        <source>&amp;Language:</source>
        <translation>&amp;Sprache:</translation>
    </message>
</context>
<context>
    <name>tamsel::LogContactDialog</name>
    <message>
        <source>Log Contact</source>
        <translation>Verbindung loggen</translation>
    </message>
    <message>
        <source>MHz, e.g. %1</source>
        <extracomment>%1 is a frequency as this language writes it: 145.375</extracomment>
        <translation>MHz, z. B. %1</translation>
    </message>
    <message>
        <source>D-STAR (DIGITALVOICE / DSTAR)</source>
        <translation>D-STAR (DIGITALVOICE / DSTAR)</translation>
    </message>
    <message>
        <source>&amp;Call:</source>
        <translation>&amp;Rufzeichen:</translation>
    </message>
    <message>
        <source>O&amp;n (UTC):</source>
        <translation>&amp;Beginn (UTC):</translation>
    </message>
    <message>
        <source>&amp;Off (UTC):</source>
        <translation>En&amp;de (UTC):</translation>
    </message>
    <message>
        <source>&amp;Frequency (MHz):</source>
        <translation>&amp;Frequenz (MHz):</translation>
    </message>
    <message>
        <source>Band:</source>
        <translation>Band:</translation>
    </message>
    <message>
        <source>Mode:</source>
        <translation>Betriebsart:</translation>
    </message>
    <message>
        <source>RST &amp;sent:</source>
        <translation>RST &amp;gesendet:</translation>
    </message>
    <message>
        <source>RST &amp;received:</source>
        <translation>RST &amp;empfangen:</translation>
    </message>
    <message>
        <source>&amp;Their locator:</source>
        <translation>&amp;Locator der Gegenstation:</translation>
    </message>
    <message>
        <source>N&amp;ame:</source>
        <translation>&amp;Name:</translation>
    </message>
    <message>
        <source>Co&amp;mment:</source>
        <translation>Ko&amp;mmentar:</translation>
    </message>
    <message>
        <source>M&amp;y Call:</source>
        <translation>Eigenes Ruf&amp;zeichen:</translation>
    </message>
    <message>
        <source>My &amp;locator:</source>
        <translation>Eigener L&amp;ocator:</translation>
    </message>
    <message>
        <source>Log status</source>
        <translation>Log-Status</translation>
    </message>
    <message>
        <source>(none)</source>
        <translation>(keiner)</translation>
    </message>
    <message>
        <source>Enter the callsign of the station worked.</source>
        <translation>Geben Sie das Rufzeichen der gearbeiteten Station ein.</translation>
    </message>
    <message>
        <source>The contact ends before it starts: check the times.</source>
        <translation>Die Verbindung endet vor ihrem Beginn: Prüfen Sie die Zeiten.</translation>
    </message>
    <message>
        <source>Enter the frequency in MHz: a logging program takes no contact without it.</source>
        <translation>Geben Sie die Frequenz in MHz ein: Ein Logprogramm nimmt keine Verbindung ohne sie an.</translation>
    </message>
    <message>
        <source>The frequency is not a number of MHz such as %1.</source>
        <extracomment>%1 is a frequency as this language writes it: 145.375</extracomment>
        <translation>Die Frequenz ist keine Zahl in MHz wie %1.</translation>
    </message>
    <message>
        <source>%1 MHz is in no amateur band: a logging program would not know its band. Check the frequency, such as %2 on 2 m or %3 on 70 cm.</source>
        <extracomment>%1 is the frequency typed, %2 and %3 frequencies as this language writes them</extracomment>
        <translation>%1 MHz liegt in keinem Amateurfunkband: Ein Logprogramm wüsste sein Band nicht. Prüfen Sie die Frequenz, etwa %2 im 2-m-Band oder %3 im 70-cm-Band.</translation>
    </message>
    <message>
        <source>Their locator needs 2, 4, 6 or 8 characters, such as JN58 or JN58td.</source>
        <translation>Der Locator der Gegenstation braucht 2, 4, 6 oder 8 Zeichen, etwa JN58 oder JN58td.</translation>
    </message>
    <message>
        <source>My locator needs 2, 4, 6 or 8 characters, such as JN58 or JN58td.</source>
        <translation>Der eigene Locator braucht 2, 4, 6 oder 8 Zeichen, etwa JN58 oder JN58td.</translation>
    </message>
    <message>
        <source>Not logged: %1</source>
        <translation>Nicht geloggt: %1</translation>
    </message>
</context>
<context>
    <name>tamsel::LogPage</name>
    <message>
        <source>Keep a log of every reception</source>
        <translation>Jeden Empfang im Log festhalten</translation>
    </message>
    <message>
        <source> days</source>
        <translation> Tage</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>WSJT-X message (KLog, CQRLOG, Log4OM, GridTracker)</source>
        <translation>WSJT-X-Nachricht (KLog, CQRLOG, Log4OM, GridTracker)</translation>
    </message>
    <message>
        <source>ADIF text (QLog)</source>
        <translation>ADIF-Text (QLog)</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Durchsuchen...</translation>
    </message>
    <message>
        <source>ADIF log file</source>
        <translation>ADIF-Logdatei</translation>
    </message>
    <message>
        <source>ADIF files (*.adi);;All files (*)</source>
        <translation>ADIF-Dateien (*.adi);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Keep receptions for:</source>
        <translation>Empfänge aufbewahren:</translation>
    </message>
    <message>
        <source>ADIF log file:</source>
        <translation>ADIF-Logdatei:</translation>
    </message>
    <message>
        <source>Send to a logging program:</source>
        <translation>An ein Logprogramm senden:</translation>
    </message>
    <message>
        <source>Address:</source>
        <translation>Adresse:</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>Keep receptions for</source>
        <translation>Empfänge aufbewahren</translation>
    </message>
    <message>
        <source>Browse for the ADIF log file</source>
        <translation>ADIF-Logdatei suchen</translation>
    </message>
    <message>
        <source>Send to a logging program</source>
        <translation>An ein Logprogramm senden</translation>
    </message>
    <message>
        <source>Logging program address</source>
        <translation>Adresse des Logprogramms</translation>
    </message>
    <message>
        <source>Logging program port</source>
        <translation>Port des Logprogramms</translation>
    </message>
    <message>
        <source>The logging program&apos;s address must be an IP address, such as 127.0.0.1.</source>
        <translation>Die Adresse des Logprogramms muss eine IP-Adresse sein, etwa 127.0.0.1.</translation>
    </message>
    <message>
        <source>Write the ADIF log file as a full path, as ~/log.adi, or as a name alone (kept in the data folder).</source>
        <translation>Schreiben Sie die ADIF-Logdatei als vollen Pfad, als ~/log.adi oder nur als Namen (im Datenordner abgelegt).</translation>
    </message>
    <message>
        <source>The ADIF log file is a folder: choose a file.</source>
        <translation>Die ADIF-Logdatei ist ein Ordner: Wählen Sie eine Datei.</translation>
    </message>
    <message>
        <source>Log</source>
        <translation>Log</translation>
    </message>
</context>
<context>
    <name>tamsel::LogSender</name>
    <message>
        <source>Not sent to a logging program (off in Preferences)</source>
        <translation>Nicht an ein Logprogramm gesendet (in den Einstellungen aus)</translation>
    </message>
    <message>
        <source>Not sent: %1 is not an IP address</source>
        <translation>Nicht gesendet: %1 ist keine IP-Adresse</translation>
    </message>
    <message>
        <source>Not sent to %1: %2</source>
        <translation>Nicht an %1 gesendet: %2</translation>
    </message>
    <message>
        <source>Sent to %1 as WSJT-X does</source>
        <translation>An %1 gesendet wie WSJT-X</translation>
    </message>
    <message>
        <source>Sent to %1 as ADIF</source>
        <translation>An %1 als ADIF gesendet</translation>
    </message>
</context>
<context>
    <name>tamsel::MapPage</name>
    <message>
        <source>Show OpenStreetMap tiles (needs the internet)</source>
        <translation>OpenStreetMap-Kacheln zeigen (braucht das Internet)</translation>
    </message>
    <message>
        <source>&amp;Tile server:</source>
        <translation>&amp;Kachelserver:</translation>
    </message>
    <message>
        <source>Tile server</source>
        <translation>Kachelserver</translation>
    </message>
    <message>
        <source>Without tiles, or without the internet, the map shown is the one that comes with the console.</source>
        <translation>Ohne Kacheln oder ohne Internet zeigt die Konsole die Karte, die ihr beiliegt.</translation>
    </message>
    <message>
        <source>The tile server must be an http or https address with {z}, {x} and {y} in it, such as %1.</source>
        <translation>Der Kachelserver muss eine http- oder https-Adresse mit {z}, {x} und {y} sein, etwa %1.</translation>
    </message>
    <message>
        <source>Map</source>
        <translation>Karte</translation>
    </message>
</context>
<context>
    <name>tamsel::MapView</name>
    <message>
        <source>Map</source>
        <translation>Karte</translation>
    </message>
    <message>
        <source>%1, %2 %3, %4 degrees</source>
        <extracomment>A station on the map for screen readers: callsign, distance and unit, bearing.</extracomment>
        <translation>%1, %2 %3, %4 Grad</translation>
    </message>
    <message>
        <source>Last heard: %1</source>
        <translation>Zuletzt gehört: %1</translation>
    </message>
    <message>
        <source>Message: %1</source>
        <translation>Nachricht: %1</translation>
    </message>
    <message>
        <source>%1 %2, bearing %3 degrees</source>
        <translation>%1 %2, Richtung %3 Grad</translation>
    </message>
    <message>
        <source>&amp;Reply</source>
        <translation>&amp;Antworten</translation>
    </message>
    <message>
        <source>&amp;Log Contact...</source>
        <translation>Verbindung &amp;loggen...</translation>
    </message>
    <message>
        <source>&amp;Copy Position</source>
        <translation>Standort &amp;kopieren</translation>
    </message>
</context>
<context>
    <name>tamsel::MapWindow</name>
    <message>
        <source>Map</source>
        <translation>Karte</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>Save &amp;Image...</source>
        <translation>Als &amp;Bild speichern...</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <source>PNG images (*.png)</source>
        <translation>PNG-Bilder (*.png)</translation>
    </message>
    <message>
        <source>Tab selects a station; Home shows them all</source>
        <translation>Tab wählt eine Station; Pos1 zeigt alle</translation>
    </message>
    <message>
        <source>The map could not be made into an image.</source>
        <translation>Die Karte ließ sich nicht als Bild speichern.</translation>
    </message>
    <message>
        <source>Saved %1</source>
        <translation>%1 gespeichert</translation>
    </message>
</context>
<context>
    <name>tamsel::OwnStation</name>
    <message>
        <source>last fix %1, %2 (stale)</source>
        <extracomment>%1, %2: latitude and longitude of the receiver&apos;s last position fix, too old to count as where the station is now.</extracomment>
        <translation>letzte Position %1; %2 (veraltet)</translation>
    </message>
    <message>
        <source>gpsd not reachable</source>
        <translation>gpsd nicht erreichbar</translation>
    </message>
    <message>
        <source>no fix</source>
        <translation>keine Position</translation>
    </message>
</context>
<context>
    <name>tamsel::Preferences</name>
    <message>
        <source>Preferences</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Pages</source>
        <translation>Seiten</translation>
    </message>
    <message>
        <source>Problem</source>
        <translation>Problem</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>&amp;Apply</source>
        <translation>Überne&amp;hmen</translation>
    </message>
</context>
<context>
    <name>tamsel::RemotePage</name>
    <message>
        <source>&amp;Serve the station&apos;s page to browsers</source>
        <translation>Seite der &amp;Station für Browser bereitstellen</translation>
    </message>
    <message>
        <source>Listen on</source>
        <translation>Lauschen auf</translation>
    </message>
    <message>
        <source>New password</source>
        <translation>Neues Passwort</translation>
    </message>
    <message>
        <source>New password again</source>
        <translation>Neues Passwort wiederholen</translation>
    </message>
    <message>
        <source>Certificate</source>
        <translation>Zertifikat</translation>
    </message>
    <message>
        <source>Private key</source>
        <translation>Privater Schlüssel</translation>
    </message>
    <message>
        <source>&amp;Listen on:</source>
        <translation>&amp;Lauschen auf:</translation>
    </message>
    <message>
        <source>New &amp;password:</source>
        <translation>Neues &amp;Passwort:</translation>
    </message>
    <message>
        <source>A&amp;gain:</source>
        <translation>&amp;Wiederholen:</translation>
    </message>
    <message>
        <source>Cer&amp;tificate (PEM):</source>
        <translation>&amp;Zertifikat (PEM):</translation>
    </message>
    <message>
        <source>Private &amp;key (PEM):</source>
        <translation>Pri&amp;vater Schlüssel (PEM):</translation>
    </message>
    <message>
        <source>Without a password the page is served on this computer only (127.0.0.1). With one, another address such as 0.0.0.0:8073 lets a phone or laptop on your network use it. With a certificate and its key the page is served over HTTPS.</source>
        <translation>Ohne Passwort wird die Seite nur auf diesem Rechner (127.0.0.1) bereitgestellt. Mit einem lässt eine andere Adresse wie 0.0.0.0:8073 ein Telefon oder einen Laptop in Ihrem Netz sie nutzen. Mit einem Zertifikat und seinem Schlüssel wird die Seite über HTTPS bereitgestellt.</translation>
    </message>
    <message>
        <source>A password is set; type a new one to change it.</source>
        <translation>Ein Passwort ist gesetzt; geben Sie ein neues ein, um es zu ändern.</translation>
    </message>
    <message>
        <source>No password is set.</source>
        <translation>Es ist kein Passwort gesetzt.</translation>
    </message>
    <message>
        <source>Listen on takes an address and a port, such as 127.0.0.1:8073 or 0.0.0.0:8073.</source>
        <translation>„Lauschen auf“ braucht eine Adresse und einen Port, etwa 127.0.0.1:8073 oder 0.0.0.0:8073.</translation>
    </message>
    <message>
        <source>The password needs at least %1 characters.</source>
        <translation>Das Passwort braucht mindestens %1 Zeichen.</translation>
    </message>
    <message>
        <source>The two passwords differ.</source>
        <translation>Die beiden Passwörter sind verschieden.</translation>
    </message>
    <message>
        <source>Set a password first: without one the page is served on this computer only.</source>
        <translation>Setzen Sie zuerst ein Passwort: ohne eines wird die Seite nur auf diesem Rechner bereitgestellt.</translation>
    </message>
    <message>
        <source>HTTPS needs both the certificate and its private key.</source>
        <translation>HTTPS braucht das Zertifikat und seinen privaten Schlüssel.</translation>
    </message>
    <message>
        <source>%1 cannot be read.</source>
        <translation>%1 kann nicht gelesen werden.</translation>
    </message>
    <message>
        <source>Remote</source>
        <translation>Fernzugriff</translation>
    </message>
</context>
<context>
    <name>tamsel::RepeaterDirectory</name>
    <message>
        <source>%1 is no name for a repeater list.</source>
        <translation>%1 ist kein Name für eine Relaisliste.</translation>
    </message>
    <message>
        <source>%1 is not a repeater list.</source>
        <translation>%1 ist keine Relaisliste.</translation>
    </message>
    <message>
        <source>The repeater list %1 cannot be kept in %2: %3. The lists kept before are as they were.</source>
        <extracomment>%1: the list&apos;s file name, %2: the folder, %3: the system&apos;s reason.</extracomment>
        <translation>Die Relaisliste %1 kann nicht in %2 abgelegt werden: %3. Die zuvor abgelegten Listen bleiben, wie sie waren.</translation>
    </message>
    <message>
        <source>There is no repeater list %1.</source>
        <translation>Es gibt keine Relaisliste %1.</translation>
    </message>
    <message>
        <source>The repeater list %1 cannot be removed: %2.</source>
        <translation>Die Relaisliste %1 kann nicht entfernt werden: %2.</translation>
    </message>
</context>
<context>
    <name>tamsel::RepeaterFeature</name>
    <message>
        <source>&amp;Repeaters</source>
        <translation>&amp;Relais</translation>
    </message>
    <message>
        <source>Use &amp;Nearest Repeater</source>
        <translation>Nächstgelegenes Relais ver&amp;wenden</translation>
    </message>
    <message>
        <source>Use</source>
        <extracomment>The notification&apos;s button that makes the nearer repeater Repeater 1.</extracomment>
        <translation>Verwenden</translation>
    </message>
    <message>
        <source>%1 is nearer: %2</source>
        <extracomment>%1: a repeater&apos;s callsign (&quot;JR1YB B&quot;), %2: its distance with the unit (&quot;3.2 km&quot;).</extracomment>
        <translation>%1 ist näher: %2</translation>
    </message>
</context>
<context>
    <name>tamsel::RepeatersModel</name>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Area</source>
        <extracomment>The region or group a repeater list puts the repeater in.</extracomment>
        <translation>Gebiet</translation>
    </message>
    <message>
        <source>Repeater</source>
        <extracomment>The repeater&apos;s callsign with its module letter.</extracomment>
        <translation>Relais</translation>
    </message>
    <message>
        <source>Gateway</source>
        <translation>Gateway</translation>
    </message>
    <message>
        <source>Frequency (%1)</source>
        <extracomment>%1: the unit, MHz.</extracomment>
        <translation>Frequenz (%1)</translation>
    </message>
    <message>
        <source>Offset (%1)</source>
        <translation>Ablage (%1)</translation>
    </message>
    <message>
        <source>Distance (%1)</source>
        <extracomment>%1: the unit, km or mi.</extracomment>
        <translation>Entfernung (%1)</translation>
    </message>
    <message>
        <source>Bearing</source>
        <translation>Richtung</translation>
    </message>
    <message>
        <source>The list gives this repeater&apos;s position as approximate.</source>
        <translation>Die Liste gibt den Standort dieses Relais als ungefähr an.</translation>
    </message>
    <message>
        <source>split %1</source>
        <extracomment>A repeater whose input is on another band; %1: the input frequency.</extracomment>
        <translation>Split %1</translation>
    </message>
    <message>
        <source>~%1</source>
        <extracomment>A distance from a position the repeater list marks as approximate.</extracomment>
        <translation>~%1</translation>
    </message>
</context>
<context>
    <name>tamsel::RepeatersWindow</name>
    <message>
        <source>Repeaters</source>
        <translation>Relais</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Remove List</source>
        <translation>Liste &amp;entfernen</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>Sort &amp;By</source>
        <translation>&amp;Sortieren nach</translation>
    </message>
    <message>
        <source>&amp;Name</source>
        <translation>&amp;Name</translation>
    </message>
    <message>
        <source>&amp;Area</source>
        <translation>Gebie&amp;t</translation>
    </message>
    <message>
        <source>&amp;Repeater</source>
        <translation>&amp;Relais</translation>
    </message>
    <message>
        <source>&amp;Gateway</source>
        <translation>&amp;Gateway</translation>
    </message>
    <message>
        <source>&amp;Frequency</source>
        <translation>&amp;Frequenz</translation>
    </message>
    <message>
        <source>&amp;Offset</source>
        <translation>Ab&amp;lage</translation>
    </message>
    <message>
        <source>&amp;Distance</source>
        <translation>Entfern&amp;ung</translation>
    </message>
    <message>
        <source>&amp;Bearing</source>
        <translation>Ric&amp;htung</translation>
    </message>
    <message>
        <source>D&amp;escending</source>
        <translation>Abste&amp;igend</translation>
    </message>
    <message>
        <source>Filter</source>
        <translation>Filter</translation>
    </message>
    <message>
        <source>Filter by name, area or callsign</source>
        <translation>Nach Name, Gebiet oder Rufzeichen filtern</translation>
    </message>
    <message>
        <source>Double-click a row, or select it and press Enter, to use its repeater as Repeater 1 and its gateway as Repeater 2</source>
        <translation>Doppelklick auf eine Zeile, oder auswählen und Eingabe drücken, um ihr Relais als Relais 1 und ihr Gateway als Relais 2 zu verwenden</translation>
    </message>
    <message>
        <source>Remove List</source>
        <translation>Liste entfernen</translation>
    </message>
    <message>
        <source>Remove the repeater list %1 from the directory?</source>
        <translation>Die Relaisliste %1 aus dem Verzeichnis entfernen?</translation>
    </message>
    <message>
        <source>%1 is no D-STAR repeater with a module letter: no route goes through it.</source>
        <extracomment>%1: the repeater&apos;s name.</extracomment>
        <translation>%1 ist kein D-STAR-Relais mit Modulbuchstaben: Keine Route führt darüber.</translation>
    </message>
    <message numerus="yes">
        <source>%1 (%n repeaters)</source>
        <extracomment>%1: the list&apos;s file name, %2: how many repeaters it holds.</extracomment>
        <translation>
            <numerusform>%1 (%n Relais)</numerusform>
            <numerusform>%1 (%n Relais)</numerusform>
        </translation>
    </message>
    <message>
        <source>No lists kept</source>
        <translation>Keine Listen abgelegt</translation>
    </message>
    <message numerus="yes">
        <source>%n repeaters</source>
        <translation>
            <numerusform>%n Relais</numerusform>
            <numerusform>%n Relais</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n repeaters</source>
        <extracomment>%1: how many repeaters the filter leaves, of %n.</extracomment>
        <translation>
            <numerusform>%1 von %n Relais</numerusform>
            <numerusform>%1 von %n Relais</numerusform>
        </translation>
    </message>
    <message>
        <source>Show on &amp;Map</source>
        <translation>Auf der &amp;Karte zeigen</translation>
    </message>
    <message>
        <source>&amp;Import Repeater List...</source>
        <translation>Relaisliste im&amp;portieren...</translation>
    </message>
    <message>
        <source>Import Repeater List</source>
        <translation>Relaisliste importieren</translation>
    </message>
    <message>
        <source>Repeater lists (*.csv *.CSV);;All files (*)</source>
        <translation>Relaislisten (*.csv *.CSV);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>No repeater lists yet: import one (File, Import Repeater List).</source>
        <translation>Noch keine Relaislisten: Importieren Sie eine (Datei, Relaisliste importieren).</translation>
    </message>
    <message>
        <source>&amp;Use as My Repeater</source>
        <translation>Als &amp;mein Relais verwenden</translation>
    </message>
</context>
<context>
    <name>tamsel::SettingsStore</name>
    <message>
        <source>The settings file %1 could not be read; it was moved aside to %2 and the defaults are in use.</source>
        <translation>Die Einstellungsdatei %1 ließ sich nicht lesen; sie wurde nach %2 verschoben, und die Vorgaben gelten.</translation>
    </message>
    <message>
        <source>The settings file %1 could not be parsed; it was moved aside to %2 and the defaults are in use.</source>
        <translation>Die Einstellungsdatei %1 ließ sich nicht auswerten; sie wurde nach %2 verschoben, und die Vorgaben gelten.</translation>
    </message>
    <message>
        <source>The settings file %1 could not be read and could not be moved aside; the defaults are in use and no settings will be saved.</source>
        <translation>Die Einstellungsdatei %1 ließ sich weder lesen noch verschieben; die Vorgaben gelten, und es werden keine Einstellungen gespeichert.</translation>
    </message>
    <message>
        <source>The settings file %1 could not be parsed and could not be moved aside; the defaults are in use and no settings will be saved.</source>
        <translation>Die Einstellungsdatei %1 ließ sich weder auswerten noch verschieben; die Vorgaben gelten, und es werden keine Einstellungen gespeichert.</translation>
    </message>
    <message>
        <source>The settings cannot be saved: %1 could not be used or moved aside. The new settings are in use until the console closes.</source>
        <translation>Die Einstellungen können nicht gespeichert werden: %1 ließ sich weder nutzen noch verschieben. Die neuen Einstellungen gelten, bis die Konsole geschlossen wird.</translation>
    </message>
    <message>
        <source>The settings could not be saved to %1 (the folder cannot be written to, or the disk is full). The new settings are in use until the console closes.</source>
        <translation>Die Einstellungen ließen sich nicht in %1 speichern (der Ordner ist nicht beschreibbar, oder die Platte ist voll). Die neuen Einstellungen gelten, bis die Konsole geschlossen wird.</translation>
    </message>
</context>
<context>
    <name>tamsel::Station</name>
    <message>
        <source>Station Call</source>
        <translation>Zielrufzeichen</translation>
    </message>
    <message>
        <source>Repeater 1</source>
        <translation>Relais 1</translation>
    </message>
    <message>
        <source>Repeater 2</source>
        <translation>Relais 2</translation>
    </message>
    <message>
        <source>My Call</source>
        <translation>Eigenes Rufzeichen</translation>
    </message>
    <message>
        <source>My Call suffix</source>
        <translation>Suffix des eigenen Rufzeichens</translation>
    </message>
    <message>
        <source>Send Message</source>
        <translation>Eigene Nachricht</translation>
    </message>
    <message>
        <source>%1 cannot take &quot;%2&quot;: the adapter sends Latin letters, digits and signs only.</source>
        <extracomment>%1: the field (&quot;Station Call&quot;), %2: the character it cannot take</extracomment>
        <translation>%1 kann „%2“ nicht aufnehmen: Der Adapter sendet nur lateinische Buchstaben, Ziffern und Zeichen.</translation>
    </message>
    <message>
        <source>Receptions cannot be written to the reception log (%1). Receiving goes on without it.</source>
        <translation>Empfänge können nicht ins Empfangslog geschrieben werden (%1). Der Empfang läuft ohne Log weiter.</translation>
    </message>
    <message>
        <source>Receptions are written to the reception log again (%1).</source>
        <translation>Empfänge werden wieder ins Empfangslog geschrieben (%1).</translation>
    </message>
    <message>
        <source>Set your position first (Config, Preferences, Station).</source>
        <translation>Setzen Sie zuerst Ihren Standort (Konfiguration, Einstellungen, Standort).</translation>
    </message>
    <message>
        <source>Import a repeater list first (Window, Repeaters, File, Import Repeater List).</source>
        <translation>Importieren Sie zuerst eine Relaisliste (Fenster, Relais, Datei, Relaisliste importieren).</translation>
    </message>
    <message>
        <source>The nearest repeater in the directory, %1, is %2 away.</source>
        <extracomment>%1: a repeater&apos;s callsign (&quot;JP3YIC B&quot;), %2: its distance with the unit (&quot;9,263 km&quot;).</extracomment>
        <translation>Das nächstgelegene Relais im Verzeichnis, %1, ist %2 entfernt.</translation>
    </message>
    <message>
        <source>Repeater 1: %1, %2</source>
        <translation>Relais 1: %1, %2</translation>
    </message>
    <message>
        <source>%1 has not been heard.</source>
        <extracomment>%1: a callsign</extracomment>
        <translation>%1 wurde nicht gehört.</translation>
    </message>
</context>
<context>
    <name>tamsel::StationLog</name>
    <message>
        <source>%1 is nearer: %2 (%3).</source>
        <extracomment>In the station&apos;s log. %1: a repeater (&quot;JR1YB B&quot;), %2: its distance (&quot;3.2 km&quot;)</extracomment>
        <translation>%1 ist näher: %2 (%3).</translation>
    </message>
    <message>
        <source>Settings read again from %1.</source>
        <translation>Einstellungen neu gelesen aus %1.</translation>
    </message>
    <message>
        <source>The adapter is disconnected; it is taken again when it is plugged in.</source>
        <translation>Der Adapter ist getrennt; er wird wieder übernommen, sobald er angesteckt wird.</translation>
    </message>
    <message>
        <source>the system did not let the station open it</source>
        <translation>das System hat der Station das Öffnen nicht erlaubt</translation>
    </message>
    <message>
        <source>Adapter found.</source>
        <translation>Adapter gefunden.</translation>
    </message>
    <message>
        <source>Heard %1 calling %2 via %3, %4 s</source>
        <extracomment>In the station&apos;s log. %1: caller (&quot;JA1XYZ /ID51&quot;), %2: called (&quot;CQCQCQ&quot;), %3: Repeater 1 (&quot;JR1YB B&quot;), %4: seconds</extracomment>
        <translation>%1 gehört, ruft %2 über %3, %4 s</translation>
    </message>
    <message>
        <source>(at %1, %2)</source>
        <extracomment>In the station&apos;s log: the last position a reception carried</extracomment>
        <translation>(bei %1, %2)</translation>
    </message>
    <message>
        <source>APRS-IS: the connection was lost; trying again.</source>
        <translation>APRS-IS: Die Verbindung ist abgebrochen; neuer Versuch folgt.</translation>
    </message>
    <message>
        <source>APRS-IS: not gated from %1: %2.</source>
        <extracomment>In the station&apos;s log. %1: a callsign, %2: why (English)</extracomment>
        <translation>APRS-IS: von %1 nicht weitergeleitet: %2.</translation>
    </message>
</context>
<context>
    <name>tamsel::StationPage</name>
    <message>
        <source>%1 (%2, %3, %4)</source>
        <extracomment>The units and their symbols: &quot;Metric (km, km/h, m)&quot;</extracomment>
        <translation>%1 (%2, %3, %4)</translation>
    </message>
    <message>
        <source>Metric</source>
        <translation>Metrisch</translation>
    </message>
    <message>
        <source>Imperial</source>
        <translation>Imperial</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keine</translation>
    </message>
    <message>
        <source>Maidenhead locator</source>
        <translation>Maidenhead-Locator</translation>
    </message>
    <message>
        <source>Latitude and longitude</source>
        <translation>Breite und Länge</translation>
    </message>
    <message>
        <source>&amp;Source:</source>
        <translation>&amp;Quelle:</translation>
    </message>
    <message>
        <source>&amp;Locator:</source>
        <translation>&amp;Locator:</translation>
    </message>
    <message>
        <source>La&amp;titude:</source>
        <translation>&amp;Breite:</translation>
    </message>
    <message>
        <source>Lo&amp;ngitude:</source>
        <translation>Lä&amp;nge:</translation>
    </message>
    <message>
        <source>&amp;gpsd (host:port):</source>
        <translation>&amp;gpsd (Host:Port):</translation>
    </message>
    <message>
        <source>&amp;Units:</source>
        <translation>&amp;Einheiten:</translation>
    </message>
    <message>
        <source>Your locator:</source>
        <translation>Ihr Locator:</translation>
    </message>
    <message>
        <source>Your position:</source>
        <translation>Ihr Standort:</translation>
    </message>
    <message>
        <source>Defaults</source>
        <translation>Vorgaben</translation>
    </message>
    <message>
        <source>Not usable in the settings file, default shown: %1.</source>
        <extracomment>%1 lists keys of the settings file, such as &quot;latitude, gpsd&quot;</extracomment>
        <translation>In der Einstellungsdatei nicht verwendbar, Vorgabe gezeigt: %1.</translation>
    </message>
    <message>
        <source>The locator needs 4, 6, 8 or 10 characters, such as JN58, JN58td or JN58td25.</source>
        <translation>Der Locator braucht 4, 6, 8 oder 10 Zeichen, etwa JN58, JN58td oder JN58td25.</translation>
    </message>
    <message>
        <source>The latitude needs decimal degrees from -90 to 90 (negative south).</source>
        <translation>Die Breite braucht Dezimalgrad von -90 bis 90 (Süden negativ).</translation>
    </message>
    <message>
        <source>The longitude needs decimal degrees from -180 to 180 (negative west).</source>
        <translation>Die Länge braucht Dezimalgrad von -180 bis 180 (Westen negativ).</translation>
    </message>
    <message>
        <source>gpsd needs a host and port, such as localhost:2947.</source>
        <translation>gpsd braucht Host und Port, etwa localhost:2947.</translation>
    </message>
    <message>
        <source>none</source>
        <extracomment>No position: the source chosen is None</extracomment>
        <translation>keiner</translation>
    </message>
    <message>
        <source>not a locator yet</source>
        <translation>noch kein Locator</translation>
    </message>
    <message>
        <source>not a position yet</source>
        <translation>noch kein Standort</translation>
    </message>
    <message>
        <source>followed from gpsd once applied</source>
        <translation>nach dem Übernehmen von gpsd verfolgt</translation>
    </message>
    <message>
        <source>Station</source>
        <translation>Standort</translation>
    </message>
    <message>
        <source>decimal degrees, negative south</source>
        <translation>Dezimalgrad, Süden negativ</translation>
    </message>
    <message>
        <source>decimal degrees, negative west</source>
        <translation>Dezimalgrad, Westen negativ</translation>
    </message>
    <message>
        <source>Your position is not set.</source>
        <translation>Ihr Standort ist nicht gesetzt.</translation>
    </message>
    <message>
        <source>&amp;Follow the nearest repeater</source>
        <translation>Dem nächstgelegenen Relais &amp;folgen</translation>
    </message>
    <message>
        <source>Follow the nearest repeater</source>
        <translation>Dem nächstgelegenen Relais folgen</translation>
    </message>
    <message>
        <source>While your position comes from gpsd, Repeater 1 changes by itself to a repeater that has become clearly nearer</source>
        <translation>Solange Ihr Standort von gpsd kommt, wechselt Relais 1 von selbst zu einem Relais, das deutlich näher geworden ist</translation>
    </message>
</context>
<context>
    <name>tamsel::TForm1</name>
    <message>
        <source>The adapter is disconnected: no version to show.</source>
        <translation>Der Adapter ist getrennt: keine Version zu zeigen.</translation>
    </message>
    <message>
        <source>APRS-IS: the connection was lost; trying again.</source>
        <translation>APRS-IS: Die Verbindung ist abgebrochen; neuer Versuch folgt.</translation>
    </message>
    <message>
        <source>APRS-IS</source>
        <translation>APRS-IS</translation>
    </message>
</context>
<context>
    <name>tamsel::TForm11</name>
    <message>
        <source>Default Setting</source>
        <translation>Grundeinstellung</translation>
    </message>
    <message>
        <source>&amp;Change</source>
        <translation>Ä&amp;ndern</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Verwerfen</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Delay Time</source>
        <translation>Delay Time</translation>
    </message>
    <message>
        <source>Keep Alive</source>
        <translation>Keep Alive</translation>
    </message>
    <message>
        <source>Error Bits</source>
        <translation>Error Bits</translation>
    </message>
    <message>
        <source>RX Invert</source>
        <translation>RX invertiert</translation>
    </message>
    <message>
        <source>RX Auto Detect</source>
        <translation>RX automatisch erkennen</translation>
    </message>
    <message>
        <source>TX Invert</source>
        <translation>TX invertiert</translation>
    </message>
    <message>
        <source>PreBitPattern</source>
        <translation>PreBitPattern</translation>
    </message>
    <message>
        <source>PostBitPattern</source>
        <translation>PostBitPattern</translation>
    </message>
</context>
<context>
    <name>tamsel::TForm12</name>
    <message>
        <source>Search</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Not found.</source>
        <translation>Nicht gefunden.</translation>
    </message>
</context>
<context>
    <name>tamsel::TForm2</name>
    <message>
        <source>My CallSign Set</source>
        <translation>Eigenes Rufzeichen setzen</translation>
    </message>
    <message>
        <source>&amp;Action</source>
        <translation>&amp;Aktion</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>E&amp;xit/Cancel</source>
        <translation>&amp;Beenden/Abbrechen</translation>
    </message>
    <message>
        <source>CallSign</source>
        <translation>Rufzeichen</translation>
    </message>
    <message>
        <source>CallSign2</source>
        <translation>Rufzeichen 2</translation>
    </message>
</context>
<context>
    <name>tamsel::TForm3</name>
    <message>
        <source>Memory</source>
        <translation>Speicher</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>Ö&amp;ffnen</translation>
    </message>
    <message>
        <source>&amp;Import Repeater List...</source>
        <translation>Relaisliste &amp;importieren...</translation>
    </message>
    <message>
        <source>&amp;Find</source>
        <translation>&amp;Suchen</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Import Repeater List</source>
        <translation>Relaisliste importieren</translation>
    </message>
    <message>
        <source>Repeater lists (*.csv *.CSV);;All files (*)</source>
        <translation>Relaislisten (*.csv *.CSV);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Cannot open the memory file %1:
%2</source>
        <translation>Die Speicherdatei %1 lässt sich nicht öffnen:
%2</translation>
    </message>
    <message>
        <source>The repeater list %1 is still being imported. Import %2 again once it is done.</source>
        <extracomment>%1: the list being imported, %2: the one asked for now (maybe the same).</extracomment>
        <translation>Die Relaisliste %1 wird noch importiert. Importieren Sie %2 erneut, wenn das erledigt ist.</translation>
    </message>
    <message>
        <source>Cannot open the repeater list %1:
%2</source>
        <translation>Die Relaisliste %1 lässt sich nicht öffnen:
%2</translation>
    </message>
    <message>
        <source>%1 is not a repeater list this program knows.

It reads the Icom repeater-list CSV (with the columns Name, Repeater Call Sign, Gateway Call Sign, Frequency, Dup, Offset and Mode) and the CHIRP CSV export (with Name, Frequency, Mode, URCALL, RPT1CALL and RPT2CALL).</source>
        <translation>%1 ist keine Relaisliste, die dieses Programm kennt.

Es liest die Icom-Relaislisten-CSV (mit den Spalten Name, Repeater Call Sign, Gateway Call Sign, Frequency, Dup, Offset und Mode) und den CSV-Export von CHIRP (mit Name, Frequency, Mode, URCALL, RPT1CALL und RPT2CALL).</translation>
    </message>
    <message numerus="yes">
        <source>Imported %n repeaters from %1</source>
        <translation>
            <numerusform>%n Relais aus %1 importiert</numerusform>
            <numerusform>%n Relais aus %1 importiert</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Skipped %n D-STAR rows with no repeater callsign or a callsign longer than 8 characters, at lines %1%2.</source>
        <translation>
            <numerusform>%n D-STAR-Zeile ohne Relaisrufzeichen oder mit einem Rufzeichen über 8 Zeichen übersprungen, in Zeile %1%2.</numerusform>
            <numerusform>%n D-STAR-Zeilen ohne Relaisrufzeichen oder mit einem Rufzeichen über 8 Zeichen übersprungen, in den Zeilen %1%2.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>tamsel::TForm4</name>
    <message>
        <source>Received History</source>
        <translation>Empfangsverlauf</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Speichern &amp;unter...</translation>
    </message>
    <message>
        <source>&amp;Erase</source>
        <translation>Lö&amp;schen</translation>
    </message>
    <message>
        <source>&amp;Log Contact...</source>
        <translation>Verbindung &amp;loggen...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Double-click a line, or select it and press Enter, to reply to its caller</source>
        <translation>Doppelklick auf eine Zeile, oder auswählen und Eingabe drücken, um dem Anrufer zu antworten</translation>
    </message>
    <message>
        <source>       Date/Time          Caller                 Called          Message</source>
        <extracomment>The heading over the history lines; its words are also drawn one by one over their columns, so the spaces between them need not be kept.</extracomment>
        <translation>       Datum/Zeit         Anrufer                Gerufen         Nachricht</translation>
    </message>
    <message>
        <source>Date/Time</source>
        <translation>Datum/Zeit</translation>
    </message>
    <message>
        <source>Caller</source>
        <extracomment>The station that called (column heading)</extracomment>
        <translation>Anrufer</translation>
    </message>
    <message>
        <source>Called</source>
        <extracomment>The station that was called (column heading)</extracomment>
        <translation>Gerufen</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Nachricht</translation>
    </message>
</context>
<context>
    <name>tamsel::TileLayer</name>
    <message>
        <source>© OpenStreetMap contributors</source>
        <extracomment>As the OpenStreetMap copyright page words it in the language.</extracomment>
        <translation>© OpenStreetMap-Mitwirkende</translation>
    </message>
</context>
<context>
    <name>tamsel::VolumeBar</name>
    <message>
        <source>Volume: %1</source>
        <translation>Lautstärke: %1</translation>
    </message>
</context>
<context>
    <name>tamsel::WebFace</name>
    <message>
        <source>A wrong password was given from %1.</source>
        <translation>Ein falsches Passwort kam von %1.</translation>
    </message>
    <message>
        <source>Signed in from %1.</source>
        <translation>Angemeldet von %1.</translation>
    </message>
    <message>
        <source>Refused: %1</source>
        <translation>Abgelehnt: %1</translation>
    </message>
    <message numerus="yes">
        <source>A page left; %n open.</source>
        <translation>
            <numerusform>Eine Seite ging; %n offen.</numerusform>
            <numerusform>Eine Seite ging; %n offen.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>A page connected from %1; %n open.</source>
        <translation>
            <numerusform>Eine Seite verband sich von %1; %n offen.</numerusform>
            <numerusform>Eine Seite verband sich von %1; %n offen.</numerusform>
        </translation>
    </message>
</context>
</TS>
