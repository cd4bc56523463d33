<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>ActionsService</name>
    <message>
        <source>Brevimar isn&apos;t running.</source>
        <translation>Brevimar läuft nicht.</translation>
    </message>
    <message>
        <source>%1 logged. %2.</source>
        <translation>%1 eingetragen. %2.</translation>
    </message>
    <message>
        <source>Paused for %1 minutes.</source>
        <translation>Für %1 Minuten pausiert.</translation>
    </message>
    <message>
        <source>Paused for the rest of today.</source>
        <translation>Für den Rest des Tages pausiert.</translation>
    </message>
    <message>
        <source>Reminders resumed.</source>
        <translation>Erinnerungen laufen wieder.</translation>
    </message>
    <message>
        <source>Today: %1.</source>
        <translation>Heute: %1.</translation>
    </message>
</context>
<context>
    <name>AppDelegate</name>
    <message>
        <source>Brevimar is running.</source>
        <translation>Brevimar läuft.</translation>
    </message>
    <message>
        <source>Your desktop shows no tray icons: open Brevimar from your applications to see today&apos;s reminders.</source>
        <translation>Deine Arbeitsumgebung zeigt keine Symbole im Infobereich: Öffne Brevimar über deine Anwendungen, um die heutigen Erinnerungen zu sehen.</translation>
    </message>
</context>
<context>
    <name>HoldReason</name>
    <message>
        <source>Away</source>
        <translation>Abwesend</translation>
    </message>
    <message>
        <source>Locked</source>
        <translation>Gesperrt</translation>
    </message>
    <message>
        <source>On a call</source>
        <translation>Im Gespräch</translation>
    </message>
    <message>
        <source>Sharing</source>
        <translation>Bildschirm geteilt</translation>
    </message>
    <message>
        <source>Full screen</source>
        <translation>Vollbild</translation>
    </message>
    <message>
        <source>Paused</source>
        <translation>Pausiert</translation>
    </message>
    <message>
        <source>Meeting</source>
        <translation>Termin</translation>
    </message>
    <message>
        <source>App rule</source>
        <translation>App-Regel</translation>
    </message>
    <message>
        <source>Off hours</source>
        <translation>Feierabend</translation>
    </message>
    <message>
        <source>Active</source>
        <translation>Aktiv</translation>
    </message>
</context>
<context>
    <name>MenuBarIcon</name>
    <message>
        <source>Open Brevimar</source>
        <translation>Brevimar öffnen</translation>
    </message>
    <message>
        <source>Open History</source>
        <translation>Verlauf öffnen</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>Einstellungen …</translation>
    </message>
    <message>
        <source>Quit Brevimar</source>
        <translation>Brevimar beenden</translation>
    </message>
</context>
<context>
    <name>MenuBarView</name>
    <message>
        <source>Quit Brevimar</source>
        <translation>Brevimar beenden</translation>
    </message>
</context>
<context>
    <name>MessageCardView</name>
    <message>
        <source>Open History</source>
        <translation>Verlauf öffnen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>NotchMessageView</name>
    <message>
        <source>History</source>
        <translation>Verlauf</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>NotificationService</name>
    <message>
        <source>Done</source>
        <translation>Erledigt</translation>
    </message>
    <message>
        <source>Snooze 10 min</source>
        <translation>10 Min. später</translation>
    </message>
    <message>
        <source>When I&apos;m free</source>
        <translation>Wenn ich Zeit habe</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>Überspringen</translation>
    </message>
    <message>
        <source>Want to wrap up?</source>
        <translation>Feierabend machen?</translation>
    </message>
    <message>
        <source>Today: %1.</source>
        <translation>Heute: %1.</translation>
    </message>
    <message>
        <source>Your week</source>
        <translation>Deine Woche</translation>
    </message>
