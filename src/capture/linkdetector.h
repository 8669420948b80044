#pragma once

#include <QString>
#include <QUrl>

#include <optional>

namespace Capture {

// Finds web links in text, and decides whether a text the user handed over is one address.
class LinkDetector
{
public:
    struct Match
    {
        qsizetype start = 0;
        qsizetype length = 0; // UTF-16 code units, like QString
        QUrl url;
    };

    // The first http(s) link in `text`: with a scheme, or a bare "www.example.com/…" or
    // "example.com/…" that becomes https.
    static std::optional<Match> firstLink(const QString& text);

    // The address validity rule: after trimming white space and line breaks, the first link must
    // span the whole text. Only http and https addresses pass; nothing that could read as an option.
    static std::optional<QUrl> validUrl(const QString& text);
};

} // namespace Capture
