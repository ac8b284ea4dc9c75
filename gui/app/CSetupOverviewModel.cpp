#include "gui/app/CSetupOverviewModel.h"

#include "core/forms/CSettingForm.h"
#include "core/forms/FormTable.h"
#include "core/forms/ReportSections.h"
#include "core/image/CE2prom.h"
#include "core/lang/CurrentLanguage.h"
#include "core/link/CError.h"

#include <QFont>
#include <QGuiApplication>
#include <QPalette>
#include <array>

namespace {

// Internal ids: 0 for a section row, section number + 1 for its settings.
constexpr quintptr SECTION_ROW = 0;

// Marks a changed setting in text as well as in bold, so it does not rest on looks alone.
const QString CHANGE_MARKER = QStringLiteral("* ");

// The bytes a form's settings are read from: every table entry's address and the one after
// it (a word's low byte). Empty when the form has no table (then it is always read).
std::vector<int> FormAddresses(const FORM_TABLE& form) {
    std::vector<int> addresses;
    for (const VARIABLE_STRUCT* entry = form.table; entry && entry->controlId != 0; ++entry) {
        addresses.push_back(entry->address);
        addresses.push_back(entry->address + 1);
    }
    return addresses;
}

QStringList FormValues(const FORM_TABLE& table, CE2prom& image) {
    CSettingForm form(table, GetCurrentLanguage());
    form.Attach(&image);
    QStringList values;
    for (const SETTING_LINE& line : table.listedLines)
        values << LineValue(line, form);
    return values;
}

} // namespace

CSetupOverviewModel::CSetupOverviewModel(CE2prom& image, std::span<const int> sectionCommands,
                                         CommandStateFn commandState, QObject* parent)
    : QAbstractItemModel(parent), m_image(image), m_commandState(std::move(commandState)) {
    const std::span<const FORM_TABLE* const> forms = ListedForms();
    m_sections.reserve(forms.size());
    for (std::size_t i = 0; i < forms.size(); ++i) {
        SECTION section{forms[i],
                        i < sectionCommands.size() ? sectionCommands[i] : 0,
                        Tr(QString::fromLatin1(forms[i]->caption)),
                        FormAddresses(*forms[i]),
                        {},
                        {},
                        {}};
        for (const SETTING_LINE& line : forms[i]->listedLines)
            section.rows.push_back({Tr(QString::fromLatin1(line.label)), {}, {}});
        m_sections.push_back(std::move(section));
    }
    SetBaseline();
}

CSetupOverviewModel::~CSetupOverviewModel() = default;

void CSetupOverviewModel::ReadSection(SECTION& section) {
    QStringList values;
    section.error.clear();
    try {
        values = FormValues(*section.form, m_image);
    } catch (const CError& error) {
        // A table fault shows in the section instead of ending the program.
        section.error = error.ComposeText();
    }
    for (std::size_t i = 0; i < section.rows.size(); ++i)
        section.rows[i].value = i < std::size_t(values.size()) ? values[int(i)] : QString();
}

bool CSetupOverviewModel::SectionBytesChanged(const SECTION& section, const QByteArray& bytes,
                                              const QByteArray& previous) const {
    if (previous.size() != bytes.size() || section.addresses.empty())
        return true;
    for (const int address : section.addresses)
        if (address < bytes.size() && bytes[address] != previous[address])
            return true;
    return false;
}

void CSetupOverviewModel::Refresh() {
    const QByteArray bytes = m_image.Bytes();
    for (std::size_t s = 0; s < m_sections.size(); ++s) {
        SECTION& section = m_sections[s];
        const COMMAND_STATE state =
            m_commandState ? m_commandState(section.commandId) : COMMAND_STATE{};
        const bool stateChanged =
            state.enabled != section.state.enabled || state.reason != section.state.reason;
        section.state = state;
        const bool valuesChanged = SectionBytesChanged(section, bytes, m_shownBytes);
        if (valuesChanged)
            ReadSection(section);
        if (valuesChanged || stateChanged)
            EmitSectionChanged(int(s));
    }
    m_shownBytes = bytes;
    CountChanges();
}

void CSetupOverviewModel::SetBaseline() {
    // The baseline is the image as it is now, so its values are the ones just read.
    Refresh();
    for (SECTION& section : m_sections)
        for (SETTING_ROW& row : section.rows)
            row.before = row.value;
    for (std::size_t s = 0; s < m_sections.size(); ++s)
        EmitSectionChanged(int(s));
    CountChanges();
}

void CSetupOverviewModel::EmitSectionChanged(int s) {
    const QModelIndex top = index(s, 0);
    emit dataChanged(top, index(s, COLUMN_COUNT - 1));
    const int rows = int(m_sections[s].rows.size());
    if (rows > 0)
        emit dataChanged(index(0, 0, top), index(rows - 1, COLUMN_COUNT - 1, top));
}

