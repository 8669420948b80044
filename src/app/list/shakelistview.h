#pragma once

#include <QListView>

namespace App {

class ShakeListModel;

// The download list: rows drawn by ShakeItemDelegate, several may be selected. When its last
// loaded row comes into view it asks the model for the next page.
class ShakeListView : public QListView
{
    Q_OBJECT
public:
    explicit ShakeListView(QWidget* parent = nullptr);

    void setListModel(ShakeListModel* model);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void scheduleEndCheck();
    void checkEnd();

    ShakeListModel* m_model = nullptr;
    bool m_checkPending = false;
};

} // namespace App
