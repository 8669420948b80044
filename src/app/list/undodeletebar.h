#pragma once

#include <QFrame>

class QLabel;
class QPushButton;

namespace Library {
class MainModel;
}

namespace App {

// "Deleted 3 downloads — Undo" under the list, for as long as the model can undo the delete.
class UndoDeleteBar : public QFrame
{
    Q_OBJECT
public:
    explicit UndoDeleteBar(Library::MainModel& model, QWidget* parent = nullptr);

    static QString message(int count);
    QLabel* label() const { return m_label; }
    QPushButton* undoButton() const { return m_undo; }

private:
    Library::MainModel& m_model;
    QLabel* m_label;
    QPushButton* m_undo;
};

} // namespace App
