#pragma once

#include "engine/timephraseparser.h"

#include <QRegularExpression>

// Reads "in N <unit>" and "N <unit> ago" only: enough to drive the engine without the
// natural-language parser, and deterministic against the reference it is given.
class FixedPhraseParser : public Engine::TimePhraseParser
{
public:
    std::optional<QDateTime> parseDate(const QString& text, const QDateTime& reference) override
    {
        lastText = text;
        static const QRegularExpression phrase(QStringLiteral("(\\d+) (second|minute|hour|day)s?( ago)?"));
        const QRegularExpressionMatch match = phrase.match(text);
        if (!match.hasMatch())
            return std::nullopt;
        static const QHash<QString, qint64> unit{{QStringLiteral("second"), 1},
                                                 {QStringLiteral("minute"), 60},
                                                 {QStringLiteral("hour"), 3600},
                                                 {QStringLiteral("day"), 86400}};
        const qint64 seconds = match.captured(1).toLongLong() * unit.value(match.captured(2));
        return reference.addSecs(match.capturedLength(3) > 0 ? -seconds : seconds);
    }

    QString lastText;
};
