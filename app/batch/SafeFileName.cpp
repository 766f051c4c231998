#include "app/batch/SafeFileName.h"

#include <QRegularExpression>

namespace tovren::app {

namespace {

// Long enough for an identity number and a full name; well inside every file system's limit
// once the folder and a clash number are added.
constexpr qsizetype kMaxNameChars = 120;

bool forbiddenInFileName(QChar c)
{
    static const QString forbidden = QStringLiteral("\\/:*?\"<>|");
    return c.unicode() < 0x20 || c.unicode() == 0x7f || forbidden.contains(c);
}

bool isReservedDeviceName(const QString &name)
{
    static const QRegularExpression reserved(
        QStringLiteral("^(CON|PRN|AUX|NUL|COM[1-9]|LPT[1-9])(\\..*)?$"),
        QRegularExpression::CaseInsensitiveOption);
    return reserved.match(name).hasMatch();
}

} // namespace

QString safeFileName(const QString &text, const QString &fallback)
{
    QString name;
    name.reserve(text.size());
    for (const QChar c : text)
        name.append(forbiddenInFileName(c) ? QChar(u'_') : c);
    // Trailing dots and blanks vanish on some systems, leading ones hide the file.
    while (!name.isEmpty() && (name.back() == u'.' || name.back().isSpace()))
        name.chop(1);
    while (!name.isEmpty() && (name.front() == u'.' || name.front().isSpace()))
        name.remove(0, 1);
    if (name.size() > kMaxNameChars) {
        name.truncate(kMaxNameChars);
        // Never cut a character of the supplementary planes in half.
        if (name.back().isHighSurrogate())
            name.chop(1);
    }
    if (name.isEmpty())
        return fallback;
    if (isReservedDeviceName(name))
        name.prepend(u'_');
    return name;
}

QString UniqueFileNames::claim(const QString &baseName, const QString &suffix)
{
    QString candidate = baseName + suffix;
    for (int number = 2; m_taken.contains(candidate.toLower()); ++number)
        candidate = baseName + u'_' + QString::number(number) + suffix;
    m_taken.insert(candidate.toLower());
    return candidate;
}

} // namespace tovren::app
