// What a replace-all costs in the main window's editor: a program of N lines
// with one hit per line, every hit replaced without prompting, for a few
// sizes. Prints the median time of each size, the time per hit and how the
// time per hit grows with the size. Not a test.
//
//   scanbench_replace_all_bench [runs]   (default: 3 runs of each size)
#include "bench_support.h"
#include "board_window.h"
#include "ui/dialogs/search_dialog.h"
#include "ui/editor/editor_search.h"
#include "ui/editor/program_editor.h"
#include "ui/editor/search_commands.h"

#include <QApplication>
#include <QLineEdit>

#include <cstdio>

namespace {

using namespace scanbench;

// Seconds for one replace-all of "NSHF" by "NSHFX" over `lines` lines.
double ReplaceAll(int lines) {
    bench::BoardWindow bench(QString{});
    MainWindow& window = *bench.Window;
    window.show();
    QString text;
    for (int i = 0; i < lines; ++i) {
        text += QStringLiteral("NSHF A5h;          // shift eight bits\n");
    }
    window.Editor().setPlainText(text);
    EditorSearch& search = window.Searches().TextSearch();
    search.Properties().PromptReplace = false;
    search.Properties().ShowReplaceCount = false;
    search.StartSearch(true);
    search.Dialog()
        ->findChild<QLineEdit*>(QStringLiteral("FindText"))
        ->setText(QStringLiteral("NSHF"));
    search.Dialog()
        ->findChild<QLineEdit*>(QStringLiteral("ReplaceText"))
        ->setText(QStringLiteral("NSHFX"));
    const double seconds = bench::Seconds([&] { emit search.Dialog()->ReplaceAllRequested(); });
    if (search.ReplaceCount() != lines) {
        std::fprintf(stderr, "replaced %d of %d\n", search.ReplaceCount(), lines);
    }
    return seconds;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    double firstPerHit = 0;
    for (const int lines : {1000, 4000, 16000}) {
        std::vector<double> times;
        for (int run = 0; run < runs; ++run) {
            times.push_back(ReplaceAll(lines));
        }
        const double median = bench::Median(times);
        const double perHit = median / lines;
        if (firstPerHit == 0) {
            firstPerHit = perHit;
        }
        std::printf("%6d hits: median %8.1f ms, %6.1f us per hit (x%.1f of 1000 lines)\n", lines,
                    median * 1e3, perHit * 1e6, perHit / firstPerHit);
    }
    return 0;
}
