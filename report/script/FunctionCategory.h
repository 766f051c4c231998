#pragma once

#include <QString>

// The categories under which the expression builder lists functions. Each is a numbered text of
// the string table, so the shown name follows the library's language.
namespace tovren::script {

enum class FunctionCategory : int {
    AllFunctions = 55348,
    Aggregates = 55349,
    DateAndTime = 55350,
    Strings = 55351,
    Other = 55352,
    Mathematics = 55353,
    Logic = 55354,
    Interpreter = 55355,
    Database = 55620,
    ReportInformation = 55622,
};

QString categoryText(FunctionCategory category);

} // namespace tovren::script
