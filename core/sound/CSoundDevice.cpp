#include "core/sound/CSoundDevice.h"

#include "core/sound/CRtAudioSound.h"

namespace {

SoundDeviceFactory& Factory() {
    static SoundDeviceFactory factory;
    return factory;
}

} // namespace

std::unique_ptr<CSoundDevice> CreateSoundDevice() {
    if (Factory())
        return Factory()();
    return std::make_unique<CRtAudioSound>();
}

void SetSoundDeviceFactory(SoundDeviceFactory factory) {
    Factory() = std::move(factory);
}
