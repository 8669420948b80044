#include "shellcommand.h"

#include "shellquote.h"

namespace Engine {

ShellCommand::ShellCommand(QString raw, Shell shell) : m_shell(std::move(shell)), m_raw(std::move(raw)) {}

ShellCommand ShellCommand::interpolated(const QString& pattern, const QStringList& values)
{
    QString raw;
    raw.reserve(pattern.size());
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern.at(i);
        if (c == QLatin1Char('%') && i + 1 < pattern.size() && pattern.at(i + 1).isDigit()) {
            const int index = pattern.at(i + 1).digitValue() - 1;
            if (index >= 0 && index < values.size()) {
                raw += shellQuote(values.at(index));
                ++i;
                continue;
            }
        }
        raw += c;
    }
    return ShellCommand(raw);
}

QStringList ShellCommand::arguments() const
{
    return {QStringLiteral("-c"), QStringLiteral("-l"), m_raw};
}

} // namespace Engine
