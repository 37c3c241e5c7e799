#include "tests/editor/MainFormHarness.h"

#include "system/SearchForm.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QTest>

QString BoxText(const QWidget* box)
{
    if (auto* line = qobject_cast<const QLineEdit*>(box))
        return line->text();
    return qobject_cast<const QPlainTextEdit*>(box)->toPlainText();
}

void SetBoxText(QWidget* box, const QString& text)
{
    if (auto* line = qobject_cast<QLineEdit*>(box))
        line->setText(text);
    else
        qobject_cast<QPlainTextEdit*>(box)->setPlainText(text);
}

void Press(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QWidget* focus = QApplication::focusWidget();
    QVERIFY(focus);
    QTest::keyClick(focus, key, modifiers);
}

MainFormHarness::MainFormHarness(QStringList arguments, QHash<QString, QString> settings)
{
    platform.executablePath = dir_.filePath(QStringLiteral("QuarnEd"));
    platform.currentDirectory = dir_.path();
    platform.settings = std::move(settings);
    std::vector<FilePath> files;
    for (const QString& argument : arguments)
        files.push_back(FilePath::FromText(argument));
    form_ = std::make_unique<TMainForm>(platform, dialogs, std::move(files));
    form_->ProcessCommandLine();
    form_->AttachSearchForm(*new TSearchForm(form_.get()));
    form_->show();
    form_->activateWindow();
    if (!QTest::qWaitForWindowActive(form_.get()))
        qWarning("the main window did not become active");
}

MainFormHarness::~MainFormHarness() = default;

QString MainFormHarness::PathOf(const QString& name) const
{
    return dir_.filePath(name);
}

QString MainFormHarness::WriteFile(const QString& name, const QByteArray& bytes) const
{
    QFile file(PathOf(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(file.fileName()));
    return file.fileName();
}

QByteArray MainFormHarness::ReadFile(const QString& name) const
{
    QFile file(PathOf(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QString MainFormHarness::Title()
{
    // The mark follows the document once the event at hand is handled.
    QCoreApplication::sendPostedEvents(form_.get(), QEvent::MetaCall);
    return form_->windowTitle().replace(
        QStringLiteral("[*]"), form_->isWindowModified() ? QStringLiteral("*") : QString());
}

void MainFormHarness::Open(const QString& path)
{
    dialogs.fileAnswers.append(path);
    Trigger("FileOpen");
}

void MainFormHarness::FocusOptionList()
{
    Control<QTabWidget>("PageControl")->setCurrentWidget(Control<QWidget>("OptionsPage"));
    List("OptionList")->setFocus();
    QApplication::processEvents();
}

void MainFormHarness::ClickRow(QListWidget* list, int row)
{
    const QRect rect = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
}

void MainFormHarness::PickType(const QString& type)
{
    QComboBox* box = Combo("Type");
    const int index = box->findText(type);
    box->setCurrentIndex(index);
    Q_EMIT box->activated(index);
}

void MainFormHarness::SetClipboard(const QString& text)
{
    platform.clipboard = text;
    Q_EMIT QGuiApplication::clipboard()->dataChanged();
}

void MainFormHarness::Trigger(const char* action)
{
    Action(action)->trigger();
}
