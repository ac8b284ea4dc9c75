#include "tools/CliReport.h"

#include "core/forms/ReportText.h"
#include "core/forms/SetupComparison.h"
#include "core/image/CE2prom.h"
#include "core/link/CError.h"
#include "print/ReportPainter.h"
#include "tools/CliArguments.h"
#include "tools/CliCommon.h"

#include <QFile>
#include <cstdio>

int RunCliReport(const CCliCommand& command) {
    CE2prom image;
    if (const int status = CliLoad(image, command.files[0]); status != CLI_OK)
        return status;
    try {
        if (command.pdfPath.isEmpty()) {
            std::fputs(ReportText(image, command.language).toUtf8().constData(), stdout);
        } else if (!WriteReportPdf(command.pdfPath, image, command.language)) {
            CliError(QStringLiteral("cannot write '%1'").arg(command.pdfPath));
            return CLI_CANNOT_WRITE;
        }
    } catch (const CError& e) {
        // No half-written report stays behind.
        if (!command.pdfPath.isEmpty())
            QFile::remove(command.pdfPath);
        CliError(e.ComposeText());
        return CLI_BAD_INPUT;
    }
    return CLI_OK;
}

int RunCliDiff(const CCliCommand& command) {
    CE2prom a;
    CE2prom b;
    for (const auto& [image, path] : {std::pair{&a, command.files[0]}, {&b, command.files[1]}})
        if (const int status = CliLoad(*image, path); status != CLI_OK)
            return status;
    try {
        const SETUP_DIFFERENCES differences = CompareSetups(a, b, command.language);
        for (const QString& line : DifferenceLines(differences, a, b))
            std::printf("%s\n", line.toUtf8().constData());
        return differences.Equal() ? CLI_OK : CLI_DIFFERENT;
    } catch (const CError& e) {
        CliError(e.ComposeText());
        return CLI_BAD_INPUT;
    }
}
