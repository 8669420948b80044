#pragma once

#include <QFrame>

class QPushButton;

namespace Engine {
class Preferences;
}

namespace App {

class ToolInstaller;

// The warning above the list while the tool cannot be found; "Install & Setup" opens the setup.
class BinNotFoundBar : public QFrame
{
    Q_OBJECT
public:
    BinNotFoundBar(ToolInstaller& installer, Engine::Preferences& preferences, QWidget* parent = nullptr);

    static QString message();
    QPushButton* setupButton() const { return m_setup; }

public Q_SLOTS:
    // Shows itself exactly while the tool is missing.
    void updateVisibility();
    void openSetup();

private:
    ToolInstaller& m_installer;
    Engine::Preferences& m_preferences;
    QPushButton* m_setup;
};

} // namespace App