</context>
<context>
    <name>NudgeKind</name>
    <message>
        <source>Water</source>
        <translation>Wasser</translation>
    </message>
    <message>
        <source>sip</source>
        <translation>Schluck</translation>
    </message>
    <message>
        <source>sips</source>
        <translation>Schlucke</translation>
    </message>
    <message>
        <source>Time for water</source>
        <translation>Zeit für Wasser</translation>
    </message>
    <message>
        <source>A few sips. Then back to it.</source>
        <translation>Ein paar Schlucke. Dann weiter.</translation>
    </message>
    <message>
        <source>Move</source>
        <translation>Bewegung</translation>
    </message>
    <message>
        <source>break</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>breaks</source>
        <translation>Pausen</translation>
    </message>
    <message>
        <source>Stand up and move</source>
        <translation>Steh auf und beweg dich</translation>
    </message>
    <message>
        <source>Two minutes. Stretch, walk, look out a window.</source>
        <translation>Zwei Minuten. Strecken, gehen, aus dem Fenster schauen.</translation>
    </message>
</context>
<context>
    <name>PanelModel</name>
    <message>
        <source>Nothing logged yet</source>
        <translation>Noch nichts eingetragen</translation>
    </message>
    <message>
        <source>Every goal met today</source>
        <translation>Heute jedes Ziel erreicht</translation>
    </message>
    <message>
        <source>1 small win today</source>
        <translation>Heute 1 kleiner Erfolg</translation>
    </message>
    <message numerus="yes">
        <source>%n small wins today</source>
        <translation>
            <numerusform>Heute %n kleiner Erfolg</numerusform>
            <numerusform>Heute %n kleine Erfolge</numerusform>
        </translation>
    </message>
    <message>
        <source>%L1 today</source>
        <translation>%L1 heute</translation>
    </message>
    <message>
        <source>Goal met</source>
        <translation>Ziel erreicht</translation>
    </message>
    <message>
        <source>%L1 of %L2</source>
        <translation>%L1 von %L2</translation>
    </message>
    <message>
        <source>after this hold</source>
        <translation>nach dieser Pause</translation>
    </message>
    <message>
        <source>due now</source>
        <translation>jetzt fällig</translation>
    </message>
    <message>
        <source>on hold</source>
        <translation>angehalten</translation>
    </message>
    <message>
        <source>Snooze 10 min</source>
        <translation>10 Min. später</translation>
    </message>
    <message>
        <source>When I&apos;m free</source>
        <translation>Wenn ich Zeit habe</translation>
    </message>
    <message>
        <source>When I&apos;m free: after the current hold ends</source>
        <translation>Wenn ich Zeit habe: sobald die aktuelle Pause endet</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>Überspringen</translation>
    </message>
    <message>
        <source>Skip this one</source>
        <translation>Diese überspringen</translation>
    </message>
    <message>
        <source>Remind me now</source>
        <translation>Jetzt erinnern</translation>
    </message>
    <message>
        <source>Remind me now instead of waiting</source>
        <translation>Jetzt erinnern statt zu warten</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>Heute</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <comment>kind title, relative time</comment>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>Log that you did it</source>
        <translation>Eintragen, dass du es getan hast</translation>
    </message>
    <message>
        <source>Log it now</source>
        <translation>Jetzt eintragen</translation>
    </message>
    <message>
        <source>Paused until %1</source>
        <translation>Pausiert bis %1</translation>
    </message>
    <message>
        <source>Reminders wait, then start fresh</source>
        <translation>Erinnerungen warten und beginnen dann neu</translation>
    </message>
    <message>
        <source>For 30 Minutes</source>
        <translation>Für 30 Minuten</translation>
    </message>
    <message>
        <source>For 1 Hour</source>
        <translation>Für 1 Stunde</translation>
    </message>
    <message>
        <source>For the Rest of the Day</source>
        <translation>Für den Rest des Tages</translation>
    </message>
    <message>
        <source>now</source>
        <translation>jetzt</translation>
    </message>
    <message>
        <source>in %1 min</source>
        <translation>in %1 Min.</translation>
    </message>
    <message>
        <source>in %1 h</source>
        <translation>in %1 Std.</translation>
    </message>
    <message>
        <source>in %1 h %2 min</source>
        <translation>in %1 Std. %2 Min.</translation>
    </message>
    <message>
        <source>The last one went unanswered.</source>
        <translation>Die letzte blieb unbeantwortet.</translation>
    </message>
    <message>
        <source>Nothing logged today.</source>
        <translation>Heute noch nichts eingetragen.</translation>
    </message>
    <message>
        <source>Last logged just now.</source>
        <translation>Gerade eben eingetragen.</translation>
    </message>
    <message>
        <source>Last logged %1 min ago.</source>
        <translation>Zuletzt vor %1 Min. eingetragen.</translation>
    </message>
    <message>
        <source>Last logged %1 h %2 min ago.</source>
        <translation>Zuletzt vor %1 Std. %2 Min. eingetragen.</translation>
    </message>
    <message>
        <source>Reminders are running.</source>
        <translation>Erinnerungen laufen.</translation>
    </message>
    <message>
        <source>No keyboard or mouse for a while. Reminders restart fresh when you&apos;re back.</source>
        <translation>Eine Weile keine Tastatur- oder Mauseingabe. Die Erinnerungen beginnen neu, wenn du zurück bist.</translation>
    </message>
    <message>
        <source>The screen is locked. Reminders wait and start fresh when you unlock.</source>
        <translation>Der Bildschirm ist gesperrt. Die Erinnerungen warten und beginnen neu, wenn du entsperrst.</translation>
    </message>
    <message>
        <source>Reminders hold while %1 is going. Edit the meeting-app list in Settings › Pauses.</source>
        <translation>Erinnerungen warten, solange %1 läuft. Die Liste der Meeting-Apps findest du unter Einstellungen › Pausen.</translation>
    </message>
    <message>
        <source>a call</source>
        <translation>ein Gespräch</translation>
    </message>
    <message>
        <source>Reminders hold while the screen is shared.</source>
        <translation>Erinnerungen warten, solange der Bildschirm geteilt wird.</translation>
    </message>
    <message>
        <source>Reminders hold while %1 is full screen.</source>
        <translation>Erinnerungen warten, solange %1 im Vollbild ist.</translation>
    </message>
    <message>
        <source>an app</source>
        <translation>eine App</translation>
    </message>
    <message>
        <source>Paused by you.</source>
        <translation>Von dir pausiert.</translation>
    </message>
    <message>
        <source>Calendar says you&apos;re in %1.</source>
        <translation>Laut Kalender bist du in %1.</translation>
    </message>
    <message>
        <source>a meeting</source>
        <translation>einem Termin</translation>
    </message>
    <message>
        <source>Your rule for %1 is holding reminders.</source>
        <translation>Deine Regel für %1 hält die Erinnerungen an.</translation>
    </message>
    <message>
        <source>this app</source>
        <translation>diese App</translation>
    </message>
    <message>
        <source>Outside your work hours. Reminders resume when they start.</source>
        <translation>Außerhalb deiner Arbeitszeit. Die Erinnerungen laufen wieder, wenn sie beginnt.</translation>
    </message>
