// Drawing the keyboard picture while a light effect runs: every frame gives each of the 126
// light buttons a new colour, and the whole picture is painted again.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <memory>

#include "app/ControlFactory.h"
#include "app/DialogBuilder.h"
#include "app/ResourceManager.h"
#include "app/controls/CDeviceKeyButtonUI.h"
#include "app/controls/CSelectPanelUI.h"
#include "support/SourcePaths.h"

namespace morvek::app {
namespace {

void BM_KeyboardPictureFrame(benchmark::State& state) {
    CResourceManager& resources = CResourceManager::GetInstance();
    resources.SetResourcePath(test::SourceSkinDir());
    resources.LoadResource();
    RegisterCustomControls(CControlFactory::GetInstance());
    CDialogBuilder builder(resources);
    std::unique_ptr<QWidget> page(builder.Create("XML\\DeviceXml\\keyboarddevice.xml"));
    if (!page) {
        state.SkipWithError("the keyboard page does not build");
        return;
    }
    page->show();
    auto* picture = page->findChild<CSelectPanelUI*>("device_key_light");
    std::vector<CDeviceKeyButtonUI*> lights;
    for (CDeviceKeyButtonUI* button : picture->KeyButtons()) {
        if (button->objectName().startsWith("light_")) lights.push_back(button);
    }
    QImage frame(picture->size(), QImage::Format_ARGB32_Premultiplied);
    uint32_t step = 0;
    for (auto _ : state) {
        ++step;
        for (size_t i = 0; i < lights.size(); ++i) {
            const uint32_t hue = (step * 7 + static_cast<uint32_t>(i) * 3) % 256;
            lights[i]->SetLightDisplay(hue | (255 - hue) << 8 | (hue / 2) << 16, 200, true);
        }
        QPainter painter(&frame);
        picture->render(&painter);
        benchmark::DoNotOptimize(frame.constBits());
    }
    state.SetLabel(std::to_string(lights.size()) + " light buttons");
}
BENCHMARK(BM_KeyboardPictureFrame)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace morvek::app

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
