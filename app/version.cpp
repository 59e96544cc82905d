#include "app/version.h"

namespace tarvena {

namespace {
constexpr std::array<int, 4> kVersionNumbers = {TARVENA_VERSION_NUMBERS};
} // namespace

QString versionText(const char *text, const std::array<int, 4> &numbers)
{
    if (text && *text)
        return QString::fromUtf8(text);
    return QStringLiteral("%1.%2.%3.%4").arg(numbers[0]).arg(numbers[1]).arg(numbers[2]).arg(numbers[3]);
}

QString fileVersion()
{
    return versionText(TARVENA_FILE_VERSION, kVersionNumbers);
}

QString productVersion()
{
    return versionText(TARVENA_PRODUCT_VERSION, kVersionNumbers);
}

} // namespace tarvena
