#include "core/forms/CTextSetup.h"

#include "core/forms/CSectionEntry.h"
#include "core/forms/ReportSections.h"
#include "core/forms/YamlScalar.h"
#include "core/image/ByteNumber.h"
#include "core/image/CE2prom.h"
#include "core/image/SRecords.h"
#include "core/lang/CFileLocations.h"
#include "core/lang/CurrentLanguage.h"
#include "core/link/CError.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <yaml-cpp/depthguard.h>
#include <yaml-cpp/eventhandler.h>
#include <yaml-cpp/yaml.h>

#include <algorithm>
#include <sstream>

namespace {

const char* const VERSION_KEY = "karvo-setup";
const char* const BYTES_KEY = "bytes";

[[noreturn]] void Refuse(int line, const QString& message) {
    throw TEXT_SETUP_ERROR{line, -1, QString(), message};
}

int LineOf(const YAML::Node& node) {
    return node.Mark().line + 1;
}

QString ScalarOf(const YAML::Node& node) {
    return QString::fromStdString(node.Scalar());
}

// A mapping's keys must be scalars and differ from each other.
void CheckKeys(const YAML::Node& map) {
    std::map<std::string, int> seen;
    for (const auto& item : map) {
        if (!item.first.IsScalar())
            Refuse(LineOf(item.first), QStringLiteral("a key must be a plain text"));
        const auto [first, added] = seen.emplace(item.first.Scalar(), LineOf(item.first));
        if (!added)
            Refuse(LineOf(item.first), QStringLiteral("duplicate key '%1' (first at line %2)")
                                           .arg(ScalarOf(item.first))
                                           .arg(first->second));
    }
}

// A number in decimal or with a 0x prefix in hexadecimal, within from to to.
std::optional<int> ReadByteNumber(const QString& text, int from, int to) {
    const std::optional<int> value = ParseByteNumber(text);
    return value && *value >= from && *value <= to ? value : std::nullopt;
}

QString Hex(int value) {
    return QStringLiteral("0x") + QString::number(value, 16).rightJustified(2, u'0').toUpper();
}

// Edit distance, ignoring case: how near a mistyped name is.
int Distance(const QString& a, const QString& b) {
    const QString x = a.toCaseFolded(), y = b.toCaseFolded();
    std::vector<int> row(std::size_t(y.size()) + 1);
    for (int j = 0; j <= y.size(); ++j)
        row[std::size_t(j)] = j;
    for (int i = 1; i <= x.size(); ++i) {
        int diagonal = row[0];
        row[0] = i;
        for (int j = 1; j <= y.size(); ++j) {
            const int up = row[std::size_t(j)];
            row[std::size_t(j)] =
                std::min({up + 1, row[std::size_t(j - 1)] + 1, diagonal + (x[i - 1] != y[j - 1])});
            diagonal = up;
        }
    }
    return row[std::size_t(y.size())];
}

// "(did you mean 'X'?)" for a near miss, else the names that are legal.
QString Suggestion(const QString& name, const QStringList& names) {
    const auto nearest =
        std::min_element(names.begin(), names.end(), [&](const auto& a, const auto& b) {
            return Distance(name, a) < Distance(name, b);
        });
    if (nearest != names.end() && Distance(name, *nearest) <= std::max(2, int(nearest->size()) / 3))
        return QStringLiteral("did you mean '%1'?").arg(*nearest);
    return QStringLiteral("legal: %1").arg(names.join(QStringLiteral(", ")));
}

const FORM_TABLE& FindForm(const QString& section, const TEXT_SETUP_ERROR& origin) {
    QStringList names;
    for (const FORM_TABLE* form : ListedForms()) {
        if (section == QLatin1String(form->caption))
            return *form;
        names << QString::fromLatin1(form->caption);
    }
    TEXT_SETUP_ERROR error = origin;
    error.name = section;
    error.message = QStringLiteral("no such section (%1)").arg(Suggestion(section, names));
    throw error;
}

const SETTING_LINE& FindLine(const FORM_TABLE& form, const QString& label,
                             const TEXT_SETUP_ERROR& origin) {
    QStringList names;
    for (const SETTING_LINE& line : form.listedLines) {
        if (label == QLatin1String(line.label))
            return line;
        names << QString::fromLatin1(line.label);
    }
    TEXT_SETUP_ERROR error = origin;
    error.message = QStringLiteral("no such setting (%1)").arg(Suggestion(label, names));
    throw error;
}

// Lets a document through; after StopAtNext, stops the parse at the start of the next
// one, throwing its line.
class CDocumentStarts : public YAML::EventHandler {
public:
    struct STARTED {
        int line;
    };
    void StopAtNext() { m_stop = true; }
    void OnDocumentStart(const YAML::Mark& mark) override {
        if (m_stop)
            throw STARTED{mark.line + 1};
    }
    void OnDocumentEnd() override {}
    void OnNull(const YAML::Mark&, YAML::anchor_t) override {}
    void OnAlias(const YAML::Mark&, YAML::anchor_t) override {}
    void OnScalar(const YAML::Mark&, const std::string&, YAML::anchor_t,
                  const std::string&) override {}
    void OnSequenceStart(const YAML::Mark&, const std::string&, YAML::anchor_t,
                         YAML::EmitterStyle::value) override {}
    void OnSequenceEnd() override {}
    void OnMapStart(const YAML::Mark&, const std::string&, YAML::anchor_t,
                    YAML::EmitterStyle::value) override {}
    void OnMapEnd() override {}

private:
    bool m_stop = false;
};

// A text holds one document: YAML::Load would drop what follows a second "---".
void RefuseSecondDocument(const std::string& text) {
    std::istringstream in(text);
    YAML::Parser parser(in);
    CDocumentStarts starts;
    try {
        if (parser.HandleNextDocument(starts)) {
            starts.StopAtNext();
            parser.HandleNextDocument(starts);
        }
    } catch (const CDocumentStarts::STARTED& second) {
        Refuse(second.line, QStringLiteral("a second document; a text setup is one document"));
    }
}

// Whether a word of text is an S-record, so that the file reads as S-records.
bool HoldsSRecord(const QByteArray& text) {
    const QList<QByteArray> words = text.simplified().split(' ');
    return std::any_of(words.begin(), words.end(), IsSRecordLine);
}

} // namespace

