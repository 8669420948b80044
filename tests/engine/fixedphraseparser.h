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
        lastReference = reference;
        static const QRegularExpression phrase(
            QStringLiteral(
                "\\b(?:in (\\d+) (second|minute|hour|day)s?|(\\d+) (second|minute|hour|day)s? ago)\\b"),
            QRegularExpression::CaseInsensitiveOption);
        const QRegularExpressionMatch match = phrase.match(text);
        if (!match.hasMatch())
            return std::nullopt;
        const bool ago = match.captured(1).isEmpty();
        const QString unit = match.captured(ago ? 4 : 2).toLower();
        const qint64 seconds = unit == QLatin1String("second")   ? 1
                               : unit == QLatin1String("minute") ? 60
                               : unit == QLatin1String("hour")   ? 3600
                                                                 : 86400;
        return reference.addSecs((ago ? -1 : 1) * match.captured(ago ? 3 : 1).toLongLong() * seconds);
    }

    QString lastText;
    QDateTime lastReference;
};
