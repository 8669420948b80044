#pragma once

#include <QList>
#include <QObject>
#include <QUrl>

#include <optional>

namespace Capture {

// The link of the drag under way, shared by the gesture's monitor, the drop panel and whoever
// shows it. Absent while no link is being dragged.
class DropModel : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // The link a drag carries: the last of its URLs that is a valid address, else its text
    // when that is one. Only http(s) addresses count.
    static std::optional<QUrl> linkIn(const QList<QUrl>& urls, const QString& text);

    const std::optional<QUrl>& dragging() const { return m_dragging; }
    void setDragging(const std::optional<QUrl>& url);

Q_SIGNALS:
    void draggingChanged();

private:
    std::optional<QUrl> m_dragging;
};

} // namespace Capture
