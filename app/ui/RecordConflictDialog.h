#pragma once

#include <QDialog>

namespace tovren::db {
class EditConflict;
}

namespace tovren::app {

/// Shows a save another desk got to first: "该记录已被其他用户修改", and for each field both
/// desks changed, the other desk's stored value beside the clerk's typed one. The clerk keeps
/// their own values or takes the other desk's; closing the dialog decides nothing, and the
/// typed values stay in the record being edited.
class RecordConflictDialog : public QDialog
{
    Q_OBJECT
public:
    enum class Choice { Undecided, KeepMine, TakeTheirs };

    explicit RecordConflictDialog(const db::EditConflict &conflict, QWidget *parent = nullptr);

    Choice choice() const { return m_choice; }

private:
    void choose(Choice choice);

    Choice m_choice = Choice::Undecided;
};

} // namespace tovren::app
