// karvo-cli report and diff.
//
// report FILE [--language L] [--pdf OUT]: the four-page setup report, drawn by the same
// page routine as the program's print and preview: into a PDF file with --pdf, else as
// plain text on stdout (each drawn line on the text line of its position, pages separated
// by a form feed, lines cut at 79 characters). Only the PDF needs a QGuiApplication.
//
// diff A B [--language L]: every setting whose shown value differs, then every differing
// byte no setting shows; CLI_OK when the setups are equal, CLI_DIFFERENT when not.
#pragma once

struct CCliCommand;

int RunCliReport(const CCliCommand& command);
int RunCliDiff(const CCliCommand& command);
