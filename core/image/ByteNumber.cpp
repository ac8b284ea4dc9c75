#include "core/image/ByteNumber.h"

std::optional<int> ParseByteNumber(const QString& text) {
    bool ok = false;
    const int value = text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)
                          ? text.mid(2).toInt(&ok, 16)
                          : text.toInt(&ok, 10);
    return ok ? std::optional<int>(value) : std::nullopt;
}
