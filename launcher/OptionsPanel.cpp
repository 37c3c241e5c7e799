#include "launcher/OptionsPanel.h"

#include "document/OptionType.h"
#include "launcher/LaunchProblemTexts.h"
#include "launcher/OptionValueEditor.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QScrollBar>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

enum Column
{
    NameColumn,
    ValueColumn
};

QIcon FlagIcon()
{
    return QIcon(QStringLiteral(":/icons/status/dialog-warning.svg"));
}

} // namespace

OptionsPanel::OptionsPanel(Dialogs& dialogs, QWidget* parent)
    : QWidget(parent), list_(new QTreeWidget(this)), editor_(new OptionValueEditor(dialogs, this))
{
    list_->setColumnCount(2);
    list_->setHeaderLabels({QStringLiteral("Option"), QStringLiteral("Value")});
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setAllColumnsShowFocus(true);
    list_->header()->setStretchLastSection(true);
    list_->setAccessibleName(QStringLiteral("Options"));
    auto* label = new QLabel(QStringLiteral("&Options:"), this);
    label->setBuddy(list_);

    auto* left = new QVBoxLayout;
    left->addWidget(label);
    left->addWidget(list_);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(left, 2);
    layout->addWidget(editor_, 3);

    connect(list_, &QTreeWidget::currentItemChanged, this, &OptionsPanel::CurrentItemChanged);
    connect(editor_, &OptionValueEditor::ValueChanged, this, &OptionsPanel::ValueChanged);
}

void OptionsPanel::SetDefinition(const CDef& def, const TextCodec& codec,
                                 const LaunchValues& values, bool keepSelection)
{
    const int selected = list_->indexOfTopLevelItem(list_->currentItem());
    const int scrolled = list_->verticalScrollBar()->value();
    def_ = &def;
    codec_ = codec;
    values_ = values;
    flagged_.clear();
    const QSignalBlocker blocker(list_);
    // The entries are made again in place: a list that is cleared and
    // filled again would show its empty state for a moment.
    const int count = static_cast<int>(def.Options.size());
    while (list_->topLevelItemCount() > count)
        delete list_->takeTopLevelItem(list_->topLevelItemCount() - 1);
    QList<QTreeWidgetItem*> added;
    for (int i = list_->topLevelItemCount(); i < count; ++i)
        added.append(new QTreeWidgetItem);
    list_->addTopLevelItems(added);
    for (int i = 0; i < count; ++i)
        ShowEntry(i);
    if (!keepSelection)
        list_->resizeColumnToContents(NameColumn);
    const int first = def.First >= 0 && def.First < count ? def.First : 0;
    const int select = keepSelection && selected >= 0 && selected < count ? selected : first;
    list_->setCurrentItem(list_->topLevelItem(select));
    if (keepSelection)
        list_->verticalScrollBar()->setValue(scrolled);
    ShowSelectedOption();
}

void OptionsPanel::SetValues(const LaunchValues& values)
{
    values_ = values;
    for (int i = 0; i < list_->topLevelItemCount(); ++i)
        ShowValueOf(i);
    ShowSelectedOption();
    Q_EMIT ValuesChanged();
}

void OptionsPanel::FlagOptions(const std::vector<std::size_t>& options)
{
    if (options == flagged_)
        return;
    for (const std::size_t option : flagged_)
        list_->topLevelItem(static_cast<int>(option))->setIcon(ValueColumn, QIcon());
    flagged_ = options;
    for (const std::size_t option : flagged_)
        list_->topLevelItem(static_cast<int>(option))->setIcon(ValueColumn, FlagIcon());
}

void OptionsPanel::CurrentItemChanged(QTreeWidgetItem*)
{
    ShowSelectedOption();
}

void OptionsPanel::ShowSelectedOption()
{
    const int position = list_->indexOfTopLevelItem(list_->currentItem());
    if (!def_ || position < 0) {
        editor_->Show(nullptr, QString(), std::string(), codec_);
        return;
    }
    const auto index = static_cast<std::size_t>(position);
    editor_->Show(&def_->Options[index], OptionDisplayName(*def_, index, codec_),
                  values_.options[index], codec_);
}

void OptionsPanel::ValueChanged(const QByteArray& value)
{
    const int position = list_->indexOfTopLevelItem(list_->currentItem());
    if (position < 0)
        return;
    values_.options[static_cast<std::size_t>(position)] = value.toStdString();
    ShowValueOf(position);
    Q_EMIT ValuesChanged();
}

void OptionsPanel::ShowEntry(int position)
{
    const auto index = static_cast<std::size_t>(position);
    QTreeWidgetItem* item = list_->topLevelItem(position);
    QString name = OptionDisplayName(*def_, index, codec_);
    if (def_->Options[index].Mandatory) {
        name += QStringLiteral(" *");
        item->setToolTip(NameColumn, QStringLiteral("This option needs a value"));
    } else {
        item->setToolTip(NameColumn, QString());
    }
    item->setText(NameColumn, name);
    item->setIcon(ValueColumn, QIcon());
    ShowValueOf(position);
}

void OptionsPanel::ShowValueOf(int position)
{
    const auto index = static_cast<std::size_t>(position);
    const std::string& value = values_.options[index];
    QString shown;
    if (IsCheckBoxType(OptionTypeOf(def_->Options[index].Type)))
        shown = value == "1" ? QStringLiteral("on") : QStringLiteral("off");
    else
        shown = codec_.Decode(value);
    list_->topLevelItem(position)->setText(ValueColumn, shown);
}
