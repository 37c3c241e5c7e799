// The "Options" page: its controls are a working copy of one record, the
// current option, which is brought up to date from them only at fixed
// moments (StoreOptionFields), plus the type, argument, values, name and
// default rules that keep controls, record and list consistent.
//
// Notifications follow the window's own rules rather than Qt's: a
// selection set by the program raises none (signals are blocked around
// it), while text and check-box changes notify whoever made them.
#include "editor/MainForm.h"

#include "document/OptionType.h"
#include "editor/EditBoxes.h"
#include "editor/IntegerText.h"
#include "ui_MainForm.h"

#include <QSignalBlocker>
#include <QTextDocument>

namespace {

enum ValBoolItem { ValBoolNone = 0, ValBoolTrue = 1, ValBoolFalse = 2 };

bool IsListedType(int type)
{
    return type == static_cast<int>(OptionType::Suggest) ||
           type == static_cast<int>(OptionType::Select);
}

bool IsBooleanType(int type)
{
    return type == static_cast<int>(OptionType::False) || type == static_cast<int>(OptionType::True);
}

// The memo's text for the document. A memo the user has not edited since
// it was filled gives back the text it was filled with: the widget cannot
// hold every byte as it is (a lone CR becomes a line break).
std::string MemoTextFor(const QPlainTextEdit* memo, const std::string& shown,
                        const TextCodec& codec)
{
    return memo->document()->isModified() ? codec.EncodeLines(MemoText(memo)) : shown;
}

} // namespace

void TMainForm::ConnectOptionPane()
{
    // The user's selection, by keyboard or mouse, runs OptionListClick once;
    // a click on the entry that is already selected runs it too.
    connect(ui->OptionList, &QListWidget::currentRowChanged, this, [this] {
        optionRowChangedByPress_ = true;
        OptionListClick();
    });
    connect(ui->OptionList, &QListWidget::itemClicked, this, [this] {
        if (!optionRowChangedByPress_)
            OptionListClick();
        optionRowChangedByPress_ = false;
    });
    // Both lists keep their current entry selected: a Ctrl+click would
    // clear the highlight while the commands go on acting on that entry.
    for (QListWidget* list : {ui->OptionList, ui->Values}) {
        connect(list, &QListWidget::itemSelectionChanged, this, [list] {
            if (list->selectedItems().isEmpty() && list->currentItem()) {
                const QSignalBlocker blocker(list);
                list->currentItem()->setSelected(true);
            }
        });
    }
    connect(ui->Type, &QComboBox::activated, this, &TMainForm::TypeActivated);
    connect(ui->Values, &QListWidget::currentRowChanged, this, &TMainForm::ValuesClick);
    connect(ui->EditValues, &QLineEdit::textChanged, this, &TMainForm::EditValuesChange);
    connect(ui->Arg, &QLineEdit::textChanged, this, &TMainForm::ArgChange);
    connect(ui->NameOption, &QLineEdit::textChanged, this, &TMainForm::NameOptionChange);
    connect(ui->Default, &QCheckBox::toggled, this, &TMainForm::DefaultClick);
    // Only the user's click, after the rule has run, is a step.
    connect(ui->Default, &QCheckBox::clicked, this, &TMainForm::DefaultClicked);
}

QList<QWidget*> TMainForm::OptionPaneControls() const
{
    QList<QWidget*> controls;
    for (QWidget* child : ui->OptionsPage->findChildren<QWidget*>()) {
        if (child->parentWidget() == ui->OptionsPage && child != ui->OptionList)
            controls.append(child);
    }
    return controls;
}

void TMainForm::SelectOption(int row)
{
    const QSignalBlocker blocker(ui->OptionList);
    ui->OptionList->setCurrentRow(row);
}

void TMainForm::SelectValue(int row)
{
    const QSignalBlocker blocker(ui->Values);
    ui->Values->setCurrentRow(row);
}

void TMainForm::StoreOptionFields(StoreTarget target)
{
    if (currentOption_ == -1)
        return;
    COption record = OptionFields();
    if (!ReadInteger(ui->Arg->text()))
        ui->Arg->clear();
    if (target == StoreTarget::CopiedOption)
        copiedOption_ = std::move(record);
    else
        document_.OptionAt(currentOption_) = std::move(record);
}

COption TMainForm::OptionFields() const
{
    COption record = emptyOption_;
    record.Name = Stored(ui->NameOption->text());
    record.Type = Stored(ui->Type->currentText());
    if (IsBooleanType(ui->Type->currentIndex())) {
        const int choice = ui->ValBool->currentIndex();
        record.Value = choice == ValBoolTrue ? "1" : choice == ValBoolFalse ? "0" : "";
    } else {
        record.Value = Stored(ui->Value->text());
    }
    for (int i = 0; i < ui->Values->count(); ++i)
        record.Values.push_back(Stored(ui->Values->item(i)->text()));
    record.Format = Stored(ui->Format->text());
    if (const auto arg = ReadInteger(ui->Arg->text()))
        record.Arg = std::max(*arg, 0);
    record.Multiple = ui->Multiple->isChecked() && ui->Multiple->isEnabledTo(ui->OptionsPage);
    record.Mandatory = ui->Mandatory->isChecked();
    record.UseDir = ui->UseDir->isChecked() && ui->UseDir->isEnabledTo(ui->OptionsPage);
    record.Default = ui->Default->isChecked();
    record.Information = MemoTextFor(ui->OptionInfo, document_.OptionAt(currentOption_).Information,
                                     codec_);
    return record;
}

