#include "app/certificate/SavedCertificate.h"
#include "app/cli/Arguments.h"
#include "app/cli/Commands.h"
#include "app/cli/StoreArgument.h"

namespace tovren::cli {

namespace {

int runTemplateRestore(const QStringList &words, CommandIo &io)
{
    const Arguments arguments(words, {QStringLiteral("database")}, {});
    if (!arguments.positional().isEmpty())
        throw UsageError(QStringLiteral("多余的参数: %1").arg(arguments.positional().join(u' ')));
    const db::ConnectionSpec store = existingStore(arguments.value(QStringLiteral("database")));
    const app::SavedCertificate saved(store.sqlitePath());
    if (!saved.exists()) {
        io.out << QStringLiteral("没有保存的证书模板 (%1), 已在使用内置的模板\n").arg(saved.path());
        return 0;
    }
    QString error;
    if (!saved.restoreBuiltIn(&error)) {
        io.err << QStringLiteral("错误: ") << error << '\n';
        return 1;
    }
    io.out
        << QStringLiteral("下次启动使用内置的证书模板; 保存的模板留作 %1.bak\n").arg(saved.path());
    return 0;
}

} // namespace

Command templateRestoreCommand()
{
    return {
        QStringLiteral("template-restore"),
        QStringLiteral("恢复内置的证书模板 (保存的 证书.qxf 留作备份)"),
        QStringLiteral("用法: tovren template-restore [--database CONN]\n"
                       "在设计器中保存的证书模板 (数据库旁的 证书.qxf) 改名为 证书.qxf.bak,\n"
                       "程序下次启动时使用内置的证书模板。\n"),
        runTemplateRestore,
    };
}

} // namespace tovren::cli
