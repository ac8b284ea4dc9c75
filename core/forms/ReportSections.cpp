#include "core/forms/ReportSections.h"

#include "core/forms/ToneSequenceForms.h"

#include <array>

// Page 1: System setup to Single tones; page 2: TRC setup and the encoders Disconnect and
// Acknowledge; page 3: the encoder Alarm and the decoders 1 and 2; page 4: decoders 3 and 4.
std::span<const REPORT_SECTION> ReportSections() {
    static const std::array<REPORT_SECTION, 14> sections = {{
        {ID_SYSTEM_SETUP, &SYSTEM_SETUP_FORM, 1, false},
        {ID_RADIO_INTERFACE, &RADIO_INTERFACE_FORM, 1, false},
        {ID_REPEATER_OPERATION, &REPEATER_FORM, 1, false},
        {ID_LINE_INTERFACE, &LINE_INTERFACE_FORM, 1, false},
        {ID_LINE_OPERATION, &LINE_OPERATION_FORM, 1, false},
        {ID_SINGLE_TONES, &SINGLE_TONES_FORM, 1, false},
        {ID_TRC_SETUP, &TRC_SETUP_FORM, 2, false},
        {ID_ENCODER_DISCONNECT, &EncoderForm(0), 2, true},
        {ID_ENCODER_ACKNOWLEDGE, &EncoderForm(1), 2, true},
        {ID_ENCODER_ALARM, &EncoderForm(2), 3, false},
        {ID_DECODER_1, &DecoderForm(0), 3, true},
        {ID_DECODER_2, &DecoderForm(1), 3, true},
        {ID_DECODER_3, &DecoderForm(2), 4, true},
        {ID_DECODER_4, &DecoderForm(3), 4, true},
    }};
    return sections;
}

const REPORT_SECTION* FindReportSection(int commandId) {
    for (const REPORT_SECTION& section : ReportSections())
        if (section.commandId == commandId)
            return &section;
    return nullptr;
}

std::span<const FORM_TABLE* const> ListedForms() {
    static const std::array<const FORM_TABLE*, 14> forms = [] {
        std::array<const FORM_TABLE*, 14> list{};
        for (std::size_t i = 0; i < list.size(); ++i)
            list[i] = ReportSections()[i].form;
        return list;
    }();
    return forms;
}
