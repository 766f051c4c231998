#pragma once

#include <QFont>
#include <QHash>
#include <QString>

namespace tovren::model {

/// Gives bold text a face that has a bold style of its own.
///
/// The Song face of the certificate has no bold style. Screens then thicken its strokes, but
/// printers and PDF get the thin face with a barely visible second pass, so names previewed bold
/// printed regular. Where a face has no bold style, bold text takes the companion face named
/// here, whose CJK characters have the same advance (one em), so lines break where they did.
/// A face without a companion, or whose companion is not installed, keeps its made-up bold.
class BoldFaces
{
public:
    /// @p font itself, or with its family replaced by the bold companion of its face.
    QFont resolve(const QFont &font);

private:
    /// The family bold text of @p family is drawn in; @p family itself when it has a bold
    /// style or no installed companion.
    QString boldFamilyFor(const QString &family) const;

    QHash<QString, QString> m_boldFamilies; // requested family -> family for bold text
};

} // namespace tovren::model
