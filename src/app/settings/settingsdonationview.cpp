#include "app/settings/settingsdonationview.h"

#include <QCoreApplication>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

namespace App {

namespace {

// `label` is the untranslated text, which also names the link.
QWidget* linkRow(const QString& themeIcon, const char* label, const QString& address)
{
    const QString text = QCoreApplication::translate("App::SettingsDonationView", label);
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* icon = new QLabel;
    icon->setPixmap(QIcon::fromTheme(themeIcon).pixmap(16, 16));
    layout->addWidget(icon);
    auto* link = new QLabel(
        QStringLiteral("<a href=\"%1\">%2</a>").arg(address.toHtmlEscaped(), text.toHtmlEscaped()));
    link->setObjectName(QString::fromLatin1(label));
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
    layout->addWidget(linkRow(QStringLiteral("emblem-favorite"),
                              QT_TRANSLATE_NOOP("App::SettingsDonationView", "Donation"), donationAddress()));

    auto* contact = new QGroupBox(tr("Contact"));
    auto* contactLayout = new QVBoxLayout(contact);
    contactLayout->addWidget(linkRow(QStringLiteral("mail-message"),
                                     QT_TRANSLATE_NOOP("App::SettingsDonationView", "Email"),
                                     emailAddress()));
    contactLayout->addWidget(linkRow(QStringLiteral("applications-internet"),
                                     QT_TRANSLATE_NOOP("App::SettingsDonationView", "Homepage"),
                                     homepageAddress()));
    layout->addWidget(contact);
    layout->addStretch();
}

} // namespace App
