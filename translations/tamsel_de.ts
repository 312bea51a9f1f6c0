<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>QObject</name>
    <message>
        <source>Receptions cannot be written to the reception log (%1). The console carries on without it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Receptions are written to the reception log again (%1).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Logged to %1. %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>Tamsel V03.05</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Caller Callsign</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CallerCALL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click to reply: this caller becomes the Station Call</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CallerCA
LL2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Caller Callsign suffix</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Called Callsign</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CalledCALL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Logo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Received Message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MSG</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DayTime</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Received Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Flags Info.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>FlagInfo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Repeater</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Break</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>EMR</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send Message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SendMSG</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Station Call</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>YOURCALL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Double-click for a general call (CQCQCQ)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Repeater 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RPT1CALL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Repeater 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RPT2CALL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>My Call</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MyCALL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Double-click to change the station callsign</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MyCALL2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>My Call suffix</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Volume</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Config</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;MyCALL/2 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Default Setting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Received &amp;History</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Memory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Heard &amp;Stations</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;PIC Version</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tamsel::AlertsPage</name>
    <message>
        <source>Alert when a station &amp;calls me</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>On &amp;every reception</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Once per station within</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Sound</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Watch list (callsigns, or prefixes such as JA1*, one a line):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Watch list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> min</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quiet time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not a callsign or prefix in the watch list: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Alerts</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tamsel::DesktopAlerts</name>
    <message>
        <source>Reply</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dismiss</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tamsel::LanguagePage</name>
    <message>
        <source>System</source>
        <extracomment>The language the desktop is set to</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Language</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The console changes its language when it starts next.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Language:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tamsel::LogContactDialog</name>
    <message>
        <source>Log Contact</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MHz, e.g. 145.375</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>D-STAR (DIGITALVOICE / DSTAR)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Call:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>O&amp;n (UTC):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Off (UTC):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Frequency (MHz):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Band:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mode:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RST &amp;sent:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RST &amp;received:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Their locator:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>N&amp;ame:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Co&amp;mment:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>M&amp;y Call:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>My &amp;locator:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Log status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(none)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter the callsign of the station worked.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The contact ends before it starts: check the times.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter the frequency in MHz: a logging program takes no contact without it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The frequency is not a number of MHz.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Their locator needs 2, 4, 6 or 8 characters, such as JN58 or JN58td.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>My locator needs 2, 4, 6 or 8 characters, such as JN58 or JN58td.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not logged: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tamsel::LogPage</name>
    <message>
        <source>Keep a log of every reception</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> days</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>WSJT-X message (KLog, CQRLOG, Log4OM, GridTracker)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ADIF text (QLog)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ADIF log file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ADIF files (*.adi);;All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keep receptions for:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ADIF log file:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send to a logging program:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Address:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Port:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keep receptions for</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Browse for the ADIF log file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send to a logging program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Logging program address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Logging program port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The logging program&apos;s address must be an IP address, such as 127.0.0.1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write the ADIF log file as a full path, as ~/log.adi, or as a name alone (kept in the data folder).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The ADIF log file is a folder: choose a file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Log</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tamsel::LogSender</name>
    <message>
        <source>Not sent to a logging program (off in Preferences)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not sent: %1 is not an IP address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not sent to %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>as WSJT-X does</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>as ADIF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sent to %1 %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tamsel::OwnStation</name>
    <message>
        <source>last fix %1, %2 (stale)</source>
        <extracomment>%1, %2: latitude and longitude of the receiver&apos;s last position fix, too old to count as where the station is now.</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
