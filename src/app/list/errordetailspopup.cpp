#include "app/list/errordetailspopup.h"

#include "app/list/shakelistitemrow.h"

#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace App {

ErrorDetailsPopup::ErrorDetailsPopup(const QString& errorText, QWidget* parent)
    : QFrame(parent, Qt::Popup), m_explanation(new QLabel(this)), m_error(new QPlainTextEdit(this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setFrameShape(QFrame::StyledPanel);
    auto* layout = new QVBoxLayout(this);

    const QString trimmed = errorText.trimmed();
    if (const std::optional<QString> explanation = ShakeListItemRow::errorExplanation(trimmed)) {
        auto* group = new QGroupBox(this);
        auto* groupLayout = new QVBoxLayout(group);
        m_explanation->setParent(group);
        m_explanation->setTextFormat(Qt::MarkdownText);
        m_explanation->setText(*explanation);
        m_explanation->setWordWrap(true);
        groupLayout->addWidget(m_explanation);
        layout->addWidget(group);
    } else {
        m_explanation->hide();
    }

    m_error->setReadOnly(true);
    m_error->setPlainText(trimmed);
    m_error->setToolTip(trimmed);
    m_error->setMaximumHeight(m_error->fontMetrics().lineSpacing() * 12);
    layout->addWidget(m_error);
    setFixedWidth(420);
}

} // namespace App
