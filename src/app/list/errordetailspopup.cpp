#include "app/list/errordetailspopup.h"

#include "app/list/shakelistitemrow.h"

#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace App {

ErrorDetailsPopup::ErrorDetailsPopup(const QString& errorText, const QString& outputLog, QWidget* parent)
    : QFrame(parent, Qt::Popup), m_explanation(new QLabel(this)), m_error(new QPlainTextEdit(this)),
      m_output(new QPlainTextEdit(this))
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

    m_output->setReadOnly(true);
    m_output->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_output->setPlainText(outputLog);
    m_output->setMaximumHeight(m_output->fontMetrics().lineSpacing() * 12);
    m_output->setVisible(!outputLog.isEmpty());
    // The newest lines are the ones that tell what went wrong.
    m_output->moveCursor(QTextCursor::End);
    layout->addWidget(m_output);
    setFixedWidth(420);
}

} // namespace App
