#include "linkdetector.h"

#include <QRegularExpression>

namespace Capture {

namespace {

// A link runs to the first white space, control character or character that never belongs to
// an address; trailing sentence punctuation is given back to the text afterwards.
const QRegularExpression& linkPattern()
{
    static const QRegularExpression pattern(
        QStringLiteral("(?:https?://[^\\s<>\"\\x00-\\x1f\\x7f]+"
                       "|(?<![\\w@.-])(?:[a-z0-9](?:[a-z0-9-]*[a-z0-9])?\\.)+[a-z]{2,63}(?::\\d{1,5})?"
                       "(?:[/?#][^\\s<>\"\\x00-\\x1f\\x7f]*)?(?![\\w@-]))"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);
    return pattern;
}

qsizetype withoutTrailingPunctuation(const QString& text, qsizetype start, qsizetype length)
{
    static const QString trailing = QStringLiteral(".,;:!?'");
    while (length > 0) {
        const QChar last = text.at(start + length - 1);
        if (trailing.contains(last)) {
            --length;
            continue;
        }
        // A closing bracket belongs to the link only when the link opened it.
        if (last == QLatin1Char(')') || last == QLatin1Char(']')) {
            const QChar open = last == QLatin1Char(')') ? QLatin1Char('(') : QLatin1Char('[');
            const QStringView link = QStringView(text).mid(start, length);
            if (link.count(open) < link.count(last)) {
                --length;
                continue;
            }
        }
        break;
    }
    return length;
}

// QRegularExpression matches nothing in a text that is not valid UTF-16, so one lone surrogate
// anywhere would hide every link. U+FFFD in its place keeps the offsets.
QString withoutLoneSurrogates(const QString& text)
{
    if (QStringView(text).isValidUtf16())
        return text;
    QString valid = text;
    for (qsizetype i = 0; i < valid.size(); ++i) {
        const QChar unit = valid.at(i);
        if (unit.isHighSurrogate() && i + 1 < valid.size() && valid.at(i + 1).isLowSurrogate())
            ++i;
        else if (unit.isSurrogate())
            valid[i] = QChar::ReplacementCharacter;
    }
    return valid;
}

} // namespace

std::optional<LinkDetector::Match> LinkDetector::firstLink(const QString& original)
{
    const QString text = withoutLoneSurrogates(original);
    QRegularExpressionMatchIterator it = linkPattern().globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        const qsizetype length = withoutTrailingPunctuation(text, m.capturedStart(), m.capturedLength());
        QString candidate = text.mid(m.capturedStart(), length);
        if (!candidate.startsWith(QLatin1String("http://"), Qt::CaseInsensitive) &&
            !candidate.startsWith(QLatin1String("https://"), Qt::CaseInsensitive))
            candidate.prepend(QLatin1String("https://"));
        const QUrl url(candidate, QUrl::StrictMode);
        if (!url.isValid() || url.host().isEmpty())
            continue;
        return Match{m.capturedStart(), length, url};
    }
    return std::nullopt;
}

std::optional<QUrl> LinkDetector::validUrl(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('-')))
        return std::nullopt;
    const std::optional<Match> match = firstLink(trimmed);
    if (!match || match->start != 0 || match->length != trimmed.size())
        return std::nullopt;
    const QString scheme = match->url.scheme().toLower();
    if (scheme != QLatin1String("http") && scheme != QLatin1String("https"))
        return std::nullopt;
    // QUrl decodes escapes that need none ("%2E" becomes "."), so the address as written from
    // now on may end in what the rule gives back to a sentence: it has to pass in that form too.
    const QString written = match->url.toString(QUrl::FullyEncoded);
    if (written != trimmed) {
        const std::optional<Match> again = firstLink(written);
        if (!again || again->start != 0 || again->length != written.size() || again->url != match->url)
            return std::nullopt;
    }
    return match->url;
}

} // namespace Capture
