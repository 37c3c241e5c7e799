#include "editor/PreviewPane.h"

#include "launcher/LauncherPanel.h"
#include "launcher/OptionsPanel.h"

#include <QAbstractButton>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The text without its accelerator mark ("&&" stays a shown "&").
QString WithoutMnemonic(const QString& text)
{
    QString plain;
    for (int i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size())
            ++i;
        plain += text[i];
    }
    return plain.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

// Beside the pages, the panel's Alt letters would clash with the menus' and
// the pages' own; its controls are reached with Tab and the mouse.
void RemoveMnemonics(QWidget& panel)
{
    for (QAbstractButton* button : panel.findChildren<QAbstractButton*>())
        button->setText(WithoutMnemonic(button->text()));
    for (QLabel* label : panel.findChildren<QLabel*>()) {
        if (label->buddy())
            label->setText(WithoutMnemonic(label->text()));
    }
}

bool SameOption(const COption& a, const COption& b)
{
    return a.Name == b.Name && a.Type == b.Type;
}

} // namespace

PreviewPane::PreviewPane(Platform& platform, Dialogs& dialogs,
                         std::function<PreviewSource()> source, QWidget* parent)
    : QWidget(parent), panel_(new LauncherPanel(platform, dialogs, this)),
      source_(std::move(source))
{
    setObjectName(QStringLiteral("Preview"));
    setAccessibleName(QStringLiteral("Preview"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(panel_);
    auto* status = new QLabel(this);
    status->setObjectName(QStringLiteral("PreviewStatus"));
    status->setAccessibleName(QStringLiteral("Run status"));
    layout->addWidget(status);
    connect(panel_, &LauncherPanel::StatusChanged, status, &QLabel::setText);
    panel_->CloseButton()->hide();
    RemoveMnemonics(*panel_);
    refresh_.setSingleShot(true);
    refresh_.setInterval(0);
    connect(&refresh_, &QTimer::timeout, this, &PreviewPane::Refresh);
}

void PreviewPane::Outdated()
{
    if (isVisible())
        refresh_.start();
}

void PreviewPane::Refresh()
{
    refresh_.stop();
    const PreviewSource shown = source_();
    ShowDocument(shown.def, shown.path);
}

void PreviewPane::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    Refresh();
}

void PreviewPane::ShowDocument(const CDef& def, const std::string& definitionPath)
{
    // A value the user tried differs from the default shown with it; an
    // untouched one follows the definition's new default.
    const CDef& shown = panel_->Definition();
    if (def == shown && definitionPath == panel_->DefinitionPath())
        return;
    const LaunchValues& tried = panel_->Options().Values();
    const LaunchValues shownDefaults = DefaultValues(shown);
    const LaunchValues defaults = DefaultValues(def);
    LaunchValues values = defaults;
    for (std::size_t i = 0;
         i < def.Options.size() && i < tried.options.size() && i < shown.Options.size(); ++i) {
        if (SameOption(def.Options[i], shown.Options[i]) &&
            tried.options[i] != shownDefaults.options[i])
            values.options[i] = tried.options[i];
    }
    panel_->ShowDefinition(def, definitionPath, values, defaults, true);
}
