// The editor's Save EPA of a new BIOS image, natively, through the same
// session the window and the page use: the logo painted on a synthetic image
// of layout A (the page's tests time the same save in the browser).

#include "SilentFace.h"
#include "bios/SyntheticImage.h"
#include "editor/EditorSession.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <fstream>

namespace kalvero {
namespace {

void BM_SaveNewImage(benchmark::State& state) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / "kalvero-bench-editor";
    std::filesystem::create_directories(folder);
    const std::vector<std::uint8_t> image = test::Build(test::LayoutA()).bytes;
    std::ofstream(folder / "layout-a.bin", std::ios::binary)
        .write(reinterpret_cast<const char*>(image.data()),
               static_cast<std::streamsize>(image.size()));
    SilentFace face;
    face.saveTarget = (folder / "layout-a-new.bin").string();
    EditorSession session(face, face);
    session.controls().backup = false;
    session.loadDroppedFile((folder / "layout-a.bin").string());
    if (!session.painting().paint(5, 3, 12)) {
        state.SkipWithError("the image's logo cannot be painted");
        return;
    }
    for (auto _ : state) {
        session.SichEpa_Command_Click();
    }
    if (!std::filesystem::exists(face.saveTarget)) {
        state.SkipWithError("no new image was written");
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_SaveNewImage)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kalvero

BENCHMARK_MAIN();
