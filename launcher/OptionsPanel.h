#pragma once

#include "document/LaunchValues.h"
#include "system/TextCodec.h"

#include <QWidget>
#include <vector>

class Dialogs;
class OptionValueEditor;
class QTreeWidget;
class QTreeWidgetItem;

// The options of the launcher's window: the list of options, each with its
// current value (mandatory ones marked, those Run names flagged), and the
// selected option's control. It holds the values the user has chosen.
class OptionsPanel : public QWidget
{
    Q_OBJECT

public:
    OptionsPanel(Dialogs& dialogs, QWidget* parent = nullptr);

    // def must outlive the panel's use of it. Selects the option at First,
    // or, with keepSelection, keeps the selected position and the scrolled
    // place where the list still reaches them.
    void SetDefinition(const CDef& def, const TextCodec& codec, const LaunchValues& values,
                       bool keepSelection = false);
    void SetValues(const LaunchValues& values);
    const LaunchValues& Values() const { return values_; }
    // Flags the options Run cannot do without, and no others.
    void FlagOptions(const std::vector<std::size_t>& options);

    QTreeWidget* List() const { return list_; }
    OptionValueEditor* Editor() const { return editor_; }

Q_SIGNALS:
    void ValuesChanged();

private:
    void CurrentItemChanged(QTreeWidgetItem* current);
    void ValueChanged(const QByteArray& value);
    // The entry's name, mark and value.
    void ShowEntry(int position);
    void ShowValueOf(int position);
    void ShowSelectedOption();

    const CDef* def_ = nullptr;
    TextCodec codec_;
    LaunchValues values_;
    std::vector<std::size_t> flagged_;
    QTreeWidget* list_;
    OptionValueEditor* editor_;
};
