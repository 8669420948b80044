#include "shellquote.h"

#include <QRegularExpression>

namespace Engine {

QString shellQuote(const QString& value)
{
    QString quoted = value;
    quoted.replace(QLatin1Char('\''), QStringLiteral("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

QString shellWord(const QString& value)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_=.,:/+@%-]+$"));
    return plain.match(value).hasMatch() ? value : shellQuote(value);
}

} // namespace Engine
