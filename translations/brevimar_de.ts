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
    <name>AlertsPane</name>
    <message>
        <source>Show reminders as</source>
        <translation>Erinnerungen zeigen als</translation>
    </message>
    <message>
        <source>The card and the notch stay until you answer and never take focus. On displays without a notch, it hangs from the top of the screen. Notifications go away after a few seconds.</source>
        <translation>Karte und Notch bleiben, bis du antwortest, und nehmen nie den Fokus. Auf Bildschirmen ohne Notch hängt sie am oberen Rand. Benachrichtigungen verschwinden nach ein paar Sekunden.</translation>
    </message>
    <message>
        <source>Floating card</source>
        <translation>Schwebende Karte</translation>
    </message>
    <message>
        <source>Notch</source>
        <translation>Notch</translation>
    </message>
    <message>
        <source>Notification</source>
        <translation>Benachrichtigung</translation>
    </message>
    <message>
        <source>Play a sound</source>
        <translation>Ton abspielen</translation>
    </message>
    <message>
        <source>Send Test Reminder</source>
        <translation>Testerinnerung senden</translation>
    </message>
    <message>
        <source>See how it looks</source>
        <translation>So sieht es aus</translation>
    </message>
    <message>
        <source>This desktop runs without XWayland, so Brevimar can&apos;t place a card or the notch: reminders come as notifications.</source>
        <translation>Diese Arbeitsumgebung läuft ohne XWayland, daher kann Brevimar weder eine Karte noch die Notch platzieren: Erinnerungen kommen als Benachrichtigungen.</translation>
    </message>
</context>
<context>
    <name>AppChooser</name>
    <message>
        <source>Choose an App</source>
        <translation>App auswählen</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Applications</source>
        <translation>Anwendungen</translation>
    </message>
    <message>
        <source>Choose</source>
        <translation>Auswählen</translation>
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
    <name>Appcast</name>
    <message>
        <source>The update feed is not valid XML (line %1: %2).</source>
        <translation>Der Update-Feed ist kein gültiges XML (Zeile %1: %2).</translation>
    </message>
    <message>
        <source>The update feed lists no release.</source>
        <translation>Der Update-Feed nennt keine Version.</translation>
    </message>
</context>
<context>
    <name>CustomReminder</name>
    <message>
        <source>Eye rest</source>
        <translation>Augenpause</translation>
    </message>
    <message>
        <source>Look 20 feet away for 20 seconds.</source>
        <translation>Schau 20 Sekunden lang sechs Meter weit.</translation>
    </message>
    <message>
        <source>rest</source>
        <translation>Augenpause</translation>
    </message>
    <message>
        <source>rests</source>
        <translation>Augenpausen</translation>
    </message>
    <message>
        <source>Stretch</source>
        <translation>Dehnen</translation>
    </message>
    <message>
        <source>Roll your shoulders, stretch your wrists.</source>
        <translation>Kreise die Schultern, dehne die Handgelenke.</translation>
    </message>
    <message>
        <source>stretch</source>
        <translation>Dehnung</translation>
    </message>
    <message>
        <source>stretches</source>
        <translation>Dehnungen</translation>
    </message>
    <message>
        <source>Posture</source>
        <translation>Haltung</translation>
    </message>
    <message>
        <source>Sit tall, drop your shoulders.</source>
        <translation>Sitz aufrecht, lass die Schultern sinken.</translation>
    </message>
    <message>
        <source>check</source>
        <translation>Check</translation>
    </message>
    <message>
        <source>checks</source>
        <translation>Checks</translation>
    </message>
    <message>
        <source>Meds</source>
        <translation>Medikamente</translation>
    </message>
    <message>
        <source>Time for your medication.</source>
        <translation>Zeit für deine Medikamente.</translation>
    </message>
    <message>
        <source>dose</source>
        <translation>Dosis</translation>
    </message>
    <message>
        <source>doses</source>
        <translation>Dosen</translation>
    </message>
