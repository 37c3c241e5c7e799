#include "launcher/OptionValueEditor.h"

#include "document/LaunchValues.h"
#include "document/OptionType.h"
#include "system/Dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <limits>

namespace {

const QByteArray Ticked = QByteArrayLiteral("1");
const QByteArray NotTicked = QByteArrayLiteral("0");

} // namespace

OptionValueEditor::OptionValueEditor(Dialogs& dialogs, QWidget* parent)
    : QWidget(parent), dialogs_(dialogs), title_(new QLabel(this)),
      valueLabel_(new QLabel(QStringLiteral("&Value:"), this)), text_(new QLineEdit(this)),
      suggest_(new QComboBox(this)), select_(new QComboBox(this)), check_(new QCheckBox(this)),
      browse_(new QPushButton(QStringLiteral("&Browse..."), this)), information_(new QLabel(this))
{
    text_->setObjectName(QStringLiteral("ValueText"));
    suggest_->setObjectName(QStringLiteral("ValueSuggest"));
    select_->setObjectName(QStringLiteral("ValueSelect"));
    check_->setObjectName(QStringLiteral("ValueCheck"));
    browse_->setObjectName(QStringLiteral("Browse"));
    QFont bold = title_->font();
    bold.setBold(true);
    title_->setFont(bold);
    title_->setTextFormat(Qt::PlainText);
    text_->setMaxLength(std::numeric_limits<int>::max());
    text_->setAccessibleName(QStringLiteral("Value"));
    suggest_->setEditable(true);
    suggest_->setInsertPolicy(QComboBox::NoInsert);
    suggest_->lineEdit()->setMaxLength(std::numeric_limits<int>::max());
    suggest_->setAccessibleName(QStringLiteral("Value"));
    select_->setAccessibleName(QStringLiteral("Value"));
    browse_->setToolTip(QStringLiteral("Choose the folder the program runs in"));
    information_->setWordWrap(true);
    information_->setTextFormat(Qt::PlainText);
    information_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    information_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* scroll = new QScrollArea(this);
    scroll->setAccessibleName(QStringLiteral("Information"));
    scroll->setWidget(information_);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(title_, 0, 0, 1, 3);
    layout->addWidget(valueLabel_, 1, 0);
    for (QWidget* control : {static_cast<QWidget*>(text_), static_cast<QWidget*>(suggest_),
                             static_cast<QWidget*>(select_), static_cast<QWidget*>(check_)})
        layout->addWidget(control, 1, 1);
    layout->addWidget(browse_, 1, 2);
    layout->addWidget(scroll, 2, 0, 1, 3);
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(2, 1);

    connect(text_, &QLineEdit::textEdited, this, &OptionValueEditor::TextEdited);
    connect(suggest_->lineEdit(), &QLineEdit::textEdited, this, &OptionValueEditor::TextEdited);
    connect(suggest_, &QComboBox::textActivated, this, &OptionValueEditor::TextEdited);
    connect(select_, &QComboBox::activated, this, &OptionValueEditor::SelectActivated);
    connect(check_, &QCheckBox::toggled, this, &OptionValueEditor::CheckToggled);
    connect(browse_, &QPushButton::clicked, this, &OptionValueEditor::BrowseClicked);
    Show(nullptr, QString(), std::string(), codec_);
}

void OptionValueEditor::Show(const COption* option, const QString& name, const std::string& value,
                             const TextCodec& codec)
{
    codec_ = codec;
    value_ = QByteArray::fromStdString(value);
    const OptionType type = option ? OptionTypeOf(option->Type) : OptionType::String;
    for (QWidget* control : {static_cast<QWidget*>(text_), static_cast<QWidget*>(suggest_),
                             static_cast<QWidget*>(select_), static_cast<QWidget*>(check_),
                             static_cast<QWidget*>(browse_), static_cast<QWidget*>(valueLabel_)})
        control->hide();
    title_->setText(name);
    information_->setText(option ? codec.DecodeLines(option->Information) : QString());
    if (!option)
        return;
    if (IsCheckBoxType(type)) {
        const QSignalBlocker blocker(check_);
        // An ampersand in the name is no mnemonic.
        check_->setText(QString(name).replace(QLatin1Char('&'), QStringLiteral("&&")));
        check_->setChecked(QByteArray::fromStdString(value) == Ticked);
        check_->show();
        return;
    }
    valueLabel_->show();
    // A folder can be typed into a box, not into the listed values only.
    browse_->setVisible(option->UseDir && type != OptionType::Select);
    ShowText(*option, value);
}

void OptionValueEditor::ShowText(const COption& option, const std::string& value)
{
    const OptionType type = OptionTypeOf(option.Type);
    const QString shown = codec_.Decode(value);
    QWidget* control = text_;
    if (type == OptionType::Suggest) {
        const QSignalBlocker blocker(suggest_);
        suggest_->clear();
        for (const std::string& listed : option.Values)
            suggest_->addItem(codec_.Decode(listed));
        suggest_->setEditText(shown);
        control = suggest_;
    } else if (type == OptionType::Select) {
        const QSignalBlocker blocker(select_);
        select_->clear();
        // An empty entry chooses no value, unless one is required.
        if (!option.Mandatory)
            select_->addItem(QString(), QByteArray());
        for (const std::string& listed : option.Values)
            select_->addItem(codec_.Decode(listed), QByteArray::fromStdString(listed));
        select_->setCurrentIndex(select_->findData(QByteArray::fromStdString(value)));
        control = select_;
    } else {
        text_->setText(shown);
        text_->setPlaceholderText(TakesValueList(option)
                                      ? QStringLiteral("Values separated by blanks; quotes group")
                                      : QString());
    }
    control->show();
    valueLabel_->setBuddy(control);
}

QWidget* OptionValueEditor::Control() const
{
    for (QWidget* control : {static_cast<QWidget*>(text_), static_cast<QWidget*>(suggest_),
                             static_cast<QWidget*>(select_), static_cast<QWidget*>(check_)}) {
        if (!control->isHidden())
            return control;
    }
    return nullptr;
}

void OptionValueEditor::Change(const QByteArray& value)
{
    value_ = value;
    Q_EMIT ValueChanged(value);
}

QList<QWidget*> OptionValueEditor::TabOrder() const
{
    return {text_, suggest_, select_, check_, browse_};
}

void OptionValueEditor::TextEdited(const QString& text)
{
    Change(QByteArray::fromStdString(codec_.Encode(text)));
}

void OptionValueEditor::SelectActivated(int index)
{
    Change(select_->itemData(index).toByteArray());
}

void OptionValueEditor::CheckToggled(bool ticked)
{
    Change(ticked ? Ticked : NotTicked);
}

void OptionValueEditor::BrowseClicked()
{
    // Folder names are bytes: the dialog gets and gives them whole.
    FilePath folder(value_.toStdString());
    if (!dialogs_.ChooseFolder(this, QStringLiteral("Choose the working folder"), folder))
        return;
    const QByteArray chosen = QByteArray::fromStdString(folder.Bytes());
    const QString shown = codec_.Decode(folder.Bytes());
    if (!suggest_->isHidden())
        suggest_->setEditText(shown);
    else
        text_->setText(shown);
    Change(chosen);
}
