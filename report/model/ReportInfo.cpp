#include "report/model/ReportInfo.h"

#include "report/model/RecordStream.h"
#include "report/platform/TextCodec.h"

#include <QtEndian>
#include <cctype>
#include <cmath>
#include <cstring>

namespace tovren::model {

namespace {

constexpr qint64 kMillisecondsPerDay = 86'400'000;

const QDateTime &storedDateEpoch()
{
    static const QDateTime epoch(QDate(1899, 12, 30), QTime(0, 0));
    return epoch;
}

QString readRawStr(RecordReader &reader)
{
    const quint16 length = reader.readWord();
    return platform::decode8Bit(reader.readBytes(length));
}

void writeRawStr(RecordWriter &writer, const QByteArray &bytes)
{
    const QByteArray stored = bytes.left(0xFFFF);
    writer.writeWord(static_cast<quint16>(stored.size()));
    writer.writeBytes(stored);
}

double readDouble(RecordReader &reader)
{
    const quint64 bits = qFromLittleEndian<quint64>(reader.readBytes(8).constData());
    double value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

void writeDouble(RecordWriter &writer, double value)
{
    quint64 bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    const quint64 le = qToLittleEndian(bits);
    writer.writeBytes(QByteArray(reinterpret_cast<const char *>(&le), sizeof le));
}

bool isHexText(const QByteArray &text)
{
    if (text.size() % 2 != 0)
        return false;
    for (const char c : text) {
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            return false;
    }
    return true;
}

} // namespace

void ReportInfo::reset(double now)
{
    *this = ReportInfo();
    createdAt = now;
    changedAt = now;
}

ReportInfo ReportInfo::read(RecordReader &reader)
{
    ReportInfo info;
    info.comment = readRawStr(reader);
    info.name = readRawStr(reader);
    info.author = readRawStr(reader);
    info.versionMajor = readRawStr(reader);
    info.versionMinor = readRawStr(reader);
    info.versionRelease = readRawStr(reader);
    info.versionBuild = readRawStr(reader);
    const QByteArray hex = reader.readBytes(reader.readWord());
    if (!isHexText(hex))
        throw ERecordFormat("报表密码不是十六进制文本");
    info.password = platform::decode8Bit(QByteArray::fromHex(hex));
    info.generatorVersion = reader.readByte();
    info.passwordProtected = reader.readByte() != 0;
    info.createdAt = readDouble(reader);
    info.changedAt = readDouble(reader);
    return info;
}

void ReportInfo::write(RecordWriter &writer) const
{
    for (const QString *text :
         {&comment, &name, &author, &versionMajor, &versionMinor, &versionRelease, &versionBuild})
        writeRawStr(writer, platform::encode8Bit(*text));
    // Hex doubles the length, so only passwords up to half a word's range fit whole.
    writeRawStr(writer, platform::encode8Bit(password).left(0x7FFF).toHex().toUpper());
    writer.writeByte(kGeneratorVersion);
    writer.writeByte(passwordProtected ? 1 : 0);
    writeDouble(writer, createdAt);
    writeDouble(writer, changedAt);
}

double toStoredDateTime(const QDateTime &time)
{
    return storedDateEpoch().msecsTo(time) / double(kMillisecondsPerDay);
}

QDateTime fromStoredDateTime(double days)
{
    // Far outside any real date: llround would overflow.
    if (!std::isfinite(days) || std::abs(days) > 3.0e6)
        return storedDateEpoch();
    return storedDateEpoch().addMSecs(std::llround(days * kMillisecondsPerDay));
}

} // namespace tovren::model