bool CTextSetup::IsTextSetup(const QByteArray& text) {
    QByteArray body = text;
    if (body.startsWith("\xEF\xBB\xBF"))
        body.remove(0, 3);
    for (const QByteArray& raw : body.split('\n')) {
        const QByteArray line = raw.trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        for (const char* start :
             {"karvo-setup", "\"karvo-setup", "'karvo-setup", "{", "---", "%YAML"})
            if (line.startsWith(start))
                return true;
        // A list is read as YAML too, so as to be refused at its line, when no S-record
        // follows.
        return (line == "-" || line.startsWith("- ") || line.startsWith('[')) &&
               !HoldsSRecord(body);
    }
    // Comments alone: a text setup with every line commented out.
    return body.contains('#') && !HoldsSRecord(body);
}

CTextSetup CTextSetup::Parse(const QByteArray& text) {
    YAML::Node root;
    try {
        root = YAML::Load(text.toStdString());
        RefuseSecondDocument(text.toStdString());
    } catch (const YAML::DeepRecursion& e) {
        // yaml-cpp names this one "bad file"; say what is wrong.
        Refuse(e.mark.line + 1, QStringLiteral("YAML syntax error: nested too deeply"));
    } catch (const YAML::Exception& e) {
        Refuse(e.mark.line + 1, QStringLiteral("YAML syntax error: %1").arg(e.msg.c_str()));
    }
    if (!root.IsMap())
        Refuse(std::max(1, LineOf(root)),
               QStringLiteral("not a text setup: a mapping that begins with \"%1: %2\" is "
                              "expected")
                   .arg(VERSION_KEY)
                   .arg(FORMAT_VERSION));
    CheckKeys(root);
    CTextSetup setup;
    bool versioned = false;
    for (const auto& item : root) {
        const QString key = ScalarOf(item.first);
        if (key == QLatin1String(VERSION_KEY)) {
            if (!item.second.IsScalar() || item.second.Scalar() != std::to_string(FORMAT_VERSION))
                Refuse(LineOf(item.first), QStringLiteral("format version '%1' is not read (only "
                                                          "%2 is)")
                                               .arg(ScalarOf(item.second))
                                               .arg(FORMAT_VERSION));
            versioned = true;
        } else if (key == QLatin1String(BYTES_KEY)) {
            setup.ParseBytes(item.second);
        } else {
            setup.ParseSection(key, LineOf(item.first), item.second);
        }
    }
    if (!versioned)
        Refuse(1, QStringLiteral("\"%1: %2\" is missing").arg(VERSION_KEY).arg(FORMAT_VERSION));
    return setup;
}

