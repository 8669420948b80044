#pragma once

#include <QList>
#include <QString>

namespace TestSupport {

// Looks at the system's processes through /proc.
class ProcessProbe
{
public:
    // No such process, or only its zombie is left.
    static bool isGone(qint64 pid);
    // Live processes, other than this one, whose environment holds `name` with a value ending in
    // `suffix`.
    static QList<qint64> withEnvironmentEnding(const QByteArray& name, const QByteArray& suffix);
};

} // namespace TestSupport