</context>
<context>
    <name>GeneralPane</name>
    <message>
        <source>Export…</source>
        <translation>Exportieren …</translation>
    </message>
    <message>
        <source>Launch at login</source>
        <translation>Beim Anmelden starten</translation>
    </message>
    <message>
        <source>Brevimar could not change whether it starts when you log in.</source>
        <translation>Brevimar konnte nicht ändern, ob es beim Anmelden startet.</translation>
    </message>
    <message>
        <source>Global keyboard shortcuts</source>
        <translation>Globale Tastenkürzel</translation>
    </message>
    <message>
        <source>Automation</source>
        <translation>Automatisierung</translation>
    </message>
    <message>
        <source>brevimarctl and D-Bus: Log a Reminder as Done, Pause Reminders, Resume Reminders, Today&apos;s Ormanthe.</source>
        <translation>brevimarctl und D-Bus: Erinnerung als erledigt eintragen, Erinnerungen pausieren, Erinnerungen fortsetzen, Ormanthe von heute.</translation>
    </message>
    <message>
        <source>Shortcuts and URL scheme</source>
        <translation>Tastenkürzel und URL-Schema</translation>
    </message>
    <message>
        <source>Data</source>
        <translation>Daten</translation>
    </message>
    <message>
        <source>History stays on this computer. The usage ping sends a random ID, app and system version, a rough country and today&apos;s counts, never your history or the apps you use. Off sends nothing.</source>
        <translation>Der Verlauf bleibt auf diesem Computer. Die Nutzungsmeldung sendet eine zufällige Kennung, App- und Systemversion, ungefähr das Land und die heutigen Zahlen, nie deinen Verlauf oder deine Apps. Aus sendet nichts.</translation>
    </message>
    <message>
        <source>Export History</source>
        <translation>Verlauf exportieren</translation>
    </message>
    <message>
        <source>JSON Lines (*.jsonl *.json)</source>
        <translation>JSON Lines (*.jsonl *.json)</translation>
    </message>
    <message>
        <source>Your history</source>
        <translation>Dein Verlauf</translation>
    </message>
    <message>
        <source>Share anonymous usage counts</source>
        <translation>Anonyme Nutzungszahlen teilen</translation>
    </message>
    <message>
        <source>Check for Updates…</source>
        <translation>Nach Updates suchen …</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Exporting your history…</source>
        <translation>Dein Verlauf wird exportiert …</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Brevimar could not export your history to %1.</source>
        <translation>Brevimar konnte deinen Verlauf nicht nach %1 exportieren.</translation>
    </message>
</context>
<context>
    <name>GlobalHotKeys</name>
    <message>
        <source>Log water</source>
        <translation>Wasser eintragen</translation>
    </message>
    <message>
        <source>Log a movement break</source>
        <translation>Bewegungspause eintragen</translation>
    </message>
    <message>
        <source>Pause reminders for 30 minutes, or resume them</source>
        <translation>Erinnerungen 30 Minuten pausieren oder fortsetzen</translation>
    </message>
</context>
<context>
    <name>HistoryCharts</name>
    <message>
        <source>MMM d</source>
        <translation>d. MMM</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <comment>a day, what was done on it</comment>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>dddd, MMM d</source>
        <translation>dddd, d. MMM</translation>
    </message>
    <message>
        <source>nothing done</source>
        <translation>nichts erledigt</translation>
    </message>
</context>
<context>
    <name>HistoryWindow</name>
    <message>
        <source>Per day</source>
        <translation>Pro Tag</translation>
    </message>
    <message>
        <source>Your typical day</source>
        <translation>Dein typischer Tag</translation>
    </message>
    <message>
        <source>1 active day in the last %1 days</source>
        <translation>1 aktiver Tag in den letzten %1 Tagen</translation>
    </message>
    <message numerus="yes">
        <source>%n active days in the last %1 days</source>
        <translation>
            <numerusform>%n aktiver Tag in den letzten %1 Tagen</numerusform>
            <numerusform>%n aktive Tage in den letzten %1 Tagen</numerusform>
        </translation>
    </message>
    <message>
        <source>%1% answered</source>
        <translation>%1 % beantwortet</translation>
    </message>
    <message>
        <source>usually done in under a minute</source>
        <translation>meist in unter einer Minute erledigt</translation>
    </message>
    <message>
        <source>usually done within %1</source>
        <translation>meist innerhalb von %1 erledigt</translation>
    </message>
    <message>
        <source>Same as %1</source>
        <translation>Unverändert gegenüber %1</translation>
    </message>
    <message>
        <source>%1 from %2</source>
        <translation>%1 gegenüber %2</translation>
    </message>
    <message>
        <source>Not used yet</source>
        <translation>Noch nicht genutzt</translation>
    </message>
    <message>
        <source>%1 %2 over 1 day</source>
        <translation>%1 %2 an 1 Tag</translation>
    </message>
    <message numerus="yes">
        <source>%1 %2 over %n days</source>
        <translation>
            <numerusform>%1 %2 an %n Tag</numerusform>
            <numerusform>%1 %2 an %n Tagen</numerusform>
        </translation>
    </message>
    <message>
        <source>a day</source>
        <translation>pro Tag</translation>
    </message>
    <message>
        <source>Brevimar History</source>
        <translation>Brevimar-Verlauf</translation>
    </message>
    <message numerus="yes">
        <source>%n days</source>
        <translation>
            <numerusform>%n Tag</numerusform>
            <numerusform>%n Tage</numerusform>
        </translation>
    </message>
    <message>
        <source>Bigger dots: the hours you usually do it. Orange: when reminders get missed.</source>
        <translation>Größere Punkte: die Stunden, in denen du es meist tust. Orange: wann Erinnerungen verpasst werden.</translation>
    </message>
    <message>
        <source>What stands out</source>
        <translation>Was auffällt</translation>
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
    <message>
        <source>Do not disturb</source>
        <translation>Nicht stören</translation>
    </message>
