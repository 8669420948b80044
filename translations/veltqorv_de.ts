<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
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
    <message>
        <source>%1 more addresses from other programs wait to be added.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>App::InstallButton</name>
    <message>
        <source>Download &amp; Install</source>
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
    <message>
        <source>%1 — %2 downloads running</source>
        <translation type="unfinished"></translation>
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
    <message>
        <source>Deleted %1 downloads</source>
        <translation type="unfinished"></translation>
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
    <name>QObject</name>
    <message>
        <source>%1 cannot open its list of downloads.

%2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
