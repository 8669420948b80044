#include "app/window/newdownloaddialog.h"

#include "app/choice/downloadchoiceeditor.h"
#include "app/choice/videopreview.h"
#include "app/symbolicon.h"
#include "capture/linkdetector.h"
#include "engine/preferences.h"
#include "library/librarykeys.h"
#include "library/presetlist.h"

#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QVariantAnimation>

#include <cmath>

namespace App {

namespace {

constexpr int sheetWidth = 520;
constexpr int buttonWidth = 80;
constexpr int shakeCount = 3;
constexpr int shakeDurationMs = 500;
constexpr double shakeVigour = 0.02;
constexpr int typingPauseMs = 400;

// The name goes into the tool's output template, where '%' starts a field and '/' a folder.
QString templateForName(const QString& name)
{
    QString safe = name.trimmed();
    safe.replace(QLatin1Char('/'), QLatin1Char('_'));
    safe.replace(QLatin1Char('%'), QStringLiteral("%%"));
    return safe + QStringLiteral(".%(ext)s");
}

} // namespace

NewDownloadDialog::NewDownloadDialog(Engine::Preferences& preferences, AddFunction add, QWidget* parent)
    : QDialog(parent), m_preferences(preferences), m_add(std::move(add)), m_reader(preferences),
      m_url(new QLineEdit(this)), m_preview(new VideoPreview(this)), m_editor(new DownloadChoiceEditor(this)),
      m_fileName(new QLineEdit(this)), m_error(new QLabel(this)),
      m_addButton(new QPushButton(tr("Add"), this)), m_cancelButton(new QPushButton(tr("Cancel"), this)),
      m_askPresetName([](QWidget* owner, const QString& suggestion) {
          return QInputDialog::getText(owner, tr("Save Preset"), tr("Name of the preset:"), QLineEdit::Normal,
                                       suggestion);
      }),
      m_askFolder([](QWidget* owner, const QString& current) {
          return QFileDialog::getExistingDirectory(owner, tr("Save To"), current);
      })
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
    m_fileName->setPlaceholderText(tr("As the site names it"));
    auto* form = new QFormLayout;
    form->addRow(tr("URL:"), m_url);

    auto* saving = new QFormLayout;
    saving->addRow(tr("Save to:"), folderRow());
    saving->addRow(tr("File name:"), m_fileName);

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
    layout->addWidget(m_preview);
    layout->addLayout(presetRow());
    layout->addWidget(m_editor);
    layout->addLayout(saving);
    layout->addLayout(buttons);

    m_typingPause.setSingleShot(true);
    m_typingPause.setInterval(typingPauseMs);
    connect(&m_typingPause, &QTimer::timeout, this, &NewDownloadDialog::readAddress);
    connect(&m_reader, &Engine::MetadataReader::finished, this,
            [this](const Engine::VideoMetadata& metadata) {
                m_preview->showMetadata(metadata);
                m_editor->setMetadata(metadata);
                m_fileName->setPlaceholderText(metadata.title.isEmpty() ? tr("As the site names it")
                                                                        : metadata.title);
                Q_EMIT metadataShown();
            });
    connect(&m_reader, &Engine::MetadataReader::failed, this, [this](const QString& reason) {
        m_preview->showFailure(reason);
        m_editor->setMetadata(std::nullopt);
    });
    connect(m_url, &QLineEdit::textEdited, this, &NewDownloadDialog::onAddressEdited);
    connect(m_url, &QLineEdit::textChanged, this, &NewDownloadDialog::updateAddEnabled);
    connect(m_addButton, &QPushButton::clicked, this, &NewDownloadDialog::submit);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    const Library::PresetList presets(m_preferences);
    const std::optional<Library::DownloadPreset> preset = presets.defaultPreset();
    fillPresets(preset ? preset->name : QString());
    m_editor->setChoice(presets.startingChoice());
    m_folder = m_preferences.value(Library::Keys::defaultOutputLocation);
    m_folderLabel->setText(QDir::toNativeSeparators(m_folder.toLocalFile()));

    if (const QClipboard* clipboard = QGuiApplication::clipboard()) {
        if (const std::optional<QUrl> url = Capture::LinkDetector::validUrl(clipboard->text())) {
            m_url->setText(url->toString());
            readAddress();
        }
    }
    updateAddEnabled();
}

