#pragma once

#include <QSaveFile>
#include <QString>
#include <exception>
#include <thread>

namespace tovren::engine {

class TqxEMFPages;

/// A prepared-report file being written on a thread of its own, so that the caller can read
/// the same pages meanwhile, as the build command checks them for cut-off texts.
///
/// The pages must not change until the save is committed or dropped. The file is written under
/// a temporary name and takes its own only when committed; dropped uncommitted, as when the
/// check forbids writing, it leaves nothing behind.
class PagesFileSave
{
public:
    /// Starts writing @p pages to a stand-in for @p fileName, unless it cannot be created.
    PagesFileSave(const TqxEMFPages &pages, const QString &fileName, const QString &printerName,
                  quint8 generatorVersion);
    /// Waits for the writing; an uncommitted file is thrown away.
    ~PagesFileSave() { wait(); }
    PagesFileSave(const PagesFileSave &) = delete;
    PagesFileSave &operator=(const PagesFileSave &) = delete;

    /// False when the stand-in could not be created; nothing is written then.
    bool started() const { return m_writer.joinable(); }
    /// Waits for the writing, then gives the file its name; false when any of it failed.
    bool commit();
    QString fileName() const { return m_file.fileName(); }

private:
    void wait();

    QSaveFile m_file;
    std::thread m_writer;
    std::exception_ptr m_failure;
};

} // namespace tovren::engine
