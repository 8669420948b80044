<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>App::AppAppearance</name>
    <message>
        <source>System</source>
        <translation>System</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>Hell</translation>
    </message>
    <message>
        <source>Dark</source>
        <translation>Dunkel</translation>
    </message>
</context>
<context>
    <name>App::BinNotFoundBar</name>
    <message>
        <source>Install &amp; Setup</source>
        <translation>Installieren und einrichten</translation>
    </message>
    <message>
        <source>Bin not found</source>
        <translation>Programm nicht gefunden</translation>
    </message>
    <message>
        <source>yt-dlp Setup</source>
        <translation>yt-dlp einrichten</translation>
    </message>
    <message>
        <source>Command-line binary cannot be found, please install and setup [yt-dlp](%1) first to download videos.</source>
        <translation>Das Befehlszeilenprogramm wurde nicht gefunden. Bitte installieren und richten Sie zuerst [yt-dlp](%1) ein, um Videos herunterzuladen.</translation>
    </message>
</context>
<context>
    <name>App::BookmarkletLink</name>
    <message>
        <source>Drag to the bookmarks bar of your browser; click to copy</source>
        <translation>In die Lesezeichenleiste Ihres Browsers ziehen; zum Kopieren klicken</translation>
    </message>
    <message>
        <source>Send to VeltQorv</source>
        <translation>An VeltQorv senden</translation>
    </message>
</context>
<context>
    <name>App::DownloadChoiceEditor</name>
    <message>
        <source>Video</source>
        <translation>Video</translation>
    </message>
    <message>
        <source>Audio only</source>
        <translation>Nur Audio</translation>
    </message>
    <message>
        <source>Download:</source>
        <translation>Herunterladen:</translation>
    </message>
    <message>
        <source>As the site has it</source>
        <translation>Wie auf der Seite</translation>
    </message>
    <message>
        <source>Quality:</source>
        <translation>Qualität:</translation>
    </message>
    <message>
        <source>Container:</source>
        <translation>Container:</translation>
    </message>
    <message>
        <source>Best original</source>
        <translation>Bestes Original</translation>
    </message>
    <message>
        <source>Format:</source>
        <translation>Format:</translation>
    </message>
    <message>
        <source>Subtitles</source>
        <translation>Untertitel</translation>
    </message>
    <message>
        <source>Into the file</source>
        <translation>In die Datei</translation>
    </message>
    <message>
        <source>As files beside it</source>
        <translation>Als eigene Dateien daneben</translation>
    </message>
    <message>
        <source>Save:</source>
        <translation>Speichern:</translation>
    </message>
    <message>
        <source>Extras</source>
        <translation>Extras</translation>
    </message>
    <message>
        <source>Embed the thumbnail</source>
        <translation>Vorschaubild einbetten</translation>
    </message>
    <message>
        <source>Embed metadata and chapters</source>
        <translation>Metadaten und Kapitel einbetten</translation>
    </message>
    <message>
        <source>Keep everything</source>
        <translation>Alles behalten</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Mark as chapters</source>
        <translation>Als Kapitel markieren</translation>
    </message>
    <message>
        <source>SponsorBlock:</source>
        <translation>SponsorBlock:</translation>
    </message>
    <message>
        <source>Best</source>
        <extracomment>Audio quality
----------
Video quality</extracomment>
        <translation>Beste</translation>
    </message>
    <message>
        <source>Automatic captions</source>
        <translation>Automatische Untertitel</translation>
    </message>
    <message>
        <source>This video has none</source>
        <translation>Dieses Video hat keine</translation>
    </message>
    <message>
        <source>None known yet</source>
        <translation>Noch keine bekannt</translation>
    </message>
    <message>
        <source>Sponsor</source>
        <extracomment>SponsorBlock category</extracomment>
        <translation>Sponsor</translation>
    </message>
    <message>
        <source>Self-promotion</source>
        <extracomment>SponsorBlock category</extracomment>
        <translation>Eigenwerbung</translation>
    </message>
    <message>
        <source>Reminders</source>
        <extracomment>SponsorBlock category</extracomment>
        <translation>Erinnerungen</translation>
    </message>
    <message>
        <source>Intro</source>
        <extracomment>SponsorBlock category</extracomment>
        <translation>Intro</translation>
    </message>
    <message>
        <source>Credits</source>
        <extracomment>SponsorBlock category</extracomment>
        <translation>Abspann</translation>
    </message>
    <message>
        <source>Preview and recap</source>
        <extracomment>SponsorBlock category</extracomment>
        <translation>Vorschau und Rückblick</translation>
    </message>
    <message>
        <source>Filler</source>
        <extracomment>SponsorBlock category</extracomment>
        <translation>Füllmaterial</translation>
    </message>
    <message>
        <source>Non-music part</source>
        <extracomment>SponsorBlock category</extracomment>
        <translation>Abschnitt ohne Musik</translation>
    </message>
    <message>
        <source>High</source>
        <extracomment>Audio quality</extracomment>
        <translation>Hoch</translation>
    </message>
    <message>
        <source>Medium</source>
        <extracomment>Audio quality</extracomment>
        <translation>Mittel</translation>
    </message>
    <message>
        <source>Low</source>
        <extracomment>Audio quality</extracomment>
        <translation>Niedrig</translation>
    </message>
</context>
<context>
    <name>App::DropPanel</name>
    <message>
        <source>Drop a link</source>
        <translation>Link ablegen</translation>
    </message>
    <message>
        <source>Drag and drop link here</source>
        <translation>Link hierher ziehen und ablegen</translation>
    </message>
