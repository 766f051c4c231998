#include "report/dialogs/ReportOptions.h"

#include "report/dialogs/PasswordConfirmation.h"
#include "report/dialogs/TqxDocOptForm.h"
#include "report/engine/ComponentLookup.h"
#include "report/engine/TqxReport.h"

#include <QListWidget>
#include <QStringList>
#include <gtest/gtest.h>

namespace tovren::dialogs {
namespace {

/// Answers the password questions from a list, front first; an empty answer list cancels.
struct ScriptedPrompts
{
    QList<std::optional<QString>> answers;
    QStringList asked;

    PasswordConfirmation confirmation()
    {
        return PasswordConfirmation([this](const QString &prompt) -> std::optional<QString> {
            asked << prompt;
            return answers.isEmpty() ? std::nullopt : answers.takeFirst();
        });
    }
};

model::ReportInfo unprotected()
{
    model::ReportInfo info;
    info.password = QStringLiteral("stale");
    return info;
}

TEST(PasswordConfirmationTest, ProtectionNeedsTwoEqualEntries)
{
    ScriptedPrompts prompts;
    prompts.answers = {QStringLiteral("毕业2024"), QStringLiteral("毕业2024")};
    model::ReportInfo info = unprotected();
    EXPECT_TRUE(prompts.confirmation().apply(info, true));
    EXPECT_TRUE(info.passwordProtected);
    EXPECT_EQ(info.password, QStringLiteral("毕业2024"));
    EXPECT_EQ(prompts.asked, QStringList({PasswordConfirmation::firstPrompt(),
                                          PasswordConfirmation::retypePrompt()}));
    EXPECT_NE(PasswordConfirmation::firstPrompt(), PasswordConfirmation::retypePrompt());

    // Already protected: nothing is asked and the password stays.
    prompts.asked.clear();
    EXPECT_TRUE(prompts.confirmation().apply(info, true));
    EXPECT_TRUE(prompts.asked.isEmpty());
    EXPECT_EQ(info.password, QStringLiteral("毕业2024"));

    // Unchecking removes protection and password.
    EXPECT_FALSE(prompts.confirmation().apply(info, false));
    EXPECT_FALSE(info.passwordProtected);
    EXPECT_TRUE(info.password.isEmpty());
}

TEST(PasswordConfirmationTest, CancelOrADifferentRetypeLeavesTheReportUnprotected)
{
    const QList<QList<std::optional<QString>>> failures = {
        {},                                             // first entry cancelled
        {QStringLiteral("abc")},                        // retype cancelled
        {QStringLiteral("abc"), QStringLiteral("abd")}, // entries differ
    };
    for (const auto &answers : failures) {
        ScriptedPrompts prompts;
        prompts.answers = answers;
        model::ReportInfo info = unprotected();
        EXPECT_FALSE(prompts.confirmation().apply(info, true));
        EXPECT_FALSE(info.passwordProtected);
        EXPECT_TRUE(info.password.isEmpty());
        EXPECT_EQ(prompts.asked.size(), answers.isEmpty() ? 1 : 2);
    }
}

TEST(ReportOptionsTest, TheDialogShowsAndWritesBackTheReportsOptions)
{
    engine::TqxComponentRegistry registry;
    engine::TqxReport report(QStringLiteral("qxReport1"), nullptr, registry);
    report.UseDefaultPrinter = true;
    report.TwoPass = true;
    report.PrinterName = QStringLiteral("Hall");
    report.Info.comment = QStringLiteral("第一行\r\n第二行");
    report.Info.author = QStringLiteral("教务处");
    report.Info.versionBuild = QStringLiteral("7");
    report.Info.createdAt = model::toStoredDateTime(QDateTime(QDate(2024, 6, 30), QTime(9, 5)));

    TqxDocOptForm form(
        {QStringLiteral("Office"), QStringLiteral("Hall"), QString::fromUtf8("虚拟打印机")}, 0);
    form.setOptions(ReportOptions::fromReport(report));
    EXPECT_EQ(form.findChild<QListWidget *>(QStringLiteral("LB1"))->currentRow(), 1)
        << "the report's printer, not the active one";
    ReportOptions shown = form.options();
    EXPECT_FALSE(shown.choosePrinterOnLoad);
    EXPECT_EQ(shown.comment, QStringLiteral("第一行\n第二行"));
    EXPECT_EQ(shown.createdText, QStringLiteral("2024-06-30 09:05:00"));

    shown.choosePrinterOnLoad = true;
    shown.twoPass = false;
    shown.comment += QStringLiteral("\n第三行");
    shown.versionMajor = QStringLiteral("2");
    ScriptedPrompts prompts;
    shown.applyTo(report, prompts.confirmation());
    EXPECT_FALSE(report.UseDefaultPrinter);
    EXPECT_FALSE(report.TwoPass);
    EXPECT_EQ(report.PrinterName, QStringLiteral("Hall"));
    EXPECT_EQ(report.Info.comment, QStringLiteral("第一行\r\n第二行\r\n第三行"));
    EXPECT_EQ(report.Info.author, QStringLiteral("教务处"));
    EXPECT_EQ(report.Info.versionMajor, QStringLiteral("2"));
    EXPECT_EQ(report.Info.versionBuild, QStringLiteral("7"));
    EXPECT_TRUE(prompts.asked.isEmpty()) << "protection was not asked for";
}

} // namespace
} // namespace tovren::dialogs
