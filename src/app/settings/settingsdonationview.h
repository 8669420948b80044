#pragma once

#include <QWidget>

namespace App {

// The "Support" tab: donation, contact e-mail and home page.
class SettingsDonationView : public QWidget
{
    Q_OBJECT
public:
    explicit SettingsDonationView(QWidget* parent = nullptr);

    static QString donationAddress() { return QStringLiteral("https://veltqorv.org/donate"); }
    static QString emailAddress() { return QStringLiteral("mailto:hello@veltqorv.org"); }
    static QString homepageAddress() { return QStringLiteral("https://veltqorv.org"); }
};

} // namespace App
