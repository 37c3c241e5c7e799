// The main window on the offscreen platform with the document benchmark's
// definitions: opening a file of 10000 and 100000 options until the window,
// and then its option list, have laid out and painted, and selecting
// another option, with and without
// an edit to store first, and a field's edit followed by the preview of the
// launcher's window beside the pages. Each case times the window's own handlers; the
// dialogs are answered in advance and the settings stay in memory.

#include "bench/GeneratedDefinition.h"
#include "document/DefinitionFile.h"
#include "editor/MainForm.h"
#include "tests/support/FakeDialogs.h"
#include "tests/support/TestPlatform.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <map>
#include <memory>

namespace {

const QTemporaryDir& Folder()
{
    static const QTemporaryDir folder;
    return folder;
}

// The generated definition for options, written once.
FilePath DefinitionFile(int options)
{
    static std::map<int, QString> files;
    auto [file, added] = files.try_emplace(options);
    if (added) {
        file->second = Folder().filePath(QStringLiteral("window%1.Quarn").arg(options));
        const std::string bytes = WriteDefinition(GeneratedDefinition(options));
        QFile out(file->second);
        if (!out.open(QIODevice::WriteOnly) ||
            out.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
                static_cast<qint64>(bytes.size()))
            qFatal("cannot write %s", qPrintable(file->second));
    }
    return FilePath::FromText(file->second);
}

// A shown main window, as the program starts it.
class Window
{
public:
    explicit Window(bool preview = false)
    {
        if (preview)
            platform_.settings.insert(QStringLiteral("View/Preview"), QStringLiteral("1"));
        platform_.executablePath = Folder().filePath(QStringLiteral("QuarnEd"));
        platform_.currentDirectory = Folder().path();
        form_ = std::make_unique<TMainForm>(platform_, dialogs_, std::vector<FilePath>());
        form_->ProcessCommandLine();
        form_->show();
        QApplication::processEvents();
    }

    TMainForm& Form() { return *form_; }
    template <typename T> T* Control(const char* name) const
    {
        return form_->findChild<T*>(QLatin1String(name));
    }

    void ShowOptionsPage()
    {
        Control<QTabWidget>("PageControl")->setCurrentWidget(Control<QWidget>("OptionsPage"));
        QApplication::processEvents();
    }

private:
    TestPlatform platform_;
    FakeDialogs dialogs_;
    std::unique_ptr<TMainForm> form_;
};

void BM_OpenFile(benchmark::State& state)
{
    const FilePath path = DefinitionFile(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        {
            Window window;
            state.ResumeTiming();
            window.Form().OpenDefinition(path);
            QApplication::processEvents();
            // The list lays its entries out when its page is first shown.
            window.ShowOptionsPage();
            state.PauseTiming();
        }
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Selecting by keyboard or mouse runs the same handler; the rows
// alternate so that each selection shows another option. With an edit,
// the option shown until then changes, and the document is checked again.
void SelectOptions(benchmark::State& state, bool edit)
{
    Window window;
    window.Form().OpenDefinition(DefinitionFile(static_cast<int>(state.range(0))));
    window.ShowOptionsPage();
    auto* list = window.Control<QListWidget>("OptionList");
    auto* name = window.Control<QLineEdit>("NameOption");
    const int middle = list->count() / 2;
    int selections = 0;
    for (auto _ : state) {
        if (edit) {
            state.PauseTiming();
            name->setText(name->text() + QLatin1Char('x'));
            state.ResumeTiming();
        }
        list->setCurrentRow(middle + (++selections % 2));
        QApplication::processEvents();
    }
}

void BM_SelectOption(benchmark::State& state)
{
    SelectOptions(state, false);
}

void BM_SelectEditedOption(benchmark::State& state)
{
    SelectOptions(state, true);
}

// Typing into a field of the option shown, with the preview following:
// the field's own handlers, then the preview shown again for the document
// as it stands.
void BM_PreviewFollowsEdit(benchmark::State& state)
{
    Window window(true);
    window.Form().OpenDefinition(DefinitionFile(static_cast<int>(state.range(0))));
    window.ShowOptionsPage();
    window.Control<QListWidget>("OptionList")->setCurrentRow(0);
    QApplication::processEvents();
    auto* format = window.Control<QLineEdit>("Format");
    for (auto _ : state) {
        format->setText(format->text() + QLatin1Char('x'));
        QApplication::processEvents();
    }
}

} // namespace

BENCHMARK(BM_OpenFile)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SelectOption)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SelectEditedOption)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PreviewFollowsEdit)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