</context>
<context>
    <name>App::GlobalShortcut</name>
    <message>
        <source>Show or hide the VeltQorv window</source>
        <translation>VeltQorv-Fenster anzeigen oder ausblenden</translation>
    </message>
    <message>
        <source>No shortcut recorded.</source>
        <translation>Kein Tastenkürzel aufgezeichnet.</translation>
    </message>
    <message>
        <source>Waiting for the desktop to accept %1…</source>
        <translation>Warten, bis die Arbeitsumgebung %1 akzeptiert…</translation>
    </message>
    <message>
        <source>The shortcut was declined in the desktop&apos;s prompt, so %1 does nothing. Record another combination, or clear it and record it again, to be asked once more.</source>
        <translation>Das Tastenkürzel wurde in der Abfrage der Arbeitsumgebung abgelehnt, daher bewirkt %1 nichts. Zeichnen Sie eine andere Kombination auf oder löschen Sie es und zeichnen Sie es erneut auf, um noch einmal gefragt zu werden.</translation>
    </message>
    <message>
        <source>The desktop did not accept %1 as a global shortcut. Record another combination, or assign one in your desktop&apos;s keyboard settings.</source>
        <translation>Die Arbeitsumgebung hat %1 nicht als globales Tastenkürzel akzeptiert. Zeichnen Sie eine andere Kombination auf oder legen Sie eine in den Tastatureinstellungen Ihrer Arbeitsumgebung fest.</translation>
    </message>
    <message>
        <source>%1 is already used by another program. Record another combination.</source>
        <translation>%1 wird bereits von einem anderen Programm verwendet. Zeichnen Sie eine andere Kombination auf.</translation>
    </message>
    <message>
        <source>%1 cannot be used as a global shortcut. Record another combination.</source>
        <translation>%1 kann nicht als globales Tastenkürzel verwendet werden. Zeichnen Sie eine andere Kombination auf.</translation>
    </message>
</context>
<context>
    <name>App::HandoverBar</name>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>Verwerfen</translation>
    </message>
    <message>
        <source>1 more address from other programs waits to be added.</source>
        <translation>Eine weitere Adresse aus anderen Programmen wartet darauf, hinzugefügt zu werden.</translation>
    </message>
    <message numerus="yes">
        <source>%n more addresses from other programs wait to be added.</source>
        <translation>
            <numerusform>%n weitere Adresse aus anderen Programmen wartet darauf, hinzugefügt zu werden.</numerusform>
            <numerusform>%n weitere Adressen aus anderen Programmen warten darauf, hinzugefügt zu werden.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>App::InstallButton</name>
    <message>
        <source>Download &amp; Install</source>
        <translation>Herunterladen und installieren</translation>
    </message>
    <message>
        <source>⚠ Installation failed: %1</source>
        <translation>⚠ Installation fehlgeschlagen: %1</translation>
    </message>
</context>
<context>
    <name>App::MainWindow</name>
    <message>
        <source>About %1</source>
        <translation>Über %1</translation>
    </message>
    <message>
        <source>&lt;b&gt;%1&lt;/b&gt; %2 (%3)&lt;br&gt;A desktop front end for yt-dlp.</source>
        <translation>&lt;b&gt;%1&lt;/b&gt; %2 (%3)&lt;br&gt;Eine grafische Oberfläche für yt-dlp.</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>&amp;Downloads</source>
        <translation>Do&amp;wnloads</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>Werkzeugleiste</translation>
    </message>
    <message>
        <source>Add new downloads by entering URL or get URL from clipboard directly</source>
        <translation>Neue Downloads per Adresse oder direkt aus der Zwischenablage hinzufügen</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Delete selected items</source>
        <translation>Ausgewählte Einträge löschen</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Found: %1</source>
        <translation>Gefunden: %1</translation>
    </message>
</context>
<context>
    <name>App::NewDownloadDialog</name>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Save Preset</source>
        <translation>Voreinstellung speichern</translation>
    </message>
    <message>
        <source>Name of the preset:</source>
        <translation>Name der Voreinstellung:</translation>
    </message>
    <message>
        <source>Save To</source>
        <translation>Speichern in</translation>
    </message>
    <message>
        <source>New Download</source>
        <translation>Neuer Download</translation>
    </message>
    <message>
        <source>Required</source>
        <translation>Erforderlich</translation>
    </message>
    <message>
        <source>As the site names it</source>
        <translation>Wie auf der Seite benannt</translation>
    </message>
    <message>
        <source>URL:</source>
        <translation>Adresse:</translation>
    </message>
    <message>
        <source>Save to:</source>
        <translation>Speichern in:</translation>
    </message>
    <message>
        <source>File name:</source>
        <translation>Dateiname:</translation>
    </message>
    <message>
        <source>Save as Preset…</source>
        <translation>Als Voreinstellung speichern…</translation>
    </message>
    <message>
        <source>Preset:</source>
        <translation>Voreinstellung:</translation>
    </message>
    <message>
        <source>Choose…</source>
        <translation>Auswählen…</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keine</translation>
    </message>
    <message>
        <source>URL is invalid!</source>
        <translation>Die Adresse ist ungültig!</translation>
    </message>
</context>
<context>
    <name>App::NoDownloadPlaceholder</name>
    <message>
        <source>New Download…</source>
        <translation>Neuer Download…</translation>
    </message>
    <message>
        <source>yt-dlp command line tool not found, please install it first!</source>
        <translation>Das Befehlszeilenprogramm yt-dlp wurde nicht gefunden. Bitte installieren Sie es zuerst!</translation>
    </message>
    <message>
        <source>Get started by adding a video URL to download</source>
        <translation>Fügen Sie zum Einstieg die Adresse eines Videos hinzu</translation>
    </message>
</context>
<context>
    <name>App::NotificationPermission</name>
    <message>
        <source>No notification service runs in this desktop session. Install one (for example the &quot;dunst&quot; or &quot;notification-daemon&quot; package) or start your desktop&apos;s own, then press &quot;Enable&quot; again.</source>
        <translation>In dieser Sitzung läuft kein Benachrichtigungsdienst. Installieren Sie einen (zum Beispiel das Paket „dunst“ oder „notification-daemon“) oder starten Sie den Ihrer Arbeitsumgebung und klicken Sie dann erneut auf „Aktivieren“.</translation>
    </message>
