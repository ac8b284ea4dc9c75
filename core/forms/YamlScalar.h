// How a text setup writes a scalar (a section caption, a setting label or a value) so that
// every YAML reader reads back the same text: YAML 1.2 readers such as Karvo's own, and
// YAML 1.1 readers such as PyYAML (and so Ansible and most Python tooling), which take
// more plain words for booleans, null or numbers.
//
// The one rule, decided per text:
// - written plain: a whole decimal number as Karvo shows it ("0", "6", "-3": no sign
//   "+", no leading zero, no "-0", at most 15 digits so that a reader holding numbers as
//   doubles keeps it exact), which every reader takes for that number and writes back the
//   same; and words that start with a letter, hold only letters, digits, blanks
//   and ( ) . / _ + - and do not end in a blank ("SWEDEN", "GM350 RPT", "Tone 1"), unless
//   they are a word YAML 1.1 reads as a boolean or null (y, n, yes, no, true, false, on,
//   off, null, in any case);
// - written double-quoted, with " \ and control characters escaped: everything else, such
//   as YES and NO, the empty text, ~, numbers of another spelling (+6, 007, 0x1F, 1.5,
//   1:30, .inf), texts with leading or trailing blanks and texts holding YAML indicators
//   (: # & * ! | > ' " % @ ` [ ] { } ,).
// Quoted and plain texts read back alike, so a reader may quote any of them.
//
// JSON follows the same rule: a text YAML writes as a plain number is a JSON number, so
// that jq and scripts compare it as a number; every other text is a JSON string.
#pragma once

#include <QJsonValue>
#include <QString>
#include <string>

std::string YamlScalar(const QString& text);
QJsonValue JsonScalar(const QString& text);