</context>
<context>
    <name>PanelSections</name>
    <message>
        <source>Resume</source>
        <translation>Fortsetzen</translation>
    </message>
    <message>
        <source>Resume reminders now</source>
        <translation>Erinnerungen jetzt fortsetzen</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Erledigt</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Pause reminders</source>
        <translation>Erinnerungen pausieren</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Verlauf</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Quit Brevimar</source>
        <translation>Brevimar beenden</translation>
    </message>
    <message>
        <source>Quit Brevimar (Ctrl+Q)</source>
        <translation>Brevimar beenden (Strg+Q)</translation>
    </message>
</context>
<context>
    <name>ReminderContent</name>
    <message>
        <source>Done</source>
        <translation>Erledigt</translation>
    </message>
    <message>
        <source>Snooze 10 min</source>
        <translation>10 Min. später</translation>
    </message>
    <message>
        <source>Snooze 10 minutes</source>
        <translation>10 Minuten später</translation>
    </message>
    <message>
        <source>When I&apos;m free</source>
        <translation>Wenn ich Zeit habe</translation>
    </message>
    <message>
        <source>When I&apos;m free: after my next call or break</source>
        <translation>Wenn ich Zeit habe: nach meinem nächsten Gespräch oder meiner nächsten Pause</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>Überspringen</translation>
    </message>
    <message>
        <source>Skip this one</source>
        <translation>Diese überspringen</translation>
    </message>
    <message>
        <source>%L1 today</source>
        <translation>%L1 heute</translation>
    </message>
    <message>
        <source>Goal met today</source>
        <translation>Heute Ziel erreicht</translation>
    </message>
    <message>
        <source>%L1 of %L2 today</source>
        <translation>Heute %L1 von %L2</translation>
    </message>
