#pragma once

#include <QWidget>

class QListWidget;
class QSplitter;

namespace tovren::engine {
class TqxReport;
}
namespace tovren::platform {
class SettingsStore;
}

namespace tovren::dialogs {

/// The floating field list: the data sets above, the selected one's fields below. A field
/// dragged from it onto the page becomes a text object showing the field, such as
/// [Table1."Name"].
///
/// The window remembers its place and the height of the data set list; the data set last
/// selected is kept by the caller (@p lastSource), so it is selected again when the list is
/// opened anew in the same designer.
class TqxInsFieldsForm : public QWidget
{
    Q_OBJECT
public:
    static QString className() { return QStringLiteral("TqxInsFieldsForm"); }
    /// The reference to @p field of @p source an expression uses: Table1."Name".
    static QString fieldReference(const QString &source, const QString &field);

    /// @p report, @p lastSource and @p settings (may be none) must outlive the window.
    TqxInsFieldsForm(const engine::TqxReport &report, QString &lastSource,
                     platform::SettingsStore *settings, QWidget *owner);

    /// Refills both lists, keeping the selected data set.
    void RefreshFieldList();
    /// The selected field's reference, or an empty text when no field is selected; also
    /// remembers the selected data set.
    QString CurrentFieldRef();

    QListWidget &dataSets() const { return *m_dataSets; }
    QListWidget &fields() const { return *m_fields; }

signals:
    void hidden();

protected:
    void hideEvent(QHideEvent *event) override;

private:
    void fillFields();

    const engine::TqxReport &m_report;
    QString &m_lastSource;
    platform::SettingsStore *m_settings;
    QSplitter *m_splitter;
    QListWidget *m_dataSets;
    QListWidget *m_fields;
};

} // namespace tovren::dialogs
