#pragma once

#include <QFrame>

class QLabel;

namespace App {

class HandoverGate;

// "4 more addresses from other programs wait to be added." with Add and Discard, while any wait.
class HandoverBar : public QFrame
{
    Q_OBJECT
public:
    explicit HandoverBar(HandoverGate& gate, QWidget* parent = nullptr);

    static QString message(int count);
    QLabel* label() const { return m_label; }

private:
    QLabel* m_label;
};

} // namespace App
