#pragma once

#include "system/TextCodec.h"

#include <QWidget>

struct COption;
class Dialogs;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The control of the option selected in the launcher's window, by its type:
// a one-line box for "String" (several values for Multiple), an editable
// list for "Suggest", a list of the listed values only for "Select", a
// check box for "False" and "True"; a Browse button beside the box of the
// option that chooses the working folder; the option's information below.
// Values are the bytes the program receives.
class OptionValueEditor : public QWidget
{
    Q_OBJECT

public:
    OptionValueEditor(Dialogs& dialogs, QWidget* parent = nullptr);

    // Shows option with its current value; nullptr shows nothing.
    void Show(const COption* option, const QString& name, const std::string& value,
              const TextCodec& codec);
    // The control that takes the value, for the keyboard.
    QWidget* Control() const;
    // The controls in the order Tab visits them.
    QList<QWidget*> TabOrder() const;

Q_SIGNALS:
    // The user changed the value.
    void ValueChanged(const QByteArray& value);

private:
    void BrowseClicked();
    void TextEdited(const QString& text);
    void SelectActivated(int index);
    void CheckToggled(bool ticked);
    void ShowText(const COption& option, const std::string& value);
    void Change(const QByteArray& value);

    Dialogs& dialogs_;
    TextCodec codec_;
    QByteArray value_; // as last shown or changed
    QLabel* title_;
    QLabel* valueLabel_;
    QLineEdit* text_;
    QComboBox* suggest_;
    QComboBox* select_;
    QCheckBox* check_;
    QPushButton* browse_;
    QLabel* information_;
};
