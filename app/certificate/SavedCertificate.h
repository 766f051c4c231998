#pragma once

#include <QString>

namespace tovren::engine {
class TqxReport;
}

namespace tovren::app {

/// The certificate the clerk adjusted in the designer and saved, kept as "证书.qxf" in the
/// folder of the store (the working folder when the store is a server), so every start of the
/// program prints on the forms as the clerk fitted them.
class SavedCertificate
{
public:
    /// @p storeFile is the store's file; empty for a server store.
    explicit SavedCertificate(const QString &storeFile);

    QString path() const { return m_path; }
    bool exists() const;

    enum class Loaded { Saved, BuiltIn, SavedUnreadable };
    /// Reads the saved certificate into @p report when there is one, otherwise (or when it
    /// cannot be read) the built-in one; afterwards the designer's "保存" writes to path().
    Loaded load(engine::TqxReport &report) const;
    /// Puts the built-in certificate back in use: the saved one is kept as "证书.qxf.bak", so
    /// nothing the clerk made is lost. False, with @p error, when it cannot be moved aside.
    bool restoreBuiltIn(QString *error) const;

private:
    QString m_path;
};

/// Reads the certificate shipped with the program into @p report; false when it cannot.
bool loadBuiltInCertificate(engine::TqxReport &report);

} // namespace tovren::app
