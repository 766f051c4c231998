#include "app/reportbridge/MainFormComponents.h"

#include "app/reportbridge/DbQueryRecordSet.h"
#include "report/engine/ComponentLookup.h"
#include "report/engine/TqxDBDataSet.h"

namespace tovren::app {

MainFormComponents::MainFormComponents(db::TDbQuery &query, engine::TqxComponentRegistry &registry)
    : m_registry(registry)
    , m_form(QStringLiteral("Form1"))
    , m_aqy(new DbQueryRecordSet(query, QStringLiteral("Aqy"), &m_form))
    , m_dataSource(new engine::TqxDataSource(QStringLiteral("DataSource1"), &m_form))
    , m_reportDataSet(new engine::TqxDBDataSet(QStringLiteral("qxDBDataSet1"), &m_form))
{
    m_dataSource->setDataSet(m_aqy);
    m_reportDataSet->setDataSource(m_dataSource);
    m_registry.registerForm(m_form);
}

MainFormComponents::~MainFormComponents()
{
    m_registry.unregisterForm(m_form);
}

} // namespace tovren::app
