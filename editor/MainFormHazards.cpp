// What the file would lose: options the format cannot carry as they are
// get a mark in the option list, and the status bar tells how many there
// are. The file is saved as it stands all the same.
#include "document/DefinitionHazards.h"
#include "editor/MainForm.h"
#include "ui_MainForm.h"

#include <QLabel>
#include <QStatusBar>

namespace {

QIcon HazardIcon()
{
    return QIcon::fromTheme(QStringLiteral("dialog-warning"),
                            QIcon(QStringLiteral(":/icons/status/dialog-warning.svg")));
}

QString Summary(int options, bool settings)
{
    if (options == 0 && !settings)
        return QString();
    QString subject =
        options == 1 ? QStringLiteral("1 option") : QStringLiteral("%1 options").arg(options);
    if (settings)
        subject = options == 0 ? QStringLiteral("The program settings")
                               : QStringLiteral("The program settings and ") + subject;
    return subject + QStringLiteral(" will not read back as saved");
}

} // namespace

void TMainForm::UpdateHazardMarks()
{
    const std::vector<DefinitionHazard> hazards = FindHazards(document_.Current);
    std::vector<QStringList> messages(static_cast<std::size_t>(ui->OptionList->count()));
    bool settings = false;
    for (const DefinitionHazard& hazard : hazards) {
        if (hazard.option < 0)
            settings = true;
        else if (static_cast<std::size_t>(hazard.option) < messages.size())
            messages[static_cast<std::size_t>(hazard.option)].append(Shown(hazard.message));
    }
    const QIcon icon = HazardIcon();
    for (int row = 0; row < ui->OptionList->count(); ++row) {
        QListWidgetItem* entry = ui->OptionList->item(row);
        const QString text = messages[static_cast<std::size_t>(row)].join(QLatin1Char('\n'));
        entry->setIcon(text.isEmpty() ? QIcon() : icon);
        entry->setToolTip(text);
        entry->setStatusTip(text);
    }
    const QString summary = Summary(OptionsWithHazards(hazards), settings);
    hazardSummary_->setText(summary);
    hazardSummary_->setVisible(!summary.isEmpty());
}
