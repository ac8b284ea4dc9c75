// CSetupOverviewModel: the setup at a glance, as a two-level item model for the main
// window's view. The top rows are the sections in the report's order, each with the setup
// command that opens its dialog; their children are the section's settings, each with its
// dialog label and its value as the listing shows it (the widget-free forms of the
// dialogs, so a byte turns into the same text as in the dialog, the report and
// karvo-cli show). A setting whose shown value differs from the baseline (the setup as
// last opened, saved, read or written) is marked changed; a section whose command is not
// available is greyed with its settings, and each of their rows gives the reason in its
// tooltip and accessible text.
//
// It keeps the shown texts, not the image: Refresh reads the image again, and only the
// sections whose bytes changed since the last reading are worked out anew.
#pragma once

#include <QAbstractItemModel>
#include <QByteArray>
#include <QString>
#include <functional>
#include <span>
#include <vector>

class CE2prom;
struct FORM_TABLE;

class CSetupOverviewModel : public QAbstractItemModel {
    Q_OBJECT
public:
    enum Column { LABEL_COLUMN, VALUE_COLUMN, BEFORE_COLUMN, COLUMN_COUNT };
    enum Role {
        LabelRole = Qt::UserRole + 1, // the plain label, without the change marker
        ChangedRole,                  // bool: the setting (or a setting of the section) changed
        EnabledRole,                  // bool: the section's command is available
        CommandRole,                  // int: the setup command of the row's section
    };

    // Whether a command is available and, when it is not, why (a sentence in the
    // interface language, "Not available: ...").
    struct COMMAND_STATE {
        bool enabled = true;
        QString reason;
    };
    using CommandStateFn = std::function<COMMAND_STATE(int commandId)>;

    // sectionCommands: the setup command of each listed form, in the same order. The
    // baseline starts as the image is now.
    CSetupOverviewModel(CE2prom& image, std::span<const int> sectionCommands,
                        CommandStateFn commandState, QObject* parent = nullptr);
    ~CSetupOverviewModel() override;

    // Reads the image again and reports the rows whose texts or states changed.
    void Refresh();
    // Takes the image as it is now as the setup the changes are counted from.
    void SetBaseline();
    // Settings whose shown value differs from the baseline's.
    int ChangedCount() const { return m_changedCount; }

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
    void ChangedCountChanged(int count);

private:
    struct SETTING_ROW {
        QString label;
        QString value;
        QString before; // the baseline's value
        bool Changed() const { return value != before; }
    };
    struct SECTION {
        const FORM_TABLE* form;
        int commandId;
        QString caption;
        std::vector<int> addresses; // the bytes its settings are read from
        COMMAND_STATE state;
        QString error; // why its values could not be read
        std::vector<SETTING_ROW> rows;
    };

    void ReadSection(SECTION& section);
    bool SectionBytesChanged(const SECTION& section, const QByteArray& bytes,
                             const QByteArray& previous) const;
    void CountChanges();
    void EmitSectionChanged(int section);
    static QString Unavailable(const SECTION& section);
    QVariant SectionData(const SECTION& section, int column, int role) const;
    QVariant SettingData(const SECTION& section, const SETTING_ROW& row, int column,
                         int role) const;

    CE2prom& m_image;
    CommandStateFn m_commandState;
    std::vector<SECTION> m_sections;
    QByteArray m_shownBytes; // the image as the values were last read
    int m_changedCount = 0;
};
