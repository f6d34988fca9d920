#pragma once

#include "SurfaceDrag.h"

#include <QDialog>

class FieldValue;
class TClientDataSet;
class TDataSource;
class TDBGrid;
class TImage;

// The tips window: the tips table in a grid on a borderless skinned window, opened at the
// current game's first tip. It loads the tips table afresh each time it is made and, in
// edit mode, saves it each time it goes.
class TFormTips : public QDialog {
    Q_OBJECT
public:
    explicit TFormTips(QWidget *owner);
    ~TFormTips() override;

    TImage *Hintergrund, *TasteSchliessen;
    TClientDataSet *ClientDataSet1;
    TDataSource *DataSource1;
    TDBGrid *GridTabelle;

    void FormCreate();
    void FormDestroy();
    void GridTabelleTitleClick(const QString &fieldName);

    // Puts the cursor on the first tip whose Titel equals the game's title exactly, or
    // back on the first tip after a warning that there is none; then runs the window.
    void OpenFor(const FieldValue &gameTitle);
    // The lookup alone: true when a tip of the game was found (the cursor stands on it).
    bool FindFirstTipOf(const FieldValue &gameTitle);

    bool Dragging() const { return drag_->Active(); }

protected:
    void showEvent(QShowEvent *event) override;
    // The close picture is the only way out: Esc closes nothing here.
    void keyPressEvent(QKeyEvent *event) override;

private:
    SurfaceDrag *drag_; // FormMouseDown, FormMouseMove, FormMouseUp
};
