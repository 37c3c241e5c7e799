#pragma once

#include <QObject>
#include <QString>

class QWidget;

// The commands of the Edit menu besides Undo and Redo.
enum class EditCommand { New, Delete, Cut, Copy, Paste, Up, Down };

// What the Edit commands act on: the option list, the value list or a text
// box, whichever the user works in. Each target says which commands it can
// run now and runs them; the Edit menu only asks the target.
class EditTarget : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Whether control, the one the keyboard works on, is this target's.
    virtual bool Owns(const QWidget* control) const = 0;
    // Whether command can run now. Cut and Copy are available with Delete.
    virtual bool CanRun(EditCommand command) const = 0;
    // Runs command; Cut is never asked, it is Copy followed by Delete.
    virtual void Run(EditCommand command) = 0;
    // The name of the undo step command makes; empty when it makes none.
    virtual QString StepName(EditCommand command) const = 0;

Q_SIGNALS:
    // What CanRun answers may have changed: also after a selection the
    // program made, which the list itself does not tell.
    void Changed();
};

// The undo step of a list command on entries called noun ("option"):
// "New option", "Move option up"; empty for Copy, which changes nothing.
QString ListStepName(EditCommand command, const QString& noun);
