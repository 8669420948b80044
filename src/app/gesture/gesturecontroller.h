#pragma once

#include "app/gesture/droppanel.h"
#include "capture/dropmodel.h"
#include "capture/shakedetector.h"

#include <QObject>
#include <QPoint>

#include <memory>

namespace Engine {
class Preferences;
}

namespace App {

class X11DragMonitor;

// The drag-and-shake gesture: follows the dragShake preference, keeps at most one drag monitor
// installed while it is on, feeds the monitor's drags to the shake detector and opens the drop
// panel at the pointer when a dragged link is shaken.
class GestureController : public QObject
{
    Q_OBJECT
public:
    // Subscribes to dragShake at once, so a stored true value installs the monitor here.
    explicit GestureController(Engine::Preferences& preferences, QObject* parent = nullptr);
    ~GestureController() override;

    // Whether the gesture can work in this session, and for the settings window why not.
    static bool isAvailable();
    static QString unavailableReason();

    // How a dropped link becomes a download; see DropPanel::AddLink.
    void setAddLink(DropPanel::AddLink add);

    Capture::DropModel& dropModel() { return m_model; }
    DropPanel& panel() { return *m_panel; }
    // A monitor is installed and listening.
    bool isMonitoring() const;

    // Installs the one monitor (when the session allows it) or removes it. The dragShake
    // subscription calls this; repeated values change nothing.
    void setEnabled(bool enabled);

Q_SIGNALS:
    void monitoringChanged(bool monitoring);
    // A shake was recognised and the drag's data read: the link it carries, if any.
    void shaken(const std::optional<QUrl>& link);
    // The panel opened after a shake of a dragged link.
    void panelOpened(QPoint pointer);

private:
    void onDragMoved(QPoint position, qint64 msecs);
    void onDraggedLinkRead(const std::optional<QUrl>& link);
    void onPanelClosed();

    Capture::DropModel m_model;
    Capture::ShakeDetector m_detector;
    std::unique_ptr<DropPanel> m_panel;
    std::unique_ptr<X11DragMonitor> m_monitor;
    bool m_reading = false;
};

} // namespace App
