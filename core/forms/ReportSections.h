// The sections of the setup report, in printing order: the one list of the setup dialogs
// that the report, the overview, the comparison, the listing and the text setups follow.
// Each section names the Setup menu command of its dialog, the form it is drawn from and
// the page it is printed on.
#pragma once

#include "core/forms/FormTable.h"

#include <span>

// Menu command identifiers of the setup commands.
enum SetupCommandId {
    ID_SYSTEM_SETUP = 32810,
    ID_RADIO_INTERFACE = 32800,
    ID_REPEATER_OPERATION = 32801,
    ID_LINE_INTERFACE = 32802,
    ID_LINE_OPERATION = 32803,
    ID_SINGLE_TONES = 32804,
    ID_TRC_SETUP = 32771,
    ID_ENCODER_DISCONNECT = 32813,
    ID_ENCODER_ACKNOWLEDGE = 32817,
    ID_ENCODER_ALARM = 32818,
    ID_DECODER_1 = 32819,
    ID_DECODER_2 = 32820,
    ID_DECODER_3 = 32821,
    ID_DECODER_4 = 32826,
};

inline constexpr int REPORT_PAGE_COUNT = 4;

struct REPORT_SECTION {
    int commandId;          // the Setup menu command that opens its dialog
    const FORM_TABLE* form; // its settings and report lines
    int page;               // 1 to REPORT_PAGE_COUNT
    bool fullDuplexOnly;    // the dialog exists only for a full-duplex radio type
};

// Every section in printing order.
std::span<const REPORT_SECTION> ReportSections();

// The forms of the sections, in the same order (the listing, the overview, the comparison
// and the text setups walk them).
std::span<const FORM_TABLE* const> ListedForms();

// The section of a setup command; nullptr for any other command.
const REPORT_SECTION* FindReportSection(int commandId);
