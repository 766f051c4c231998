#pragma once

#include <QLabel>
#include <QString>
#include <utility>

class QBoxLayout;
class QDialog;
class QPushButton;

// The small pieces every dialog of the library is built from.
namespace tovren::dialogs {

/// A new widget named as the stored window names it, so tests and the inspector find it.
template<typename Widget, typename... Args>
Widget *named(const char *objectName, Args &&...args)
{
    auto *widget = new Widget(std::forward<Args>(args)...);
    widget->setObjectName(QLatin1String(objectName));
    return widget;
}

/// A caption whose accelerator moves the focus to @p buddy.
inline QLabel *buddyLabel(const QString &caption, QWidget *buddy, const char *objectName)
{
    auto *label = named<QLabel>(objectName, caption);
    label->setBuddy(buddy);
    return label;
}

/// The two buttons that close the library's dialogs.
struct OkCancelButtons
{
    QPushButton *ok = nullptr;
    QPushButton *cancel = nullptr;
};

/// Appends a row to @p layout with OK ("确认", the default button, accepting @p dialog) and
/// Cancel ("取消", rejecting it, as Escape does), right-aligned; the dialog owns both.
OkCancelButtons addOkCancelButtons(QDialog &dialog, QBoxLayout &layout);

/// Keeps @p dialog at the size its layout asks for: the person cannot resize it, and texts
/// longer than expected (another font, a changed caption) grow it instead of being cut.
void fixDialogSize(QDialog &dialog);

/// The error caption of the library's message boxes ("错误").
QString errorCaption();

} // namespace tovren::dialogs
