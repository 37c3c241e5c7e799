#pragma once

#include "document/ProgramSettings.h"
#include "editor/ShownText.h"
#include "system/Dialogs.h"

#include <QWidget>

#include <array>
#include <memory>

class ExecutableSearch;
class Platform;
class QLineEdit;
class TSearchForm;
class TextCodec;

namespace Ui {
class TProgramSettingsPage;
}

// The "Program settings" page: the fields of the definition's program
// settings, a working copy of them between Show and Collect; the buttons
// that help fill the program, shell and folder fields; the Hide button.
class TProgramSettingsPage : public QWidget
{
    Q_OBJECT

public:
    explicit TProgramSettingsPage(QWidget* parent = nullptr);
    ~TProgramSettingsPage() override;

    // Before any other call: what the buttons ask, the texts' codec.
    void Setup(Platform& platform, Dialogs& dialogs, const TextCodec& codec);
    // The scan of the disks that presets the Executable button's dialog.
    void AttachSearchForm(TSearchForm& searchForm);

    // The texts of settings into the fields; First is not shown.
    void Show(const CProgramSettings& settings);
    // The fields into settings. The memo gives back settings.Information,
    // the text it was filled with, until the user edits it.
    void Collect(CProgramSettings& settings) const;
    void Clear();
    ShownTexts Texts() const;

    QString Program() const;
    // The program and folder fields as paths: the bytes the document holds
    // for their texts, which is what the launcher runs.
    FilePath ProgramPath() const;
    void SetProgram(const FilePath& program);
    void SetDirectory(const FilePath& directory);
    // A hidden program's field and button are locked; the button is down.
    void ShowHidden(bool hidden);
    bool HideChecked() const;
    // Focuses the caption box with its text selected.
    void FocusCaption();
    // The last field in the tab order.
    QWidget* LastField() const;

Q_SIGNALS:
    // A field changed, other than by Show.
    void Edited();
    void ProgramChanged(const QString& program);
    // The Hide button was clicked; it shows checked already.
    void HideClicked(bool checked);

private:
    // The one-line boxes of the first texts of SettingsTexts, in its order;
    // the memo holds the last.
    std::array<QLineEdit*, 4> Boxes() const;
    void ProgramButtonClick();
    void ShellButtonClick();
    void DirectoryButtonClick();

    std::unique_ptr<Ui::TProgramSettingsPage> ui;
    Platform* platform_ = nullptr;
    Dialogs* dialogs_ = nullptr;
    const TextCodec* codec_ = nullptr;
    std::unique_ptr<ExecutableSearch> search_;
    FileDialogSettings openExeDialog_;
    bool showing_ = false;
};
