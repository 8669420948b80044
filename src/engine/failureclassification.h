#pragma once

#include "downloaderprocesserror.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QString>

#include <optional>

namespace Engine {

class TimePhraseParser;

// Tells from the tool's standard error what kind of failure a run ended in, and for a premiere
// or a live event that has not begun, when to try again.
class FailureClassification
{
    Q_DECLARE_TR_FUNCTIONS(FailureClassification)

public:
    struct Context
    {
        // May be null: no start time is read then, and the retry comes after the minimum delay.
        TimePhraseParser* parser = nullptr;
        // The item's own delay past the announced start, in seconds; wins over delayHours.
        std::optional<int> delaySeconds;
        // The preferred delay past the announced start, in hours.
        std::optional<int> delayHours;
        QDateTime now;
    };

    // Never earlier than this after `now`: a start that has passed would otherwise be retried
    // at every scheduler tick.
    static constexpr qint64 MinimumRetrySeconds = 15;

    // The failure that `errorText` names, or nothing when it names none of the known kinds and
    // has no ERROR: line. Premieres and live events count only when an ERROR: line says so; the
    // warnings before it may quote video titles.
    static std::optional<DownloaderProcessError> classify(const QString& errorText, const Context& context);

    // The failure of a run that exited with `exitStatus` (not 0) without being stopped: the
    // recognised kind, else downloadFailed carrying the error text or, when there is none,
    // "exit status N".
    static DownloaderProcessError failureForExit(const QString& errorText, int exitStatus,
                                                 const Context& context);

    // When to start again after a message whose time phrase begins in `excerpt`.
    static QDateTime computeStartDate(const QString& excerpt, const Context& context);
};

} // namespace Engine
