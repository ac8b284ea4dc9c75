// The fuzz targets: the inputs Karvo does not control, fed with arbitrary bytes. Each
// target runs the real code once per input and aborts when an invariant breaks (a failed
// load changed the image, a port left open, a parsed command line out of its ranges);
// the sanitizers catch the rest. libFuzzer drives them in the fuzz build, and the replay
// test runs the seed corpus of tests/fuzz/corpus through them in every build.
#pragma once

#include <cstddef>
#include <cstdint>

// The S-record loader on the bytes as a file's text, or the text setup reader when
// the text is one.
int FuzzSRecordFile(const std::uint8_t* data, std::size_t size);

// The unit's side of Device information, Read device or Write device on a scripted port
// with a virtual clock. data[0] picks the command, data[1] the poll at which Cancel is
// pressed (0: never), data[2] a port call that fails (0: none); the rest are the unit's
// answers, separated by 0xFF bytes: each is sent when the program writes a line, after
// a delay of 40 ms times its first byte.
int FuzzUnitAnswers(const std::uint8_t* data, std::size_t size);

// karvo-cli's command line: the bytes are its words, separated by zero bytes.
int FuzzCliArguments(const std::uint8_t* data, std::size_t size);

// A WAV file's bytes: the reader refuses them with a reason or gives mono sound at a sane
// rate, and the decoder hears that sound (at most its first two seconds) without failing;
// every tone it reports lies within the sound.
int FuzzWavFile(const std::uint8_t* data, std::size_t size);
