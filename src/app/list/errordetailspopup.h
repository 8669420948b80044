#pragma once

#include <QFrame>

class QLabel;
class QPlainTextEdit;

namespace App {

// The details of a failed download, opened from the row's error button: an explanation for
// failures the user can fix, then the tool's error text, selectable.
class ErrorDetailsPopup : public QFrame
{
    Q_OBJECT
public:
    explicit ErrorDetailsPopup(const QString& errorText, QWidget* parent = nullptr);

    QLabel* explanationLabel() const { return m_explanation; }
    QPlainTextEdit* errorView() const { return m_error; }

private:
    QLabel* m_explanation;
    QPlainTextEdit* m_error;
};

} // namespace App
