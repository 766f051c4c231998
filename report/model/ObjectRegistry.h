#pragma once

#include "report/model/TqxView.h"

#include <QImage>
#include <QString>
#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

namespace tovren::model {

/// Raised when a template names an add-in class that was never registered; the message lists
/// every class missing in the current read, one a line.
class EClassNotFound : public std::runtime_error
{
public:
    explicit EClassNotFound(const QString &message)
        : std::runtime_error(message.toStdString())
        , m_message(message)
    {}
    QString message() const { return m_message; }

private:
    QString m_message;
};

/// Creates report objects by kind number and add-in objects by class name, and hands out the
/// object ids.
///
/// Add-in classes register a factory once; registering a class name again is ignored, and the
/// table holds at most 32 classes. Missing class names accumulate until clearMissingClasses(),
/// so a template reader can report all of them in one message after the read.
class ObjectRegistry
{
public:
    static constexpr int kMaxAddIns = 32;
    using Factory = std::function<std::unique_ptr<TqxView>()>;

    struct AddInInfo
    {
        QString className;
        Factory create;
        QImage buttonBitmap;
        QString buttonHint;
        quint8 flags = 0;
    };

    /// False when the class is already present or the table is full.
    bool RegisterAddInObject(const QString &className, Factory create, const QImage &bitmap,
                             const QString &hint);
    const std::vector<AddInInfo> &addIns() const { return m_addIns; }
    /// The text object lives in its own unit and plugs in here; until it does, kind 0 makes
    /// no object.
    void setTextObjectFactory(Factory create) { m_createText = std::move(create); }

    /// Kinds 0 to 4 make the built-in classes and kind 10 the registered add-in @p className
    /// (exact comparison); other kinds give no object. Raises EClassNotFound for an
    /// unregistered add-in class.
    std::unique_ptr<TqxView> CreateObjectByKind(int kind, const QString &className = {});

    qint32 nextObjectId() const { return m_objectIdCounter; }

    bool missingClass() const { return m_missingClass; }
    QString missingClassMessage() const { return m_missingMessage; }
    void clearMissingClasses();

private:
    std::vector<AddInInfo> m_addIns;
    Factory m_createText;
    qint32 m_objectIdCounter = 0;
    bool m_missingClass = false;
    QString m_missingMessage;
};

} // namespace tovren::model
