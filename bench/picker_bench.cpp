// The colour picker's pixel work in memory: a full GoToColor scan, and one drag step on the field
// (read the pixel, repaint the bar's 64 bands and its frame, raise the event), on a shown control.
#include <benchmark/benchmark.h>

#include "colorpicker/picker_host.h"
#include "platform/headless/headless.h"

namespace {

ColorPicker& ShownPicker() {
    headless::Reset();
    pickerHost->Show();
    return pickerHost->picker;
}

void GotoColorFullScan(benchmark::State& state) {
    ColorPicker& picker = ShownPicker();
    const std::int32_t red = 0xFF;  // found in columns 1-2; every column is still scanned
    for (auto _ : state) {
        picker.GoToColor(red);  // then the redraw of the field, the marker and the bar
        headless::TakeRepaints(picker.hWnd());
        headless::TakeRepaints(picker.bar.hWnd());
    }
}
BENCHMARK(GotoColorFullScan)->Unit(benchmark::kMicrosecond);

void GotoColorNotFound(benchmark::State& state) {
    ColorPicker& picker = ShownPicker();
    const std::int32_t absent = 0x123456;
    for (auto _ : state) picker.GoToColor(absent);
}
BENCHMARK(GotoColorNotFound)->Unit(benchmark::kMicrosecond);

void DragStep(benchmark::State& state) {
    ColorPicker& picker = ShownPicker();
    picker.OnMouseDown(1, 0, 10, 10);
    float x = 10;
    for (auto _ : state) {
        picker.OnMouseMove(1, 0, x, 40);
        x = x >= 170 ? 10 : x + 1;
        headless::TakeRepaints(picker.bar.hWnd());  // what the screen would be asked to repaint
    }
    benchmark::DoNotOptimize(pickerHost->changes);
}
BENCHMARK(DragStep)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
