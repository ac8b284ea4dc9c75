// karvo-cli tones and listen: the setup's tones without a sound card.
//
// tones SETUP (--trc N | --telegram NAME) [--hold MS] [--rate HZ] [--any DIGIT] [--wav OUT]:
// the plan of TRC command F<N> or of the telegram whose caption is NAME ("Decoder 2",
// "Alarm"), one segment a line "START_MS LENGTH_MS HZ LEVEL_DB SYMBOL" (HZ 0 for silence),
// or with --wav its sound as a 16-bit mono WAV file.
//
// listen SETUP FILE.wav [--json]: the tones heard in the file, one a line
// "START_MS LENGTH_MS HZ SYMBOL", then what they mean in the setup, one meaning a line; with
// --json both as one object. CLI_OK when something of the setup was recognised,
// CLI_NOT_RECOGNISED when nothing was (or nothing was heard), CLI_BAD_INPUT for a file that
// is not a readable WAV file.
#pragma once

struct CCliCommand;

int RunCliTones(const CCliCommand& command);
int RunCliListen(const CCliCommand& command);
