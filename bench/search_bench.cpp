// Times the executable search's folder scan over a large tree, with the
// search window shown and events handled once per folder as in the editor,
// against `find ROOT -iname NAME` on the same warm tree.
//
//   search_bench [ROUNDS]      prints both times and, last, "ratio: R"
#include "system/ExecutableSearch.h"
#include "system/Platform.h"
#include "system/SearchForm.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

// 20 x 20 x 50 folders, five files in each of the 20,000 deepest.
constexpr int TopFolders = 20;
constexpr int MiddleFolders = 20;
constexpr int LeafFolders = 50;
constexpr int FilesPerLeaf = 5;

const QString MissingName = QStringLiteral("NoSuchProgram.exe");

bool MakeFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly);
}

bool BuildTree(const QString& root)
{
    QDir dir;
    for (int top = 0; top < TopFolders; ++top) {
        for (int middle = 0; middle < MiddleFolders; ++middle) {
            for (int leaf = 0; leaf < LeafFolders; ++leaf) {
                const QString folder = QStringLiteral("%1/top%2/middle%3/leaf%4")
                                           .arg(root)
                                           .arg(top)
                                           .arg(middle)
                                           .arg(leaf);
                if (!dir.mkpath(folder))
                    return false;
                for (int file = 0; file < FilesPerLeaf; ++file) {
                    if (!MakeFile(QStringLiteral("%1/program%2.exe").arg(folder).arg(file)))
                        return false;
                }
            }
        }
    }
    return true;
}

// The best of rounds runs, in milliseconds.
double BestTime(int rounds, const std::function<void()>& run)
{
    double best = 1e300;
    for (int round = 0; round < rounds; ++round) {
        QElapsedTimer timer;
        timer.start();
        run();
        best = std::min(best, timer.nsecsElapsed() / 1e6);
    }
    return best;
}

bool RunFind(const QString& root)
{
    QProcess find;
    find.start(QStringLiteral("find"), {root, QStringLiteral("-iname"), MissingName});
    return find.waitForFinished(-1) && find.exitStatus() == QProcess::NormalExit &&
           find.exitCode() == 0;
}

} // namespace

int main(int argc, char* argv[])
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int rounds = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 3;

    QTemporaryDir tree;
    if (!tree.isValid() || !BuildTree(tree.path())) {
        std::fprintf(stderr, "cannot build the tree in %s\n", qPrintable(tree.path()));
        return 1;
    }
    const QString root = tree.path() + QLatin1Char('/');

    DesktopPlatform platform;
    TSearchForm form;
    ExecutableSearch search(platform, form);
    form.show();
    QApplication::processEvents();

    if (!RunFind(root)) { // also warms the tree into the caches
        std::fprintf(stderr, "cannot run find\n");
        return 1;
    }
    bool found = false;
    const double searchTime = BestTime(
        rounds, [&] { found = search.SearchFolder(FilePath::FromText(root), MissingName); });
    const double findTime = BestTime(rounds, [&] { RunFind(root); });
    if (found) {
        std::fprintf(stderr, "the scan found %s, which is not there\n", qPrintable(MissingName));
        return 1;
    }

    std::printf("folders: %d, files: %d\n",
                1 + TopFolders * (1 + MiddleFolders * (1 + LeafFolders)),
                TopFolders * MiddleFolders * LeafFolders * FilesPerLeaf);
    std::printf("SearchFolder: %.1f ms\n", searchTime);
    std::printf("find -iname: %.1f ms\n", findTime);
    std::printf("ratio: %.2f\n", searchTime / findTime);
    return 0;
}
