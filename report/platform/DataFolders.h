#pragma once

#include <QString>

namespace tovren::platform {

/// Where the program finds what it ships (font rules, help pages, gallery templates, icons) and
/// where each user keeps what the program writes for them (recovery copies, their own templates).
///
/// An installed program reads share/tovren beside its bin folder; a program run from its build
/// folder reads the source tree's data folder. TOVREN_DATA_DIR names another shipped folder
/// (tests, portable installs). The user's folders follow the desktop's standard places and are
/// created when asked for.
class DataFolders
{
public:
    /// The folder of the running program's executable, with links resolved; it is known before
    /// the application object exists, as the font rules must be chosen before the first font.
    static QString programDir();
    /// The shipped data folder, or an empty string when none is found.
    static QString shippedDir();
    /// The shipped data folder of a program whose executable lies in @p programDir.
    static QString shippedDirFor(const QString &programDir);
    /// @p relative inside the shipped data folder ("help", "gallery"); empty when there is none.
    static QString shippedPath(const QString &relative);
    /// The user's writable folder for @p purpose ("gallery", "recovery"), created on demand;
    /// empty when it cannot be made.
    static QString userDir(const QString &purpose);
};

} // namespace tovren::platform
