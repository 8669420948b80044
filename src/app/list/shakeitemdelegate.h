#pragma once

#include "engine/downloaderprogress.h"

#include <QDateTime>
#include <QStyledItemDelegate>

#include <functional>
#include <optional>

namespace App {

class ShakeListItemRow;

// Draws one download row of ShakeListModel (picture or site icon, title, dates, what was
// downloaded, state symbols, progress while running) and turns clicks on its buttons into buttonClicked().
class ShakeItemDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    enum class Button
    {
        None,
        OpenFile,
        ShowInFolder,
        Error
    };
    Q_ENUM(Button)

    using ProgressProvider = std::function<std::optional<Engine::DownloaderProgress>(qint64)>;
    using Clock = std::function<QDateTime()>;

    explicit ShakeItemDelegate(QObject* parent = nullptr);

    void setProgressProvider(ProgressProvider provider) { m_progress = std::move(provider); }
    void setClock(Clock clock) { m_now = std::move(clock); }

    // What the row of `index` shows now.
    ShakeListItemRow row(const QModelIndex& index) const;
    // Where `button` sits in a row drawn in `rect`; empty when the row has no such button.
    QRect buttonRect(const QRect& rect, const ShakeListItemRow& row, Button button) const;
    Button buttonAt(const QRect& rect, const ShakeListItemRow& row, const QPoint& pos) const;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

    static constexpr int rowHeight = 58;

Q_SIGNALS:
    void buttonClicked(qint64 id, App::ShakeItemDelegate::Button button, const QPoint& globalPos);

private:
    struct Layout;
    Layout layout(const QRect& rect, const ShakeListItemRow& row) const;

    ProgressProvider m_progress;
    Clock m_now;
};

} // namespace App
