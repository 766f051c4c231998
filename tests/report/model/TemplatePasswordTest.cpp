#include "report/model/TemplateStream.h"
#include "report/model/TqxLineView.h"
#include "report/model/TqxPages.h"
#include "tests/report/model/StreamTestSupport.h"

#include <QBuffer>
#include <gtest/gtest.h>

namespace tovren::model {
namespace {

using testing::PasswordDialogs;

struct Report
{
    TqxPages pages;
    TemplateSettings settings;
    ReportInfo info;
    PasswordDialogs dialogs;
    TemplateStream stream{pages, settings, info};

    Report() { stream.setDialogs(&dialogs); }

    TemplateReadResult readFile(const QByteArray &bytes)
    {
        QBuffer file;
        file.setData(bytes);
        file.open(QIODevice::ReadOnly);
        return stream.read(file, TemplateOrigin::File);
    }
};

QByteArray protectedTemplate(const QString &password)
{
    Report r;
    TqxPage &page = *r.pages.page(r.pages.Add());
    page.addObject(std::make_unique<TqxLineView>());
    page.addObject(std::make_unique<TqxLineView>());
    r.info.author = QStringLiteral("教务处");
    r.info.password = password;
    r.info.passwordProtected = true;
    return r.stream.toBytes();
}

TEST(TemplatePassword, StoredAsUpperCaseHexOfItsBytes)
{
    const QByteArray bytes = protectedTemplate(QStringLiteral("ab:"));
    EXPECT_TRUE(bytes.contains(QByteArray::fromHex("0600") + "61623A"));
}

TEST(TemplatePassword, RightPasswordOpensAFileTemplate)
{
    Report r;
    r.dialogs.reply = QStringLiteral("Secret密");
    ASSERT_EQ(r.readFile(protectedTemplate(QStringLiteral("Secret密"))),
              TemplateReadResult::Loaded);
    EXPECT_EQ(r.dialogs.prompts, 1);
    EXPECT_EQ(r.pages.page(0)->objectCount(), 2);
    EXPECT_EQ(r.info.author, QStringLiteral("教务处"));
}

TEST(TemplatePassword, WrongCaseOrCancelledPromptEmptiesTheReport)
{
    for (const std::optional<QString> &reply :
         {std::optional<QString>(QStringLiteral("SECRET")), std::optional<QString>()}) {
        Report r;
        r.dialogs.reply = reply;
        ASSERT_EQ(r.readFile(protectedTemplate(QStringLiteral("secret"))),
                  TemplateReadResult::PasswordRefused);
        ASSERT_EQ(r.pages.Count(), 1);
        EXPECT_EQ(r.pages.page(0)->objectCount(), 0);
        EXPECT_FALSE(r.info.passwordProtected);
        EXPECT_TRUE(r.info.password.isEmpty());
        EXPECT_TRUE(r.info.author.isEmpty());
        EXPECT_TRUE(r.dialogs.messages.isEmpty());
    }
}

TEST(TemplatePassword, MemoryStreamsAreNeverAsked)
{
    Report r;
    ASSERT_EQ(r.stream.read(protectedTemplate(QStringLiteral("x"))), TemplateReadResult::Loaded);
    EXPECT_EQ(r.dialogs.prompts, 0);
    EXPECT_TRUE(r.info.passwordProtected);
    EXPECT_EQ(r.info.password, QStringLiteral("x"));
}

TEST(TemplatePassword, NonHexPasswordIsADamagedTemplate)
{
    QByteArray bytes = protectedTemplate(QStringLiteral("ab"));
    bytes.replace("6162", "zz62");
    Report r;
    EXPECT_EQ(r.stream.read(bytes), TemplateReadResult::Damaged);
}

} // namespace
} // namespace tovren::model
