#pragma once

#include "report/platform/DialogProvider.h"

#include <QPointer>
#include <QWidget>

namespace tovren::app {

/// Answers the program's questions with real Qt dialogs, owned by the given window.
class QtDialogProvider : public platform::DialogProvider
{
public:
    void setParentWindow(QWidget *window) { m_parent = window; }

    int messageBox(const QString &text, const QString &caption, int flags) override;
    QString openFileName(const QString &caption, const QString &filter) override;
    QString saveFileName(const QString &caption, const QString &filter,
                         const QString &suggestedName) override;
    platform::FileChoice chooseFileToOpen(const QString &caption, const QString &filters) override;
    platform::FileChoice chooseFileToSave(const QString &caption, const QString &filters,
                                          const QString &suggestedName, int filterIndex) override;
    QString chooseFolder(const QString &caption, const QString &initialFolder) override;
    std::optional<QString> inputText(const QString &caption, const QString &label,
                                     const QString &initial) override;
    int choose(const QString &text, const QString &caption, const QStringList &answers) override;

private:
    QPointer<QWidget> m_parent;
};

} // namespace tovren::app
