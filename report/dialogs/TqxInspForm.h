#pragma once

#include "report/dialogs/InspectorRow.h"
#include "report/model/ColorRef.h"

#include <QHash>
#include <QWidget>
#include <functional>
#include <optional>
#include <vector>

class QComboBox;
class QLineEdit;
class QScrollArea;
class QToolButton;

namespace tovren::dialogs {

class RollUpCaption;
class TqxPopupListBox;

/// The object inspector ("对象查看器"): a floating list of properties, the name on the left
/// and the value on the right, with one edit box that moves to the selected row, a "..." button
/// for rows with an editor and a drop-down for booleans, colours and enumerations.
///
/// It is a passive list. Its owner clears it, adds the rows of the current selection and is
/// called back when a value is committed (it then writes the value and fills the list again),
/// when another object is chosen in the object box and when the window rolls up or down.
/// Committing keeps the selected row; a refill keeps the selected property where the new list
/// has it.
class TqxInspForm : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kDefaultSplitPixels = 75;
    static constexpr int kMinSplitPixels = 5;
    static constexpr int kButtonPixels = 14;
    static constexpr int kMaxDropDownLines = 8;

    using ColorDialog = std::function<std::optional<model::ColorRef>(model::ColorRef)>;

    /// A tool window of @p owner, staying above it.
    explicit TqxInspForm(QWidget *owner);
    ~TqxInspForm() override;

    void ClearList();
    /// Appends a row; its value is stored as the row's kind shows it.
    void AddRow(InspectorRow row);
    /// Lays the rows out and selects the remembered property again, or the first row.
    void ListFilled();
    /// The row's text read by its kind; nothing when it does not convert.
    std::optional<script::Variant> RowValue(int row) const;
    void SelectRow(int index);
    /// Stores @p text in the selected row and reports it to the owner.
    void CommitText(const QString &text);
    /// Shows the window, unrolling it if it is rolled up.
    void ShowAndUnroll();

    int rowCount() const { return int(m_rows.size()); }
    const InspectorRow &row(int index) const { return m_rows.at(size_t(index)); }
    int selectedRow() const { return m_selectedRow; }
    /// The label a row shows: its alias when localized names are on and it has one.
    QString rowLabel(int index) const;
    int lineHeightPixels() const { return m_lineHeight; }

    /// The object (or page) the rows belong to when exactly one is shown; empty otherwise.
    void setShownObject(const QString &name, const QString &className);
    QString shownObjectName() const { return m_shownName; }
    /// While suppressed no rows show and nothing can be edited (the designer previews).
    void setListSuppressed(bool suppressed);
    bool listSuppressed() const { return m_suppressed; }
    int splitPos() const { return m_splitPos; }
    void setSplitPos(int pixels);
    void setLocalizedNames(bool localized);
    void setColorDialog(ColorDialog dialog) { m_colorDialog = std::move(dialog); }

    bool isRolledUp() const;
    /// What double-clicking the caption does: roll up, or unroll to the height at creation.
    void toggleRollUp();

    // What a double click on the value and the drop-down button do.
    void doubleClickValue();
    void toggleDropDown();
    void runEditor();

    QLineEdit *valueEdit() const { return m_edit; }
    QToolButton *editorButton() const { return m_editButton; }
    QToolButton *dropDownButton() const { return m_comboButton; }
    TqxPopupListBox *dropDownList() const { return m_popup; }
    QComboBox *objectBox() const;

    // The owner's side.
    std::function<void(int row)> PropertyChangedHook;
    std::function<void()> HeightChangedHook;
    std::function<void(const QString &name)> ObjectChosenHook;
    std::function<QStringList()> ObjectListHook;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    class ObjectBox;
    class RowsPanel;
    friend class RowsPanel;

    void buildAliases();
    void layOutRows();
    void placeEditingControls();
    bool handleEditKey(int key);
    void commitFromEdit(const QString &text);
    void chooseDropDownEntry(int entry);
    void refillObjectBox();

    std::vector<InspectorRow> m_rows;
    int m_selectedRow = -1;
    int m_lineHeight = 16;
    int m_splitPos = kDefaultSplitPixels;
    QString m_rememberedProperty;
    QString m_shownName;
    QString m_shownClass;
    bool m_suppressed = false;
    bool m_refilling = false;
    bool m_applying = false;
    bool m_localizedNames = false;
    qint64 m_lastRowClickMs = -1;
    QHash<QString, QString> m_aliases;
    ColorDialog m_colorDialog;

    RollUpCaption *m_caption;
    ObjectBox *m_objectBox;
    QScrollArea *m_box;
    RowsPanel *m_panel;
    QLineEdit *m_edit;
    QToolButton *m_editButton;
    QToolButton *m_comboButton;
    TqxPopupListBox *m_popup;
};

} // namespace tovren::dialogs
