// Fuzzes what the program reads from files a user may hand it (profile documents, macro and
// shoot files): the input is written as a document file and read through every reader. The
// same bytes are also an answer of the update service, interpreted for every product and
// turned into a local file name.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "macros/DeviceMacroImage.h"
#include "macros/MacroFile.h"
#include "macros/ShootFile.h"
#include "profiles/Hs6533Profiledata.h"
#include "profiles/JsonFile.h"
#include "profiles/KeyboardProfiledata.h"
#include "profiles/MouseProfiledata.h"
#include "update/UpdateAnswer.h"
#include "update/UpdateFileName.h"

namespace {

const std::filesystem::path& Folder() {
    static const std::filesystem::path folder = [] {
        auto f = std::filesystem::temp_directory_path() / ("morvek-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(f);
        return f;
    }();
    return folder;
}

template <typename Document>
void ReadAll(Document& document, const std::filesystem::path& path) {
    document.SetDocumentPath(path);
    document.LoadDeviceSection(path);
    document.ReadLightInfo();
    document.ReadLightList();
    document.ReadKeyList();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::filesystem::path path = Folder() / "input.Json";
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data),
                                                                  static_cast<std::streamsize>(size));
    morvek::CKeyboardProfiledata keyboard;
    ReadAll(keyboard, path);
    keyboard.ReadKeyboardSystem();
    keyboard.ReadCustomLightColors(keyboard.GetCustomLightGroup(), 126);

    morvek::CMouseProfiledata mouse;
    ReadAll(mouse, path);
    mouse.ReadDpiStages();
    mouse.ReadMouseSystem();
    mouse.ReadCorrections();

    morvek::CHs6533Profiledata headset;
    ReadAll(headset, path);
    headset.ReadHeadsetSystem();
    for (int type = 0; type < 15; ++type) headset.ReadEqBands(type);
    headset.ReadCustomEqNames();
    headset.ReadCustomEqBands(0);

    const std::vector<morvek::MacroEvent> events = morvek::MacroFile::ReadMacroEvents(path);
    const std::vector<std::vector<morvek::MacroEvent>> records = {events, events};
    morvek::DeviceMacroImage::Build(records);

    const Json::Value document = morvek::readjsonFile(path);
    if (morvek::ShootFile::IsShootDocument(document)) {
        for (int bullet = 0; bullet < morvek::ShootFile::kBulletCount; ++bullet)
            morvek::ShootFile::ReadBullet(document, bullet);
    }

    const std::string answer(reinterpret_cast<const char*>(data), size);
    for (morvek::UpdateIdentity identity : morvek::UpdateIdentities()) {
        identity.version = 0x0105;
        const auto outcome = morvek::update::InterpretAnswer(identity, static_cast<int>(size), answer);
        if (outcome.info) morvek::update::LocalFileName(outcome.info->name, outcome.info->downloadAddress);
    }
    return 0;
}
