// The libFuzzer entry of one fuzz target, chosen by KARVO_FUZZ_TARGET when built.
#include "FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return KARVO_FUZZ_TARGET(data, size);
}
