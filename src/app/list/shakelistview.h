#pragma once

#include <QListView>

namespace App {

class ShakeListModel;

// The download list: rows drawn by ShakeItemDelegate, several may be selected. Qt's view asks
// the model for the next page (fetchMore) when its last loaded row comes into view.
class ShakeListView : public QListView
{
    Q_OBJECT
public:
    explicit ShakeListView(QWidget* parent = nullptr);

    void setListModel(ShakeListModel* model);
};

} // namespace App
