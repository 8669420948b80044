#include "qorvvideoresolution.h"

#include "qorvconfigitem.h"

namespace Engine {

QList<QorvVideoResolution> QorvVideoResolution::allCases()
{
    return {best, res480, res720, res1080, res4k};
}

std::optional<QorvVideoResolution> QorvVideoResolution::fromText(const QString& text)
{
    for (const QorvVideoResolution r : allCases()) {
        if (r.text() == text)
            return r;
    }
    return std::nullopt;
}

QString QorvVideoResolution::text() const
{
    switch (m_case) {
    case best:
        return QStringLiteral("best");
    case res480:
        return QStringLiteral("480");
    case res720:
        return QStringLiteral("720");
    case res1080:
        return QStringLiteral("1080");
    case res4k:
        return QStringLiteral("2160");
    }
    return {};
}

QString QorvVideoResolution::label() const
{
    //: The highest resolution the site offers
    return m_case == best ? tr("Best")
                          //: A video height in pixels, as in 1080p
                          : tr("%1p").arg(text());
}

QList<QorvConfigItem> QorvVideoResolution::configItems() const
{
    if (m_case == best)
        return {QorvConfigItem::format(QStringLiteral("bv*+ba/b")),
                QorvConfigItem::formatSort(QStringLiteral("res"))};
    const QString n = text();
    return {QorvConfigItem::format(QStringLiteral("bv*[height<=%1]+ba/b[height<=%1]").arg(n)),
            QorvConfigItem::formatSort(QStringLiteral("res:") + n)};
}

} // namespace Engine
