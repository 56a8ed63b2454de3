// The address check: the input is the text (UTF-8). An accepted address is four dot-separated
// parts of blanks, an optional sign and digits.
#include "Clsvalidacion.h"
#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    if (!Clsvalidacion::IsIP(text))
        return 0;
    FUZZ_CHECK(text.count(QLatin1Char('.')) == 3);
    for (QChar c : text)
        FUZZ_CHECK((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char(' ') || c == QLatin1Char('.') ||
                   c == QLatin1Char('+') || c == QLatin1Char('-'));
    return 0;
}