// A section is a mapping of labels to scalars; an empty section names nothing. Its name is
// checked here, at its own line, even when it is empty.
void CTextSetup::ParseSection(const QString& section, int line, const YAML::Node& node) {
    FindForm(section, TEXT_SETUP_ERROR{line, -1, QString(), QString()});
    if (node.IsNull())
        return;
    if (!node.IsMap())
        Refuse(LineOf(node), QStringLiteral("%1: a mapping of settings is expected").arg(section));
    CheckKeys(node);
    for (const auto& item : node) {
        const QString label = ScalarOf(item.first);
        if (!item.second.IsScalar())
            Refuse(LineOf(item.first),
                   QStringLiteral("%1/%2: a single value is expected").arg(section, label));
        m_settings.push_back({section, label, ScalarOf(item.second), LineOf(item.first)});
    }
}

void CTextSetup::ParseBytes(const YAML::Node& node) {
    if (node.IsNull())
        return;
    if (!node.IsMap())
        Refuse(LineOf(node), QStringLiteral("bytes: a mapping of address to value is expected"));
    const int last = int(CE2prom::IMAGE_SIZE) - 1;
    for (const auto& item : node) {
        const int line = LineOf(item.first);
        const std::optional<int> address = ReadByteNumber(ScalarOf(item.first), 1, last);
        if (!address)
            Refuse(line, QStringLiteral("bytes: address '%1' is outside 1 to %2 (address 0 is "
                                        "never saved)")
                             .arg(ScalarOf(item.first))
                             .arg(last));
        const std::optional<int> value =
            item.second.IsScalar() ? ReadByteNumber(ScalarOf(item.second), 0, 255) : std::nullopt;
        if (!value)
            Refuse(line, QStringLiteral("bytes: value '%1' of address %2 is outside 0 to 255")
                             .arg(item.second.IsScalar() ? ScalarOf(item.second) : QString())
                             .arg(Hex(*address)));
        if (!m_bytes.emplace(*address, *value).second)
            Refuse(line, QStringLiteral("bytes: address %1 is given twice").arg(Hex(*address)));
    }
}

void CTextSetup::ApplyTo(CE2prom& image) const {
    // The settings by section, each with where it came from.
    struct NAMED {
        const SETTING_LINE* line;
        const TEXT_SETTING* setting;
        TEXT_SETUP_ERROR origin;
    };
    std::map<const FORM_TABLE*, std::vector<NAMED>> sections;
    for (std::size_t i = 0; i < m_settings.size(); ++i) {
        const TEXT_SETTING& setting = m_settings[i];
        if (setting.keptInBytes)
            continue;
        const TEXT_SETUP_ERROR origin{setting.line, int(i), setting.section + u'/' + setting.label,
                                      QString()};
        const FORM_TABLE& form = FindForm(setting.section, origin);
        sections[&form].push_back({&FindLine(form, setting.label, origin), &setting, origin});
    }
    CE2prom work;
    work.ReplaceBytes(image.Bytes());
    for (const FORM_TABLE* form : ListedForms()) {
        const auto found = sections.find(form);
        if (found == sections.end())
            continue;
        CSectionEntry entry(*form, work);
        for (const NAMED& named : found->second)
            entry.Enter(*named.line, named.setting->value, named.origin);
        entry.Finish();
    }
    for (const auto& [address, value] : m_bytes)
        work.SetByte(address, std::uint8_t(value));
    for (int address = 0; address < int(work.GetSize()); ++address)
        if (image.GetByte(address) != work.GetByte(address))
            image.SetByte(address, work.GetByte(address));
}

void CTextSetup::LoadOnDefault(CE2prom& image, const QByteArray& text) {
    const CTextSetup setup = Parse(text);
    const QString path = CFileLocations::OfThisRun().ShippedFile(QStringLiteral("karvo.def"));
    CE2prom base;
    try {
        if (base.LoadSRecords(path) != 1)
            Refuse(0, QStringLiteral("the default setup %1 cannot be loaded").arg(path));
    } catch (const CError& e) {
        Refuse(0, QStringLiteral("the default setup %1: %2").arg(path, e.ComposeText()));
    }
    setup.ApplyTo(base);
    for (int address = 0; address < int(base.GetSize()); ++address)
        image.SetByte(address, base.GetByte(address));
}

