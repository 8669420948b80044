#pragma once

#include <QString>
#include <QUrl>

#include <optional>

namespace Library {

// What the runs of one download produced, owned by its item and deleted with it.
class ShakeItemInfo
{
public:
    // Row id; 0 until stored.
    qint64 id = 0;
    QString title;
    // The file the run wrote.
    std::optional<QUrl> location;
    // Console output of the last run. Absent when not read: lists and item reads leave it out
    // (Store::itemLog reads it), and saving an item without it keeps the stored one.
    std::optional<QString> log;
    // Error text of the last failed run; none after a success or before any run.
    std::optional<QString> error;
    // What the last run learned of the video: its picture's address, its length (seconds), and
    // the saved file's size.
    std::optional<QUrl> thumbnail;
    std::optional<qint64> duration;
    std::optional<qint64> bytes;
    // The choice it was added with, short ("1080p · MKV").
    std::optional<QString> badge;
    // The picture's lines in the file, when the tool said; and the height asked for when the last
    // run had to take the nearest quality instead, as none was that high or lower.
    std::optional<int> height;
    std::optional<int> unavailableHeight;

    bool operator==(const ShakeItemInfo&) const = default;
};

} // namespace Library
