#include "app/desktop/incomingaddresshandler.h"
#include "capture/linkdetector.h"
#include "fuzz/fuzzinput.h"

#include <QLoggingCategory>
#include <QTest>

using App::IncomingAddressHandler;
using Capture::LinkDetector;

class FuzzIncomingAddress : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        // Every refusal is logged; thousands of them would only slow the run down.
        QLoggingCategory::setFilterRules(QStringLiteral("org.veltqorv.VeltQorv.IncomingAddress.info=false"));
    }

    void schemeAddressesAndArguments()
    {
        Fuzz::Generator generator(
            {
                QStringLiteral(
                    "veltqorv://add?url=https://example.com/a&other=x&url=http://127.0.0.1:8000/c.mp4"),
                QStringLiteral("VELTQORV://x/y/z?url=https%3A%2F%2Fexample.com%2Fwatch%3Fv%3D1%26t%3D2"),
                QStringLiteral("veltqorv://add?url=%20%20https://example.com/a%0A"),
                QStringLiteral("veltqorv://add?url=https://user:pw@[2001:db8::1]:8443/v%20x#f"),
                QStringLiteral("veltqorv://add?url=www.example.org/watch?v=1&url=youtu.be/abc"),
                QStringLiteral("veltqorv://add?url=javascript:alert(1)&url=file:///etc/passwd"),
                QStringLiteral("veltqorv://add?url=-https://example.com&url=--exec%3Drm"),
                QStringLiteral("veltqorv:?url=https://example.com/%2E%2E/a"),
                QStringLiteral("veltqorv://add?url=see%20https://example.com/a%20now"),
                QStringLiteral("--url=https://example.com"),
                QStringLiteral("-"),
            },
            {QStringLiteral("veltqorv:"), QStringLiteral("veltqorv://"), QStringLiteral("?url="),
             QStringLiteral("&url="), QStringLiteral("%3A%2F%2F"), QStringLiteral("%2D"), QStringLiteral("+"),
             QStringLiteral(";url=")});

        Fuzz::Budget budget("incoming addresses", 20000);
        while (budget.next()) {
            QStringList arguments;
            QList<QUrl> oneByOne;
            for (int i = generator.bounded(3); i >= 0; --i) {
                const QString argument = generator.next();
                const QList<QUrl> accepted = IncomingAddressHandler::addressesFromArguments({argument});
                arguments.append(argument);
                oneByOne.append(accepted);

                if (argument.startsWith(QLatin1Char('-')) || argument.size() > 32 * 1024)
                    FUZZ_VERIFY(accepted.isEmpty(), budget, argument);
                // Each url item needs its own "=" (an encoded one is data); a plain argument is one
                // address at most.
                const bool schemeAddress =
                    argument.startsWith(QLatin1String("veltqorv:"), Qt::CaseInsensitive);
                FUZZ_VERIFY(accepted.size() <= (schemeAddress ? argument.count(QLatin1Char('=')) : 1), budget,
                            argument);
                for (const QUrl& url : accepted) {
                    const QString scheme = url.scheme();
                    FUZZ_VERIFY(url.isValid() && !url.host().isEmpty() &&
                                    (scheme == QLatin1String("http") || scheme == QLatin1String("https")),
                                budget, argument);
                    FUZZ_VERIFY(!url.toString(QUrl::FullyEncoded).startsWith(QLatin1Char('-')), budget,
                                argument);
                    FUZZ_VERIFY(LinkDetector::validUrl(url.toString(QUrl::FullyEncoded)) == url, budget,
                                argument);
                    // Nothing is made up: decoding only shortens and a bare domain gains "https://".
                    // The host is left out, as an international one grows into its "xn--" form.
                    FUZZ_VERIFY(url.adjusted(QUrl::RemoveAuthority).toString().size() <= argument.size() + 8,
                                budget, argument);
                }
            }
            // Arguments are independent: together they give what each gives alone, in order.
            FUZZ_VERIFY(IncomingAddressHandler::addressesFromArguments(arguments) == oneByOne, budget,
                        arguments.join(QStringLiteral("\" \"")));
        }
    }
};

QTEST_GUILESS_MAIN(FuzzIncomingAddress)
#include "fuzz_incomingaddress.moc"
