#include "app/application.h"
#include "engine/preferences.h"
#include "engine/toolpath.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    App::Application::applyIdentity();

    Engine::ToolPath::discover(Engine::Preferences::instance(), &application);

    QLabel window(QStringLiteral("VeltQorv"));
    window.setWindowTitle(App::Application::name());
    window.resize(480, 320);
    window.show();
    return QApplication::exec();
}
