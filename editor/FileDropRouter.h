#pragma once

#include "system/FilePath.h"

#include <QObject>

#include <functional>

class QWidget;

// Files dropped on the window, wherever they land: on the window itself or
// on one of its text boxes, which would otherwise take a file as the text
// of its address. A drag of files is the window's, whichever control is
// under the pointer; any other drag (text, web addresses) is left to the
// control, which takes it as text. Only the first item counts.
class FileDropRouter : public QObject
{
public:
    // Watches window and every control of it that accepts drops; dropped
    // receives the first dropped file's path.
    FileDropRouter(QWidget& window, std::function<void(const FilePath&)> dropped);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void(const FilePath&)> dropped_;
};
