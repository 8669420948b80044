#pragma once

#include <QCoreApplication>
#include <QList>
#include <QString>

#include <optional>

namespace Engine {

class QorvConfigItem;

// A preferred video resolution for new downloads, stored by its text value.
class QorvVideoResolution
{
    Q_DECLARE_TR_FUNCTIONS(QorvVideoResolution)

public:
    enum Case
    {
        best,
        res480,
        res720,
        res1080,
        res4k
    };

    constexpr QorvVideoResolution(Case c) : m_case(c) {}

    // In the order the settings offer them.
    static QList<QorvVideoResolution> allCases();
    // Only "best", "480", "720", "1080" and "2160" name a resolution.
    static std::optional<QorvVideoResolution> fromText(const QString& text);

    Case value() const { return m_case; }
    QString text() const;
    QString label() const;
    // The format and format-sort options that request this resolution, in that order.
    QList<QorvConfigItem> configItems() const;

    bool operator==(const QorvVideoResolution&) const = default;

private:
    Case m_case;
};

} // namespace Engine
