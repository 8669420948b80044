#include "app/list/undodeletebar.h"

#include "library/mainmodel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace App {

UndoDeleteBar::UndoDeleteBar(Library::MainModel& model, QWidget* parent)
    : QFrame(parent), m_model(model), m_label(new QLabel(this)), m_undo(new QPushButton(tr("Undo"), this))
{
    setObjectName(QStringLiteral("undoDeleteBar"));
    setFrameShape(QFrame::StyledPanel);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_label, 1);
    layout->addWidget(m_undo);
    hide();
    connect(&model, &Library::MainModel::removed, this, [this](int count) {
        m_label->setText(message(count));
        show();
    });
    connect(&model, &Library::MainModel::undoRemoveExpired, this, &QWidget::hide);
    connect(m_undo, &QPushButton::clicked, this, [this] {
        hide();
        m_model.undoRemove();
    });
}

QString UndoDeleteBar::message(int count)
{
    return count == 1 ? tr("Deleted 1 download") : tr("Deleted %n downloads", nullptr, count);
}

} // namespace App
