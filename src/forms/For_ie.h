#pragma once

#include "FileDialogs.h"

#include <QDialog>

class QGroupBox;
class QLabel;
class QPushButton;

// Import and export of the game table as a TAB text file, for backups; edit mode only.
// An import replaces the table only when the whole file was read without a fault.
class TFormIE : public QDialog {
    Q_OBJECT
public:
    explicit TFormIE(QWidget *owner);

    QPushButton *TasteImportieren, *TasteExportieren, *TasteAbbrechen;
    QGroupBox *GroupBox1;
    QLabel *StaticText1;
    FileDialogRequest DialogImportieren, DialogExportieren;

    void TasteImportierenClick();
    void TasteExportierenClick();
};
