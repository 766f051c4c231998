#pragma once

#include "app/certificate/CertificateTemplate.h"
#include "app/db/ConnectionSpec.h"
#include "app/db/DbConnection.h"
#include "app/db/DbQuery.h"
#include "app/demo/DemoDataWriter.h"
#include "app/reportbridge/MainFormComponents.h"
#include "report/engine/ComponentLookup.h"
#include "report/engine/TqxReport.h"
#include "report/model/ReportFormData.h"
#include "report/output/TqxPrinter.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <memory>

namespace tovren::bench {

/// A demo store of graduates with the built-in certificate report over its browse query, as
/// the main window's print command sets it up.
struct CertificateRig
{
    explicit CertificateRig(int graduates)
    {
        demo::writeDemoGraduates(connection, graduates, 7);
        connection.open();
        query = std::make_unique<db::TDbQuery>(connection);
        query->setSql(QStringLiteral("Select * from info"));
        query->open();
        components = std::make_unique<app::MainFormComponents>(*query, registry);
        printer.initialize(nullptr);
        report = std::make_unique<engine::TqxReport>(QStringLiteral("qxReport1"),
                                                     &components->form(), registry, &printer);
        report->ShowProgress = false;
        QBuffer stream;
        stream.setData(*model::readReportFormData(app::certificateReportForm(), true));
        stream.open(QIODevice::ReadOnly);
        report->ReadTemplate(stream);
    }

    QTemporaryDir dir;
    db::TDbConnection connection{
        db::ConnectionSpec::parse(dir.filePath(QStringLiteral("bench.db")))};
    std::unique_ptr<db::TDbQuery> query;
    engine::TqxComponentRegistry registry;
    std::unique_ptr<app::MainFormComponents> components;
    output::TqxPrinter printer;
    std::unique_ptr<engine::TqxReport> report;
};

} // namespace tovren::bench
