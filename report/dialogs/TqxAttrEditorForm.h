#pragma once

#include <QDialog>
#include <functional>
#include <optional>

namespace tovren::dialogs {

class TqxComboEdit;

/// The additional attributes dialog ("对象tag"): the free text an object carries as its tag.
/// Its button inserts a built expression at the caret, so a tag can hold several.
class TqxAttrEditorForm : public QDialog
{
    Q_OBJECT
public:
    /// The expression builder, starting empty; nothing when cancelled.
    using ExpressionBuilder = std::function<std::optional<QString>()>;

    explicit TqxAttrEditorForm(QWidget *parent = nullptr);

    void setExpressionBuilder(ExpressionBuilder builder);
    void setTag(const QString &tag);
    QString tag() const;
    TqxComboEdit *tagEdit() const { return m_tag; }

private:
    ExpressionBuilder m_expressionBuilder;
    TqxComboEdit *m_tag;
};

} // namespace tovren::dialogs
