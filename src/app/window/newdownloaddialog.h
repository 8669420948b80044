#pragma once

#include <QDialog>
#include <QUrl>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QVariantAnimation;

namespace App {

// The "New Download" sheet: one address, checked with the address validity rule, handed to
// `add`. A refused text stays as typed, with "URL is invalid!" under it and a shake of the sheet.
class NewDownloadDialog : public QDialog
{
    Q_OBJECT
public:
    using AddFunction = std::function<void(const QUrl&)>;

    explicit NewDownloadDialog(AddFunction add, QWidget* parent = nullptr);

    QLineEdit* urlField() const { return m_url; }
    QPushButton* addButton() const { return m_addButton; }
    QPushButton* cancelButton() const { return m_cancelButton; }
    // The message under the field; empty while there is none.
    QString errorText() const;

    static QString invalidUrlMessage() { return QStringLiteral("URL is invalid!"); }

public Q_SLOTS:
    // Runs the add operation (the "Add" button and the Return key).
    void submit();

private:
    void updateAddEnabled();
    void shake();

    AddFunction m_add;
    QLineEdit* m_url;
    QLabel* m_error;
    QPushButton* m_addButton;
    QPushButton* m_cancelButton;
    QVariantAnimation* m_shake = nullptr;
};

} // namespace App
