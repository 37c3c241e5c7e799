// Notifications follow the window's own rules rather than Qt's: a choice
// set by the program raises none (signals are blocked around it), while
// text and check-box changes notify whoever made them.
#include "editor/OptionPane.h"

#include "document/OptionType.h"
#include "editor/EditBoxes.h"
#include "editor/IntegerText.h"
#include "editor/ValueList.h"
#include "system/TextCodec.h"
#include "ui_OptionPane.h"

#include <QSignalBlocker>
#include <QTextDocument>

#include <utility>

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

} // namespace

TOptionPane::TOptionPane(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TOptionPane>())
{
    ui->setupUi(this);
    ui->ImageDown->setPixmap(QIcon(QStringLiteral(":/pictures/hands.svg")).pixmap(32, 32));
    connect(ui->Type, &QComboBox::activated, this, &TOptionPane::TypeActivated);
    connect(ui->Arg, &QLineEdit::textChanged, this, &TOptionPane::ArgChange);
    connect(ui->NameOption, &QLineEdit::textChanged, this, &TOptionPane::NameEdited);
    connect(ui->Default, &QCheckBox::toggled, this, &TOptionPane::DefaultToggled);
    // Only the user's click, after the default rule has run, is a choice.
    connect(ui->Default, &QCheckBox::clicked, this, &TOptionPane::DefaultClicked);
    ConnectEdits();
}

TOptionPane::~TOptionPane() = default;

void TOptionPane::Setup(Platform& platform, const TextCodec& codec)
{
    codec_ = &codec;
    values_ = new ValueList(*ui->Values, *ui->EditValues, platform);
}

void TOptionPane::ConnectEdits()
{
    const auto edited = [this] {
        if (!showing_)
            Q_EMIT Edited();
    };
    for (QLineEdit* box : findChildren<QLineEdit*>())
        connect(box, &QLineEdit::textChanged, this, edited);
    for (QComboBox* choice : {ui->Type, ui->ValBool})
        connect(choice, &QComboBox::currentIndexChanged, this, edited);
    for (QCheckBox* mark : findChildren<QCheckBox*>())
        connect(mark, &QCheckBox::toggled, this, edited);
    connect(ui->OptionInfo, &QPlainTextEdit::textChanged, this, edited);
    QAbstractItemModel* values = ui->Values->model();
    connect(values, &QAbstractItemModel::dataChanged, this, edited);
    connect(values, &QAbstractItemModel::rowsInserted, this, edited);
    connect(values, &QAbstractItemModel::rowsRemoved, this, edited);
}

QList<QWidget*> TOptionPane::Controls() const
{
    QList<QWidget*> controls;
    for (QWidget* child : findChildren<QWidget*>()) {
        if (child->parentWidget() == this)
            controls.append(child);
    }
    return controls;
}

void TOptionPane::Show(const COption& record)
{
    const bool wasShowing = std::exchange(showing_, true);
    hasOption_ = true;
    for (QWidget* control : Controls())
        control->setEnabled(true);
    ui->NameOption->setText(Shown(record.Name));
    shownType_ = TypeIndexOf(Shown(record.Type));
    {
        const QSignalBlocker blocker(ui->Type);
        ui->Type->setCurrentIndex(shownType_);
    }
    if (IsBooleanType(shownType_)) {
        const auto value = ReadInteger(Shown(record.Value));
        const QSignalBlocker blocker(ui->ValBool);
        ui->ValBool->setCurrentIndex(value == 0 ? ValBoolFalse
                                     : value == 1 ? ValBoolTrue
                                                  : ValBoolNone);
    } else {
        ui->Value->setText(Shown(record.Value));
    }
    TypeChange();
    QStringList values;
    for (const std::string& value : record.Values)
        values.append(Shown(value));
    values_->Show(values);
    ui->Format->setText(Shown(record.Format));
    ui->Arg->setText(record.Arg > 0 ? QString::number(record.Arg) : QString());
    ArgChange();
    ui->Multiple->setChecked(record.Multiple);
    ui->Mandatory->setChecked(record.Mandatory);
    ui->UseDir->setChecked(record.UseDir);
    ui->Default->setChecked(record.Default);
    ui->OptionInfo->setPlainText(codec_->DecodeLines(record.Information));
    showing_ = wasShowing;
}

void TOptionPane::ShowNone()
{
    hasOption_ = false;
    for (QWidget* control : Controls())
        control->setEnabled(false);
    TypeChange();
}

void TOptionPane::Clear()
{
    ui->NameOption->clear();
    ui->Value->clear();
    ui->EditValues->clear();
    ui->Format->clear();
    ui->Arg->clear();
    {
        const QSignalBlocker typeBlocker(ui->Type);
        const QSignalBlocker boolBlocker(ui->ValBool);
        ui->Type->setCurrentIndex(-1);
        ui->ValBool->setCurrentIndex(-1);
    }
    values_->Show({});
    ui->Multiple->setChecked(false);
    ui->UseDir->setChecked(false);
    ui->Mandatory->setChecked(false);
    ui->Default->setChecked(false);
    ui->OptionInfo->clear();
}

