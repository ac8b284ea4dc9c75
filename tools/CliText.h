// karvo-cli's text setup commands:
//   export FILE [--json] [--output OUT]   the whole setup as text (YAML, or JSON)
//   import TEXT OUT [--base SETUP]        a text setup applied to SETUP (default: the
//                                         shipped karvo.def), saved as S-records
//   set IN OUT SECTION/LABEL=VALUE...     settings by name, checked as their dialogs check
//   get FILE SECTION/LABEL                one setting's value as its dialog shows it
// Every refusal prints where and why and writes nothing (statuses of CliCommon.h).
#pragma once

struct CCliCommand;

int RunCliExport(const CCliCommand& command);
int RunCliImport(const CCliCommand& command);
int RunCliSet(const CCliCommand& command);
int RunCliGet(const CCliCommand& command);
