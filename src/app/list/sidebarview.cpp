#include "app/list/sidebarview.h"

#include "app/list/sidebarbadgedelegate.h"
#include "app/list/sidebarmodel.h"

#include <QEvent>
#include <QLabel>
#include <QListView>
#include <QVBoxLayout>

namespace App {

SidebarView::SidebarView(SidebarModel& model, QWidget* parent)
    : QWidget(parent), m_model(model), m_list(new QListView(this))
{
    auto* header = new QLabel(tr("Downloads"), this);
    QFont font = header->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 0.9);
    header->setFont(font);
    header->setContentsMargins(8, 8, 8, 2);

    m_list->setObjectName(QStringLiteral("sidebarList"));
    m_list->setModel(&m_model);
    m_list->setItemDelegate(new SidebarBadgeDelegate(m_list));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setFrameShape(QFrame::NoFrame);
    m_list->setIconSize(QSize(16, 16));
    m_list->setUniformItemSizes(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(header);
    layout->addWidget(m_list, 1);

    m_list->setCurrentIndex(m_model.index(m_model.rowOf(m_selected)));
    // A click on the selected row counts too: the list then reloads from its first page.
    // (A click that changes the row has already selected it when `clicked` arrives.)
    m_list->viewport()->installEventFilter(this);
    connect(m_list, &QListView::clicked, this, [this](const QModelIndex& index) {
        if (index.isValid() && m_model.type(index.row()) == m_selectedAtPress)
            select(m_selectedAtPress);
    });
    connect(m_list->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& index) {
                if (index.isValid() && m_model.type(index.row()) != m_selected)
                    select(m_model.type(index.row()));
            });
}

bool SidebarView::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress)
        m_selectedAtPress = m_selected;
    return QWidget::eventFilter(watched, event);
}

void SidebarView::select(Library::SidebarItemType type)
{
    const int row = m_model.rowOf(type);
    if (row < 0)
        return;
    m_selected = type;
    const QModelIndex index = m_model.index(row);
    if (m_list->currentIndex() != index)
        m_list->setCurrentIndex(index);
    Q_EMIT selected(type);
}

} // namespace App