</context>
<context>
    <name>RhythmEngine</name>
    <message>
        <source>you&apos;ve been at the desk for %1</source>
        <translation>du sitzt seit %1 am Schreibtisch</translation>
    </message>
    <message>
        <source>first one today</source>
        <translation>die erste heute</translation>
    </message>
    <message>
        <source>%1 since your last %2</source>
        <translation>%2: zuletzt vor %1</translation>
    </message>
    <message>
        <source>%1 min</source>
        <translation>%1 Min.</translation>
    </message>
    <message>
        <source>%1 h</source>
        <translation>%1 Std.</translation>
    </message>
    <message>
        <source>%1 h %2 min</source>
        <translation>%1 Std. %2 Min.</translation>
    </message>
    <message>
        <source>Want to wrap up?</source>
        <translation>Feierabend machen?</translation>
    </message>
    <message>
        <source>Today: %1.</source>
        <translation>Heute: %1.</translation>
    </message>
    <message>
        <source>Your week</source>
        <translation>Deine Woche</translation>
    </message>
</context>
<context>
    <name>brevimarctl</name>
    <message>
        <source>usage: brevimarctl COMMAND

  log KIND          log a reminder as done        brevimarctl log water
  pause [MINUTES]   pause reminders (30; 0 = rest of today)   brevimarctl pause 45
  resume            resume reminders              brevimarctl resume
  today             today&apos;s counts                brevimarctl today
  kinds             the reminder kinds: id and title      brevimarctl kinds
  status [--json]   what holds reminders and what comes next  brevimarctl status --json
  open URL          hand a brevimar:// URL to Brevimar    brevimarctl open brevimar://resume

Exits 0 on success, 1 when Brevimar isn&apos;t running, 2 on a usage error or an unknown KIND.
</source>
        <translation>Aufruf: brevimarctl BEFEHL

  log ART           eine Erinnerung als erledigt eintragen   brevimarctl log water
  pause [MINUTEN]   Erinnerungen pausieren (30; 0 = Rest des Tages)   brevimarctl pause 45
  resume            Erinnerungen fortsetzen       brevimarctl resume
  today             die heutigen Zahlen           brevimarctl today
  kinds             die Erinnerungsarten: Kennung und Titel   brevimarctl kinds
  status [--json]   was Erinnerungen anhält und was als Nächstes kommt   brevimarctl status --json
  open URL          eine brevimar://-URL an Brevimar übergeben   brevimarctl open brevimar://resume

Endet mit 0 bei Erfolg, 1 wenn Brevimar nicht läuft, 2 bei falschem Aufruf oder unbekannter ART.
</translation>
    </message>
    <message>
        <source>Brevimar isn&apos;t running.</source>
        <translation>Brevimar läuft nicht.</translation>
    </message>
    <message>
        <source>Today: %1.</source>
        <translation>Heute: %1.</translation>
    </message>
    <message>
        <source>brevimarctl: no reminder kind &quot;%1&quot;; the kinds are %2.</source>
        <translation>brevimarctl: keine Erinnerungsart „%1“; die Arten sind %2.</translation>
    </message>
</context>
</TS>
