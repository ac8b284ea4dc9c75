// The font of the setup report: fixed pitch, so that the "%-30s" label column lines up,
// and sized to the report's line height so that lines never run into each other.
#pragma once

#include <QFont>

QFont ReportFont(int lineHeight);
