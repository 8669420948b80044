#include "capture/timephrase/chronoparsedresult.h"

#include <QLocale>

namespace Capture {

namespace {

const QString nil = QStringLiteral("nil");

// Long date and long time in US English, in the local zone: "December 25, 2026 at 8:00:00 PM EST".
QString describeDate(const std::optional<QDateTime>& date)
{
    if (!date)
        return nil;
    static const QLocale us(QLocale::English, QLocale::UnitedStates);
    return us.toString(date->toLocalTime(), QStringLiteral("MMMM d, yyyy 'at' h:mm:ss AP t"));
}

QString describeInterval(const std::optional<ChronoParsedResult::DateInterval>& interval)
{
    if (!interval)
        return nil;
    const QLocale locale;
    return locale.toString(interval->start.toLocalTime(), QLocale::LongFormat) + QStringLiteral(" – ") +
           locale.toString(interval->end.toLocalTime(), QLocale::LongFormat);
}

QString describeText(const std::optional<QString>& text)
{
    return text ? *text : nil;
}

} // namespace

QString ChronoParsedResult::description() const
{
    const QString index =
        indexOfStartingCharacterOfTimePhrase ? QString::number(*indexOfStartingCharacterOfTimePhrase) : nil;
    return QStringLiteral("inputString: ") + inputString +
           QStringLiteral("\nindexOfStartingCharacterOfTimePhrase: ") + index +
           QStringLiteral("\ntimePhrase: ") + describeText(timePhrase) + QStringLiteral("\nignoredText: ") +
           describeText(ignoredText) + QStringLiteral("\nreferenceDate: ") + describeDate(referenceDate) +
           QStringLiteral("\nstartDate: ") + describeDate(startDate) + QStringLiteral("\nendDate: ") +
           describeDate(endDate) + QStringLiteral("\ndateInterval: ") + describeInterval(dateInterval);
}

} // namespace Capture
