// CTextSetup: a setup as a readable text, for version control and for giving a standard
// setup a site's differences. The text is YAML (and so JSON too): a mapping that begins
// with "karvo-setup: 1" (the format version), then one mapping per setup dialog, keyed by
// its English caption, holding settings by their English dialog labels with the texts the
// dialogs show, then "bytes:", address -> value, for every byte the settings do not give
// back exactly. A text may name only some settings; the others keep the image's values.
//
// It holds the settings as named (with the line each stands on) and the raw bytes. It is
// read from a text (Parse) or taken from an image (FromImage), written as YAML (quoted
// where a YAML 1.1 reader would misread a text, see YamlScalar) or JSON, and applied to
// an image through the dialogs' own setting logic, checked and stored in each dialog's
// orders (ApplyTo). Refusals are TEXT_SETUP_ERROR.
#pragma once

#include "core/forms/TextSetupError.h"

#include <QByteArray>
#include <QString>
#include <map>
#include <vector>

class CE2prom;
namespace YAML {
class Node;
}

struct TEXT_SETTING {
    QString section; // the dialog's English caption
    QString label;   // the setting's English dialog label
    QString value;   // the shown text
    int line = 0;    // where it stands in the text; 0 for none
    // Taken from an image whose shown value would not store back its bytes (a prolonged
    // tone beyond its telegram): written as a comment, its bytes go into "bytes:".
    bool keptInBytes = false;
};

class CTextSetup {
public:
    static constexpr int FORMAT_VERSION = 1;

    // Whether text is a text setup rather than S-records: its first line that is neither
    // blank nor a comment starts the mapping ("karvo-setup", "{", "---" or "%YAML"), or,
    // in a text without an S-record, starts a list or there is no such line but comments.
    static bool IsTextSetup(const QByteArray& text);

    // Reads a text setup. TEXT_SETUP_ERROR for a YAML syntax error, a duplicate key, a
    // wrong format version, a misplaced value or a bad byte; the names are checked when
    // the setup is applied.
    static CTextSetup Parse(const QByteArray& text);
    // Every setting of image as the dialogs show it in English, and the bytes they do not
    // give back. CError as the dialogs would raise it.
    static CTextSetup FromImage(CE2prom& image);

    void AddSetting(const TEXT_SETTING& setting) { m_settings.push_back(setting); }
    const std::vector<TEXT_SETTING>& Settings() const { return m_settings; }

    // Applies every setting, section by section in the setup report's order, then the
    // bytes. On a refusal the image is left as it was.
    void ApplyTo(CE2prom& image) const;
    // Applies the text setup onto the shipped default setup (karvo.def, found as Karvo
    // finds it) and puts the result into image; a default setup that cannot be loaded is
    // refused too.
    static void LoadOnDefault(CE2prom& image, const QByteArray& text);

    QByteArray Yaml() const;
    QByteArray Json() const;

    // The English shown text of one setting of image, named by section and label.
    static QString SettingValue(CE2prom& image, const QString& section, const QString& label);

private:
    void ParseSection(const QString& section, int line, const YAML::Node& node);
    void ParseBytes(const YAML::Node& node);

    std::vector<TEXT_SETTING> m_settings;
    std::map<int, int> m_bytes; // address -> value
};