CTextSetup CTextSetup::FromImage(CE2prom& image) {
    CTextSetup setup;
    {
        // The text is English whatever the language of the run.
        for (const FORM_TABLE* form : ListedForms()) {
            CSettingForm settings(*form, LANGUAGE_ENGLISH);
            settings.Attach(&image);
            for (const SETTING_LINE& line : form->listedLines)
                setup.AddSetting(
                    {QString::fromLatin1(form->caption), QString::fromLatin1(line.label),
                     line.compute ? line.compute(settings) : settings.ValueText(line.controlId)});
        }
    }
    // Applied to an image of which every byte differs, the settings give back exactly the
    // bytes they hold; "bytes:" takes the others. A shown value that would be refused (a
    // prolonged tone beyond its telegram) is left to the bytes too.
    QByteArray inverted = image.Bytes();
    for (char& byte : inverted)
        byte = char(~byte);
    CE2prom probe;
    for (;;) {
        probe.ReplaceBytes(inverted);
        try {
            setup.ApplyTo(probe);
            break;
        } catch (const TEXT_SETUP_ERROR& e) {
            if (e.setting < 0 || setup.m_settings[std::size_t(e.setting)].keptInBytes)
                throw;
            setup.m_settings[std::size_t(e.setting)].keptInBytes = true;
        }
    }
    for (int address = 1; address < int(image.GetSize()); ++address)
        if (probe.GetByte(address) != image.GetByte(address))
            setup.m_bytes[address] = image.GetByte(address);
    return setup;
}

QByteArray CTextSetup::Yaml() const {
    // Texts that a YAML 1.1 reader would read as something else are quoted (YamlScalar).
    std::string text =
        "---\n"
        "# Karvo setup: each setting by its dialog's caption and label, with the value\n"
        "# the dialog shows; \"bytes\" holds what the settings do not give back.\n";
    text += std::string(VERSION_KEY) + ": " + std::to_string(FORMAT_VERSION) + "\n";
    QString section;
    for (const TEXT_SETTING& setting : m_settings) {
        if (setting.section != section) {
            section = setting.section;
            text += YamlScalar(section) + ":\n";
        }
        const std::string line = YamlScalar(setting.label) + ": " + YamlScalar(setting.value);
        text += setting.keptInBytes ? "  # " + line + "  (not legal as shown; kept in bytes)\n"
                                    : "  " + line + "\n";
    }
    if (!m_bytes.empty()) {
        text += "# Bytes no setting shows, or that a setting's shown value would not give back.\n";
        text += std::string(BYTES_KEY) + ":\n";
        for (const auto& [address, value] : m_bytes)
            text += "  " + Hex(address).toStdString() + ": " + Hex(value).toStdString() + "\n";
    }
    return QByteArray::fromStdString(text);
}

QByteArray CTextSetup::Json() const {
    QJsonObject root;
    root.insert(QLatin1String(VERSION_KEY), FORMAT_VERSION);
    std::map<QString, QJsonObject> sections;
    // A value YAML writes as a plain number is a JSON number (JsonScalar); the byte values,
    // plain hexadecimal numbers in YAML, are JSON numbers too. Keys stay texts.
    for (const TEXT_SETTING& setting : m_settings)
        if (!setting.keptInBytes)
            sections[setting.section].insert(setting.label, JsonScalar(setting.value));
    for (const auto& [name, settings] : sections)
        root.insert(name, settings);
    QJsonObject bytes;
    for (const auto& [address, value] : m_bytes)
        bytes.insert(Hex(address), value);
    root.insert(QLatin1String(BYTES_KEY), bytes);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

QString CTextSetup::SettingValue(CE2prom& image, const QString& section, const QString& label) {
    const TEXT_SETUP_ERROR origin{0, -1, section + u'/' + label, QString()};
    const FORM_TABLE& form = FindForm(section, origin);
    const SETTING_LINE& line = FindLine(form, label, origin);
    CSettingForm settings(form, LANGUAGE_ENGLISH);
    settings.Attach(&image);
    return line.compute ? line.compute(settings) : settings.ValueText(line.controlId);
}
