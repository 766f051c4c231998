#pragma once

#include "report/platform/DialogProvider.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace tovren::test {

/// Answers dialogs from a queue instead of showing them, and remembers what was asked.
class ScriptedDialogs : public platform::DialogProvider
{
public:
    struct Message
    {
        QString text;
        QString caption;
        int flags;
    };

    QList<Message> messages;
    QList<int> answers;     ///< taken front first; mrOk/mrYes-less boxes answer mrOk when empty
    QStringList fileNames;  ///< answers to file dialogs, front first; empty means cancelled

    int messageBox(const QString &text, const QString &caption, int flags) override
    {
        messages.append({text, caption, flags});
        if (!answers.isEmpty())
            return answers.takeFirst();
        return platform::mrOk;
    }
    QString openFileName(const QString &, const QString &) override { return nextFile(); }
    QString saveFileName(const QString &, const QString &, const QString &) override
    {
        return nextFile();
    }

private:
    QString nextFile() { return fileNames.isEmpty() ? QString() : fileNames.takeFirst(); }
};

} // namespace tovren::test