</context>
<context>
    <name>App::PortalShortcutBackend</name>
    <message>
        <source>Global shortcuts are not available in a Wayland session: the desktop does not let applications listen for keys pressed in other windows. Use your desktop&apos;s own keyboard settings to run &quot;veltqorv&quot; instead.</source>
        <translation>Globale Tastenkürzel sind in einer Wayland-Sitzung nicht verfügbar: Die Arbeitsumgebung lässt Anwendungen nicht auf Tasten reagieren, die in anderen Fenstern gedrückt werden. Legen Sie stattdessen in den Tastatureinstellungen Ihrer Arbeitsumgebung ein Kürzel an, das „veltqorv“ ausführt.</translation>
    </message>
    <message>
        <source>The desktop accepted the shortcut but assigned it no keys. Choose them in your desktop&apos;s keyboard settings.</source>
        <translation>Die Arbeitsumgebung hat das Tastenkürzel angenommen, ihm aber keine Tasten zugewiesen. Wählen Sie diese in den Tastatureinstellungen Ihrer Arbeitsumgebung.</translation>
    </message>
    <message>
        <source>Press %1 anywhere to show or hide the main window.</source>
        <translation>Drücken Sie an beliebiger Stelle %1, um das Hauptfenster anzuzeigen oder auszublenden.</translation>
    </message>
</context>
<context>
    <name>App::SettingsDonationView</name>
    <message>
        <source>Donation</source>
        <translation>Spende</translation>
    </message>
    <message>
        <source>Contact</source>
        <translation>Kontakt</translation>
    </message>
    <message>
        <source>Email</source>
        <translation>E-Mail</translation>
    </message>
    <message>
        <source>Homepage</source>
        <translation>Webseite</translation>
    </message>
</context>
<context>
    <name>App::SettingsDownloadView</name>
    <message>
        <source>Default Download Location</source>
        <translation>Standard-Downloadordner</translation>
    </message>
    <message>
        <source>Choose…</source>
        <translation>Auswählen…</translation>
    </message>
    <message>
        <source>Downloads will be saved to the chosen folder by default.</source>
        <translation>Downloads werden standardmäßig im gewählten Ordner gespeichert.</translation>
    </message>
    <message>
        <source>Delay</source>
        <translation>Verzögerung</translation>
    </message>
    <message>
        <source>None</source>
        <extracomment>No delay</extracomment>
        <translation>Keine</translation>
    </message>
    <message>
        <source>Download Delay for Live Event</source>
        <translation>Download-Verzögerung bei Live-Events</translation>
    </message>
    <message>
        <source>When enabled, download starting time will be delayed by the chosen duration.</source>
        <translation>Wenn aktiviert, beginnt der Download um die gewählte Dauer später.</translation>
    </message>
    <message>
        <source>New Downloads</source>
        <translation>Neue Downloads</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Default preset</source>
        <translation>Standard-Voreinstellung</translation>
    </message>
    <message>
        <source>Addresses from the clipboard, the drop panel, other programs and the command line use the default preset.</source>
        <translation>Adressen aus der Zwischenablage, dem Ablagefeld, anderen Programmen und der Befehlszeile verwenden die Standard-Voreinstellung.</translation>
    </message>
    <message>
        <source>1 hour</source>
        <translation>1 Stunde</translation>
    </message>
    <message numerus="yes">
        <source>%n hours</source>
        <translation>
            <numerusform>%n Stunde</numerusform>
            <numerusform>%n Stunden</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>App::SettingsGeneralView</name>
    <message>
        <source>Enable</source>
        <translation>Aktivieren</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Appearance</source>
        <translation>Erscheinungsbild</translation>
    </message>
    <message>
        <source>Launch at Login</source>
        <translation>Bei Anmeldung starten</translation>
    </message>
    <message>
        <source>Notifications</source>
        <translation>Benachrichtigungen</translation>
    </message>
    <message>
        <source>System Notification</source>
        <translation>Systembenachrichtigung</translation>
    </message>
    <message>
        <source>Notify when downloads completed.</source>
        <translation>Benachrichtigen, wenn Downloads abgeschlossen sind.</translation>
    </message>
    <message>
        <source>Shortcut</source>
        <translation>Tastenkürzel</translation>
    </message>
    <message>
        <source>Toggle Main Window</source>
        <translation>Hauptfenster ein-/ausblenden</translation>
    </message>
    <message>
        <source>Browser Button</source>
        <translation>Browser-Schaltfläche</translation>
    </message>
    <message>
        <source>Drag the button to your browser&apos;s bookmarks bar, then click it there on a video&apos;s page.</source>
        <translation>Ziehen Sie die Schaltfläche in die Lesezeichenleiste Ihres Browsers und klicken Sie dort darauf, wenn Sie auf der Seite eines Videos sind.</translation>
    </message>
    <message>
        <source>Automatically Check Updates</source>
        <translation>Automatisch nach Aktualisierungen suchen</translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation>Aktiviert</translation>
    </message>
</context>
<context>
    <name>App::SettingsMouseTrackpadView</name>
    <message>
        <source>Shake to Download</source>
        <translation>Schütteln zum Herunterladen</translation>
    </message>
    <message>
        <source>Mouse &amp; Trackpad</source>
        <translation>Maus und Touchpad</translation>
    </message>
    <message>
        <source>Quickly drag and shake link to add as new download.

*(Works in this X11 session; no extra permission is needed.)*</source>
        <translation>Ziehen und schütteln Sie einen Link schnell, um ihn als neuen Download hinzuzufügen.

