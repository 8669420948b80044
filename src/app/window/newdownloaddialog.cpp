#include "app/window/newdownloaddialog.h"

#include "capture/linkdetector.h"
#include "app/symbolicon.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QVariantAnimation>

#include <cmath>

namespace App {

namespace {

constexpr int sheetWidth = 380;
constexpr int buttonWidth = 80;
constexpr int shakeCount = 3;
constexpr int shakeDurationMs = 500;
constexpr double shakeVigour = 0.02;

} // namespace

NewDownloadDialog::NewDownloadDialog(AddFunction add, QWidget* parent)
    : QDialog(parent), m_add(std::move(add)), m_url(new QLineEdit(this)), m_error(new QLabel(this)),
      m_addButton(new QPushButton(tr("Add"), this)), m_cancelButton(new QPushButton(tr("Cancel"), this))
{
    setWindowTitle(tr("New Download"));
    setFixedWidth(sheetWidth);

    auto* titleIcon = new QLabel(this);
    titleIcon->setPixmap(SymbolIcon::icon(QStringLiteral("link.badge.plus")).pixmap(24, 24));
    auto* title = new QLabel(tr("New Download"), this);
    QFont titleFont = title->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    title->setFont(titleFont);
    auto* titleRow = new QHBoxLayout;
    titleRow->addWidget(titleIcon);
    titleRow->addWidget(title, 1);

    m_url->setPlaceholderText(tr("Required"));
    m_url->setClearButtonEnabled(true);
    m_url->setInputMethodHints(Qt::ImhUrlCharactersOnly | Qt::ImhNoPredictiveText | Qt::ImhNoAutoUppercase);
    auto* form = new QFormLayout;
    form->addRow(tr("URL:"), m_url);

    m_error->setObjectName(QStringLiteral("errorLabel"));
    m_error->setStyleSheet(QStringLiteral("color: #d93a3a;"));
    m_error->setVisible(false);

    for (QPushButton* button : {m_cancelButton, m_addButton})
        button->setFixedWidth(buttonWidth);
    m_addButton->setDefault(true);
    m_addButton->setAutoDefault(true);
    m_cancelButton->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_error, 1);
    buttons->addStretch();
    buttons->addWidget(m_cancelButton);
    buttons->addWidget(m_addButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(titleRow);
    layout->addLayout(form);
    layout->addLayout(buttons);

    connect(m_url, &QLineEdit::textChanged, this, &NewDownloadDialog::updateAddEnabled);
    connect(m_addButton, &QPushButton::clicked, this, &NewDownloadDialog::submit);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    updateAddEnabled();
}

QString NewDownloadDialog::errorText() const
{
    return m_error->text();
}

void NewDownloadDialog::updateAddEnabled()
{
    m_addButton->setEnabled(!m_url->text().trimmed().isEmpty());
}

void NewDownloadDialog::submit()
{
    // Return reaches here through the default button even while it is disabled.
    if (!m_addButton->isEnabled())
        return;
    if (const std::optional<QUrl> url = Capture::LinkDetector::validUrl(m_url->text())) {
        if (m_add)
            m_add(*url);
        accept();
        return;
    }
    m_error->setText(invalidUrlMessage());
    m_error->setVisible(true);
    shake();
}

void NewDownloadDialog::shake()
{
    if (!isVisible())
        return;
    if (m_shake)
        m_shake->stop();
    else
        m_shake = new QVariantAnimation(this);
    const QPoint origin =
        m_shake->property("origin").isValid() ? m_shake->property("origin").toPoint() : pos();
    m_shake->setProperty("origin", origin);
    const double amplitude = width() * shakeVigour;
    m_shake->setStartValue(0.0);
    m_shake->setEndValue(1.0);
    m_shake->setDuration(shakeDurationMs);
    m_shake->disconnect(this);
    // Left, right, n times, and back where it was.
    connect(m_shake, &QVariantAnimation::valueChanged, this,
            [this, origin, amplitude](const QVariant& value) {
                const double phase = value.toDouble();
                const int dx =
                    static_cast<int>(std::lround(-amplitude * std::sin(phase * shakeCount * 2.0 * M_PI)));
                move(origin.x() + dx, origin.y());
            });
    connect(m_shake, &QVariantAnimation::finished, this, [this, origin] {
        move(origin);
        m_shake->setProperty("origin", QVariant());
    });
    m_shake->start();
}

} // namespace App
