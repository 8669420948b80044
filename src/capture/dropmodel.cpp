#include "dropmodel.h"

#include "linkdetector.h"

namespace Capture {

std::optional<QUrl> DropModel::linkIn(const QList<QUrl>& urls, const QString& text)
{
    for (auto it = urls.crbegin(); it != urls.crend(); ++it) {
        // The encoded form: the display form turns "%20" into a space, which ends a link.
        if (std::optional<QUrl> url = LinkDetector::validUrl(it->toString(QUrl::FullyEncoded)))
            return url;
    }
    return LinkDetector::validUrl(text);
}

void DropModel::setDragging(const std::optional<QUrl>& url)
{
    if (m_dragging == url)
        return;
    m_dragging = url;
    Q_EMIT draggingChanged();
}

} // namespace Capture
