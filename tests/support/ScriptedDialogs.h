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
        QStringList answers = {}; ///< the answers offered, for a choose() question
    };

    QList<Message> messages;
    QList<int> answers;    ///< taken front first; mrOk/mrYes-less boxes answer mrOk when empty
    QStringList fileNames; ///< answers to file dialogs, front first; empty means cancelled
    QList<int> choices;    ///< indexes answering choose(), front first; empty means cancelled
    QList<int> fileTypes;  ///< types chosen in save dialogs, front first; else the name's type
    QStringList folders;   ///< answers to folder dialogs, front first; empty means cancelled

    int messageBox(const QString &text, const QString &caption, int flags) override
    {
        messages.append({text, caption, flags});
        if (!answers.isEmpty())
            return answers.takeFirst();
        return platform::mrOk;
    }
    int choose(const QString &text, const QString &caption, const QStringList &offered) override
    {
        messages.append({text, caption, platform::mb_IconQuestion, offered});
        return choices.isEmpty() ? -1 : choices.takeFirst();
    }
    QString openFileName(const QString &, const QString &) override { return nextFile(); }
    QString saveFileName(const QString &, const QString &, const QString &) override
    {
        return nextFile();
    }
    platform::FileChoice chooseFileToSave(const QString &, const QString &filters, const QString &,
                                          int) override
    {
        const QString name = nextFile();
        return {name, fileTypes.isEmpty() ? platform::matchingFilterIndex(filters, name)
                                          : fileTypes.takeFirst()};
    }
    QString chooseFolder(const QString &, const QString &) override
    {
        return folders.isEmpty() ? QString() : folders.takeFirst();
    }

private:
    QString nextFile() { return fileNames.isEmpty() ? QString() : fileNames.takeFirst(); }
};

} // namespace tovren::test
