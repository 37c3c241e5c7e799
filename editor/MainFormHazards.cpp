// Marks on the option list's entries. What the file would lose: options
// the format cannot carry as they are get a warning mark, and the status bar
// tells how many there are; the file is saved as it stands all the same.
// The option that carries the default mark is shown in bold.
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

QFont BoldFont()
{
    QFont font;
    font.setBold(true);
    return font;
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
    // A mark as high as a line of text fits in a plain entry's row; the usual
    // 16 pixels would reach into the next row, or make every row taller.
    const int side = ui->OptionList->fontMetrics().height();
    if (ui->OptionList->iconSize() != QSize(side, side))
        ui->OptionList->setIconSize(QSize(side, side));
    const QIcon icon = HazardIcon();
    for (int row = 0; row < ui->OptionList->count(); ++row) {
        QListWidgetItem* entry = ui->OptionList->item(row);
        const QString text = messages[static_cast<std::size_t>(row)].join(QLatin1Char('\n'));
        entry->setIcon(text.isEmpty() ? QIcon() : icon);
        entry->setToolTip(text);
        entry->setStatusTip(text);
        const bool isDefault = row < document_.OptionCount() && document_.OptionAt(row).Default;
        if (entry->data(Qt::FontRole).isValid() != isDefault)
            entry->setData(Qt::FontRole, isDefault ? BoldFont() : QVariant());
    }
    const QString summary = Summary(OptionsWithHazards(hazards), settings);
    hazardSummary_->setText(summary);
    hazardSummary_->setVisible(!summary.isEmpty());
}
