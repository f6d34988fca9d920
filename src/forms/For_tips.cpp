#include "For_tips.h"

#include "DialogLook.h"
#include "ErrorDisplay.h"
#include "GridTables.h"
#include "Messages.h"
#include "Misc.h"
#include "PageLayout.h"
#include "SkinPictures.h"
#include "TClientDataSet.h"
#include "TDBGrid.h"
#include "TDataSource.h"
#include "TImage.h"
#include "TableSchemas.h"

#include <QKeyEvent>

using namespace Qt::StringLiterals;


TFormTips::TFormTips(QWidget *owner) : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(u"FormTips"_s);
    SetDialogLook(this, u"FormTips"_s, PageLayout::TipsWindow);
    drag_ = new SurfaceDrag(this);

    Hintergrund = new TImage(this, u"Hintergrund"_s, PageLayout::TipsBackground);
    Hintergrund->SetPicture(QImage(SkinPictures::TipsBackground.toString()));
    Hintergrund->SetEnabled(false); // presses on it reach the window: a drag
    TasteSchliessen = new TImage(this, u"TasteSchliessen"_s, PageLayout::TipsCloseButton);
    TasteSchliessen->SetPicture(QImage(SkinPictures::TipsCloseButton.toString()));
    TasteSchliessen->SetLabel(u"Schließen"_s);

    ClientDataSet1 = new TClientDataSet(this);
    DataSource1 = new TDataSource(ClientDataSet1, GridColumnsOf(TipsTable()), this);
    GridTabelle = new TDBGrid(this, u"GridTabelle"_s, PageLayout::TipsGrid, DataSource1);
    GridTabelle->setFont(DialogFont());
    GridTabelle->SetLastColumnFilling(true); // the hint takes the room the other columns leave
    ShowGridForReading(GridTabelle);
    GridTabelle->setFocus();

    connect(TasteSchliessen, &TImage::Click, this, &QDialog::accept);
    ConnectGuarded(GridTabelle, &TDBGrid::TitleClick, this, &TFormTips::GridTabelleTitleClick);
    RunGuarded([this] { FormCreate(); });
}

TFormTips::~TFormTips()
{
    RunGuarded([this] { FormDestroy(); });
}

void TFormTips::FormCreate()
{
    drag_->Release();
    ClientDataSet1->LoadFromFile(kTipsTableFile);
    ClientDataSet1->Open();
    if (EditModeFlag(emQuery) != 0) {
        ShowGridForEditing(GridTabelle);
    } else {
        ClientDataSet1->SetIndexFieldNames(TipFieldName(kTipTitel));
    }
    ClientDataSet1->First();
    GridTabelle->FitColumns();
}

void TFormTips::FormDestroy()
{
    SaveTableInEditMode(GridTabelle, ClientDataSet1, kTipsTableFile);
}

void TFormTips::GridTabelleTitleClick(const QString &fieldName)
{
    SortByTitleClick(ClientDataSet1, fieldName);
}

bool TFormTips::FindFirstTipOf(const FieldValue &gameTitle)
{
    // The comparison comes before the end test, so the last tip is compared too.
    for (;;) {
        if (ClientDataSet1->FieldByName(TipFieldName(kTipTitel)) == gameTitle)
            return true;
        if (ClientDataSet1->Eof())
            return false;
        ClientDataSet1->Next();
    }
}

void TFormTips::OpenFor(const FieldValue &gameTitle)
{
    if (!FindFirstTipOf(gameTitle)) {
        ClientDataSet1->First();
        ShowMessage({u"Spieldex: Keine Tips gefunden"_s,
                     u"Keine Tips zu dem ausgewählten Spiel \""_s + gameTitle.toText() + u"\" gefunden."_s,
                     MessageIcon::Warning, MessageButtons::Ok, MessageAnswer::Ok});
    }
    exec();
}

void TFormTips::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // The found tip opens at the top, the game's other tips below it.
    GridTabelle->scrollTo(GridTabelle->currentIndex(), QAbstractItemView::PositionAtTop);
}


void TFormTips::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