</context>
<context>
    <name>Insights</name>
    <message>
        <source>Mornings</source>
        <translation>Vormittags</translation>
    </message>
    <message>
        <source>Afternoons</source>
        <translation>Nachmittags</translation>
    </message>
    <message>
        <source>Evenings</source>
        <translation>Abends</translation>
    </message>
    <message>
        <source>Late evenings</source>
        <translation>Spätabends</translation>
    </message>
    <message>
        <source>Insights need a few days of use. Keep the app running and check back.</source>
        <translation>Einblicke brauchen ein paar Tage Nutzung. Lass die App laufen und schau später wieder vorbei.</translation>
    </message>
    <message>
        <source>Give it a few days. Patterns show up here once there&apos;s enough to compare.</source>
        <translation>Gib ihr ein paar Tage. Muster erscheinen hier, sobald es genug zum Vergleichen gibt.</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <comment>count, counting word</comment>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>Best day: %1 with %2.</source>
        <translation>Bester Tag: %1 – %2.</translation>
    </message>
    <message>
        <source>ddd, MMM d</source>
        <translation>ddd, d. MMM</translation>
    </message>
    <message>
        <source>%1s are your quietest day, %2s your most active.</source>
        <translation>%1 ist dein ruhigster Tag, %2 dein aktivster.</translation>
    </message>
    <message>
        <source>Reminders around %1 go unanswered most: %2 of %3. If that&apos;s focus time, a longer interval there may suit you.</source>
        <translation>Erinnerungen gegen %1 bleiben am häufigsten unbeantwortet: %2 von %3. Wenn das Fokuszeit ist, passt dort vielleicht ein längerer Abstand.</translation>
    </message>
    <message>
        <source>You answer %1 reminders in about %2, %3 takes %4.</source>
        <translation>Erinnerungen für %1 beantwortest du in etwa %2, bei %3 lässt du dir %4 Zeit.</translation>
    </message>
    <message>
        <source>Brevimar held reminders for %1 so they wouldn&apos;t interrupt you, mostly during %2.</source>
        <translation>Brevimar hat Erinnerungen %1 lang zurückgehalten, damit sie dich nicht stören, meist bei %2.</translation>
    </message>
    <message>
        <source>You paused reminders by hand %1 times. If it&apos;s always the same stretch, work hours in Settings can do it for you.</source>
        <translation>Du hast Erinnerungen %1-mal von Hand pausiert. Wenn es immer dieselbe Zeit ist, können das die Arbeitszeiten in den Einstellungen für dich übernehmen.</translation>
    </message>
    <message>
        <source>%1 is up to about %2 %3 a day, from %4 %5.</source>
        <translation>%1 ist auf etwa %2 %3 pro Tag gestiegen, gegenüber %4 in %5.</translation>
    </message>
    <message>
        <source>%1 dipped to about %2 %3 a day, from %4 %5.</source>
        <translation>%1 ist auf etwa %2 %3 pro Tag gesunken, gegenüber %4 in %5.</translation>
    </message>
    <message>
        <source>%1 are where you miss the most: %2 of %3 around %4.</source>
        <translation>%1 verpasst du am meisten: %2 von %3 gegen %4.</translation>
    </message>
    <message>
        <source>%1 held %2 of reminders, so nothing interrupted you.</source>
        <translation>%1 hielten Erinnerungen %2 lang zurück, damit dich nichts störte.</translation>
    </message>
    <message>
        <source>Your best day was %1, with %2 done.</source>
        <translation>Dein bester Tag war %1: %2 erledigt.</translation>
    </message>
    <message>
        <source>dddd, MMM d</source>
        <translation>dddd, d. MMM</translation>
    </message>
    <message>
        <source>under a minute</source>
        <translation>unter einer Minute</translation>
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
        <source>%1 hours</source>
        <translation>%1 Stunden</translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <translation>%1 und %2</translation>
    </message>
    <message>
        <source>h Ap</source>
        <comment>hour of the day</comment>
        <translation>H &apos;Uhr&apos;</translation>
    </message>
    <message>
        <source>being away from the desk</source>
        <translation>Abwesenheit vom Schreibtisch</translation>
    </message>
    <message>
        <source>a locked screen</source>
        <translation>gesperrtem Bildschirm</translation>
    </message>
    <message>
        <source>calls</source>
        <translation>Gesprächen</translation>
    </message>
    <message>
        <source>screen sharing</source>
        <translation>Bildschirmfreigabe</translation>
    </message>
    <message>
        <source>full-screen apps</source>
        <translation>Vollbild-Apps</translation>
    </message>
    <message>
        <source>manual pauses</source>
        <translation>manuellen Pausen</translation>
    </message>
    <message>
        <source>calendar meetings</source>
        <translation>Kalenderterminen</translation>
    </message>
    <message>
        <source>app rules</source>
        <translation>App-Regeln</translation>
    </message>
    <message>
        <source>off hours</source>
        <translation>Feierabend</translation>
    </message>
    <message>
        <source>Calls</source>
        <translation>Gespräche</translation>
    </message>
    <message>
        <source>Screen sharing</source>
        <translation>Bildschirmfreigaben</translation>
    </message>
    <message>
        <source>Meetings</source>
        <translation>Termine</translation>
    </message>
    <message>
        <source>Full-screen apps</source>
        <translation>Vollbild-Apps</translation>
    </message>
    <message>
        <source>Your app rules</source>
        <translation>Deine App-Regeln</translation>
    </message>
    <message>
        <source>Holds</source>
        <translation>Pausen</translation>
    </message>
    <message>
        <source>last week</source>
        <translation>letzter Woche</translation>
    </message>
    <message>
        <source>the month before</source>
        <translation>dem Vormonat</translation>
    </message>
    <message>
        <source>the %1 days before</source>
        <translation>den %1 Tagen davor</translation>
    </message>
    <message>
        <source>Do Not Disturb</source>
        <translation>Phasen mit „Nicht stören“</translation>
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
    <name>OnboardingWindow</name>
    <message>
        <source>Start</source>
        <translation>Los geht’s</translation>
    </message>
    <message>
        <source>How active should your day be?</source>
        <translation>Wie aktiv soll dein Tag sein?</translation>
    </message>
    <message>
        <source>You can change everything later. Reminders pause on their own when you&apos;re away or on a call. Nothing here ever acts on your computer.</source>
        <translation>Du kannst alles später ändern. Erinnerungen pausieren von selbst, wenn du weg bist oder telefonierst. Nichts hier greift je in deinen Computer ein.</translation>
    </message>
    <message>
        <source>Also remind me to rest my eyes every 20 min</source>
        <translation>Erinnere mich auch alle 20 Min. an eine Augenpause</translation>
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
        <source>%1 today</source>
        <translation>%1 heute</translation>
    </message>
    <message>
        <source>Goal met</source>
        <translation>Ziel erreicht</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 von %2</translation>
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
    <message>
        <source>Reminders hold while Do Not Disturb is on.</source>
        <translation>Erinnerungen warten, solange „Nicht stören“ an ist.</translation>
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
    <name>PausesPane</name>
    <message>
        <source>Pick an app that means you&apos;re on a call when it&apos;s in front.</source>
        <translation>Wähle eine App, die bedeutet, dass du im Gespräch bist, wenn sie im Vordergrund ist.</translation>
    </message>
    <message>
        <source>Pick an app. Reminders hold while it&apos;s in front (or full screen).</source>
        <translation>Wähle eine App. Erinnerungen warten, solange sie im Vordergrund (oder im Vollbild) ist.</translation>
    </message>
    <message>
        <source>You seem to be away. They start fresh when you&apos;re back.</source>
        <translation>Du scheinst weg zu sein. Sie beginnen neu, wenn du zurück bist.</translation>
    </message>
    <message>
        <source>Your screen is locked.</source>
        <translation>Dein Bildschirm ist gesperrt.</translation>
    </message>
    <message>
        <source>You&apos;re on a call</source>
        <translation>Du bist im Gespräch</translation>
    </message>
    <message>
        <source>Your screen is being shared.</source>
        <translation>Dein Bildschirm wird geteilt.</translation>
    </message>
    <message>
        <source>%1 is full screen.</source>
        <translation>%1 ist im Vollbild.</translation>
    </message>
    <message>
        <source>An app</source>
        <translation>Eine App</translation>
    </message>
    <message>
        <source>You paused them.</source>
        <translation>Du hast sie pausiert.</translation>
    </message>
    <message>
        <source>You&apos;re in %1.</source>
        <translation>Du bist in %1.</translation>
    </message>
    <message>
        <source>a calendar event</source>
        <translation>einem Kalendertermin</translation>
    </message>
    <message>
        <source>Your rule for %1 holds them.</source>
        <translation>Deine Regel für %1 hält sie an.</translation>
    </message>
    <message>
        <source>an app</source>
        <translation>eine App</translation>
    </message>
    <message>
        <source>Outside your work hours.</source>
        <translation>Außerhalb deiner Arbeitszeit.</translation>
    </message>
    <message>
        <source>Hold reminders while</source>
        <translation>Erinnerungen anhalten, während</translation>
    </message>
    <message>
        <source>Checked on this computer every few seconds. Brevimar sees whether the camera is on, never what it sees, and reads only calendar event times. Holds start fresh when they end.</source>
        <translation>Wird alle paar Sekunden auf diesem Computer geprüft. Brevimar sieht, ob die Kamera an ist, nie was sie sieht, und liest nur die Zeiten von Kalenderterminen. Nach einer Pause beginnen die Erinnerungen neu.</translation>
    </message>
    <message>
        <source>On a call</source>
        <translation>Im Gespräch</translation>
    </message>
    <message>
        <source>Sharing the screen</source>
        <translation>Der Bildschirm geteilt wird</translation>
    </message>
    <message>
        <source>An app is full screen</source>
        <translation>Eine App im Vollbild ist</translation>
    </message>
    <message>
        <source>In a calendar event</source>
        <translation>Ein Kalendertermin läuft</translation>
    </message>
    <message>
        <source>Away after %1 min idle</source>
        <translation>Abwesend nach %1 Min. ohne Eingabe</translation>
    </message>
    <message>
        <source>Holding reminders</source>
        <translation>Erinnerungen angehalten</translation>
    </message>
    <message>
        <source>Reminders are running</source>
        <translation>Erinnerungen laufen</translation>
    </message>
    <message>
        <source>Nothing is holding them right now.</source>
        <translation>Gerade hält sie nichts an.</translation>
    </message>
    <message>
        <source>Camera on</source>
        <translation>Kamera an</translation>
    </message>
    <message>
        <source>%1 in front</source>
        <translation>%1 im Vordergrund</translation>
    </message>
    <message>
        <source>Camera off</source>
        <translation>Kamera aus</translation>
    </message>
    <message>
        <source>Via %1</source>
        <translation>Über %1</translation>
    </message>
    <message>
        <source>Not sharing</source>
        <translation>Keine Freigabe</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keine</translation>
    </message>
    <message>
        <source>No event now</source>
        <translation>Gerade kein Termin</translation>
    </message>
    <message>
        <source>Not checked</source>
        <translation>Nicht geprüft</translation>
    </message>
    <message>
        <source>In use</source>
        <translation>In Benutzung</translation>
    </message>
    <message>
        <source>%1 min</source>
        <translation>%1 Min.</translation>
    </message>
    <message>
        <source>Meeting apps</source>
        <translation>Meeting-Apps</translation>
    </message>
    <message>
        <source>Choose App…</source>
        <translation>App auswählen …</translation>
    </message>
    <message>
        <source>Restore Defaults</source>
        <translation>Standard wiederherstellen</translation>
    </message>
    <message>
        <source>1 app</source>
        <translation>1 App</translation>
    </message>
    <message numerus="yes">
        <source>%n apps</source>
        <translation>
            <numerusform>%n App</numerusform>
            <numerusform>%n Apps</numerusform>
        </translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Skip events where I&apos;m free</source>
        <translation>Termine überspringen, bei denen ich frei bin</translation>
    </message>
    <message>
        <source>Skip all-day events</source>
        <translation>Ganztägige Termine überspringen</translation>
    </message>
    <message>
        <source>Calendars</source>
        <translation>Kalender</translation>
    </message>
    <message>
        <source>No calendar service was found on this computer. Brevimar reads Evolution Data Server calendars, as GNOME Calendar and Thunderbird keep them.</source>
        <translation>Auf diesem Computer wurde kein Kalenderdienst gefunden. Brevimar liest Kalender aus dem Evolution Data Server, wie GNOME Kalender und Thunderbird sie führen.</translation>
    </message>
    <message>
        <source>Brevimar needs to read event times</source>
        <translation>Brevimar muss Terminzeiten lesen</translation>
    </message>
    <message>
        <source>Allow Access…</source>
        <translation>Zugriff erlauben …</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Alle</translation>
    </message>
    <message>
        <source>%1 selected</source>
        <translation>%1 ausgewählt</translation>
    </message>
    <message>
        <source>App rules</source>
        <translation>App-Regeln</translation>
    </message>
    <message>
        <source>Hold reminders while a chosen app is in front or full screen, for recording, presenting or deep work.</source>
        <translation>Erinnerungen anhalten, solange eine gewählte App im Vordergrund oder im Vollbild ist, etwa für Aufnahmen, Präsentationen oder konzentrierte Arbeit.</translation>
    </message>
    <message>
        <source>Add App…</source>
        <translation>App hinzufügen …</translation>
    </message>
    <message>
        <source>In front</source>
        <translation>Im Vordergrund</translation>
    </message>
    <message>
        <source>Full screen</source>
        <translation>Vollbild</translation>
    </message>
    <message>
        <source>On this desktop only X11 applications are seen.</source>
        <translation>In dieser Arbeitsumgebung werden nur X11-Anwendungen erkannt.</translation>
    </message>
    <message>
        <source>Time away isn&apos;t seen on this desktop.</source>
        <translation>Abwesenheit wird in dieser Arbeitsumgebung nicht erkannt.</translation>
    </message>
    <message>
        <source>On this desktop only X11 applications are seen, and those that keep the screen awake.</source>
        <translation>In dieser Arbeitsumgebung werden nur X11-Anwendungen erkannt und solche, die den Bildschirm wach halten.</translation>
    </message>
    <message>
        <source>Not seen</source>
        <translation>Nicht erkannt</translation>
    </message>
    <message>
        <source>Do Not Disturb is on.</source>
        <translation>„Nicht stören“ ist an.</translation>
    </message>
    <message>
        <source>Count a microphone in use as a call</source>
        <translation>Ein benutztes Mikrofon als Gespräch zählen</translation>
    </message>
    <message>
        <source>Microphones aren&apos;t seen on this computer: Brevimar reads them from PipeWire.</source>
        <translation>Mikrofone werden auf diesem Computer nicht erkannt: Brevimar liest sie aus PipeWire.</translation>
    </message>
    <message>
        <source>Pause while Do Not Disturb is on</source>
        <translation>Pausieren, solange „Nicht stören“ an ist</translation>
    </message>
    <message>
        <source>Do Not Disturb isn&apos;t seen on this desktop.</source>
        <translation>„Nicht stören“ wird in dieser Arbeitsumgebung nicht erkannt.</translation>
    </message>
    <message>
        <source>Microphone on</source>
        <translation>Mikrofon an</translation>
    </message>
    <message>
        <source>Microphone: %1</source>
        <translation>Mikrofon: %1</translation>
    </message>
    <message>
        <source>Not in use</source>
        <translation>Nicht in Benutzung</translation>
    </message>
    <message>
        <source>On</source>
        <translation>An</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Aus</translation>
    </message>