void TMainForm::ShowSelectedOption()
{
    currentOption_ = ui->OptionList->currentRow();
    if (currentOption_ == -1) {
        for (QWidget* control : OptionPaneControls())
            control->setEnabled(false);
        TypeChange();
        UpdateHazardMarks();
        return;
    }
    for (QWidget* control : OptionPaneControls())
        control->setEnabled(true);

    const COption record = document_.OptionAt(currentOption_);
    ui->NameOption->setText(Shown(record.Name));
    const int type = TypeIndexOf(Shown(record.Type));
    {
        const QSignalBlocker blocker(ui->Type);
        ui->Type->setCurrentIndex(type);
    }
    if (IsBooleanType(type)) {
        const auto value = ReadInteger(Shown(record.Value));
        const QSignalBlocker blocker(ui->ValBool);
        ui->ValBool->setCurrentIndex(value == 0 ? ValBoolFalse
                                     : value == 1 ? ValBoolTrue
                                                  : ValBoolNone);
    } else {
        ui->Value->setText(Shown(record.Value));
    }
    TypeChange();

    {
        const QSignalBlocker blocker(ui->Values);
        ui->Values->clear();
        for (const std::string& value : record.Values)
            ui->Values->addItem(Shown(value));
    }
    if (ui->Values->count() > 0) {
        SelectValue(0);
        ValuesClick();
    } else {
        ui->EditValues->clear();
    }
    ui->Format->setText(Shown(record.Format));
    ui->Arg->setText(record.Arg > 0 ? QString::number(record.Arg) : QString());
    ArgChange();
    ui->Multiple->setChecked(record.Multiple);
    ui->Mandatory->setChecked(record.Mandatory);
    ui->UseDir->setChecked(record.UseDir);
    ui->Default->setChecked(record.Default);
    ui->OptionInfo->setPlainText(codec_.DecodeLines(record.Information));
    UpdateHazardMarks();
}

void TMainForm::ShowOptionNames()
{
    const QSignalBlocker blocker(ui->OptionList);
    const std::vector<COption>& options = document_.Current.Options;
    ui->OptionList->clear();
    // In one go: the view lays out once rather than once per entry.
    QStringList names;
    names.reserve(static_cast<qsizetype>(options.size()));
    for (const COption& option : options)
        names.append(Shown(option.Name));
    ui->OptionList->addItems(names);
}

int TMainForm::TypeIndexOf(const QString& typeName) const
{
    for (int i = 0; i < ui->Type->count(); ++i) {
        if (ui->Type->itemText(i).compare(typeName, Qt::CaseInsensitive) == 0)
            return i;
    }
    return 0;
}

void TMainForm::CollectDocument()
{
    RecordPendingEdits();
    StoreOptionFields(StoreTarget::CurrentRecord);
    CollectSettings(document_.Current);
    UpdateHazardMarks();
}

void TMainForm::CollectSettings(CDef& def) const
{
    def.Name = Stored(ui->Name->text());
    def.Program = Stored(ui->Program->text());
    def.Directory = Stored(ui->Directory->text());
    def.Shell = Stored(ui->Shell->text());
    def.Information = MemoTextFor(ui->ProgInfo, def.Information, codec_);
}

void TMainForm::OptionListClick()
{
    RecordPendingEdits();
    StoreOptionFields(StoreTarget::CurrentRecord);
    ShowSelectedOption();
    AdoptShownOption();
}

void TMainForm::TypeChange()
{
    const int type = ui->Type->currentIndex();
    const bool none = type < 0;
    const bool listed = IsListedType(type);
    const bool boolean = IsBooleanType(type);
    // With no option shown only the visibility follows the type.
    const bool enabling = currentOption_ != -1;

    if (enabling) {
        ui->Values->setEnabled(listed);
        ui->ValuesLabel->setEnabled(listed);
    }
    ui->EditValues->setVisible(listed);
    ui->ImageDown->setVisible(listed);
    ValuesClick();
    ui->Value->setVisible(!boolean);
    ui->ValBool->setVisible(boolean);
    if (enabling) {
        ui->Multiple->setEnabled(type == static_cast<int>(OptionType::String));
        ui->UseDir->setEnabled(!none && !boolean);
    }
}

void TMainForm::ValuesClick()
{
    const int row = ui->Values->currentRow();
    ui->EditValues->setText(row >= 0 ? ui->Values->item(row)->text() : QString());
}

void TMainForm::EditValuesChange()
{
    // Only a selected value can be edited; with none the box stays empty.
    if (QListWidgetItem* item = ui->Values->currentItem())
        item->setText(ui->EditValues->text());
    else
        ui->EditValues->clear();
}

void TMainForm::ArgChange()
{
    // Anything that is not an integer empties the whole box.
    auto number = ReadInteger(ui->Arg->text());
    if (!number) {
        ui->Arg->clear();
        number = 0;
    }
    const bool hasNoArgument = *number == 0;
    ui->ValueLabel->setEnabled(hasNoArgument);
    ui->Value->setEnabled(hasNoArgument);
    ui->ValBool->setEnabled(hasNoArgument);
}

void TMainForm::NameOptionChange()
{
    // The list entry follows the name box at every keystroke.
    if (currentOption_ == -1)
        return;
    QListWidgetItem* entry = ui->OptionList->item(currentOption_);
    if (entry && entry->text() != ui->NameOption->text())
        entry->setText(ui->NameOption->text());
}

void TMainForm::DefaultClick(bool checked)
{
    if (currentOption_ == -1)
        return;
    document_.SetDefaultOption(currentOption_, checked);
    UpdateHazardMarks(); // which entry is bold
}
