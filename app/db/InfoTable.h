#pragma once

#include <QString>

#include <array>

namespace tovren::db {

/// The graduate table `info`: its key, its columns in stored order, and the Chinese title of each.
namespace InfoTable {

inline constexpr const char *kName = "info";
inline constexpr const char *kKeyColumn = "ID";
inline constexpr const char *kBrowseSql = "Select * from info";

struct Column
{
    const char *name;
    const char *label;
};

/// In the order the display labels are matched; ID comes first and is the auto-numbered key.
inline constexpr std::array<Column, 33> kColumns{{
    {"ID", "编号"},           {"StudID", "学生学号"},     {"CardID", "身份证"},
    {"Name", "姓名"},         {"Sex", "性别"},             {"HuJi", "户籍"},
    {"Province", "省份"},     {"City", "市县"},            {"Birth", "出生日期"},
    {"BirthYear", "出生年"},  {"BirthMonth", "出生月"},    {"BirthDay", "出生日"},
    {"StartYear", "入学年"},  {"StartMonth", "入学月"},    {"EndYear", "毕业年"},
    {"EndMonth", "毕业月"},   {"ZhengZhi", "政治"},        {"YuWen", "语文"},
    {"YingYu", "英语"},       {"ShuXue", "数学"},          {"WuLi", "物理"},
    {"HuaXue", "化学"},       {"ShengWu", "生物"},         {"LiShi", "历史"},
    {"DiLi", "地理"},         {"TiYu", "体育"},            {"DeYu", "德育"},
    {"Other", "其它"},        {"SchoolName", "学校名称"},  {"SchoolAddress", "学校地址"},
    {"ThisYear", "做证年"},   {"ThisMonth", "做证月"},     {"ThisDay", "做证日"},
}};

/// The label for a field name, matched exactly (case matters); empty when the name is unknown.
QString labelFor(const QString &fieldName);

} // namespace InfoTable
} // namespace tovren::db

namespace tovren::db {
class TDbQuery;
namespace InfoTable {
/// The after-open hook that titles each known field of @p query with its Chinese label.
void applyDisplayLabels(TDbQuery &query);
} // namespace InfoTable
} // namespace tovren::db
