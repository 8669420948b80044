<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>App::AppAppearance</name>
    <message>
        <source>System</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Light</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dark</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>App::BinNotFoundBar</name>
    <message>
        <source>Install &amp; Setup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bin not found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>yt-dlp Setup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Command-line binary cannot be found, please install and setup [yt-dlp](%1) first to download videos.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>App::BookmarkletLink</name>
    <message>
        <source>Drag to the bookmarks bar of your browser; click to copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send to VeltQorv</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>App::DownloadChoiceEditor</name>
    <message>
        <source>Video</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Audio only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Download:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>As the site has it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quality:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Container:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Best original</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Format:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Subtitles</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Into the file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>As files beside it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Extras</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Embed the thumbnail</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Embed metadata and chapters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keep everything</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mark as chapters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SponsorBlock:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Best</source>
        <extracomment>Audio quality
----------
Video quality</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Automatic captions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This video has none</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>None known yet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sponsor</source>
        <extracomment>SponsorBlock category</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Self-promotion</source>
        <extracomment>SponsorBlock category</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reminders</source>
        <extracomment>SponsorBlock category</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Intro</source>
        <extracomment>SponsorBlock category</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Credits</source>
        <extracomment>SponsorBlock category</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preview and recap</source>
        <extracomment>SponsorBlock category</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Filler</source>
        <extracomment>SponsorBlock category</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Non-music part</source>
        <extracomment>SponsorBlock category</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>High</source>
        <extracomment>Audio quality</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Medium</source>
        <extracomment>Audio quality</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Low</source>
        <extracomment>Audio quality</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>App::DropPanel</name>
    <message>
        <source>Drop a link</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drag and drop link here</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>App::GlobalShortcut</name>
    <message>
        <source>Show or hide the VeltQorv window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No shortcut recorded.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Waiting for the desktop to accept %1…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The shortcut was declined in the desktop&apos;s prompt, so %1 does nothing. Record another combination, or clear it and record it again, to be asked once more.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The desktop did not accept %1 as a global shortcut. Record another combination, or assign one in your desktop&apos;s keyboard settings.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is already used by another program. Record another combination.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 cannot be used as a global shortcut. Record another combination.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>App::HandoverBar</name>
    <message>
        <source>Add</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Discard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 more address from other programs waits to be added.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n more addresses from other programs wait to be added.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
</context>
<context>
    <name>App::InstallButton</name>
    <message>
        <source>Download &amp; Install</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>⚠ Installation failed: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>App::MainWindow</name>
    <message>
        <source>About %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;b&gt;%1&lt;/b&gt; %2 (%3)&lt;br&gt;A desktop front end for yt-dlp.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Downloads</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add new downloads by entering URL or get URL from clipboard directly</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete selected items</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Found: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>App::NewDownloadDialog</name>
    <message>
        <source>Add</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Preset</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name of the preset:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save To</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New Download</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Required</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>As the site names it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>URL:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save to:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save as Preset…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preset:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>None</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>URL is invalid!</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>App::NoDownloadPlaceholder</name>
    <message>
        <source>New Download…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>yt-dlp command line tool not found, please install it first!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Get started by adding a video URL to download</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>App::NotificationPermission</name>
    <message>
        <source>No notification service runs in this desktop session. Install one (for example the &quot;dunst&quot; or &quot;notification-daemon&quot; package) or start your desktop&apos;s own, then press &quot;Enable&quot; again.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>App::PortalShortcutBackend</name>
    <message>
        <source>Global shortcuts are not available in a Wayland session: the desktop does not let applications listen for keys pressed in other windows. Use your desktop&apos;s own keyboard settings to run &quot;veltqorv&quot; instead.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The desktop accepted the shortcut but assigned it no keys. Choose them in your desktop&apos;s keyboard settings.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Press %1 anywhere to show or hide the main window.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>App::SettingsDonationView</name>
    <message>
        <source>Donation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Contact</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Email</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Homepage</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>App::SettingsDownloadView</name>
    <message>
        <source>Default Download Location</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Downloads will be saved to the chosen folder by default.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delay</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>None</source>
        <extracomment>No delay</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Download Delay for Live Event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>When enabled, download starting time will be delayed by the chosen duration.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New Downloads</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Default preset</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Addresses from the clipboard, the drop panel, other programs and the command line use the default preset.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 hour</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n hours</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
