#include "editor/HazardMarks.h"

#include "document/DefDocument.h"
#include "document/DefinitionHazards.h"
#include "document/RunTimeChecks.h"
#include "editor/OptionPane.h"
#include "editor/ProgramSettingsPage.h"
#include "system/MachineChecks.h"
#include "system/TextCodec.h"

#include <QLabel>
#include <QListWidget>
#include <QStatusBar>
#include <QStringList>

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

QString Subject(int options, bool settings)
{
    const QString subject =
        options == 1 ? QStringLiteral("1 option") : QStringLiteral("%1 options").arg(options);
    if (!settings)
        return subject;
    return options == 0 ? QStringLiteral("The program settings")
                        : QStringLiteral("The program settings and ") + subject;
}

// What the status bar says of the marks: what a save would lose, then what
// would not run as written.
QString Summary(const HazardCount& lost, const HazardCount& wrong)
{
    QStringList parts;
    if (lost.options > 0 || lost.settings)
        parts.append(Subject(lost.options, lost.settings) +
                     QStringLiteral(" will not read back as saved"));
    if (wrong.options > 0 || wrong.settings)
        parts.append(Subject(wrong.options, wrong.settings) +
                     QStringLiteral(" will not run as written"));
    return parts.join(QStringLiteral("; "));
}

// What a screen reader tells of an entry's marks: the default option, and
// the reasons of the warning mark.
QString EntryDescription(bool isDefault, const QString& lost, const QString& wrong)
{
    QString description = isDefault ? QStringLiteral("default option") : QString();
    const auto add = [&description](const QString& part) {
        if (!description.isEmpty())
            description += QStringLiteral("; ");
        description += part;
    };
    if (!lost.isEmpty())
        add(QStringLiteral("a save would lose this option: ") + lost);
    if (!wrong.isEmpty())
        add(QStringLiteral("this option would not run as written: ") + wrong);
    return description;
}

void AppendLine(QString& lines, const QString& line)
{
    if (!lines.isEmpty())
        lines += QLatin1Char('\n');
    lines += line;
}

// The texts in the fields that the document's encoding cannot store: they
// are in the document already, with '?' for what was lost.
void AppendUnstorable(QString& lines, const ShownTexts& texts, int option, const TextCodec& codec)
{
    for (const ShownText& shown : texts) {
        if (!codec.CanEncode(shown.text))
            AppendLine(lines,
                       codec.Decode(UnstorableText(option, shown.field, shown.index).message));
    }
}

} // namespace

HazardMarks::HazardMarks(QListWidget& list, QStatusBar& bar, const CDefDocument& document,
                         const TProgramSettingsPage& settings, const TOptionPane& pane,
                         const TextCodec& codec)
    : list_(list), summary_(new QLabel(&bar)), document_(document), settings_(settings),
      pane_(pane), codec_(codec)
{
    summary_->setObjectName(QStringLiteral("HazardSummary"));
    summary_->hide();
    bar.addPermanentWidget(summary_);
    // The entries' marks explain themselves in the status bar.
    list_.setMouseTracking(true);
}

void HazardMarks::CheckDocument()
{
    // An empty document, as at the start, has nothing to check. Where the
    // program is found depends on the file's folder too.
    if (document_.Current == checked_ && document_.Path == checkedPath_)
        return;
    checked_ = document_.Current;
    checkedPath_ = document_.Path;
    const auto count = static_cast<std::size_t>(document_.OptionCount());
    optionHazards_.assign(count, QString());
    optionMistakes_.assign(count, QString());
    settingsHazards_.clear();
    settingsMistakes_.clear();
    for (const DefinitionHazard& hazard : FindHazards(checked_)) {
        AppendLine(hazard.option < 0 ? settingsHazards_
                                     : optionHazards_[static_cast<std::size_t>(hazard.option)],
                   codec_.Decode(hazard.message));
    }
    for (const RunTimeFinding& mistake : FindRunTimeMistakes(checked_))
        AppendLine(optionMistakes_[static_cast<std::size_t>(mistake.option)],
                   codec_.Decode(mistake.message));
    for (const std::string& message : FindMachineMistakes(checked_, checkedPath_))
        AppendLine(settingsMistakes_, codec_.Decode(message));
}

void HazardMarks::Update(int currentOption)
{
    CheckDocument();
    QString settings = settingsHazards_;
    AppendUnstorable(settings, settings_.Texts(), -1, codec_);
    QString current; // the unstorable texts of the option shown
    if (currentOption != -1)
        AppendUnstorable(current, pane_.Texts(), currentOption, codec_);

    // A mark as high as a line of text fits in a plain entry's row; the usual
    // 16 pixels would reach into the next row, or make every row taller.
    const int side = list_.fontMetrics().height();
    if (list_.iconSize() != QSize(side, side))
        list_.setIconSize(QSize(side, side));
    const QIcon icon = HazardIcon();
    const int rows = std::min(list_.count(), document_.OptionCount());
    HazardCount lost{0, !settings.isEmpty()};
    HazardCount wrong{0, !settingsMistakes_.isEmpty()};
    for (int row = 0; row < rows; ++row) {
        const auto at = static_cast<std::size_t>(row);
        QString text = at < optionHazards_.size() ? optionHazards_[at] : QString();
        if (row == currentOption && !current.isEmpty())
            AppendLine(text, current);
        lost.options += text.isEmpty() ? 0 : 1;
        const QString mistakes = at < optionMistakes_.size() ? optionMistakes_[at] : QString();
        wrong.options += mistakes.isEmpty() ? 0 : 1;
        const bool isDefault = document_.OptionAt(row).Default;
        const QString description = EntryDescription(isDefault, text, mistakes);
        if (!mistakes.isEmpty())
            AppendLine(text, mistakes);
        QListWidgetItem* entry = list_.item(row);
        if (entry->toolTip() != text) {
            entry->setIcon(text.isEmpty() ? QIcon() : icon);
            entry->setToolTip(text);
            entry->setStatusTip(text);
        }
        if (entry->data(Qt::FontRole).isValid() != isDefault)
            entry->setData(Qt::FontRole, isDefault ? BoldFont() : QVariant());
        if (entry->data(Qt::AccessibleDescriptionRole).toString() != description)
            entry->setData(Qt::AccessibleDescriptionRole, description);
    }
    const QString summary = Summary(lost, wrong);
    if (!settingsMistakes_.isEmpty())
        AppendLine(settings, settingsMistakes_);
    summary_->setText(summary);
    summary_->setToolTip(settings);
    summary_->setVisible(!summary.isEmpty());
}
