#include "editor/HazardMarks.h"

#include "document/DefDocument.h"
#include "document/DefinitionHazards.h"
#include "editor/OptionPane.h"
#include "editor/ProgramSettingsPage.h"
#include "system/TextCodec.h"

#include <QLabel>
#include <QListWidget>
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
    // An empty document, as at the start, has nothing to check.
    if (document_.Current == checked_)
        return;
    checked_ = document_.Current;
    optionHazards_.assign(static_cast<std::size_t>(document_.OptionCount()), QString());
    settingsHazards_.clear();
    for (const DefinitionHazard& hazard : FindHazards(checked_)) {
        AppendLine(hazard.option < 0 ? settingsHazards_
                                     : optionHazards_[static_cast<std::size_t>(hazard.option)],
                   codec_.Decode(hazard.message));
    }
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
    int marked = 0;
    for (int row = 0; row < rows; ++row) {
        const auto at = static_cast<std::size_t>(row);
        QString text = at < optionHazards_.size() ? optionHazards_[at] : QString();
        if (row == currentOption && !current.isEmpty())
            AppendLine(text, current);
        marked += text.isEmpty() ? 0 : 1;
        QListWidgetItem* entry = list_.item(row);
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
    summary_->setText(summary);
    summary_->setToolTip(settings);
    summary_->setVisible(!summary.isEmpty());
}
