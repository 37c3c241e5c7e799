// Marks on the option list's entries. What the file would lose: options
// the format cannot carry as they are get a warning mark with the reasons,
// and the status bar tells how many there are; the file is saved as it
// stands all the same. The option that carries the default mark is shown in
// bold.
//
// The marks are updated whenever the document is brought up to date from
// the controls and when another option is shown. The document's check runs
// only when the document differs from the one it last saw, and only the
// entries whose mark or font changes are touched, so that selecting an
// option in a long list stays quick.
#include "document/DefinitionHazards.h"
#include "editor/EditBoxes.h"
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

void AppendLine(QString& lines, const QString& line)
{
    if (!lines.isEmpty())
        lines += QLatin1Char('\n');
    lines += line;
}

} // namespace

void TMainForm::CheckDocumentHazards()
{
    // An empty document, as at the start, has nothing to check.
    if (document_.Current == hazardsChecked_)
        return;
    hazardsChecked_ = document_.Current;
    optionHazards_.assign(static_cast<std::size_t>(document_.OptionCount()), QString());
    settingsHazards_.clear();
    for (const DefinitionHazard& hazard : FindHazards(hazardsChecked_)) {
        AppendLine(hazard.option < 0 ? settingsHazards_
                                     : optionHazards_[static_cast<std::size_t>(hazard.option)],
                   Shown(hazard.message));
    }
}

// The texts in the controls that the document's encoding cannot store:
// they are in the document already, with '?' for what was lost.
std::vector<DefinitionHazard> TMainForm::UnstorableTexts() const
{
    std::vector<DefinitionHazard> found;
    const auto check = [this, &found](const QString& text, int option, TextField field,
                                      std::size_t index = 0) {
        if (!codec_.CanEncode(text))
            found.push_back(UnstorableText(option, field, index));
    };
    check(ui->Name->text(), -1, TextField::Caption);
    check(ui->Program->text(), -1, TextField::Program);
    check(ui->Directory->text(), -1, TextField::Directory);
    check(ui->Shell->text(), -1, TextField::Shell);
    check(MemoText(ui->ProgInfo), -1, TextField::ProgramInformation);
    if (currentOption_ == -1)
        return found;
    check(ui->NameOption->text(), currentOption_, TextField::Name);
    // The boolean types store the choice of ValBool instead.
    if (ui->Value->isVisibleTo(ui->OptionsPage))
        check(ui->Value->text(), currentOption_, TextField::Value);
    for (int row = 0; row < ui->Values->count(); ++row)
        check(ui->Values->item(row)->text(), currentOption_, TextField::ListedValue,
              static_cast<std::size_t>(row));
    check(ui->Format->text(), currentOption_, TextField::Format);
    check(MemoText(ui->OptionInfo), currentOption_, TextField::Information);
    return found;
}

void TMainForm::UpdateHazardMarks()
{
    CheckDocumentHazards();
    QString settings = settingsHazards_;
    QString current; // the unstorable texts of the option shown
    for (const DefinitionHazard& hazard : UnstorableTexts())
        AppendLine(hazard.option < 0 ? settings : current, Shown(hazard.message));

    // A mark as high as a line of text fits in a plain entry's row; the usual
    // 16 pixels would reach into the next row, or make every row taller.
    const int side = ui->OptionList->fontMetrics().height();
    if (ui->OptionList->iconSize() != QSize(side, side))
        ui->OptionList->setIconSize(QSize(side, side));
    const QIcon icon = HazardIcon();
    const int rows = std::min(ui->OptionList->count(), document_.OptionCount());
    int marked = 0;
    for (int row = 0; row < rows; ++row) {
        const auto at = static_cast<std::size_t>(row);
        QString text = at < optionHazards_.size() ? optionHazards_[at] : QString();
        if (row == currentOption_ && !current.isEmpty())
            AppendLine(text, current);
        marked += text.isEmpty() ? 0 : 1;
        QListWidgetItem* entry = ui->OptionList->item(row);
        if (entry->toolTip() != text) {
            entry->setIcon(text.isEmpty() ? QIcon() : icon);
            entry->setToolTip(text);
            entry->setStatusTip(text);
        }
        const bool isDefault = document_.OptionAt(row).Default;
        if (entry->data(Qt::FontRole).isValid() != isDefault)
            entry->setData(Qt::FontRole, isDefault ? BoldFont() : QVariant());
    }
    const QString summary = Summary(marked, !settings.isEmpty());
    hazardSummary_->setText(summary);
    hazardSummary_->setToolTip(settings);
    hazardSummary_->setVisible(!summary.isEmpty());
}
