#pragma once

#include "report/engine/TqxComponent.h"

namespace tovren::db {
class TDbQuery;
}

namespace tovren::engine {
class TqxComponentRegistry;
class TqxDataSource;
class TqxDBDataSet;
} // namespace tovren::engine

namespace tovren::app {

class DbQueryRecordSet;

/// The main window's components as reports see them: form Form1 with the browse query Aqy, the
/// data source DataSource1 over it and the report data source qxDBDataSet1 walking DataSource1.
///
/// The form is registered with the registry for as long as this object lives, so templates can
/// name "Aqy", "qxDBDataSet1" or "Form1.Aqy". The query stays the window's; the registry must
/// outlive this object.
class MainFormComponents
{
public:
    MainFormComponents(db::TDbQuery &query, engine::TqxComponentRegistry &registry);
    ~MainFormComponents();
    MainFormComponents(const MainFormComponents &) = delete;
    MainFormComponents &operator=(const MainFormComponents &) = delete;

    engine::TqxComponent &form() { return m_form; }
    DbQueryRecordSet &aqy() { return *m_aqy; }
    engine::TqxDataSource &dataSource() { return *m_dataSource; }
    engine::TqxDBDataSet &reportDataSet() { return *m_reportDataSet; }

private:
    engine::TqxComponentRegistry &m_registry;
    engine::TqxComponent m_form;
    // Owned by m_form, as components are owned by their form.
    DbQueryRecordSet *m_aqy;
    engine::TqxDataSource *m_dataSource;
    engine::TqxDBDataSet *m_reportDataSet;
};

} // namespace tovren::app
