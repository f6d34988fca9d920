#pragma once

#include "SurfaceDrag.h"

#include <QWidget>

class TClientDataSet;
class TDataSource;
class TDBGrid;
class TImage;

// The main window: borderless, 640 x 480, made of pictures. It owns the game table from
// its creation (where the table is loaded and positioned) to its destruction (where edit
// mode saves it), and switches between the detail view and the table view.
class TDetailansicht : public QWidget {
    Q_OBJECT
public:
    // Sets the global reference Detailansicht before the creation handler runs.
    explicit TDetailansicht(QWidget *parent = nullptr);
    ~TDetailansicht() override;

    // Children, bottom to top.
    TImage *Backgrnd, *TastePfeilL, *TastePfeilR, *Backgrd2, *TasteSuchenS, *TasteTips, *TasteBeenden, *TasteInfo,
        *TasteIcon, *Spielebild, *TasteHauptansicht, *TasteTabelle, *TasteIE, *TasteSuchenR, *ImageGoldaward,
        *ImagePlatinaward, *ImageZusatzcd;
    TClientDataSet *ClientDataSet1;
    TDataSource *DataSource1;
    TDBGrid *GridTabelle; // null until the table view is first shown

    void FormCreate();
    void FormDestroy();

    void ClientDataSet1AfterScroll();
    void TasteBeendenClick();
    void TasteIconClick();
    void TastePfeilLClick();
    void TastePfeilRClick();
    void TasteTabelleClick();
    void TasteSuchenSClick();
    void TasteTipsClick();
    void TasteInfoClick();
    void TasteIEClick();
    void TasteHauptansichtClick();
    void GridTabelleTitleClick(const QString &fieldName);

    bool Dragging() const { return drag_->Active(); }

protected:
    // The review page's keys: Left/Right and Page Up/Down as the arrows, Home and End to the
    // first and last game. The table view's grid takes its own keys.
    void keyPressEvent(QKeyEvent *event) override;

private:
    TImage *AddPicture(const QString &name, const QRect &bounds, QStringView skin, bool takesInput, bool visible,
                       const QString &label = {});
    void OnClick(TImage *button, void (TDetailansicht::*handler)());
    void MakeGrid();
    bool InTableView() const;
    void FirstGame();
    void LastGame();

    SurfaceDrag *drag_; // FormMouseDown, FormMouseMove, FormMouseUp
    bool holdPage_ = false; // the cursor moves but the page waits
};

// The one main window, set before its creation handler runs.
extern TDetailansicht *Detailansicht;