</context>
<context>
    <name>Preset</name>
    <message>
        <source>Gentle</source>
        <translation>Sanft</translation>
    </message>
    <message>
        <source>Few nudges. Water every 60 min, move every 90.</source>
        <translation>Wenige Anstöße. Wasser alle 60 Min., Bewegung alle 90.</translation>
    </message>
    <message>
        <source>Balanced</source>
        <translation>Ausgewogen</translation>
    </message>
    <message>
        <source>Water every 45 min, move every 60.</source>
        <translation>Wasser alle 45 Min., Bewegung alle 60.</translation>
    </message>
    <message>
        <source>Active</source>
        <translation>Aktiv</translation>
    </message>
    <message>
        <source>Water every 30 min, move every 45.</source>
        <translation>Wasser alle 30 Min., Bewegung alle 45.</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>Eigene</translation>
    </message>
    <message>
        <source>Your own numbers.</source>
        <translation>Deine eigenen Werte.</translation>
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
        <source>%1 today</source>
        <translation>%1 heute</translation>
    </message>
    <message>
        <source>Goal met today</source>
        <translation>Heute Ziel erreicht</translation>
    </message>
    <message>
        <source>%1 of %2 today</source>
        <translation>Heute %1 von %2</translation>
    </message>
</context>
<context>
    <name>ReminderEditor</name>
    <message>
        <source>New Reminder</source>
        <translation>Neue Erinnerung</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Ohne Titel</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Sichern</translation>
    </message>
    <message>
        <source>Eye rest</source>
        <translation>Augenpause</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Look 20 feet away for 20 seconds.</source>
        <translation>Schau 20 Sekunden lang sechs Meter weit.</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Nachricht</translation>
    </message>
    <message>
        <source>Every %1 min</source>
        <translation>Alle %1 Min.</translation>
    </message>
    <message>
        <source>Goal: %1 a day</source>
        <translation>Ziel: %1 pro Tag</translation>
    </message>
    <message>
        <source>Unit</source>
        <translation>Einheit</translation>
    </message>
    <message>
        <source>Unit plural</source>
        <translation>Einheit (Mehrzahl)</translation>
    </message>
    <message>
        <source>Counted as</source>
        <translation>Gezählt als</translation>
    </message>
    <message>
        <source>Icon</source>
        <translation>Symbol</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>Farbe</translation>
    </message>
    <message>
        <source>Delete Reminder</source>
        <translation>Erinnerung löschen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Stretching</source>
        <translation>Dehnen</translation>
    </message>
    <message>
        <source>Eyes</source>
        <translation>Augen</translation>
    </message>
    <message>
        <source>Hand</source>
        <translation>Hand</translation>
    </message>
    <message>
        <source>Pills</source>
        <translation>Tabletten</translation>
    </message>
    <message>
        <source>Leaf</source>
        <translation>Blatt</translation>
    </message>
    <message>
        <source>Mind</source>
        <translation>Kopf</translation>
    </message>
    <message>
        <source>Standing</source>
        <translation>Aufstehen</translation>
    </message>
    <message>
        <source>Cup</source>
        <translation>Tasse</translation>
    </message>
    <message>
        <source>Sun</source>
        <translation>Sonne</translation>
    </message>
    <message>
        <source>Heart</source>
        <translation>Herz</translation>
    </message>
    <message>
        <source>Orange</source>
        <translation>Orange</translation>
    </message>
    <message>
        <source>Purple</source>
        <translation>Lila</translation>
    </message>
    <message>
        <source>Teal</source>
        <translation>Petrol</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Blau</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Grün</translation>
    </message>
