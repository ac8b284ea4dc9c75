#include "gui/dialogs/CDecoderDlg.h"

CDecoderDlg::CDecoderDlg(CE2prom* image, int index, QWidget* parent)
    : CToneSequenceDlg(DECODER_TEMPLATE, DecoderForm(index), DECODER_PROLONGED_ID, image, parent) {}