*(Funktioniert in dieser X11-Sitzung; keine zusätzliche Berechtigung nötig.)*</translation>
    </message>
    <message>
        <source>Quickly drag and shake link to add as new download.

*(Not available: %1)*</source>
        <translation>Ziehen und schütteln Sie einen Link schnell, um ihn als neuen Download hinzuzufügen.

*(Nicht verfügbar: %1)*</translation>
    </message>
</context>
<context>
    <name>App::SettingsWindow</name>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>Download</source>
        <extracomment>Settings tab about downloads</extracomment>
        <translation>Download</translation>
    </message>
    <message>
        <source>Gesture</source>
        <translation>Geste</translation>
    </message>
    <message>
        <source>Command-line</source>
        <translation>Befehlszeile</translation>
    </message>
    <message>
        <source>Support</source>
        <translation>Unterstützung</translation>
    </message>
</context>
<context>
    <name>App::ShakeItemDelegate</name>
    <message>
        <source>Starred</source>
        <translation>Markiert</translation>
    </message>
    <message>
        <source>Download failed, click to view error details.</source>
        <translation>Download fehlgeschlagen. Klicken Sie für Details zum Fehler.</translation>
    </message>
    <message>
        <source>Open file</source>
        <translation>Datei öffnen</translation>
    </message>
    <message>
        <source>Show in folder</source>
        <translation>Im Ordner anzeigen</translation>
    </message>
</context>
<context>
    <name>App::SidebarView</name>
    <message>
        <source>Downloads</source>
        <translation>Downloads</translation>
    </message>
</context>
<context>
    <name>App::ToolInstaller</name>
    <message>
        <source>Could not download the release&apos;s checksums: %1</source>
        <translation>Die Prüfsummen der Version konnten nicht heruntergeladen werden: %1</translation>
    </message>
    <message>
        <source>The release lists no SHA-256 sum for %1.</source>
        <translation>Die Version nennt keine SHA-256-Summe für %1.</translation>
    </message>
    <message>
        <source>Cannot create the folder %1.</source>
        <translation>Der Ordner %1 kann nicht erstellt werden.</translation>
    </message>
    <message>
        <source>Cannot write to %1: %2</source>
        <translation>In %1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>Download failed: %1</source>
        <translation>Download fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>Checksum mismatch: the downloaded %1 does not match the release&apos;s SHA-256 sum. Nothing was installed.</source>
        <translation>Prüfsummenfehler: Die heruntergeladene Datei %1 stimmt nicht mit der SHA-256-Summe der Version überein. Es wurde nichts installiert.</translation>
    </message>
    <message>
        <source>Cannot install %1: %2</source>
        <translation>%1 kann nicht installiert werden: %2</translation>
    </message>
    <message>
        <source>%1 is not an executable file.</source>
        <translation>%1 ist keine ausführbare Datei.</translation>
    </message>
    <message>
        <source>HTTP %1 from %2</source>
        <translation>HTTP %1 von %2</translation>
    </message>
</context>
<context>
    <name>App::ToolSetupView</name>
    <message>
        <source>(manually choose yt-dlp binary path)</source>
        <translation>(Pfad zum yt-dlp-Programm manuell wählen)</translation>
    </message>
    <message>
        <source>Simple &lt;a href=&quot;%1&quot;&gt;yt-dlp&lt;/a&gt; GUI app for video sites downloading</source>
        <translation>Einfache grafische Oberfläche für &lt;a href=&quot;%1&quot;&gt;yt-dlp&lt;/a&gt; zum Herunterladen von Videos</translation>
    </message>
    <message>
        <source>yt-dlp</source>
        <translation>yt-dlp</translation>
    </message>
    <message>
        <source>• yt-dlp is a command-line program that downloads videos from YouTube and many other video sites.&lt;br&gt;• It is a fork of youtube-dl with additional features and fixes.&lt;br&gt;&lt;a href=&quot;%1&quot;&gt;%1&lt;/a&gt;</source>
        <translation>• yt-dlp ist ein Befehlszeilenprogramm, das Videos von YouTube und vielen anderen Videoseiten herunterlädt.&lt;br&gt;• Es ist ein Fork von youtube-dl mit zusätzlichen Funktionen und Korrekturen.&lt;br&gt;&lt;a href=&quot;%1&quot;&gt;%1&lt;/a&gt;</translation>
    </message>
    <message>
        <source>Path</source>
        <translation>Pfad</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>Weiter</translation>
    </message>
    <message>
        <source>Choose the yt-dlp executable</source>
        <translation>yt-dlp-Programmdatei auswählen</translation>
    </message>
    <message>
        <source>yt-dlp not found</source>
        <translation>yt-dlp nicht gefunden</translation>
    </message>
    <message>
        <source>yt-dlp installed</source>
        <translation>yt-dlp installiert</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Unbekannt</translation>
    </message>
</context>
<context>
    <name>App::TrayIcon</name>
    <message>
        <source>Show Main Window</source>
        <translation>Hauptfenster anzeigen</translation>
    </message>
    <message>
        <source>New from Clipboard…</source>
        <translation>Neu aus Zwischenablage…</translation>
    </message>
    <message>
        <source>Check for Updates…</source>
        <translation>Nach Aktualisierungen suchen…</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>%1 — 1 download running</source>
        <translation>%1 — 1 Download läuft</translation>
    </message>
    <message numerus="yes">
        <source>%1 — %n downloads running</source>
        <translation>
            <numerusform>%1 — %n Download läuft</numerusform>
            <numerusform>%1 — %n Downloads laufen</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>App::UndoDeleteBar</name>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Deleted 1 download</source>
        <translation>1 Download gelöscht</translation>
    </message>
    <message numerus="yes">
        <source>Deleted %n downloads</source>
        <translation>
            <numerusform>%n Download gelöscht</numerusform>
            <numerusform>%n Downloads gelöscht</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>App::UpdateChecker</name>
    <message>
        <source>the server answered HTTP %1</source>
        <translation>der Server antwortete mit HTTP %1</translation>
    </message>
    <message>
        <source>Could not check for updates: %1</source>
        <translation>Die Suche nach Aktualisierungen ist fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>the feed is not valid XML (%1)</source>
        <translation>der Feed ist kein gültiges XML (%1)</translation>
    </message>
    <message>
        <source>the feed lists no release</source>
        <translation>der Feed nennt keine Version</translation>
    </message>