</context>
<context>
    <name>RemindersPane</name>
    <message>
        <source>Untitled</source>
        <translation>Ohne Titel</translation>
    </message>
    <message>
        <source>Reminders</source>
        <translation>Erinnerungen</translation>
    </message>
    <message>
        <source>Add Reminder</source>
        <translation>Erinnerung hinzufügen</translation>
    </message>
    <message>
        <source>Custom…</source>
        <translation>Eigene …</translation>
    </message>
    <message>
        <source>Timing</source>
        <translation>Zeitplan</translation>
    </message>
    <message>
        <source>Adaptive timing comes up to 25% sooner in hours you usually answer and up to 50% later in hours you skip. Changing an interval restarts its clock.</source>
        <translation>Angepasste Zeiten kommen bis zu 25 % früher in Stunden, in denen du meist antwortest, und bis zu 50 % später in Stunden, die du überspringst. Ein geänderter Abstand startet seine Uhr neu.</translation>
    </message>
    <message>
        <source>Pace</source>
        <translation>Tempo</translation>
    </message>
    <message>
        <source>At least %1 min between reminders</source>
        <translation>Mindestens %1 Min. zwischen Erinnerungen</translation>
    </message>
    <message>
        <source>Adapt timing to how I answer</source>
        <translation>Zeiten an meine Antworten anpassen</translation>
    </message>
    <message>
        <source>Show daily goals in the menu bar</source>
        <translation>Tagesziele im Infobereich zeigen</translation>
    </message>
    <message>
        <source>Next 4 hours</source>
        <translation>Nächste 4 Stunden</translation>
    </message>
    <message>
        <source>If nothing holds them. Calls, screen sharing and time away push reminders later.</source>
        <translation>Wenn nichts sie anhält. Gespräche, Bildschirmfreigaben und Abwesenheit verschieben Erinnerungen nach hinten.</translation>
    </message>
    <message>
        <source>Every %1 min today</source>
        <translation>Heute alle %1 Min.</translation>
    </message>
    <message>
        <source>Every %1 min</source>
        <translation>Alle %1 Min.</translation>
    </message>
    <message>
        <source> · %1 a day</source>
        <translation> · %1 pro Tag</translation>
    </message>
    <message>
        <source>Edit %1</source>
        <translation>%1 bearbeiten</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Bearbeiten</translation>
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
    <name>SchedulePane</name>
    <message>
        <source>Work hours</source>
        <translation>Arbeitszeit</translation>
    </message>
    <message>
        <source>Outside these hours reminders stay quiet. Pace by day can make Fridays gentler, for example.</source>
        <translation>Außerhalb dieser Zeiten bleiben Erinnerungen still. Mit dem Tempo pro Tag wird zum Beispiel der Freitag sanfter.</translation>
    </message>
    <message>
        <source>Only remind me during work hours</source>
        <translation>Nur während der Arbeitszeit erinnern</translation>
    </message>
    <message>
        <source>From</source>
        <translation>Von</translation>
    </message>
    <message>
        <source>Until</source>
        <translation>Bis</translation>
    </message>
    <message>
        <source>Days</source>
        <translation>Tage</translation>
    </message>
    <message>
        <source>Pace on %1</source>
        <translation>Tempo am %1</translation>
    </message>
    <message>
        <source>Same as always</source>
        <translation>Wie immer</translation>
    </message>
    <message>
        <source>Pace by day</source>
        <translation>Tempo pro Tag</translation>
    </message>
    <message>
        <source>Summaries</source>
        <translation>Zusammenfassungen</translation>
    </message>
    <message>
        <source>Today&apos;s counts at the end of the day, and how the week went on Sunday. They appear in your reminder style.</source>
        <translation>Die heutigen Zahlen am Ende des Tages und sonntags ein Blick auf die Woche. Sie erscheinen in deinem Erinnerungsstil.</translation>
    </message>
    <message>
        <source>Daily summary</source>
        <translation>Tageszusammenfassung</translation>
    </message>
    <message>
        <source>Daily summary time</source>
        <translation>Zeit der Tageszusammenfassung</translation>
    </message>
    <message>
        <source>Weekly summary on Sunday evening</source>
        <translation>Wochenzusammenfassung am Sonntagabend</translation>
    </message>
    <message>
        <source>Show Summary Now</source>
        <translation>Zusammenfassung jetzt zeigen</translation>
    </message>
    <message>
        <source>See how it looks</source>
        <translation>So sieht es aus</translation>
    </message>
