#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

namespace Engine {

// Reads the first date that a text states ("will begin in 3 days"). The engine only knows this
// seam; the capture subsystem provides the natural-language implementation.
class TimePhraseParser
{
public:
    virtual ~TimePhraseParser() = default;
    // The start of the first time phrase in `text`, in UTC, with relative phrases resolved
    // against `reference`; nothing when the text holds no phrase.
    virtual std::optional<QDateTime> parseDate(const QString& text, const QDateTime& reference) = 0;
};

} // namespace Engine