</context>
<context>
    <name>App::UpdateDialog</name>
    <message>
        <source>Software Update</source>
        <translation>Softwareaktualisierung</translation>
    </message>
    <message>
        <source>%1 %2 is available — you have %3.</source>
        <translation>%1 %2 ist verfügbar – Sie haben %3.</translation>
    </message>
    <message>
        <source>Download…</source>
        <translation>Herunterladen…</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>Später</translation>
    </message>
    <message>
        <source>You&apos;re up to date! %1 %2 is the newest version.</source>
        <translation>Alles aktuell! %1 %2 ist die neueste Version.</translation>
    </message>
</context>
<context>
    <name>App::VideoPreview</name>
    <message>
        <source>Paste or type the address of a video</source>
        <translation>Adresse eines Videos einfügen oder eingeben</translation>
    </message>
    <message>
        <source>Reading the video&apos;s details…</source>
        <translation>Details des Videos werden gelesen…</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
    <message>
        <source>Could not read the video&apos;s details: %1</source>
        <translation>Die Details des Videos konnten nicht gelesen werden: %1</translation>
    </message>
</context>
<context>
    <name>App::X11DragMonitor</name>
    <message>
        <source>Wayland does not let an application follow drags in other applications&apos; windows, so shaking a dragged link cannot open the drop panel. The gesture works in an X11 session.</source>
        <translation>Unter Wayland kann eine Anwendung Ziehvorgänge in Fenstern anderer Anwendungen nicht verfolgen, daher kann das Schütteln eines gezogenen Links das Ablagefeld nicht öffnen. Die Geste funktioniert in einer X11-Sitzung.</translation>
    </message>
    <message>
        <source>The gesture needs an X11 session.</source>
        <translation>Die Geste benötigt eine X11-Sitzung.</translation>
    </message>
    <message>
        <source>The X server could not be reached.</source>
        <translation>Der X-Server ist nicht erreichbar.</translation>
    </message>
    <message>
        <source>The X server lacks the XInput 2.2 extension that the gesture needs.</source>
        <translation>Dem X-Server fehlt die Erweiterung XInput 2.2, die die Geste benötigt.</translation>
    </message>
</context>
<context>
    <name>App::X11ShortcutBackend</name>
    <message>
        <source>Global shortcuts are not available on this display (%1).</source>
        <translation>Globale Tastenkürzel sind auf dieser Anzeige (%1) nicht verfügbar.</translation>
    </message>
    <message>
        <source>Press %1 anywhere to show or hide the main window.</source>
        <translation>Drücken Sie an beliebiger Stelle %1, um das Hauptfenster anzuzeigen oder auszublenden.</translation>
    </message>
</context>
<context>
    <name>AutostartEntry</name>
    <message>
        <source>Could not remove %1.</source>
        <translation>%1 konnte nicht entfernt werden.</translation>
    </message>
    <message>
        <source>The program&apos;s own path is unknown.</source>
        <translation>Der Pfad des Programms selbst ist unbekannt.</translation>
    </message>
    <message>
        <source>The autostart template is missing from the program.</source>
        <translation>Dem Programm fehlt die Autostart-Vorlage.</translation>
    </message>
    <message>
        <source>Could not create the folder %1.</source>
        <translation>Der Ordner %1 konnte nicht erstellt werden.</translation>
    </message>
    <message>
        <source>Could not write %1: %2</source>
        <translation>%1 konnte nicht geschrieben werden: %2</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Adds the videos at the addresses to the downloads of the running %1, which it starts when there is none.</source>
        <translation>Fügt die Videos unter den Adressen zu den Downloads des laufenden %1 hinzu und startet es, falls es nicht läuft.</translation>
    </message>
    <message>
        <source>Shows this help.</source>
        <translation>Zeigt diese Hilfe.</translation>
    </message>
    <message>
        <source>Shows the version.</source>
        <translation>Zeigt die Version.</translation>
    </message>
    <message>
        <source>Audio only, as FORMAT: mp3, m4a, opus, flac or best.</source>
        <translation>Nur Audio, als FORMAT: mp3, m4a, opus, flac oder best.</translation>
    </message>
    <message>
        <source>Video of at most HEIGHT lines, such as 720 or 1080.</source>
        <translation>Video mit höchstens HÖHE Zeilen, etwa 720 oder 1080.</translation>
    </message>
    <message>
        <source>Start from the saved preset NAME.</source>
        <translation>Von der gespeicherten Voreinstellung NAME ausgehen.</translation>
    </message>
    <message>
        <source>Save into DIR instead of the download folder.</source>
        <translation>In ORDNER statt im Download-Ordner speichern.</translation>
    </message>
    <message>
        <source>Addresses of video pages, or veltqorv:// addresses.</source>
        <translation>Adressen von Videoseiten oder veltqorv://-Adressen.</translation>
    </message>
    <message>
        <source>--audio and --quality exclude each other.</source>
        <translation>--audio und --quality schließen einander aus.</translation>
    </message>
    <message>
        <source>--audio takes mp3, m4a, opus, flac or best, not &quot;%1&quot;.</source>
        <translation>--audio erwartet mp3, m4a, opus, flac oder best, nicht „%1“.</translation>
    </message>
    <message>
        <source>--quality takes a height in lines, such as 1080, not &quot;%1&quot;.</source>
        <translation>--quality erwartet eine Höhe in Zeilen, etwa 1080, nicht „%1“.</translation>
    </message>
    <message>
        <source>--folder &quot;%1&quot; is not an absolute path.</source>
        <translation>--folder „%1“ ist kein absoluter Pfad.</translation>
    </message>
    <message>
        <source>--folder &quot;%1&quot; is not an existing folder.</source>
        <translation>--folder „%1“ ist kein vorhandener Ordner.</translation>
    </message>
    <message>
        <source>no preset is named &quot;%1&quot;</source>
        <translation>es gibt keine Voreinstellung namens „%1“</translation>
    </message>
    <message>
        <source>FORMAT</source>
        <translation>FORMAT</translation>
    </message>
    <message>
        <source>HEIGHT</source>
        <translation>HÖHE</translation>
    </message>
    <message>
        <source>NAME</source>
        <translation>NAME</translation>
    </message>
    <message>
        <source>DIR</source>
        <translation>ORDNER</translation>
    </message>
    <message>
        <source>urls</source>
        <translation>adressen</translation>
    </message>
    <message>
        <source>URL…</source>
        <translation>ADRESSE…</translation>
    </message>