</context>
<context>
    <name>SettingsForm::Stepper</name>
    <message>
        <source>Less</source>
        <translation>Weniger</translation>
    </message>
    <message>
        <source>More</source>
        <translation>Mehr</translation>
    </message>
</context>
<context>
    <name>SettingsWindow</name>
    <message>
        <source>Reminders</source>
        <translation>Erinnerungen</translation>
    </message>
    <message>
        <source>Alerts</source>
        <translation>Hinweise</translation>
    </message>
    <message>
        <source>Pauses</source>
        <translation>Pausen</translation>
    </message>
    <message>
        <source>Schedule</source>
        <translation>Zeitplan</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>Brevimar Settings</source>
        <translation>Brevimar-Einstellungen</translation>
    </message>
</context>
<context>
    <name>Translations</name>
    <message>
        <source>en</source>
        <comment>the language of these texts as a locale name, such as de or pt_BR</comment>
        <translation>de</translation>
    </message>
</context>
<context>
    <name>UpdateWindow</name>
    <message>
        <source>Software Update</source>
        <translation>Softwareaktualisierung</translation>
    </message>
    <message>
        <source>A new version of Brevimar is available!</source>
        <translation>Eine neue Version von Brevimar ist verfügbar!</translation>
    </message>
    <message>
        <source>Brevimar %1 is now available — you have %2.</source>
        <translation>Brevimar %1 ist jetzt verfügbar – du hast %2.</translation>
    </message>
    <message>
        <source>Brevimar is up to date.</source>
        <translation>Brevimar ist auf dem neuesten Stand.</translation>
    </message>
    <message>
        <source>Brevimar %1 is the newest version available.</source>
        <translation>Brevimar %1 ist die neueste verfügbare Version.</translation>
    </message>
    <message>
        <source>Brevimar couldn&apos;t check for updates.</source>
        <translation>Brevimar konnte nicht nach Updates suchen.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Release notes:</source>
        <translation>Versionshinweise:</translation>
    </message>
    <message>
        <source>Release Notes</source>
        <translation>Versionshinweise</translation>
    </message>
    <message>
        <source>Skip This Version</source>
        <translation>Diese Version überspringen</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>Später</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Herunterladen</translation>
    </message>
