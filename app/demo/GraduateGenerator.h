#pragma once

#include <QDate>
#include <QRandomGenerator>
#include <QString>
#include <QStringList>

namespace tovren::demo {

/// Invents believable graduate records for demonstrations, benchmarks and tests.
///
/// The same seed gives the same records. Identity numbers are 18 digits with a valid check digit
/// whose birth date and sex digit agree with the record's Birth and Sex.
class GraduateGenerator
{
public:
    explicit GraduateGenerator(quint32 seed = 20061);

    /// Column names of one record, in the order next() fills them (every column but the key).
    static QStringList columnNames();
    /// The next record's values, one text per column of columnNames().
    QStringList next();

    /// The check digit of the first 17 digits of an identity number ('0'-'9' or 'X').
    static QChar identityCheckDigit(QStringView first17);

private:
    QString pick(const QStringList &choices);
    int between(int low, int high) { return m_random.bounded(low, high + 1); }

    QRandomGenerator m_random;
    int m_sequence = 0;
};

} // namespace tovren::demo
