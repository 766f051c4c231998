#pragma once

#include <QWidget>
#include <functional>

class QListWidget;
class QSplitter;

namespace tovren::engine {
class TqxReport;
}
namespace tovren::platform {
class SettingsStore;
}

namespace tovren::dialogs {

class RollUpCaption;

/// The floating field list: the data sets above, the selected one's fields below. A field
/// dragged from it onto the page becomes a text object showing the field, such as
/// [Table1."Name"].
///
/// The window remembers its place and the height of the data set list; the data set last
/// selected is kept by the caller (@p lastSource), so it is selected again when the list is
/// opened anew in the same designer.
///
/// Like the inspector it rolls up to its caption on a double click and unrolls again; its owner
/// hears of every change of height through HeightChangedHook.
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
    /// Gives a rolled-up window its height back and tells the owner.
    void Unroll();

    bool isRolledUp() const;
    /// What double-clicking the caption does: roll up, or unroll to the expanded height.
    void toggleRollUp();
    int expandedHeightPixels() const;

    QListWidget &dataSets() const { return *m_dataSets; }
    QListWidget &fields() const { return *m_fields; }

    /// Called after the window rolled up or unrolled, and after the clerk changed its height.
    std::function<void()> HeightChangedHook;

signals:
    void hidden();

protected:
    void hideEvent(QHideEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void fillFields();

    const engine::TqxReport &m_report;
    QString &m_lastSource;
    platform::SettingsStore *m_settings;
    RollUpCaption *m_caption;
    QSplitter *m_splitter;
    QListWidget *m_dataSets;
    QListWidget *m_fields;
};

} // namespace tovren::dialogs
