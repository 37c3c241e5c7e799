#include "editor/DraftReviewDialog.h"

#include "document/DefinitionPath.h"
#include "document/HelpOptionDraft.h"
#include "editor/ContextHelp.h"
#include "editor/HelpWindow.h"
#include "system/DisplayNames.h"
#include "system/TextCodec.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// The ways to ask, as the list offers them; %1 is the program's name.
constexpr std::pair<HelpSource, const char*> Sources[] = {
    {HelpSource::HelpOption, "%1 --help"},    {HelpSource::ShortHelp, "%1 -h"},
    {HelpSource::SingleDashHelp, "%1 -help"}, {HelpSource::HelpCommand, "%1 help"},
    {HelpSource::ManualPage, "man %1"},
};

enum Column
{
    NameColumn,
    TypeColumn,
    FormatColumn,
    ValuesColumn,
    LineColumn,
    ColumnCount
};

QTableWidgetItem* Cell(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

// The help's bytes as the document's texts: the help is read as UTF-8.
COption InDocumentText(COption option, const TextCodec& codec)
{
    const auto convert = [&codec](std::string& text) {
        text = codec.Encode(QString::fromStdString(text));
    };
    for (std::string* text :
         {&option.Name, &option.Type, &option.Value, &option.Format, &option.Information})
        convert(*text);
    std::for_each(option.Values.begin(), option.Values.end(), convert);
    return option;
}

} // namespace

TDraftReviewDialog::TDraftReviewDialog(const std::string& program,
                                       const std::vector<COption>& existing, const TextCodec& codec,
                                       Runner run, QWidget* parent)
    : QDialog(parent), codec_(codec), run_(std::move(run)), source_(new QComboBox),
      note_(new QLabel), table_(new QTableWidget(0, ColumnCount)),
      buttons_(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel |
                                    QDialogButtonBox::Help))
{
    setObjectName(QStringLiteral("DraftReview"));
    setWindowTitle(QStringLiteral("Draft options from help"));
    setSizeGripEnabled(true);
    resize(780, 440);
    for (const COption& option : existing) {
        if (option.Format.empty())
            operands_.insert(option.Arg);
        else
            formats_.insert(option.Format);
        names_.push_back(option.Name);
    }

    source_->setObjectName(QStringLiteral("DraftSource"));
    const QString name = VisibleFileName(codec.Decode(std::string(FileNamePart(program))));
    for (const auto& [source, form] : Sources)
        source_->addItem(QString::fromLatin1(form).arg(name), static_cast<int>(source));
    connect(source_, &QComboBox::activated, this, &TDraftReviewDialog::SourceActivated);
    auto* sourceLabel = new QLabel(QStringLiteral("&Help from:"));
    sourceLabel->setBuddy(source_);
    note_->setObjectName(QStringLiteral("DraftNote"));
    note_->setWordWrap(true);
    note_->setTextFormat(Qt::PlainText);

    table_->setObjectName(QStringLiteral("DraftOptions"));
    table_->setHorizontalHeaderLabels({QStringLiteral("Name"), QStringLiteral("Type"),
                                       QStringLiteral("Format"), QStringLiteral("Values"),
                                       QStringLiteral("Help line")});
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setWordWrap(false);
    connect(table_, &QTableWidget::itemChanged, this, &TDraftReviewDialog::UpdateOk);

    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons_, &QDialogButtonBox::helpRequested, this, &TDraftReviewDialog::ShowHelp);
    connect(new QShortcut(Qt::Key_F1, this), &QShortcut::activated, this,
            &TDraftReviewDialog::ShowHelp);

    auto* sourceRow = new QHBoxLayout;
    sourceRow->addWidget(sourceLabel);
    sourceRow->addWidget(source_);
    sourceRow->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(sourceRow);
    layout->addWidget(note_);
    layout->addWidget(table_);
    layout->addWidget(buttons_);
}

void TDraftReviewDialog::Show(const ProgramDraft& draft)
{
    const auto shown =
        std::find_if(std::begin(Sources), std::end(Sources),
                     [&draft](const auto& entry) { return entry.first == draft.source; });
    source_->setCurrentIndex(static_cast<int>(shown - std::begin(Sources)));

    // Names distinct from the document's too: the file tells sections by name.
    std::vector<DraftedOption> named(names_.size());
    for (std::size_t i = 0; i < names_.size(); ++i)
        named[i].option.Name = names_[i];
    for (const DraftedOption& found : draft.help.options) {
        named.push_back(found);
        named.back().option = InDocumentText(found.option, codec_);
    }
    GiveDistinctNames(named);

    const QString usage =
        draft.help.usage.empty()
            ? QString()
            : QStringLiteral("Usage: ") + QString::fromStdString(draft.help.usage.front());
    const QSignalBlocker blocker(table_);
    table_->setRowCount(0);
    drafted_.clear();
    int unticked = 0;
    for (auto found = named.begin() + static_cast<std::ptrdiff_t>(names_.size());
         found != named.end(); ++found) {
        const COption& option = found->option;
        const int row = table_->rowCount();
        table_->insertRow(row);
        QTableWidgetItem* name = Cell(codec_.Decode(option.Name));
        name->setFlags(name->flags() | Qt::ItemIsUserCheckable);
        const bool known = Known(option);
        name->setCheckState(known ? Qt::Unchecked : Qt::Checked);
        unticked += known ? 1 : 0;
        QStringList values;
        for (const std::string& value : option.Values)
            values.append(codec_.Decode(value));
        // An operand comes from the usage line.
        const QString line =
            found->sourceLine.empty() ? usage : QString::fromStdString(found->sourceLine).trimmed();
        table_->setItem(row, NameColumn, name);
        table_->setItem(row, TypeColumn, Cell(codec_.Decode(option.Type)));
        table_->setItem(row, FormatColumn, Cell(codec_.Decode(option.Format)));
        table_->setItem(row, ValuesColumn, Cell(values.join(QStringLiteral(", "))));
        table_->setItem(row, LineColumn, Cell(line));
        drafted_.push_back(option);
    }
    table_->resizeColumnsToContents();

    QString note = draft.problem;
    if (draft.ok && drafted_.empty())
        note = QStringLiteral("The help lists no options.");
    else if (draft.ok)
        note = (drafted_.size() == 1 ? QStringLiteral("One option found.")
                                     : QStringLiteral("%1 options found.").arg(drafted_.size())) +
               (unticked > 0 ? QStringLiteral(" Those the document has already are not ticked.")
                             : QString());
    note_->setText(note);
    UpdateOk();
}

bool TDraftReviewDialog::Known(const COption& option) const
{
    return option.Format.empty() ? operands_.count(option.Arg) != 0
                                 : formats_.count(option.Format) != 0;
}

std::vector<COption> TDraftReviewDialog::Ticked() const
{
    std::vector<COption> ticked;
    for (int row = 0; row < table_->rowCount(); ++row) {
        if (table_->item(row, NameColumn)->checkState() == Qt::Checked)
            ticked.push_back(drafted_[static_cast<std::size_t>(row)]);
    }
    return ticked;
}

void TDraftReviewDialog::SourceActivated(int index)
{
    Show(run_(static_cast<HelpSource>(source_->itemData(index).toInt())));
}

void TDraftReviewDialog::UpdateOk()
{
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(!Ticked().empty());
}

void TDraftReviewDialog::ShowHelp()
{
    if (!help_)
        help_ = new THelpWindow(this);
    help_->ShowTopic(HelpTopicFor(this));
}
