#include "app/settings/settingsdonationview.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

namespace App {

namespace {

QWidget* linkRow(const QString& themeIcon, const QString& label, const QString& address)
{
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* icon = new QLabel;
    icon->setPixmap(QIcon::fromTheme(themeIcon).pixmap(16, 16));
    layout->addWidget(icon);
    auto* link = new QLabel(
        QStringLiteral("<a href=\"%1\">%2</a>").arg(address.toHtmlEscaped(), label.toHtmlEscaped()));
    link->setObjectName(label);
    link->setTextFormat(Qt::RichText);
    link->setOpenExternalLinks(true);
    layout->addWidget(link);
    layout->addStretch();
    return row;
}

} // namespace

SettingsDonationView::SettingsDonationView(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        linkRow(QStringLiteral("emblem-favorite"), QStringLiteral("Donation"), donationAddress()));

    auto* contact = new QGroupBox(QStringLiteral("Contact"));
    auto* contactLayout = new QVBoxLayout(contact);
    contactLayout->addWidget(
        linkRow(QStringLiteral("mail-message"), QStringLiteral("Email"), emailAddress()));
    contactLayout->addWidget(
        linkRow(QStringLiteral("applications-internet"), QStringLiteral("Homepage"), homepageAddress()));
    layout->addWidget(contact);
    layout->addStretch();
}

} // namespace App