</context>
<context>
    <name>DownloadChoice</name>
    <message>
        <source>Audio</source>
        <extracomment>Badge of an audio-only download in the best format the site has</extracomment>
        <translation>Audio</translation>
    </message>
    <message>
        <source>%1p</source>
        <extracomment>Badge: a video height in pixels, as in 1080p</extracomment>
        <translation>%1p</translation>
    </message>
    <message>
        <source>Best</source>
        <extracomment>Badge: the best quality the site offers</extracomment>
        <translation>Beste</translation>
    </message>
    <message>
        <source>%1 · %2</source>
        <extracomment>Badge: the quality and the container, as in 1080p · MKV</extracomment>
        <translation>%1 · %2</translation>
    </message>
    <message>
        <source>Custom</source>
        <extracomment>Badge: a format chosen by hand</extracomment>
        <translation>Eigenes</translation>
    </message>
</context>
<context>
    <name>Engine::ChildProcess</name>
    <message>
        <source>An argument contains a NUL character.</source>
        <translation>Ein Argument enthält ein NUL-Zeichen.</translation>
    </message>
</context>
<context>
    <name>Engine::CommandRunner</name>
    <message>
        <source>The shell %1 was not found.</source>
        <translation>Die Shell %1 wurde nicht gefunden.</translation>
    </message>
</context>
<context>
    <name>Engine::Downloader</name>
    <message>
        <source>The address is empty.</source>
        <translation>Die Adresse ist leer.</translation>
    </message>
    <message>
        <source>The address &quot;%1&quot; begins with &quot;-&quot; and is not a web address.</source>
        <translation>Die Adresse „%1“ beginnt mit „-“ und ist keine Webadresse.</translation>
    </message>
    <message>
        <source>The address &quot;%1&quot; is not a valid web address.</source>
        <translation>Die Adresse „%1“ ist keine gültige Webadresse.</translation>
    </message>
    <message>
        <source>yt-dlp not found!</source>
        <translation>yt-dlp nicht gefunden!</translation>
    </message>
    <message>
        <source>yt-dlp not found at %1</source>
        <translation>yt-dlp wurde unter %1 nicht gefunden</translation>
    </message>
    <message>
        <source>yt-dlp could not be started: %1</source>
        <translation>yt-dlp konnte nicht gestartet werden: %1</translation>
    </message>
</context>
<context>
    <name>Engine::MetadataReader</name>
    <message>
        <source>yt-dlp not found!</source>
        <translation>yt-dlp nicht gefunden!</translation>
    </message>
    <message>
        <source>yt-dlp could not read the address.</source>
        <translation>yt-dlp konnte die Adresse nicht lesen.</translation>
    </message>
    <message>
        <source>yt-dlp answered with something unreadable (%1).</source>
        <translation>yt-dlp lieferte eine unlesbare Antwort (%1).</translation>
    </message>
</context>
<context>
    <name>FailureClassification</name>
    <message>
        <source>exit status %1</source>
        <translation>Exit-Status %1</translation>
    </message>
    <message>
        <source>killed by a signal</source>
        <translation>durch ein Signal beendet</translation>
    </message>
</context>
<context>
    <name>Library::MainModel</name>
    <message>
        <source>No valid URL found in clipboard!</source>
        <translation>Keine gültige Adresse in der Zwischenablage gefunden!</translation>
    </message>
    <message>
        <source>The list of downloads could not be saved: %1</source>
        <translation>Die Download-Liste konnte nicht gespeichert werden: %1</translation>
    </message>
</context>
<context>
    <name>Library::ShakeItemDownloaderActor</name>
    <message>
        <source>The download is no longer in the library.</source>
        <translation>Der Download ist nicht mehr in der Bibliothek.</translation>
    </message>
    <message>
        <source>The download has no address.</source>
        <translation>Der Download hat keine Adresse.</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
    <message>
        <source>✅ Downloaded</source>
        <translation>✅ Heruntergeladen</translation>
    </message>