</context>
<context>
    <name>App::SettingsGeneralView</name>
    <message>
        <source>Enable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Appearance</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Launch at Login</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Notifications</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>System Notification</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Notify when downloads completed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shortcut</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Toggle Main Window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Browser Button</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drag the button to your browser&apos;s bookmarks bar, then click it there on a video&apos;s page.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Automatically Check Updates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>App::SettingsMouseTrackpadView</name>
    <message>
        <source>Shake to Download</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mouse &amp; Trackpad</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quickly drag and shake link to add as new download.

*(Works in this X11 session; no extra permission is needed.)*</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quickly drag and shake link to add as new download.

*(Not available: %1)*</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>App::SettingsWindow</name>
    <message>
        <source>Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>General</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Download</source>
        <extracomment>Settings tab about downloads</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gesture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Command-line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Support</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>App::ShakeItemDelegate</name>
    <message>
        <source>Starred</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Download failed, click to view error details.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show in folder</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>App::SidebarView</name>
    <message>
        <source>Downloads</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>App::ToolInstaller</name>
    <message>
        <source>Could not download the release&apos;s checksums: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The release lists no SHA-256 sum for %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot create the folder %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot write to %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Download failed: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Checksum mismatch: the downloaded %1 does not match the release&apos;s SHA-256 sum. Nothing was installed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot install %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not an executable file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>HTTP %1 from %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>App::ToolSetupView</name>
    <message>
        <source>(manually choose yt-dlp binary path)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Simple &lt;a href=&quot;%1&quot;&gt;yt-dlp&lt;/a&gt; GUI app for video sites downloading</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>yt-dlp</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>• yt-dlp is a command-line program that downloads videos from YouTube and many other video sites.&lt;br&gt;• It is a fork of youtube-dl with additional features and fixes.&lt;br&gt;&lt;a href=&quot;%1&quot;&gt;%1&lt;/a&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Path</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Continue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose the yt-dlp executable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>yt-dlp not found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>yt-dlp installed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>App::TrayIcon</name>
    <message>
        <source>Show Main Window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New from Clipboard…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check for Updates…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 — 1 download running</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%1 — %n downloads running</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
</context>
<context>
    <name>App::UndoDeleteBar</name>
    <message>
        <source>Undo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deleted 1 download</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Deleted %n downloads</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
