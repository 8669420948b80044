#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;
class QStackedWidget;

namespace App {

class ToolInstaller;

// "Download & Install": a busy bar while the installer runs, and the last failure underneath.
class InstallButton : public QWidget
{
    Q_OBJECT
public:
    explicit InstallButton(ToolInstaller& installer, bool big = false, QWidget* parent = nullptr);

    QPushButton* button() const { return m_button; }
    QLabel* errorLabel() const { return m_error; }

private:
    void update();

    ToolInstaller& m_installer;
    QStackedWidget* m_stack;
    QPushButton* m_button;
    QProgressBar* m_busy;
    QLabel* m_error;
};

} // namespace App