</context>
<context>
    <name>Library::Store</name>
    <message>
        <source>The download library “%1” cannot be opened: %2. The file has been left as it is.</source>
        <translation>Die Download-Bibliothek „%1“ kann nicht geöffnet werden: %2. Die Datei wurde nicht verändert.</translation>
    </message>
    <message>
        <source>the store is open already</source>
        <translation>die Bibliothek ist bereits geöffnet</translation>
    </message>
    <message>
        <source>no file was named</source>
        <translation>es wurde keine Datei angegeben</translation>
    </message>
    <message>
        <source>it is a folder</source>
        <translation>sie ist ein Ordner</translation>
    </message>
    <message>
        <source>it cannot be read (%1)</source>
        <translation>sie kann nicht gelesen werden (%1)</translation>
    </message>
    <message>
        <source>it is not a database</source>
        <translation>sie ist keine Datenbank</translation>
    </message>
    <message>
        <source>it cannot be written</source>
        <translation>sie kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>its folder cannot be created</source>
        <translation>ihr Ordner kann nicht erstellt werden</translation>
    </message>
    <message>
        <source>another %1 (process %2) is using it</source>
        <translation>ein anderes %1 (Prozess %2) verwendet sie</translation>
    </message>
    <message>
        <source>its lock file cannot be made</source>
        <translation>ihre Sperrdatei kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>a site icon needs a scheme and a host</source>
        <translation>ein Seitensymbol braucht ein Schema und einen Host</translation>
    </message>
    <message>
        <source>item %1 no longer exists</source>
        <translation>Eintrag %1 existiert nicht mehr</translation>
    </message>
    <message>
        <source>only http and https addresses can be added</source>
        <translation>nur http- und https-Adressen können hinzugefügt werden</translation>
    </message>
    <message>
        <source>only http and https addresses can be stored</source>
        <translation>nur http- und https-Adressen können gespeichert werden</translation>
    </message>
    <message>
        <source>option set %1 does not exist</source>
        <translation>Optionssatz %1 existiert nicht</translation>
    </message>
    <message>
        <source>option set %1 is unreadable</source>
        <translation>Optionssatz %1 ist unlesbar</translation>
    </message>
    <message>
        <source>it was made by a newer version of VeltQorv</source>
        <translation>sie wurde von einer neueren Version von VeltQorv erstellt</translation>
    </message>
    <message>
        <source>it is a database of another program</source>
        <translation>sie ist die Datenbank eines anderen Programms</translation>
    </message>
    <message>
        <source>its contents could not be upgraded (%1)</source>
        <translation>ihr Inhalt konnte nicht aktualisiert werden (%1)</translation>
    </message>
</context>
<context>
    <name>MainWindowActions</name>
    <message>
        <source>New with URL…</source>
        <translation>Neu mit Adresse…</translation>
    </message>
    <message>
        <source>New from Clipboard…</source>
        <translation>Neu aus Zwischenablage…</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>Einstellungen…</translation>
    </message>
    <message>
        <source>Close Window</source>
        <translation>Fenster schließen</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Einfügen</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Alles auswählen</translation>
    </message>
    <message>
        <source>Search…</source>
        <translation>Suchen…</translation>
    </message>
    <message>
        <source>Run</source>
        <translation>Starten</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Anhalten</translation>
    </message>
    <message>
        <source>Toggle Starred</source>
        <translation>Markierung umschalten</translation>
    </message>
    <message>
        <source>Copy URL</source>
        <translation>Adresse kopieren</translation>
    </message>
    <message>
        <source>Open in Browser…</source>
        <translation>Im Browser öffnen…</translation>
    </message>
    <message>
        <source>Open File</source>
        <translation>Datei öffnen</translation>
    </message>
    <message>
        <source>Show in Folder</source>
        <translation>Im Ordner anzeigen</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Delete with File</source>
        <translation>Mit Datei löschen</translation>
    </message>
    <message>
        <source>Check for Updates…</source>
        <translation>Nach Aktualisierungen suchen…</translation>
    </message>
    <message>
        <source>Official Website</source>
        <translation>Offizielle Webseite</translation>
    </message>
    <message>
        <source>About %1</source>
        <translation>Über %1</translation>
    </message>
</context>
<context>
    <name>QorvVideoResolution</name>
    <message>
        <source>Best</source>
        <extracomment>The highest resolution the site offers</extracomment>
        <translation>Beste</translation>
    </message>
    <message>
        <source>%1p</source>
        <translation>%1p</translation>
    </message>