</context>
<context>
    <name>App::UpdateChecker</name>
    <message>
        <source>the server answered HTTP %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not check for updates: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the feed is not valid XML (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the feed lists no release</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>App::UpdateDialog</name>
    <message>
        <source>Software Update</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 %2 is available — you have %3.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Download…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Later</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You&apos;re up to date! %1 %2 is the newest version.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>App::VideoPreview</name>
    <message>
        <source>Paste or type the address of a video</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reading the video&apos;s details…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not read the video&apos;s details: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>App::X11DragMonitor</name>
    <message>
        <source>Wayland does not let an application follow drags in other applications&apos; windows, so shaking a dragged link cannot open the drop panel. The gesture works in an X11 session.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The gesture needs an X11 session.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The X server could not be reached.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The X server lacks the XInput 2.2 extension that the gesture needs.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>App::X11ShortcutBackend</name>
    <message>
        <source>Global shortcuts are not available on this display (%1).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Press %1 anywhere to show or hide the main window.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AutostartEntry</name>
    <message>
        <source>Could not remove %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The program&apos;s own path is unknown.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The autostart template is missing from the program.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not create the folder %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not write %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Adds the videos at the addresses to the downloads of the running %1, which it starts when there is none.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shows this help.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shows the version.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Audio only, as FORMAT: mp3, m4a, opus, flac or best.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Video of at most HEIGHT lines, such as 720 or 1080.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start from the saved preset NAME.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save into DIR instead of the download folder.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Addresses of video pages, or veltqorv:// addresses.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--audio and --quality exclude each other.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--audio takes mp3, m4a, opus, flac or best, not &quot;%1&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--quality takes a height in lines, such as 1080, not &quot;%1&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--folder &quot;%1&quot; is not an absolute path.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--folder &quot;%1&quot; is not an existing folder.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no preset is named &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>FORMAT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>HEIGHT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>NAME</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DIR</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>urls</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>URL…</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DownloadChoice</name>
    <message>
        <source>Audio</source>
        <extracomment>Badge of an audio-only download in the best format the site has</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1p</source>
        <extracomment>Badge: a video height in pixels, as in 1080p</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Best</source>
        <extracomment>Badge: the best quality the site offers</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 · %2</source>
        <extracomment>Badge: the quality and the container, as in 1080p · MKV</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Custom</source>
        <extracomment>Badge: a format chosen by hand</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Engine::ChildProcess</name>
    <message>
        <source>An argument contains a NUL character.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Engine::CommandRunner</name>
    <message>
        <source>The shell %1 was not found.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Engine::Downloader</name>
    <message>
        <source>The address is empty.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The address &quot;%1&quot; begins with &quot;-&quot; and is not a web address.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The address &quot;%1&quot; is not a valid web address.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>yt-dlp not found!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>yt-dlp not found at %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>yt-dlp could not be started: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Engine::MetadataReader</name>
    <message>
        <source>yt-dlp not found!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>yt-dlp could not read the address.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>yt-dlp answered with something unreadable (%1).</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FailureClassification</name>
    <message>
        <source>exit status %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>killed by a signal</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Library::MainModel</name>
    <message>
        <source>No valid URL found in clipboard!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The list of downloads could not be saved: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Library::ShakeItemDownloaderActor</name>
    <message>
        <source>The download is no longer in the library.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The download has no address.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>✅ Downloaded</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Library::Store</name>
    <message>
        <source>The download library “%1” cannot be opened: %2. The file has been left as it is.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the store is open already</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no file was named</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is a folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it cannot be read (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is not a database</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it cannot be written</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its folder cannot be created</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>another %1 (process %2) is using it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its lock file cannot be made</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a site icon needs a scheme and a host</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>item %1 no longer exists</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>only http and https addresses can be added</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>only http and https addresses can be stored</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>option set %1 does not exist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>option set %1 is unreadable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it was made by a newer version of VeltQorv</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is a database of another program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its contents could not be upgraded (%1)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MainWindowActions</name>
    <message>
        <source>New with URL…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New from Clipboard…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close Window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Run</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Toggle Starred</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy URL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open in Browser…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show in Folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete with File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check for Updates…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Official Website</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QorvVideoResolution</name>
    <message>
        <source>Best</source>
        <extracomment>The highest resolution the site offers</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1p</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ShakeListItemRow</name>
    <message>
        <source>Created on: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Downloading</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Completed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scheduled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Completed on: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1p was not available; downloaded %2p</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1p was not available; downloaded another quality</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Automatically retry %1</source>
        <extracomment>%1 is a relative time such as &quot;in 2 hours&quot;</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>in 1 week</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>in %n weeks</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>1 week ago</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n weeks ago</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>in 1 day</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>in %n days</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>1 day ago</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n days ago</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>in 1 hour</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>in %n hours</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>1 hour ago</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n hours ago</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>in 1 minute</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>in %n minutes</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>1 minute ago</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n minutes ago</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>in 1 second</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>in %n seconds</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>1 second ago</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n seconds ago</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <extracomment>Downloaded bytes of all bytes</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1/s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 left</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>⚠️ **File access** required to read and use cookies for downloading, please allow **%1** to read the browser&apos;s profile folder (a browser installed as **Flatpak or Snap** keeps it out of reach).
Or remove cookies related options from configuration of command line tool yt-dlp.</source>
        <extracomment>Markdown; %1 is the product name</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SidebarItemType</name>
    <message>
        <source>All</source>
        <extracomment>Sidebar entry: every download</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Downloading</source>
        <extracomment>Sidebar entry: the running downloads</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stopped</source>
        <extracomment>Sidebar entry: the stopped or failed downloads</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed</source>
        <extracomment>Sidebar entry: the failed downloads</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Starred</source>
        <extracomment>Sidebar entry: the starred downloads</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Premieres</source>
        <extracomment>Sidebar entry: downloads waiting for a premiere or a live event</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All downloads added</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Running downloads</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stopped or failed downloads</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed downloads</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Starred downloads</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Download will begin when premieres start broadcasting.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Store</name>
    <message>
        <source>it cannot be read as a database</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>VideoMetadata</name>
    <message>
        <source>not a JSON object</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>%1 cannot open its list of downloads.

%2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
