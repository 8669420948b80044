#pragma once

#include "library/sidebaritemtype.h"

#include <QWidget>

class QListView;

namespace App {

class SidebarModel;

// The "Downloads" section of status filters with their counts as badges; exactly one filter
// is selected at a time.
class SidebarView : public QWidget
{
    Q_OBJECT
public:
    explicit SidebarView(SidebarModel& model, QWidget* parent = nullptr);

    QListView* listView() const { return m_list; }
    Library::SidebarItemType selectedType() const { return m_selected; }

public Q_SLOTS:
    void select(Library::SidebarItemType type);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

Q_SIGNALS:
    // Also when the selected filter is chosen again, so that the list starts over.
    void selected(Library::SidebarItemType type);

private:
    SidebarModel& m_model;
    QListView* m_list;
    Library::SidebarItemType m_selected = Library::SidebarItemType::all;
    Library::SidebarItemType m_selectedAtPress = Library::SidebarItemType::all;
};

} // namespace App
