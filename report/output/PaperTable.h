#pragma once

#include "report/model/Units.h"

#include <QString>
#include <vector>

namespace tovren::output {

/// One row of the paper table: a platform paper code, its name in the program's language and
/// its portrait size.
struct TPaperInfo
{
    int code = 0;
    QString name;
    model::TenthsMm width = 0;
    model::TenthsMm height = 0;
};

inline constexpr int kCustomPaperCode = 256;
inline constexpr int kPaperTableRows = 67;

/// The 67 papers the virtual printer offers, in table order, named from the string table.
const std::vector<TPaperInfo> &PaperTable();
/// The row with that code, or null; code 256 is the last row and has no size of its own.
const TPaperInfo *findPaper(int code);

} // namespace tovren::output