void CSetupOverviewModel::CountChanges() {
    int count = 0;
    for (const SECTION& section : m_sections)
        for (const SETTING_ROW& row : section.rows)
            count += row.Changed() ? 1 : 0;
    if (count == m_changedCount)
        return;
    m_changedCount = count;
    emit ChangedCountChanged(count);
}

QModelIndex CSetupOverviewModel::index(int row, int column, const QModelIndex& parent) const {
    if (column < 0 || column >= COLUMN_COUNT || row < 0)
        return {};
    if (!parent.isValid())
        return row < int(m_sections.size()) ? createIndex(row, column, SECTION_ROW) : QModelIndex();
    if (parent.internalId() != SECTION_ROW || row >= rowCount(parent))
        return {};
    return createIndex(row, column, quintptr(parent.row()) + 1);
}

QModelIndex CSetupOverviewModel::parent(const QModelIndex& child) const {
    if (!child.isValid() || child.internalId() == SECTION_ROW)
        return {};
    return createIndex(int(child.internalId() - 1), 0, SECTION_ROW);
}

int CSetupOverviewModel::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid())
        return int(m_sections.size());
    if (parent.internalId() != SECTION_ROW || parent.column() != 0)
        return 0;
    return int(m_sections[parent.row()].rows.size());
}

int CSetupOverviewModel::columnCount(const QModelIndex&) const {
    return COLUMN_COUNT;
}

Qt::ItemFlags CSetupOverviewModel::flags(const QModelIndex& index) const {
    // Greyed sections stay selectable, so the keyboard and a screen reader reach them.
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

QVariant CSetupOverviewModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char* const TITLES[COLUMN_COUNT] = {"Setting", "Value", "Before"};
    return section >= 0 && section < COLUMN_COUNT ? Tr(QString::fromLatin1(TITLES[section]))
                                                  : QVariant();
}

QVariant CSetupOverviewModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    if (index.internalId() == SECTION_ROW)
        return SectionData(m_sections[index.row()], index.column(), role);
    const SECTION& section = m_sections[index.internalId() - 1];
    return SettingData(section, section.rows[index.row()], index.column(), role);
}

// What a row of a greyed section adds to its accessible text: the reason.
QString CSetupOverviewModel::Unavailable(const SECTION& section) {
    return section.state.enabled ? QString() : QStringLiteral(", ") + section.state.reason;
}

QVariant CSetupOverviewModel::SectionData(const SECTION& section, int column, int role) const {
    const bool enabled = section.state.enabled;
    switch (role) {
    case Qt::DisplayRole:
        return column == LABEL_COLUMN ? section.caption : QVariant();
    case LabelRole:
        return section.caption;
    case Qt::AccessibleTextRole:
        // The whole row is read out at its first cell; the others stay empty, as shown.
        if (column != LABEL_COLUMN)
            return QVariant();
        return section.caption + Unavailable(section);
    case Qt::ToolTipRole:
        return enabled ? (section.error.isEmpty() ? QVariant() : section.error)
                       : QVariant(section.state.reason);
    case Qt::FontRole: {
        QFont font;
        font.setBold(true);
        return font;
    }
    case Qt::ForegroundRole:
        return enabled ? QVariant()
                       : QGuiApplication::palette().brush(QPalette::Disabled, QPalette::Text);
    case ChangedRole:
        for (const SETTING_ROW& row : section.rows)
            if (row.Changed())
                return true;
        return false;
    case EnabledRole:
        return enabled;
    case CommandRole:
        return section.commandId;
    default:
        return {};
    }
}

QVariant CSetupOverviewModel::SettingData(const SECTION& section, const SETTING_ROW& row,
                                          int column, int role) const {
    const bool changed = row.Changed();
    switch (role) {
    case Qt::DisplayRole: {
        static const auto TEXTS =
            std::array{&SETTING_ROW::label, &SETTING_ROW::value, &SETTING_ROW::before};
        if (column == BEFORE_COLUMN && !changed)
            return QString();
        const QString& text = row.*TEXTS[column];
        return column == LABEL_COLUMN && changed ? CHANGE_MARKER + text : text;
    }
    case LabelRole:
        return row.label;
    case Qt::AccessibleTextRole: {
        // The first cell reads the whole row; the others read what they show.
        if (column != LABEL_COLUMN)
            return SettingData(section, row, column, Qt::DisplayRole);
        QString text = row.label + QStringLiteral(": ") + row.value;
        if (changed)
            text += QStringLiteral(", ") + Tr("changed, was %1").arg(row.before);
        return text + Unavailable(section);
    }
    case Qt::ToolTipRole:
        return section.state.enabled ? QVariant() : QVariant(section.state.reason);
    case Qt::FontRole: {
        if (!changed)
            return {};
        QFont font;
        font.setBold(true);
        return font;
    }
    case Qt::ForegroundRole:
        return section.state.enabled
                   ? QVariant()
                   : QGuiApplication::palette().brush(QPalette::Disabled, QPalette::Text);
    case ChangedRole:
        return changed;
    case EnabledRole:
        return section.state.enabled;
    case CommandRole:
        return section.commandId;
    default:
        return {};
    }
}
