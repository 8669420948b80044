#include "app/desktop/handoverbar.h"

#include "app/desktop/handovergate.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace App {

HandoverBar::HandoverBar(HandoverGate& gate, QWidget* parent) : QFrame(parent), m_label(new QLabel(this))
{
    setObjectName(QStringLiteral("handoverBar"));
    setFrameShape(QFrame::StyledPanel);
    auto* add = new QPushButton(tr("Add"), this);
    add->setObjectName(QStringLiteral("add"));
    auto* discard = new QPushButton(tr("Discard"), this);
    discard->setObjectName(QStringLiteral("discard"));
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_label, 1);
    layout->addWidget(add);
    layout->addWidget(discard);
    setVisible(!gate.waiting().isEmpty());
    m_label->setText(message(static_cast<int>(gate.waiting().size())));
    connect(&gate, &HandoverGate::waitingChanged, this, [this](int count) {
        m_label->setText(message(count));
        setVisible(count > 0);
    });
    connect(add, &QPushButton::clicked, &gate, &HandoverGate::addWaiting);
    connect(discard, &QPushButton::clicked, &gate, &HandoverGate::discardWaiting);
}

QString HandoverBar::message(int count)
{
    return count == 1 ? tr("1 more address from other programs waits to be added.")
                      : tr("%n more addresses from other programs wait to be added.", nullptr, count);
}

} // namespace App