COption TOptionPane::Fields(const std::string& information) const
{
    COption record;
    record.Name = Stored(ui->NameOption->text());
    record.Type = Stored(ui->Type->currentText());
    if (IsBooleanType(ui->Type->currentIndex())) {
        const int choice = ui->ValBool->currentIndex();
        record.Value = choice == ValBoolTrue ? "1" : choice == ValBoolFalse ? "0" : "";
    } else {
        record.Value = Stored(ui->Value->text());
    }
    for (const QString& value : values_->Values())
        record.Values.push_back(Stored(value));
    record.Format = Stored(ui->Format->text());
    if (const auto arg = ReadInteger(ui->Arg->text()))
        record.Arg = std::max(*arg, 0);
    record.Multiple = ui->Multiple->isChecked() && ui->Multiple->isEnabledTo(this);
    record.Mandatory = ui->Mandatory->isChecked();
    record.UseDir = ui->UseDir->isChecked() && ui->UseDir->isEnabledTo(this);
    record.Default = ui->Default->isChecked();
    record.Information = ui->OptionInfo->document()->isModified()
                             ? codec_->EncodeLines(MemoText(ui->OptionInfo))
                             : information;
    return record;
}

COption TOptionPane::Store(const std::string& information)
{
    COption record = Fields(information);
    if (!ReadInteger(ui->Arg->text()))
        ui->Arg->clear();
    return record;
}

ShownTexts TOptionPane::Texts() const
{
    ShownTexts texts = {{TextField::Name, ui->NameOption->text()}};
    // The boolean types store the choice of ValBool instead.
    if (ui->Value->isVisibleTo(this))
        texts.push_back({TextField::Value, ui->Value->text()});
    const QStringList values = values_->Values();
    for (qsizetype row = 0; row < values.size(); ++row)
        texts.push_back({TextField::ListedValue, values[row], static_cast<std::size_t>(row)});
    texts.push_back({TextField::Format, ui->Format->text()});
    texts.push_back({TextField::Information, MemoText(ui->OptionInfo)});
    return texts;
}

int TOptionPane::ValueRow() const
{
    return ui->Values->currentRow();
}

void TOptionPane::SelectValue(int row)
{
    values_->Select(row);
}

void TOptionPane::FocusName()
{
    ui->NameOption->setFocus();
    ui->NameOption->selectAll();
}

QWidget* TOptionPane::FirstField() const
{
    return ui->NameOption;
}

void TOptionPane::TypeActivated(int chosen)
{
    // The edits made before the choice are taken with the type they were
    // made under.
    {
        const QSignalBlocker blocker(ui->Type);
        ui->Type->setCurrentIndex(shownType_);
        Q_EMIT AboutToChoose();
        ui->Type->setCurrentIndex(chosen);
    }
    shownType_ = chosen;
    TypeChange();
    Q_EMIT Chose(QStringLiteral("Change type"));
}

void TOptionPane::DefaultClicked(bool checked)
{
    // The default rule has run already; the edits made before the click
    // are taken with the mark as it was.
    {
        const QSignalBlocker blocker(ui->Default);
        ui->Default->setChecked(!checked);
        Q_EMIT AboutToChoose();
        ui->Default->setChecked(checked);
    }
    Q_EMIT Chose(QStringLiteral("Change default option"));
}

void TOptionPane::TypeChange()
{
    const int type = ui->Type->currentIndex();
    const bool none = type < 0;
    const bool listed = IsListedType(type);
    const bool boolean = IsBooleanType(type);
    // With no option shown only the visibility follows the type.
    if (hasOption_) {
        ui->Values->setEnabled(listed);
        ui->ValuesLabel->setEnabled(listed);
    }
    ui->EditValues->setVisible(listed);
    ui->ImageDown->setVisible(listed);
    values_->ShowSelected();
    ui->Value->setVisible(!boolean);
    ui->ValBool->setVisible(boolean);
    if (hasOption_) {
        ui->Multiple->setEnabled(type == static_cast<int>(OptionType::String));
        ui->UseDir->setEnabled(!none && !boolean);
    }
}

void TOptionPane::ArgChange()
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

int TOptionPane::TypeIndexOf(const QString& typeName) const
{
    for (int i = 0; i < ui->Type->count(); ++i) {
        if (ui->Type->itemText(i).compare(typeName, Qt::CaseInsensitive) == 0)
            return i;
    }
    return 0;
}

QString TOptionPane::Shown(const std::string& text) const
{
    return codec_->Decode(text);
}

std::string TOptionPane::Stored(const QString& text) const
{
    return codec_->Encode(text);
}
