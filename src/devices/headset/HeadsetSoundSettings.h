#pragma once
// The headset's sound settings as the voice and voice-changer panels change them: the eight
// profile words, the current band values, the user-equaliser names, the two mute flags and what
// the panels show. Each panel event writes the library in the panel's order and the words and
// values into the profile document in memory; the model saves the document afterwards.
// Not thread-safe: the model calls it under its model lock.

#include <string>
#include <vector>

#include "devices/headset/HeadsetAudio.h"
#include "profiles/Hs6533Profiledata.h"

namespace morvek {

enum HeadsetWord : size_t {
    kWordMagicEnable = 0,
    kWordMagicType,
    kWordEqType,
    kWordCustomEqSelect,
    kWordMicInSelect,
    kWordMicInValue,
    kWordMonitorSelect,
    kWordMonitorValue,
};

// What the panels show. It may differ from the words: a failed library write keeps the
// control where the user put it while the word stays.
struct HeadsetPanel {
    int eqOption = 0;                // selected option 1-13
    bool customAreaEnabled = false;  // the user-equaliser area
    int customSelection = -1;        // selected user equaliser, -1 for none
    EqBandValues sliders{};
    bool microphoneOn = false;
    int microphoneLevel = 0;
    bool monitorOn = false;
    int monitorLevel = 0;
    bool voiceChangerOn = false;
    int voice = 0;

    bool operator==(const HeadsetPanel&) const = default;
};

// Result of saving a user equaliser, as the panel's save action reports it.
enum class EqSaveResult : int { Refused = -1, NameTaken = 0, Saved = 1 };

class HeadsetSoundSettings {
public:
    static constexpr int kUserEqOption = CHs6533Profiledata::kCustomEqType;
    static constexpr int kMaxLevel = 100;
    static constexpr int kVoiceCount = 4;

    HeadsetSoundSettings(CHs6533Profiledata& profile, HeadsetAudio& audio) : profile_(profile), audio_(audio) {}

    // LoadProfile: the words, the current band values (the chosen user equaliser's under type
    // 13, else the preset's) and the names. The mute flags follow the words.
    void Load();
    // ApplyProfileToPage: the panels show the words and values.
    void ShowProfile();
    // The library's state taken into the words (start-up and each time the headset attaches).
    void TakeAudioState(const HeadsetAudioState& state);

    // Panel events. False when the value is out of range (nothing changes then); otherwise the
    // event ran and the words (where the event stores them) are in the document in memory.
    bool SelectPreset(int preset);
    bool SelectUserEqOption();
    // Moves band 0-9: stores nothing.
    bool MoveBand(int band, int value);
    bool ChooseUserEq(int index);
    bool ToggleMicrophone();
    bool SetMicrophoneLevel(int level);
    bool ToggleMonitor();
    bool SetMonitorLevel(int level);
    bool SetVoiceChanger(bool on);
    bool SelectVoice(int voice);
    // The panel's save action with the name edit's text.
    EqSaveResult SaveUserEq(const std::string& name);
    // Deletes the chosen user equaliser; false with none chosen.
    bool DeleteUserEq();

    const HeadsetSystemValues& Words() const { return words_; }
    const EqBandValues& Bands() const { return bands_; }
    const std::vector<std::string>& Names() const { return names_; }
    const HeadsetPanel& Panel() const { return panel_; }
    bool MicrophoneMuted() const { return microphoneMuted_; }
    bool MonitorMuted() const { return monitorMuted_; }
    // Every library write of the last panel event succeeded (true when it made none).
    bool LibraryTookLastEvent() const { return !libraryRefused_; }

private:
    // Starts a panel event: no library write of it has failed yet.
    void BeginEvent() { libraryRefused_ = false; }
    // A library write's result, noted for LibraryTookLastEvent.
    bool Took(bool written) {
        if (!written) libraryRefused_ = true;
        return written;
    }

    void StoreWords();
    // Applies band values to sliders, current values and the library.
    void ApplyBands(const EqBandValues& bands);
    EqBandValues CustomBands(int index);

    CHs6533Profiledata& profile_;
    HeadsetAudio& audio_;
    HeadsetSystemValues words_{};
    EqBandValues bands_{};
    std::vector<std::string> names_;
    HeadsetPanel panel_;
    bool microphoneMuted_ = false;
    bool monitorMuted_ = false;
    bool libraryRefused_ = false;
};

}  // namespace morvek