</context>
<context>
    <name>UpdaterService</name>
    <message>
        <source>Build %1</source>
        <translation>Build %1</translation>
    </message>
    <message>
        <source>The update feed is larger than 1 MiB.</source>
        <translation>Der Update-Feed ist größer als 1 MiB.</translation>
    </message>
    <message>
        <source>The update feed %1 is not an https address.</source>
        <translation>Der Update-Feed %1 ist keine https-Adresse.</translation>
    </message>
    <message>
        <source>The update server answered HTTP %1.</source>
        <translation>Der Update-Server antwortete mit HTTP %1.</translation>
    </message>
    <message>
        <source>The update server did not answer in time.</source>
        <translation>Der Update-Server hat nicht rechtzeitig geantwortet.</translation>
    </message>
</context>
<context>
    <name>XdgAutostart</name>
    <message>
        <source>Could not remove %1: %2</source>
        <translation>%1 konnte nicht entfernt werden: %2</translation>
    </message>
    <message>
        <source>Could not create the folder %1</source>
        <translation>Der Ordner %1 konnte nicht angelegt werden</translation>
    </message>
    <message>
        <source>Could not write %1: %2</source>
        <translation>%1 konnte nicht geschrieben werden: %2</translation>
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
    <message>
        <source>brevimarctl: &quot;%1&quot; is not a Brevimar link; links are like brevimar://done/water.</source>
        <translation>brevimarctl: „%1“ ist kein Brevimar-Link; Links sehen so aus: brevimar://done/water.</translation>
    </message>
</context>
</TS>
