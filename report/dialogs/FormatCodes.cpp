#include "report/dialogs/FormatCodes.h"

#include "report/platform/StringTable.h"

namespace tovren::dialogs {

namespace {

constexpr int kFirstCategoryString = 55130;
constexpr int kCategoryCount = 5;
constexpr int kFirstFormatString = 55150;
constexpr int kCategoryFactor = 16777216;
constexpr int kIndexFactor = 65536;
constexpr int kDecimalsFactor = 256;

} // namespace

QStringList FormatCodes::categoryNames()
{
    QStringList names;
    for (int i = 0; i < kCategoryCount; ++i)
        names.append(platform::LoadLibraryString(kFirstCategoryString + i));
    return names;
}

QStringList FormatCodes::formatNames(int category)
{
    QStringList names;
    for (int i = 0; i < kFormatsPerCategory; ++i) {
        const QString name =
            platform::LoadLibraryString(kFirstFormatString + kFormatsPerCategory * category + i);
        if (!name.isEmpty())
            names.append(name);
    }
    return names;
}

QString FormatCodes::separatorText(qint32 code)
{
    const int character = code & 255;
    return character == 0 ? QString() : QString(QChar(character));
}

qint32 FormatCodes::compose(int category, int formatIndex, const QString &decimalsText,
                            const QString &separatorText)
{
    bool isNumber = false;
    int decimals = decimalsText.trimmed().toInt(&isNumber, 10);
    if (!isNumber)
        decimals = 0;
    const int separator = separatorText.isEmpty() ? int(u',') : int(separatorText.at(0).unicode());
    return category * kCategoryFactor + formatIndex * kIndexFactor + decimals * kDecimalsFactor +
           separator;
}

} // namespace tovren::dialogs
