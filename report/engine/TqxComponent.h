#pragma once

#include <QObject>
#include <QString>

namespace tovren::engine {

/// A named part of a form or data module that reports can reach by name: a record set, a data
/// source, a report data source, or the form itself.
///
/// The owner is the Qt parent, so a form destroys its components with itself. Names are the
/// object names; findComponent() compares them ignoring case, the way component names always
/// have been compared.
class TqxComponent : public QObject
{
    Q_OBJECT
public:
    explicit TqxComponent(const QString &name = {}, TqxComponent *owner = nullptr);

    QString name() const { return objectName(); }
    void setName(const QString &name) { setObjectName(name); }
    TqxComponent *owner() const;

    /// The directly owned component named @p name, or nullptr.
    TqxComponent *findComponent(QStringView name) const;
};

} // namespace tovren::engine
