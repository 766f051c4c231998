#pragma once

#include "report/dialogs/DesignerOptionValues.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QFontComboBox;
class QLabel;
class QRadioButton;

namespace tovren::platform {
class DialogProvider;
class SettingsStore;
} // namespace tovren::platform

namespace tovren::dialogs {

/// The designer options dialog: grid, units, tool-bar and canvas choices, which the caller
/// passes in and reads back as DesignerOptionValues, and the editor fonts, which the dialog
/// keeps in the settings itself.
///
/// The editor fonts are read from the settings when the dialog is made and all five are
/// written when it closes with OK, changed or not; Cancel writes nothing. OK is refused, with
/// a message through the dialog provider, while a font size is no whole number.
class TqxDesOptionsForm : public QDialog
{
    Q_OBJECT
public:
    /// Neither @p settings nor @p dialogs is owned; both must outlive the dialog.
    TqxDesOptionsForm(platform::SettingsStore &settings, platform::DialogProvider &dialogs,
                      QWidget *parent = nullptr);
    ~TqxDesOptionsForm() override;

    void setValues(const DesignerOptionValues &values);
    DesignerOptionValues values() const;
    /// The editor fonts as the controls show them.
    EditorFonts editorFonts() const;

    void done(int result) override;

private:
    QWidget *buildDesignerTab();
    QWidget *buildEditorTab();
    void setEditorFonts(const EditorFonts &fonts);
    void applyFontRule();
    void applySampleRule(QLabel *sample, const QFontComboBox *name, const QComboBox *size);
    QString fontSizeError() const;

    platform::SettingsStore &m_settings;
    platform::DialogProvider &m_dialogs;

    QCheckBox *m_gridShow = nullptr;
    QCheckBox *m_gridAlign = nullptr;
    QCheckBox *m_liveRepaint = nullptr;
    QRadioButton *m_pixels = nullptr;
    QRadioButton *m_millimetres = nullptr;
    QRadioButton *m_inches = nullptr;
    QRadioButton *m_grid4 = nullptr;
    QRadioButton *m_grid8 = nullptr;
    QRadioButton *m_grid18 = nullptr;
    QCheckBox *m_colouredButtons = nullptr;
    QCheckBox *m_editAfterInsert = nullptr;
    QCheckBox *m_bandTitles = nullptr;
    QCheckBox *m_localizedNames = nullptr;
    QCheckBox *m_disableUndo = nullptr;
    QRadioButton *m_pageCentred = nullptr;
    QRadioButton *m_pageLeft = nullptr;
    QRadioButton *m_pageRight = nullptr;

    QRadioButton *m_objectFont = nullptr;
    QRadioButton *m_fixedFont = nullptr;
    QLabel *m_textNameLabel = nullptr;
    QFontComboBox *m_textName = nullptr;
    QLabel *m_textSizeLabel = nullptr;
    QComboBox *m_textSize = nullptr;
    QLabel *m_textSample = nullptr;
    QFontComboBox *m_scriptName = nullptr;
    QComboBox *m_scriptSize = nullptr;
    QLabel *m_scriptSample = nullptr;
    QCheckBox *m_syntaxHighlight = nullptr;
};

} // namespace tovren::dialogs
