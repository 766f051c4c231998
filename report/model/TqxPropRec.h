#pragma once

#include "report/script/Variant.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace tovren::model {

/// How the inspector shows a named property; kind 0 reaches scripts only.
enum PropKind : quint16 {
    pkText = 1,
    pkInteger = 2,
    pkFraction = 4,
    pkBoolean = 8,
    pkColor = 16,
    pkEnumeration = 32,
    pkHasEditor = 64,
    pkSize = 128,
    pkSingleSelection = 256,
};

/// One named property of an object as the inspector lists it.
struct TqxPropRec
{
    static constexpr int kMaxNameLength = 32;

    QString PropName;
    quint16 PropKind = 0;
    QStringList EnumNames;
    std::vector<script::Variant> EnumCodes;
    /// Opens the property's editor dialog (kind 64); set by the designer.
    std::function<void()> EditorProc;
};

} // namespace tovren::model
