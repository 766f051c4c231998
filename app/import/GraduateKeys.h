#pragma once

#include <QHash>
#include <QString>
#include <optional>

namespace tovren::db {
class TDbConnection;
}

namespace tovren::import {

/// The records of a table known by the numbers that identify a graduate: the student number
/// (StudID) and the identity card number (CardID).
///
/// Numbers are compared without surrounding spaces, and a card number ignoring the case of its
/// check letter; an empty number identifies nobody. Where several records share a number, the
/// first one read stands for them.
class GraduateKeys
{
public:
    GraduateKeys() = default;

    /// Reads the key and both numbers of every row of @p table (the columns it lacks are left out).
    static GraduateKeys read(db::TDbConnection &connection, const QString &table);

    /// The record with the same student number, else the one with the same card number.
    std::optional<qlonglong> find(const QString &studentNumber, const QString &cardNumber) const;
    void add(qlonglong key, const QString &studentNumber, const QString &cardNumber);

private:
    QHash<QString, qlonglong> m_byStudentNumber;
    QHash<QString, qlonglong> m_byCardNumber;
};

} // namespace tovren::import
