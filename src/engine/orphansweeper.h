#pragma once

#include <QByteArray>
#include <QString>

namespace Engine {

// Tool processes outlive an application that is killed outright: the death signal reaches only
// the direct child, not the ffmpeg or helper it started. Every child we start carries a mark
// naming its owner (pid and start time) and the store it works for, so the next start can find
// and end what a dead owner left behind, and nothing else.
class OrphanSweeper
{
public:
    // Children started from now on carry the mark of this process for `scope` (the store's path).
    static void markChildren(const QString& scope);
    // The value of variableName() children are started with; empty before markChildren().
    static QByteArray childMark();

    // Kills every process carrying a mark for `scope` whose owner is no longer alive. Returns how
    // many were killed.
    static int sweep(const QString& scope);

    // Sends `signal` to the processes of group `groupId` that carry this process's mark: once a
    // group's leader is gone, its id may be given to another group, so the id alone is not
    // trusted. Returns how many were signalled.
    static int signalGroupMembers(qint64 groupId, int signal);

    static QByteArray variableName() { return QByteArrayLiteral("VELTQORV_CHILD_OF"); }

    // The start time of a process (clock ticks since boot), which with its pid names it uniquely;
    // 0 when it cannot be read.
    static quint64 startTime(qint64 pid);
};

} // namespace Engine
