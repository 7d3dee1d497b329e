// Drawing the keyboard picture while a light effect runs: every frame gives each of the 126
// light buttons a new colour. BM_KeyboardPictureFrame paints the whole picture again into an
// image; BM_KeyboardPictureRepaint lets the window's repaint manager paint what changed, as the
// running program does.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPainter>

#include <memory>
#include <vector>

#include "app/ControlFactory.h"
#include "app/DialogBuilder.h"
#include "app/ResourceManager.h"
#include "app/controls/CDeviceKeyButtonUI.h"
#include "app/controls/CSelectPanelUI.h"
#include "support/SourcePaths.h"

namespace morvek::app {
namespace {

std::unique_ptr<QWidget> BuildKeyboardPage() {
    CResourceManager& resources = CResourceManager::GetInstance();
    resources.SetResourcePath(test::SourceSkinDir());
    resources.LoadResource();
    RegisterCustomControls(CControlFactory::GetInstance());
    // The skin's style sheet, as the program applies it: the buttons are drawn through it.
    QFile style(resources.FilePath("style.qss"));
    if (style.open(QIODevice::ReadOnly)) qApp->setStyleSheet(QString::fromUtf8(style.readAll()));
    CDialogBuilder builder(resources);
    std::unique_ptr<QWidget> page(builder.Create("XML\\DeviceXml\\keyboarddevice.xml"));
    if (page) page->show();
    return page;
}

std::vector<CDeviceKeyButtonUI*> LightButtons(const CSelectPanelUI& picture) {
    std::vector<CDeviceKeyButtonUI*> lights;
    for (CDeviceKeyButtonUI* button : picture.KeyButtons()) {
        if (button->objectName().startsWith("light_")) lights.push_back(button);
    }
    return lights;
}

// Every light gets a colour it did not have in the previous frame.
void NextColours(const std::vector<CDeviceKeyButtonUI*>& lights, uint32_t step) {
    for (size_t i = 0; i < lights.size(); ++i) {
        const uint32_t hue = (step * 7 + static_cast<uint32_t>(i) * 3) % 256;
        lights[i]->SetLightDisplay(hue | (255 - hue) << 8 | (hue / 2) << 16, 200, true);
    }
}

void BM_KeyboardPictureFrame(benchmark::State& state) {
    const std::unique_ptr<QWidget> page = BuildKeyboardPage();
    if (!page) {
        state.SkipWithError("the keyboard page does not build");
        return;
    }
    auto* picture = page->findChild<CSelectPanelUI*>("device_key_light");
    const std::vector<CDeviceKeyButtonUI*> lights = LightButtons(*picture);
    QImage frame(picture->size(), QImage::Format_ARGB32_Premultiplied);
    uint32_t step = 0;
    for (auto _ : state) {
        NextColours(lights, ++step);
        QPainter painter(&frame);
        picture->render(&painter);
        benchmark::DoNotOptimize(frame.constBits());
    }
    state.SetLabel(std::to_string(lights.size()) + " light buttons");
}
BENCHMARK(BM_KeyboardPictureFrame)->Unit(benchmark::kMillisecond);

void BM_KeyboardPictureRepaint(benchmark::State& state) {
    const std::unique_ptr<QWidget> page = BuildKeyboardPage();
    if (!page) {
        state.SkipWithError("the keyboard page does not build");
        return;
    }
    const std::vector<CDeviceKeyButtonUI*> lights = LightButtons(*page->findChild<CSelectPanelUI*>("device_key_light"));
    QCoreApplication::processEvents();
    uint32_t step = 0;
    for (auto _ : state) {
        NextColours(lights, ++step);
        QCoreApplication::sendPostedEvents(page.get(), QEvent::UpdateRequest);
    }
    state.SetLabel(std::to_string(lights.size()) + " light buttons");
}
BENCHMARK(BM_KeyboardPictureRepaint)->Unit(benchmark::kMillisecond);

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
