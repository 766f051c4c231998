#pragma once

#include <QDateTime>
#include <QString>

namespace tovren::model {

class RecordReader;
class RecordWriter;

/// The descriptive trailer of a template: texts, version numbers, dates and the password.
///
/// Dates are kept as stored, in days since 30 December 1899 with the time as fraction, so a
/// template read and written again keeps its exact creation stamp.
struct ReportInfo
{
    static constexpr quint8 kGeneratorVersion = 88;

    QString comment;
    QString name;
    QString author;
    QString versionMajor;
    QString versionMinor;
    QString versionRelease;
    QString versionBuild;
    QString password;
    quint8 generatorVersion = kGeneratorVersion;
    bool passwordProtected = false;
    double createdAt = 0;
    double changedAt = 0;

    /// Empty texts and password, not protected, both dates @p now.
    void reset(double now);

    /// Raises ERecordFormat for a trailer that ends early or holds a password that is not
    /// hexadecimal text.
    static ReportInfo read(RecordReader &reader);
    /// Writes the generator as 88; the caller sets changedAt first.
    void write(RecordWriter &writer) const;
};

/// Days since 30 December 1899, with the time of day as fraction.
double toStoredDateTime(const QDateTime &time);
QDateTime fromStoredDateTime(double days);

} // namespace tovren::model
