#pragma once

#include <QStringList>

namespace tovren::dialogs {

/// What the insert-fields dialog gives back: the data set and fields as listed (by their
/// aliases), and how to lay them out.
struct InsertFieldsChoice
{
    QString dataSet;
    QStringList fields;
    bool horizontal = true;
    bool headers = true;
    bool bands = true;
};

} // namespace tovren::dialogs
