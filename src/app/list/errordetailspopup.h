#pragma once

#include <QFrame>

class QLabel;
class QPlainTextEdit;

namespace App {

// The details of a failed download, opened from the row's error button: an explanation for
// failures the user can fix, then the tool's error text and its output, selectable.
class ErrorDetailsPopup : public QFrame
{
    Q_OBJECT
public:
    ErrorDetailsPopup(const QString& errorText, const QString& outputLog, QWidget* parent = nullptr);

    QLabel* explanationLabel() const { return m_explanation; }
    QPlainTextEdit* errorView() const { return m_error; }
    // Hidden when the run printed nothing.
    QPlainTextEdit* outputView() const { return m_output; }

private:
    QLabel* m_explanation;
    QPlainTextEdit* m_error;
    QPlainTextEdit* m_output;
};

} // namespace App