</context>
<context>
    <name>ShakeListItemRow</name>
    <message>
        <source>Created on: %1</source>
        <translation>Erstellt am: %1</translation>
    </message>
    <message>
        <source>Downloading</source>
        <translation>Wird heruntergeladen</translation>
    </message>
    <message>
        <source>Completed</source>
        <translation>Abgeschlossen</translation>
    </message>
    <message>
        <source>Scheduled</source>
        <translation>Geplant</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Angehalten</translation>
    </message>
    <message>
        <source>Completed on: %1</source>
        <translation>Abgeschlossen am: %1</translation>
    </message>
    <message>
        <source>%1p was not available; downloaded %2p</source>
        <translation>%1p war nicht verfügbar; %2p heruntergeladen</translation>
    </message>
    <message>
        <source>%1p was not available; downloaded another quality</source>
        <translation>%1p war nicht verfügbar; andere Qualität heruntergeladen</translation>
    </message>
    <message>
        <source>Automatically retry %1</source>
        <extracomment>%1 is a relative time such as &quot;in 2 hours&quot;</extracomment>
        <translation>Automatischer neuer Versuch %1</translation>
    </message>
    <message>
        <source>in 1 week</source>
        <translation>in 1 Woche</translation>
    </message>
    <message numerus="yes">
        <source>in %n weeks</source>
        <translation>
            <numerusform>in %n Woche</numerusform>
            <numerusform>in %n Wochen</numerusform>
        </translation>
    </message>
    <message>
        <source>1 week ago</source>
        <translation>vor 1 Woche</translation>
    </message>
    <message numerus="yes">
        <source>%n weeks ago</source>
        <translation>
            <numerusform>vor %n Woche</numerusform>
            <numerusform>vor %n Wochen</numerusform>
        </translation>
    </message>
    <message>
        <source>in 1 day</source>
        <translation>in 1 Tag</translation>
    </message>
    <message numerus="yes">
        <source>in %n days</source>
        <translation>
            <numerusform>in %n Tag</numerusform>
            <numerusform>in %n Tagen</numerusform>
        </translation>
    </message>
    <message>
        <source>1 day ago</source>
        <translation>vor 1 Tag</translation>
    </message>
    <message numerus="yes">
        <source>%n days ago</source>
        <translation>
            <numerusform>vor %n Tag</numerusform>
            <numerusform>vor %n Tagen</numerusform>
        </translation>
    </message>
    <message>
        <source>in 1 hour</source>
        <translation>in 1 Stunde</translation>
    </message>
    <message numerus="yes">
        <source>in %n hours</source>
        <translation>
            <numerusform>in %n Stunde</numerusform>
            <numerusform>in %n Stunden</numerusform>
        </translation>
    </message>
    <message>
        <source>1 hour ago</source>
        <translation>vor 1 Stunde</translation>
    </message>
    <message numerus="yes">
        <source>%n hours ago</source>
        <translation>
            <numerusform>vor %n Stunde</numerusform>
            <numerusform>vor %n Stunden</numerusform>
        </translation>
    </message>
    <message>
        <source>in 1 minute</source>
        <translation>in 1 Minute</translation>
    </message>
    <message numerus="yes">
        <source>in %n minutes</source>
        <translation>
            <numerusform>in %n Minute</numerusform>
            <numerusform>in %n Minuten</numerusform>
        </translation>
    </message>
    <message>
        <source>1 minute ago</source>
        <translation>vor 1 Minute</translation>
    </message>
    <message numerus="yes">
        <source>%n minutes ago</source>
        <translation>
            <numerusform>vor %n Minute</numerusform>
            <numerusform>vor %n Minuten</numerusform>
        </translation>
    </message>
    <message>
        <source>in 1 second</source>
        <translation>in 1 Sekunde</translation>
    </message>
    <message numerus="yes">
        <source>in %n seconds</source>
        <translation>
            <numerusform>in %n Sekunde</numerusform>
            <numerusform>in %n Sekunden</numerusform>
        </translation>
    </message>
    <message>
        <source>1 second ago</source>
        <translation>vor 1 Sekunde</translation>
    </message>
    <message numerus="yes">
        <source>%n seconds ago</source>
        <translation>
            <numerusform>vor %n Sekunde</numerusform>
            <numerusform>vor %n Sekunden</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <extracomment>Downloaded bytes of all bytes</extracomment>
        <translation>%1 von %2</translation>
    </message>
    <message>
        <source>%1/s</source>
        <translation>%1/s</translation>
    </message>
    <message>
        <source>%1 left</source>
        <translation>noch %1</translation>
    </message>
    <message>
        <source>⚠️ **File access** required to read and use cookies for downloading, please allow **%1** to read the browser&apos;s profile folder (a browser installed as **Flatpak or Snap** keeps it out of reach).
Or remove cookies related options from configuration of command line tool yt-dlp.</source>
        <extracomment>Markdown; %1 is the product name</extracomment>
        <translation>⚠️ **Dateizugriff** ist nötig, um Cookies zum Herunterladen zu lesen und zu verwenden. Bitte erlauben Sie **%1**, den Profilordner des Browsers zu lesen (bei einem als **Flatpak oder Snap** installierten Browser ist er unerreichbar).
Oder entfernen Sie die Cookie-Optionen aus der Konfiguration des Befehlszeilenprogramms yt-dlp.</translation>
    </message>
</context>
<context>
    <name>SidebarItemType</name>
    <message>
        <source>All</source>
        <extracomment>Sidebar entry: every download</extracomment>
        <translation>Alle</translation>
    </message>
    <message>
        <source>Downloading</source>
        <extracomment>Sidebar entry: the running downloads</extracomment>
        <translation>Laufend</translation>
    </message>
    <message>
        <source>Stopped</source>
        <extracomment>Sidebar entry: the stopped or failed downloads</extracomment>
        <translation>Angehalten</translation>
    </message>
    <message>
        <source>Failed</source>
        <extracomment>Sidebar entry: the failed downloads</extracomment>
        <translation>Fehlgeschlagen</translation>
    </message>
    <message>
        <source>Starred</source>
        <extracomment>Sidebar entry: the starred downloads</extracomment>
        <translation>Markiert</translation>
    </message>
    <message>
        <source>Premieres</source>
        <extracomment>Sidebar entry: downloads waiting for a premiere or a live event</extracomment>
        <translation>Premieren</translation>
    </message>
    <message>
        <source>All downloads added</source>
        <translation>Alle hinzugefügten Downloads</translation>
    </message>
    <message>
        <source>Running downloads</source>
        <translation>Laufende Downloads</translation>
    </message>
    <message>
        <source>Stopped or failed downloads</source>
        <translation>Angehaltene oder fehlgeschlagene Downloads</translation>
    </message>
    <message>
        <source>Failed downloads</source>
        <translation>Fehlgeschlagene Downloads</translation>
    </message>
    <message>
        <source>Starred downloads</source>
        <translation>Markierte Downloads</translation>
    </message>
    <message>
        <source>Download will begin when premieres start broadcasting.</source>
        <translation>Der Download beginnt, sobald die Premiere ausgestrahlt wird.</translation>
    </message>
</context>
<context>
    <name>Store</name>
    <message>
        <source>it cannot be read as a database</source>
        <translation>sie kann nicht als Datenbank gelesen werden</translation>
    </message>
</context>
<context>
    <name>VideoMetadata</name>
    <message>
        <source>not a JSON object</source>
        <translation>kein JSON-Objekt</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>%1 cannot open its list of downloads.

%2</source>
        <translation>%1 kann seine Download-Liste nicht öffnen.

%2</translation>
    </message>
</context>
</TS>
