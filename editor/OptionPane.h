#pragma once

#include "document/Option.h"
#include "editor/ShownText.h"

#include <QWidget>

#include <memory>

class Platform;
class TextCodec;
class ValueList;

namespace Ui {
class TOptionPane;
}

// The fields of the "Options" page beside the option list: a working copy
// of one option. Show fills them from a record, Fields hands the record
// they make back; between the two they hold the user's edits. The type,
// argument and values rules keep the controls consistent.
class TOptionPane : public QWidget
{
    Q_OBJECT

public:
    explicit TOptionPane(QWidget* parent = nullptr);
    ~TOptionPane() override;

    // Before any other call: the clipboard of the values, the texts' codec.
    void Setup(Platform& platform, const TextCodec& codec);

    // Shows record with every control enabled.
    void Show(const COption& record);
    // No option: every control disabled, the visibility following the type.
    void ShowNone();
    // Empties every field, the type and the boolean choice included.
    void Clear();

    // The record the fields make. The memo gives back information, the text
    // it was filled with, until the user edits it: it cannot hold every byte.
    COption Fields(const std::string& information) const;
    // As Fields, as the record is stored: an argument that is no number is
    // cleared from its box.
    COption Store(const std::string& information);
    // The texts the fields hold, for the check of what the file can store.
    ShownTexts Texts() const;

    ValueList& Values() { return *values_; }
    int ValueRow() const;
    void SelectValue(int row);
    // Focuses the name box with its text selected: typing replaces it.
    void FocusName();
    // The first field in the tab order.
    QWidget* FirstField() const;

Q_SIGNALS:
    // A field changed, other than by Show.
    void Edited();
    void NameEdited(const QString& name);
    void DefaultToggled(bool checked);
    // The user chooses a type or clicks the default mark: AboutToChoose
    // comes with the former choice shown, Chose with the new one in effect.
    void AboutToChoose();
    void Chose(const QString& step);

private:
    void ConnectEdits();
    void TypeActivated(int chosen);
    void DefaultClicked(bool checked);
    void TypeChange();
    void ArgChange();
    int TypeIndexOf(const QString& typeName) const;
    QList<QWidget*> Controls() const;
    QString Shown(const std::string& text) const;
    std::string Stored(const QString& text) const;

    std::unique_ptr<Ui::TOptionPane> ui;
    const TextCodec* codec_ = nullptr;
    ValueList* values_ = nullptr;
    bool hasOption_ = false;
    bool showing_ = false;
    // The type as shown before the user's choice.
    int shownType_ = -1;
};
