#include "app/demo/GraduateGenerator.h"

#include <array>

namespace tovren::demo {

namespace {

struct Region
{
    const char *province;
    const char *city;
    const char *code; // the first six digits of an identity number issued there
    const char *school;
    const char *address;
};

constexpr std::array<Region, 12> kRegions{{
    {"北京市", "东城区", "110101", "北京市第二十一中学", "北京市东城区东四北大街 12 号"},
    {"上海市", "徐汇区", "310104", "上海市南洋中学", "上海市徐汇区天钥桥路 88 号"},
    {"江苏省", "南京市", "320102", "南京市第九中学", "南京市玄武区中山路 307 号"},
    {"浙江省", "杭州市", "330106", "杭州市西溪中学", "杭州市西湖区文三路 195 号"},
    {"山东省", "济南市", "370102", "济南市历城第一中学", "济南市历下区解放路 66 号"},
    {"河南省", "郑州市", "410102", "郑州市第七中学", "郑州市中原区建设西路 41 号"},
    {"湖北省", "武汉市", "420106", "武汉市武昌实验中学", "武汉市武昌区中山路 378 号"},
    {"湖南省", "长沙市", "430102", "长沙市第一中学", "长沙市芙蓉区清水塘路 1 号"},
    {"广东省", "广州市", "440104", "广州市越秀中学", "广州市越秀区东风中路 303 号"},
    {"四川省", "成都市", "510104", "成都市锦江中学", "成都市锦江区东大街 58 号"},
    {"陕西省", "西安市", "610102", "西安市新城中学", "西安市新城区解放路 96 号"},
    {"河北省", "保定市", "130602", "保定市第一中学", "保定市竞秀区东风中路 28 号"},
}};

// The form prints "省" and "市" after the boxes, and the City box holds two characters: the
// Province and City columns hold the names without those words, as the office types them.
QString nameOnForm(const char *division)
{
    QString name = QString::fromUtf8(division);
    if (name.size() > 2 && (name.endsWith(u'省') || name.endsWith(u'市') || name.endsWith(u'区')))
        name.chop(1);
    return name;
}

const QStringList kSurnames =
    QStringLiteral(
        "王 李 张 刘 陈 杨 黄 赵 吴 周 徐 孙 马 朱 胡 郭 何 高 林 罗 郑 梁 谢 宋 唐 许 韩 冯 邓 曹 "
        "彭 曾 肖 田 董 袁 潘 于 蒋 蔡 余 杜 叶 程 苏 魏 吕 丁 任 沈 姚 卢 姜 崔 钟 谭 陆 汪 范 金 "
        "欧阳 司马 诸葛 上官")
        .split(u' ');
const QStringList kMaleGiven =
    QStringLiteral(
        "伟 强 磊 军 洋 勇 杰 涛 明 超 刚 平 辉 鹏 华 飞 鑫 波 斌 宇 浩 凯 健 俊 帆 帅 旭 宁 龙 林 "
        "子轩 浩然 宇航 俊杰 志强 文博 天佑 思远 明哲 嘉懿 昊天 瑞霖 博文 睿渊 弘文 晟睿 烨磊")
        .split(u' ');
const QStringList kFemaleGiven =
    QStringLiteral("芳 娜 敏 静 丽 艳 娟 霞 燕 玲 婷 雪 琳 晶 颖 倩 洁 莉 萍 红 "
                   "欣怡 梓涵 诗涵 雨桐 可馨 佳琪 梦洁 思琪 雅静 晓彤 婉婷 语嫣 若曦 紫萱 嘉怡")
        .split(u' ');
const QStringList kGrades = {QStringLiteral("优秀"), QStringLiteral("良好"),
                             QStringLiteral("良好"), QStringLiteral("合格"),
                             QStringLiteral("合格"), QStringLiteral("合格")};

constexpr std::array<int, 17> kWeights{7, 9, 10, 5, 8, 4, 2, 1, 6, 3, 7, 9, 10, 5, 8, 4, 2};

QString twoDigits(int value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

} // namespace

GraduateGenerator::GraduateGenerator(quint32 seed)
    : m_random(seed)
{}

QStringList GraduateGenerator::columnNames()
{
    return QStringLiteral("StudID CardID Name Sex HuJi Province City Birth BirthYear BirthMonth "
                          "BirthDay StartYear StartMonth EndYear EndMonth ZhengZhi YuWen YingYu "
                          "ShuXue WuLi HuaXue ShengWu LiShi DiLi TiYu DeYu Other SchoolName "
                          "SchoolAddress ThisYear ThisMonth ThisDay")
        .split(u' ');
}

QChar GraduateGenerator::identityCheckDigit(QStringView first17)
{
    int sum = 0;
    for (int i = 0; i < 17 && i < first17.size(); ++i)
        sum += (first17[i].unicode() - u'0') * kWeights[i];
    return QLatin1Char("10X98765432"[sum % 11]);
}

QString GraduateGenerator::pick(const QStringList &choices)
{
    return choices[m_random.bounded(static_cast<int>(choices.size()))];
}

QStringList GraduateGenerator::next()
{
    ++m_sequence;
    const Region &region = kRegions[m_random.bounded(static_cast<int>(kRegions.size()))];
    const bool male = m_random.bounded(2) == 0;
    const int endYear = between(2003, 2008);
    const QDate birth = QDate(endYear - 18, 1, 1).addDays(between(0, 364));
    const int startYear = endYear - 3;

    // The 17th digit is odd for men and even for women.
    const int order = between(0, 49) * 2 + (male ? 1 : 0);
    const QString first17 =
        QString::fromLatin1(region.code) + birth.toString(u"yyyyMMdd") +
        QStringLiteral("%1").arg(between(0, 9) * 100 + order, 3, 10, QLatin1Char('0'));
    const QString cardId = first17 + identityCheckDigit(first17);

    const QDate issued(endYear, 7, between(1, 10));
    QStringList values;
    values.reserve(32);
    values << QStringLiteral("%1%2").arg(endYear).arg(m_sequence, 5, 10, QLatin1Char('0')) << cardId
           << pick(kSurnames) + pick(male ? kMaleGiven : kFemaleGiven)
           << (male ? QStringLiteral("男") : QStringLiteral("女"))
           << QString::fromUtf8(region.province) + QString::fromUtf8(region.city)
           << nameOnForm(region.province) << nameOnForm(region.city)
           << birth.toString(u"yyyy-MM-dd") << QString::number(birth.year())
           << twoDigits(birth.month()) << twoDigits(birth.day()) << QString::number(startYear)
           << QStringLiteral("09") << QString::number(endYear) << QStringLiteral("07");
    for (int subject = 0; subject < 11; ++subject)
        values << pick(kGrades);
    values << QString() << QString::fromUtf8(region.school) << QString::fromUtf8(region.address)
           << QString::number(issued.year()) << twoDigits(issued.month())
           << twoDigits(issued.day());
    return values;
}

} // namespace tovren::demo