QLayout* NewDownloadDialog::presetRow()
{
    m_preset = new QComboBox(this);
    auto* save = new QPushButton(tr("Save as Preset…"), this);
    save->setAutoDefault(false);
    connect(m_preset, &QComboBox::activated, this, &NewDownloadDialog::applyPreset);
    connect(save, &QPushButton::clicked, this, &NewDownloadDialog::savePreset);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(tr("Preset:"), this));
    row->addWidget(m_preset, 1);
    row->addWidget(save);
    return row;
}

QLayout* NewDownloadDialog::folderRow()
{
    m_folderLabel = new QLabel(this);
    m_folderLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_folderLabel->setTextFormat(Qt::PlainText);
    auto* choose = new QPushButton(tr("Choose…"), this);
    choose->setAutoDefault(false);
    connect(choose, &QPushButton::clicked, this, &NewDownloadDialog::chooseFolder);
    auto* row = new QHBoxLayout;
    row->addWidget(m_folderLabel, 1);
    row->addWidget(choose);
    return row;
}

QString NewDownloadDialog::errorText() const
{
    return m_error->text();
}

void NewDownloadDialog::fillPresets(const QString& selected)
{
    m_preset->clear();
    m_preset->addItem(tr("None"));
    for (const Library::DownloadPreset& preset : Library::PresetList(m_preferences).presets())
        m_preset->addItem(preset.name, preset.name);
    const int index = selected.isEmpty() ? 0 : m_preset->findData(selected);
    m_preset->setCurrentIndex(index < 0 ? 0 : index);
}

void NewDownloadDialog::applyPreset(int index)
{
    const QString name = m_preset->itemData(index).toString();
    for (const Library::DownloadPreset& preset : Library::PresetList(m_preferences).presets()) {
        if (preset.name == name) {
            m_editor->setChoice(preset.choice);
            return;
        }
    }
}

void NewDownloadDialog::savePreset()
{
    const Engine::DownloadChoice choice = m_editor->choice();
    const QString current = m_preset->currentData().toString();
    const QString name = m_askPresetName(this, current.isEmpty() ? choice.badge() : current).trimmed();
    if (name.isEmpty())
        return;
    Library::PresetList(m_preferences).save({name, choice});
    fillPresets(name);
}

void NewDownloadDialog::chooseFolder()
{
    const QString chosen = m_askFolder(this, m_folder.toLocalFile());
    if (chosen.isEmpty())
        return;
    m_folder = QUrl::fromLocalFile(chosen);
    m_folderLabel->setText(QDir::toNativeSeparators(chosen));
}

void NewDownloadDialog::onAddressEdited(const QString& text)
{
    const std::optional<QUrl> url = Capture::LinkDetector::validUrl(text);
    if (!url) {
        m_typingPause.stop();
        m_reader.cancel();
        m_readAddress.clear();
        m_preview->clear();
        m_editor->setMetadata(std::nullopt);
        return;
    }
    // A paste changes more than one character at a time: read it at once.
    if (std::abs(text.size() - m_readAddress.size()) > 1 || m_readAddress.isEmpty())
        readAddress();
    else
        m_typingPause.start();
}

void NewDownloadDialog::readAddress()
{
    m_typingPause.stop();
    const std::optional<QUrl> url = Capture::LinkDetector::validUrl(m_url->text());
    if (!url || url->toString() == m_readAddress)
        return;
    m_readAddress = url->toString();
    m_preview->showReading();
    m_reader.read(m_readAddress);
}

Engine::QorvConfig NewDownloadDialog::config() const
{
    const Engine::DownloadChoice choice = m_editor->choice();
    QString name = m_preset->currentData().toString();
    const QList<Library::DownloadPreset> presets = Library::PresetList(m_preferences).presets();
    const bool asPreset = std::any_of(presets.begin(), presets.end(), [&](const Library::DownloadPreset& p) {
        return p.name == name && p.choice == choice;
    });
    if (!asPreset)
        name = choice.badge();
    Engine::QorvConfig config = Library::DownloadPreset{name, choice}.config(m_folder);
    if (!m_fileName->text().trimmed().isEmpty())
        config.setItem(Engine::QorvConfigItem::outputTemplate(templateForName(m_fileName->text())), true);
    return config;
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
        m_reader.cancel();
        if (m_add)
            m_add(*url, config());
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
