#include "app/ui/QtDialogProvider.h"

#include "app/ui/FileDialogColumns.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace tovren::app {

using namespace tovren::platform;

int QtDialogProvider::messageBox(const QString &text, const QString &caption, int flags)
{
    QMessageBox box(m_parent);
    box.setWindowTitle(caption);
    box.setText(text);
    switch (flags & kMessageBoxIconMask) {
    case mb_IconError:
        box.setIcon(QMessageBox::Critical);
        break;
    case mb_IconQuestion:
        box.setIcon(QMessageBox::Question);
        break;
    case mb_IconWarning:
        box.setIcon(QMessageBox::Warning);
        break;
    case mb_IconInformation:
        box.setIcon(QMessageBox::Information);
        break;
    default:
        break;
    }
    struct Choice
    {
        QString text;
        int result;
        QMessageBox::ButtonRole role;
    };
    const Choice ok{QStringLiteral("确定"), mrOk, QMessageBox::AcceptRole};
    const Choice cancel{QStringLiteral("取消"), mrCancel, QMessageBox::RejectRole};
    const Choice yes{QStringLiteral("是"), mrYes, QMessageBox::YesRole};
    const Choice no{QStringLiteral("否"), mrNo, QMessageBox::NoRole};
    QList<Choice> choices;
    switch (flags & kMessageBoxButtonMask) {
    case mb_OkCancel:
        choices = {ok, cancel};
        break;
    case mb_YesNoCancel:
        choices = {yes, no, cancel};
        break;
    case mb_YesNo:
        choices = {yes, no};
        break;
    default:
        choices = {ok};
        break;
    }
    QHash<QAbstractButton *, int> results;
    for (const Choice &choice : choices)
        results.insert(static_cast<QAbstractButton *>(box.addButton(choice.text, choice.role)),
                       choice.result);
    box.exec();
    return results.value(box.clickedButton(), choices.size() == 1 ? mrOk : mrCancel);
}

namespace {

/// The toolkit's own file dialog, with the size column in Chinese units.
FileChoice runFileDialog(QWidget *parent, const QString &caption, const QString &filter,
                         const QString &suggestedName, QFileDialog::AcceptMode mode,
                         int filterIndex = 0)
{
    QFileDialog dialog(parent, caption, suggestedName, filter);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setProxyModel(new FileDialogColumns(&dialog));
    const QStringList types = filter.split(QStringLiteral(";;"));
    if (filterIndex > 0 && filterIndex < types.size())
        dialog.selectNameFilter(types[filterIndex]);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return {dialog.selectedFiles().constFirst(),
            std::max(0, int(types.indexOf(dialog.selectedNameFilter())))};
}

} // namespace

int QtDialogProvider::choose(const QString &text, const QString &caption,
                             const QStringList &answers)
{
    QMessageBox box(m_parent);
    box.setWindowTitle(caption);
    box.setText(text);
    box.setIcon(QMessageBox::Question);
    QList<QAbstractButton *> buttons;
    for (const QString &answer : answers)
        buttons << box.addButton(answer, QMessageBox::ActionRole);
    QAbstractButton *cancel = box.addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
    box.setEscapeButton(cancel);
    if (!buttons.isEmpty())
        box.setDefaultButton(static_cast<QPushButton *>(buttons.first()));
    box.exec();
    return int(buttons.indexOf(box.clickedButton()));
}

QString QtDialogProvider::openFileName(const QString &caption, const QString &filter)
{
    return runFileDialog(m_parent, caption, filter, QString(), QFileDialog::AcceptOpen).fileName;
}

QString QtDialogProvider::saveFileName(const QString &caption, const QString &filter,
                                       const QString &suggestedName)
{
    return runFileDialog(m_parent, caption, filter, suggestedName, QFileDialog::AcceptSave)
        .fileName;
}

FileChoice QtDialogProvider::chooseFileToOpen(const QString &caption, const QString &filters)
{
    return runFileDialog(m_parent, caption, filters, QString(), QFileDialog::AcceptOpen);
}

FileChoice QtDialogProvider::chooseFileToSave(const QString &caption, const QString &filters,
                                              const QString &suggestedName, int filterIndex)
{
    return runFileDialog(m_parent, caption, filters, suggestedName, QFileDialog::AcceptSave,
                         filterIndex);
}

QString QtDialogProvider::chooseFolder(const QString &caption, const QString &initialFolder)
{
    QFileDialog dialog(m_parent, caption, initialFolder);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

std::optional<QString> QtDialogProvider::inputText(const QString &caption, const QString &label,
                                                   const QString &initial)
{
    QInputDialog dialog(m_parent);
    dialog.setWindowTitle(caption);
    dialog.setLabelText(label);
    dialog.setTextValue(initial);
    dialog.setOkButtonText(QStringLiteral("确定"));
    dialog.setCancelButtonText(QStringLiteral("取消"));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

} // namespace tovren::app
