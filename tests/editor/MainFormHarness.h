#pragma once

#include "editor/MainForm.h"
#include "editor/RecentFiles.h"
#include "tests/support/FakeDialogs.h"
#include "tests/support/TestPlatform.h"

#include <QAction>
#include <QByteArray>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>

#include <memory>

// The whole text of a single-line or multi-line box.
QString BoxText(const QWidget* box);
void SetBoxText(QWidget* box, const QString& text);
// Presses a key in the control that has the focus; there must be one.
void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// A real main window on the offscreen platform, with pre-answerable dialogs
// and a platform whose settings, desktop and clipboard stay in the test.
// Files live in a temporary folder, which is also the editor's own folder.
class MainFormHarness
{
public:
    explicit MainFormHarness(QStringList arguments = {}, QHash<QString, QString> settings = {});
    ~MainFormHarness();

    TMainForm& Form() { return *form_; }
    CDefDocument& Document() { return form_->Document(); }

    template <typename T> T* Control(const char* name) const
    {
        return form_->findChild<T*>(QLatin1String(name));
    }
    QLineEdit* Edit(const char* name) const { return Control<QLineEdit>(name); }
    QPlainTextEdit* Memo(const char* name) const { return Control<QPlainTextEdit>(name); }
    QListWidget* List(const char* name) const { return Control<QListWidget>(name); }
    QComboBox* Combo(const char* name) const { return Control<QComboBox>(name); }
    QCheckBox* Check(const char* name) const { return Control<QCheckBox>(name); }
    QPushButton* Button(const char* name) const { return Control<QPushButton>(name); }
    QAction* Action(const char* name) const { return Control<QAction>(name); }

    // A path in the temporary folder, and writing a file there.
    QString PathOf(const QString& name) const;
    QString WriteFile(const QString& name, const QByteArray& bytes) const;
    QByteArray ReadFile(const QString& name) const;

    // Opens a definition file through the window's own command.
    void Open(const QString& path);
    // Shows the "Options" page and gives the option list the focus.
    void FocusOptionList();
    // Clicks entry row of a list as the user does.
    void ClickRow(QListWidget* list, int row);
    // Picks a type as the user does.
    void PickType(const QString& type);
    // The clipboard changes outside the editor, and says so as the
    // desktop's does.
    void SetClipboard(const QString& text);
    // Triggers an action as the menu does.
    void Trigger(const char* action);
    // The window's title as the desktop shows it: "*" where "[*]" stands
    // while the document has unsaved changes.
    QString Title();

    TestPlatform platform;
    FakeDialogs dialogs;

private:
    QTemporaryDir dir_;
    std::unique_ptr<TMainForm> form_;
};
