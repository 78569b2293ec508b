// Accepting a game directory of 20,000 files of mixed kinds: the four file lists are pointed at
// it and the three counts set. Runs on the offscreen platform.
#include "FakeServices.h"

#include "app/Form1.h"
#include "launch/FileListing.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// 4,000 levels, 2,000 tilesets, 7,000 tunes of the seven kinds, 7,000 other files; the names
// come in mixed case, as a copied Windows installation has them.
const QTemporaryDir& gameDirectory()
{
    static QTemporaryDir dir;
    static bool filled = false;
    if (!filled) {
        struct Kind {
            const char* suffix;
            int count;
        };
        const Kind kinds[] = {{".b2l", 3000}, {".B2L", 1000}, {".b2t", 2000}, {".b2b", 1000},
                              {".mod", 1000}, {".XM", 1000},  {".it", 1000},  {".mtm", 1000},
                              {".s3m", 1000}, {".669", 1000}, {".txt", 3000}, {".exe", 2000},
                              {".b2s", 2000}};
        int n = 0;
        for (const Kind& kind : kinds) {
            for (int i = 0; i < kind.count; ++i, ++n) {
                QFile file(dir.filePath(QStringLiteral("file%1%2")
                                            .arg(n * 7919 % 20011)
                                            .arg(QLatin1String(kind.suffix))));
                if (!file.open(QIODevice::WriteOnly))
                    qFatal("cannot create the benchmark's files");
            }
        }
        filled = true;
    }
    return dir;
}

} // namespace

static void BM_AcceptDirectoryOf20000Files(benchmark::State& state)
{
    const QString path = gameDirectory().path() + QLatin1Char('/');
    FakeServices fakes;
    Form1 window(fakes.services());
    window.buildPages(); // the Setup page, as its first showing builds it
    auto* box = window.findChild<QLineEdit*>(QStringLiteral("TempBrixDir"));
    auto* accept = window.findChild<QPushButton*>(QStringLiteral("Command1"));
    box->setText(path);
    for (auto _ : state) {
        accept->click(); // Accept runs RefreshFileLists
        benchmark::DoNotOptimize(window.findChild<QLabel*>(QStringLiteral("MCount"))->text());
    }
    const QString counts =
        window.findChild<QLabel*>(QStringLiteral("LCount"))->text() + QLatin1Char('/') +
        window.findChild<QLabel*>(QStringLiteral("TCount"))->text() + QLatin1Char('/') +
        window.findChild<QLabel*>(QStringLiteral("MCount"))->text();
    state.SetLabel(counts.toStdString());
    if (counts != QLatin1String("4000/2000/7000") || !fakes.messages.shown.empty())
        state.SkipWithError("the lists did not show the expected files");
}
BENCHMARK(BM_AcceptDirectoryOf20000Files)->Unit(benchmark::kMillisecond);

// One list's share: reading the directory and picking the matching names, without a widget.
static void BM_ListMusicOf20000Files(benchmark::State& state)
{
    const QString path = gameDirectory().path() + QLatin1Char('/');
    const FilePatterns music(QStringLiteral("*.b2b;*.mod;*.xm;*.it;*.mtm;*.s3m;*.669"));
    for (auto _ : state)
        benchmark::DoNotOptimize(listMatchingFiles(path, music).names.size());
}
BENCHMARK(BM_ListMusicOf20000Files)->Unit(benchmark::kMillisecond);
