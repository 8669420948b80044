#include "app/list/shakeitemdelegate.h"

#include "app/list/shakelistitemrow.h"
#include "app/list/shakelistmodel.h"
#include "app/symbolicon.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

namespace App {

namespace {

constexpr int margin = 8;
constexpr int faviconSize = 24;
// 16:9, as tall as the row's two lines.
constexpr QSize thumbnailSize(74, 42);
constexpr int symbolSize = 16;
constexpr int buttonSize = 22;
constexpr int spacing = 6;

} // namespace

struct ShakeItemDelegate::Layout
{
    QRect thumbnail;
    QRect favicon;
    QRect title;
    QRect detail;
    QRect progressBar;
    QRect state;
    QRect star;
    QRect error;
    QRect showInFolder;
    QRect openFile;
};

ShakeItemDelegate::ShakeItemDelegate(QObject* parent)
    : QStyledItemDelegate(parent), m_now([] { return QDateTime::currentDateTimeUtc(); })
{
}

ShakeListItemRow ShakeItemDelegate::row(const QModelIndex& index) const
{
    const auto* model = qobject_cast<const ShakeListModel*>(index.model());
    if (!model || !index.isValid() || index.row() >= model->rowCount())
        return {};
    const Library::ShakeItem& item = model->item(index.row());
    return ShakeListItemRow::make(item, m_now(), m_progress ? m_progress(item.id) : std::nullopt);
}

ShakeItemDelegate::Layout ShakeItemDelegate::layout(const QRect& rect, const ShakeListItemRow& row) const
{
    Layout result;
    const int middle = rect.center().y();
    result.thumbnail =
        QRect(QPoint(rect.left() + margin, middle - thumbnailSize.height() / 2), thumbnailSize);
    // Without a picture the site's icon stands in its place.
    result.favicon = QRect(result.thumbnail.center().x() - faviconSize / 2 + 1, middle - faviconSize / 2,
                           faviconSize, faviconSize);

    // Symbols and buttons from the right edge inwards.
    int right = rect.right() - margin;
    auto take = [&right, middle](int size) {
        const QRect r(right - size + 1, middle - size / 2, size, size);
        right -= size + spacing;
        return r;
    };
    result.state = take(symbolSize);
    if (row.starred)
        result.star = take(symbolSize);
    if (row.hasError())
        result.error = take(buttonSize);
    if (row.filePath) {
        result.showInFolder = take(buttonSize);
        result.openFile = take(buttonSize);
    }

    const int textLeft = result.thumbnail.right() + 1 + margin;
    const int textWidth = std::max(0, right - textLeft);
    const int lineHeight = (rect.height() - 2 * margin) / 2;
    result.title = QRect(textLeft, rect.top() + margin, textWidth, lineHeight);
    result.detail = QRect(textLeft, result.title.bottom() + 1, textWidth, lineHeight);
    if (row.running)
        result.progressBar = QRect(textLeft, result.detail.center().y() - 3, std::min(textWidth / 3, 160), 6);
    return result;
}

QRect ShakeItemDelegate::buttonRect(const QRect& rect, const ShakeListItemRow& row, Button button) const
{
    const Layout l = layout(rect, row);
    switch (button) {
    case Button::OpenFile:
        return l.openFile;
    case Button::ShowInFolder:
        return l.showInFolder;
    case Button::Error:
        return l.error;
    case Button::None:
        break;
    }
    return {};
}

ShakeItemDelegate::Button ShakeItemDelegate::buttonAt(const QRect& rect, const ShakeListItemRow& row,
                                                      const QPoint& pos) const
{
    for (Button button : {Button::OpenFile, Button::ShowInFolder, Button::Error}) {
        if (buttonRect(rect, row, button).contains(pos))
            return button;
    }
    return Button::None;
}

QSize ShakeItemDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const
{
    return QSize(option.rect.width() > 0 ? option.rect.width() : 400, rowHeight);
}

void ShakeItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();

