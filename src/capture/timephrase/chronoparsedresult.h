#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

namespace Capture {

// The first time phrase found in a text. Every field but the input is absent when the text
// holds no phrase; dates are in UTC.
struct ChronoParsedResult
{
    struct DateInterval
    {
        QDateTime start;
        QDateTime end;
        bool operator==(const DateInterval&) const = default;
    };

    QString inputString;
    // Where the phrase starts, in UTF-16 units of the input.
    std::optional<qint64> indexOfStartingCharacterOfTimePhrase;
    std::optional<QString> timePhrase;
    // The input without the phrase, the connecting words before it and the punctuation after it.
    std::optional<QString> ignoredText;
    std::optional<QDateTime> referenceDate;
    std::optional<QDateTime> startDate;
    std::optional<QDateTime> endDate;
    // Present only when both ends are, and the end is not before the start.
    std::optional<DateInterval> dateInterval;

    // One "name: value" line per field for logs; absent values print as "nil".
    QString description() const;
};

} // namespace Capture
