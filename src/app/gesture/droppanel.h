#pragma once

#include <QUrl>
#include <QWidget>

#include <functional>

class QLabel;

namespace Capture {
class DropModel;
}

namespace App {

// The small floating window that a shake opens at the pointer. A link dropped on it becomes a
// new download; then it closes. Frameless, above other windows, and kept out of the taskbar.
class DropPanel : public QWidget
{
    Q_OBJECT
public:
    // Adds a download for the link; true when an item was added.
    using AddLink = std::function<bool(const QUrl&)>;

    static constexpr int side = 300;

    explicit DropPanel(Capture::DropModel& model, QWidget* parent = nullptr);

    void setAddLink(AddLink add) { m_add = std::move(add); }

    // Shows the panel with its lower-left corner at `pointer` (global coordinates), kept on
    // the pointer's screen, and gives it the keyboard.
    void showAt(const QPoint& pointer);

    // A drag is over the drop zone.
    bool isDropping() const { return m_dropping; }

Q_SIGNALS:
    // A drop ended on the panel; `added` tells whether it became a download.
    void linkDropped(const QUrl& url, bool added);
    // The panel closed, by a drop or by the user.
    void closed();

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void setDropping(bool dropping);
    void updateContent();

    Capture::DropModel& m_model;
    AddLink m_add;
    bool m_dropping = false;
    // The link of the drag over the zone when the model has none (a drag that started elsewhere).
    QUrl m_hovered;
    QLabel* m_icon = nullptr;
    QLabel* m_text = nullptr;
};

} // namespace App
