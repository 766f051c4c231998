#pragma once

#include <QString>
#include <QStringList>

namespace tovren::dialogs {

/// The rules of the display format dialog, without its window: the category and format lists,
/// what the decimals and separator boxes show for a code, and the code they make up on OK.
///
/// A code packs the category into bits 24-27, the format index into bits 16-23, the decimals
/// into bits 8-15 and the decimal separator's character code into bits 0-7.
class FormatCodes
{
public:
    static constexpr int kNumberCategory = 1;
    static constexpr int kCustomFormatIndex = 4;
    static constexpr int kFormatsPerCategory = 5;

    /// "文本", "数字", "日期", "时间", "布尔".
    static QStringList categoryNames();
    /// The formats offered in @p category, empty entries left out.
    static QStringList formatNames(int category);

    static int category(qint32 code) { return (code >> 24) & 15; }
    static int formatIndex(qint32 code) { return (code >> 16) & 255; }
    /// The decimals box's text for @p code.
    static QString decimalsText(qint32 code) { return QString::number((code >> 8) & 255); }
    /// The separator box's text: the character in the lowest byte.
    static QString separatorText(qint32 code);

    /// The code of the dialog's choice. Decimals that are no number count as 0 and an empty
    /// separator as ","; the parts are added as they stand.
    static qint32 compose(int category, int formatIndex, const QString &decimalsText,
                          const QString &separatorText);
};

} // namespace tovren::dialogs
