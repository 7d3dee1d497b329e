// Fuzzes what the program reads from files a user may hand it or leave damaged (profile
// documents and lists, macro files and lists, shoot files, the light name files): the input is
// parsed as the files are and goes through every reader in memory, then is written back as the
// program writes files. No file is touched, so a run tries many inputs a second. The same bytes
// are also an answer of the update service, interpreted for every product and turned into a
// local file name.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "macros/DeviceMacroImage.h"
#include "macros/MacroFile.h"
#include "macros/MacroListFile.h"
#include "macros/ShootFile.h"
#include "profiles/DefaultData.h"
#include "profiles/Hs6533Profiledata.h"
#include "profiles/JsonFile.h"
#include "profiles/KeyboardProfiledata.h"
#include "profiles/MouseProfiledata.h"
#include "profiles/ProfileListStore.h"
#include "update/UpdateAnswer.h"
#include "update/UpdateFileName.h"

namespace {

template <typename Document>
void ReadAll(Document& document, const Json::Value& parsed) {
    document.LoadDeviceSectionFrom(parsed);
    document.ReadLightInfo();
    document.ReadLightList();
    document.ReadKeyList();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string answer(reinterpret_cast<const char*>(data), size);
    for (morvek::UpdateIdentity identity : morvek::UpdateIdentities()) {
        identity.version = 0x0105;
        const auto outcome = morvek::update::InterpretAnswer(identity, static_cast<int>(size), answer);
        if (outcome.info) morvek::update::LocalFileName(outcome.info->name, outcome.info->downloadAddress);
    }

    const auto parsed = morvek::ParseJsonText(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!parsed) return 0;
    const Json::Value& document = *parsed;

    morvek::CKeyboardProfiledata keyboard;
    ReadAll(keyboard, document);
    keyboard.ReadKeyboardSystem();
    keyboard.ReadCustomLightColors(keyboard.GetCustomLightGroup(), 126);

    morvek::CMouseProfiledata mouse;
    ReadAll(mouse, document);
    mouse.ReadDpiStages();
    mouse.ReadMouseSystem();
    mouse.ReadCorrections();

    morvek::CHs6533Profiledata headset;
    ReadAll(headset, document);
    headset.ReadHeadsetSystem();
    for (int type = 0; type < 15; ++type) headset.ReadEqBands(type);
    headset.ReadCustomEqNames();
    headset.ReadCustomEqBands(0);

    const std::vector<morvek::MacroEvent> events = morvek::MacroFile::EventsOf(document);
    const std::vector<std::vector<morvek::MacroEvent>> records = {events, events};
    morvek::DeviceMacroImage::Build(records);
    morvek::MacroListFile::Entries(document);
    morvek::MacroListFile::Selected(document);
    morvek::ProfileListStore::EntriesOf(document);

    if (morvek::ShootFile::IsShootDocument(document)) {
        for (int bullet = 0; bullet < morvek::ShootFile::kBulletCount; ++bullet)
            morvek::ShootFile::ReadBullet(document, bullet);
    }
    for (int classNumber = 0; classNumber < 4; ++classNumber) {
        morvek::ReadDefaultLightNames(document, classNumber);
        morvek::ReadAreaLightNames(document, classNumber);
        morvek::ReadUserLightNames(document, classNumber);
    }
    morvek::ReadMacroNames(document);

    // What the program writes back must parse again.
    if (!morvek::ParseJsonText(morvek::StyledJsonText(document))) __builtin_trap();
    return 0;
}
