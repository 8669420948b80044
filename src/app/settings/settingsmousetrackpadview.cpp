#include "app/settings/settingsmousetrackpadview.h"

#include "app/gesture/gesturecontroller.h"

#include "app/appkeys.h"
#include "engine/preferences.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace App {

SettingsMouseTrackpadView::SettingsMouseTrackpadView(Engine::Preferences& preferences, QWidget* parent)
    : QWidget(parent), m_preferences(preferences), m_enabled(new QCheckBox(tr("Shake to Download"))),
      m_description(new QLabel)
{
    auto* layout = new QVBoxLayout(this);
    auto* box = new QGroupBox(tr("Mouse & Trackpad"));
    auto* boxLayout = new QVBoxLayout(box);
    boxLayout->addWidget(m_enabled);
    m_description->setTextFormat(Qt::MarkdownText);
    m_description->setWordWrap(true);
    m_description->setText(description());
    boxLayout->addWidget(m_description);
    layout->addWidget(box);
    layout->addStretch();

    const bool available = gestureAvailable();
    m_enabled->setEnabled(available);
    m_preferences.subscribe<bool>(App::Keys::dragShake, this, [this, available](const bool& enabled) {
        const QSignalBlocker blocker(m_enabled);
        m_enabled->setChecked(enabled && available);
    });
    // X11 asks no permission before an application follows the pointer, so turning the gesture
    // on needs nothing beyond the key.
    connect(m_enabled, &QCheckBox::toggled, this,
            [this](bool enabled) { m_preferences.setValue(App::Keys::dragShake, enabled); });
}

bool SettingsMouseTrackpadView::gestureAvailable()
{
    return GestureController::isAvailable();
}

QString SettingsMouseTrackpadView::description()
{
    if (gestureAvailable())
        return tr("Quickly drag and shake link to add as new download.\n\n"
                  "*(Works in this X11 session; no extra permission is needed.)*");
    return tr("Quickly drag and shake link to add as new download.\n\n*(Not available: %1)*")
        .arg(GestureController::unavailableReason());
}

} // namespace App
