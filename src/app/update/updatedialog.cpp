#include "app/update/updatedialog.h"

#include "app/application.h"
#include "app/list/itemcommands.h"

#include <QDesktopServices>
#include <QPushButton>

namespace App {

UpdateDialog::UpdateDialog(UpdateChecker::Outcome outcome, const UpdateChecker::Release& release,
                           const QString& message, QWidget* parent)
    : QMessageBox(parent)
{
    setObjectName(QStringLiteral("updateResult"));
    setWindowTitle(tr("Software Update"));
    switch (outcome) {
    case UpdateChecker::Outcome::UpdateAvailable: {
        const QString version = release.version.isEmpty() ? release.build : release.version;
        setIcon(QMessageBox::Information);
        setText(tr("%1 %2 is available — you have %3.")
                    .arg(Application::name(), version, Application::version()));
        if (release.link.isValid() && !release.link.isEmpty()) {
            QPushButton* open = addButton(tr("Download…"), QMessageBox::AcceptRole);
            const QUrl link = release.link;
            connect(open, &QPushButton::clicked, this, [link] {
                if (ItemCommands::isBrowsable(link))
                    QDesktopServices::openUrl(link);
            });
        }
        addButton(tr("Later"), QMessageBox::RejectRole);
        break;
    }
    case UpdateChecker::Outcome::UpToDate:
        setIcon(QMessageBox::Information);
        setText(tr("You're up to date! %1 %2 is the newest version.")
                    .arg(Application::name(), Application::version()));
        addButton(QMessageBox::Ok);
        break;
    case UpdateChecker::Outcome::Failed:
        setIcon(QMessageBox::Warning);
        setText(message);
        addButton(QMessageBox::Ok);
        break;
    }
}

UpdateDialog* UpdateDialog::present(UpdateChecker::Outcome outcome, const UpdateChecker::Release& release,
                                    const QString& message, bool userInitiated, QWidget* parent)
{
    if (!userInitiated && outcome != UpdateChecker::Outcome::UpdateAvailable)
        return nullptr;
    auto* dialog = new UpdateDialog(outcome, release, message, parent);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
    return dialog;
}

} // namespace App
