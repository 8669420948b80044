#pragma once

#include "engine/metadatareader.h"
#include "engine/qorvconfig.h"

#include <QDialog>
#include <QTimer>
#include <QUrl>

#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QVariantAnimation;

namespace Engine {
class Preferences;
}

namespace App {

class DownloadChoiceEditor;
class VideoPreview;

// The "New Download" sheet: an address, checked with the address validity rule, and what to
// make of it. While the user chooses, the tool reads the video's details in the background;
// neither a slow nor a failed read holds up typing or adding. A refused text stays as typed,
// with "URL is invalid!" under it and a shake of the sheet.
class NewDownloadDialog : public QDialog
{
    Q_OBJECT
public:
    using AddFunction = std::function<void(const QUrl&, const Engine::QorvConfig&)>;
    // Asks for a text, offering `suggestion`; empty when the user declined.
    using Prompt = std::function<QString(QWidget* owner, const QString& suggestion)>;

    NewDownloadDialog(Engine::Preferences& preferences, AddFunction add, QWidget* parent = nullptr);

    QLineEdit* urlField() const { return m_url; }
    QPushButton* addButton() const { return m_addButton; }
    QPushButton* cancelButton() const { return m_cancelButton; }
    QComboBox* presetBox() const { return m_preset; }
    QLineEdit* fileNameField() const { return m_fileName; }
    DownloadChoiceEditor* editor() const { return m_editor; }
    VideoPreview* preview() const { return m_preview; }
    // The message under the field; empty while there is none.
    QString errorText() const;
    // The option set an add would use now.
    Engine::QorvConfig config() const;

    void setPresetNamePrompt(Prompt prompt) { m_askPresetName = std::move(prompt); }
    void setFolderPrompt(Prompt prompt) { m_askFolder = std::move(prompt); }

    static QString invalidUrlMessage() { return tr("URL is invalid!"); }

public Q_SLOTS:
    // Runs the add operation (the "Add" button and the Return key).
    void submit();
    void savePreset();

Q_SIGNALS:
    // The video's details are on screen: title and qualities.
    void metadataShown();

private:
    QLayout* presetRow();
    QLayout* folderRow();
    void onAddressEdited(const QString& text);
    void readAddress();
    void fillPresets(const QString& selected);
    void applyPreset(int index);
    void chooseFolder();
    void updateAddEnabled();
    void shake();

    Engine::Preferences& m_preferences;
    AddFunction m_add;
    Engine::MetadataReader m_reader;
    QLineEdit* m_url;
    VideoPreview* m_preview;
    QComboBox* m_preset = nullptr;
    DownloadChoiceEditor* m_editor;
    QLabel* m_folderLabel = nullptr;
    QUrl m_folder;
    QLineEdit* m_fileName;
    QLabel* m_error;
    QPushButton* m_addButton;
    QPushButton* m_cancelButton;
    QVariantAnimation* m_shake = nullptr;
    // Typing waits for a pause before the tool is asked; a paste asks at once.
    QTimer m_typingPause;
    QString m_readAddress;
    Prompt m_askPresetName;
    Prompt m_askFolder;
};

} // namespace App
