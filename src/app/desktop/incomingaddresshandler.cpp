#include "app/desktop/incomingaddresshandler.h"

#include "app/desktop/commandline.h"
#include "capture/linkdetector.h"

#include <QLoggingCategory>
#include <QUrlQuery>

#include <cstdio>

namespace App {

namespace {

Q_LOGGING_CATEGORY(lcIncoming, "org.veltqorv.VeltQorv.IncomingAddress")

// No page address comes near this; longer texts are refused before any parsing.
constexpr qsizetype maximumLength = 32 * 1024;

// What another program sent, shortened, for a log line.
QString excerpt(const QString& text)
{
    constexpr qsizetype shown = 200;
    return text.size() <= shown ? text
                                : text.left(shown) + QStringLiteral("… (%1 characters)").arg(text.size());
}

bool isSchemeAddress(const QString& text)
{
    const QString prefix = IncomingAddressHandler::scheme() + QLatin1Char(':');
    return text.startsWith(prefix, Qt::CaseInsensitive);
}

} // namespace

IncomingAddressHandler::IncomingAddressHandler(Engine::Preferences& preferences, QObject* parent)
    : QObject(parent), m_preferences(preferences)
{
}

QList<QUrl> IncomingAddressHandler::addressesFromSchemeAddress(const QString& text)
{
    if (text.size() > maximumLength) {
        qCInfo(lcIncoming) << "refused an address of" << text.size() << "characters";
        return {};
    }
    const QUrl address(text, QUrl::StrictMode);
    if (!address.isValid() || address.scheme() != scheme() || !address.hasQuery()) {
        qCInfo(lcIncoming) << "refused" << excerpt(text) << "(no query with addresses)";
        return {};
    }
    QList<QUrl> accepted;
    const QStringList values =
        QUrlQuery(address).allQueryItemValues(QStringLiteral("url"), QUrl::FullyDecoded);
    for (const QString& value : values) {
        if (value.isEmpty())
            continue;
        if (const std::optional<QUrl> url = Capture::LinkDetector::validUrl(value))
            accepted.append(*url);
        else
            qCInfo(lcIncoming) << "refused" << excerpt(value) << "(not one http(s) address)";
    }
    if (values.isEmpty())
        qCInfo(lcIncoming) << "refused" << excerpt(text) << "(no url item)";
    return accepted;
}

QList<QUrl> IncomingAddressHandler::addressesFromArguments(const QStringList& arguments)
{
    QList<QUrl> accepted;
    for (const QString& argument : arguments) {
        if (argument.startsWith(QLatin1Char('-'))) {
            qCInfo(lcIncoming) << "refused" << excerpt(argument) << "(reads as an option)";
        } else if (isSchemeAddress(argument)) {
            accepted.append(addressesFromSchemeAddress(argument));
        } else if (argument.size() > maximumLength) {
            qCInfo(lcIncoming) << "refused an address of" << argument.size() << "characters";
        } else if (const std::optional<QUrl> url = Capture::LinkDetector::validUrl(argument)) {
            accepted.append(*url);
        } else {
            qCInfo(lcIncoming) << "refused" << excerpt(argument) << "(not one http(s) address)";
        }
    }
    return accepted;
}

void IncomingAddressHandler::handleArguments(const QStringList& arguments)
{
    // Lets tests and users see what an instance took without a window to look at.
    static const bool trace = qEnvironmentVariableIntValue("VELTQORV_TRACE_ADDRESSES") == 1;
    const CommandLine::Result line = CommandLine::parse(arguments, CommandLine::Source::handedOver);
    if (line.action != CommandLine::Action::add) {
        const QString why = line.action == CommandLine::Action::refuse
                                ? line.text
                                : QStringLiteral("not for a running instance");
        qCInfo(lcIncoming).noquote() << "refused" << excerpt(arguments.join(QLatin1Char(' ')))
                                     << QStringLiteral("(%1)").arg(why);
        return;
    }
    const CommandLine::Options options = CommandLine::options(line, m_preferences);
    if (!options.refusal.isEmpty()) {
        qCInfo(lcIncoming).noquote() << "refused" << excerpt(arguments.join(QLatin1Char(' ')))
                                     << QStringLiteral("(%1)").arg(options.refusal);
        return;
    }
    for (const QUrl& url : line.addresses) {
        if (trace) {
            std::fprintf(stderr, "accepted address: %s\n", url.toEncoded().constData());
            std::fflush(stderr);
        }
        Q_EMIT addressAccepted(url, options.config);
    }
}

} // namespace App
