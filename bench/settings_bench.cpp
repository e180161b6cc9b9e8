// The settings store on its real INI file: storing the panel's geometry (four values, each in the
// file when it returns) and reading it back, against the bare cost of writing that file once.
#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QDir>
#include <QSaveFile>
#include <QTemporaryDir>
#include <cstdlib>

#include "platform/qt/settings_store.h"
#include "settings/stored_settings.h"

namespace {

QTemporaryDir& Folder() {
    static QTemporaryDir dir;
    return dir;
}

void SaveGeometry(benchmark::State& state) {
    float width = 4800;
    for (auto _ : state) {
        settings::SavePanelGeometry({width, 3000, -1200, 750});
        width = width == 4800 ? 4815 : 4800;
    }
}
BENCHMARK(SaveGeometry)->Unit(benchmark::kMicrosecond);

void ReadGeometry(benchmark::State& state) {
    settings::SavePanelGeometry({4800, 3000, -1200, 750});
    for (auto _ : state) benchmark::DoNotOptimize(settings::ReadPanelGeometry());
}
BENCHMARK(ReadGeometry)->Unit(benchmark::kMicrosecond);

void ReadGeometryInAFreshRun(benchmark::State& state) {
    settings::SavePanelGeometry({4800, 3000, -1200, 750});
    for (auto _ : state) {
        os::qt::ReopenSettingsStore();
        benchmark::DoNotOptimize(settings::ReadPanelGeometry());
    }
}
BENCHMARK(ReadGeometryInAFreshRun)->Unit(benchmark::kMicrosecond);

// The least a store can do: the same file, written once, atomically.
void WriteTheFileOnce(benchmark::State& state) {
    const QByteArray text = "[window]\nheight=\" 3000\"\nleft=\"-1200\"\ntop=\" 750\"\nwidth=\" 4800\"\n";
    const QString path = Folder().path() + "/Lisotra/bare.ini";
    for (auto _ : state) {
        QSaveFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(text);
        file.commit();
    }
}
BENCHMARK(WriteTheFileOnce)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    setenv("XDG_CONFIG_HOME", Folder().path().toUtf8().constData(), 1);
    QDir().mkpath(Folder().path() + "/Lisotra");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
