#pragma once

#include <QString>

namespace TestSupport {

// Media for downloads from a local server, made with ffmpeg on first use and kept in the build
// tree, so repeated runs reuse it. Safe when several tests ask at once.
class TestMedia
{
public:
    // An mp4 (H.264 and AAC) of `seconds` seconds; `videoKbps` pads the video to that rate, for
    // downloads that take a while; `height` is the picture's, at 4:3. Empty on failure.
    static QString clip(int seconds, int videoKbps = 0, int height = 240);
    // A folder holding a DASH manifest, manifest.mpd, with separate video and audio streams cut
    // from clip(seconds): the tool downloads both and merges them. Empty on failure.
    static QString dashFolder(int seconds);
    // A folder holding stream.html, a page whose video is the HLS master playlist master.m3u8
    // with variants at 720, 480 and 240 lines, each cut from clip(seconds). Empty on failure.
    static QString hlsFolder(int seconds);
    // Writes player.html into `folder`: a page whose video comes at 720 and 480 lines
    // (v720.mp4, v480.mp4) with English subtitles (en.vtt), titled "Player".
    static bool playerPage(const QString& folder);
};

} // namespace TestSupport
