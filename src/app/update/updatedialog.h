#pragma once

#include "app/update/updatechecker.h"

#include <QMessageBox>

namespace App {

// The outcome of an update check told to the user: a newer release with a button to its page,
// "up to date", or why the check failed. Automatic checks speak only when there is a release.
class UpdateDialog : public QMessageBox
{
    Q_OBJECT
public:
    UpdateDialog(UpdateChecker::Outcome outcome, const UpdateChecker::Release& release,
                 const QString& message, QWidget* parent = nullptr);

    // Opens the dialog window-modal over `parent` (deleted on close); null when the check has
    // nothing to tell.
    static UpdateDialog* present(UpdateChecker::Outcome outcome, const UpdateChecker::Release& release,
                                 const QString& message, bool userInitiated, QWidget* parent);
};

} // namespace App
