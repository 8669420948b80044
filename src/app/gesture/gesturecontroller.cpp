#include "app/gesture/gesturecontroller.h"

#include "app/appkeys.h"
#include "app/gesture/x11dragmonitor.h"
#include "engine/logging.h"
#include "engine/preferences.h"

#include <QCursor>

namespace App {

GestureController::GestureController(Engine::Preferences& preferences, QObject* parent)
    : QObject(parent), m_panel(std::make_unique<DropPanel>(m_model))
{
    connect(m_panel.get(), &DropPanel::closed, this, &GestureController::onPanelClosed);
    preferences.subscribe<bool>(App::Keys::dragShake, this,
                                [this](const bool& enabled) { setEnabled(enabled); });
}

GestureController::~GestureController() = default;

bool GestureController::isAvailable()
{
    return X11DragMonitor::isAvailable();
}

QString GestureController::unavailableReason()
{
    return X11DragMonitor::unavailableReason();
}

void GestureController::setAddLink(DropPanel::AddLink add)
{
    m_panel->setAddLink(std::move(add));
}

bool GestureController::isMonitoring() const
{
    return m_monitor != nullptr;
}

void GestureController::setEnabled(bool enabled)
{
    if (enabled == isMonitoring())
        return; // a repeated value must not install a second monitor
    if (!enabled) {
        m_monitor.reset();
        m_reading = false;
        m_detector.reset();
        m_panel->hide();
        m_model.setDragging(std::nullopt);
        Q_EMIT monitoringChanged(false);
        return;
    }
    if (!isAvailable()) {
        qCInfo(Engine::lcMain) << "Drag and shake is unavailable:" << unavailableReason();
        return;
    }
    auto monitor = std::make_unique<X11DragMonitor>();
    if (!monitor->isActive())
        return;
    m_model.setDragging(std::nullopt);
    // A link left behind by an earlier drag must not open the panel.
    monitor->clearDragSelection();
    connect(monitor.get(), &X11DragMonitor::dragMoved, this, &GestureController::onDragMoved);
    connect(monitor.get(), &X11DragMonitor::dragEnded, this, [this] { m_detector.endDrag(); });
    connect(monitor.get(), &X11DragMonitor::draggedLinkRead, this, &GestureController::onDraggedLinkRead);
    m_monitor = std::move(monitor);
    Q_EMIT monitoringChanged(true);
}

void GestureController::onDragMoved(QPoint position, qint64 msecs)
{
    const bool shake = m_detector.addPosition(position, msecs);
    // An open panel is not opened again; a read under way answers for this shake too.
    if (!shake || m_panel->isVisible() || m_reading)
        return;
    m_reading = true;
    m_monitor->readDraggedLink();
}

void GestureController::onDraggedLinkRead(const std::optional<QUrl>& link)
{
    m_reading = false;
    Q_EMIT shaken(link);
    // Drags that carry no link (a window, a file) are not the gesture.
    if (!link || m_panel->isVisible())
        return;
    m_model.setDragging(link);
    // The monitor reports device pixels; the cursor position is in the panel's coordinates.
    const QPoint pointer = QCursor::pos();
    m_panel->showAt(pointer);
    Q_EMIT panelOpened(pointer);
}

void GestureController::onPanelClosed()
{
    m_detector.reset();
    m_model.setDragging(std::nullopt);
    if (m_monitor)
        m_monitor->clearDragSelection();
}

} // namespace App
