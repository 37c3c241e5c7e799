#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <memory>

class Platform;
class QLabel;

namespace Ui {
class TAboutBox;
}

// The product strings the About box shows. An empty string is a missing
// one: its label keeps the text of the design.
struct VersionStrings
{
    QString ProductName;
    QString ProductVersion;
    QString LegalCopyright;
    QString Comments;
};

// The strings compiled into this build.
VersionStrings BuiltInVersionStrings();

// The About box: product name, version, copyright and notice, and two links
// that open the home page and a new mail through the desktop. Created once at
// start-up; afterCreate runs at the end of its creation, which is where the
// main window processes its command line.
class TAboutBox : public QDialog
{
    Q_OBJECT

public:
    TAboutBox(QWidget* parent, Platform& platform, std::function<void()> afterCreate,
              const VersionStrings& version = BuiltInVersionStrings());
    ~TAboutBox() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate(const VersionStrings& version, const std::function<void()>& afterCreate);
    void FormDeactivate();
    void homepageClick();
    void emailClick();
    void MakeLink(QLabel* label, const QString& text);
    bool IsClick(QObject* watched, QEvent* event, QLabel* label) const;

    std::unique_ptr<Ui::TAboutBox> ui;
    Platform& platform;
};