    // Background and selection as the style draws them, without the default text and icon.
    opt.text.clear();
    opt.icon = QIcon();
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &opt, painter, widget);

    const ShakeListItemRow r = row(index);
    const Layout l = layout(option.rect, r);
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette::ColorGroup group =
        option.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
    const QColor text = option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text);
    QColor secondary = text;
    secondary.setAlphaF(0.65f);

    painter->save();
    if (const QPixmap picture = index.data(ShakeListModel::ThumbnailRole).value<QPixmap>();
        !picture.isNull()) {
        QRect target(QPoint(), picture.size().scaled(l.thumbnail.size(), Qt::KeepAspectRatio));
        target.moveCenter(l.thumbnail.center());
        painter->setRenderHint(QPainter::SmoothPixmapTransform);
        painter->drawPixmap(target, picture);
    } else {
        const QIcon site = index.data(Qt::DecorationRole).value<QIcon>();
        (site.isNull() ? SymbolIcon::icon(QStringLiteral("safari")) : site).paint(painter, l.favicon);
    }

    QFont titleFont = option.font;
    titleFont.setWeight(QFont::DemiBold);
    painter->setFont(titleFont);
    painter->setPen(text);
    painter->drawText(l.title, Qt::AlignLeft | Qt::AlignVCenter,
                      QFontMetrics(titleFont).elidedText(r.title, Qt::ElideRight, l.title.width()));

    QFont detailFont = option.font;
    detailFont.setPointSizeF(detailFont.pointSizeF() * 0.9);
    painter->setFont(detailFont);
    painter->setPen(secondary);
    QRect detail = l.detail;
    QString detailText;
    if (r.running && r.progress) {
        QStyleOptionProgressBar bar;
        bar.rect = l.progressBar;
        bar.minimum = 0;
        bar.maximum = r.progress->percent() ? 1000 : 0;
        bar.progress = r.progress->percent() ? static_cast<int>(*r.progress->percent() * 10) : 0;
        bar.state = QStyle::State_Enabled | QStyle::State_Horizontal;
        bar.palette = option.palette;
        style->drawControl(QStyle::CE_ProgressBar, &bar, painter, widget);
        detail.setLeft(l.progressBar.right() + spacing);
        detailText = r.progressText;
    } else {
        QStringList parts;
        parts << (r.completedText.isEmpty() ? r.createdText : r.completedText);
        for (const QString& fact : {r.badge, r.durationText, r.sizeText, r.qualityNote})
            if (!fact.isEmpty())
                parts << fact;
        if (!r.retryText.isEmpty())
            parts << QStringLiteral("⏳ ") + r.retryText;
        detailText = parts.join(QStringLiteral("   "));
    }
    painter->drawText(detail, Qt::AlignLeft | Qt::AlignVCenter,
                      QFontMetrics(detailFont).elidedText(detailText, Qt::ElideRight, detail.width()));

    SymbolIcon::icon(r.stateSymbol).paint(painter, l.state);
    if (r.starred)
        SymbolIcon::icon(QStringLiteral("star.fill")).paint(painter, l.star);
    auto drawButton = [painter](const QRect& rect, const QString& symbol) {
        SymbolIcon::icon(symbol).paint(painter, rect.adjusted(3, 3, -3, -3));
    };
    if (r.hasError())
        drawButton(l.error, QStringLiteral("exclamationmark.octagon"));
    if (r.filePath) {
        drawButton(l.showInFolder, QStringLiteral("folder"));
        drawButton(l.openFile, QStringLiteral("doc.play"));
    }
    painter->restore();
}

bool ShakeItemDelegate::editorEvent(QEvent* event, QAbstractItemModel* model,
                                    const QStyleOptionViewItem& option, const QModelIndex& index)
{
    if (event->type() == QEvent::MouseButtonRelease || event->type() == QEvent::MouseButtonPress ||
        event->type() == QEvent::MouseButtonDblClick) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) {
            const ShakeListItemRow r = row(index);
            const Button button = buttonAt(option.rect, r, mouse->position().toPoint());
            if (button != Button::None) {
                // The press and double click are swallowed so that a button does not also
                // change the selection or open the row.
                if (event->type() == QEvent::MouseButtonRelease)
                    Q_EMIT buttonClicked(index.data(ShakeListModel::IdRole).toLongLong(), button,
                                         mouse->globalPosition().toPoint());
                return true;
            }
        }
    }
    return QStyledItemDelegate::editorEvent(event, model, option, index);
}

bool ShakeItemDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                                  const QStyleOptionViewItem& option, const QModelIndex& index)
{
    if (event->type() != QEvent::ToolTip || !index.isValid())
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    const ShakeListItemRow r = row(index);
    const Layout l = layout(option.rect, r);
    const QPoint pos = event->pos();
    QString tip;
    if (l.state.contains(pos))
        tip = r.stateHelp;
    else if (r.starred && l.star.contains(pos))
        tip = tr("Starred");
    else if (r.hasError() && l.error.contains(pos))
        tip = tr("Download failed, click to view error details.");
    else if (r.filePath && l.openFile.contains(pos))
        tip = tr("Open file");
    else if (r.filePath && l.showInFolder.contains(pos))
        tip = tr("Show in folder");
    else if (l.detail.contains(pos))
        tip = r.completedText.isEmpty() ? r.createdText : r.completedText;
    else
        tip = r.title;
    QToolTip::showText(event->globalPos(), tip, view);
    return true;
}

} // namespace App
